#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <list>

#include "db/db_test_util.h"
#include "support/damaged_sqlite.h"
#include "system-db.h"

namespace {

using dbtest::RawDb;
using dbtest::TempDir;

class SystemDBTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(0, SystemDB::initialize(ustring(path()))); }
    void TearDown() override { SystemDB::destroy(); }

    std::string path() const { return m_dir.file("sys-db.sqlite"); }

    static ConnectionInfo makeConnection(const std::string& domain, const std::string& user, int port = 3362)
    {
        ConnectionInfo info;
        info.hostname = "host of " + domain;
        info.domain_name = domain;
        info.username = user;
        info.port = port;
        info.password = "secret-" + user;
        return info;
    }

    TempDir m_dir;
};

TEST_F(SystemDBTest, NewFileHasTablesAndDefaultsAndReopeningKeepsThem)
{
    {
        RawDb raw(path());
        EXPECT_EQ("23", raw.value("SELECT value FROM system_table WHERE key = 'release_version'"));
        EXPECT_EQ("def", raw.value("SELECT value FROM system_table WHERE key = 'language'"));
        EXPECT_EQ("20", raw.value("SELECT count(*) FROM pragma_table_info('connection_table')"));
    }
    ConnectionInfo info = makeConnection("a.example", "alice");
    ASSERT_EQ(0, SystemDB::insertNewConnection(info));
    ASSERT_EQ(0, SystemDB::setConfig(ustring("language"), ustring("fr")));
    SystemDB::destroy();

    ASSERT_EQ(0, SystemDB::initialize(ustring(path())));
    ustring language;
    ASSERT_EQ(0, SystemDB::getConfig(ustring("language"), language));
    EXPECT_EQ(std::string("fr"), language.c_str_utf8());
    std::list<ConnectionInfo> infos;
    ASSERT_EQ(0, SystemDB::listConnection(infos));
    ASSERT_EQ(1u, infos.size());
    EXPECT_EQ("alice", infos.front().username);
}

// Remembered passwords are stored in plain text: only the owner may read the
// file, a new one or one left readable by an older client.
TEST_F(SystemDBTest, FileIsReadableByItsOwnerOnly)
{
    namespace fs = std::filesystem;
    const fs::perms owner_only = fs::perms::owner_read | fs::perms::owner_write;
    EXPECT_EQ(owner_only, fs::status(path()).permissions());
    SystemDB::destroy();
    fs::permissions(path(), owner_only | fs::perms::group_read | fs::perms::others_read);
    ASSERT_EQ(0, SystemDB::initialize(ustring(path())));
    EXPECT_EQ(owner_only, fs::status(path()).permissions());
}

TEST_F(SystemDBTest, InsertAssignsNextIdAndReplacesSameKey)
{
    ConnectionInfo first = makeConnection("a.example", "alice");
    ConnectionInfo second = makeConnection("b.example", "bob");
    ASSERT_EQ(0, SystemDB::insertNewConnection(first));
    ASSERT_EQ(0, SystemDB::insertNewConnection(second));
    EXPECT_EQ(1u, first.id);
    EXPECT_EQ(2u, second.id);

    // The highest id is reused after its row is deleted.
    ASSERT_EQ(0, SystemDB::deleteConnection(second.id));
    ConnectionInfo third = makeConnection("c.example", "carol");
    ASSERT_EQ(0, SystemDB::insertNewConnection(third));
    EXPECT_EQ(2u, third.id);

    // Same key replaces the row: the old id disappears.
    ConnectionInfo again = makeConnection("a.example", "alice");
    again.concurrent = 7;
    ASSERT_EQ(0, SystemDB::insertNewConnection(again));
    EXPECT_EQ(3u, again.id);
    // The key is exact: another letter case is another connection.
    ConnectionInfo upper = makeConnection("A.EXAMPLE", "alice");
    ASSERT_EQ(0, SystemDB::insertNewConnection(upper));

    std::list<ConnectionInfo> infos;
    ASSERT_EQ(0, SystemDB::listConnection(infos));
    ASSERT_EQ(3u, infos.size());
    for (const ConnectionInfo& info : infos) {
        EXPECT_NE(1u, info.id);
        if (info.domain_name == "a.example") {
            EXPECT_EQ(7, info.concurrent);
        }
    }
}

