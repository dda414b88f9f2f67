// The login window against the test file server over TLS: a typed login
// saves one row, the same login from the row inserts nothing, a wrong
// password keeps the form and the remembered password, a one-time code, a
// self-signed certificate, a closed port and a missing data side; then the
// form's own rules (list order, picking, ports, Connect state, F12 pair).
// The server's data side listens on the control port + 1, as the client
// expects; a relay stands for the central widget and answers each finished
// login with sigAddSiteDone.
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "connection-widget.h"
#include "log.h"
#include "login_settings_server.h"
#include "support/temp_dir.h"
#include "login-error-mask.h"
#include "login-widget.h"
#include "login_settings_support.h"
#include "site-info-manager.h"
#include "str_table.h"
#include "system-db.h"
#include "vexo_button.h"
#include "vexo_check_box.h"
#include "vexo_message_sheet.h"
#include "vexoqelt_test_support.h"

namespace {

QString T(int id) { return StrTable::LoadStr(id); }

class LoginWidgetTest : public PairedServerTest {
protected:
    LoginWidgetTest() { StartSetUdpPerLogin(); }
    void Fill(LoginWidget& login, const QString& address, const QString& user, const QString& password,
              bool remember)
    {
        login.form()->addressBox()->setEditText(address);
        login.form()->usernameEdit()->setText(user);
        login.form()->passwordEdit()->setText(password);
        login.form()->rememberBox()->setChecked(remember);
    }
};

// Waits for the window's request to end: closed, or a prompt answered.
bool WaitIdle(LoginWidget& login)
{
    return QTest::qWaitFor([&] { return !login.isRequestPending(); }, 30000);
}

}  // namespace

TEST_F(LoginWidgetTest, TypedLoginSavesOneRowAndTheRowLogsInAgainWithoutInsert)
{
    QSignalSpy main_window(GlobalConnecter::getInstance(), &GlobalConnecter::sigShowMainWindow);
    {
        LoginWidget login;
        login.show();
        EXPECT_FALSE(login.connectButton()->isEnabled());  // no saved connection: empty form
        EXPECT_TRUE(login.form()->rememberBox()->isChecked());
        Fill(login, Address(), "alice", "secret", false);
        EXPECT_TRUE(login.connectButton()->isEnabled());
        vexotest::saveScreenshot(&login, "login_form_typed");
        QTest::keyClick(&login, Qt::Key_Return);
        EXPECT_TRUE(login.isRequestPending());
        QTest::keyClick(&login, Qt::Key_Return);  // nothing more is sent while connecting
        vexotest::saveScreenshot(&login, "login_connecting");
        ASSERT_TRUE(WaitUntil([&] { return main_window.count() == 1; }));
        EXPECT_FALSE(login.isVisible());
        EXPECT_EQ(m_connected_spy->count(), 1);
    }
    ASSERT_TRUE(WaitSetUdpDone());
    EXPECT_EQ(Server().RequestCount("set_udp"), 1) << "one set-udp per login";
    auto rows = SavedRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.front().domain_name, "localhost");
    EXPECT_EQ(rows.front().port, int(m_control_port));
    EXPECT_EQ(rows.front().password, "");  // not remembered
    const uint64_t first_peer = m_connected_spy->at(0).at(0).value<uint64_t>();
    EXPECT_EQ(Site(first_peer).connection_id, rows.front().id);
    EXPECT_EQ(Site(first_peer).transfer_port, int(m_control_port) + 1);

    // The next window starts from that row with an empty password field.
    LoginWidget login;
    login.show();
    EXPECT_EQ(login.form()->addressBox()->currentText(), Address());
    EXPECT_EQ(login.form()->usernameEdit()->text(), "alice");
    EXPECT_EQ(login.form()->passwordEdit()->text(), "");
    EXPECT_FALSE(login.form()->rememberBox()->isChecked());
    login.form()->passwordEdit()->setText("secret");
    login.form()->rememberBox()->setChecked(true);
    login.connectButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return main_window.count() == 2; }));
    ASSERT_TRUE(WaitSetUdpDone());
    EXPECT_EQ(Server().RequestCount("set_udp"), 2);
    rows = SavedRows();
    ASSERT_EQ(rows.size(), 1u);  // no insert
    EXPECT_EQ(rows.front().password, "secret");  // remembered after the success
    EXPECT_TRUE(rows.front().remember_password);
}

