#pragma once

#include <string>

typedef struct sqlite3 sqlite3;

// Why an open database file is damaged, "" when SQLite's quick check passes.
std::string quickCheckDefect(sqlite3* db);
// The first column the program reads that connection_table or system_table
// lacks ("connection_table has no column min_upload"), "" when none.
std::string missingSystemDBColumn(sqlite3* db);
