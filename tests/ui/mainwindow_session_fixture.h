#pragma once
// A whole session for the main window's tests: the test file server over
// TLS with the shares "docs" (rw), "ro" and "denied", the real peer monitor
// and engine, the real main window and login windows, and a responder that
// records every sheet.
#include <QApplication>
#include <QComboBox>
#include <QMap>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QStringList>

#include <filesystem>
#include <memory>

#include "central-widget.h"
#include "event-manager.h"
#include "connection-widget.h"
#include "vexo_button.h"
#include "vexoqelt_test_support.h"
#include "global-connecter.h"
#include "login-error-mask.h"
#include "login-widget.h"
#include "login_settings_server.h"
#include "login_settings_support.h"
#include "main-client-windows.h"
#include "main-window.h"
#include "str_table.h"
#include "support/temp_dir.h"
#include "ui_path_manager.h"
#include "user-action-cache.h"

namespace mwtest {

inline QString T(int id) { return StrTable::LoadStr(id); }

class MainWindowSession : public PairedServerTest {
protected:
    MainWindowSession()
    {
        // The real central widget answers every login: no relay.
        GlobalConnecter* hub = GlobalConnecter::getInstance();
        QObject::disconnect(hub, &GlobalConnecter::sigConnectSiteDone, hub, &GlobalConnecter::sigAddSiteDone);
        QObject::disconnect(hub, nullptr, &m_relay, nullptr);
        std::filesystem::create_directories(Docs());
        std::filesystem::create_directories(m_dir.file("ro"));
        std::filesystem::create_directories(m_dir.file("denied"));
        StartPaired([this](test_server::ServerConfig& config) {
            config.shares = {{"docs", Docs(), "rw"}, {"ro", m_dir.file("ro"), "ro"},
                             {"denied", m_dir.file("denied"), "denied"}};
        });
        // Heard before the window and the panes, which remove finished events.
        QObject::connect(hub, &GlobalConnecter::sigHandleEventDone, &m_recorder, [this](uint id) {
            m_done_errors[id] = EventManager::getInstance()->getStatus(id).error;
        });
        m_windows.reset(new MainClientWindows);
        m_windows->createMainWindow();
        m_show_main = QObject::connect(hub, &GlobalConnecter::sigShowMainWindow, [this] { m_windows->showMainWindow(); });
        m_show_login = QObject::connect(hub, &GlobalConnecter::sigShowLoginWindow, [this] { m_windows->showLoginWindow(); });
    }
    ~MainWindowSession() override
    {
        QObject::disconnect(m_show_main);
        QObject::disconnect(m_show_login);
        m_windows.reset();
        UserActionCache::getInstance()->keepDragInfo();  // nothing selected: clears the snapshot
    }

    MainWindow* Window() { return m_windows->mainWindow(); }
    CentralWidget* Central() { return Window()->centralWidgetOfSites(); }
    int Tabs() { return Central()->tabPages().size(); }

    // Logs in through a new login window and waits for its end: the window
    // closed on success, or its prompts ended without a new attempt. The
    // peer id of the last attempt, or 0 when the window got no answer.
    uint64_t LoginAs(const QString& user, const QString& password)
    {
        QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigAddSiteDone);
        m_windows->showLoginWindow();
        QPointer<LoginWidget> login = m_windows->loginHost().loginWindow();
        QSignalSpy given_up(login->errorMask(), &LoginErrorMask::sigMaskDone);
        login->form()->addressBox()->setEditText(Address());
        login->form()->usernameEdit()->setText(user);
        login->form()->passwordEdit()->setText(password);
        login->connectButton()->click();
        const bool ended = WaitUntil([&] {
            if (added.isEmpty() || !login || login->isRequestPending())
                return false;
            if (!login->isVisible())
                return true;
            for (const QList<QVariant>& args : given_up)
                if (!args.at(0).toBool())
                    return true;
            return false;
        });
        return ended ? added.last().at(0).value<uint64_t>() : 0;
    }

    void WaitEventsDone(const std::vector<uint32_t>& ids)
    {
        for (uint32_t id : ids)
            ASSERT_TRUE(WaitDone(id)) << id;
    }

    SiteSelectedInfo Selection(uint64_t peer, const QString& folder, const QStringList& names)
    {
        SiteSelectedInfo selection;
        selection.parent = QString::number(peer) + ":" + folder;
        for (const QString& name : names) {
            NodeInfo node;
            node.name = name;
            node.type = FT_FILE;
            selection.children.append(node);
        }
        return selection;
    }

    QObject m_recorder;
    QMap<uint, int> m_done_errors;  // the error of each finished event
    lstest::ScriptedResponder m_responder;
    std::unique_ptr<MainClientWindows> m_windows;
    QMetaObject::Connection m_show_main;
    QMetaObject::Connection m_show_login;
};

}  // namespace mwtest

namespace mwtest {

// A test program's main: the copy hook's registration and the drag marker
// folder in a folder of this run, then every test.
inline int runSessionTests(int argc, char** argv, const char* name)
{
    qm_test::TempDir home(name);
    qputenv("QM_REGISTRY_DIR", QByteArray::fromStdString(home.file("registry")));
    QApplication app(argc, argv);
    UIPathManager::getInstance()->setPath(QStringLiteral("user_data_path"), QString::fromStdString(home.path()));
    registerHubMetaTypes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

}  // namespace mwtest
