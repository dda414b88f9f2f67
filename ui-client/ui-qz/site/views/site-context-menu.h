#pragma once

#include <QMenu>

// What a right-click hit: nothing, one item or several.
enum SiteMenuType {
    MENU_BACKGROUND = 0,
    MENU_SINGLE_SELECTION = 1,
    MENU_MULTIPLE_SELECTIONS = 2,
};

// The pane's context menu, shared by the folder tree and the detail pane.
// The views only choose its type and pop it up; its entries belong to the
// pane.
class SiteContextMenu : public QMenu {
    Q_OBJECT
public:
    explicit SiteContextMenu(QWidget* parent = nullptr) : QMenu(parent) {}

    // Prepares the entries for a background click, one item or several.
    virtual void changeMenuType(SiteMenuType type) { m_type = type; }
    SiteMenuType menuType() const { return m_type; }

private:
    SiteMenuType m_type = MENU_BACKGROUND;
};
