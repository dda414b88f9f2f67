// Start-up and shut-down without windows, each run a child process on fresh
// data and log folders (HOME and XDG pointed at the test's folder too).
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/certificates.h"
#include "support/damaged_sqlite.h"
#include "support/temp_dir.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QM_SANITIZED_BUILD 1
#endif

namespace {

struct ChildRun {
    int exit_code = -1;
    QProcess::ExitStatus status = QProcess::NormalExit;
    QMap<QString, QString> values;  // KEY=VALUE lines of standard output
    QString error_output;
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data = m_root.path() + "/data";
        log = m_root.path() + "/log";
        ca_file = m_root.file("ca-bundle.pem");
        // A test authority and one that expired yesterday.
        qm_test::CertRequest expired;
        expired.common_name = "Expired Test Authority";
        expired.ca = true;
        expired.valid_seconds = -86400 - 3600;
        ca.reset(new qm_test::Credentials(qm_test::makeCa("Startup Test Authority")));
        qm_test::Credentials old = qm_test::makeCert(expired);
        old.writeFiles(m_root.file("expired.pem"), "");
        ca->writeFiles(m_root.file("ca.pem"), "");
        ca_pem = qm_test::readFile(m_root.file("ca.pem"));
        expired_pem = qm_test::readFile(m_root.file("expired.pem"));
        ASSERT_TRUE(qm_test::writeFile(ca_file, ca_pem + expired_pem));
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", QString::fromStdString(m_root.path()));
        env.insert("XDG_DATA_HOME", QString::fromStdString(m_root.path() + "/xdg-data"));
        env.insert("XDG_STATE_HOME", QString::fromStdString(m_root.path() + "/xdg-state"));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(m_root.path()));
        env.insert("QUILLMAR_DATA_DIR", QString::fromStdString(data));
        env.insert("QUILLMAR_LOG_DIR", QString::fromStdString(log));
        env.insert("SSL_CERT_FILE", QString::fromStdString(ca_file));
        env.remove("LC_ALL");
        env.remove("LC_MESSAGES");
        env.insert("LANG", "C.UTF-8");
        return env;
    }

    ChildRun run(const QString& mode, const QProcessEnvironment& env) const
    {
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QStringLiteral(QM_STARTUP_CHILD), {mode});
        ChildRun result;
        if (!child.waitForFinished(120000)) {
            child.kill();
            child.waitForFinished();
            ADD_FAILURE() << "the child did not finish";
            return result;
        }
        result.exit_code = child.exitCode();
        result.status = child.exitStatus();
        result.error_output = QString::fromUtf8(child.readAllStandardError());
        for (const QString& line : QString::fromUtf8(child.readAllStandardOutput()).split('\n')) {
            const int equals = line.indexOf('=');
            if (equals > 0)
                result.values.insert(line.left(equals), line.mid(equals + 1));
        }
        return result;
    }
    ChildRun run(const QString& mode) const { return run(mode, environment()); }

    bool exists(const std::string& name) const { return QFileInfo::exists(QString::fromStdString(data + "/" + name)); }

    std::string query(const std::string& db_path, const std::string& sql) const
    {
        sqlite3* db = nullptr;
        std::string value;
        if (sqlite3_open_v2(db_path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* stmt = nullptr;
            if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
                value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            sqlite3_finalize(stmt);
        }
        sqlite3_close(db);
        return value;
    }

    void writeVersion20Fixture(const std::string& language) const { writeOldFixture(20, language); }

    // A file as a client of version 20, 21 or 22 left it: its connection
    // table, its settings and two saved connections.
    void writeOldFixture(int version, const std::string& language) const
    {
        ::mkdir(data.c_str(), 0755);
        const bool trust = version >= 22;
        const std::string sql =
            "CREATE TABLE connection_table (id INTEGER PRIMARY KEY AUTOINCREMENT, hostname VARCHAR,"
            " domain_name VARCHAR, port INTEGER, username VARCHAR, password VARCHAR, remember_password INTEGER,"
            " concurrent INTEGER, max_upload INTEGER, max_download INTEGER, encrypted INTEGER, compressed INTEGER," +
            std::string(trust ? " ssl_allow_untrust INTEGER, ssl_signature TEXT," : "") +
            " last_used_time DATETIME DEFAULT (strftime('%s','now')),"
            " UNIQUE (domain_name, username, port) ON CONFLICT REPLACE);"
            "CREATE TABLE system_table (key VARCHAR PRIMARY KEY ON CONFLICT IGNORE, value VARCHAR NOT NULL);"
            "INSERT INTO system_table VALUES ('release_version', " + std::to_string(version) + ");"
            "INSERT INTO system_table VALUES ('language', '" + language + "');"
            "INSERT INTO connection_table VALUES (1, 'first', 'one.example', 3362, 'alice', 'pw', 1, 3, 0, 0, 1, 0, " +
            (trust ? "1, 'SIG', " : "") + "1600000000);"
            "INSERT INTO connection_table VALUES (4, 'second', 'two.example', 4000, 'bob', '', 0, 2, 10, 20, 0, 1, " +
            (trust ? "0, '', " : "") + "1600000500);";
        execSql(data + "/sys-db.sqlite", sql);
    }

    static void execSql(const std::string& path, const std::string& sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        char* message = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message), SQLITE_OK) << (message ? message : "");
        sqlite3_free(message);
        sqlite3_close(db);
    }

    void writeGarbageDatabase(const std::string& content) const
    {
        ::mkdir(data.c_str(), 0755);
        ASSERT_TRUE(qm_test::writeFile(data + "/sys-db.sqlite", content));
    }

    qm_test::TempDir m_root{"qm-startup"};
    std::string data, log, ca_file, ca_pem, expired_pem;
    std::unique_ptr<qm_test::Credentials> ca;
};

