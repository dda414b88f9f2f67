#pragma once
// The windows the client manager shows: the main window (built hidden at
// start-up), the login window, the about box, the help window and the
// engine state dumps.
#include <QPointer>

#include <memory>

#include "about-window.h"
#include "client-manager.h"
#include "help_window.h"
#include "login-window-host.h"
#include "main-window.h"

class MainClientWindows : public ClientWindows {
public:
    MainClientWindows();
    ~MainClientWindows() override;

    void createMainWindow() override;
    void showMainWindow() override;
    void showLoginWindow() override;
    void showAboutWindow() override;
    void showHelpWindow() override;
    void generateDebugDump() override;

    MainWindow* mainWindow() const { return m_main_window; }
    LoginWindowHost& loginHost() { return m_login_host; }
    AboutWindow* aboutWindow() const { return m_about; }
    HelpWindow* helpWindow() const { return m_help; }

private:
    QPointer<MainWindow> m_main_window;
    LoginWindowHost m_login_host;
    QPointer<AboutWindow> m_about;
    QPointer<HelpWindow> m_help;
};

// Makes qMain show these windows. The program calls it before qMain.
void registerMainWindows();
