#include "log-filter.h"

#include <QDate>
#include <QDateTime>

#include <limits>

void LogFilter::clear()
{
    keyword.clear();
    date_from = 0;
    date_to = 0;
    type.clear();
}

namespace {

// The record keeps 32-bit seconds: days beyond 2038 stay at the last second
// it can hold rather than wrapping into the past, and days before 1970 still
// bound (0 would mean no bound at all).
int clampSeconds(qint64 seconds)
{
    if (seconds > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (seconds < 1)
        return 1;
    return static_cast<int>(seconds);
}

}  // namespace

int logDayStart(const QDate& first_day)
{
    return clampSeconds(first_day.startOfDay(Qt::LocalTime).toSecsSinceEpoch());
}

int logDayEnd(const QDate& last_day)
{
    return clampSeconds(last_day.addDays(1).startOfDay(Qt::LocalTime).toSecsSinceEpoch());
}

QDate logDayOfStart(int date_from)
{
    return QDateTime::fromSecsSinceEpoch(date_from, Qt::LocalTime).date();
}

QDate logDayOfEnd(int date_to)
{
    // The bound is the first second of the next day; one second earlier lies
    // in the day chosen.
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(date_to) - 1, Qt::LocalTime).date();
}
