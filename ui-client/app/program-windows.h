#pragma once

#include <QPointer>

#include "client-manager.h"

class LoginWidget;

// Gives qMain the program's windows: the main window's when the build has
// it, else LoginOnlyWindows. Call before qMain.
void installProgramWindows();

// The program's windows while the build has no main window: the login window
// alone, so that a user can start the program and log in; what follows a
// login (the main window) is not shown, so a successful login ends the
// program. Registering the shell extension, which building the main window
// does, happens all the same.
class LoginOnlyWindows : public ClientWindows {
public:
    ~LoginOnlyWindows() override;
    // Registers the shell extension and makes the drag marker folder; every
    // finished login is announced as added, as the main window's tab row
    // does, so that the login window ends its request.
    void createMainWindow() override;
    void showMainWindow() override {}
    // Replaces an open login window by a new one, 440 x 338 scaled.
    void showLoginWindow() override;
    void showAboutWindow() override {}
    void showHelpWindow() override {}
    void generateDebugDump() override {}

private:
    QPointer<LoginWidget> m_login;
};
