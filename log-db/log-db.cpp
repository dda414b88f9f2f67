#include "log-db.h"

#include <climits>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>

#include "file-op-ex.h"
#include "log.h"
#include "sqlite-column.h"

namespace {

const std::string kComponent = "default_component";

// Messages carry the source line first, as every log line of the libraries does.
#define LOGDB_ERROR(fmt, ...) QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] log-db(%d): " fmt L"\n", ##__VA_ARGS__)
#define LOGDB_INFO(fmt, ...) QM_LOG(Logger::L_INFO, kComponent, L"[INFO] log-db(%d): " fmt L"\n", ##__VA_ARGS__)

const char* const kInsertLogSql =
    "INSERT INTO log_table (type, ip, username, time, s1, s2, s3, s4, s5, p1, p2, p3, p4, p5) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14);";
const char* const kInsertTransferSql =
    "INSERT INTO transfer_table (type, username, device_name, client_type, ip, geolocation, file_name, "
    "path_from, path_to, start_time, end_time, elapsed_time, rtt, avg_speed, file_size) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15);";
const char* const kReadConfigSql = "SELECT key, value FROM config_table;";
const char* const kTrimSql = "DELETE FROM log_table WHERE rowid <= ?1;";

std::string buildCreateScript()
{
    std::stringstream script;
    script << "PRAGMA journal_mode = WAL;"
              "PRAGMA synchronous = NORMAL;"
              "BEGIN IMMEDIATE;"
              "CREATE TABLE IF NOT EXISTS log_table ("
              " type INTEGER NOT NULL, ip VARCHAR, username VARCHAR, time INTEGER NOT NULL,"
              " s1 VARCHAR COLLATE NOCASE, s2 VARCHAR COLLATE NOCASE, s3 VARCHAR COLLATE NOCASE,"
              " s4 VARCHAR COLLATE NOCASE, s5 VARCHAR COLLATE NOCASE,"
              " p1 VARCHAR COLLATE NOCASE, p2 VARCHAR COLLATE NOCASE, p3 VARCHAR COLLATE NOCASE,"
              " p4 VARCHAR COLLATE NOCASE, p5 VARCHAR COLLATE NOCASE);"
              "CREATE TABLE IF NOT EXISTS transfer_table ("
              " type INTEGER NOT NULL, username VARCHAR, device_name VARCHAR, client_type VARCHAR,"
              " ip VARCHAR, geolocation VARCHAR, file_name VARCHAR, path_from VARCHAR, path_to VARCHAR,"
              " start_time INTEGER NOT NULL, end_time INTEGER NOT NULL, elapsed_time INTEGER NOT NULL,"
              " rtt INTEGER, avg_speed INTEGER, file_size INTEGER);"
              "CREATE TABLE IF NOT EXISTS report_table ("
              " id INTEGER PRIMARY KEY AUTOINCREMENT, name VARCHAR, interval VARCHAR,"
              " generate_time INTEGER, uri_suffix VARCHAR);"
              "CREATE TABLE IF NOT EXISTS config_table ("
              " key VARCHAR PRIMARY KEY ON CONFLICT IGNORE, value VARCHAR NOT NULL);"
              "INSERT or IGNORE into config_table VALUES ('version', '0000');"
              "INSERT OR IGNORE INTO config_table VALUES ('use_log_del_cnt', 1);"
              "INSERT OR IGNORE INTO config_table VALUES ('log_del_cnt', 1000000);"
              "INSERT OR IGNORE INTO config_table VALUES ('use_log_del_span', 1);"
              "INSERT OR IGNORE INTO config_table VALUES ('log_del_span', '2592000');"
              "CREATE INDEX IF NOT EXISTS log_table_type_index ON log_table(type);"
              "CREATE INDEX IF NOT EXISTS log_table_time_index ON log_table(time);"
              "CREATE INDEX IF NOT EXISTS transfer_table_type_index ON transfer_table(type);"
              "CREATE INDEX IF NOT EXISTS transfer_table_start_time_index ON transfer_table(start_time);"
              "CREATE INDEX IF NOT EXISTS transfer_table_end_time_index ON transfer_table(end_time);"
              "DROP TRIGGER IF EXISTS log_delete_trigger;"
              "CREATE TRIGGER IF NOT EXISTS log_delete_trigger AFTER DELETE ON log_table FOR EACH ROW BEGIN"
              " DELETE FROM transfer_table where (";
    // Every transfer type links its general-log row to a transfer row by p1.
    for (int type = LOG_UPLOAD; type <= LOG_DOWNLOAD_FAILED; ++type)
        script << (type == LOG_UPLOAD ? "" : " OR ") << "OLD.type = " << type;
    script << ") AND rowid = OLD.p1; END;"
              "END TRANSACTION;"
              "PRAGMA auto_vacuum = 1;";
    return script.str();
}

// A setting read the way atoi reads it (leading blanks, a sign, digits, the
// rest ignored), but clamped to int: atoi's overflow is undefined, and a huge
// count cut to 32 bits could become a small one that trims nearly every row.
int settingToInt(const std::string& text)
{
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

void bindText(sqlite3_stmt* stmt, int index, const std::string& text)
{
    // The strings outlive the step: the statement is reset before returning.
    sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

// Resets a cached statement on every path out of an insert.
class StatementReset {
public:
    explicit StatementReset(sqlite3_stmt* stmt) : m_stmt(stmt) {}
    ~StatementReset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    StatementReset(const StatementReset&) = delete;
    StatementReset& operator=(const StatementReset&) = delete;

private:
    sqlite3_stmt* m_stmt;
};

}  // namespace

std::string LogDB::m_db_path;
std::mutex LogDB::m_mutex;
sqlite3* LogDB::m_db = nullptr;
sqlite3_stmt* LogDB::m_insert_log_stmt = nullptr;
sqlite3_stmt* LogDB::m_insert_transfer_stmt = nullptr;
sqlite3_stmt* LogDB::m_read_config_stmt = nullptr;
sqlite3_stmt* LogDB::m_trim_stmt = nullptr;

int LogDB::initialize(const std::string& path)
{
    if (m_db) {
        LOGDB_ERROR("Manager::Initialize: harmless no-op");
        return 0;
    }
    const std::string script = buildCreateScript();
    sqlite3* db = nullptr;
    int rc = sqlite3_open(path.c_str(), &db);
    if (rc != SQLITE_OK) {
        LOGDB_ERROR("sqlite3_open: %d", rc);
        sqlite3_close(db);
        return -1;
    }
    sqlite3_busy_timeout(db, 300000);
    rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        LOGDB_ERROR("LogDB: Failed to initialize database at '%s'. (%d) %s", path.c_str(), rc, sqlite3_errmsg(db));
        sqlite3_close(db);
        return -1;
    }
    m_db = db;
    if (prepareCachedStatements() != 0) {
        finalizeCachedStatements();
        sqlite3_close(m_db);
        m_db = nullptr;
        return -1;
    }
    m_db_path = path;
    LOGDB_INFO("LogDB has been initialized with location '%s'", path.c_str());
    return 0;
}

void LogDB::destroy()
{
    if (!m_db) {
        LOGDB_INFO("LogDB has been deinitialzed (no-op)");
        return;
    }
    finalizeCachedStatements();
    sqlite3_close(m_db);
    m_db = nullptr;
    m_db_path.clear();
    LOGDB_INFO("LogDB has been deinitialzed");
}

int LogDB::prepareCachedStatements()
{
    const struct {
        const char* sql;
        sqlite3_stmt** stmt;
    } statements[] = {
        {kInsertLogSql, &m_insert_log_stmt},
        {kInsertTransferSql, &m_insert_transfer_stmt},
        {kReadConfigSql, &m_read_config_stmt},
        {kTrimSql, &m_trim_stmt},
    };
    for (const auto& entry : statements) {
        const int rc = sqlite3_prepare_v3(m_db, entry.sql, -1, SQLITE_PREPARE_PERSISTENT, entry.stmt, nullptr);
        if (rc != SQLITE_OK) {
            LOGDB_ERROR("sqlite3_prepare_v2 failed (%d, %s): %s", rc, sqlite3_errmsg(m_db), entry.sql);
            return -1;
        }
    }
    return 0;
}

void LogDB::finalizeCachedStatements()
{
    for (sqlite3_stmt** stmt : {&m_insert_log_stmt, &m_insert_transfer_stmt, &m_read_config_stmt, &m_trim_stmt}) {
        sqlite3_finalize(*stmt);
        *stmt = nullptr;
    }
}

bool LogDB::isOpenInternal()
{
    if (m_db)
        return true;
    LOGDB_ERROR("LogDB is not open");
    return false;
}

int LogDB::execInternal(const char* sql)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        LOGDB_ERROR("sqlite3_exec: (%d, %s), %s", rc, message ? message : "", sql);
        sqlite3_free(message);
        return -1;
    }
    return 0;
}

