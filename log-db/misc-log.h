#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "log-filter.h"

typedef struct sqlite3_stmt sqlite3_stmt;

// One row of log_table: a login, a file operation on a server or a transfer.
// The table has five columns of each argument kind (s1..s5, p1..p5).
class MiscLog {
public:
    static const size_t kMaxArgs = 5;

    MiscLog();

    void clear();  // type, time, username and both argument lists; not ip
    // Appends to s_arg when `text` is true, else to p_arg; call order gives
    // the column number.
    void pushArg(std::string value, bool text);
    void pushArg(uint64_t value, bool text);
    // Reads a row of MiscLogFilter::toSearchSQL; always yields five arguments
    // of each kind, empty where the column is NULL.
    void fillFromStmt(sqlite3_stmt* stmt);

    uint32_t type;
    std::string ip;
    std::string username;
    uint64_t time;  // ms since 1970; stamped by the database when stored
    std::vector<std::string> s_arg;
    std::vector<std::string> p_arg;
};

// A page query over log_table.
class MiscLogFilter : public LogQueryFilter {
public:
    void appendCondition(std::stringstream& out) const;
    std::string toSearchSQL() const;
    std::string toCountSQL() const;
    // The same rows oldest first with an explicit window (see TransferLogFilter).
    std::string toOldestFirstSQL(size_t page_limit, size_t page_offset) const;

private:
    // indexed_dates: see LogQueryFilter::appendDateBounds.
    void appendConditions(std::stringstream& out, bool indexed_dates) const;
    std::string buildSearchSQL(bool newest_first, size_t page_limit, size_t page_offset) const;
};
