#include "site-context-menu.h"

#include <QIcon>
#include <QKeySequence>
#include <QSignalMapper>

#include "dpi_info.h"
#include "global-connecter.h"
#include "image_manager.h"
#include "str_table.h"
#include "style_manager.h"

SiteContextMenu::SiteContextMenu(QWidget* parent) : QMenu(parent)
{
    setStyle(&m_style);
    setStyleSheet(getStyleSheet("qz_menu", false));
    setMinimumWidth(static_cast<int>(100 * DPIinfo::getInstance()->getDPI()));
    m_mapper = new QSignalMapper(this);

    // The keys are only named here: the main window binds them, so the
    // entries carry no shortcut of their own.
    const QString ctrl = QStringLiteral("Ctrl");
    addAction(UAT_DOWNLOAD_TO, StrTable::LoadStr(StrTable::action_download_to) + QStringLiteral(" (F6)"),
              QStringLiteral("menu_download"));
    addAction(UAT_DOWNLOAD, StrTable::LoadStr(StrTable::action_download) + QStringLiteral(" (F4)"),
              QStringLiteral("menu_download"));
    addSeparator();
    addAction(UAT_MKDIR, StrTable::LoadStr(StrTable::action_create_folder) + QStringLiteral(" (F3)"),
              QStringLiteral("menu_mkdir"));
    addSeparator();
    addAction(UAT_CUT, StrTable::LoadStr(StrTable::action_cut) + QStringLiteral(" (") + ctrl + QStringLiteral("+X)"),
              QStringLiteral("menu_cut"));
    addAction(UAT_COPY,
              StrTable::LoadStr(StrTable::action_copy) + QStringLiteral(" (") + ctrl + QStringLiteral("+C)"),
              QStringLiteral("menu_copy"));
    addAction(UAT_PASTE,
              StrTable::LoadStr(StrTable::action_paste) + QStringLiteral(" (") + ctrl + QStringLiteral("+V)"),
              QStringLiteral("menu_paste"));
    addAction(UAT_REMOVE, StrTable::LoadStr(StrTable::action_remove) + QStringLiteral(" (Delete)"),
              QStringLiteral("menu_remove"));
    addAction(UAT_RENAME, StrTable::LoadStr(StrTable::action_rename) + QStringLiteral(" (F2)"),
              QStringLiteral("menu_rename"));

    connect(m_mapper, &QSignalMapper::mappedInt, GlobalConnecter::getInstance(), &GlobalConnecter::sigActionClicked);
}

SiteContextMenu::~SiteContextMenu()
{
    // The style is a member: the menu must stop using it before it goes.
    setStyle(nullptr);
}

void SiteContextMenu::addAction(UserActionType type, QString text, QString icon_name)
{
    QIcon icon;
    icon.addPixmap(getGlobalImage(icon_name, ImageManager::IT_NORMAL), QIcon::Normal, QIcon::Off);
    icon.addPixmap(getGlobalImage(icon_name + QStringLiteral("_hover"), ImageManager::IT_NORMAL), QIcon::Active,
                   QIcon::Off);
    QAction* action = QMenu::addAction(icon, text, m_mapper, SLOT(map()), QKeySequence());
    m_mapper->setMapping(action, static_cast<int>(type));
    m_actions.insert(type, action);
}

void SiteContextMenu::changeMenuType(SiteMenuType type)
{
    m_type = type;
    UserActionCache* cache = UserActionCache::getInstance();
    uint64_t copy_peer = 0;
    SiteSelectedInfo copy;
    m_actions.value(UAT_PASTE)->setVisible(cache->getCopyInfo(copy_peer, copy) >= 0);

    uint64_t peer = 0;
    SiteSelectedInfo selected;
    const bool on_server = cache->getSelectedInfo(peer, selected) >= 0 && !selected.parent.isEmpty() &&
                           !selected.parent.startsWith(QLatin1Char('0'));

    bool download = false, edit = false, rename = false;
    switch (type) {
    case MENU_BACKGROUND:
        break;
    case MENU_SINGLE_SELECTION:
        download = on_server;
        edit = true;
        rename = true;
        break;
    case MENU_MULTIPLE_SELECTIONS:
        download = on_server;
        edit = true;
        break;
    default:
        return;
    }
    m_actions.value(UAT_DOWNLOAD_TO)->setVisible(download);
    m_actions.value(UAT_DOWNLOAD)->setVisible(download);
    m_actions.value(UAT_CUT)->setVisible(edit);
    m_actions.value(UAT_COPY)->setVisible(edit);
    m_actions.value(UAT_REMOVE)->setVisible(edit);
    m_actions.value(UAT_RENAME)->setVisible(rename);
}