int LogDB::beginWriteInternal()
{
    return execInternal("BEGIN IMMEDIATE;");
}

int LogDB::commitInternal()
{
    if (execInternal("COMMIT;") == 0)
        return 0;
    // A busy or failed COMMIT may leave the transaction open; never let the
    // next operation run inside it.
    rollbackInternal();
    return -1;
}

void LogDB::rollbackInternal()
{
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK;", nullptr, nullptr, nullptr);
}

int LogDB::insertLog(const MiscLog& record)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!isOpenInternal() || beginWriteInternal() != 0)
        return -1;
    if (insertLogInternal(record) != 0) {
        rollbackInternal();
        return -1;
    }
    // A failed trim is reported, but the row just stored is kept.
    const int trimmed = rotateLogInternal();
    if (commitInternal() != 0)
        return -1;
    return trimmed;
}

int LogDB::insertTransferLog(const TransferLog& record)
{
    return insertTransferLogs(std::vector<TransferLog>(1, record));
}

int LogDB::insertTransferLogs(const std::vector<TransferLog>& records)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!isOpenInternal() || beginWriteInternal() != 0)
        return -1;
    for (const TransferLog& record : records) {
        // A transfer row without its general-log row would never be trimmed.
        if (insertTransferPairInternal(record) != 0) {
            rollbackInternal();
            return -1;
        }
    }
    const int trimmed = records.empty() ? 0 : rotateLogInternal();
    if (commitInternal() != 0)
        return -1;
    return trimmed;
}

