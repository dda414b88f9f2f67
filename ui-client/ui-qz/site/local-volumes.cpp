#include "local-volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

// File systems without files of the user's: the kernel's views, memory-backed
// and container layers, read-only package images.
bool isPseudoFileSystem(const QByteArray& type)
{
    static const char* const kPseudo[] = {
        "autofs",  "binfmt_misc", "bpf",      "cgroup",  "cgroup2",  "configfs", "debugfs",  "devpts",
        "devtmpfs", "efivarfs",   "fusectl",  "hugetlbfs", "mqueue", "nsfs",     "overlay",  "proc",
        "pstore",  "ramfs",       "rpc_pipefs", "securityfs", "squashfs", "sysfs", "tmpfs",   "tracefs",
    };
    for (const char* pseudo : kPseudo)
        if (type == pseudo)
            return true;
    return false;
}

bool isNetworkFileSystem(const QByteArray& type)
{
    return type == "nfs" || type == "nfs4" || type == "cifs" || type == "smb3" || type == "smbfs" ||
           type == "fuse.sshfs" || type == "9p";
}

bool isBelow(const QString& path, const QString& folder)
{
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// The system's own places: a disk mounted there holds no files of the user's.
bool isSystemPlace(const QString& root)
{
    if (isBelow(root, QStringLiteral("/run/media")))
        return false;  // where desktops mount removable drives
    static const char* const kSystem[] = {"/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var", "/usr", "/etc"};
    for (const char* place : kSystem)
        if (isBelow(root, QLatin1String(place)))
            return true;
    return false;
}

}  // namespace

bool isUserVolume(const QString& root, const QByteArray& fs_type, const QByteArray& device)
{
    if (root.isEmpty() || !root.startsWith(QLatin1Char('/')) || root == QLatin1String("/"))
        return false;
    if (isPseudoFileSystem(fs_type) || isSystemPlace(root))
        return false;
    return device.startsWith("/dev/") || isNetworkFileSystem(fs_type);
}

QStringList computerTopFolders()
{
    QStringList folders;
    auto add = [&folders](const QString& path) {
        const QString clean = QDir::cleanPath(path);
        if (!clean.startsWith(QLatin1Char('/')) || folders.contains(clean))
            return;
        folders << clean;
    };
    for (const QFileInfo& drive : QDir::drives())
        add(drive.absoluteFilePath());
    add(QDir::homePath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        // A file mounted alone (a container's /etc/hosts) is no folder to open.
        if (isUserVolume(root, volume.fileSystemType(), volume.device()) && QFileInfo(root).isDir())
            add(root);
    }
    return folders;
}