TEST_F(LoginWidgetTest, WrongPasswordKeepsTheFormAndTheRememberedPassword)
{
    ConnectionInfo row;
    row.domain_name = "localhost";
    row.port = int(m_control_port);
    row.username = "alice";
    row.password = "secret";
    row.remember_password = true;
    ASSERT_EQ(SystemDB::insertNewConnection(row), 0);

    lstest::ScriptedResponder responder;
    LoginWidget login;
    login.show();
    EXPECT_EQ(login.form()->passwordEdit()->text(), QString(8, ' '));
    login.form()->passwordEdit()->setText("typo");
    QSignalSpy done(login.errorMask(), &LoginErrorMask::sigMaskDone);
    login.connectButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return done.count() == 1; }));
    EXPECT_FALSE(done.at(0).at(0).toBool());
    ASSERT_EQ(responder.seen.size(), 1);
    EXPECT_EQ(responder.seen.at(0).text, T(StrTable::error_login_user));
    EXPECT_TRUE(login.isVisible());
    EXPECT_EQ(login.form()->passwordEdit()->text(), "typo");
    EXPECT_EQ(SavedRows().front().password, "secret") << "a failed login must not replace the saved password";

    // The untouched placeholder sends the saved password.
    QSignalSpy main_window(GlobalConnecter::getInstance(), &GlobalConnecter::sigShowMainWindow);
    login.form()->slotActivated(0);
    login.connectButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return main_window.count() == 1; }));
    EXPECT_EQ(SavedRows().size(), 1u);
}

// Each case is refused once for the missing code and retried at once with
// the same peer: the retry can overtake the refusal's lost-site notice.
TEST_F(LoginWidgetTest, OneTimeCodeRightWrongAndEmpty)
{
    struct Case {
        QString code;
        bool logged_in;
        QString error;
    };
    const Case cases[] = {
        {"000000", false, T(StrTable::err_otp_invalid)},
        {"", false, T(StrTable::err_otp_required)},
        {"123456", true, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code.toStdString());
        lstest::ScriptedResponder responder;
        responder.input_text = c.code;
        QSignalSpy main_window(GlobalConnecter::getInstance(), &GlobalConnecter::sigShowMainWindow);
        LoginWidget login;
        login.show();
        Fill(login, Address(), "bob", "pw", true);
        QSignalSpy done(login.errorMask(), &LoginErrorMask::sigMaskDone);
        login.connectButton()->click();
        if (c.logged_in) {
            ASSERT_TRUE(WaitUntil([&] { return main_window.count() == 1; }));
            EXPECT_EQ(responder.seen.size(), 1);
        } else {
            ASSERT_TRUE(WaitUntil([&] { return !done.isEmpty() && !done.last().at(0).toBool(); }));
            EXPECT_EQ(responder.seen.last().text, c.error);
            EXPECT_EQ(main_window.count(), 0);
        }
        EXPECT_EQ(responder.seen.at(0).text, T(StrTable::wizard_enter_otp));
    }
}

TEST_F(LoginWidgetTest, SelfSignedCertificateProceedOrDecline)
{
    StartPaired([this](test_server::ServerConfig& config) {
        config.cert_path = m_self_cert_file;
        config.key_path = m_self_key_file;
    });
    {
        lstest::ScriptedResponder responder;
        // Declined where there is a choice; the error after it has only OK.
        responder.answer = [](const SheetRequest& request) {
            for (const auto& button : request.buttons)
                if (button.first == QMessageBox::Discard)
                    return int(QMessageBox::Discard);
            return int(QMessageBox::Ok);
        };
        LoginWidget login;
        login.show();
        Fill(login, Address(), "alice", "secret", true);
        QSignalSpy done(login.errorMask(), &LoginErrorMask::sigMaskDone);
        login.connectButton()->click();
        ASSERT_TRUE(WaitUntil([&] { return done.count() == 1; }));
        EXPECT_FALSE(done.at(0).at(0).toBool());
        ASSERT_EQ(responder.seen.size(), 2);
        EXPECT_EQ(responder.seen.at(0).text, T(StrTable::msg_ssl_error));
        EXPECT_EQ(responder.seen.at(1).text, T(StrTable::err_ssl_verify_fail));
        EXPECT_TRUE(SavedRows().empty());
    }
    lstest::ScriptedResponder responder;
    QSignalSpy main_window(GlobalConnecter::getInstance(), &GlobalConnecter::sigShowMainWindow);
    LoginWidget login;
    login.show();
    Fill(login, Address(), "alice", "secret", true);
    login.connectButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return main_window.count() == 1; }));
    ASSERT_EQ(responder.seen.size(), 1);
    EXPECT_EQ(responder.seen.at(0).ok_text, T(StrTable::btn_ssl_continue));
    const auto rows = SavedRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows.front().ssl_allow_untrust);
}

