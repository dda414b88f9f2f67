#include "system-db.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <ctime>
#include <memory>

#include "log.h"
#include "system-db-check.h"

namespace {

const char* const kComponent = "system_db_debug";

#define SYSDB_ERROR(fmt, ...) QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] system-db(%d): " fmt L"\n", ##__VA_ARGS__)
#define SYSDB_INFO(fmt, ...) QM_LOG(Logger::L_INFO, kComponent, L"[INFO] system-db(%d): " fmt L"\n", ##__VA_ARGS__)

// Run whole on every open. Every statement is conditional, so an existing
// file keeps its rows, its release_version and its language; an older
// connection_table stays as it is until the upgrade chain rebuilds it.
const char* const kCreateScript =
    "BEGIN IMMEDIATE;CREATE TABLE IF NOT EXISTS connection_table ( \n"
    "   id                      INTEGER PRIMARY KEY AUTOINCREMENT, \n"
    "   hostname                VARCHAR, \n"
    "   domain_name             VARCHAR, \n"
    "   port                    INTEGER, \n"
    "   username                VARCHAR, \n"
    "   password                VARCHAR, \n"
    "   remember_password       INTEGER, \n"
    "   concurrent              INTEGER, \n"
    "   max_upload              INTEGER, \n"
    "   max_download            INTEGER, \n"
    "   encrypted               INTEGER, \n"
    "   compressed              INTEGER, \n"
    "   ssl_allow_untrust       INTEGER, \n"
    "   ssl_signature           TEXT,    \n"
    "   last_used_time          DATETIME DEFAULT (strftime('%s','now')), \n"
    "   download_location       TEXT,    \n"
    "   enable_upload_control   INTEGER, \n"
    "   enable_download_control INTEGER, \n"
    "   min_upload              INTEGER, \n"
    "   min_download            INTEGER, \n"
    "   UNIQUE (domain_name, username, port) ON CONFLICT REPLACE \n"
    "); \n"
    "CREATE TABLE IF NOT EXISTS system_table ( \n"
    "   key    VARCHAR PRIMARY KEY ON CONFLICT IGNORE, \n"
    "   value  VARCHAR NOT NULL \n"
    "); \n"
    "INSERT or IGNORE INTO system_table values ('release_version', 23); INSERT OR IGNORE INTO system_table VALUES ('language', 'def'); COMMIT; ";

const char* const kInsertConnectionSql =
    "INSERT into connection_table \t(id, hostname, domain_name, port, username, password, remember_password, \tconcurrent, enable_upload_control, max_upload, min_upload, enable_download_control, max_download, min_download,   encrypted, compressed, ssl_allow_untrust, ssl_signature, download_location) \tVALUES (%llu, %Q, %Q, %d, %Q, %Q, %d, %d, %d, %llu, %llu ,%d, %llu, %llu, %d, %d, %d, %Q, %Q); ";

const char* const kUpdateConnectionSql =
    "UPDATE connection_table SET         hostname = %Q,                   password = %Q,                   remember_password = %d,          concurrent = %d,                 enable_upload_control = %d,      max_upload = %llu,               min_upload = %llu,               enable_download_control = %d,    max_download = %llu,             min_download = %llu,             encrypted = %d,                  compressed = %d,                 ssl_allow_untrust = %d,          ssl_signature = %Q,              last_used_time = %u,             download_location = %Q         WHERE id = %llu;                ";

const char* const kSelectColumns =
    "SELECT id, hostname, domain_name, port, username, password, remember_password, concurrent, "
    "enable_upload_control, max_upload, min_upload, enable_download_control, max_download, min_download, "
    "encrypted, compressed, ssl_allow_untrust, ssl_signature, last_used_time, download_location FROM connection_table ";

// The key columns are compared with NOCASE rather than LIKE: the same ASCII
// case folding, but "%" and "_" in an address or user name match only
// themselves, so a look-up can never load another connection's password.
const char* const kSelectByAuthorityCondition =
    "WHERE domain_name = %Q COLLATE NOCASE AND username = %Q COLLATE NOCASE AND port = %d; ";

typedef std::unique_ptr<char, decltype(&sqlite3_free)> SqlText;

SqlText makeSql(char* text)
{
    return SqlText(text, &sqlite3_free);
}

std::string columnText(sqlite3_stmt* stmt, int column)
{
    const unsigned char* text = sqlite3_column_text(stmt, column);
    if (!text)
        return std::string();
    return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
}

// Holds SystemDB's mutex for one scope.
class ScopedLock {
public:
    ScopedLock(void (*lock)(), void (*unlock)()) : m_unlock(unlock) { lock(); }
    ~ScopedLock() { m_unlock(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    void (*m_unlock)();
};

}  // namespace

std::string SystemDB::m_default_download_path;
std::string SystemDB::m_db_path;
std::mutex SystemDB::m_mutex;
sqlite3* SystemDB::m_db = nullptr;

void SystemDB::lock()
{
    m_mutex.lock();
}

void SystemDB::unlock()
{
    m_mutex.unlock();
}

int SystemDB::initialize(const ustring& path)
{
    if (m_db) {
        SYSDB_INFO("SystemDB has been initialized (no-op)");
        return 0;
    }
    const std::string utf8_path = path.c_str_utf8();
    sqlite3* db = nullptr;
    int rc = sqlite3_open(utf8_path.c_str(), &db);
    if (rc != SQLITE_OK) {
        SYSDB_ERROR("SystemDB: Failed to open database at '%s'. [%d] %s", utf8_path.c_str(), rc, sqlite3_errmsg(db));
        sqlite3_close(db);
        return -1;
    }
    // Remembered passwords are kept in plain text: the file (and the journals
    // SQLite gives its mode) is for its owner only. Done before anything is
    // written; a file we do not own keeps its mode.
    chmod(utf8_path.c_str(), S_IRUSR | S_IWUSR);
    sqlite3_busy_timeout(db, 300000);
    // A damaged file is refused before anything is written to it; after the
    // script, a file whose tables lack a column the program reads (an old
    // schema under a newer version, a damaged schema text) is refused too,
    // so that start-up can offer to set it aside instead of failing every
    // list and save.
    std::string defect = quickCheckDefect(db);
    if (defect.empty()) {
        rc = sqlite3_exec(db, kCreateScript, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            SYSDB_ERROR("SystemDB: Failed to initialize database at '%s'. [%d] %s", utf8_path.c_str(), rc,
                        sqlite3_errmsg(db));
            sqlite3_close(db);
            return -1;
        }
        defect = missingSystemDBColumn(db);
    }
    if (!defect.empty()) {
        SYSDB_ERROR("SystemDB: database at '%s' cannot be used: %s", utf8_path.c_str(), defect);
        sqlite3_close(db);
        return -1;
    }
    m_db = db;
    m_db_path = utf8_path;
    SYSDB_INFO("SystemDB has been initialized with location '%s'", utf8_path.c_str());
    return 0;
}

int SystemDB::peekConfig(const ustring& path, const ustring& key, ustring& value)
{
    value = ustring();
    const std::string utf8_path = path.c_str_utf8();
    sqlite3* db = nullptr;
    // Read-only and without creating: the file stays exactly as it is until
    // the upgrade chain has seen it.
    int rc = sqlite3_open_v2(utf8_path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(db, "SELECT value FROM system_table WHERE key = ?;", -1, &stmt, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_bind_text(stmt, 1, key.c_str_utf8(), -1, SQLITE_TRANSIENT);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(stmt);
    const bool found = rc == SQLITE_ROW;
    if (found)
        value = ustring(columnText(stmt, 0));
    else
        SYSDB_INFO("peekConfig: no '%s' in '%s' (%d)", key, utf8_path.c_str(), rc);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return found ? 0 : -1;
}

void SystemDB::destroy()
{
    if (!m_db) {
        SYSDB_INFO("SystemDB has been deinitialzed (no-op)");
        return;
    }
    sqlite3_close(m_db);
    m_db = nullptr;
    m_db_path.clear();
    SYSDB_INFO("SystemDB has been deinitialzed");
}

std::string SystemDB::getDefaultDownloadPath()
{
    return m_default_download_path;
}

int SystemDB::execLocked(const char* sql, const char* operation)
{
    ScopedLock guard(lock, unlock);
    if (!m_db) {
        SYSDB_ERROR("%s: database is not open", operation);
        return -1;
    }
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        SYSDB_ERROR("%s: exec fail rc = %d, %s", operation, rc, message ? message : "");
        sqlite3_free(message);
        return -1;
    }
    return 0;
}

int SystemDB::initializeDefaultDownloadLocation(const std::string& path)
{
    m_default_download_path = path;
    SqlText sql = makeSql(
        sqlite3_mprintf("UPDATE connection_table SET download_location = %Q WHERE download_location = '';", path.c_str()));
    if (!sql) {
        SYSDB_ERROR("initializeDefaultDownloadLocation: sqlite3_mprintf failed.");
        return -1;
    }
    return execLocked(sql.get(), "initializeDefaultDownloadLocation");
}

int SystemDB::getMaxConnectionId(uint64_t& id)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, "SELECT max(id) from connection_table;", -1, &stmt, nullptr) != SQLITE_OK) {
        SYSDB_ERROR("getMaxConnectionId: prepare failed");
        sqlite3_finalize(stmt);
        return -1;
    }
    const int rc = sqlite3_step(stmt);
    int result = 0;
    if (rc == SQLITE_ROW) {
        // max() of an empty table is NULL, which reads as 0.
        id = static_cast<uint64_t>(sqlite3_column_int64(stmt, 0));
    } else {
        SYSDB_ERROR("getMaxConnectionId: step failed, rc = %d", rc);
        result = -1;
    }
    sqlite3_finalize(stmt);
    return result;
}

