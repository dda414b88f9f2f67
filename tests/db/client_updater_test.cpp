#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <list>
#include <set>
#include <vector>

#include "client-updater-core.h"
#include "client-updater-util.h"
#include "db/db_test_util.h"
#include "foundation/descriptor_exhaustion.h"
#include "system-db.h"

namespace {

using dbtest::RawDb;
using dbtest::TempDir;

// connection_table as clients of versions 20 and 21 wrote it.
const char* const kTable13 =
    "CREATE TABLE connection_table ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, hostname VARCHAR, domain_name VARCHAR, port INTEGER,"
    " username VARCHAR, password VARCHAR, remember_password INTEGER, concurrent INTEGER,"
    " max_upload INTEGER, max_download INTEGER, encrypted INTEGER, compressed INTEGER,"
    " last_used_time DATETIME DEFAULT (strftime('%s','now')),"
    " UNIQUE (domain_name, username, port) ON CONFLICT REPLACE);";

// connection_table of version 22: the certificate trust columns added.
const char* const kTable15 =
    "CREATE TABLE connection_table ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, hostname VARCHAR, domain_name VARCHAR, port INTEGER,"
    " username VARCHAR, password VARCHAR, remember_password INTEGER, concurrent INTEGER,"
    " max_upload INTEGER, max_download INTEGER, encrypted INTEGER, compressed INTEGER,"
    " ssl_allow_untrust INTEGER, ssl_signature TEXT,"
    " last_used_time DATETIME DEFAULT (strftime('%s','now')),"
    " UNIQUE (domain_name, username, port) ON CONFLICT REPLACE);";

const char* const kSystemTable =
    "CREATE TABLE system_table (key VARCHAR PRIMARY KEY ON CONFLICT IGNORE, value VARCHAR NOT NULL);";

struct OldRow {
    int id;
    const char* hostname;
    const char* domain_name;
    int port;
    const char* username;
    const char* password;
    int remember_password;
    int concurrent;
    long long max_upload;
    long long max_download;
    int encrypted;
    int compressed;
    long long last_used_time;
    int ssl_allow_untrust;  // version 22 only
    const char* ssl_signature;
};

const OldRow kRows[] = {
    {1, "first", "one.example", 3362, "alice", "pw'1", 1, 3, 100, 0, 1, 0, 1600000000, 1, "SIG:1"},
    {5, "second", "two.example", 4000, "bob", "", 0, 2, 0, 250, 0, 1, 1600000500, 0, ""},
    {9, "third", "three.example", 3362, "carol", "pw3", 1, 8, 64, 64, 1, 1, 1600001000, 1, "SIG:3"},
};

void createFixture(const std::string& path, int version)
{
    RawDb raw(path);
    raw.exec(std::string("BEGIN;") + (version >= 22 ? kTable15 : kTable13) + kSystemTable);
    raw.exec("INSERT INTO system_table VALUES ('release_version', " + std::to_string(version) +
             "); INSERT INTO system_table VALUES ('language', 'de');");
    for (const OldRow& r : kRows) {
        char* sql;
        if (version >= 22) {
            sql = sqlite3_mprintf(
                "INSERT INTO connection_table (id, hostname, domain_name, port, username, password, remember_password,"
                " concurrent, max_upload, max_download, encrypted, compressed, ssl_allow_untrust, ssl_signature,"
                " last_used_time) VALUES (%d, %Q, %Q, %d, %Q, %Q, %d, %d, %lld, %lld, %d, %d, %d, %Q, %lld);",
                r.id, r.hostname, r.domain_name, r.port, r.username, r.password, r.remember_password, r.concurrent,
                r.max_upload, r.max_download, r.encrypted, r.compressed, r.ssl_allow_untrust, r.ssl_signature,
                r.last_used_time);
        } else {
            sql = sqlite3_mprintf(
                "INSERT INTO connection_table (id, hostname, domain_name, port, username, password, remember_password,"
                " concurrent, max_upload, max_download, encrypted, compressed, last_used_time)"
                " VALUES (%d, %Q, %Q, %d, %Q, %Q, %d, %d, %lld, %lld, %d, %d, %lld);",
                r.id, r.hostname, r.domain_name, r.port, r.username, r.password, r.remember_password, r.concurrent,
                r.max_upload, r.max_download, r.encrypted, r.compressed, r.last_used_time);
        }
        raw.exec(sql);
        sqlite3_free(sql);
    }
    raw.exec("COMMIT;");
}

std::vector<std::string> columnNames(RawDb& raw)
{
    std::vector<std::string> names;
    for (const auto& row : raw.rows("SELECT name FROM pragma_table_info('connection_table')"))
        names.push_back(row[0]);
    return names;
}

// The fixture's rows as the steps must leave them at version 23.
std::vector<std::vector<std::string>> expectedRowsAt23(int from_version)
{
    std::vector<std::vector<std::string>> rows;
    for (const OldRow& r : kRows) {
        const bool had_trust = from_version >= 22;
        rows.push_back({std::to_string(r.id), r.hostname, r.domain_name, std::to_string(r.port), r.username,
                        r.password, std::to_string(r.remember_password), std::to_string(r.concurrent),
                        std::to_string(r.max_upload), std::to_string(r.max_download), std::to_string(r.encrypted),
                        std::to_string(r.compressed), had_trust ? std::to_string(r.ssl_allow_untrust) : "0",
                        had_trust ? r.ssl_signature : "", std::to_string(r.last_used_time), "",
                        r.max_upload > 0 ? "1" : "0", r.max_download > 0 ? "1" : "0", "0", "0"});
    }
    return rows;
}

const std::vector<std::string> kColumnsAt23 = {
    "id", "hostname", "domain_name", "port", "username", "password", "remember_password",
    "concurrent", "max_upload", "max_download", "encrypted", "compressed", "ssl_allow_untrust",
    "ssl_signature", "last_used_time", "download_location", "enable_upload_control",
    "enable_download_control", "min_upload", "min_download"};

class ClientUpdaterTest : public ::testing::Test {
protected:
    std::string live() const { return m_dir.file("sys-db.sqlite"); }
    std::string bak() const { return m_dir.file("sys-db.sqlite.bak"); }
    int runUpdate() { return ClientUpdaterCore(m_dir.path()).Update(); }

