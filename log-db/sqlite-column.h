#pragma once

#include <string>

typedef struct sqlite3_stmt sqlite3_stmt;

// The UTF-8 text of a result column; NULL reads as the empty string.
std::string columnText(sqlite3_stmt* stmt, int column);
