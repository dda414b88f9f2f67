// The connection settings form on a real system database in a temporary
// folder: Apply pushes a saved connection to the two sites logged in from it
// (site table, engine, tab names, set-udp events), the rate and concurrency
// field rules, a changed address adds a row, ports out of range, Connect with
// an empty password, and a database that refuses writes.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>
#include <filesystem>
#include <sqlite3.h>

#include "connection-setting-widget.h"
#include "global-connecter.h"
#include "login_settings_support.h"
#include "site-info-manager.h"
#include "str_table.h"
#include "support/temp_dir.h"
#include "system-db.h"
#include "vexo_button.h"
#include "vexo_check_box.h"
#include "vexo_line_edit.h"
#include "vexoqelt_test_support.h"

namespace {

struct SetPeerCall {
    uint64_t peer;
    int concurrent;
    uint64_t max_upload, max_download, min_upload, min_download;
};

class SettingsFormTest : public ::testing::Test {
protected:
    SettingsFormTest() : m_dir("qm-settings-form")
    {
        lstest::initWidgets();
        registerHubMetaTypes();
        EXPECT_EQ(SystemDB::initialize(ustring(m_dir.file("sys-db.sqlite"))), 0);
        ConnectionSettingWidget::setSetPeerForTest([this](uint64_t peer, int concurrent, uint64_t max_up,
                                                          uint64_t max_down, uint64_t min_up, uint64_t min_down,
                                                          bool, bool, const std::string&) {
            m_set_peer.push_back({peer, concurrent, max_up, max_down, min_up, min_down});
            return 0;
        });
    }
    ~SettingsFormTest() override
    {
        ConnectionSettingWidget::setSetPeerForTest({});
        SystemDB::destroy();
        EXPECT_TRUE(vexotest::missingNames().isEmpty()) << vexotest::missingNames().join(',').toStdString();
    }

    ConnectionInfo SavedRow(const std::string& host = "files.example")
    {
        ConnectionInfo row;
        row.hostname = "Office";
        row.domain_name = host;
        row.username = "alice";
        row.password = "secret";
        row.remember_password = true;
        row.enable_upload_control = false;
        row.max_upload = 300;
        row.min_upload = 30;
        row.enable_download_control = true;
        row.max_download = 800;
        row.min_download = 80;
        EXPECT_EQ(SystemDB::insertNewConnection(row), 0);
        return row;
    }

    std::list<ConnectionInfo> Rows()
    {
        std::list<ConnectionInfo> rows;
        EXPECT_GE(SystemDB::listConnection(rows), 0);
        return rows;
    }

    static void Type(VexoLineEdit* edit, const QString& text)
    {
        edit->getLineEdit()->selectAll();
        QTest::keyClick(edit->getLineEdit(), Qt::Key_Backspace);
        QTest::keyClicks(edit->getLineEdit(), text);
    }

    qm_test::TempDir m_dir;
    std::vector<SetPeerCall> m_set_peer;
};

}  // namespace