TEST_F(StartupTest, FreshFoldersMakeFilesDatabasesAndRunTheWorkers)
{
    const ChildRun first = run("workers");
    ASSERT_EQ(first.values.value("DONE"), "1") << first.error_output.toStdString();
    EXPECT_EQ(first.exit_code, 0);
    EXPECT_EQ(first.values.value("ASKED"), "0");

    const std::string certs = qm_test::readFile(data + "/certs.pem");
    EXPECT_NE(certs.find(ca_pem), std::string::npos) << "the test authority is written";
    EXPECT_EQ(certs.find(expired_pem), std::string::npos) << "an authority that expired yesterday is left out";

    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(log + "/ui.log")));
    EXPECT_TRUE(exists("log-db.sqlite"));
    EXPECT_EQ(query(data + "/sys-db.sqlite", "SELECT value FROM system_table WHERE key='release_version'"), "23");
    EXPECT_EQ(query(data + "/sys-db.sqlite", "SELECT value FROM system_table WHERE key='language'"), "def");
    EXPECT_EQ(first.values.value("LANGUAGE"), "enu") << "LANG=C follows the system: English";
    EXPECT_EQ(first.values.value("MONTH_JAN"), "January");
    EXPECT_EQ(first.values.value("PREV_PAGES"), "Previous 5 pages");

    EXPECT_EQ(first.values.value("ENGINE_PORT_ANSWERS"), "1");
    EXPECT_GE(first.values.value("TASK_PASSES").toInt(), 2) << "the first pass at once, the next on its thread";
    EXPECT_GE(first.values.value("THREADS_RUNNING").toInt(), 4) << "peer monitor, handler, task monitor, engine";
    EXPECT_EQ(first.values.value("THREADS_LEFT"), "0")
        << "every thread joined; before: " << first.values.value("THREADS_BEFORE").toStdString()
        << "; after: " << first.values.value("THREADS_AFTER").toStdString();
    EXPECT_EQ(first.values.value("ENGINE_STOPPED"), "1");
    EXPECT_EQ(first.values.value("DATABASES_CLOSED"), "1");

    // A second run writes the same authorities, not a doubled file.
    const ChildRun second = run("startup");
    ASSERT_EQ(second.values.value("DONE"), "1");
    EXPECT_EQ(qm_test::readFile(data + "/certs.pem"), certs);
}

TEST_F(StartupTest, SecondStartLeavesTheDatabasesAndReplacesCertificatesByRename)
{
    ASSERT_EQ(run("startup").values.value("DONE"), "1");
    const std::string certs_path = data + "/certs.pem";
    const std::string before = qm_test::readFile(certs_path);
    ASSERT_FALSE(before.empty());
    struct stat old_stat;
    ASSERT_EQ(::stat(certs_path.c_str(), &old_stat), 0);
    // The running instance's view of the file, as a TLS handshake would read it.
    const int old_fd = ::open(certs_path.c_str(), O_RDONLY);
    ASSERT_GE(old_fd, 0);
    ASSERT_EQ(::unlink((data + "/log-db.sqlite").c_str()), 0);
    ASSERT_EQ(::unlink((data + "/sys-db.sqlite").c_str()), 0);

    QProcessEnvironment env = environment();
    env.insert("QM_TEST_OTHER_INSTANCE", "1");
    const ChildRun second = run("startup", env);
    EXPECT_EQ(second.exit_code, 0);
    EXPECT_EQ(second.values.value("EARLY_EXIT"), "1");
    EXPECT_FALSE(exists("log-db.sqlite")) << "the databases are not touched";
    EXPECT_FALSE(exists("sys-db.sqlite"));

    struct stat new_stat;
    ASSERT_EQ(::stat(certs_path.c_str(), &new_stat), 0);
    EXPECT_NE(new_stat.st_ino, old_stat.st_ino) << "replaced by rename";
    std::string through_old(static_cast<size_t>(old_stat.st_size) + 16, '\0');
    const ssize_t got = ::pread(old_fd, &through_old[0], through_old.size(), 0);
    ::close(old_fd);
    ASSERT_GE(got, 0);
    through_old.resize(static_cast<size_t>(got));
    EXPECT_EQ(through_old, before) << "the running instance's file was never truncated";
}

