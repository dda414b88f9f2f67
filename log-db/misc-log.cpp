#include "misc-log.h"

#include <sqlite3.h>

#include "sqlite-column.h"

#include <string>

MiscLog::MiscLog()
{
    clear();
}

void MiscLog::clear()
{
    type = 0;
    time = 0;
    username.clear();
    s_arg.clear();
    p_arg.clear();
}

void MiscLog::pushArg(std::string value, bool text)
{
    (text ? s_arg : p_arg).push_back(std::move(value));
}

void MiscLog::pushArg(uint64_t value, bool text)
{
    pushArg(std::to_string(value), text);
}

void MiscLog::fillFromStmt(sqlite3_stmt* stmt)
{
    type = static_cast<uint32_t>(sqlite3_column_int(stmt, 0));
    ip = columnText(stmt, 1);
    username = columnText(stmt, 2);
    time = static_cast<uint64_t>(sqlite3_column_int64(stmt, 3));
    s_arg.clear();
    p_arg.clear();
    for (int k = 0; k < static_cast<int>(kMaxArgs); ++k)
        s_arg.push_back(columnText(stmt, 4 + k));
    for (int k = 0; k < static_cast<int>(kMaxArgs); ++k)
        p_arg.push_back(columnText(stmt, 9 + k));
}

void MiscLogFilter::appendCondition(std::stringstream& out) const
{
    appendConditions(out, true);
}

void MiscLogFilter::appendConditions(std::stringstream& out, bool indexed_dates) const
{
    if (!search_string.empty()) {
        // The p columns hold row ids and counters, not words: not searched.
        const std::string k = keywordPattern();
        out << " AND (";
        appendLike(out, "username", k);
        out << " OR";
        appendLike(out, "ip", k);
        static const char* const kTextColumns[] = {"s1", "s2", "s3", "s4", "s5"};
        for (const char* column : kTextColumns) {
            out << " OR";
            appendLike(out, column, k);
        }
        out << ")";
    }
    appendDateBounds(out, "time", indexed_dates);
    appendTypes(out);
}

std::string MiscLogFilter::buildSearchSQL(bool newest_first, size_t page_limit, size_t page_offset) const
{
    std::stringstream out;
    out << "SELECT type, ip, username, time, s1, s2, s3, s4, s5, p1, p2, p3, p4, p5 FROM log_table WHERE 1 ";
    appendConditions(out, false);
    appendPage(out, newest_first, page_limit, page_offset);
    return out.str();
}

std::string MiscLogFilter::toSearchSQL() const
{
    return buildSearchSQL(true, limit, offset);
}

std::string MiscLogFilter::toOldestFirstSQL(size_t page_limit, size_t page_offset) const
{
    return buildSearchSQL(false, page_limit, page_offset);
}

std::string MiscLogFilter::toCountSQL() const
{
    std::stringstream out;
    out << "SELECT COUNT(*) FROM log_table WHERE 1 ";
    appendCondition(out);
    out << ";";
    return out.str();
}
