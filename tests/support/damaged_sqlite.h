#pragma once

#include <string>
#include <vector>

namespace qm_test {

// Ways an SQLite file is found damaged on a user's disk.
enum class SqliteDamage {
    Truncated,         // cut in the middle of its pages
    GarbagePages,      // every page after the first overwritten with random bytes
    GarbageHeader,     // the first bytes overwritten: not a database any more
    UnreadableSchema,  // a table's schema text no longer parses
    RenamedColumn,     // a table's schema text names one column differently
};

struct SqliteDamageCase {
    const char* name;
    SqliteDamage damage;
};

// Every kind, named for test listings.
std::vector<SqliteDamageCase> allSqliteDamages();

// Damages the SQLite file at path. `table` and `column` name what the schema
// damages change (a column of that table). Throws std::runtime_error on failure.
void damageSqliteFile(const std::string& path, SqliteDamage damage, const std::string& table,
                      const std::string& column);

} // namespace qm_test
