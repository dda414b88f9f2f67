#include "startup-main.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

#include "client-manager.h"
#include "image_manager.h"
#include "message_box.h"
#include "qt_single_application.h"
#include "startup-paths.h"
#include "startup-sequence.h"
#include "str_table.h"

namespace {

std::function<ClientWindows*()>& windowsFactory()
{
    static std::function<ClientWindows*()> factory;
    return factory;
}

}  // namespace

void setClientWindowsFactory(std::function<ClientWindows*()> factory)
{
    windowsFactory() = std::move(factory);
}

int qMain(int argc, char** argv)
{
    // One instance per user data folder: runs on two folders never meet.
    QtSingleApplication::setInstanceKey(userDataFolderFromEnvironment());
    QtSingleApplication app(argc, argv, true);

    StartupHooks hooks;
    hooks.isRunning = [&app] { return app.isRunning(); };
    hooks.askConfirm = [](const QString& title, const QString& text) { return showConfirmMsg(title, text, nullptr); };
    hooks.applyLook = [&app] {
        app.setStyleSheet(QStringLiteral("QLabel { color: #505A64; }"));
        QApplication::setFont(QFont(QStringLiteral("verdana"), 9));
        QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    };
    hooks.setWindowIcon = [] { QApplication::setWindowIcon(QIcon(getGlobalImage("app_img", 0))); };

    StartupSequence startup(hooks);
    if (!startup.run()) {
        if (startup.failure().isEmpty())
            return 0;
        showInfoMsg(StrTable::LoadStr(StrTable::app_name), startup.failure().toHtmlEscaped(), nullptr);
        return 1;
    }

    ClientManager* manager = new ClientManager(windowsFactory() ? windowsFactory()() : nullptr);
    manager->showLoginWindow();
    const int result = app.exec();

    // The workers stop in order inside the client manager, before the
    // databases they write to are closed.
    delete manager;
    startup.closeDatabases();
    return result;
}
