#pragma once

#include <QListWidget>
#include <QMap>

#include "site-data.h"
#include "site-item-info.h"
#include "user-action-cache.h"

class SiteConnecter;

// The icon view of a site pane: the same page as the details view, as large
// icons with their names below. Items are a pool reused by position; items
// past the page are hidden, unselectable and deselected.
class SiteListWidget : public QListWidget {
    Q_OBJECT
public:
    SiteListWidget(SiteConnecter* connecter, SiteData* data, QWidget* parent = nullptr);

    SiteItemInfo recordOfRow(int row) const { return m_item_infos.value(item(row)); }
    int recordCount() const { return m_item_infos.size(); }

signals:
    void sigSelectionChanged(SiteSelectedInfo info);
    void sigItemDoubleClicked(SiteItemInfo info);

public slots:
    void slotRefreshView();
    void slotAssignEventId(unsigned int id);
    void slotClearItemEventId(unsigned int id);
    void slotRemoveItemWithEventId(unsigned int id);
    void slotFocusListItem(QString name);
    void slotUpdateItem(QString parent, QString old_name, QString new_name);
    void slotChangeSiteName();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void updateSelection();

    SiteConnecter* m_connecter;
    SiteData* m_data;
    QMap<QListWidgetItem*, SiteItemInfo> m_item_infos;
};
