#pragma once

#include <QItemSelection>
#include <QListWidget>
#include <QMap>
#include <QModelIndexList>
#include <QSet>

#include <map>

#include "site-data.h"
#include "site-item-info.h"
#include "user-action-cache.h"

class SiteConnecter;
class SiteListDnd;
class SiteListIconWidget;
class SiteListRowItem;
class VexoTextEditor;

// The icon view of a site pane: the same page as the details view, as tiles
// of a large icon over the name, drawn in time slices. Rows are a pool
// reused by position; rows past the page (and one spare row) are hidden,
// unselectable and deselected. Only rows in sight carry a tile, taken from
// a pool of tiles as rows scroll into sight.
class SiteListWidget : public QListWidget {
    Q_OBJECT
public:
    SiteListWidget(SiteConnecter* connecter, SiteData* data, QWidget* parent = nullptr);
    ~SiteListWidget() override;

    // For tests and the pane: the record of a row (empty without one), the
    // tile of a row in sight (null out of sight).
    SiteItemInfo recordOfRow(int row) const { return m_item_infos.value(item(row)); }
    int recordCount() const { return m_item_infos.size(); }
    SiteListIconWidget* tileOfRow(int row) const;
    bool isDrawing() const { return m_offset != 0; }
    VexoTextEditor* editor() const { return m_editor; }

signals:
    void sigSelectionChanged(SiteSelectedInfo info);
    void sigItemDoubleClicked(SiteItemInfo info);
    void sigBlockKeyPress(bool enable);
    void sigMkdirDone(QString new_name);
    void sigRenameDone(QString new_name);
    void sigEventAdded(unsigned int id);
    void sigTransferTaskAdded(QString name, bool is_dir, bool multi);

public slots:
    void slotItemDoubleClicked(QListWidgetItem* item);
    void slotSelectionChanged(const QItemSelection& current, const QItemSelection& previous);
    void slotRefreshView();
    void slotContinueRefreshView();
    void slotAssignEventId(unsigned int id);
    void slotClearItemEventId(unsigned int id);
    void slotRemoveItemWithEventId(unsigned int id);
    void slotStartMkdir();
    void slotStartRename();
    void slotFocusListItem(QString name);
    void slotUpdateItem(QString parent, QString old_name, QString new_name);
    void slotChangeSiteName();
    void slotEndEdit(QString text, bool esc);
    void slotCleanDragStyle();
    void slotUpdateCutStatus();
    void slotCheckMisMove();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

public:
    void doItemsLayout() override;

private:
    void refreshView();
    void updateSelection();
    void updateOpacityEffect();
    void setSiteItemWidget(QListWidgetItem* item, SiteListIconWidget* widget);
    SiteListRowItem* appendRow(const SiteFileInfo& shown);
    SiteListRowItem* rowItem(int row) const;
    void setRowHidden(int row, bool hidden);
    void deselectHiddenRows();
    void removeListRow(int row);
    void forgetRows(int first, int last);
    void placeEditor(QListWidgetItem* item);
    // Binds tiles to the rows in sight and frees the others.
    void layoutTiles();
    void releaseTile(SiteListRowItem* row_item);

    QModelIndexList m_cut_index_list;
    SiteConnecter* m_connecter;
    SiteData* m_data;
    SiteListDnd* m_dnd = nullptr;  // drags, drops and the drop-target highlight
    bool m_is_create = false;
    QListWidgetItem* m_edit_item = nullptr;
    VexoTextEditor* m_editor = nullptr;
    QMap<QListWidgetItem*, SiteItemInfo> m_item_infos;
    int m_offset = 0;
    bool m_need_remove_selection = false;
    std::map<SiteListIconWidget*, QListWidgetItem*> m_widget_item_map;
    // The pending item of a new folder whose name was sent and whose event
    // id has not come yet: the only item a new-folder event marks.
    QListWidgetItem* m_pending_mkdir_item = nullptr;
    bool m_editing = false;
    // Row numbers dimmed as cut now; rows scrolling into sight take the look.
    QSet<int> m_cut_rows;
    QList<SiteListIconWidget*> m_free_tiles;
};
