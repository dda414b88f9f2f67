#include "site-table-widget.h"

#include <QDateTime>
#include <QGraphicsOpacityEffect>
#include <QHeaderView>
#include <QResizeEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include "dpi_info.h"
#include "event-manager.h"
#include "global-connecter.h"
#include "site-connecter.h"
#include "site-display.h"
#include "site-entry-view-dnd.h"
#include "site-path.h"
#include "site-table-cells.h"
#include "site-table-row.h"
#include "site-view-names.h"
#include "site-view-records.h"
#include "str_table.h"
#include "style_manager.h"
#include "vexo-line-editor.h"

namespace {
const Qt::ItemFlags kShownFlags = Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
                                  Qt::ItemIsDropEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
}

SiteTableWidget::SiteTableWidget(SiteConnecter* connecter, SiteData* data, QWidget* parent)
    : QTableWidget(parent), m_connecter(connecter), m_data(data)
{
    setColumnCount(COL_MAX);
    horizontalHeader()->setStyleSheet(getStyleSheet("component.table_header", false));
    horizontalHeader()->setHighlightSections(false);
    setStyleSheet(getStyleSheet("site_table_widget", false) + getStyleSheet("component.scrollbar", false));
    setHorizontalHeaderLabels({StrTable::LoadStr(StrTable::file_name), StrTable::LoadStr(StrTable::filter_size),
                               StrTable::LoadStr(StrTable::file_type), StrTable::LoadStr(StrTable::modify_time)});
    for (int c = 0; c < COL_MAX; ++c)
        horizontalHeaderItem(c)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionResizeMode(COL_MTIME, QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(scaledPixels(100));
    setColumnWidth(COL_SIZE, scaledPixels(100));
    setColumnWidth(COL_TYPE, scaledPixels(100));
    setColumnWidth(COL_MTIME, scaledPixels(160));

    m_editor = new VexoLineEditor(QString(), viewport());
    m_editor->hide();

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAcceptDrops(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->setDefaultSectionSize(scaledPixels(28));
    setShowGrid(false);

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &SiteTableWidget::slotSectionClicked);
    connect(this, &SiteTableWidget::sigSortInfoChanged, connecter, &SiteConnecter::sigSortInfoChanged);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &SiteTableWidget::slotSectionResized);
    connect(this, &QTableWidget::cellDoubleClicked, this, &SiteTableWidget::slotTableCellDoubleClicked);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &SiteTableWidget::slotSelectionChanged);
    connect(m_editor, &VexoLineEditor::sigEndEdit, this, &SiteTableWidget::slotEndEdit);
    connect(this, &SiteTableWidget::sigSelectionChanged, connecter, &SiteConnecter::sigSelectionChanged);
    connect(this, &SiteTableWidget::sigItemDoubleClicked, connecter, &SiteConnecter::sigItemDoubleClicked);
    connect(this, &SiteTableWidget::sigBlockKeyPress, hub, &GlobalConnecter::sigBlockKeyPress);
    connect(this, &SiteTableWidget::sigMkdirDone, connecter, &SiteConnecter::sigMkdirDone);
    connect(this, &SiteTableWidget::sigRenameDone, connecter, &SiteConnecter::sigRenameDone);
    connect(connecter, &SiteConnecter::sigRefreshDetailView, this, &SiteTableWidget::slotRefreshView);
    connect(connecter, &SiteConnecter::sigAssignEventId, this, &SiteTableWidget::slotAssignEventId);
    connect(connecter, &SiteConnecter::sigClearItemEventId, this, &SiteTableWidget::slotClearItemEventId);
    connect(connecter, &SiteConnecter::sigRemoveItemWithEventId, this, &SiteTableWidget::slotRemoveItemWithEventId);
    connect(connecter, &SiteConnecter::sigStartMkdir, this, &SiteTableWidget::slotStartMkdir);
    connect(connecter, &SiteConnecter::sigStartRename, this, &SiteTableWidget::slotStartRename);
    connect(connecter, &SiteConnecter::sigFocusTableItem, this, &SiteTableWidget::slotFocusTableItem);
    connect(connecter, &SiteConnecter::sigUpdateItem, this, &SiteTableWidget::slotUpdateItem);
    connect(connecter, &SiteConnecter::sigChangeSiteName, this, &SiteTableWidget::slotChangeSiteName);
    connect(connecter, &SiteConnecter::sigUpdateCutStatus, this, &SiteTableWidget::slotUpdateCutStatus);
    connect(this, &SiteTableWidget::sigEventAdded, hub, &GlobalConnecter::sigEventAdded);
    connect(this, &SiteTableWidget::sigTransferTaskAdded, hub, &GlobalConnecter::sigTransferTaskAdded);
    m_dnd = new SiteTableDnd(this, connecter, data);
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { forgetRows(first, last); });
}