TEST_F(SettingsFormTest, ApplyPushesToEverySiteOfTheConnection)
{
    const ConnectionInfo row = SavedRow();
    for (uint64_t peer : {41u, 42u}) {
        SiteInfo site;
        site.peer_id = peer;
        site.connection_id = row.id;
        site.server_name = peer == 41 ? "Office" : "Old name";
        site.session = "kept";
        SiteInfoManager::getInstance()->setSiteInfo(site);
    }
    SiteInfo other;
    other.peer_id = 43;
    other.connection_id = row.id + 1;
    SiteInfoManager::getInstance()->setSiteInfo(other);

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    QSignalSpy renames(hub, &GlobalConnecter::sigChangeServerName);
    QSignalSpy events(hub, &GlobalConnecter::sigEventAdded);
    ConnectionSettingWidget form;
    form.show();
    form.setConnectionInfo(row);
    EXPECT_FALSE(form.applyButton()->isEnabled()) << "loading never leaves Apply on";
    EXPECT_EQ(form.passwordEdit()->getEditText(), QString(8, ' '));
    EXPECT_EQ(form.addressEdit()->getEditText(), "files.example");
    EXPECT_FALSE(form.uploadEdit()->isEnabled());
    EXPECT_TRUE(form.downloadEdit()->isEnabled());

    Type(form.hostNameEdit(), "");  // the tab falls back to user@address
    Type(form.concurrentEdit(), "5");
    EXPECT_TRUE(form.applyButton()->isEnabled());
    vexotest::saveScreenshot(&form, "settings_form_edited");
    form.applyButton()->click();
    EXPECT_FALSE(form.applyButton()->isEnabled());

    ASSERT_EQ(m_set_peer.size(), 2u);
    EXPECT_EQ(m_set_peer[0].peer, 41u);
    EXPECT_EQ(m_set_peer[1].peer, 42u);
    EXPECT_EQ(m_set_peer[0].concurrent, 5);
    EXPECT_EQ(m_set_peer[0].max_upload, 0u);  // upload limit off: 0 and 0
    EXPECT_EQ(m_set_peer[0].min_upload, 0u);
    EXPECT_EQ(m_set_peer[0].max_download, 800u);
    EXPECT_EQ(m_set_peer[0].min_download, 80u);
    ASSERT_EQ(renames.count(), 2);
    EXPECT_EQ(renames.at(0).at(1).toString(), "alice@files.example");
    EXPECT_EQ(events.count(), 2);
    SiteInfo site;
    ASSERT_TRUE(SiteInfoManager::getInstance()->getSiteInfoByPeerId(42, site));
    EXPECT_EQ(site.concurrent, 5);
    EXPECT_EQ(site.password, "secret");  // untouched placeholder keeps the saved password
    EXPECT_EQ(site.transfer_port, 3363);
    EXPECT_EQ(site.session, "kept");
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows().front().concurrent, 5);
    EXPECT_EQ(Rows().front().password, "secret");
}

TEST_F(SettingsFormTest, RateAndConcurrencyFieldRules)
{
    ConnectionSettingWidget form;
    form.show();
    form.setConnectionInfo(SavedRow());
    form.uploadBox()->setChecked(true);
    EXPECT_TRUE(form.uploadEdit()->isEnabled());
    for (const char* zero : {"0", "00"}) {
        Type(form.uploadEdit(), zero);
        EXPECT_EQ(form.uploadEdit()->getEditText(), "") << zero;  // shows "No limit"
    }
    Type(form.uploadEdit(), "1234567");
    EXPECT_EQ(form.uploadEdit()->getEditText(), "123456");  // six digits at most
    Type(form.uploadEdit(), "");
    form.applyButton()->click();
    EXPECT_FALSE(form.uploadBox()->isChecked()) << "an empty limit is switched off";
    EXPECT_FALSE(Rows().front().enable_upload_control);

    // An empty concurrency becomes "0", is marked, and blocks Apply.
    Type(form.concurrentEdit(), "");
    form.concurrentEdit()->getLineEdit()->setFocus();
    QMetaObject::invokeMethod(form.concurrentEdit()->getLineEdit(), "editingFinished");
    QTest::keyClick(form.concurrentEdit()->getLineEdit(), Qt::Key_Return);
    EXPECT_EQ(form.concurrentEdit()->getEditText(), "0");
    EXPECT_TRUE(form.concurrentEdit()->hasError());
    EXPECT_EQ(form.concurrentEdit()->getLineEdit()->toolTip(), StrTable::LoadStr(StrTable::setting_tip_concurrent));
    vexotest::saveScreenshot(&form, "settings_form_concurrency_error");
    form.applyButton()->click();
    EXPECT_TRUE(form.applyButton()->isEnabled());
    EXPECT_EQ(Rows().front().concurrent, 3);
    Type(form.concurrentEdit(), "10");
    EXPECT_FALSE(form.concurrentEdit()->hasError());
    form.applyButton()->click();
    EXPECT_EQ(Rows().front().concurrent, 10);

    // Validators as a table.
    EXPECT_TRUE(not_empty_validator(" "));
    EXPECT_FALSE(not_empty_validator(""));
    EXPECT_FALSE(concurrent_validator("0"));
    EXPECT_TRUE(concurrent_validator("1"));
    EXPECT_FALSE(concurrent_validator("11"));
    EXPECT_TRUE(speed_validator(""));
    EXPECT_TRUE(speed_validator("0123"));
    EXPECT_FALSE(speed_validator("12a"));
    EXPECT_FALSE(speed_validator("-1"));
}

