#pragma once

#include <QMap>
#include <QMenu>

#include "custom-style.h"
#include "user-action-cache.h"

class QAction;
class QSignalMapper;

// What a right-click hit: nothing, one item or several.
enum SiteMenuType {
    MENU_BACKGROUND = 0,
    MENU_SINGLE_SELECTION = 1,
    MENU_MULTIPLE_SELECTIONS = 2,
};

// The pane's context menu, shared by the folder tree and the detail pane.
// The views only choose its type and pop it up; a chosen entry goes to the
// hub's sigActionClicked, and the pane of the selected site carries it out.
class SiteContextMenu : public QMenu {
    Q_OBJECT
public:
    explicit SiteContextMenu(QWidget* parent = nullptr);
    ~SiteContextMenu() override;

    // Shows the entries that apply to a background click, one item or
    // several, for the current selection and the kept copy.
    virtual void changeMenuType(SiteMenuType type);
    SiteMenuType menuType() const { return m_type; }

    // The entry of an action (for the views' tests and screenshots).
    QAction* actionOf(UserActionType type) const { return m_actions.value(type); }

private:
    void addAction(UserActionType type, QString text, QString icon_name);

    CustomStyle m_style;
    QSignalMapper* m_mapper = nullptr;
    QMap<UserActionType, QAction*> m_actions;
    SiteMenuType m_type = MENU_BACKGROUND;
};
