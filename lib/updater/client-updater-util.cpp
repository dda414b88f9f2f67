#include "client-updater-util.h"

#include <sqlite3.h>

#include "file-op.h"
#include "log.h"

namespace {
const char* const kComponent = "client_updater_util";
}

#define UTIL_ERROR(fmt, ...) \
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] client-updater-util(%d): " fmt L"\n", ##__VA_ARGS__)
#define UTIL_INFO(fmt, ...) \
    QM_LOG(Logger::L_INFO, kComponent, L"[INFO] client-updater-util(%d): " fmt L"\n", ##__VA_ARGS__)

int GetSystemDBVersion(const std::string& path)
{
    sqlite3* db = nullptr;
    int rc = sqlite3_open(path.c_str(), &db);
    if (rc != SQLITE_OK) {
        UTIL_ERROR("GetSystemDBVersion: Open database: %s (%d)", sqlite3_errmsg(db), rc);
        sqlite3_close(db);
        return -1;
    }
    sqlite3_stmt* stmt = nullptr;
    int version = -1;
    rc = sqlite3_prepare_v2(db, "SELECT value FROM system_table WHERE key = 'release_version';", -1, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        UTIL_ERROR("GetSystemDBVersion: sqlite3_prepare_v2: %s (%d)", sqlite3_errmsg(db), rc);
    } else {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW)
            version = sqlite3_column_int(stmt, 0);
        else if (rc != SQLITE_DONE)
            UTIL_ERROR("GetSystemDBVersion: sqlite3_step: %s (%d)", sqlite3_errmsg(db), rc);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return version;
}

bool RemoveTrashedSessionEnv(const std::string& folder, const std::set<std::string>& keep)
{
    if (!IsFileExist(ustring(folder), true))
        return true;
    DIR_HANDLE dir;
    if (FSOpenDir(ustring(folder), 0, dir) != 0)
        return false;
    DIR_ENTRY entry;
    int read;
    while ((read = FSReadDir(dir, entry)) == 1) {
        const std::string name = entry.name.c_str_utf8();
        if (name == "." || name == ".." || keep.count(name) != 0)
            continue;
        const std::string path = folder + "/" + name;
        if (FSRemove(ustring(path)) != 0) {
            UTIL_ERROR("Cannot remove path = %s", path.c_str());
            FSCloseDir(dir);
            return false;
        }
        UTIL_INFO("Remove trashed session folder (path: %s)", path.c_str());
    }
    FSCloseDir(dir);
    // The folder is opened by the first read: a folder that cannot be opened
    // or read has not been cleaned.
    if (read < 0) {
        UTIL_ERROR("Cannot read folder %s", folder.c_str());
        return false;
    }
    return true;
}
