#include "main-client-windows.h"

#include "about-window.h"
#include "client-manager-help.h"
#include "egg-window.h"
#include "help_window.h"
#include "main-window.h"
#include "scaled-size.h"
#include "startup-main.h"

MainClientWindows::MainClientWindows() = default;

MainClientWindows::~MainClientWindows()
{
    delete m_about;
    delete m_help;
    delete m_main_window;
}

void MainClientWindows::createMainWindow()
{
    if (m_main_window)
        return;
    m_main_window = new MainWindow(nullptr);
    m_main_window->resize(scaledSize(1000), scaledSize(612));
}

void MainClientWindows::showMainWindow()
{
    if (!m_main_window)
        createMainWindow();
    m_main_window->show();
    m_main_window->raise();
    m_main_window->activateWindow();
}

void MainClientWindows::showLoginWindow()
{
    m_login_host.showLoginWindow();
}

void MainClientWindows::showAboutWindow()
{
    delete m_about;
    m_about = new AboutWindow(nullptr);
    m_about->show();
    m_about->raise();
}

void MainClientWindows::showHelpWindow()
{
    delete m_help;
    m_help = createClientHelpWindow();
    m_help->show();
    m_help->raise();
}

void MainClientWindows::generateDebugDump()
{
    EggWindow::genDebug();
}

void registerMainWindows()
{
    setClientWindowsFactory([] { return new MainClientWindows; });
}
