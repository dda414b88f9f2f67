// The settings window on a real system database, logins against the test
// server over TLS: rows and their texts, the unsaved-changes guard, add and
// remove, reselection after a save, a login from the window, and Apply over
// two sites logged in from one row.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "connection-list-widget.h"
#include "connection-setting-widget.h"
#include "global-setting-page.h"
#include "language-setting-page.h"
#include "language-setting.h"
#include "support/temp_dir.h"
#include "ui_path_manager.h"
#include "login-error-mask.h"
#include "login_settings_server.h"
#include "login_settings_support.h"
#include "site-info-manager.h"
#include "str_table.h"
#include "system-db.h"
#include "vexo_button.h"
#include "vexo_icon_button.h"
#include "vexo_line_edit.h"
#include "vexoqelt_test_support.h"

namespace {

QString T(int id) { return StrTable::LoadStr(id); }

const int kOk = QMessageBox::Ok;
const int kNo = QMessageBox::Discard;

class SettingsWindowTest : public PairedServerTest {
protected:
    SettingsWindowTest() { StartSetUdpPerLogin(); }
    ConnectionInfo Save(const std::string& name, const std::string& host, int port, const std::string& user,
                        const std::string& password = "secret")
    {
        ConnectionInfo row;
        row.hostname = name;
        row.domain_name = host;
        row.port = port;
        row.username = user;
        row.password = password;
        row.remember_password = !password.empty();
        EXPECT_EQ(SystemDB::insertNewConnection(row), 0);
        return row;
    }
    static void Type(VexoLineEdit* edit, const QString& text)
    {
        edit->getLineEdit()->selectAll();
        QTest::keyClick(edit->getLineEdit(), Qt::Key_Backspace);
        QTest::keyClicks(edit->getLineEdit(), text);
    }
    static int Questions(const lstest::ScriptedResponder& responder)
    {
        int count = 0;
        for (const auto& sheet : responder.seen)
            count += sheet.text == T(StrTable::setting_changes_not_saved);
        return count;
    }
};

}  // namespace

TEST_F(SettingsWindowTest, EmptyDatabaseShowsOneNewSiteRow)
{
    GlobalSettingPage page;
    page.show();
    ASSERT_EQ(page.list()->count(), 1);
    EXPECT_EQ(page.rowWidget(0)->nameText(), T(StrTable::setting_new_site));
    EXPECT_FALSE(page.rowWidget(0)->usernameLabel()->isVisibleTo(page.rowWidget(0)));
    EXPECT_EQ(page.form()->getConnectionId(), 0u);
    page.addButton()->click();
    EXPECT_EQ(page.list()->count(), 1) << "add does nothing on an unsaved row";
    EXPECT_EQ(QApplication::activeModalWidget(), &page);
    vexotest::saveScreenshot(&page, "settings_window_empty");
}