SiteTableWidget::~SiteTableWidget()
{
    // The model outlives this part of the view: it must not call back.
    disconnect(model(), nullptr, this, nullptr);
    if (m_editing)
        emit sigBlockKeyPress(false);
    m_editor->stopEdit();
    // The widgets belong to the viewport; only the sets are ours.
    for (SiteTableRowCells* cells : m_bound_cells)
        cells->row->cells = nullptr;
    qDeleteAll(m_bound_cells);
    qDeleteAll(m_free_cells);
}

SiteItemInfo SiteTableWidget::recordOfRow(int row) const
{
    return m_item_infos.value(item(row, COL_NAME));
}

SiteTableRowItem* SiteTableWidget::rowItem(int row) const
{
    return dynamic_cast<SiteTableRowItem*>(item(row, COL_NAME));
}

SiteTableRowCells* SiteTableWidget::cellsOfRow(int row) const
{
    SiteTableRowItem* row_item = rowItem(row);
    return row_item ? row_item->cells : nullptr;
}

SiteTableIconWidget* SiteTableWidget::nameCell(int row) const
{
    SiteTableRowCells* cells = cellsOfRow(row);
    return cells ? cells->name : nullptr;
}

SiteTableItemWidget* SiteTableWidget::textCell(int row, int column) const
{
    SiteTableRowCells* cells = cellsOfRow(row);
    return cells && column > COL_NAME && column < COL_MAX ? cells->text[column - 1] : nullptr;
}

// ---- drawing ---------------------------------------------------------------

void SiteTableWidget::slotRefreshView()
{
    m_offset = 0;
    refreshView();
}

void SiteTableWidget::slotContinueRefreshView() { refreshView(); }

void SiteTableWidget::setRowItems(int row)
{
    setItem(row, COL_NAME, new SiteTableRowItem);
    for (int c = COL_SIZE; c < COL_MAX; ++c)
        setItem(row, c, new QTableWidgetItem(0));
}

void SiteTableWidget::appendRow(const SiteFileInfo& info)
{
    const int row = rowCount();
    insertRow(row);
    setRowItems(row);
    SiteTableRowItem* row_item = rowItem(row);
    row_item->shown = info;
    row_item->drawn = true;
}