int SystemDB::insertNewConnection(ConnectionInfo& info)
{
    ScopedLock guard(lock, unlock);
    if (!m_db) {
        SYSDB_ERROR("insertNewConnection: database is not open");
        return -1;
    }
    // The id is chosen and written under one lock, so two callers never pick
    // the same one.
    uint64_t max_id = 0;
    if (getMaxConnectionId(max_id) != 0) {
        SYSDB_ERROR("insertNewConnection: getMaxConnectionId failed");
        return -1;
    }
    info.id = max_id + 1;
    const std::string password = info.remember_password ? info.password : std::string();
    SqlText sql = makeSql(sqlite3_mprintf(
        kInsertConnectionSql, static_cast<unsigned long long>(info.id), info.hostname.c_str(), info.domain_name.c_str(),
        info.port, info.username.c_str(), password.c_str(), info.remember_password ? 1 : 0, info.concurrent,
        info.enable_upload_control ? 1 : 0, static_cast<unsigned long long>(info.max_upload),
        static_cast<unsigned long long>(info.min_upload), info.enable_download_control ? 1 : 0,
        static_cast<unsigned long long>(info.max_download), static_cast<unsigned long long>(info.min_download),
        info.encrypted ? 1 : 0, info.compressed ? 1 : 0, info.ssl_allow_untrust ? 1 : 0, info.ssl_signature.c_str(),
        info.download_location.c_str()));
    if (!sql) {
        SYSDB_ERROR("insertNewConnection: sqlite3_mprintf failed.");
        return -1;
    }
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.get(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        SYSDB_ERROR("insertNewConnection: exec fail rc = %d, %s", rc, message ? message : "");
        sqlite3_free(message);
        return -1;
    }
    return 0;
}