int LogDB::insertTransferPairInternal(const TransferLog& record)
{
    uint64_t rowid = 0;
    if (insertTransferLogInternal(record, rowid) != 0)
        return -1;
    MiscLog entry;
    entry.type = record.type;
    entry.ip = record.ip;
    entry.username = record.username;
    entry.pushArg(rowid, false);
    entry.pushArg(record.path_from, true);
    entry.pushArg(record.path_to, true);
    entry.pushArg(record.geolocation, true);
    return insertLogInternal(entry);
}

int LogDB::insertLogInternal(const MiscLog& record)
{
    if (record.s_arg.size() > MiscLog::kMaxArgs || record.p_arg.size() > MiscLog::kMaxArgs) {
        LOGDB_ERROR("insertLog: %d text and %d further arguments, at most %d of each", static_cast<int>(record.s_arg.size()),
                    static_cast<int>(record.p_arg.size()), static_cast<int>(MiscLog::kMaxArgs));
        return -1;
    }
    sqlite3_stmt* stmt = m_insert_log_stmt;
    StatementReset reset(stmt);
    sqlite3_bind_int64(stmt, 1, record.type);
    bindText(stmt, 2, record.ip);
    bindText(stmt, 3, record.username);
    // The stored time is the moment of storing, whatever the record holds.
    sqlite3_bind_int64(stmt, 4, static_cast<sqlite3_int64>(cross::getMillisecondTimestamp()));
    // Arguments not given stay NULL.
    for (size_t k = 0; k < record.s_arg.size(); ++k)
        bindText(stmt, 5 + static_cast<int>(k), record.s_arg[k]);
    for (size_t k = 0; k < record.p_arg.size(); ++k)
        bindText(stmt, 10 + static_cast<int>(k), record.p_arg[k]);
    const int rc = sqlite3_step(stmt);
    if (rc != SQLITE_DONE) {
        LOGDB_ERROR("sqlite3_exec: (%d, %s), %s", rc, sqlite3_errmsg(m_db), kInsertLogSql);
        return -1;
    }
    return 0;
}