TEST_F(SettingsWindowTest, RowTextsAreListOrderAndPlainText)
{
    Save("Office", "a.example", 3362, "ann");
    Save("", "b.example", 4000, "<img src=x>");
    Save("", "c.example", 3362, "");
    GlobalSettingPage page;
    page.show();
    ASSERT_EQ(page.list()->count(), 3);
    EXPECT_EQ(page.rowWidget(0)->nameText(), "Office");
    EXPECT_EQ(page.rowWidget(1)->nameText(), "b.example:4000");
    EXPECT_EQ(page.rowWidget(1)->usernameLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(page.rowWidget(1)->usernameLabel()->text(), "<img src=x>");
    EXPECT_FALSE(page.rowWidget(2)->usernameLabel()->isVisibleTo(page.rowWidget(2)));
    EXPECT_EQ(page.list()->currentRow(), 0);
    EXPECT_TRUE(page.rowWidget(0)->isSelected());
    page.setCurrentConnection(7);  // out of range: nothing
    EXPECT_EQ(page.list()->currentRow(), 0);
    page.setCurrentConnection(2);
    EXPECT_EQ(page.form()->addressEdit()->getEditText(), "c.example");
    vexotest::saveScreenshot(&page, "settings_window_rows");
}

TEST_F(SettingsWindowTest, UnsavedChangesGuard)
{
    Save("One", "a.example", 3362, "ann");
    Save("Two", "b.example", 3362, "bo");
    lstest::ScriptedResponder responder;
    responder.answer = [](const SheetRequest&) { return kNo; };
    GlobalSettingPage page;
    page.show();
    Type(page.form()->hostNameEdit(), "Edited");

    // Select: declining returns to the row without a second question.
    page.list()->setCurrentRow(1);
    QTRY_COMPARE(page.list()->currentRow(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(Questions(responder), 1);
    EXPECT_EQ(page.form()->hostNameEdit()->getEditText(), "Edited");
    // Add, remove, close, Escape, Cancel: each asks once and stays.
    page.addButton()->click();
    EXPECT_EQ(page.list()->count(), 2);
    page.removeButton()->click();
    EXPECT_EQ(page.list()->count(), 2);
    EXPECT_EQ(SavedRows().size(), 2u);
    page.close();
    EXPECT_TRUE(page.isVisible());
    QTest::keyClick(&page, Qt::Key_Escape);
    EXPECT_TRUE(page.isVisible());
    page.form()->cancelButton()->click();
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(Questions(responder), 6);

    // Accepting drops the edits.
    responder.answer = [](const SheetRequest&) { return kOk; };
    page.list()->setCurrentRow(1);
    EXPECT_EQ(page.list()->currentRow(), 1);
    EXPECT_EQ(page.form()->hostNameEdit()->getEditText(), "Two");
    EXPECT_EQ(Questions(responder), 7);
    page.close();  // clean form: no question
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(Questions(responder), 7);
}

// Rows are picked with the mouse: a click makes the row current and loads
// it; moving over another row with the button held changes nothing; with
// unsaved changes a declined click returns to the row.
TEST_F(SettingsWindowTest, MousePicksRows)
{
    Save("One", "a.example", 3362, "ann");
    Save("Two", "b.example", 3362, "bo");
    Save("Three", "c.example", 3362, "cy");
    lstest::ScriptedResponder responder;
    GlobalSettingPage page;
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    QListWidget* list = page.list();
    QWidget* viewport = list->viewport();
    auto centre = [&](int row) { return list->visualItemRect(list->item(row)).center(); };

    QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(2));
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_TRUE(page.rowWidget(2)->isSelected());
    EXPECT_FALSE(page.rowWidget(0)->isSelected());
    EXPECT_EQ(page.form()->hostNameEdit()->getEditText(), "Three");
    vexotest::saveScreenshot(&page, "settings_window_mouse_pick");

    QTest::mousePress(viewport, Qt::LeftButton, {}, centre(0));
    EXPECT_EQ(list->currentRow(), 0);
    QMouseEvent drag(QEvent::MouseMove, centre(1), viewport->mapToGlobal(centre(1)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &drag);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(1));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(page.form()->hostNameEdit()->getEditText(), "One");

    Type(page.form()->hostNameEdit(), "Edited");
    responder.answer = [](const SheetRequest&) { return kNo; };
    QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->currentRow() == 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(Questions(responder), 1);
    EXPECT_TRUE(page.rowWidget(0)->isSelected());
    EXPECT_EQ(page.form()->hostNameEdit()->getEditText(), "Edited");
    responder.answer = [](const SheetRequest&) { return kOk; };
    QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(1));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(page.form()->hostNameEdit()->getEditText(), "Two");
}

TEST_F(SettingsWindowTest, RemoveRowsClearsTheirSitesAndLeavesANewSiteRow)
{
    const ConnectionInfo one = Save("One", "a.example", 3362, "ann");
    SiteInfo site;
    site.peer_id = 91;
    site.connection_id = one.id;
    SiteInfoManager::getInstance()->setSiteInfo(site);
    GlobalSettingPage page;
    page.show();
    page.addButton()->click();
    ASSERT_EQ(page.list()->count(), 2);
    EXPECT_EQ(page.list()->currentRow(), 1);
    page.removeButton()->click();  // the unsaved row: no database
    ASSERT_EQ(page.list()->count(), 1);
    EXPECT_EQ(SavedRows().size(), 1u);
    page.list()->setCurrentRow(0);
    page.removeButton()->click();
    EXPECT_TRUE(SavedRows().empty());
    ASSERT_EQ(page.list()->count(), 1);
    EXPECT_EQ(page.rowWidget(0)->nameText(), T(StrTable::setting_new_site));
    EXPECT_EQ(page.list()->currentRow(), 0);
    SiteInfo after;
    ASSERT_TRUE(SiteInfoManager::getInstance()->getSiteInfoByPeerId(91, after));
    EXPECT_EQ(after.connection_id, 0u) << "a site must not keep a deleted row's id";
    page.slotGoBack();  // nothing to return to: harmless
    page.reloadConnections();
    page.slotGoBack();
    EXPECT_EQ(page.list()->count(), 0);
}

TEST_F(SettingsWindowTest, SaveWithAnotherLetterCaseReselectsTheRowById)
{
    Save("Zero", "z.example", 3362, "zed");
    const ConnectionInfo row = Save("Files", "files.example", 3362, "alice");
    Save("Last", "last.example", 3362, "lu");
    GlobalSettingPage page;
    page.show();
    page.list()->setCurrentRow(1);
    Type(page.form()->addressEdit(), "Files.Example");
    Type(page.form()->hostNameEdit(), "Renamed");
    page.form()->applyButton()->click();
    ASSERT_EQ(page.list()->count(), 3);
    EXPECT_EQ(page.list()->currentRow(), 1);
    EXPECT_EQ(page.form()->getConnectionId(), row.id);
    EXPECT_EQ(page.form()->hostNameEdit()->getEditText(), "Renamed");
    EXPECT_EQ(SavedRows().size(), 3u);
}

TEST_F(SettingsWindowTest, LoginFromTheWindowClosesItOrShowsThePrompt)
{
    lstest::ScriptedResponder responder;
    Save("Test", "localhost", int(m_control_port), "alice", "wrong");
    {
        GlobalSettingPage page;
        page.show();
        QSignalSpy done(page.errorMask(), &LoginErrorMask::sigMaskDone);
        page.form()->connectButton()->click();
        ASSERT_TRUE(WaitUntil([&] { return done.count() == 1; }));
        EXPECT_TRUE(page.isVisible());
        EXPECT_EQ(responder.seen.last().text, T(StrTable::error_login_user));
    }
    GlobalSettingPage page;
    page.show();
    Type(page.form()->passwordEdit(), "secret");
    page.form()->applyButton()->click();
    page.form()->connectButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return !page.isVisible(); }));
    EXPECT_EQ(m_connected_spy->count(), 2);
}