int SystemDB::updateExistedConnection(ConnectionInfo& info)
{
    const uint32_t now = static_cast<uint32_t>(std::time(nullptr));
    const std::string password = info.remember_password ? info.password : std::string();
    SqlText sql = makeSql(sqlite3_mprintf(
        kUpdateConnectionSql, info.hostname.c_str(), password.c_str(), info.remember_password ? 1 : 0,
        info.concurrent, info.enable_upload_control ? 1 : 0, static_cast<unsigned long long>(info.max_upload),
        static_cast<unsigned long long>(info.min_upload), info.enable_download_control ? 1 : 0,
        static_cast<unsigned long long>(info.max_download), static_cast<unsigned long long>(info.min_download),
        info.encrypted ? 1 : 0, info.compressed ? 1 : 0, info.ssl_allow_untrust ? 1 : 0, info.ssl_signature.c_str(),
        now, info.download_location.c_str(), static_cast<unsigned long long>(info.id)));
    if (!sql) {
        SYSDB_ERROR("updateExistedConnection: sqlite3_mprintf failed.");
        return -1;
    }
    return execLocked(sql.get(), "updateExistedConnection");
}

int SystemDB::deleteConnection(uint64_t id)
{
    SqlText sql =
        makeSql(sqlite3_mprintf("DELETE FROM connection_table WHERE id = %llu", static_cast<unsigned long long>(id)));
    if (!sql) {
        SYSDB_ERROR("deleteConnection: sqlite3_mprintf failed.");
        return -1;
    }
    return execLocked(sql.get(), "deleteConnection");
}

int SystemDB::getConnectionByAuthority(const std::string& domain_name, const std::string& username, int port,
                                       ConnectionInfo& info)
{
    const std::string format = std::string(kSelectColumns) + kSelectByAuthorityCondition;
    SqlText sql = makeSql(sqlite3_mprintf(format.c_str(), domain_name.c_str(), username.c_str(), port));
    if (!sql) {
        SYSDB_ERROR("getConnectionByDomainUsername: mprintf failed");
        return -1;
    }
    ScopedLock guard(lock, unlock);
    if (!m_db) {
        SYSDB_ERROR("getConnectionByDomainUsername: database is not open");
        return -1;
    }
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(m_db, sql.get(), -1, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        SYSDB_ERROR("getConnectionByDomainUsername: sqlite3_prepare_v2: %s (%d)", sqlite3_errmsg(m_db), rc);
        sqlite3_finalize(stmt);
        return -1;
    }
    int result;
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        stmtToConnectionInfo(stmt, info);
        result = 1;
    } else if (rc == SQLITE_DONE) {
        result = 0;
    } else {
        SYSDB_ERROR("getConnectionByDomainUsername: sqlite3_step: %s (%d)", sqlite3_errmsg(m_db), rc);
        result = -1;
    }
    sqlite3_finalize(stmt);
    return result;
}

