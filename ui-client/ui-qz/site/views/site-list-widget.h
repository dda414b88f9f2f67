#pragma once

#include <QListWidget>
#include <QMap>

#include "site-data.h"
#include "site-item-info.h"
#include "user-action-cache.h"

class SiteConnecter;
class SiteListDnd;
class VexoLineEditor;

// The icon view of a site pane: the same page as the details view, as large
// icons with their names below. Items are a pool reused by position; items
// past the page are hidden, unselectable and deselected.
class SiteListWidget : public QListWidget {
    Q_OBJECT
public:
    SiteListWidget(SiteConnecter* connecter, SiteData* data, QWidget* parent = nullptr);

    SiteItemInfo recordOfRow(int row) const { return m_item_infos.value(item(row)); }
    int recordCount() const { return m_item_infos.size(); }
    VexoLineEditor* editor() const { return m_editor; }

signals:
    void sigSelectionChanged(SiteSelectedInfo info);
    void sigItemDoubleClicked(SiteItemInfo info);
    void sigBlockKeyPress(bool enable);
    void sigMkdirDone(QString new_name);
    void sigRenameDone(QString new_name);
    void sigEventAdded(unsigned int id);
    void sigTransferTaskAdded(QString name, bool is_dir, bool multi);

public slots:
    void slotRefreshView();
    void slotAssignEventId(unsigned int id);
    void slotClearItemEventId(unsigned int id);
    void slotRemoveItemWithEventId(unsigned int id);
    void slotFocusListItem(QString name);
    void slotUpdateItem(QString parent, QString old_name, QString new_name);
    void slotChangeSiteName();
    void slotStartRename();
    void slotStartMkdir();
    void slotEndEdit(QString text, bool esc);
    void slotCleanDragStyle();
    // The sending item widget goes back onto its entry's cell.
    void slotCheckMisMove();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void updateSelection();

    SiteConnecter* m_connecter;
    SiteData* m_data;
    QMap<QListWidgetItem*, SiteItemInfo> m_item_infos;
    VexoLineEditor* m_editor = nullptr;
    QListWidgetItem* m_edit_item = nullptr;
    QListWidgetItem* m_pending_mkdir_item = nullptr;
    bool m_is_create = false;
    bool m_editing = false;
    SiteListDnd* m_dnd = nullptr;  // drags, drops and the drop-target highlight
};
