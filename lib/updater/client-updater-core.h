#pragma once

#include <string>

// Brings "sys-db.sqlite" in the data folder to the current schema (version 23)
// before the system database is opened. Runs once at start-up.
class ClientUpdaterCore {
public:
    explicit ClientUpdaterCore(const std::string& user_data_path);

    // 0 when the file is missing or every step passed or was not needed; -1
    // when a step failed (the live file is then the last complete version).
    int Update();

private:
    std::string m_user_data_path;
};
