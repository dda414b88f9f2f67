#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "db/db_test_util.h"
#include "log-db.h"
#include "support/damaged_sqlite.h"

namespace {

using dbtest::RawDb;
using dbtest::TempDir;

uint64_t nowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

MiscLog makeMisc(uint32_t type, const std::string& s1 = "", const std::string& s2 = "")
{
    MiscLog log;
    log.type = type;
    log.ip = "10.0.0.1";
    log.username = "alice";
    if (!s1.empty())
        log.pushArg(s1, true);
    if (!s2.empty())
        log.pushArg(s2, true);
    return log;
}

TransferLog makeTransfer(uint32_t type, const std::string& from, const std::string& to, uint64_t end_time = 5000)
{
    TransferLog log;
    log.type = type;
    log.username = "bob";
    log.ip = "10.0.0.2";
    log.geolocation = "Lab";
    log.file_name = "f.bin";
    log.path_from = from;
    log.path_to = to;
    log.start_time = end_time - 1000;
    log.end_time = end_time;
    log.elapsed_time = 1000;
    log.rtt = 3;
    log.avg_speed = 42;
    log.file_size = 5000000000ull;
    return log;
}

class LogDBTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(0, LogDB::initialize(path())); }
    void TearDown() override { LogDB::destroy(); }

    std::string path() const { return m_dir.file("log-db.sqlite"); }

    std::vector<MiscLog> searchMisc(const MiscLogFilter& filter, unsigned int* total = nullptr)
    {
        std::vector<MiscLog> rows;
        unsigned int count = 0;
        EXPECT_EQ(0, LogDB::searchLog(filter, rows, count));
        if (total)
            *total = count;
        return rows;
    }

    std::vector<TransferLog> searchTransfers(const TransferLogFilter& filter, unsigned int* total = nullptr)
    {
        std::vector<TransferLog> rows;
        unsigned int count = 0;
        EXPECT_EQ(0, LogDB::searchLog(filter, rows, count));
        if (total)
            *total = count;
        return rows;
    }

    TempDir m_dir;
};

TEST_F(LogDBTest, NewFileHasSchemaAndSettingsAndReopeningKeepsThem)
{
    {
        RawDb raw(path());
        EXPECT_EQ("wal", raw.value("PRAGMA journal_mode"));
        const auto objects = raw.rows("SELECT type, name FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY name");
        const std::vector<std::vector<std::string>> expected = {
            {"table", "config_table"},
            {"trigger", "log_delete_trigger"},
            {"table", "log_table"},
            {"index", "log_table_time_index"},
            {"index", "log_table_type_index"},
            {"table", "report_table"},
            {"table", "transfer_table"},
            {"index", "transfer_table_end_time_index"},
            {"index", "transfer_table_start_time_index"},
            {"index", "transfer_table_type_index"},
        };
        EXPECT_EQ(expected, objects);
        const std::vector<std::vector<std::string>> settings = {
            {"log_del_cnt", "1000000"}, {"log_del_span", "2592000"}, {"use_log_del_cnt", "1"},
            {"use_log_del_span", "1"}, {"version", "0000"}};
        EXPECT_EQ(settings, raw.rows("SELECT key, value FROM config_table ORDER BY key"));
    }
    ASSERT_EQ(0, LogDB::setLogDelCount(true, 7));
    ASSERT_EQ(0, LogDB::insertLog(makeMisc(LOG_LOGIN)));
    LogDB::destroy();
    ASSERT_EQ(0, LogDB::initialize(path()));
    bool enabled = false;
    int count = 0;
    ASSERT_EQ(0, LogDB::getLogDelCount(enabled, count));
    EXPECT_TRUE(enabled);
    EXPECT_EQ(7, count);
    unsigned int total = 0;
    searchMisc(MiscLogFilter(), &total);
    EXPECT_EQ(1u, total);
}