TEST_F(SettingsFormTest, ChangedAddressAddsARowAndPortsOutOfRangeAreRefused)
{
    ConnectionSettingWidget form;
    QSignalSpy items(&form, &ConnectionSettingWidget::sigUpdateCurrentConnectionItem);
    form.show();
    form.setConnectionInfo(SavedRow());
    for (const char* address : {"files.example:0", "files.example:65535"}) {
        Type(form.addressEdit(), address);
        form.applyButton()->click();
        EXPECT_TRUE(form.addressEdit()->hasError()) << address;
        EXPECT_TRUE(form.applyButton()->isEnabled());
    }
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_EQ(items.count(), 0);
    Type(form.addressEdit(), "other.example:4000");
    form.applyButton()->click();
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.back().domain_name, "other.example");
    EXPECT_EQ(rows.back().port, 4000);
    EXPECT_EQ(rows.front().domain_name, "files.example");
    ASSERT_EQ(items.count(), 1);
    EXPECT_EQ(form.getConnectionId(), rows.back().id);
}

TEST_F(SettingsFormTest, ConnectWithAnEmptyPasswordAsks)
{
    ConnectionInfo row = SavedRow();
    row.remember_password = false;
    row.password.clear();
    ASSERT_EQ(SystemDB::updateExistedConnection(row), 0);
    ConnectionSettingWidget form;
    QSignalSpy logins(&form, &ConnectionSettingWidget::sigConnectNewConnection);
    form.show();
    form.setConnectionInfo(row);
    {
        lstest::ScriptedResponder responder;
        responder.answer = [](const SheetRequest&) { return int(QMessageBox::Discard); };
        form.connectButton()->click();
        EXPECT_EQ(logins.count(), 0);
        ASSERT_EQ(responder.seen.size(), 1);
        EXPECT_EQ(responder.seen.at(0).text, StrTable::LoadStr(StrTable::enter_password));
    }
    lstest::ScriptedResponder responder;
    responder.input_text = "typed";
    form.connectButton()->click();
    ASSERT_EQ(logins.count(), 1);
    const ConnectionInfo login = logins.at(0).at(0).value<ConnectionInfo>();
    EXPECT_TRUE(logins.at(0).at(1).toBool());
    EXPECT_EQ(login.password, "typed");
    EXPECT_FALSE(login.remember_password);
    EXPECT_EQ(login.id, row.id);
    EXPECT_EQ(Rows().front().password, "");
}

