#pragma once

#include <QMenu>

#include "site-file-info.h"

class QAction;

// The sort button's menu: four columns and two directions as check entries,
// written into the pane's filter record. Its marks are read again from the
// record at every opening, so they follow the details view's header too.
class SiteSortMenu : public QMenu {
    Q_OBJECT
public:
    SiteSortMenu(SiteFileFilter* filter, QWidget* parent = nullptr);

    QAction* columnAction(int i) const { return m_column_action[i]; }
    QAction* directionAction(int i) const { return m_direction_action[i]; }

signals:
    void sigSortInfoChanged();

public slots:
    void slotSortColumnChanged();
    void slotSortDirectionChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    SiteFileFilter* m_filter;
    QAction* m_column_action[4] = {};
    QAction* m_direction_action[2] = {};
};
