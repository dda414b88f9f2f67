// The site pane's connection states end to end, one test per row group of
// the state table: the countdown and automatic login with the server away
// and back, one countdown in real time, a one-time-code account handed to
// the login error handler, and a site whose password is not remembered.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <set>

#include "event-manager.h"
#include "global-connecter.h"
#include "protocol/proto-ui.h"
#include "site-info-manager.h"
#include "site-data.h"
#include "site-widget.h"
#include "sitepane_fixture.h"
#include "str_table.h"
#include "vexo_input_sheet.h"
#include "vexo_message_sheet.h"
#include "vexoqelt_test_support.h"

namespace {

QString T(int id)
{
    return StrTable::LoadStr(id);
}

QString Countdown(int seconds)
{
    return T(StrTable::error_disconnected) + "<br>" + T(StrTable::reconnect_countdown).arg(seconds);
}

class SitePaneReconnectTest : public SitePaneTest {
protected:
    SitePaneReconnectTest()
    {
        // The pane's own sheets stay up for the test to read and click.
        m_sheets->answer = [this](const SheetRequest& request) {
            if (request.input) {
                m_open_input = request.sheet;
                return 0;
            }
            return request.type == VexoMessageSheet::Confirming ? 0 : int(QMessageBox::Ok);
        };
    }
    ~SitePaneReconnectTest() override { SiteWidget::setReconnectTickForTest(0); }

    static bool Shown(VexoMessageSheet* sheet) { return sheet && sheet->isVisible(); }
    void Disconnect(SiteWidget* pane, bool reconnect)
    {
        emit GlobalConnecter::getInstance()->sigSiteDisconnected(pane->peerId(), reconnect);
    }