void SiteTableWidget::refreshView()
{
    const SiteFileList& page = m_data->m_filtered_files[m_data->m_current_path];
    const uint64_t t0 = siteviews::sliceNow();
    if (m_offset == 0) {
        // Rows the slice does not reach are hidden at its end: hiding rows
        // it is about to show again would cost a header change per row.
        m_item_infos.clear();
        m_pending_mkdir_item = nullptr;
    }
    // Rows come in one batch, one row-count change for the whole page: a
    // row inserted at a time makes the view re-place every cell above it.
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    if (page.size() > rowCount()) {
        const int old_count = rowCount();
        setRowCount(page.size());
        for (int row = old_count; row < page.size(); ++row)
            setRowItems(row);
    }
    bool more = false;
    while (m_offset < page.size()) {
        const int i = m_offset;
        const SiteFileInfo& listed = page.at(i);
        SiteTableRowItem* row_item = rowItem(i);
        setRowAndItemHidden(i, false);
        const QString shown = siteviews::shownName(listed.name, listed.is_root, m_data->m_site_name);
        if (row_item->drawn && !m_need_remove_selection && shown != row_item->shown.name)
            m_need_remove_selection = true;
        row_item->shown = listed;
        row_item->shown.name = shown;
        row_item->drawn = true;
        if (row_item->cells)
            fillCells(row_item->cells);

        SiteItemInfo record(listed.name);
        record.setIsDir(listed.is_dir);
        record.setIsRoot(listed.is_root);
        record.setIsSharedFolder(listed.is_shared_folder);
        m_item_infos.insert(row_item, record);

        ++m_offset;
        if (m_offset < page.size() && siteviews::sliceNow() - t0 > siteviews::kSliceMs) {
            more = true;
            break;
        }
    }
    for (int row = m_offset; row < rowCount(); ++row)
        setRowAndItemHidden(row, true);
    // Scroll range first (rows were shown or hidden), then the cells in sight.
    updateGeometries();
    setUpdatesEnabled(updates);
    if (more) {
        QTimer::singleShot(siteviews::kSlicePauseMs, this, &SiteTableWidget::slotContinueRefreshView);
        return;
    }
    // Rows past the page must not stay selected: the pane would keep acting
    // on names the page no longer shows.
    deselectHiddenRows();
    if (m_need_remove_selection) {
        m_need_remove_selection = false;
        clearSelection();
    }
    updateOpacityEffect();
    m_offset = 0;
}

// ---- cell widgets of the rows in sight ----------------------------------------

void SiteTableWidget::fillCells(SiteTableRowCells* cells)
{
    const SiteFileInfo& entry = cells->row->shown;
    cells->name->setInfo(entry);
    QString size_text, type_text, time_text;
    if (!entry.mtime.isNull()) {
        if (!entry.is_dir)
            size_text = getHumanReadableSize(static_cast<double>(entry.size));
        type_text = cells->name->getType();
        time_text = getHumanReadableTime(static_cast<unsigned int>(entry.mtime.toSecsSinceEpoch()));
    }
    cells->text[COL_SIZE - 1]->setText(size_text);
    cells->text[COL_TYPE - 1]->setText(type_text);
    cells->text[COL_MTIME - 1]->setText(time_text);
}

void SiteTableWidget::bindCells(SiteTableRowItem* row_item)
{
    SiteTableRowCells* cells = nullptr;
    if (m_free_cells.isEmpty()) {
        cells = new SiteTableRowCells;
        cells->name = new SiteTableIconWidget(SiteFileInfo(), viewport());
        for (auto& text : cells->text)
            text = new SiteTableItemWidget(QString(), viewport());
    } else {
        cells = m_free_cells.takeLast();
    }
    cells->row = row_item;
    row_item->cells = cells;
    m_bound_cells << cells;
    fillCells(cells);
    applyCutLook(cells, row_item->row());
}

void SiteTableWidget::releaseCells(SiteTableRowCells* cells)
{
    // A drop-target highlight stays with its row, not with the cells.
    const QList<QWidget*> widgets{cells->name, cells->text[0], cells->text[1], cells->text[2]};
    for (QWidget* widget : widgets) {
        widget->hide();
        if (!widget->styleSheet().isEmpty())
            widget->setStyleSheet(QString());
    }
    if (cells->row)
        cells->row->cells = nullptr;
    cells->row = nullptr;
    m_bound_cells.removeOne(cells);
    m_free_cells << cells;
}