int LogDB::insertTransferLogInternal(const TransferLog& record, uint64_t& rowid)
{
    rowid = 0;
    sqlite3_stmt* stmt = m_insert_transfer_stmt;
    StatementReset reset(stmt);
    sqlite3_bind_int64(stmt, 1, record.type);
    bindText(stmt, 2, record.username);
    bindText(stmt, 3, record.device_name);
    bindText(stmt, 4, record.client_type);
    bindText(stmt, 5, record.ip);
    bindText(stmt, 6, record.geolocation);
    bindText(stmt, 7, record.file_name);
    bindText(stmt, 8, record.path_from);
    bindText(stmt, 9, record.path_to);
    sqlite3_bind_int64(stmt, 10, static_cast<sqlite3_int64>(record.start_time));
    sqlite3_bind_int64(stmt, 11, static_cast<sqlite3_int64>(record.end_time));
    sqlite3_bind_int64(stmt, 12, static_cast<sqlite3_int64>(record.elapsed_time));
    sqlite3_bind_int64(stmt, 13, record.rtt);
    sqlite3_bind_int64(stmt, 14, static_cast<sqlite3_int64>(record.avg_speed));
    sqlite3_bind_int64(stmt, 15, static_cast<sqlite3_int64>(record.file_size));
    const int rc = sqlite3_step(stmt);
    if (rc != SQLITE_DONE) {
        LOGDB_ERROR("sqlite3_exec: (%d, %s), %s", rc, sqlite3_errmsg(m_db), kInsertTransferSql);
        return -1;
    }
    rowid = static_cast<uint64_t>(sqlite3_last_insert_rowid(m_db));
    return 0;
}

int LogDB::readConfigInternal(const char* enabled_key, const char* value_key, bool& enabled, int& value)
{
    std::map<std::string, std::string> config;
    sqlite3_stmt* stmt = m_read_config_stmt;
    StatementReset reset(stmt);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        config[columnText(stmt, 0)] = columnText(stmt, 1);
    if (rc != SQLITE_DONE)
        return -1;
    // Values are text; a missing key reads as 0, as atoi would give.
    enabled = settingToInt(config[enabled_key]) != 0;
    value = settingToInt(config[value_key]);
    return 0;
}

int LogDB::rotateLogInternal()
{
    bool enabled = false;
    int keep = 0;
    if (readConfigInternal("use_log_del_cnt", "log_del_cnt", enabled, keep) != 0) {
        LOGDB_ERROR("Cannot getConfig from log_db");
        return -1;
    }
    // A count of 0 or less would delete every row, the new one included: a
    // broken setting must never wipe the log, so it means "keep everything".
    if (!enabled || keep <= 0)
        return 0;
    // Keeps the newest `keep` rows by row id; the trigger takes the transfer
    // rows of deleted transfer entries with them.
    const sqlite3_int64 boundary = sqlite3_last_insert_rowid(m_db) - keep;
    if (boundary <= 0)
        return 0;
    StatementReset reset(m_trim_stmt);
    sqlite3_bind_int64(m_trim_stmt, 1, boundary);
    const int rc = sqlite3_step(m_trim_stmt);
    if (rc != SQLITE_DONE) {
        LOGDB_ERROR("sqlite3_exec: (%d, %s), %s", rc, sqlite3_errmsg(m_db), kTrimSql);
        return -1;
    }
    return 0;
}

int LogDB::insertReportLog(const ReportLog& record)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!isOpenInternal())
        return -1;
    return insertReportLogInternal(record);
}

int LogDB::insertReportLogInternal(const ReportLog& record)
{
    std::unique_ptr<char, decltype(&sqlite3_free)> sql(
        sqlite3_mprintf("INSERT INTO report_table (name, interval, generate_time, uri_suffix) VALUES (%Q, %Q, %u, %Q); ",
                        record.name.c_str(), record.interval.c_str(), record.generate_time, record.uri_suffix.c_str()),
        &sqlite3_free);
    if (!sql) {
        LOGDB_ERROR("sqlite3_mprintf failed");
        return -1;
    }
    return execInternal(sql.get());
}

int LogDB::deleteLog()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!isOpenInternal() || beginWriteInternal() != 0)
        return -1;
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, "DELETE FROM log_table; DELETE FROM transfer_table; ", nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        LOGDB_ERROR("sqlite3_exec: (%d, %s)", rc, message ? message : "");
        sqlite3_free(message);
        rollbackInternal();
        return -1;
    }
    return commitInternal();
}