    QPointer<VexoSheet> m_open_input;
};

TEST_F(SitePaneReconnectTest, CountdownLogsInAgainUntilTheServerIsBack)
{
    SaveConnection(true, "");
    std::filesystem::create_directories(Share("rw", "/sub"));
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    ASSERT_TRUE(Open(pane, Id(pane, "/rw")));
    SiteWidget::setReconnectTickForTest(100);
    QSignalSpy logins(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectSite);
    QSignalSpy resumes(GlobalConnecter::getInstance(), &GlobalConnecter::sigResumeDisconnectedJobs);

    // The sheets as the login request leaves: a refused login may come back
    // within the same turn of the loop that a wait looks at.
    // Only the first login counts: under load the next countdown may already
    // have sent another one by the time this queued call runs.
    bool connecting_at_login = false, disconnected_at_login = true, first_login_seen = false;
    QObject::connect(
        GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectSite, pane,
        [&] {
            if (!first_login_seen) {
                first_login_seen = true;
                connecting_at_login = Shown(pane->connectingSheet());
                disconnected_at_login = Shown(pane->disconnectedSheet());
                vexotest::saveScreenshot(m_host.get(), "sitepane_connecting_sheet");
            }
        },
        Qt::QueuedConnection);
    KillServer();
    Disconnect(pane, true);
    EXPECT_EQ(pane->reconnectingState(), SiteWidget::RS_AUTO_RETRY);
    ASSERT_TRUE(Shown(pane->disconnectedSheet()));
    EXPECT_EQ(pane->disconnectedSheet()->text(), Countdown(10));
    vexotest::saveScreenshot(m_host.get(), "sitepane_disconnected_sheet");
    std::set<int> seen;
    ASSERT_TRUE(WaitUntil([&] {
        if (Shown(pane->disconnectedSheet()))
            seen.insert(pane->reconnectCountdown());
        return logins.count() >= 1;
    }));
    // The sheet counts down from 10 one step at a time; a loaded machine may
    // sample past a step, but never shows a value outside the countdown.
    EXPECT_TRUE(seen.count(10)) << ::testing::PrintToString(seen);
    EXPECT_GE(seen.size(), 5u) << ::testing::PrintToString(seen);
    EXPECT_GE(*seen.begin(), 1);
    EXPECT_LE(*seen.rbegin(), 10);
    const SiteInfo request = logins.at(0).at(0).value<SiteInfo>();
    EXPECT_TRUE(request.is_reconnect);
    EXPECT_TRUE(request.otp.isEmpty());
    EXPECT_EQ(request.peer_id, pane->peerId());
    EXPECT_EQ(request.password, "secret");
    ASSERT_TRUE(WaitUntil([&] { return first_login_seen; }));
    // One sheet always covers the pane: the connecting one while the login is
    // out, or, when the refusal from the stopped server was handled first (a
    // loaded machine), the disconnected one again; never both.
    EXPECT_NE(connecting_at_login, disconnected_at_login);

    // Still down: the failed login is a disconnect, and the countdown starts again.
    ASSERT_TRUE(WaitUntil([&] { return Shown(pane->disconnectedSheet()); }));
    EXPECT_EQ(pane->reconnectingState(), SiteWidget::RS_AUTO_RETRY);
    EXPECT_FALSE(Shown(pane->connectingSheet()));
    EXPECT_EQ(resumes.count(), 0);

    RestartServer();
    AddedEvents added;
    ASSERT_TRUE(WaitUntil([&] { return resumes.count() == 1; }, 60000));
    EXPECT_EQ(pane->reconnectingState(), SiteWidget::RS_NONE);
    EXPECT_EQ(resumes.at(0).at(0).value<uint64_t>(), pane->peerId());
    ASSERT_GE(added.count(EV_LIST), 1);
    EXPECT_EQ(added.of(EV_LIST).first().parent, Id(pane, "/rw").toStdString());
    ASSERT_TRUE(WaitUntil([&] { return !Shown(pane->connectingSheet()); }));
    EXPECT_FALSE(Shown(pane->disconnectedSheet()));
    // The site works again.
    ASSERT_TRUE(Open(pane, Id(pane, "/rw/sub")));
}

TEST_F(SitePaneReconnectTest, CountdownInRealTime)
{
    SaveConnection(true, "");
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    QSignalSpy logins(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectSite);
    QSignalSpy resumed(GlobalConnecter::getInstance(), &GlobalConnecter::sigResumeDisconnectedJobsDone);
    QElapsedTimer clock;
    clock.start();
    Disconnect(pane, true);
    ASSERT_TRUE(WaitUntil([&] { return logins.count() == 1; }, 20000));
    EXPECT_GE(clock.elapsed(), 9500);
    ASSERT_TRUE(WaitUntil([&] { return resumed.count() == 1 && !Shown(pane->connectingSheet()); }));
    EXPECT_EQ(pane->reconnectingState(), SiteWidget::RS_NONE);
}

TEST_F(SitePaneReconnectTest, OneTimeCodeLoginHandsTheScreenToTheLoginErrorHandler)
{
    SaveConnection(true, "", "bob");
    SiteWidget* pane = Login("bob", "pw", "123456");
    ASSERT_NE(pane, nullptr);
    SiteWidget::setReconnectTickForTest(20);
    QSignalSpy logins(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectSite);
    Disconnect(pane, true);
    ASSERT_TRUE(WaitUntil([&] { return pane->reconnectingState() == SiteWidget::RS_WAIT_USER_ACTION; }));
    ASSERT_TRUE(WaitUntil([&] { return !m_open_input.isNull() && m_open_input->isVisible(); }));
    EXPECT_EQ(logins.count(), 1);
    EXPECT_TRUE(logins.at(0).at(0).value<SiteInfo>().otp.isEmpty());
    EXPECT_FALSE(Shown(pane->connectingSheet()));

    // The handler owns the screen: a disconnect changes nothing.
    const bool sheet_before = Shown(pane->disconnectedSheet());
    Disconnect(pane, true);
    Disconnect(pane, false);
    EXPECT_EQ(pane->reconnectingState(), SiteWidget::RS_WAIT_USER_ACTION);
    EXPECT_EQ(Shown(pane->disconnectedSheet()), sheet_before);
    EXPECT_EQ(pane->reconnectCountdown(), 10);

    // The code typed in logs in again with it.
    auto* input = qobject_cast<VexoInputSheet*>(m_open_input.data());
    ASSERT_NE(input, nullptr);
    input->getLineEdit()->setText("123456");
    QTest::mouseClick(input->button(QMessageBox::Ok), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return logins.count() == 2; }));
    EXPECT_EQ(logins.at(1).at(0).value<SiteInfo>().otp, "123456");
    ASSERT_TRUE(WaitUntil([&] { return pane->reconnectingState() == SiteWidget::RS_NONE; }));
    ASSERT_TRUE(WaitUntil([&] { return !Shown(pane->connectingSheet()); }));
}

TEST_F(SitePaneReconnectTest, LoginDuringTheCountdownLogsInAtOnceAndItsFailureGoesToTheHandler)
{
    SaveConnection(true, "");
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    QSignalSpy logins(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectSite);
    KillServer();
    Disconnect(pane, true);
    ASSERT_EQ(pane->reconnectingState(), SiteWidget::RS_AUTO_RETRY);
    QTest::mouseClick(pane->disconnectedSheet()->button(QMessageBox::Ok), Qt::LeftButton);
    ASSERT_EQ(logins.count(), 1);
    EXPECT_EQ(pane->reconnectCountdown(), 10);
    // Refused while not counting down: the handler shows the error; its
    // answer brings the sheet back without a countdown.
    ASSERT_TRUE(WaitUntil([&] {
        for (const auto& sheet : m_sheets->seen)
            if (sheet.type != VexoMessageSheet::Confirming)
                return true;
        return false;
    }));
    ASSERT_TRUE(WaitUntil([&] {
        return pane->reconnectingState() == SiteWidget::RS_NONE && Shown(pane->disconnectedSheet());
    }));
    EXPECT_EQ(pane->disconnectedSheet()->text(), T(StrTable::error_disconnected) + "<br>");
    EXPECT_FALSE(Shown(pane->connectingSheet()));
    EXPECT_EQ(logins.count(), 1);
}