void SiteTableWidget::layoutCells()
{
    const int height = viewport()->height();
    const int first = height > 0 ? rowAt(0) : -1;
    int last = first < 0 ? -1 : rowAt(height - 1);
    if (first >= 0 && last < 0)
        last = rowCount() - 1;  // the rows end above the bottom edge
    for (int k = m_bound_cells.size() - 1; k >= 0; --k) {
        SiteTableRowCells* cells = m_bound_cells.at(k);
        const int row = cells->row->row();
        if (row < first || row > last || isRowHidden(row))
            releaseCells(cells);
    }
    for (int row = first; row >= 0 && row <= last; ++row) {
        SiteTableRowItem* row_item = rowItem(row);
        if (!row_item || isRowHidden(row))
            continue;
        if (!row_item->cells)
            bindCells(row_item);
        SiteTableRowCells* cells = row_item->cells;
        cells->name->setGeometry(visualRect(model()->index(row, COL_NAME)));
        cells->name->show();
        for (int c = COL_SIZE; c < COL_MAX; ++c) {
            cells->text[c - 1]->setGeometry(visualRect(model()->index(row, c)));
            cells->text[c - 1]->show();
        }
    }
    if (m_editing)
        m_editor->raise();
}

void SiteTableWidget::scrollContentsBy(int dx, int dy)
{
    QTableWidget::scrollContentsBy(dx, dy);
    layoutCells();
}

void SiteTableWidget::updateGeometries()
{
    QTableWidget::updateGeometries();
    layoutCells();
}

void SiteTableWidget::removeTableRow(int row)
{
    removeRow(row);
    layoutCells();
}

void SiteTableWidget::forgetRows(int first, int last)
{
    // Whoever removes a row, its cells go back to the pool and its record
    // goes with it: a later item may reuse the address.
    for (int row = first; row <= last; ++row) {
        QTableWidgetItem* key = item(row, COL_NAME);
        if (SiteTableRowCells* cells = cellsOfRow(row))
            releaseCells(cells);
        m_item_infos.remove(key);
        if (m_edit_item == key)
            m_edit_item = nullptr;
        if (m_pending_mkdir_item == key)
            m_pending_mkdir_item = nullptr;
    }
}