TEST_F(SystemDBTest, EveryFieldRoundTripsAndPasswordIsStoredOnlyWhenRemembered)
{
    ConnectionInfo info = makeConnection("o'neil.example", "o'neil", 4000);
    info.concurrent = 5;
    info.enable_upload_control = true;
    info.max_upload = 5000000000ull;
    info.min_upload = 10;
    info.enable_download_control = true;
    info.max_download = 7;
    info.min_download = 3;
    info.encrypted = true;
    info.compressed = true;
    info.ssl_allow_untrust = true;
    info.ssl_signature = "AB:CD";
    info.download_location = "/home/u/Downloads";
    ASSERT_EQ(0, SystemDB::insertNewConnection(info));

    ConnectionInfo loaded;
    ASSERT_EQ(1, SystemDB::getConnectionByAuthority("o'neil.example", "o'neil", 4000, loaded));
    EXPECT_TRUE(loaded == info);
    EXPECT_EQ(info.id, loaded.id);
    EXPECT_TRUE(loaded.ssl_allow_untrust);
    EXPECT_EQ("AB:CD", loaded.ssl_signature);
    EXPECT_NE(0u, loaded.last_used_time);

    info.remember_password = false;
    ASSERT_EQ(0, SystemDB::updateExistedConnection(info));
    RawDb raw(path());
    EXPECT_EQ("", raw.value("SELECT password FROM connection_table"));
    ASSERT_EQ(1, SystemDB::getConnectionByAuthority("o'neil.example", "o'neil", 4000, loaded));
    EXPECT_EQ("", loaded.password);
    EXPECT_FALSE(loaded.remember_password);

    ConnectionInfo forgotten = makeConnection("f.example", "frank");
    forgotten.remember_password = false;
    ASSERT_EQ(0, SystemDB::insertNewConnection(forgotten));
    EXPECT_EQ("", raw.value("SELECT password FROM connection_table WHERE username = 'frank'"));
}

TEST_F(SystemDBTest, UpdateKeepsKeyAndStampsLastUsedTime)
{
    ConnectionInfo info = makeConnection("a.example", "alice");
    ASSERT_EQ(0, SystemDB::insertNewConnection(info));
    RawDb raw(path());
    raw.exec("UPDATE connection_table SET last_used_time = 1000");

    ConnectionInfo changed = info;
    changed.domain_name = "elsewhere.example";
    changed.username = "mallory";
    changed.port = 1;
    changed.hostname = "renamed";
    changed.last_used_time = 5;
    const uint32_t before = static_cast<uint32_t>(std::time(nullptr));
    ASSERT_EQ(0, SystemDB::updateExistedConnection(changed));
    EXPECT_EQ(5u, changed.last_used_time);

    ConnectionInfo loaded;
    ASSERT_EQ(1, SystemDB::getConnectionByAuthority("a.example", "alice", 3362, loaded));
    EXPECT_EQ("renamed", loaded.hostname);
    EXPECT_GE(loaded.last_used_time, before);
    EXPECT_EQ(0, SystemDB::getConnectionByAuthority("elsewhere.example", "mallory", 1, loaded));
}

