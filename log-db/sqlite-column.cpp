#include "sqlite-column.h"

#include <sqlite3.h>

std::string columnText(sqlite3_stmt* stmt, int column)
{
    const unsigned char* text = sqlite3_column_text(stmt, column);
    if (!text)
        return std::string();
    // Length after the text call, so it counts the UTF-8 bytes.
    return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
}
