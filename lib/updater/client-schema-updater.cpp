#include "client-schema-updater.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include "client-updater-util.h"
#include "file-op.h"
#include "log.h"

namespace {
const char* const kComponent = "client_updater_core";
}

// Each step logs under its own source name ("client-updater-v20", ...), so the
// prefix is put together at run time; the temporary lives through the call.
#define STEP_LOG(level, tag, fmt, ...) \
    QM_LOG(level, kComponent, (std::wstring(tag) + m_log_source + L"(%d): " fmt L"\n").c_str(), ##__VA_ARGS__)
#define STEP_ERROR(fmt, ...) STEP_LOG(Logger::L_ERR, L"[ERROR] ", fmt, ##__VA_ARGS__)
#define STEP_INFO(fmt, ...) STEP_LOG(Logger::L_INFO, L"[INFO] ", fmt, ##__VA_ARGS__)

ClientSchemaUpdater::ClientSchemaUpdater(const std::string& data_path, int source_version, const char* schema_script,
                                         const char* version_sql)
    : m_data_path(data_path),
      m_sys_db_path(data_path + "/sys-db.sqlite"),
      m_bak_sys_db_path(data_path + "/sys-db.sqlite.bak"),
      m_source_version(source_version),
      m_log_source(L"client-updater-v" + std::to_wstring(source_version)),
      m_schema_script(schema_script),
      m_version_sql(version_sql)
{
}

ClientSingleUpdater::Status ClientSchemaUpdater::getClientStatus() const
{
    const int version = GetSystemDBVersion(m_sys_db_path);
    if (version == m_source_version)
        return STATUS_NEED_UPDATE;
    if (version < m_source_version)
        return STATUS_ERROR;
    return STATUS_NO_NEED_UPDATE;
}

bool ClientSchemaUpdater::update()
{
    STEP_INFO("===== start Updater V%d =====", m_source_version);
    if (!removeStaleCopyJournals())
        return false;
    giveCopyTheLiveFileMode();
    if (FSCopy(ustring(m_sys_db_path), ustring(m_bak_sys_db_path), false) != 0) {
        STEP_ERROR("backup from %s to %s failed.", m_sys_db_path.c_str(), m_bak_sys_db_path.c_str());
        return false;
    }
    if (!updateDBSchema() || !updateDBVersion())
        return false;
    // rename(2) replaces the live file in one step: a crash before it leaves
    // the old database, after it the upgraded one.
    if (FSRename(ustring(m_bak_sys_db_path), ustring(m_sys_db_path), false) != 0) {
        STEP_ERROR("rename from %s to %s failed.", m_bak_sys_db_path.c_str(), m_sys_db_path.c_str());
        return false;
    }
    STEP_INFO("===== finish Updater V%d =====", m_source_version);
    return true;
}

bool ClientSchemaUpdater::removeStaleCopyJournals() const
{
    // A run that died while changing the copy leaves its rollback journal
    // behind. SQLite would take it for a hot journal of the fresh copy and
    // "roll back" pages of the old copy into it, corrupting the database that
    // is then renamed over the live file.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const std::string path = m_bak_sys_db_path + suffix;
        if (FSRemove(ustring(path)) != 0) {
            STEP_ERROR("cannot remove stale journal %s", path.c_str());
            return false;
        }
    }
    return true;
}

void ClientSchemaUpdater::giveCopyTheLiveFileMode() const
{
    // The copy becomes the live file, which holds remembered passwords: it
    // must not be readable more widely than the live file is. FSCopy keeps the
    // mode of a file it truncates, so the copy is made with that mode first.
    struct stat live;
    const mode_t mode = stat(m_sys_db_path.c_str(), &live) == 0 ? (live.st_mode & 0777) : (S_IRUSR | S_IWUSR);
    const int fd = open(m_bak_sys_db_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return;  // FSCopy then reports the copy's failure
    fchmod(fd, mode);
    close(fd);
}

bool ClientSchemaUpdater::execOnCopy(const char* sql) const
{
    sqlite3* db = nullptr;
    if (sqlite3_open(m_bak_sys_db_path.c_str(), &db) != SQLITE_OK) {
        STEP_ERROR("sqlite open Failed (%s)", sqlite3_errmsg(db));
        sqlite3_close(db);
        return false;
    }
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK)
        STEP_ERROR("sqlite exec Failed (%s)", message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    // Closing discards a transaction the script left open, so the copy keeps
    // its old content after a failure.
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

bool ClientSchemaUpdater::updateDBSchema()
{
    return execOnCopy(m_schema_script);
}

bool ClientSchemaUpdater::updateDBVersion()
{
    return execOnCopy(m_version_sql);
}
