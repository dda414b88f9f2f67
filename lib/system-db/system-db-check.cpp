#include "system-db-check.h"

#include <sqlite3.h>

#include <set>

namespace {

// The columns SystemDB reads and writes; a table missing one of them fails
// every list and save.
const char* const kConnectionColumns[] = {
    "id",         "hostname",          "domain_name",  "port",         "username",
    "password",   "remember_password", "concurrent",   "max_upload",   "max_download",
    "encrypted",  "compressed",        "ssl_allow_untrust", "ssl_signature", "last_used_time",
    "download_location", "enable_upload_control", "enable_download_control", "min_upload", "min_download",
};
const char* const kSystemColumns[] = {"key", "value"};

// The column names of a table; false when they cannot be read.
bool tableColumns(sqlite3* db, const std::string& table, std::set<std::string>& columns, std::string& error)
{
    sqlite3_stmt* stmt = nullptr;
    const std::string sql = "PRAGMA table_info(" + table + ");";
    int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const unsigned char* name = sqlite3_column_text(stmt, 1);
        if (name)
            columns.insert(reinterpret_cast<const char*>(name));
        rc = SQLITE_OK;
    }
    if (rc != SQLITE_DONE)
        error = sqlite3_errmsg(db);
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE;
}

template <size_t N>
std::string missingColumn(sqlite3* db, const std::string& table, const char* const (&wanted)[N])
{
    std::set<std::string> columns;
    std::string error;
    if (!tableColumns(db, table, columns, error))
        return table + ": " + error;
    for (const char* column : wanted)
        if (columns.count(column) == 0)
            return table + " has no column " + column;
    return std::string();
}

}  // namespace

std::string quickCheckDefect(sqlite3* db)
{
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check;", -1, &stmt, nullptr);
    std::string defect;
    if (rc == SQLITE_OK)
        rc = sqlite3_step(stmt);
    if (rc != SQLITE_ROW) {
        defect = sqlite3_errmsg(db);
    } else {
        const unsigned char* first = sqlite3_column_text(stmt, 0);
        const std::string verdict = first ? reinterpret_cast<const char*>(first) : "";
        if (verdict != "ok")
            defect = "quick_check: " + verdict;
    }
    sqlite3_finalize(stmt);
    return defect;
}

std::string missingSystemDBColumn(sqlite3* db)
{
    std::string missing = missingColumn(db, "connection_table", kConnectionColumns);
    return missing.empty() ? missingColumn(db, "system_table", kSystemColumns) : missing;
}
