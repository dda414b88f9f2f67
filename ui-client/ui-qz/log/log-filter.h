#pragma once

#include <QString>

#include <vector>

class QDate;

// The Log window's one filter: the window owns it, its filter bar and filter
// menu write it, and both log views read it on every reload. GUI thread only.
struct LogFilter {
    QString keyword;        // empty: no keyword condition
    int date_from = 0;      // local midnight starting the first day shown; 0: no bound
    int date_to = 0;        // local midnight ending the last day shown (exclusive); 0: no bound
    std::vector<int> type;  // LogEventType values; empty: no type chosen

    void clear();
};

// The bounds of whole local days, taken from the calendar so that a day of
// 23 or 25 hours (a daylight-saving change) is covered exactly. The log
// database keeps rows with time < date_to, so the upper bound is the start of
// the following day, not the last second of the chosen one.
int logDayStart(const QDate& first_day);
int logDayEnd(const QDate& last_day);
// The day a bound written by logDayStart / logDayEnd stands for.
QDate logDayOfStart(int date_from);
QDate logDayOfEnd(int date_to);
