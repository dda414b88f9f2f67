#pragma once

#include <QItemSelection>
#include <QMap>
#include <QModelIndexList>
#include <QSet>
#include <QTableWidget>

#include "site-data.h"
#include "site-item-info.h"
#include "user-action-cache.h"

class SiteConnecter;
class SiteTableDnd;
class SiteTableIconWidget;
class SiteTableItemWidget;
class SiteTableRowItem;
struct SiteTableRowCells;
class VexoLineEditor;

// The details view of a site pane: the rows of the current page in four
// columns, drawn in time slices from SiteData::m_filtered_files. Rows are a
// pool: reused by position, appended when a page is longer than any before,
// hidden (and unselectable) beyond the page. Only rows in sight carry cell
// widgets, taken from a pool of their own as rows scroll into sight.
class SiteTableWidget : public QTableWidget {
    Q_OBJECT
public:
    SiteTableWidget(SiteConnecter* connecter, SiteData* data, QWidget* parent = nullptr);
    ~SiteTableWidget() override;

    // For tests and the pane: the record of a row (empty without one).
    SiteItemInfo recordOfRow(int row) const;
    // The cells of a row in sight; null for a row out of sight.
    SiteTableIconWidget* nameCell(int row) const;
    SiteTableItemWidget* textCell(int row, int column) const;
    int recordCount() const { return m_item_infos.size(); }
    bool isDrawing() const { return m_offset != 0; }
    VexoLineEditor* editor() const { return m_editor; }

signals:
    void sigSelectionChanged(SiteSelectedInfo info);
    void sigSortInfoChanged();
    void sigItemDoubleClicked(SiteItemInfo info);
    void sigBlockKeyPress(bool enable);
    void sigMkdirDone(QString new_name);
    void sigRenameDone(QString new_name);
    void sigEventAdded(unsigned int id);
    void sigTransferTaskAdded(QString name, bool is_dir, bool multi);

public slots:
    void slotTableCellDoubleClicked(int row, int column);
    void slotSelectionChanged(const QItemSelection& current, const QItemSelection& previous);
    void slotEndEdit(QString text, bool esc);
    void slotSectionClicked(int column);
    void slotRefreshView();
    void slotContinueRefreshView();
    void slotAssignEventId(unsigned int id);
    void slotClearItemEventId(unsigned int id);
    void slotRemoveItemWithEventId(unsigned int id);
    void slotStartMkdir();
    void slotStartRename();
    void slotFocusTableItem(QString name);
    void slotUpdateItem(QString parent, QString old_name, QString new_name);
    void slotChangeSiteName();
    void slotCleanDragStyle();
    void slotUpdateCutStatus();
    void slotSectionResized(int logical_index, int old_size, int new_size);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    void refreshView();
    void updateSelection();
    void updateOpacityEffect();
    void adjustColumnWidths();
    void setRowAndItemHidden(int row, bool hidden);
    void appendRow(const SiteFileInfo& info);
    void setRowItems(int row);
    void deselectHiddenRows();
    void placeEditor(int row);
    void removeTableRow(int row);
    void forgetRows(int first, int last);
    SiteTableRowItem* rowItem(int row) const;
    SiteTableRowCells* cellsOfRow(int row) const;
    // Binds cell widgets to the rows in sight and frees the others.
    void layoutCells();
    void bindCells(SiteTableRowItem* row_item);
    void releaseCells(SiteTableRowCells* cells);
    void fillCells(SiteTableRowCells* cells);
    void applyCutLook(SiteTableRowCells* cells, int row);

    QModelIndexList m_cut_index_list;
    SiteConnecter* m_connecter;
    SiteData* m_data;
    SiteTableDnd* m_dnd = nullptr;  // drags, drops and the drop-target highlight
    bool m_is_create = false;
    QTableWidgetItem* m_edit_item = nullptr;
    VexoLineEditor* m_editor = nullptr;
    QMap<QTableWidgetItem*, SiteItemInfo> m_item_infos;
    int m_offset = 0;
    bool m_need_remove_selection = false;
    // The provisional row of a new folder whose name was sent and whose
    // event id has not come yet: the only row a new-folder event marks.
    QTableWidgetItem* m_pending_mkdir_item = nullptr;
    bool m_editing = false;
    // Row numbers dimmed as cut now; rows scrolling into sight take the look.
    QSet<int> m_cut_rows;
    QList<SiteTableRowCells*> m_bound_cells;
    QList<SiteTableRowCells*> m_free_cells;
};
