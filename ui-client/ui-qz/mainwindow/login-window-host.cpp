#include "login-window-host.h"

#include "login-widget.h"
#include "scaled-size.h"

LoginWindowHost::~LoginWindowHost()
{
    delete m_login;
}

void LoginWindowHost::showLoginWindow()
{
    if (m_login) {
        // The old window may be the sender of what brought us here: it goes
        // once control is back in the event loop.
        m_login->hide();
        m_login->deleteLater();
    }
    m_login = new LoginWidget(nullptr);
    m_login->resize(scaledSize(440), scaledSize(338));
    m_login->show();
    m_login->raise();
}