// Connect with a password asks whether to remember it only while there are
// unapplied changes; the answer goes to the login and the saved row, and a
// password not remembered is never written to disk.
TEST_F(SettingsFormTest, RememberQuestionOnlyWithUnappliedChanges)
{
    struct Case {
        const char* name;
        const char* concurrency;  // typed into the field, or null
        const char* password;     // typed into the field, or null (placeholder kept)
        int answer;
        bool asked;
        bool remember;
        std::string login_password;
        std::string saved_password;
    };
    const int yes = QMessageBox::Ok, no = QMessageBox::Cancel;
    const Case cases[] = {
        {"unchanged", nullptr, nullptr, yes, false, true, "secret", "secret"},
        {"changed, remembered", "5", nullptr, yes, true, true, "secret", "secret"},
        {"changed, not remembered", "5", nullptr, no, true, false, "secret", ""},
        {"new password, remembered", nullptr, "fresh", yes, true, true, "fresh", "fresh"},
        {"new password, not remembered", nullptr, "fresh", no, true, false, "fresh", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SystemDB::destroy();
        std::filesystem::remove(m_dir.file("sys-db.sqlite"));
        ASSERT_EQ(SystemDB::initialize(ustring(m_dir.file("sys-db.sqlite"))), 0);
        const ConnectionInfo row = SavedRow();
        lstest::ScriptedResponder responder;
        responder.answer = [&](const SheetRequest&) { return c.answer; };
        ConnectionSettingWidget form;
        QSignalSpy logins(&form, &ConnectionSettingWidget::sigConnectNewConnection);
        form.show();
        form.setConnectionInfo(row);
        if (c.concurrency)
            Type(form.concurrentEdit(), c.concurrency);
        if (c.password)
            Type(form.passwordEdit(), c.password);
        form.connectButton()->click();
        ASSERT_EQ(responder.seen.size(), c.asked ? 1 : 0);
        if (c.asked) {
            EXPECT_EQ(responder.seen.at(0).text, StrTable::LoadStr(StrTable::need_remember_password));
        }
        ASSERT_EQ(logins.count(), 1);
        const ConnectionInfo login = logins.at(0).at(0).value<ConnectionInfo>();
        EXPECT_FALSE(logins.at(0).at(1).toBool());
        EXPECT_EQ(login.password, c.login_password);
        EXPECT_EQ(login.remember_password, c.remember);
        EXPECT_EQ(login.id, row.id);
        const auto rows = Rows();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows.front().remember_password, c.remember);
        EXPECT_EQ(rows.front().password, c.saved_password);
        EXPECT_EQ(rows.front().concurrent, c.concurrency ? 5 : row.concurrent);
        EXPECT_FALSE(form.applyButton()->isEnabled());
    }
}

TEST_F(SettingsFormTest, RefusedWriteKeepsApplyAndPushesNothing)
{
    const ConnectionInfo row = SavedRow();
    SiteInfo site;
    site.peer_id = 51;
    site.connection_id = row.id;
    SiteInfoManager::getInstance()->setSiteInfo(site);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_dir.file("sys-db.sqlite").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TRIGGER refuse_update BEFORE UPDATE ON connection_table "
                           "BEGIN SELECT RAISE(ABORT, 'read only'); END;"
                           "CREATE TRIGGER refuse_insert BEFORE INSERT ON connection_table "
                           "BEGIN SELECT RAISE(ABORT, 'read only'); END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    QSignalSpy events(hub, &GlobalConnecter::sigEventAdded);
    ConnectionSettingWidget form;
    QSignalSpy items(&form, &ConnectionSettingWidget::sigUpdateCurrentConnectionItem);
    form.show();
    form.setConnectionInfo(row);
    Type(form.concurrentEdit(), "7");
    form.applyButton()->click();
    EXPECT_TRUE(form.applyButton()->isEnabled());
    EXPECT_TRUE(m_set_peer.empty());
    EXPECT_EQ(events.count(), 0);
    EXPECT_EQ(items.count(), 0);
    Type(form.addressEdit(), "new.example");  // an insert is refused alike
    form.applyButton()->click();
    EXPECT_TRUE(form.applyButton()->isEnabled());
    EXPECT_EQ(form.getConnectionId(), row.id);
    EXPECT_EQ(items.count(), 0);
    EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(SettingsFormTest, BrowsePicksAFolderAndCancelChangesNothing)
{
    ConnectionSettingWidget form;
    form.show();
    form.setConnectionInfo(SavedRow());
    const QString before = form.downloadLocationEdit()->text();
    const QString chosen = QString::fromStdString(m_dir.file("downloads <&>"));
    QDir().mkpath(chosen);
    for (bool accept : {false, true}) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (!accept) {
                dialog->reject();
                return;
            }
            dialog->setDirectory(chosen);
            dialog->selectFile(chosen);
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        });
        form.browseButton()->click();
        if (!accept) {
            EXPECT_EQ(form.downloadLocationEdit()->text(), before);
            EXPECT_FALSE(form.applyButton()->isEnabled());
        }
    }
    EXPECT_EQ(form.downloadLocationEdit()->text(), chosen);
    EXPECT_EQ(form.downloadLocationEdit()->toolTip().contains("&lt;&amp;&gt;"), true);
    EXPECT_TRUE(form.applyButton()->isEnabled());
    form.applyButton()->click();
    EXPECT_EQ(Rows().front().download_location, chosen.toStdString());
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
