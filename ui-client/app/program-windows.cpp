#include "program-windows.h"

#include "dnd_manager.h"
#include "global-connecter.h"
#include "login-widget.h"
#include "scaled.h"
#include "startup-main.h"

void installProgramWindows()
{
    setClientWindowsFactory([] { return new LoginOnlyWindows; });
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
