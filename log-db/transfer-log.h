#pragma once

#include <cstdint>
#include <sstream>
#include <string>

#include "log-filter.h"

typedef struct sqlite3_stmt sqlite3_stmt;

// One row of transfer_table: a finished (or failed) transfer with its timing.
class TransferLog {
public:
    TransferLog();

    // Reads the current row of a statement with the columns of
    // TransferLogFilter::toSearchSQL, in that order.
    void fillFromStmt(sqlite3_stmt* stmt);
    bool isDownload() const;  // 7, 9, 11, 13
    bool isSuccess() const;   // 6, 7

    uint32_t type;
    std::string username;
    std::string device_name;
    std::string client_type;
    std::string ip;
    std::string geolocation;
    std::string file_name;
    std::string path_from;
    std::string path_to;
    uint64_t start_time;    // ms since 1970
    uint64_t end_time;      // ms since 1970; the filters' dates apply to it
    uint64_t elapsed_time;  // ms
    uint32_t rtt;
    uint64_t avg_speed;     // bytes per second
    uint64_t file_size;     // bytes
};

// A page query over transfer_table.
class TransferLogFilter : public LogQueryFilter {
public:
    void appendCondition(std::stringstream& out) const;
    std::string toSearchSQL() const;
    std::string toCountSQL() const;
    // The same rows in storage order (oldest first) with an explicit window;
    // lets a reader fetch a page near the old end without skipping the table.
    std::string toOldestFirstSQL(size_t page_limit, size_t page_offset) const;

private:
    // indexed_dates: see LogQueryFilter::appendDateBounds.
    void appendConditions(std::stringstream& out, bool indexed_dates) const;
    std::string buildSearchSQL(bool newest_first, size_t page_limit, size_t page_offset) const;
};