TEST_F(SettingsWindowTest, ApplyOverTwoSitesLoggedInFromOneRow)
{
    const ConnectionInfo row = Save("Test", "localhost", int(m_control_port), "alice");
    // Earlier scenarios of this process left sites on the same row id.
    QVector<SiteInfo> stale;
    SiteInfoManager::getInstance()->getSiteInfosByConnectionId(row.id, stale);
    for (const SiteInfo& site : stale)
        SiteInfoManager::getInstance()->removeSiteInfo(site.peer_id);
    std::vector<uint64_t> peers;
    for (int i = 0; i < 2; ++i) {
        const uint64_t peer = Connect(Request([&](SiteInfo& site) {
            site.connection_id = row.id;
            site.password = "secret";
            site.transfer_port = int(m_control_port) + 1;
            site.server_name = "Test";
        }));
        ASSERT_NE(peer, 0u);
        ASSERT_EQ(Site(peer).site_error, SITE_ERROR_OK);
        peers.push_back(peer);
    }
    // One set-udp per login, from the main window's part of the relay.
    ASSERT_TRUE(WaitSetUdpDone());
    ASSERT_EQ(Server().RequestCount("set_udp"), 2);
    std::vector<uint64_t> pushed;
    ConnectionSettingWidget::setSetPeerForTest(
        [&](uint64_t peer, int, uint64_t, uint64_t, uint64_t, uint64_t, bool, bool, const std::string&) {
            pushed.push_back(peer);
            return 0;
        });
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    QSignalSpy renames(hub, &GlobalConnecter::sigChangeServerName);
    QSignalSpy events(hub, &GlobalConnecter::sigEventAdded);
    GlobalSettingPage page;
    page.show();
    Type(page.form()->hostNameEdit(), "Renamed");
    Type(page.form()->concurrentEdit(), "4");
    page.form()->applyButton()->click();
    ConnectionSettingWidget::setSetPeerForTest({});
    EXPECT_EQ(pushed, peers);
    ASSERT_EQ(renames.count(), 2);
    EXPECT_EQ(renames.at(0).at(1).toString(), "Renamed");
    EXPECT_EQ(events.count(), 2);
    EXPECT_EQ(Site(peers[1]).concurrent, 4);
    // Both sites' set-udp requests reach the server, and they stay logged in.
    ASSERT_TRUE(WaitSetUdpDone());
    EXPECT_EQ(Server().RequestCount("set_udp"), 4);
    EXPECT_EQ(Site(peers[0]).site_error, SITE_ERROR_OK);
    EXPECT_EQ(Site(peers[1]).site_error, SITE_ERROR_OK);
}

TEST_F(SettingsWindowTest, SettingsButtonKeepsOnlyTheLastLanguagePage)
{
    GlobalSettingPage page;
    page.show();
    page.settingButton()->click();
    QPointer<LanguageSettingPage> first = page.languagePage();
    page.settingButton()->click();
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(page.languagePage(), nullptr);
    EXPECT_TRUE(page.languagePage()->isVisible());
    page.languagePage()->close();
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The language setting reads its own database once, before any other
    // is opened (as start-up does); here a folder of its own.
    qm_test::TempDir language_dir("qm-settings-language");
    UIPathManager::getInstance()->setPath("user_data_path", QString::fromStdString(language_dir.path()));
    LanguageSetting::getInstance();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