void SiteTableWidget::deselectHiddenRows()
{
    // selectedRows() skips rows without the selectable flag, so a hidden row
    // looks unselected while the selection still holds it: read the ranges.
    QItemSelection hidden;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            if (isRowHidden(row))
                hidden.select(model()->index(row, 0), model()->index(row, COL_MAX - 1));
    if (!hidden.isEmpty())
        selectionModel()->select(hidden, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

void SiteTableWidget::setRowAndItemHidden(int row, bool hidden)
{
    // Each change is a header or model signal: leave rows as they are.
    if (isRowHidden(row) != hidden)
        setRowHidden(row, hidden);
    const Qt::ItemFlags flags = hidden ? Qt::NoItemFlags : kShownFlags;
    for (int c = 0; c < COL_MAX; ++c)
        if (QTableWidgetItem* cell = item(row, c))
            if (cell->flags() != flags)
                cell->setFlags(flags);
}

// ---- columns and sorting -----------------------------------------------------

void SiteTableWidget::adjustColumnWidths()
{
    const int w1 = columnWidth(COL_SIZE), w2 = columnWidth(COL_TYPE), w3 = columnWidth(COL_MTIME);
    const int s = verticalScrollBar()->isVisible() ? verticalScrollBar()->width() : 0;
    if (columnWidth(COL_NAME) + w1 + w2 + w3 + s < width())
        setColumnWidth(COL_NAME, width() - s - w1 - w2 - w3);
}

void SiteTableWidget::slotSectionResized(int, int, int)
{
    adjustColumnWidths();
    layoutCells();
}

void SiteTableWidget::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    const int d = event->size().width() - event->oldSize().width();
    if (d == 0 || event->oldSize().width() < 0) {
        if (event->oldSize().width() < 0)
            adjustColumnWidths();
        return;
    }
    if (d > 0)
        adjustColumnWidths();
    else
        setColumnWidth(COL_NAME, columnWidth(COL_NAME) + d);
}

void SiteTableWidget::slotSectionClicked(int column)
{
    m_data->m_filter.sort_column = column;
    m_data->m_filter.sort_asc = horizontalHeader()->sortIndicatorOrder() == Qt::AscendingOrder;
    emit sigSortInfoChanged();
}

// ---- selection ----------------------------------------------------------------

void SiteTableWidget::updateSelection()
{
    SiteSelectedInfo info;
    info.view_mode = VM_TABLE;
    for (const QModelIndex& index : selectionModel()->selectedRows(0)) {
        if (isRowHidden(index.row()))
            continue;
        const SiteItemInfo record = m_item_infos.value(item(index.row(), COL_NAME));
        if (record.getName().isEmpty())
            continue;  // a row being drawn has no record yet: never report ""
        NodeInfo node;
        node.name = record.getName();
        node.type = record.isDir() ? FT_DIR : FT_FILE;
        info.children.push_back(node);
    }
    info.parent = m_data->m_current_path;
    info.index_list = selectedIndexes();
    emit sigSelectionChanged(info);
}

void SiteTableWidget::slotSelectionChanged(const QItemSelection&, const QItemSelection&) { updateSelection(); }

void SiteTableWidget::focusInEvent(QFocusEvent* event)
{
    updateSelection();
    QTableWidget::focusInEvent(event);
}

void SiteTableWidget::mousePressEvent(QMouseEvent* event)
{
    // A right click on empty space is about the folder, not about what was
    // selected before: the menu that follows must not offer to delete that.
    if (event->button() == Qt::RightButton && !indexAt(event->pos()).isValid())
        clearSelection();
    QTableWidget::mousePressEvent(event);
}

void SiteTableWidget::slotTableCellDoubleClicked(int row, int)
{
    emit sigItemDoubleClicked(m_item_infos.value(item(row, COL_NAME)));
}

// ---- cut marks ------------------------------------------------------------------

void SiteTableWidget::applyCutLook(SiteTableRowCells* cells, int row)
{
    setCutLook(cells->name, m_cut_rows.contains(row));
}

void SiteTableWidget::updateOpacityEffect()
{
    // Marks go by row number; rows out of sight take them when bound.
    const QSet<int> was_cut = m_cut_rows;
    m_cut_rows = siteviews::currentCutRows(m_data->m_current_path, m_cut_index_list);
    for (int row : was_cut + m_cut_rows)
        if (SiteTableRowCells* cells = cellsOfRow(row))
            applyCutLook(cells, row);
}

void SiteTableWidget::slotUpdateCutStatus() { updateOpacityEffect(); }

// ---- pending operations -----------------------------------------------------------

void SiteTableWidget::slotAssignEventId(unsigned int id)
{
    siteviews::markEventRecords(m_item_infos, m_pending_mkdir_item, id, m_data->m_current_path);
}

void SiteTableWidget::slotClearItemEventId(unsigned int id) { siteviews::clearEventRecords(m_item_infos, id); }

void SiteTableWidget::slotRemoveItemWithEventId(unsigned int id)
{
    if (id == 0)
        return;
    int row = 0;
    while (row < rowCount()) {
        auto it = m_item_infos.constFind(item(row, COL_NAME));
        if (it != m_item_infos.cend() && it.value().getEventId() == id) {
            removeTableRow(row);
            continue;
        }
        ++row;
    }
}

void SiteTableWidget::slotFocusTableItem(QString name)
{
    for (int row = 0; row < rowCount(); ++row) {
        QTableWidgetItem* key = item(row, COL_NAME);
        if (!isRowHidden(row) && m_item_infos.contains(key) && m_item_infos.value(key).getName() == name)
            setCurrentItem(key);
    }
}

void SiteTableWidget::slotUpdateItem(QString parent, QString old_name, QString new_name)
{
    if (parent != m_data->m_current_path)
        return;
    const bool blocked = blockSignals(true);
    for (int row = 0; row < rowCount(); ++row) {
        QTableWidgetItem* key = item(row, COL_NAME);
        auto it = m_item_infos.find(key);
        if (it == m_item_infos.end() || it.value().getName() != old_name)
            continue;
        it.value().setName(new_name);
        if (SiteTableRowItem* row_item = rowItem(row))
            row_item->shown.name = new_name;
        if (SiteTableIconWidget* cell = nameCell(row))
            cell->setName(new_name);
        break;
    }
    blockSignals(blocked);
}

void SiteTableWidget::slotChangeSiteName()
{
    if (m_data->m_current_path.isEmpty())
        refreshView();
}

void SiteTableWidget::slotCleanDragStyle() { m_dnd->slotCleanDragStyle(); }

// ---- in-place editing -----------------------------------------------------------------

void SiteTableWidget::placeEditor(int row)
{
    // Over the name, right of the icon: where the row's name cell lies.
    const QPoint cell = visualRect(model()->index(row, COL_NAME)).topLeft();
    const double dpi = DPIinfo::getInstance()->getDPI();
    m_editor->move(cell + QPoint(qRound(28 * dpi), qRound(0 * dpi)));
}

void SiteTableWidget::slotStartRename()
{
    if (!UserActionCache::getInstance()->needCatchAction(m_data->m_peer_id, VM_TABLE) || m_editing)
        return;
    // The row the pane will rename is the one selected row, which after a
    // Ctrl-click need not be the current one.
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows(0))
        if (!isRowHidden(index.row()))
            rows << index.row();
    if (rows.size() != 1)
        return;
    const int row = rows.first();
    m_edit_item = item(row, COL_NAME);
    if (!m_edit_item)
        return;
    // The edited row becomes current without touching the selection, so
    // that focus coming back later selects nothing else.
    selectionModel()->setCurrentIndex(model()->index(row, COL_NAME), QItemSelectionModel::NoUpdate);
    const SiteItemInfo record = m_item_infos.value(m_edit_item);
    m_is_create = false;
    m_editing = true;
    emit sigBlockKeyPress(true);
    m_editor->setText(record.getName());
    m_editor->startEdit();
    placeEditor(row);
}

