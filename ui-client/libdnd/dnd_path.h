#pragma once

#include <QString>

// The text of `path` before its last '\' or '/'; "" when it has none. A path
// whose only separator is its leading '/' gives "/" (the root folder).
QString getParentPath(QString const& path);

// The drop folder a target read back from the block names: its parent, when
// the target is absolute, ends in the marker folder's name and its parent is
// an existing folder; otherwise "" (no drop, no download).
QString dropFolderFromTarget(QString const& target);
