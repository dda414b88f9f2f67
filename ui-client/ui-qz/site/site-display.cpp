#include "site-display.h"

#include <QDateTime>

#include <cmath>
#include <limits>


QString getHumanReadableSize(double size)
{
    // Powers of two: multiplying by their inverse is exact.
    const double kib = 1024.0;
    const double mib = kib * kib;
    const double gib = mib * kib;
    const double tib = gib * kib;
    if (size >= 1000.0 * gib)
        return QStringLiteral("%1 TB").arg(QString::number(size * (1.0 / tib), 'g', 3));
    if (size >= 1000.0 * mib)
        return QStringLiteral("%1 GB").arg(QString::number(size * (1.0 / gib), 'g', 3));
    if (size >= 1000.0 * kib)
        return QStringLiteral("%1 MB").arg(QString::number(size * (1.0 / mib), 'g', 3));
    if (size >= 1000.0)
        return QStringLiteral("%1 KB").arg(QString::number(size * (1.0 / kib), 'g', 3));
    return QStringLiteral("%1 B").arg(QString::number(size, 'g', 6));
}

uint64_t translateHumanReadableSize(const QString& input)
{
    QString text = input.toLower();
    double factor = 1.0;
    if (text.endsWith(QLatin1Char('k')))
        factor = 1024.0;
    else if (text.endsWith(QLatin1Char('m')))
        factor = 1024.0 * 1024.0;
    else if (text.endsWith(QLatin1Char('g')))
        factor = 1024.0 * 1024.0 * 1024.0;
    if (factor != 1.0)
        text.chop(1);
    const double bytes = text.toDouble() * factor;
    // Converting a value outside the unsigned 64-bit range is undefined.
    if (std::isnan(bytes) || bytes <= 0.0)
        return 0;
    if (bytes >= 18446744073709551616.0)  // 2^64, infinity included
        return std::numeric_limits<uint64_t>::max();
    return static_cast<uint64_t>(bytes);
}

QString getHumanReadableTime(unsigned int time)
{
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(time)).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}