TEST_F(LoginWidgetTest, PinnedRowMeetsAnotherCertificateAndAcceptingClearsThePin)
{
    StartPaired([this](test_server::ServerConfig& config) {
        config.cert_path = m_self_cert_file;
        config.key_path = m_self_key_file;
    });
    ConnectionInfo row;
    row.domain_name = "localhost";
    row.port = int(m_control_port);
    row.username = "alice";
    row.password = "secret";
    row.remember_password = true;
    row.ssl_allow_untrust = true;
    row.ssl_signature = "00:11:22:33";
    ASSERT_EQ(SystemDB::insertNewConnection(row), 0);
    lstest::ScriptedResponder responder;
    QSignalSpy main_window(GlobalConnecter::getInstance(), &GlobalConnecter::sigShowMainWindow);
    LoginWidget login;
    login.show();
    login.connectButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return main_window.count() == 1; }));
    ASSERT_EQ(responder.seen.size(), 1);
    EXPECT_EQ(responder.seen.at(0).text, T(StrTable::msg_ssl_change));
    const auto rows = SavedRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.front().ssl_signature, "");
    EXPECT_TRUE(rows.front().ssl_allow_untrust);
}

TEST_F(LoginWidgetTest, AnotherWindowsLoginLeavesThisWindowAlone)
{
    LoginWidget login;
    login.show();
    Fill(login, "", "", "", true);  // even an empty form is never saved
    SiteInfo other;
    other.peer_id = 777;
    other.domain_name = "elsewhere.example";
    other.user_name = "zoe";
    other.control_port = 3362;
    other.connection_id = 9;
    SiteInfoManager::getInstance()->setSiteInfo(other);
    QSignalSpy main_window(GlobalConnecter::getInstance(), &GlobalConnecter::sigShowMainWindow);
    emit GlobalConnecter::getInstance()->sigAddSiteDone(777);
    QCoreApplication::processEvents();
    EXPECT_TRUE(login.isVisible());
    EXPECT_EQ(main_window.count(), 0);
    EXPECT_TRUE(SavedRows().empty());
    EXPECT_EQ(Site(777).connection_id, 9u);
}

TEST_F(LoginWidgetTest, ClosedPortAndMissingDataSide)
{
    lstest::ScriptedResponder responder;
    LoginWidget login;
    login.show();
    QSignalSpy done(login.errorMask(), &LoginErrorMask::sigMaskDone);
    StartPaired({}, false);  // no data side on control + 1
    Fill(login, Address(), "alice", "secret", true);
    login.connectButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return done.count() == 1; }));
    EXPECT_EQ(responder.seen.last().text, T(StrTable::error_data_channel).arg(m_control_port + 1));
    vexotest::saveScreenshot(&login, "login_error_data_channel");

    const QString closed = Address();
    StopServer();
    login.form()->addressBox()->setEditText(closed);
    login.connectButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return done.count() == 2; }));
    EXPECT_EQ(responder.seen.last().text, T(StrTable::error_login_io));
    EXPECT_TRUE(SavedRows().empty());
}

TEST_F(LoginWidgetTest, PortsOutsideTheRangeAreRefusedAndNothingIsSent)
{
    QSignalSpy requests(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectSite);
    LoginWidget login;
    login.show();
    for (const char* address : {"localhost:0", "localhost:65535"}) {
        Fill(login, address, "alice", "secret", true);
        login.connectButton()->click();
        EXPECT_FALSE(login.isRequestPending()) << address;
        EXPECT_TRUE(login.form()->addressBox()->property("error").toBool()) << address;
    }
    vexotest::saveScreenshot(&login, "login_address_error");
    QCoreApplication::processEvents();
    EXPECT_EQ(requests.count(), 0);
    EXPECT_TRUE(SavedRows().empty());
    login.form()->addressBox()->setEditText("localhost:4000");
    EXPECT_FALSE(login.form()->addressBox()->property("error").toBool());
}

