#include "site-time.h"

#include <ctime>

QDateTime localDateTimeFromMSecs(qint64 msecs)
{
    // Floor division, so instants before 1970 find their own second.
    const qint64 seconds = msecs >= 0 ? msecs / 1000 : -((-msecs + 999) / 1000);
    const time_t t = static_cast<time_t>(seconds);
    struct tm local;
    if (static_cast<qint64>(t) != seconds || !localtime_r(&t, &local))
        return QDateTime::fromMSecsSinceEpoch(msecs);
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, static_cast<int>(local.tm_gmtoff));
}
