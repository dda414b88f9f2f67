#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "db-util.h"
#include "misc-log.h"
#include "transfer-log.h"

// One row of report_table (kept for the file format; nothing reads it).
struct ReportLog {
    ReportLog() : id(0), generate_time(0) {}

    uint64_t id;
    std::string name;
    uint32_t generate_time;
    std::string interval;
    std::string uri_suffix;
};

// The log database "log-db.sqlite": the general log, the transfer log and the
// trimming settings. Static members only; one connection serves the process and
// m_mutex serialises every operation on it except initialize and destroy, which
// run at start-up and shut-down while no other thread uses the database.
class LogDB {
public:
    static int initialize(const std::string& path);
    static void destroy();

    // Appends a general-log row stamped with the current time, then trims.
    static int insertLog(const MiscLog& record);
    // Appends a transfer row and its general-log row in one transaction, then trims.
    static int insertTransferLog(const TransferLog& record);
    // The same for many transfers in one transaction: all are stored or none.
    static int insertTransferLogs(const std::vector<TransferLog>& records);

    // One page of rows, newest first, and the number of rows matching the
    // filter. Both are read from one snapshot of the file. -1 when either query
    // fails; `total` is then left unchanged.
    template <typename Filter, typename Record>
    static int searchLog(const Filter& filter, std::vector<Record>& rows, unsigned int& total);

    static int insertReportLog(const ReportLog& record);
    static int deleteLog();
    static int getLogDelCount(bool& enabled, int& count);
    static int setLogDelCount(bool enabled, int count);
    static int getLogDelSpan(bool& enabled, int& seconds);
    static int setLogDelSpan(bool enabled, int seconds);

private:
    // Where a page is read from. Pages past the middle are read from the
    // oldest end so that the last pages cost no more than the first ones.
    struct PageWindow {
        bool empty;
        bool from_oldest;
        size_t limit;
        size_t offset;
    };

    // Keeps count and page consistent against writers on other connections.
    class ReadSnapshot {
    public:
        ReadSnapshot();
        ~ReadSnapshot();
        ReadSnapshot(const ReadSnapshot&) = delete;
        ReadSnapshot& operator=(const ReadSnapshot&) = delete;

    private:
        bool m_active;
    };

    static PageWindow planPage(uint64_t count, size_t limit, size_t offset);
    static bool isOpenInternal();
    static int countInternal(const std::string& sql, uint64_t& count);
    static int prepareInternal(const char* sql, sqlite3_stmt** stmt);
    static void logStepFailure(int rc);

    static int beginWriteInternal();
    static int commitInternal();
    static void rollbackInternal();
    static int execInternal(const char* sql);
    static int prepareCachedStatements();
    static void finalizeCachedStatements();
    static int readConfigInternal(const char* enabled_key, const char* value_key, bool& enabled, int& value);
    // One setting pair (its on/off key and its value) read or written under the lock.
    static int readConfigPair(const char* enabled_key, const char* value_key, bool& enabled, int& value);
    static int writeConfigPair(const char* enabled_key, bool enabled, const char* value_key, int value);

    static int insertLogInternal(const MiscLog& record);
    static int insertTransferLogInternal(const TransferLog& record, uint64_t& rowid);
    static int insertTransferPairInternal(const TransferLog& record);
    static int insertReportLogInternal(const ReportLog& record);
    static int rotateLogInternal();

    template <typename Record>
    static int listLog(const char* sql, std::vector<Record>& rows);
    template <typename Record>
    static int stmtGetLog(sqlite3_stmt* stmt, Record& record);

    static std::string m_db_path;
    static std::mutex m_mutex;
    static sqlite3* m_db;

    // Prepared once per opening; the inserts and the trim run on every append.
    static sqlite3_stmt* m_insert_log_stmt;
    static sqlite3_stmt* m_insert_transfer_stmt;
    static sqlite3_stmt* m_read_config_stmt;
    static sqlite3_stmt* m_trim_stmt;
};

template <typename Filter, typename Record>
int LogDB::searchLog(const Filter& filter, std::vector<Record>& rows, unsigned int& total)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!isOpenInternal())
        return -1;
    ReadSnapshot snapshot;

    uint64_t count = 0;
    if (filter.offset == 0 && filter.limit != 0) {
        // The first page goes first: when it comes back short it holds every
        // match, and the count, a second pass over the table for a keyword
        // search, is not needed.
        std::vector<Record> first_page;
        if (listLog(filter.toSearchSQL().c_str(), first_page) != 0) {
            rows.insert(rows.end(), first_page.begin(), first_page.end());
            return -1;
        }
        if (first_page.size() < filter.limit) {
            count = first_page.size();
        } else if (countInternal(filter.toCountSQL(), count) != 0) {
            return -1;
        }
        total = static_cast<unsigned int>(count);
        rows.insert(rows.end(), first_page.begin(), first_page.end());
        return 0;
    }

    if (countInternal(filter.toCountSQL(), count) != 0)
        return -1;
    total = static_cast<unsigned int>(count);

    const PageWindow page = planPage(count, filter.limit, filter.offset);
    if (page.empty)
        return 0;
    if (!page.from_oldest)
        return listLog(filter.toSearchSQL().c_str(), rows);

    std::vector<Record> oldest_first;
    const int result = listLog(filter.toOldestFirstSQL(page.limit, page.offset).c_str(), oldest_first);
    rows.insert(rows.end(), oldest_first.rbegin(), oldest_first.rend());
    return result;
}

template <typename Record>
int LogDB::listLog(const char* sql, std::vector<Record>& rows)
{
    sqlite3_stmt* stmt = nullptr;
    if (prepareInternal(sql, &stmt) != 0)
        return -1;
    Record record;
    int result;
    while ((result = stmtGetLog(stmt, record)) == 1)
        rows.push_back(record);
    sqlite3_finalize(stmt);
    return result == 0 ? 0 : -1;
}

template <typename Record>
int LogDB::stmtGetLog(sqlite3_stmt* stmt, Record& record)
{
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        record.fillFromStmt(stmt);
        return 1;
    }
    if (rc == SQLITE_DONE)
        return 0;
    logStepFailure(rc);
    return -1;
}