TEST_F(LogDBTest, GeneralRowIsStampedAndReadBackWithFiveArgumentsOfEachKind)
{
    MiscLog bare = makeMisc(LOG_LOGIN);
    bare.time = 1;  // ignored: the database stamps the row
    MiscLog quoted = makeMisc(LOG_RENAME, "/a/O'Brien's", "/b/it''s");
    quoted.pushArg(uint64_t(77), false);
    const uint64_t before = nowMs();
    ASSERT_EQ(0, LogDB::insertLog(bare));
    ASSERT_EQ(0, LogDB::insertLog(quoted));
    const uint64_t after = nowMs();

    const std::vector<MiscLog> rows = searchMisc(MiscLogFilter());
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(uint32_t(LOG_RENAME), rows[0].type);  // newest first
    EXPECT_EQ((std::vector<std::string>{"/a/O'Brien's", "/b/it''s", "", "", ""}), rows[0].s_arg);
    EXPECT_EQ((std::vector<std::string>{"77", "", "", "", ""}), rows[0].p_arg);
    EXPECT_EQ(std::vector<std::string>(5, ""), rows[1].s_arg);
    EXPECT_EQ(std::vector<std::string>(5, ""), rows[1].p_arg);
    EXPECT_EQ("alice", rows[1].username);
    EXPECT_EQ("10.0.0.1", rows[1].ip);
    EXPECT_GE(rows[1].time, before);
    EXPECT_LE(rows[1].time, after);

    RawDb raw(path());
    EXPECT_EQ((std::vector<std::string>(10, "NULL")),
              raw.rows("SELECT s1, s2, s3, s4, s5, p1, p2, p3, p4, p5 FROM log_table WHERE type = 1")[0]);
}

TEST_F(LogDBTest, TooManyArgumentsAreRefused)
{
    MiscLog log = makeMisc(LOG_REMOVE);
    for (int i = 0; i < 6; ++i)
        log.pushArg("x", true);
    EXPECT_EQ(-1, LogDB::insertLog(log));
    unsigned int total = 9;
    searchMisc(MiscLogFilter(), &total);
    EXPECT_EQ(0u, total);
}

TEST_F(LogDBTest, TransferIsStoredWithItsLinkedGeneralRow)
{
    const uint64_t before = nowMs();
    ASSERT_EQ(0, LogDB::insertTransferLog(makeTransfer(LOG_DOWNLOAD, "/srv/f.bin", "/home/u/f.bin")));

    const std::vector<TransferLog> transfers = searchTransfers(TransferLogFilter());
    ASSERT_EQ(1u, transfers.size());
    const TransferLog& t = transfers[0];
    EXPECT_EQ(uint32_t(LOG_DOWNLOAD), t.type);
    EXPECT_EQ("/srv/f.bin", t.path_from);
    EXPECT_EQ(5000000000ull, t.file_size);
    EXPECT_EQ(4000u, t.start_time);
    EXPECT_EQ(3u, t.rtt);
    EXPECT_EQ("", t.device_name);

    const std::vector<MiscLog> logs = searchMisc(MiscLogFilter());
    ASSERT_EQ(1u, logs.size());
    EXPECT_EQ(uint32_t(LOG_DOWNLOAD), logs[0].type);
    EXPECT_EQ("bob", logs[0].username);
    EXPECT_EQ("10.0.0.2", logs[0].ip);
    EXPECT_EQ((std::vector<std::string>{"/srv/f.bin", "/home/u/f.bin", "Lab", "", ""}), logs[0].s_arg);
    EXPECT_GE(logs[0].time, before);
    RawDb raw(path());
    EXPECT_EQ(raw.value("SELECT rowid FROM transfer_table"), logs[0].p_arg[0]);
}

