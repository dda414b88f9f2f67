#include "dnd_path.h"

#include <QFileInfo>
#include <QRegularExpression>

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