TEST_F(LoginWidgetTest, FormTables)
{
    // Rows by last use, newest first; equal times keep the table's order.
    const struct {
        const char* host;
        int port;
        const char* user;
        bool remember;
        bool upload_limit;
    } rows[] = {{"a.example", 3362, "ann", true, false},
                {"b.example", 4000, "bo", false, true},
                {"c.example", 3362, "cy", true, false}};
    for (const auto& r : rows) {
        ConnectionInfo row;
        row.domain_name = r.host;
        row.port = r.port;
        row.username = r.user;
        row.password = "saved";
        row.remember_password = r.remember;
        row.enable_upload_control = r.upload_limit;
        row.max_upload = 500;
        row.min_upload = 100;
        row.enable_download_control = false;
        row.max_download = 700;
        ASSERT_EQ(SystemDB::insertNewConnection(row), 0);
    }
    // Last use: b newest, a and c equal; written through a second connection.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_dir.file("sys-db.sqlite").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "UPDATE connection_table SET last_used_time = 50;"
                               "UPDATE connection_table SET last_used_time = 100 WHERE username = 'bo';",
                           nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    LoginWidget login;
    QComboBox* box = login.form()->addressBox();
    ASSERT_EQ(box->count(), 3);
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    EXPECT_EQ(items, QStringList({"bo@b.example:4000", "ann@a.example", "cy@c.example"}));

    QSignalSpy requests(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectSite);
    login.show();
    // Without a remembered password: empty field, unchecked, host and port.
    box->setCurrentIndex(items.indexOf("bo@b.example:4000"));
    login.form()->slotActivated(items.indexOf("bo@b.example:4000"));
    EXPECT_EQ(box->currentText(), "b.example:4000");
    EXPECT_EQ(login.form()->passwordEdit()->text(), "");
    EXPECT_FALSE(login.form()->rememberBox()->isChecked());
    // With one: eight blanks; deleting one makes the field the password.
    login.form()->slotActivated(items.indexOf("ann@a.example"));
    EXPECT_EQ(box->currentText(), "a.example");
    EXPECT_EQ(login.form()->passwordEdit()->text(), QString(8, ' '));
    EXPECT_EQ(login.form()->getPassword(), "saved");
    login.form()->passwordEdit()->backspace();
    EXPECT_EQ(login.form()->getPassword(), QString(7, ' '));

    // Ports from the address; another letter case uses the row.
    struct AddressCase {
        QString address;
        QString user;
        QString domain;
        int port;
        uint64_t max_upload;
    };
    const AddressCase cases[] = {
        {"files.example", "zed", "files.example", 3362, 0},
        {"files.example:4000", "zed", "files.example", 4000, 0},
        {"[::1]:4100", "zed", "::1", 4100, 0},
        {"B.EXAMPLE:4000", "BO", "b.example", 4000, 500},
    };
    for (const AddressCase& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        Fill(login, c.address, c.user, "pw", false);
        const int before = requests.count();
        login.connectButton()->click();
        ASSERT_TRUE(WaitUntil([&] { return requests.count() > before; }));
        const SiteInfo sent = requests.last().at(0).value<SiteInfo>();
        EXPECT_EQ(sent.domain_name, c.domain);
        EXPECT_EQ(sent.control_port, c.port);
        EXPECT_EQ(sent.transfer_port, c.port + 1);
        EXPECT_EQ(sent.max_upload, c.max_upload);
        EXPECT_EQ(sent.max_download, 0u);  // the download limit is switched off
        // Let the login end (it fails: nothing listens) before the next one.
        lstest::ScriptedResponder responder;
        ASSERT_TRUE(WaitIdle(login));
        ASSERT_TRUE(WaitUntil([&] { return !responder.seen.isEmpty(); }));
    }
    EXPECT_EQ(SavedRows().size(), 3u);

    // Connect's state: empty address or user disables it, the password does not.
    Fill(login, "", "u", "", true);
    EXPECT_FALSE(login.connectButton()->isEnabled());
    Fill(login, "h", "", "p", true);
    EXPECT_FALSE(login.connectButton()->isEnabled());
    Fill(login, "h", "u", "", true);
    EXPECT_TRUE(login.connectButton()->isEnabled());
}

