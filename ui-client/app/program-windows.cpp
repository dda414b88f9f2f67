#include "program-windows.h"

#include "dnd_manager.h"
#include "global-connecter.h"
#include "login-widget.h"
#ifdef QM_HAVE_MAIN_WINDOW
#include "main-client-windows.h"
#endif
#include "scaled.h"
#include "startup-main.h"

void installProgramWindows()
{
#ifdef QM_HAVE_MAIN_WINDOW
    registerMainWindows();
#else
    setClientWindowsFactory([] { return new LoginOnlyWindows; });
#endif
}

LoginOnlyWindows::~LoginOnlyWindows()
{
    delete m_login.data();
}

void LoginOnlyWindows::createMainWindow()
{
    DndManager::getInstance()->initialize();
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    QObject::connect(hub, &GlobalConnecter::sigConnectSiteDone, hub, &GlobalConnecter::sigAddSiteDone);
}

void LoginOnlyWindows::showLoginWindow()
{
    delete m_login.data();
    m_login = new LoginWidget;
    m_login->setAttribute(Qt::WA_DeleteOnClose);
    m_login->resize(scaled(440), scaled(338));
    m_login->show();
}
