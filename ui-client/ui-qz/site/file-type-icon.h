#pragma once

#include <QPixmap>
#include <QString>

// The type text and icon of an item: a folder, several items (multi) or a
// file by its extension; the 256-pixel images when big_img, else the 64-pixel
// ones, scaled to 64 or 16 points. Each icon file is loaded once per process
// (an unreadable one is cached empty). GUI thread only.
void getFileTypeIcon(const QString& name, bool is_dir, bool multi, bool big_img, QString& type, QPixmap& img);

// Icon files cached so far (for tests).
int fileTypeIconCacheSize();
