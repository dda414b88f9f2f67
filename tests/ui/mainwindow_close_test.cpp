// Closing the main window ends the program: the question, then every site
// says goodbye to its server before the windows close, and the event loop
// ends although no other window is open. Its own program, since the event
// loop really ends.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include "mainwindow_session_fixture.h"
#include "support/temp_dir.h"
#include "ui_path_manager.h"
#include "vexo_message_sheet.h"

using namespace mwtest;

TEST_F(MainWindowSession, CloseAsksThenEverySiteSaysGoodbyeBeforeTheEventLoopEnds)
{
    ASSERT_NE(LoginAs("alice", "secret"), 0u);
    ASSERT_NE(LoginAs("alice", "secret"), 0u);
    m_responder.answer = [](const SheetRequest&) { return int(QMessageBox::Discard); };
    Window()->close();
    ASSERT_EQ(m_responder.seen.size(), 1);
    EXPECT_EQ(m_responder.seen.at(0).type, int(VexoMessageSheet::Confirming));
    EXPECT_EQ(m_responder.seen.at(0).text, T(StrTable::close_app_hint));
    EXPECT_EQ(m_responder.seen.at(0).ok_text, T(StrTable::button_ok));
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_EQ(Tabs(), 2);
    EXPECT_EQ(Server().RequestCount("close_peer"), 0);
    vexotest::saveScreenshot(Window(), "mainwindow_close_question");

    // Accepted, with no other window open: the program's loop runs on until
    // the sites have closed, then ends.
    ASSERT_TRUE(WaitUntil([&] { return m_windows->loginHost().loginWindow() == nullptr ||
                                       !m_windows->loginHost().loginWindow()->isVisible(); }));
    QSignalSpy last_closed(qApp, &QGuiApplication::lastWindowClosed);
    // One site's close answer is held until the other site is gone, so an
    // end reported after the first site shows.
    test_server::Fault hold_one;
    hold_one.kind = test_server::Fault::HOLD;
    hold_one.count = 1;
    Server().SetFault("close_peer", hold_one);
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    int removed = 0;
    QObject::connect(hub, &GlobalConnecter::sigRemoveSiteDone, [&] {
        if (++removed == 1)
            QTimer::singleShot(200, [this] { Server().ReleaseHeldAnswers(); });
    });
    int goodbyes_when_done = -1, removed_when_done = -1;
    QObject::connect(hub, &GlobalConnecter::sigCloseAllPeersDone, [&] {
        goodbyes_when_done = Server().RequestCount("close_peer");
        removed_when_done = removed;
    });
    m_responder.answer = [](const SheetRequest&) { return int(QMessageBox::Ok); };
    m_responder.seen.clear();
    QTimer::singleShot(0, [this] { Window()->close(); });
    QTimer guard;
    bool timed_out = false;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        timed_out = true;
        QApplication::exit(1);
    });
    guard.start(30000);
    const int result = QApplication::exec();
    EXPECT_FALSE(timed_out);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(m_responder.seen.size(), 1);
    EXPECT_FALSE(Window()->isVisible());
    EXPECT_GE(goodbyes_when_done, 2) << "every site closes before the windows";
    EXPECT_EQ(removed_when_done, 2) << "all closed only after the last site";
}

int main(int argc, char** argv)
{
    return runSessionTests(argc, argv, "qm-mainwindow-close");
}