// Two statements without a transaction could leave a transfer row that no
// general-log row points at, and the trim would never remove it.
TEST_F(LogDBTest, FailedGeneralRowTakesItsTransferRowWithIt)
{
    RawDb raw(path());
    raw.exec("CREATE TRIGGER refuse BEFORE INSERT ON log_table BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    EXPECT_EQ(-1, LogDB::insertTransferLog(makeTransfer(LOG_UPLOAD, "/a", "/b")));
    std::vector<TransferLog> batch = {makeTransfer(LOG_UPLOAD, "/a", "/b"), makeTransfer(LOG_UPLOAD, "/c", "/d")};
    EXPECT_EQ(-1, LogDB::insertTransferLogs(batch));
    EXPECT_EQ("0", raw.value("SELECT count(*) FROM transfer_table"));

    raw.exec("DROP TRIGGER refuse;");
    EXPECT_EQ(0, LogDB::insertTransferLogs(batch));
    EXPECT_EQ("2", raw.value("SELECT count(*) FROM transfer_table"));
    EXPECT_EQ("2", raw.value("SELECT count(*) FROM log_table"));
}

TEST_F(LogDBTest, TrimKeepsTheNewestRowsAndTheirTransfers)
{
    struct Case {
        const char* name;
        bool enabled;
        int count;
        size_t remaining;
        const char* stored_count;  // written into the file as text when set
    };
    // A count of 0 or less would have deleted every row, the new one too. A
    // stored count beyond int must not wrap to a small one (2^32 + 3 to 3).
    const Case cases[] = {{"keep 3", true, 3, 3, nullptr},
                          {"off", false, 3, 5, nullptr},
                          {"zero", true, 0, 5, nullptr},
                          {"negative", true, -4, 5, nullptr},
                          {"beyond int", true, 0, 5, "4294967299"},
                          {"text", true, 0, 3, " 3 rows"}};
    RawDb raw(path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(0, LogDB::deleteLog());
        ASSERT_EQ(0, LogDB::setLogDelCount(c.enabled, c.count));
        if (c.stored_count)
            raw.exec(std::string("UPDATE config_table SET value = '") + c.stored_count + "' WHERE key = 'log_del_cnt'");
        ASSERT_EQ(0, LogDB::insertTransferLog(makeTransfer(LOG_UPLOAD, "/oldest", "/x")));
        ASSERT_EQ(0, LogDB::insertLog(makeMisc(LOG_MKDIR, "/2")));
        ASSERT_EQ(0, LogDB::insertTransferLog(makeTransfer(LOG_DOWNLOAD, "/third", "/x")));
        ASSERT_EQ(0, LogDB::insertLog(makeMisc(LOG_MKDIR, "/4")));
        ASSERT_EQ(0, LogDB::insertLog(makeMisc(LOG_MKDIR, "/5")));

        const std::vector<MiscLog> rows = searchMisc(MiscLogFilter());
        ASSERT_EQ(c.remaining, rows.size());
        EXPECT_EQ("/5", rows[0].s_arg[0]);
        EXPECT_EQ("/third", rows[2].s_arg[0]);
        const std::vector<TransferLog> transfers = searchTransfers(TransferLogFilter());
        ASSERT_EQ(c.remaining == 3 ? 1u : 2u, transfers.size());
        EXPECT_EQ("/third", transfers[0].path_from);
    }
}

TEST_F(LogDBTest, SettingsAreStoredAndNothingIsDeletedByAge)
{
    ASSERT_EQ(0, LogDB::setLogDelSpan(true, 1));
    bool enabled = false;
    int seconds = 0;
    ASSERT_EQ(0, LogDB::getLogDelSpan(enabled, seconds));
    EXPECT_TRUE(enabled);
    EXPECT_EQ(1, seconds);
    ASSERT_EQ(0, LogDB::insertLog(makeMisc(LOG_LOGIN)));
    RawDb(path()).exec("UPDATE log_table SET time = 1000");  // far older than the span
    ASSERT_EQ(0, LogDB::insertLog(makeMisc(LOG_LOGIN)));
    EXPECT_EQ(2u, searchMisc(MiscLogFilter()).size());

    ASSERT_EQ(0, LogDB::setLogDelSpan(false, 60));
    ASSERT_EQ(0, LogDB::getLogDelSpan(enabled, seconds));
    EXPECT_FALSE(enabled);
    EXPECT_EQ(60, seconds);
}

class LogSearchTest : public LogDBTest {
protected:
    void SetUp() override
    {
        LogDBTest::SetUp();
        // Rows by storage order; the keywords hold LIKE wildcards and a quote.
        const std::vector<std::vector<std::string>> misc = {
            {"1", "/reports/50% done"}, {"2", "/reports/500 files"}, {"5", "/a_b"},
            {"5", "/axb"},             {"3", "/REPORT/it's"},       {"4", "C:\\dir"}};
        for (const auto& m : misc)
            ASSERT_EQ(0, LogDB::insertLog(makeMisc(static_cast<uint32_t>(std::stoi(m[0])), m[1])));
        RawDb raw(path());
        // Times from 2033 on do not fit a 32-bit number of milliseconds.
        raw.exec("UPDATE log_table SET time = 2000000000000 + rowid * 1000");

        ASSERT_EQ(0, LogDB::insertTransferLog(makeTransfer(LOG_UPLOAD, "/up/50%", "/x", 2000000001000ull)));
        ASSERT_EQ(0, LogDB::insertTransferLog(makeTransfer(LOG_DOWNLOAD, "/down/500", "/y", 2000000002000ull)));
        ASSERT_EQ(0, LogDB::insertTransferLog(makeTransfer(LOG_UPLOAD_FAILED, "/up/a_b", "/z", 2000000003000ull)));
    }

    static std::vector<std::string> firstArgs(const std::vector<MiscLog>& rows)
    {
        std::vector<std::string> args;
        for (const MiscLog& row : rows)
            args.push_back(row.s_arg[0]);
        return args;
    }
};

TEST_F(LogSearchTest, GeneralLogFilters)
{
    struct Case {
        const char* name;
        std::string keyword;
        int date_from;
        int date_to;
        std::vector<int> types;
        std::vector<std::string> expected;  // s1 of the rows, newest first
    };
    const std::vector<Case> cases = {
        {"percent is literal", "50%", 0, 0, {}, {"/up/50%", "/reports/50% done"}},
        {"underscore is literal", "a_b", 0, 0, {LOG_MKDIR}, {"/a_b"}},
        {"case ignored", "report", 0, 0, {LOG_LOGIN, LOG_RENAME, LOG_COPY}, {"/REPORT/it's", "/reports/500 files", "/reports/50% done"}},
        {"quote", "it's", 0, 0, {}, {"/REPORT/it's"}},
        {"backslash", "C:\\dir", 0, 0, {}, {"C:\\dir"}},
        {"user name", "ALICE", 0, 0, {LOG_MKDIR}, {"/axb", "/a_b"}},
        {"strict 64-bit bounds", "", 2000000001, 2000000004, {}, {"/a_b", "/reports/500 files"}},
        {"types", "", 0, 0, {LOG_LOGIN, LOG_COPY}, {"/REPORT/it's", "/reports/50% done"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MiscLogFilter filter;
        filter.search_string = c.keyword;
        filter.date_from = c.date_from;
        filter.date_to = c.date_to;
        filter.log_type = c.types;
        unsigned int total = 0;
        const std::vector<MiscLog> rows = searchMisc(filter, &total);
        EXPECT_EQ(c.expected, firstArgs(rows));
        EXPECT_EQ(c.expected.size(), total);
    }
}

TEST_F(LogSearchTest, TransferLogFilters)
{
    TransferLogFilter filter;
    filter.search_string = "50%";
    std::vector<TransferLog> rows = searchTransfers(filter);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("/up/50%", rows[0].path_from);

    filter = TransferLogFilter();
    filter.search_string = "a_b";
    EXPECT_EQ(1u, searchTransfers(filter).size());

    filter = TransferLogFilter();
    filter.date_from = 2000000001;  // end_time must be strictly later
    filter.log_type = {LOG_UPLOAD, LOG_DOWNLOAD};
    rows = searchTransfers(filter);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("/down/500", rows[0].path_from);

    filter = TransferLogFilter();
    filter.search_string = "f.bin";  // the file name is not searched
    EXPECT_TRUE(searchTransfers(filter).empty());
}

// Every window of a small table, compared with the newest-first list: pages
// read from the old end must give the same rows in the same order.
TEST_F(LogSearchTest, PagesMatchTheNewestFirstOrderAtEveryWindow)
{
    MiscLogFilter all;
    const std::vector<std::string> everything = firstArgs(searchMisc(all));
    ASSERT_EQ(9u, everything.size());
    for (size_t limit : {0, 1, 2, 4, 9, 12}) {
        for (size_t offset : {0, 1, 3, 4, 5, 7, 8, 9, 15}) {
            SCOPED_TRACE("limit " + std::to_string(limit) + " offset " + std::to_string(offset));
            MiscLogFilter page;
            page.limit = limit;
            page.offset = offset;
            unsigned int total = 0;
            const std::vector<std::string> got = firstArgs(searchMisc(page, &total));
            const size_t begin = std::min(offset, everything.size());
            const size_t end = limit == 0 ? everything.size() : std::min(everything.size(), offset + limit);
            EXPECT_EQ(std::vector<std::string>(everything.begin() + begin, everything.begin() + std::max(begin, end)), got);
            EXPECT_EQ(9u, total);
        }
    }
    TransferLogFilter last;
    last.limit = 2;
    last.offset = 2;
    const std::vector<TransferLog> rows = searchTransfers(last);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("/up/50%", rows[0].path_from);
}

// A filter whose count query fails when stepped.
struct FailingCountFilter {
    size_t limit = 0;
    size_t offset = 0;
    std::string toCountSQL() const { return "SELECT abs(-9223372036854775807 - 1);"; }
    std::string toSearchSQL() const { return MiscLogFilter().toSearchSQL(); }
    std::string toOldestFirstSQL(size_t l, size_t o) const { return MiscLogFilter().toOldestFirstSQL(l, o); }
};

TEST_F(LogSearchTest, FailedCountIsAFailureNotAStaleTotal)
{
    std::vector<MiscLog> rows;
    unsigned int total = 12345;
    FailingCountFilter filter;
    EXPECT_EQ(-1, LogDB::searchLog(filter, rows, total));
    EXPECT_EQ(12345u, total);
    filter.limit = 2;  // a full first page still needs the count
    EXPECT_EQ(-1, LogDB::searchLog(filter, rows, total));
    EXPECT_EQ(12345u, total);
}

TEST(LogDBClosedTest, OperationsFailWhileClosed)
{
    std::vector<MiscLog> rows;
    unsigned int total = 0;
    bool enabled;
    int count;
    EXPECT_EQ(-1, LogDB::insertLog(makeMisc(LOG_LOGIN)));
    EXPECT_EQ(-1, LogDB::insertTransferLog(makeTransfer(LOG_UPLOAD, "/a", "/b")));
    EXPECT_EQ(-1, LogDB::searchLog(MiscLogFilter(), rows, total));
    EXPECT_EQ(-1, LogDB::getLogDelCount(enabled, count));
    EXPECT_EQ(-1, LogDB::setLogDelCount(true, 1));
    EXPECT_EQ(-1, LogDB::deleteLog());
    EXPECT_EQ(-1, LogDB::insertReportLog(ReportLog()));
}

// A damaged log file is reported and the client carries on: every operation
// answers (a failure, or what the readable part holds), none crashes or
// hangs, and a failed open leaves the database closed.
TEST(LogDBDamagedTest, DamagedFilesAreReportedAndEveryOperationAnswers)
{
    for (const qm_test::SqliteDamageCase& c : qm_test::allSqliteDamages()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.file("log-db.sqlite");
        ASSERT_EQ(0, LogDB::initialize(path));
        std::vector<TransferLog> transfers;
        for (int i = 0; i < 400; ++i) {
            ASSERT_EQ(0, LogDB::insertLog(makeMisc(LOG_LOGIN, "item " + std::to_string(i))));
            transfers.push_back(makeTransfer(LOG_UPLOAD, "/a/" + std::to_string(i), "/b"));
        }
        ASSERT_EQ(0, LogDB::insertTransferLogs(transfers));
        LogDB::destroy();
        qm_test::damageSqliteFile(path, c.damage, "log_table", "username");

        const int opened = LogDB::initialize(path);
        std::vector<MiscLog> misc;
        std::vector<TransferLog> rows;
        unsigned int total = 0;
        bool enabled = false;
        int count = 0;
        const int results[] = {
            LogDB::insertLog(makeMisc(LOG_LOGIN, "after")),
            LogDB::insertTransferLog(makeTransfer(LOG_UPLOAD, "/c", "/d")),
            LogDB::searchLog(MiscLogFilter(), misc, total),
            LogDB::searchLog(TransferLogFilter(), rows, total),
            LogDB::getLogDelCount(enabled, count),
            LogDB::setLogDelCount(true, 10),
            LogDB::deleteLog(),
            LogDB::insertReportLog(ReportLog()),
        };
        for (int r : results) {
            EXPECT_LE(r, 0);
            if (opened != 0) {
                EXPECT_EQ(-1, r) << "a database that did not open answers every call with a failure";
            }
        }
        LogDB::destroy();
    }
}

TEST_F(LogDBTest, ConcurrentWritersAndReaders)
{
    const int kWriters = 4;
    const int kPerWriter = 150;
    std::atomic<int> writers_left(kWriters);
    std::atomic<int> failures(0);
    std::vector<std::thread> threads;
    for (int w = 0; w < kWriters; ++w) {
        threads.emplace_back([w, &writers_left, &failures] {
            for (int i = 0; i < kPerWriter; ++i) {
                const std::string tag = "/w" + std::to_string(w) + "/" + std::to_string(i);
                if (LogDB::insertLog(makeMisc(LOG_MKDIR, tag)) != 0)
                    ++failures;
                if (LogDB::insertTransferLog(makeTransfer(LOG_UPLOAD, tag, "/dst")) != 0)
                    ++failures;
            }
            --writers_left;
        });
    }
    for (int r = 0; r < 2; ++r) {
        threads.emplace_back([r, &writers_left, &failures] {
            // Every page a reader sees must agree with its own total.
            do {
                MiscLogFilter filter;
                filter.limit = 50;
                filter.log_type = {r == 0 ? LOG_MKDIR : LOG_UPLOAD};
                std::vector<MiscLog> rows;
                unsigned int total = 0;
                if (LogDB::searchLog(filter, rows, total) != 0 || rows.size() != std::min<size_t>(50, total))
                    ++failures;
            } while (writers_left.load() > 0);
        });
    }
    for (std::thread& t : threads)
        t.join();

    EXPECT_EQ(0, failures.load());
    RawDb raw(path());
    EXPECT_EQ(std::to_string(2 * kWriters * kPerWriter), raw.value("SELECT count(*) FROM log_table"));
    EXPECT_EQ(std::to_string(kWriters * kPerWriter), raw.value("SELECT count(*) FROM transfer_table"));
    // Every transfer row is named by exactly one general-log row.
    EXPECT_EQ("0", raw.value("SELECT count(*) FROM transfer_table t WHERE (SELECT count(*) FROM log_table l "
                             "WHERE l.type = 6 AND l.p1 = t.rowid) != 1"));
}

}  // namespace