// "%" and "_" in an address or user name must match only themselves, or a
// look-up could load another saved connection with its remembered password.
TEST_F(SystemDBTest, LookupIgnoresCaseButNotWildcards)
{
    ConnectionInfo wild = makeConnection("srv%.example", "a_b");
    ConnectionInfo plain = makeConnection("srvZZ.example", "aXb");
    ConnectionInfo other_port = makeConnection("p.example", "pat", 4000);
    ASSERT_EQ(0, SystemDB::insertNewConnection(wild));
    ASSERT_EQ(0, SystemDB::insertNewConnection(plain));
    ASSERT_EQ(0, SystemDB::insertNewConnection(other_port));

    struct Case {
        const char* domain;
        const char* user;
        int port;
        int expected;
        const char* password;
    };
    const Case cases[] = {
        {"srv%.example", "a_b", 3362, 1, "secret-a_b"},
        {"SRV%.EXAMPLE", "A_B", 3362, 1, "secret-a_b"},
        {"srvZZ.example", "aXb", 3362, 1, "secret-aXb"},
        {"srvZZ.example", "a_b", 3362, 0, ""},
        {"srv%.example", "aXb", 3362, 0, ""},
        {"srv%", "%", 3362, 0, ""},
        {"srv__.example", "a%", 3362, 0, ""},
        {"p.example", "pat", 3362, 0, ""},
        {"P.Example", "PAT", 4000, 1, "secret-pat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.domain) + " / " + c.user);
        ConnectionInfo loaded;
        EXPECT_EQ(c.expected, SystemDB::getConnectionByAuthority(c.domain, c.user, c.port, loaded));
        EXPECT_EQ(c.password, loaded.password);
    }
}

TEST_F(SystemDBTest, ConfigGetSetWithExactKeys)
{
    ustring value("stale");
    EXPECT_EQ(0, SystemDB::getConfig(ustring("missing"), value));
    EXPECT_TRUE(value.empty());

    ASSERT_EQ(0, SystemDB::setConfig(ustring("a_b"), ustring("one")));
    ASSERT_EQ(0, SystemDB::setConfig(ustring("a_b"), ustring("two")));
    ASSERT_EQ(0, SystemDB::getConfig(ustring("A_B"), value));
    EXPECT_EQ(std::string("two"), value.c_str_utf8());
    ASSERT_EQ(0, SystemDB::getConfig(ustring("axb"), value));
    EXPECT_TRUE(value.empty());
    ASSERT_EQ(0, SystemDB::getConfig(ustring("release%"), value));
    EXPECT_TRUE(value.empty());
}

TEST_F(SystemDBTest, DefaultDownloadLocationFillsOnlyEmptyRows)
{
    ConnectionInfo empty = makeConnection("e.example", "e");
    empty.download_location = "";
    ConnectionInfo own = makeConnection("o.example", "o");
    own.download_location = "/own";
    ConnectionInfo null_row = makeConnection("n.example", "n");
    ASSERT_EQ(0, SystemDB::insertNewConnection(empty));
    ASSERT_EQ(0, SystemDB::insertNewConnection(own));
    ASSERT_EQ(0, SystemDB::insertNewConnection(null_row));
    RawDb raw(path());
    raw.exec("UPDATE connection_table SET download_location = NULL WHERE username = 'n'");

    ASSERT_EQ(0, SystemDB::initializeDefaultDownloadLocation("/home/u/Downloads"));
    EXPECT_EQ("/home/u/Downloads", raw.value("SELECT download_location FROM connection_table WHERE username = 'e'"));
    EXPECT_EQ("/own", raw.value("SELECT download_location FROM connection_table WHERE username = 'o'"));
    EXPECT_EQ("NULL", raw.value("SELECT download_location FROM connection_table WHERE username = 'n'"));
    EXPECT_EQ("/home/u/Downloads", ConnectionInfo().download_location);
    EXPECT_EQ("/home/u/Downloads", SystemDB::getDefaultDownloadPath());
}

TEST_F(SystemDBTest, FlagsReadAsTheyWereWritten)
{
    ConnectionInfo info = makeConnection("a.example", "alice");
    ASSERT_EQ(0, SystemDB::insertNewConnection(info));
    RawDb raw(path());
    raw.exec("UPDATE connection_table SET enable_upload_control = 2, remember_password = 2, encrypted = 2");
    ConnectionInfo loaded;
    ASSERT_EQ(1, SystemDB::getConnectionByAuthority("a.example", "alice", 3362, loaded));
    EXPECT_FALSE(loaded.enable_upload_control);
    EXPECT_FALSE(loaded.encrypted);
    EXPECT_TRUE(loaded.remember_password);
}

TEST(SystemDBClosedTest, OperationsFailWhileClosed)
{
    ConnectionInfo info;
    std::list<ConnectionInfo> infos;
    ustring value;
    EXPECT_EQ(-1, SystemDB::insertNewConnection(info));
    EXPECT_EQ(-1, SystemDB::updateExistedConnection(info));
    EXPECT_EQ(-1, SystemDB::deleteConnection(1));
    EXPECT_EQ(-1, SystemDB::getConnectionByAuthority("a", "b", 1, info));
    EXPECT_EQ(-1, SystemDB::listConnection(infos));
    EXPECT_EQ(-1, SystemDB::setConfig(ustring("k"), ustring("v")));
    EXPECT_EQ(-1, SystemDB::getConfig(ustring("k"), value));
}

TEST(SystemDBOpenTest, FileThatIsNotADatabaseIsRefused)
{
    TempDir dir;
    {
        std::ofstream out(dir.file("sys-db.sqlite"));
        out << "this is not a database, just some text that is long enough to have a header";
    }
    EXPECT_EQ(-1, SystemDB::initialize(ustring(dir.file("sys-db.sqlite"))));
    std::list<ConnectionInfo> infos;
    EXPECT_EQ(-1, SystemDB::listConnection(infos));
}

// connection_table as a client of version 20 wrote it.
const char* const kOldSchema =
    "CREATE TABLE connection_table (id INTEGER PRIMARY KEY AUTOINCREMENT, hostname VARCHAR, domain_name VARCHAR,"
    " port INTEGER, username VARCHAR, password VARCHAR, remember_password INTEGER, concurrent INTEGER,"
    " max_upload INTEGER, max_download INTEGER, encrypted INTEGER, compressed INTEGER,"
    " last_used_time DATETIME DEFAULT (strftime('%s','now')), UNIQUE (domain_name, username, port) ON CONFLICT REPLACE);"
    "CREATE TABLE system_table (key VARCHAR PRIMARY KEY ON CONFLICT IGNORE, value VARCHAR NOT NULL);"
    "INSERT INTO system_table VALUES ('language', 'deu');"
    "INSERT INTO connection_table (domain_name, username, port) VALUES ('one.example', 'alice', 3362);";

// A file of this client with enough saved connections to span many pages.
void writeHealthyFile(const std::string& path)
{
    ASSERT_EQ(0, SystemDB::initialize(ustring(path)));
    for (int i = 0; i < 300; ++i) {
        ConnectionInfo info;
        info.domain_name = "host-" + std::to_string(i) + ".example";
        info.username = "user";
        ASSERT_EQ(0, SystemDB::insertNewConnection(info));
    }
    SystemDB::destroy();
}

// A damaged file, or one whose tables lack a column the program reads, is
// refused as it is, so that start-up can offer to set it aside rather than
// fail every list and save.
TEST(SystemDBOpenTest, DamagedOrUnusableFilesAreRefusedUntouched)
{
    struct Case {
        std::string name;
        std::function<void(const std::string&)> make;
    };
    std::vector<Case> cases;
    for (const qm_test::SqliteDamageCase& c : qm_test::allSqliteDamages())
        cases.push_back({c.name, [c](const std::string& path) {
                             writeHealthyFile(path);
                             qm_test::damageSqliteFile(path, c.damage, "connection_table", "min_upload");
                         }});
    cases.push_back({"version 42 over an old table", [](const std::string& path) {
                         RawDb(path).exec(std::string(kOldSchema) +
                                          "INSERT INTO system_table VALUES ('release_version', '42');");
                     }});
    cases.push_back({"version 23 over an old table", [](const std::string& path) {
                         RawDb(path).exec(std::string(kOldSchema) +
                                          "INSERT INTO system_table VALUES ('release_version', '23');");
                     }});
    cases.push_back({"system_table without its value column", [](const std::string& path) {
                         writeHealthyFile(path);
                         RawDb(path).exec("ALTER TABLE system_table RENAME COLUMN value TO v;");
                     }});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.file("sys-db.sqlite");
        c.make(path);
        const std::string before = dbtest::readFile(path);
        EXPECT_EQ(-1, SystemDB::initialize(ustring(path)));
        std::list<ConnectionInfo> infos;
        EXPECT_EQ(-1, SystemDB::listConnection(infos)) << "the database stays closed";
        EXPECT_EQ(before, dbtest::readFile(path));
        SystemDB::destroy();
    }
}

