#pragma once
// Shows the login window, a new one each time, deleting the one before.
#include <QPointer>

#include "login-widget.h"

class LoginWindowHost {
public:
    LoginWindowHost() = default;
    ~LoginWindowHost();
    LoginWindowHost(const LoginWindowHost&) = delete;
    LoginWindowHost& operator=(const LoginWindowHost&) = delete;

    // A new login window of 440 x 338 scaled, shown and raised.
    void showLoginWindow();
    LoginWidget* loginWindow() const { return m_login; }

private:
    QPointer<LoginWidget> m_login;
};