TEST_F(StartupTest, Version20DatabaseIsUpgradedWithItsRowsAndItsLanguage)
{
    writeVersion20Fixture("deu");
    const ChildRun result = run("startup");
    ASSERT_EQ(result.values.value("DONE"), "1") << result.error_output.toStdString();
    EXPECT_EQ(result.values.value("ASKED"), "0");
    const std::string db = data + "/sys-db.sqlite";
    EXPECT_EQ(query(db, "SELECT value FROM system_table WHERE key='release_version'"), "23");
    EXPECT_EQ(query(db, "SELECT count(*) FROM connection_table"), "2");
    EXPECT_EQ(query(db, "SELECT username FROM connection_table WHERE id=4"), "bob");
    // The language was read from the old file before the chain ran on it.
    EXPECT_EQ(result.values.value("LANGUAGE"), "deu");
    EXPECT_EQ(result.values.value("TRANSLATOR"), "1");
    EXPECT_EQ(result.values.value("MONTH_JAN"), "Januar");
}

// Reading the language comes before the upgrade chain and must leave the old
// file to it: every old version reaches 23 with its saved connections.
TEST_F(StartupTest, OlderDatabasesKeepTheirConnectionsThroughStartUp)
{
    for (int version : {21, 22}) {
        SCOPED_TRACE(version);
        std::filesystem::remove_all(data);
        writeOldFixture(version, "fra");
        const ChildRun result = run("startup");
        ASSERT_EQ(result.values.value("DONE"), "1") << result.error_output.toStdString();
        EXPECT_EQ(result.values.value("ASKED"), "0");
        EXPECT_EQ(result.values.value("LANGUAGE"), "fra");
        const std::string db = data + "/sys-db.sqlite";
        EXPECT_EQ(query(db, "SELECT value FROM system_table WHERE key='release_version'"), "23");
        EXPECT_EQ(query(db, "SELECT group_concat(username) FROM (SELECT username FROM connection_table ORDER BY id)"),
                  "alice,bob");
        EXPECT_EQ(query(db, "SELECT enable_download_control FROM connection_table WHERE id=4"), "1");
        EXPECT_EQ(query(db, "SELECT ssl_signature FROM connection_table WHERE id=1"), version >= 22 ? "SIG" : "");
    }
}

