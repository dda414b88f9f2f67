#pragma once

#include <cstdint>
#include <list>
#include <mutex>
#include <string>

#include "connection-info.h"
#include "ustring/ustring.h"

typedef struct sqlite3 sqlite3;
typedef struct sqlite3_stmt sqlite3_stmt;

// The system database "sys-db.sqlite": saved connections and settings by key.
// Static members only: one connection, one mutex held around every statement
// (initialize and destroy excepted: start-up and shut-down only). Results are
// 0 for success and -1 for failure unless stated.
class SystemDB {
public:
    // Opens (creating when missing) and adds any missing table or setting.
    // -1 as well for a file that fails SQLite's quick check or whose tables
    // lack a column the program reads.
    static int initialize(const ustring& path);
    // One setting of the file at path, read without opening the database for
    // use and without creating or changing anything: 0 with the value, -1
    // (value empty) when the file, its system_table or the key is missing.
    static int peekConfig(const ustring& path, const ustring& key, ustring& value);
    static void destroy();

    // Remembers the folder for new records and fills it into saved
    // connections whose download_location is the empty text.
    static int initializeDefaultDownloadLocation(const std::string& path);
    static std::string getDefaultDownloadPath();

    // Stores a new row with the next free id, written back into info.id.
    // A row with the same key is replaced.
    static int insertNewConnection(ConnectionInfo& info);
    // Rewrites the row info.id (never its key) and stamps last_used_time.
    static int updateExistedConnection(ConnectionInfo& info);
    static int deleteConnection(uint64_t id);
    // 1 found (info filled), 0 none, -1 failure. Address and user name match
    // ignoring the case of ASCII letters; every other character, "%" and "_"
    // included, matches only itself.
    static int getConnectionByAuthority(const std::string& domain_name, const std::string& username, int port,
                                        ConnectionInfo& info);
    // Every saved connection in table order; callers sort.
    static int listConnection(std::list<ConnectionInfo>& infos);

    static int setConfig(const ustring& key, const ustring& value);
    // A missing key gives 0 and an empty value. Keys match ignoring ASCII case.
    static int getConfig(const ustring& key, ustring& value);

private:
    static void lock();
    static void unlock();
    static int getMaxConnectionId(uint64_t& id);
    static void stmtToConnectionInfo(sqlite3_stmt* stmt, ConnectionInfo& info);
    // Runs one built statement under the lock; logs with the operation's name.
    static int execLocked(const char* sql, const char* operation);

    static std::string m_default_download_path;
    static std::string m_db_path;
    static std::mutex m_mutex;
    static sqlite3* m_db;
};
