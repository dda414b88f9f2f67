#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The folders the computer's top level offers, each by absolute path: the
// file system's root, the user's home, then the mounted volumes a user keeps
// files on, in mount order, each once.
QStringList computerTopFolders();

// True for a mount a user would open: a disk, a removable drive or a network
// share. The kernel's and the system's own mounts (proc, tmpfs, cgroups,
// snap images, /boot, /run, ...) are not.
bool isUserVolume(const QString& root, const QByteArray& fs_type, const QByteArray& device);