int LogDB::readConfigPair(const char* enabled_key, const char* value_key, bool& enabled, int& value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!isOpenInternal())
        return -1;
    return readConfigInternal(enabled_key, value_key, enabled, value);
}

int LogDB::getLogDelCount(bool& enabled, int& count)
{
    return readConfigPair("use_log_del_cnt", "log_del_cnt", enabled, count);
}

int LogDB::getLogDelSpan(bool& enabled, int& seconds)
{
    return readConfigPair("use_log_del_span", "log_del_span", enabled, seconds);
}

namespace {

std::string buildSettingPair(const char* enabled_key, bool enabled, const char* value_key, int value)
{
    std::stringstream sql;
    sql << "BEGIN TRANSACTION;"
        << "update config_table set value='" << (enabled ? 1 : 0) << "' where key='" << enabled_key << "';"
        << "update config_table set value='" << value << "' where key='" << value_key << "';"
        << "END;";
    return sql.str();
}

}  // namespace

int LogDB::writeConfigPair(const char* enabled_key, bool enabled, const char* value_key, int value)
{
    const std::string sql = buildSettingPair(enabled_key, enabled, value_key, value);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!isOpenInternal())
        return -1;
    if (execInternal(sql.c_str()) != 0) {
        rollbackInternal();
        return -1;
    }
    return 0;
}

int LogDB::setLogDelCount(bool enabled, int count)
{
    return writeConfigPair("use_log_del_cnt", enabled, "log_del_cnt", count);
}

int LogDB::setLogDelSpan(bool enabled, int seconds)
{
    return writeConfigPair("use_log_del_span", enabled, "log_del_span", seconds);
}

LogDB::PageWindow LogDB::planPage(uint64_t count, size_t limit, size_t offset)
{
    PageWindow page{false, false, limit, offset};
    if (offset >= count) {
        page.empty = true;
        return page;
    }
    // Rows left after skipping `offset` newest ones. When fewer remain than are
    // skipped, reading them from the oldest end walks fewer rows.
    const uint64_t remaining = count - offset;
    if (remaining >= offset)
        return page;
    page.from_oldest = true;
    page.limit = (limit == 0 || limit > remaining) ? static_cast<size_t>(remaining) : limit;
    page.offset = static_cast<size_t>(remaining - page.limit);
    return page;
}

int LogDB::countInternal(const std::string& sql, uint64_t& count)
{
    sqlite3_stmt* stmt = nullptr;
    if (prepareInternal(sql.c_str(), &stmt) != 0)
        return -1;
    const int rc = sqlite3_step(stmt);
    int result = 0;
    if (rc == SQLITE_ROW) {
        count = static_cast<uint64_t>(sqlite3_column_int64(stmt, 0));
    } else if (rc == SQLITE_DONE) {
        count = 0;
    } else {
        // Without a true count the page cannot be placed: fail the search
        // rather than report a stale total.
        logStepFailure(rc);
        result = -1;
    }
    sqlite3_finalize(stmt);
    return result;
}

int LogDB::prepareInternal(const char* sql, sqlite3_stmt** stmt)
{
    const int rc = sqlite3_prepare_v2(m_db, sql, -1, stmt, nullptr);
    if (rc != SQLITE_OK) {
        LOGDB_ERROR("sqlite3_prepare_v2 failed (%d, %s): %s", rc, sqlite3_errmsg(m_db), sql);
        sqlite3_finalize(*stmt);
        *stmt = nullptr;
        return -1;
    }
    return 0;
}

void LogDB::logStepFailure(int rc)
{
    LOGDB_ERROR("sqlite3_step failed (%d, %s)", rc, sqlite3_errmsg(m_db));
}

LogDB::ReadSnapshot::ReadSnapshot() : m_active(sqlite3_exec(m_db, "BEGIN;", nullptr, nullptr, nullptr) == SQLITE_OK) {}

LogDB::ReadSnapshot::~ReadSnapshot()
{
    if (m_active && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "COMMIT;", nullptr, nullptr, nullptr);
}
