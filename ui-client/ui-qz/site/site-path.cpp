#include "site-path.h"

QString combinePath(const QString& parent, const QString& name)
{
    if (parent.endsWith(QLatin1Char('/')))
        return parent + name;
    return parent + QLatin1Char('/') + name;
}

QString combineIdPath(const QString& peer_id, const QString& path)
{
    return peer_id + QLatin1Char(':') + path;
}

QString combineIdPath(uint64_t peer_id, const QString& path)
{
    return QString::number(peer_id) + QLatin1Char(':') + path;
}

QString combineIdPath(uint64_t peer_id, const std::string& path)
{
    return combineIdPath(peer_id, QString::fromUtf8(path.data(), static_cast<int>(path.size())));
}

void splitIdPath(const QString& input, QString& id, QString& path)
{
    const int colon = input.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        id = input;
        path.clear();
        return;
    }
    id = input.left(colon);
    path = input.mid(colon + 1);
}

QString getPathFromUrl(const QUrl& url)
{
    return url.toLocalFile();
}

QString resolveSmbPath(const QString& path)
{
    return path;
}