// A file the client cannot upgrade or use is never stamped or half-used: the
// user is offered to set it aside, and it is kept whole as ".broken".
TEST_F(StartupTest, UnusableDatabasesAreOfferedForRecovery)
{
    struct Case {
        std::string name;
        std::function<void()> make;
    };
    std::vector<Case> cases = {
        {"version 21 without release_version",
         [this] {
             writeOldFixture(21, "deu");
             execSql(data + "/sys-db.sqlite", "DELETE FROM system_table WHERE key = 'release_version';");
         }},
        {"version 22 without system_table",
         [this] {
             writeOldFixture(22, "deu");
             execSql(data + "/sys-db.sqlite", "DROP TABLE system_table;");
         }},
        {"version 42 over an old table",
         [this] {
             writeOldFixture(22, "deu");
             execSql(data + "/sys-db.sqlite", "UPDATE system_table SET value = '42' WHERE key = 'release_version';");
         }},
    };
    for (const qm_test::SqliteDamageCase& damage : qm_test::allSqliteDamages())
        cases.push_back({damage.name, [this, damage] {
                             writeOldFixture(22, "deu");
                             const std::string db = data + "/sys-db.sqlite";
                             // Enough rows for several pages of the current schema.
                             execSql(db, "UPDATE system_table SET value = '23' WHERE key = 'release_version';"
                                         "DROP TABLE connection_table;"
                                         "CREATE TABLE connection_table (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                         " hostname VARCHAR, domain_name VARCHAR, port INTEGER, username VARCHAR,"
                                         " password VARCHAR, remember_password INTEGER, concurrent INTEGER,"
                                         " max_upload INTEGER, max_download INTEGER, encrypted INTEGER,"
                                         " compressed INTEGER, ssl_allow_untrust INTEGER, ssl_signature TEXT,"
                                         " last_used_time DATETIME, download_location TEXT,"
                                         " enable_upload_control INTEGER, enable_download_control INTEGER,"
                                         " min_upload INTEGER, min_download INTEGER,"
                                         " UNIQUE (domain_name, username, port) ON CONFLICT REPLACE);"
                                         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)"
                                         " INSERT INTO connection_table (domain_name, username, port, hostname)"
                                         " SELECT 'host' || i || '.example', 'user', 3362, printf('%.100c', 'h') FROM n;");
                             qm_test::damageSqliteFile(db, damage.damage, "connection_table", "min_upload");
                         }});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(data);
        c.make();
        const std::string before = qm_test::readFile(data + "/sys-db.sqlite");
        QProcessEnvironment env = environment();
        env.insert("QM_TEST_ANSWER", "1024");
        const ChildRun result = run("startup", env);
        ASSERT_EQ(result.values.value("DONE"), "1") << result.error_output.toStdString();
        EXPECT_EQ(result.values.value("ASKED"), "1");
        EXPECT_EQ(qm_test::readFile(data + "/sys-db.sqlite.broken"), before) << "kept as it was found";
        const std::string db = data + "/sys-db.sqlite";
        EXPECT_EQ(query(db, "SELECT value FROM system_table WHERE key='release_version'"), "23");
        EXPECT_EQ(query(db, "SELECT count(*) FROM pragma_table_info('connection_table')"), "20");
        EXPECT_EQ(query(db, "SELECT count(*) FROM connection_table"), "0");
    }
}

TEST_F(StartupTest, UnknownLanguageKeepsTheEnglishTexts)
{
    writeVersion20Fixture("xyz");
    const ChildRun result = run("startup");
    ASSERT_EQ(result.values.value("DONE"), "1") << result.error_output.toStdString();
    EXPECT_EQ(result.values.value("LANGUAGE"), "xyz");
    EXPECT_EQ(result.values.value("TRANSLATOR"), "0");
    EXPECT_EQ(result.values.value("MONTH_JAN"), "January");
}

TEST_F(StartupTest, BrokenDatabaseMovedAsideOnConsent)
{
    writeGarbageDatabase("this is not a database, just text long enough to be read as a header........");
    ASSERT_TRUE(qm_test::writeFile(data + "/sys-db.sqlite.broken", "an older broken copy"));
    QProcessEnvironment env = environment();
    env.insert("QM_TEST_ANSWER", "1024");
    const ChildRun result = run("startup", env);
    ASSERT_EQ(result.values.value("DONE"), "1") << result.error_output.toStdString();
    EXPECT_EQ(result.values.value("ASKED"), "1");
    EXPECT_EQ(result.values.value("QUESTION_TITLE"), "Quillmar File Manager");
    EXPECT_EQ(qm_test::readFile(data + "/sys-db.sqlite.broken").substr(0, 16), "this is not a da");
    EXPECT_EQ(query(data + "/sys-db.sqlite", "SELECT value FROM system_table WHERE key='release_version'"), "23");
}

TEST_F(StartupTest, BrokenDatabaseKeptWhenDeclined)
{
    const std::string garbage = "this is not a database, just text long enough to be read as a header........";
    writeGarbageDatabase(garbage);
    QProcessEnvironment env = environment();
    env.insert("QM_TEST_ANSWER", "0");
    const ChildRun result = run("startup", env);
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.values.value("ASKED"), "1");
    EXPECT_EQ(result.values.value("EARLY_EXIT"), "1");
    EXPECT_EQ(qm_test::readFile(data + "/sys-db.sqlite"), garbage);
    EXPECT_FALSE(exists("sys-db.sqlite.broken"));
}

