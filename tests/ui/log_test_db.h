#pragma once
// A log database in a temporary folder, filled through its own writers.
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <string>

#include "transfer-log.h"

namespace logtest {

class TestLogDb {
public:
    TestLogDb();
    ~TestLogDb();
    TestLogDb(const TestLogDb&) = delete;
    TestLogDb& operator=(const TestLogDb&) = delete;

    bool isOpen() const { return m_open; }
    // Closes the database (every query fails) and opens it again.
    void close();
    bool reopen();

private:
    QTemporaryDir m_dir;
    std::string m_path;
    bool m_open = false;
};

// One general-log row of type `type` by `user` with two text arguments.
bool addMiscLog(int type, const std::string& user, const std::string& s0, const std::string& s1 = std::string());
// `count` removals of "/share/item-<i>", i from 0, in one go per row.
bool addRemovals(int count);
TransferLog makeTransfer(int type, const std::string& path_from, const std::string& path_to, uint64_t end_ms);
bool addTransfer(const TransferLog& record);
// The text a label shows of a rich-text sentence.
QString plainText(const QString& rich);

}  // namespace logtest
