#include "site-display.h"

#include "str_table.h"

QString getHumanReadableDuration(int sec)
{
    if (sec < 0)
        return QString();
    const int days = sec / 86400;
    QString text;
    if (days > 0)
        text = QString::number(days) + QLatin1Char(' ') + StrTable::LoadStr(StrTable::days) + QLatin1Char(' ');
    const int hours = sec % 86400 / 3600;
    const int minutes = sec % 3600 / 60;
    const int seconds = sec % 60;
    return text + QStringLiteral("%1:%2:%3")
                      .arg(hours, 2, 10, QLatin1Char('0'))
                      .arg(minutes, 2, 10, QLatin1Char('0'))
                      .arg(seconds, 2, 10, QLatin1Char('0'));
}
