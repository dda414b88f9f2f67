#pragma once

#include <sqlite3.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace dbtest {

using qm_test::readFile;
using qm_test::TempDir;

// A connection of the test's own, beside the one of the class under test.
class RawDb {
public:
    explicit RawDb(const std::string& path)
    {
        if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK)
            throw std::runtime_error("cannot open " + path);
        sqlite3_busy_timeout(m_db, 60000);
    }
    ~RawDb() { sqlite3_close(m_db); }
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;

    void exec(const std::string& sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string text = message ? message : "";
            sqlite3_free(message);
            throw std::runtime_error(sql + ": " + text);
        }
    }

    // Every row of a query, each column as text ("NULL" for NULL).
    std::vector<std::vector<std::string>> rows(const std::string& sql)
    {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(m_db));
        std::vector<std::vector<std::string>> result;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                const unsigned char* text = sqlite3_column_text(stmt, c);
                row.push_back(text ? reinterpret_cast<const char*>(text) : "NULL");
            }
            result.push_back(row);
        }
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE)
            throw std::runtime_error(sql + ": step failed");
        return result;
    }

    std::string value(const std::string& sql)
    {
        const auto result = rows(sql);
        if (result.empty() || result[0].empty())
            throw std::runtime_error(sql + ": no value");
        return result[0][0];
    }

    sqlite3* handle() { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

}  // namespace dbtest