int SystemDB::listConnection(std::list<ConnectionInfo>& infos)
{
    infos.clear();
    ScopedLock guard(lock, unlock);
    if (!m_db) {
        SYSDB_ERROR("listConnection: database is not open");
        return -1;
    }
    const std::string sql = std::string(kSelectColumns) + ";";
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        SYSDB_ERROR("listConnection: sqlite3_prepare_v2: %s (%d)", sqlite3_errmsg(m_db), rc);
        sqlite3_finalize(stmt);
        return -1;
    }
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        ConnectionInfo info;
        stmtToConnectionInfo(stmt, info);
        infos.push_back(info);
    }
    int result = 0;
    if (rc != SQLITE_DONE) {
        SYSDB_ERROR("sqlite3_step: [%d] %s", rc, sqlite3_errmsg(m_db));
        result = -1;
    }
    sqlite3_finalize(stmt);
    return result;
}

void SystemDB::stmtToConnectionInfo(sqlite3_stmt* stmt, ConnectionInfo& info)
{
    // remember_password counts any non-zero value as set; the other flags
    // only exactly 1, as older clients wrote them.
    info.id = static_cast<uint64_t>(sqlite3_column_int64(stmt, 0));
    info.hostname = columnText(stmt, 1);
    info.domain_name = columnText(stmt, 2);
    info.port = sqlite3_column_int(stmt, 3);
    info.username = columnText(stmt, 4);
    info.password = columnText(stmt, 5);
    info.remember_password = sqlite3_column_int(stmt, 6) != 0;
    info.concurrent = sqlite3_column_int(stmt, 7);
    info.enable_upload_control = sqlite3_column_int(stmt, 8) == 1;
    info.max_upload = static_cast<uint64_t>(sqlite3_column_int64(stmt, 9));
    info.min_upload = static_cast<uint64_t>(sqlite3_column_int64(stmt, 10));
    info.enable_download_control = sqlite3_column_int(stmt, 11) == 1;
    info.max_download = static_cast<uint64_t>(sqlite3_column_int64(stmt, 12));
    info.min_download = static_cast<uint64_t>(sqlite3_column_int64(stmt, 13));
    info.encrypted = sqlite3_column_int(stmt, 14) == 1;
    info.compressed = sqlite3_column_int(stmt, 15) == 1;
    info.ssl_allow_untrust = sqlite3_column_int(stmt, 16) == 1;
    info.ssl_signature = columnText(stmt, 17);
    info.last_used_time = static_cast<uint32_t>(sqlite3_column_int64(stmt, 18));
    info.download_location = columnText(stmt, 19);
}

int SystemDB::setConfig(const ustring& key, const ustring& value)
{
    SqlText sql = makeSql(sqlite3_mprintf("INSERT OR REPLACE INTO system_table VALUES ('%q', '%q');", key.c_str_utf8(),
                                          value.c_str_utf8()));
    if (!sql) {
        SYSDB_ERROR("insert sqlite3_mprintf failed.");
        return -1;
    }
    ScopedLock guard(lock, unlock);
    if (!m_db) {
        SYSDB_ERROR("setConfig: database is not open");
        return -1;
    }
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.get(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        SYSDB_ERROR("setConfig fail ret = %d %s", rc, message ? message : "");
        sqlite3_free(message);
        return -1;
    }
    return 0;
}

int SystemDB::getConfig(const ustring& key, ustring& value)
{
    value = "";
    // NOCASE keeps keys case-insensitive without LIKE's wildcards.
    SqlText sql =
        makeSql(sqlite3_mprintf("SELECT value FROM system_table WHERE key = '%q' COLLATE NOCASE;", key.c_str_utf8()));
    ScopedLock guard(lock, unlock);
    if (!m_db) {
        SYSDB_ERROR("getConfig: database is not open");
        return -1;
    }
    sqlite3_stmt* stmt = nullptr;
    int rc = sql ? sqlite3_prepare_v2(m_db, sql.get(), -1, &stmt, nullptr) : SQLITE_NOMEM;
    if (rc != SQLITE_OK) {
        SYSDB_ERROR("getConfig: sqlite3_prepare_v2: %s (%d)", sqlite3_errmsg(m_db), rc);
        sqlite3_finalize(stmt);
        return -1;
    }
    int result = 0;
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        value = columnText(stmt, 0);
    } else if (rc == SQLITE_DONE) {
        SYSDB_ERROR("getConfig: no key '%s' in system_table", key.c_str_utf8());
    } else {
        SYSDB_ERROR("getConfig failed: %d", rc);
        result = -1;
    }
    sqlite3_finalize(stmt);
    return result;
}