    TempDir m_dir;
};

class ClientUpdaterFromVersion : public ClientUpdaterTest, public ::testing::WithParamInterface<int> {};

TEST_P(ClientUpdaterFromVersion, ReachesVersion23KeepingEveryRow)
{
    const int version = GetParam();
    createFixture(live(), version);
    // Start-up reads the language before the chain runs: that read must leave
    // the old file as it is, or the chain would skip it.
    {
        const std::string before = dbtest::readFile(live());
        ustring language;
        ASSERT_EQ(0, SystemDB::peekConfig(ustring(live()), ustring("language"), language));
        EXPECT_EQ(std::string("de"), language.c_str_utf8());
        EXPECT_EQ(before, dbtest::readFile(live()));
        EXPECT_EQ(version, GetSystemDBVersion(live()));
    }
    // The file holds remembered passwords: the upgraded one is as private as
    // the old one was.
    std::filesystem::permissions(live(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    ASSERT_EQ(0, runUpdate());
    EXPECT_FALSE(std::filesystem::exists(bak()));
    EXPECT_EQ(std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
              std::filesystem::status(live()).permissions());
    {
        RawDb raw(live());
        EXPECT_EQ("23", raw.value("SELECT value FROM system_table WHERE key = 'release_version'"));
        EXPECT_EQ("de", raw.value("SELECT value FROM system_table WHERE key = 'language'"));
        EXPECT_EQ(kColumnsAt23, columnNames(raw));
        EXPECT_EQ(expectedRowsAt23(version), raw.rows("SELECT * FROM connection_table ORDER BY id"));
        EXPECT_EQ("ok", raw.value("PRAGMA integrity_check"));
    }
    EXPECT_EQ(23, GetSystemDBVersion(live()));

    // The upgraded file is what the system database expects.
    ASSERT_EQ(0, SystemDB::initialize(ustring(live())));
    ASSERT_EQ(0, SystemDB::initializeDefaultDownloadLocation("/dl"));
    std::list<ConnectionInfo> infos;
    ASSERT_EQ(0, SystemDB::listConnection(infos));
    SystemDB::destroy();
    ASSERT_EQ(3u, infos.size());
    for (const ConnectionInfo& info : infos)
        EXPECT_EQ("/dl", info.download_location);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ClientUpdaterFromVersion, ::testing::Values(20, 21, 22),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "V" + std::to_string(info.param);
                         });

TEST_F(ClientUpdaterTest, MissingFileIsLeftForTheDatabaseToCreate)
{
    EXPECT_EQ(0, runUpdate());
    EXPECT_FALSE(std::filesystem::exists(live()));
    EXPECT_FALSE(std::filesystem::exists(bak()));
}

TEST_F(ClientUpdaterTest, CurrentFileIsUntouched)
{
    ASSERT_EQ(0, SystemDB::initialize(ustring(live())));
    ConnectionInfo info;
    info.domain_name = "a.example";
    ASSERT_EQ(0, SystemDB::insertNewConnection(info));
    SystemDB::destroy();
    const std::string before = dbtest::readFile(live());
    const auto mtime = std::filesystem::last_write_time(live());

    EXPECT_EQ(0, runUpdate());
    EXPECT_EQ(before, dbtest::readFile(live()));
    EXPECT_EQ(mtime, std::filesystem::last_write_time(live()));
    EXPECT_FALSE(std::filesystem::exists(bak()));
}

TEST_F(ClientUpdaterTest, UnusableFilesAreRefusedAndKept)
{
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
    };
    const Case cases[] = {
        {"version 19", [](const std::string& path) {
             createFixture(path, 20);
             RawDb(path).exec("UPDATE system_table SET value = '19' WHERE key = 'release_version'");
         }},
        {"no release_version", [](const std::string& path) {
             createFixture(path, 20);
             RawDb(path).exec("DELETE FROM system_table WHERE key = 'release_version'");
         }},
        {"no system_table", [](const std::string& path) { RawDb(path).exec(kTable13); }},
        {"not a database", [](const std::string& path) {
             std::ofstream(path) << "plain text that is certainly not an SQLite database file, not at all";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(live());
        c.make(live());
        const std::string before = dbtest::readFile(live());
        EXPECT_EQ(-1, runUpdate());
        EXPECT_EQ(before, dbtest::readFile(live()));
    }
}

// A step that fails after earlier steps finished leaves the live file at the
// last complete version, readable and whole. The failure is forced by a
// trigger that refuses one version stamp, so the step dies after changing its
// copy and before the rename.
TEST_F(ClientUpdaterTest, FailedStepLeavesTheLastCompleteVersion)
{
    struct Case {
        const char* refused_stamp;
        int version_left;
        size_t columns_left;
    };
    const Case cases[] = {{"21", 20, 13}, {"22", 21, 13}, {"23", 22, 15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refused_stamp);
        std::filesystem::remove(live());
        createFixture(live(), 20);
        RawDb(live()).exec(std::string("CREATE TRIGGER refuse BEFORE INSERT ON system_table WHEN NEW.value = '") +
                           c.refused_stamp + "' BEGIN SELECT RAISE(ABORT, 'simulated failure'); END;");
        const std::string before = dbtest::readFile(live());

        EXPECT_EQ(-1, runUpdate());
        EXPECT_EQ(c.version_left, GetSystemDBVersion(live()));
        RawDb raw(live());
        EXPECT_EQ("ok", raw.value("PRAGMA integrity_check"));
        EXPECT_EQ(c.columns_left, columnNames(raw).size());
        EXPECT_EQ("3", raw.value("SELECT count(*) FROM connection_table"));
        EXPECT_EQ("pw'1", raw.value("SELECT password FROM connection_table WHERE id = 1"));
        if (c.version_left == 20) {
            EXPECT_EQ(before, dbtest::readFile(live()));
        }
    }
}

TEST_F(ClientUpdaterTest, FailedSchemaScriptLeavesTheFileAsItWas)
{
    createFixture(live(), 21);
    RawDb(live()).exec("CREATE TABLE connection_table_old (x INTEGER);");
    const std::string before = dbtest::readFile(live());
    EXPECT_EQ(-1, runUpdate());
    EXPECT_EQ(before, dbtest::readFile(live()));
}

// A run that died while changing the copy leaves "sys-db.sqlite.bak" and its
// rollback journal. The next run must not let SQLite replay that journal into
// the fresh copy.
TEST_F(ClientUpdaterTest, JournalOfACrashedRunIsNotReplayedIntoTheNextCopy)
{
    const std::string other = m_dir.file("other.sqlite");
    createFixture(other, 21);
    {
        RawDb raw(other);
        // Content of its own, so that replaying its journal would show.
        raw.exec("UPDATE connection_table SET password = 'from the crashed run'");
        raw.exec("PRAGMA cache_size = 1; BEGIN;");
        for (int i = 0; i < 400; ++i)
            raw.exec("INSERT INTO connection_table (hostname, domain_name, port, username) VALUES (hex(randomblob(300)), 'x"
                     + std::to_string(i) + "', 1, 'y')");
        raw.exec("UPDATE connection_table SET hostname = 'changed'");
        // The transaction is open and has spilled to the file: copying now is
        // what a crash would have left on disk.
        ASSERT_TRUE(std::filesystem::exists(other + "-journal"));
        std::filesystem::copy_file(other, bak());
        std::filesystem::copy_file(other + "-journal", bak() + "-journal");
        raw.exec("ROLLBACK;");
    }

    createFixture(live(), 21);
    ASSERT_EQ(0, runUpdate());
    RawDb raw(live());
    EXPECT_EQ("ok", raw.value("PRAGMA integrity_check"));
    EXPECT_EQ("23", raw.value("SELECT value FROM system_table WHERE key = 'release_version'"));
    EXPECT_EQ(expectedRowsAt23(21), raw.rows("SELECT * FROM connection_table ORDER BY id"));
}

TEST(ClientUpdaterUtilTest, RemoveTrashedSessionEnvKeepsNamedEntries)
{
    TempDir dir;
    EXPECT_TRUE(RemoveTrashedSessionEnv(dir.file("missing"), {}));

    const std::string sessions = dir.file("sessions");
    std::filesystem::create_directories(sessions + "/a/inner");
    std::filesystem::create_directories(sessions + "/b");
    std::ofstream(sessions + "/c") << "x";
    std::ofstream(sessions + "/b/kept") << "x";
    EXPECT_TRUE(RemoveTrashedSessionEnv(sessions, {"b"}));
    EXPECT_FALSE(std::filesystem::exists(sessions + "/a"));
    EXPECT_FALSE(std::filesystem::exists(sessions + "/c"));
    EXPECT_TRUE(std::filesystem::exists(sessions + "/b/kept"));

    // A folder that cannot be opened (no descriptor left) is not cleaned.
    std::ofstream(sessions + "/d") << "x";
    bool cleaned;
    {
        DescriptorExhaustion exhaustion;
        ASSERT_TRUE(exhaustion.limited());
        cleaned = RemoveTrashedSessionEnv(sessions, {"b"});
    }
    EXPECT_FALSE(cleaned);
    EXPECT_TRUE(std::filesystem::exists(sessions + "/d"));
}

}  // namespace
