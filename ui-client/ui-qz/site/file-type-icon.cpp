#include "file-type-icon.h"

#include <QMap>
#include <Qt>

#include "dpi_info.h"
#include "file_type_map.h"
#include "image_manager.h"
#include "str_table.h"

namespace {

// Icon file path -> its ready pixmap. Keys come from the file-type table's
// own names, so the map stays as small as that table.
QMap<QString, QPixmap>& iconCache()
{
    static QMap<QString, QPixmap> cache;
    return cache;
}

}  // namespace

void getFileTypeIcon(const QString& name, bool is_dir, bool multi, bool big_img, QString& type, QPixmap& img)
{
    const QString image_folder = ImageManager::getInstance()->getImageFolder();
    const QString icon_folder = image_folder + QStringLiteral("/filetype/") +
                                (big_img ? QStringLiteral("256") : QStringLiteral("64")) + QLatin1Char('/');
    QString icon_file = icon_folder + QStringLiteral("xxx.png");
    if (is_dir) {
        type = StrTable::LoadStr(StrTable::folder);
        icon_file = icon_folder + QStringLiteral("folder.png");
    } else {
        const int dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot < 0) {
            type = StrTable::LoadStr(StrTable::file);
        } else {
            const QString ext = name.mid(dot + 1);
            type = ext + QLatin1Char(' ') + StrTable::LoadStr(StrTable::file);
            const QString mapped = FileTypeMap::getInstance()->getFiletypeMapping(ext, false);
            // Only a plain file name of the table may name the icon file.
            if (!mapped.isEmpty() && !mapped.contains(QLatin1Char('/')) && mapped != QLatin1String("..") &&
                mapped != QLatin1String("."))
                icon_file = icon_folder + mapped;
        }
    }
    if (multi)
        icon_file = image_folder + QStringLiteral("/files.png");

    QMap<QString, QPixmap>& cache = iconCache();
    auto found = cache.constFind(icon_file);
    if (found != cache.constEnd()) {
        img = found.value();
        return;
    }
    const double scale = DPIinfo::getInstance()->getDPI();
    const double ratio = DPIinfo::getInstance()->getDPR();
    const int edge = static_cast<int>((big_img ? 64 : 16) * scale * ratio);
    QPixmap pixmap;
    if (pixmap.load(icon_file) && !pixmap.isNull()) {
        pixmap = pixmap.scaled(edge, edge, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        pixmap.setDevicePixelRatio(ratio);
    } else {
        pixmap = QPixmap();
    }
    cache.insert(icon_file, pixmap);
    img = pixmap;
}

int fileTypeIconCacheSize()
{
    return iconCache().size();
}
