#include "log-filter.h"

#include <sqlite3.h>

#include <cstdint>
#include <memory>

LogQueryFilter::LogQueryFilter() : date_from(0), date_to(0), limit(0), offset(0) {}

std::string makeContainsLikePattern(const std::string& keyword)
{
    std::string pattern;
    pattern.reserve(keyword.size() + 8);
    pattern += '%';
    for (char c : keyword) {
        if (c == '%' || c == '_' || c == '\\')
            pattern += '\\';
        pattern += c;
    }
    pattern += '%';
    return pattern;
}

std::string LogQueryFilter::keywordPattern() const
{
    std::unique_ptr<char, decltype(&sqlite3_free)> quoted(
        sqlite3_mprintf("%Q", makeContainsLikePattern(search_string).c_str()), &sqlite3_free);
    if (!quoted)
        throw std::bad_alloc();
    return quoted.get();
}

void LogQueryFilter::appendLike(std::stringstream& out, const char* column, const std::string& pattern)
{
    out << ' ' << column << " like " << pattern << " ESCAPE '\\'";
}

void LogQueryFilter::appendDateBounds(std::stringstream& out, const char* column, bool indexed) const
{
    const char* prefix = indexed ? "" : "+";
    // Bounds are seconds, the columns milliseconds: widen before multiplying so
    // dates after 2038 (or any int above 2147483) do not overflow.
    if (date_from != 0)
        out << " AND (" << prefix << column << " > " << static_cast<int64_t>(date_from) * 1000 << ")";
    if (date_to != 0)
        out << " AND (" << prefix << column << " < " << static_cast<int64_t>(date_to) * 1000 << ")";
}

void LogQueryFilter::appendTypes(std::stringstream& out) const
{
    if (log_type.empty())
        return;
    if (log_type.size() == 1) {
        out << " AND (type = " << log_type.front() << ")";
        return;
    }
    out << " AND (0";
    for (int type : log_type)
        out << " OR type = " << type;
    out << ")";
}

void LogQueryFilter::appendPage(std::stringstream& out, bool newest_first, size_t limit, size_t offset)
{
    out << (newest_first ? " ORDER BY rowid DESC " : " ORDER BY rowid ASC ");
    if (limit != 0)
        out << " LIMIT " << limit;
    if (offset != 0) {
        // SQLite accepts OFFSET only after a LIMIT; a negative limit means none.
        if (limit == 0)
            out << " LIMIT -1";
        out << " OFFSET " << offset;
    }
    out << ";";
}