// A server that restarted has forgotten the session: the next login is a
// fresh one with the password, not the old seed refused once more.
TEST_F(SitePaneReconnectTest, ForgottenSessionLogsInAfreshAtOnce)
{
    SaveConnection(true, "");
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    SiteInfo before;
    ASSERT_TRUE(SiteInfoManager::getInstance()->getSiteInfoByPeerId(pane->peerId(), before));
    ASSERT_NE(before.peer_seed, 0u);
    RestartServer();
    SiteInfoManager::getInstance()->updateSiteInfo(pane->peerId(), [](SiteInfo& info) {
        info.site_error = SITE_ERROR_PROTOCOL;
        info.protocol_error = ProtoUI::ERROR_USER_INVALID_SEED;
    });
    QSignalSpy logins(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectSite);
    Disconnect(pane, true);
    ASSERT_EQ(pane->reconnectingState(), SiteWidget::RS_AUTO_RETRY);
    QTest::mouseClick(pane->disconnectedSheet()->button(QMessageBox::Ok), Qt::LeftButton);
    ASSERT_EQ(logins.count(), 1);
    const SiteInfo request = logins.at(0).at(0).value<SiteInfo>();
    EXPECT_EQ(request.peer_seed, 0u);
    EXPECT_FALSE(request.is_reconnect);
    EXPECT_EQ(request.peer_id, pane->peerId());
    EXPECT_EQ(request.password, "secret");
    ASSERT_TRUE(WaitUntil([&] { return pane->reconnectingState() == SiteWidget::RS_NONE && !Shown(pane->connectingSheet()) &&
                                       !Shown(pane->disconnectedSheet()); }, 10000));
    EXPECT_EQ(logins.count(), 1) << "one login, no refused seed before it";
    SiteInfo after;
    ASSERT_TRUE(SiteInfoManager::getInstance()->getSiteInfoByPeerId(pane->peerId(), after));
    EXPECT_NE(after.peer_seed, 0u);
    EXPECT_EQ(after.site_error, SITE_ERROR_OK);
}

TEST_F(SitePaneReconnectTest, PasswordNotRememberedAsksAndCancelLeavesTheSheet)
{
    SaveConnection(false, "");
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    QSignalSpy logins(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectSite);
    Disconnect(pane, true);
    EXPECT_EQ(pane->reconnectingState(), SiteWidget::RS_NONE);
    ASSERT_TRUE(Shown(pane->disconnectedSheet()));
    EXPECT_EQ(pane->disconnectedSheet()->text(), T(StrTable::error_disconnected) + "<br>");
    EXPECT_EQ(pane->disconnectedSheet()->button(QMessageBox::Ok)->text(), "Login");
    EXPECT_EQ(pane->disconnectedSheet()->button(QMessageBox::Discard)->text(), "Close");

    // "Login" asks for the password; cancelling leaves the sheet as it was.
    m_sheets->answer = [](const SheetRequest& request) {
        if (request.input)
            return int(QMessageBox::Discard);
        return 0;
    };
    QTest::mouseClick(pane->disconnectedSheet()->button(QMessageBox::Ok), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Shown(pane->disconnectedSheet()); }));
    EXPECT_EQ(logins.count(), 0);
    EXPECT_EQ(pane->reconnectingState(), SiteWidget::RS_NONE);
    EXPECT_EQ(pane->disconnectedSheet()->text(), T(StrTable::error_disconnected) + "<br>");
    bool asked = false;
    for (const auto& sheet : m_sheets->seen)
        asked = asked || sheet.text == T(StrTable::enter_password);
    EXPECT_TRUE(asked);

    // Typed in, the password goes with the login.
    m_sheets->input_text = "secret";
    m_sheets->answer = [](const SheetRequest& request) { return request.input ? int(QMessageBox::Ok) : 0; };
    QTest::mouseClick(pane->disconnectedSheet()->button(QMessageBox::Ok), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return logins.count() == 1; }));
    EXPECT_EQ(logins.at(0).at(0).value<SiteInfo>().password, "secret");
    ASSERT_TRUE(WaitUntil([&] { return !Shown(pane->connectingSheet()); }));

    // "Close" asks the tab area to close the pane.
    const uint64_t peer = pane->peerId();
    Disconnect(pane, false);
    ASSERT_TRUE(Shown(pane->disconnectedSheet()));
    QSignalSpy closes(GlobalConnecter::getInstance(), &GlobalConnecter::sigCloseSite);
    QTest::mouseClick(pane->disconnectedSheet()->button(QMessageBox::Discard), Qt::LeftButton);
    ASSERT_EQ(closes.count(), 1);
    EXPECT_EQ(closes.at(0).at(0).value<uint64_t>(), peer);
    EXPECT_EQ(m_host->pane(peer), nullptr);
}

}  // namespace