TEST_F(StartupTest, BrokenDatabaseThatCannotBeMovedEndsTheRun)
{
    const std::string garbage = "this is not a database, just text long enough to be read as a header........";
    writeGarbageDatabase(garbage);
    // An older backup that cannot be removed: a folder holding an entry the
    // run's user may not delete.
    const std::string backup = data + "/sys-db.sqlite.broken";
    ASSERT_EQ(::mkdir(backup.c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo((backup + "/fifo").c_str(), 0644), 0);
    QProcessEnvironment env = environment();
    env.insert("QM_TEST_ANSWER", "1024");
    if (::geteuid() == 0) {
        // Root removes anything: the run goes as "nobody", who owns the
        // folders but not the backup.
        const passwd* nobody = ::getpwnam("nobody");
        ASSERT_NE(nobody, nullptr);
        for (const std::string& path : {m_root.path(), data, data + "/sys-db.sqlite", m_root.file("ca-bundle.pem")})
            ASSERT_EQ(::chown(path.c_str(), nobody->pw_uid, nobody->pw_gid), 0) << path;
        env.insert("QM_TEST_RUN_AS_UID", QString::number(nobody->pw_uid));
    } else {
        ASSERT_EQ(::chmod(backup.c_str(), 0555), 0);
    }
    const ChildRun result = run("startup", env);
    ::chmod(backup.c_str(), 0755);
    EXPECT_EQ(result.exit_code, 0) << result.error_output.toStdString();
    EXPECT_EQ(result.values.value("ASKED"), "1");
    EXPECT_EQ(result.values.value("EARLY_EXIT"), "1");
    EXPECT_EQ(qm_test::readFile(data + "/sys-db.sqlite"), garbage);
    EXPECT_NE(qm_test::readFile(log + "/ui.log").find("Failed to backup broken data."), std::string::npos);
}

TEST_F(StartupTest, CrashPrintsFramesAndDiesBySegv)
{
#ifdef QM_SANITIZED_BUILD
    GTEST_SKIP() << "the crash handler is not installed in sanitizer builds";
#else
    const ChildRun result = run("crash");
    EXPECT_EQ(result.status, QProcess::CrashExit);
    EXPECT_EQ(result.exit_code, SIGSEGV);
    EXPECT_TRUE(result.error_output.contains("crashing!!\n"));
    EXPECT_TRUE(result.error_output.contains(QRegExp("Frame 0:\n    Symbol name:    [^\n]*\n    PC address:     0x[0-9A-F]{8,}\n"
                                                     "    Stack address:  0x[0-9A-F]{8,}\n    Frame address:  0x[0-9A-F]{8,}\n\n")))
        << result.error_output.toStdString();
    EXPECT_TRUE(result.error_output.contains("Frame 1:"));
#endif
}

}  // namespace

#ifdef QM_STARTUP_GUI_CHILD
namespace {

// qMain with stand-in windows; waits until the login window is shown.
class RunningClient {
public:
    explicit RunningClient(const QProcessEnvironment& env)
    {
        m_process.setProcessEnvironment(env);
        m_process.start(QStringLiteral(QM_STARTUP_GUI_CHILD), QStringList());
    }
    ~RunningClient()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    // Reads standard output until `marker` shows or the process ends.
    bool waitFor(const QString& marker)
    {
        while (!m_output.contains(marker)) {
            if (m_process.state() == QProcess::NotRunning && !m_process.bytesAvailable())
                return false;
            if (!m_process.waitForReadyRead(60000) && m_process.state() != QProcess::NotRunning)
                return false;
            m_output += QString::fromUtf8(m_process.readAllStandardOutput());
        }
        return true;
    }
    int quitAndWait()
    {
        m_process.write("quit\n");
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(60000))
            return -1;
        m_output += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    int wait()
    {
        if (!m_process.waitForFinished(60000))
            return -1;
        m_output += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    const QString& output() const { return m_output; }

private:
    QProcess m_process;
    QString m_output;
};

}  // namespace

TEST_F(StartupTest, SecondStartOnTheSameDataFolderEndsAtOnceAnotherFolderRuns)
{
    QProcessEnvironment env = environment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    RunningClient first(env);
    ASSERT_TRUE(first.waitFor("LOGIN_SHOWN=1")) << first.output().toStdString();

    RunningClient second(env);
    EXPECT_EQ(second.wait(), 0);
    EXPECT_TRUE(second.output().contains("RESULT=0"));
    EXPECT_FALSE(second.output().contains("LOGIN_SHOWN")) << "the second start ends before the client manager";

    // Another data folder is another instance.
    QProcessEnvironment other = env;
    other.insert("QUILLMAR_DATA_DIR", QString::fromStdString(m_root.path() + "/other-data"));
    RunningClient third(other);
    EXPECT_TRUE(third.waitFor("LOGIN_SHOWN=1")) << third.output().toStdString();

    EXPECT_EQ(third.quitAndWait(), 0);
    EXPECT_EQ(first.quitAndWait(), 0);
    EXPECT_TRUE(first.output().contains("RESULT=0"));
    EXPECT_EQ(query(data + "/sys-db.sqlite", "SELECT value FROM system_table WHERE key='release_version'"), "23");
}
#endif