// Start-up reads the language before the upgrade chain has seen the file:
// that read must neither create the file nor add or stamp anything in it.
TEST(SystemDBPeekTest, ReadsASettingWithoutCreatingOrChangingTheFile)
{
    TempDir dir;
    const std::string path = dir.file("sys-db.sqlite");
    ustring value("stale");
    EXPECT_EQ(-1, SystemDB::peekConfig(ustring(path), ustring("language"), value));
    EXPECT_EQ(std::string(), value.c_str_utf8());
    EXPECT_FALSE(std::filesystem::exists(path));

    RawDb(path).exec(kOldSchema);
    const std::string before = dbtest::readFile(path);
    EXPECT_EQ(0, SystemDB::peekConfig(ustring(path), ustring("language"), value));
    EXPECT_EQ(std::string("deu"), value.c_str_utf8());
    EXPECT_EQ(-1, SystemDB::peekConfig(ustring(path), ustring("release_version"), value));
    EXPECT_EQ(-1, SystemDB::peekConfig(ustring(path), ustring("LANGUAGE"), value)) << "keys are exact";
    EXPECT_EQ(before, dbtest::readFile(path));
    EXPECT_FALSE(std::filesystem::exists(path + "-journal"));

    RawDb(path).exec("DROP TABLE system_table;");
    EXPECT_EQ(-1, SystemDB::peekConfig(ustring(path), ustring("language"), value));
}

TEST(ConnectionInfoTest, EqualityIgnoresIdUseTimeAndTrust)
{
    ConnectionInfo a;
    ConnectionInfo b;
    EXPECT_EQ(3362, a.port);
    EXPECT_EQ(3, a.concurrent);
    EXPECT_TRUE(a.remember_password);
    b.id = 9;
    b.last_used_time = 9;
    b.ssl_allow_untrust = true;
    b.ssl_signature = "sig";
    EXPECT_TRUE(a == b);
    b.min_download = 1;
    EXPECT_FALSE(a == b);
    b = a;
    b.download_location = "/elsewhere";
    EXPECT_TRUE(a != b);
}

}  // namespace