// Picking a saved connection with the mouse in the address list's pop-up.
TEST_F(LoginWidgetTest, MousePicksASavedConnection)
{
    for (bool remember : {true, false}) {
        ConnectionInfo row;
        row.domain_name = remember ? "a.example" : "b.example";
        row.port = remember ? 3362 : 4000;
        row.username = remember ? "ann" : "bo";
        row.password = "saved";
        row.remember_password = remember;
        ASSERT_EQ(SystemDB::insertNewConnection(row), 0);
    }
    LoginWidget login;
    login.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&login));
    QComboBox* box = login.form()->addressBox();
    auto pick = [&](const QString& item) {
        const int row = box->findText(item);
        ASSERT_GE(row, 0) << item.toStdString();
        box->showPopup();
        QAbstractItemView* view = box->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        QTest::mouseMove(view->viewport(), at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }));
    };
    pick("bo@b.example:4000");
    EXPECT_EQ(box->currentText(), "b.example:4000");
    EXPECT_EQ(login.form()->usernameEdit()->text(), "bo");
    EXPECT_EQ(login.form()->passwordEdit()->text(), "");
    EXPECT_FALSE(login.form()->rememberBox()->isChecked());
    vexotest::saveScreenshot(&login, "login_picked_unremembered");
    pick("ann@a.example");
    EXPECT_EQ(box->currentText(), "a.example");
    EXPECT_EQ(login.form()->usernameEdit()->text(), "ann");
    EXPECT_EQ(login.form()->passwordEdit()->text(), QString(8, ' '));
    EXPECT_EQ(login.form()->getPassword(), "saved");
    EXPECT_TRUE(login.form()->rememberBox()->isChecked());
}

TEST_F(LoginWidgetTest, F12PairThroughTheClockSeam)
{
    uint64_t now = 1000000;
    LoginWidget::setClockForTest([&] { return now; });
    QSignalSpy egg(GlobalConnecter::getInstance(), &GlobalConnecter::sigShowEggWindow);
    LoginWidget login;
    login.show();
    QTest::keyClick(&login, Qt::Key_F12);
    now += 499;
    QTest::keyClick(&login, Qt::Key_F12);
    EXPECT_EQ(egg.count(), 1);
    now += 10;
    QTest::keyClick(&login, Qt::Key_F12);  // a third press starts over
    now += 500;
    QTest::keyClick(&login, Qt::Key_F12);
    EXPECT_EQ(egg.count(), 1);
    now += 499;
    QTest::keyClick(&login, Qt::Key_F12);
    EXPECT_EQ(egg.count(), 2);
    LoginWidget::setClockForTest({});
    QTest::keyClick(&login, Qt::Key_Escape);
    EXPECT_FALSE(login.isVisible());
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // The windows' and the core's components at debug level into "ui.log":
    // no password or one-time code of these logins may reach it. (The
    // channel's own byte dumps, "channel_debug" and "stream", are left at
    // their default level: at debug they write every byte on the wire.)
    qm_test::TempDir log_dir("qm-login-log");
    const char* components[] = {"default_component", "socket_stream_debug", "system_db_debug",
                                "control_channel_debug", "proto_ui_debug", "cert_debug"};
    std::string levels;
    for (const char* component : components)
        levels += std::string(component) + "=7\n";
    qm_test::writeFile(log_dir.file("levels.debug"), levels);
    Logger::Initialize(Logger::FILE_LOGGER, log_dir.file("ui.log"), log_dir.file("levels.debug"), 50);
    int result = RUN_ALL_TESTS();
    Logger::Destroy();
    if (const char* keep = std::getenv("QM_KEEP_UI_LOG")) qm_test::writeFile(keep, qm_test::readFile(log_dir.file("ui.log")));
    const std::string log = qm_test::readFile(log_dir.file("ui.log"));
    if (log.empty()) {
        std::fprintf(stderr, "ui.log is empty\n");
        result = 1;
    }
    for (const char* secret : {"secret", "123456", "000000", "typo"}) {
        if (log.find(secret) != std::string::npos) {
            const size_t at = log.find(secret);
            const size_t from = log.rfind('\n', at) == std::string::npos ? 0 : log.rfind('\n', at) + 1;
            std::fprintf(stderr, "ui.log holds \"%s\": %s\n", secret, log.substr(from, log.find('\n', at) - from).c_str());
            result = 1;
        }
    }
    return result;
}
