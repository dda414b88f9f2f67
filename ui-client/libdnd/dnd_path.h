#pragma once

#include <QString>

// The text of `path` before its last '\' or '/'; "" when it has none. A path
// whose only separator is its leading '/' gives "/" (the root folder).
QString getParentPath(QString const& path);

// The drop folder a target read back from the block names: its parent, when
// the target is absolute, ends in the marker folder's name and its parent is
// an existing folder; otherwise "" (no drop, no download).
QString dropFolderFromTarget(QString const& target);

// The drop folder a file manager's direct-save URI names: the folder of the
// URI's last name, when the URI is a local absolute file: URI (no host but
// "localhost"), its decoded path holds no NUL, no "." or ".." name and is
// UTF-8, and that folder exists; otherwise "" (the save is refused).
QString dropFolderFromSaveUri(QByteArray const& uri);
