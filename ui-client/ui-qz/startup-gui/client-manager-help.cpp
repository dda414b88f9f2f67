#include "client-manager-help.h"

#include <QIcon>

#include "client-manager.h"
#include "dpi_info.h"
#include "image_manager.h"
#include "str_table.h"
#include "ui_path_manager.h"

HelpContext clientHelpContext()
{
    HelpContext context;
    context.language = ClientManager::helpLanguage();
    context.offline_help_prefix =
        UIPathManager::getInstance()->getPath(QStringLiteral("resource_path")) + QStringLiteral("/help");
    context.html_name = QStringLiteral("zuzevazozuruvirezirederir.iraz");
    context.section = QStringLiteral("QuillmarFileManager");
    context.version = QStringLiteral("1.0");
    return context;
}

HelpWindow* createClientHelpWindow()
{
    auto* window = new HelpWindow(clientHelpContext(), nullptr);
    window->setWindowTitle(StrTable::LoadStr(190));
    window->setWindowIcon(QIcon(getGlobalImage("app_img", 0)));
    window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const double scale = DPIinfo::getInstance()->getDPI();
    window->setFixedSize(static_cast<int>(700 * scale), static_cast<int>(500 * scale));
    return window;
}
