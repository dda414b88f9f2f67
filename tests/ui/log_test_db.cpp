#include "log_test_db.h"

#include <QTextDocument>

#include <vector>

#include "log-db.h"

namespace logtest {

TestLogDb::TestLogDb() : m_path(m_dir.filePath(QStringLiteral("log-db.sqlite")).toStdString())
{
    reopen();
}

TestLogDb::~TestLogDb()
{
    close();
}

void TestLogDb::close()
{
    LogDB::destroy();
    m_open = false;
}

bool TestLogDb::reopen()
{
    m_open = m_dir.isValid() && LogDB::initialize(m_path) == 0;
    return m_open;
}

bool addMiscLog(int type, const std::string& user, const std::string& s0, const std::string& s1)
{
    MiscLog log;
    log.type = static_cast<uint32_t>(type);
    log.username = user;
    log.ip = "192.0.2.7";
    log.pushArg(s0, true);
    log.pushArg(s1, true);
    return LogDB::insertLog(log) >= 0;
}

bool addRemovals(int count)
{
    for (int i = 0; i < count; ++i) {
        if (!addMiscLog(4, "tester", "/share/item-" + std::to_string(i)))
            return false;
    }
    return true;
}

TransferLog makeTransfer(int type, const std::string& path_from, const std::string& path_to, uint64_t end_ms)
{
    TransferLog record;
    record.type = static_cast<uint32_t>(type);
    record.username = "tester";
    record.ip = "192.0.2.8";
    record.path_from = path_from;
    record.path_to = path_to;
    const size_t slash = path_from.find_last_of("/\\");
    record.file_name = slash == std::string::npos ? path_from : path_from.substr(slash + 1);
    record.start_time = end_ms > 5000 ? end_ms - 5000 : 0;
    record.end_time = end_ms;
    record.elapsed_time = 5000;
    record.avg_speed = 2048;
    record.file_size = 10240;
    return record;
}

bool addTransfer(const TransferLog& record)
{
    return LogDB::insertTransferLog(record) >= 0;
}

QString plainText(const QString& rich)
{
    QTextDocument document;
    document.setHtml(rich);
    return document.toPlainText();
}

}  // namespace logtest
