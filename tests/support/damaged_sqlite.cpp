#include "support/damaged_sqlite.h"

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace qm_test {

namespace {

void execOn(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    char* message = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    const std::string text = message ? message : (db ? sqlite3_errmsg(db) : "");
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error(sql + ": " + text);
}

void overwrite(const std::string& path, std::uintmax_t from, std::uintmax_t length)
{
    std::mt19937 random(7);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(from));
    for (std::uintmax_t i = 0; i < length; ++i)
        file.put(static_cast<char>(random() & 0xff));
    if (!file)
        throw std::runtime_error("overwriting " + path);
}

// Replaces the schema text of `table` by the SQL expression `sql` over its
// current text (the column "sql" of sqlite_master).
void editSchema(const std::string& path, const std::string& table, const std::string& sql)
{
    execOn(path, "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = " + sql + " WHERE name = '" + table +
                     "'; PRAGMA writable_schema = OFF;");
}

} // namespace

std::vector<SqliteDamageCase> allSqliteDamages()
{
    return {{"truncated", SqliteDamage::Truncated},
            {"garbage pages", SqliteDamage::GarbagePages},
            {"garbage header", SqliteDamage::GarbageHeader},
            {"unreadable schema", SqliteDamage::UnreadableSchema},
            {"renamed column", SqliteDamage::RenamedColumn}};
}

void damageSqliteFile(const std::string& path, SqliteDamage damage, const std::string& table,
                      const std::string& column)
{
    const std::uintmax_t size = std::filesystem::file_size(path);
    const std::uintmax_t page = 4096;
    if (size < 2 * page)
        throw std::runtime_error(path + " has fewer than two pages");
    switch (damage) {
    case SqliteDamage::Truncated:
        std::filesystem::resize_file(path, size / 2 + 100);
        break;
    case SqliteDamage::GarbagePages:
        overwrite(path, page, size - page);
        break;
    case SqliteDamage::GarbageHeader:
        overwrite(path, 0, 100);
        break;
    case SqliteDamage::UnreadableSchema:
        editSchema(path, table, "'CREATE TABLE " + table + " ((('");
        break;
    case SqliteDamage::RenamedColumn:
        editSchema(path, table, "replace(sql, '" + column + "', '" + column + "_x')");
        break;
    }
}

} // namespace qm_test