void SiteTableWidget::slotStartMkdir()
{
    if (!UserActionCache::getInstance()->needCatchAction(m_data->m_peer_id, VM_TABLE) || m_editing)
        return;
    SiteFileInfo info;
    info.name = QStringLiteral("New Folder");
    info.is_dir = true;
    info.mtime = QDateTime::currentDateTime();
    appendRow(info);
    const int row = rowCount() - 1;
    QTableWidgetItem* key = item(row, COL_NAME);
    SiteItemInfo record(info.name);
    record.setIsDir(true);
    m_item_infos.insert(key, record);
    setCurrentItem(key);
    m_is_create = true;
    m_edit_item = key;
    updateGeometries();
    scrollToBottom();
    layoutCells();
    m_editing = true;
    emit sigBlockKeyPress(true);
    m_editor->setText(info.name);
    m_editor->startEdit();
    placeEditor(row);
}

void SiteTableWidget::slotEndEdit(QString text, bool esc)
{
    if (!m_editing)
        return;
    m_editing = false;
    emit sigBlockKeyPress(false);
    // The focus goes back to the table, not to whatever follows the editor.
    if (m_editor->hasFocus())
        setFocus(Qt::OtherFocusReason);
    m_editor->stopEdit();
    const bool refused = !esc && !siteviews::isAcceptableNewName(text);
    if (esc || refused) {
        if (m_is_create && m_edit_item) {
            const int row = m_edit_item->row();
            m_item_infos.remove(m_edit_item);
            m_edit_item = nullptr;
            if (row >= 0)
                removeTableRow(row);
        }
        return;
    }
    if (!m_edit_item || !m_item_infos.contains(m_edit_item))
        return;
    SiteItemInfo& record = m_item_infos[m_edit_item];
    if (m_is_create) {
        record.setName(text);
        m_pending_mkdir_item = m_edit_item;
        emit sigMkdirDone(text);
        return;
    }
    if (text != record.getName())
        emit sigRenameDone(text);
}
