#pragma once

#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

// Fields and SQL fragments shared by the general-log and transfer-log filters.
// A filter is a keyword, a date range, a set of event types and a page.
class LogQueryFilter {
public:
    LogQueryFilter();

    std::string search_string;  // UTF-8 keyword; empty means no keyword condition
    int date_from;              // seconds since 1970, exclusive; 0 means no bound
    int date_to;                // seconds since 1970, exclusive; 0 means no bound
    std::vector<int> log_type;  // types to include; empty means every type
    size_t limit;               // rows per page; 0 means no limit
    size_t offset;              // rows to skip

protected:
    // The quoted LIKE pattern for the keyword, wildcards in the keyword escaped
    // so that they match only themselves.
    std::string keywordPattern() const;
    // " <column> like <pattern> ESCAPE '\'"
    static void appendLike(std::stringstream& out, const char* column, const std::string& pattern);
    // With `indexed` false the column is written as "+column", which keeps
    // SQLite from answering a page through the date index: that would sort
    // every row in the range to restore row id order, while walking the table
    // by row id stops as soon as the page is full. Counts use the index.
    void appendDateBounds(std::stringstream& out, const char* column, bool indexed) const;
    // One type is written as an equality so that the type index serves it in
    // row id order; several keep the OR form, which SQLite scans rather than sorts.
    void appendTypes(std::stringstream& out) const;
    // " ORDER BY rowid DESC|ASC" with the page clauses and the closing ";".
    static void appendPage(std::stringstream& out, bool newest_first, size_t limit, size_t offset);
};

// Makes a LIKE pattern that finds `keyword` anywhere in a text: "%", "_" and the
// escape character itself are escaped with "\" (the pattern needs ESCAPE '\').
std::string makeContainsLikePattern(const std::string& keyword);
