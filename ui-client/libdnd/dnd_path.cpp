#include "dnd_path.h"

#include <QByteArray>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include "dnd_shared_block.h"

QString getParentPath(QString const& path)
{
    static const QRegularExpression separator(QStringLiteral("[\\\\/]"));
    const int last = path.lastIndexOf(separator);
    if (last < 0)
        return QString();
    if (last == 0 && path.at(0) == QLatin1Char('/'))
        return QStringLiteral("/");
    return path.left(last);
}

QString dropFolderFromTarget(QString const& target)
{
    // Only '/' separates here: a '\' is part of a Linux file name, so
    // "/tmp/a\qzdragfolderQZDF" is an entry of /tmp, not a drop into /tmp/a.
    if (!target.startsWith(QLatin1Char('/')))
        return QString();
    const int last = target.lastIndexOf(QLatin1Char('/'));
    if (target.mid(last + 1) != QLatin1String(dnd_block::kMarkerFolder))
        return QString();
    const QString parent = last == 0 ? QStringLiteral("/") : target.left(last);
    if (!QFileInfo(parent).isDir())
        return QString();
    return parent;
}

QString dropFolderFromSaveUri(QByteArray const& uri)
{
    static const QByteArray scheme("file://");
    // A raw '?' or '#' starts a query or a fragment: no file URI of a
    // folder has one (the names' own are percent-encoded).
    if (!uri.startsWith(scheme) || uri.contains('?') || uri.contains('#'))
        return QString();
    const int path_start = uri.indexOf('/', scheme.size());
    if (path_start < 0)
        return QString();
    const QByteArray host = uri.mid(scheme.size(), path_start - scheme.size());
    if (!host.isEmpty() && host != "localhost")
        return QString();
    const QByteArray path = QByteArray::fromPercentEncoding(uri.mid(path_start));
    if (path.contains('\0'))
        return QString();
    const QString text = QString::fromUtf8(path);
    if (text.toUtf8() != path)
        return QString();
    const QStringList names = text.mid(1).split(QLatin1Char('/'));
    for (const QString& name : names)
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
            return QString();
    const QString folder = getParentPath(text);
    if (!QFileInfo(folder).isDir())
        return QString();
    return folder;
}
