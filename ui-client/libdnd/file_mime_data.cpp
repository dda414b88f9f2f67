#include "file_mime_data.h"

#include "xds_source.h"

namespace {

const char kUriList[] = "text/uri-list";

} // namespace

FileMimeData::FileMimeData() = default;

FileMimeData::~FileMimeData() = default;

void FileMimeData::setSaveHandler(SaveHandler handler)
{
    m_save_handler = std::move(handler);
}

QStringList FileMimeData::formats() const
{
    QStringList result = QMimeData::formats();
    if (m_save_handler) {
        result.removeAll(QLatin1String(kUriList));
        result.prepend(QLatin1String(xds::kType));
    }
    return result;
}

bool FileMimeData::hasFormat(const QString& mimetype) const
{
    return QMimeData::formats().contains(mimetype) ||
           (m_save_handler && mimetype == QLatin1String(xds::kType));
}

QVariant FileMimeData::retrieveData(const QString& mimetype, QVariant::Type preferredType) const
{
    if (m_save_handler && mimetype == QLatin1String(xds::kType))
        return m_save_handler();
    return QMimeData::retrieveData(mimetype, preferredType);
}
