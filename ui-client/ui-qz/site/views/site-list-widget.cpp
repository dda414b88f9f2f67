#include "site-list-widget.h"

#include <QDateTime>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include "dpi_info.h"
#include "global-connecter.h"
#include "site-connecter.h"
#include "site-entry-view-dnd.h"
#include "site-list-icon-widget.h"
#include "site-table-cells.h"
#include "site-view-names.h"
#include "site-view-records.h"
#include "style_manager.h"
#include "vexo-text-editor.h"

namespace {
const Qt::ItemFlags kShownFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

SiteListWidget::SiteListWidget(SiteConnecter* connecter, SiteData* data, QWidget* parent)
    : QListWidget(parent), m_connecter(connecter), m_data(data)
{
    setAcceptDrops(true);
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Tiles stay where the grid puts them: they are pooled widgets laid
    // over the rows in sight, not items the user moves about.
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setStyleSheet(getStyleSheet("component.scrollbar", false) + getStyleSheet("site_list_widget", false));
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setResizeMode(QListView::Adjust);
    setSpacing(scaledPixels(8));
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_editor = new VexoTextEditor(QString(), viewport());
    m_editor->hide();
    connect(m_editor, &VexoTextEditor::sigEndEdit, this, &SiteListWidget::slotEndEdit);

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &QListWidget::itemDoubleClicked, this, &SiteListWidget::slotItemDoubleClicked);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &SiteListWidget::slotSelectionChanged);
    connect(this, &SiteListWidget::sigSelectionChanged, connecter, &SiteConnecter::sigSelectionChanged);
    connect(this, &SiteListWidget::sigItemDoubleClicked, connecter, &SiteConnecter::sigItemDoubleClicked);
    connect(this, &SiteListWidget::sigBlockKeyPress, hub, &GlobalConnecter::sigBlockKeyPress);
    connect(this, &SiteListWidget::sigMkdirDone, connecter, &SiteConnecter::sigMkdirDone);
    connect(this, &SiteListWidget::sigRenameDone, connecter, &SiteConnecter::sigRenameDone);
    connect(connecter, &SiteConnecter::sigRefreshDetailView, this, &SiteListWidget::slotRefreshView);
    connect(connecter, &SiteConnecter::sigAssignEventId, this, &SiteListWidget::slotAssignEventId);
    connect(connecter, &SiteConnecter::sigClearItemEventId, this, &SiteListWidget::slotClearItemEventId);
    connect(connecter, &SiteConnecter::sigRemoveItemWithEventId, this, &SiteListWidget::slotRemoveItemWithEventId);
    connect(connecter, &SiteConnecter::sigStartMkdir, this, &SiteListWidget::slotStartMkdir);
    connect(connecter, &SiteConnecter::sigStartRename, this, &SiteListWidget::slotStartRename);
    connect(connecter, &SiteConnecter::sigFocusListItem, this, &SiteListWidget::slotFocusListItem);
    connect(connecter, &SiteConnecter::sigUpdateItem, this, &SiteListWidget::slotUpdateItem);
    connect(connecter, &SiteConnecter::sigChangeSiteName, this, &SiteListWidget::slotChangeSiteName);
    connect(connecter, &SiteConnecter::sigUpdateCutStatus, this, &SiteListWidget::slotUpdateCutStatus);
    connect(this, &SiteListWidget::sigEventAdded, hub, &GlobalConnecter::sigEventAdded);
    connect(this, &SiteListWidget::sigTransferTaskAdded, hub, &GlobalConnecter::sigTransferTaskAdded);
    m_dnd = new SiteListDnd(this, connecter, data);
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { forgetRows(first, last); });
}

SiteListWidget::~SiteListWidget()
{
    // The model outlives this part of the view: it must not call back.
    disconnect(model(), nullptr, this, nullptr);
    if (m_editing)
        emit sigBlockKeyPress(false);
    m_editor->stopEdit();
}

SiteListRowItem* SiteListWidget::rowItem(int row) const { return dynamic_cast<SiteListRowItem*>(item(row)); }

SiteListIconWidget* SiteListWidget::tileOfRow(int row) const
{
    SiteListRowItem* row_item = rowItem(row);
    return row_item ? row_item->tile : nullptr;
}

// ---- drawing ---------------------------------------------------------------

void SiteListWidget::slotRefreshView()
{
    m_offset = 0;
    refreshView();
}

void SiteListWidget::slotContinueRefreshView() { refreshView(); }

SiteListRowItem* SiteListWidget::appendRow(const SiteFileInfo& shown)
{
    auto* row_item = new SiteListRowItem;
    row_item->shown = shown;
    row_item->setFlags(kShownFlags);
    row_item->setSizeHint(scaledTileSize());
    addItem(row_item);
    return row_item;
}

void SiteListWidget::setRowHidden(int row, bool hidden)
{
    QListWidgetItem* it = item(row);
    if (!it)
        return;
    if (it->isHidden() != hidden)
        it->setHidden(hidden);
    // A hidden row is out of reach of Ctrl+A and of the selection report.
    const Qt::ItemFlags flags = hidden ? Qt::NoItemFlags : kShownFlags;
    if (it->flags() != flags)
        it->setFlags(flags);
}

void SiteListWidget::refreshView()
{
    const SiteFileList& page = m_data->m_filtered_files[m_data->m_current_path];
    const uint64_t t0 = siteviews::sliceNow();
    if (m_offset == 0) {
        // Rows the slice does not reach are hidden at its end.
        m_item_infos.clear();
        m_pending_mkdir_item = nullptr;
    }
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    bool more = false;
    while (m_offset < page.size()) {
        const int i = m_offset;
        const SiteFileInfo& listed = page.at(i);
        const QString shown = siteviews::shownName(listed.name, listed.is_root, m_data->m_site_name);
        SiteListRowItem* row_item = rowItem(i);
        if (row_item) {
            setRowHidden(i, false);
            if (row_item->drawn && !m_need_remove_selection && shown != row_item->shown.name)
                m_need_remove_selection = true;
        } else {
            row_item = appendRow(SiteFileInfo());
        }
        row_item->shown = listed;
        row_item->shown.name = shown;
        row_item->drawn = true;
        if (row_item->tile)
            row_item->tile->setInfo(row_item->shown);

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
    if (!more && count() == m_offset) {
        // The spare row: hidden, without a record.
        appendRow(SiteFileInfo());
    }
    for (int row = m_offset; row < count(); ++row)
        setRowHidden(row, true);
    doItemsLayout();
    setUpdatesEnabled(updates);
    if (more) {
        QTimer::singleShot(siteviews::kSlicePauseMs, this, &SiteListWidget::slotContinueRefreshView);
        return;
    }
    deselectHiddenRows();
    if (m_need_remove_selection) {
        m_need_remove_selection = false;
        clearSelection();
    }
    updateOpacityEffect();
    m_offset = 0;
}

void SiteListWidget::deselectHiddenRows()
{
    // Flags are gone from hidden rows, so selectedRows() no longer lists
    // them while the selection still holds them: read the ranges.
    QItemSelection hidden;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            if (item(row) && item(row)->isHidden())
                hidden.select(model()->index(row, 0), model()->index(row, 0));
    if (!hidden.isEmpty())
        selectionModel()->select(hidden, QItemSelectionModel::Deselect);
}

// ---- tiles of the rows in sight -------------------------------------------------

void SiteListWidget::setSiteItemWidget(QListWidgetItem* item, SiteListIconWidget* widget)
{
    auto* row_item = dynamic_cast<SiteListRowItem*>(item);
    if (!row_item)
        return;
    if (row_item->tile)
        m_widget_item_map.erase(row_item->tile);
    connect(widget, &SiteListIconWidget::sigCheckMisMove, this, &SiteListWidget::slotCheckMisMove,
            Qt::UniqueConnection);
    m_widget_item_map[widget] = item;
    row_item->tile = widget;
}

void SiteListWidget::releaseTile(SiteListRowItem* row_item)
{
    SiteListIconWidget* tile = row_item->tile;
    if (!tile)
        return;
    tile->hide();
    m_widget_item_map.erase(tile);
    row_item->tile = nullptr;
    m_free_tiles << tile;
}

void SiteListWidget::layoutTiles()
{
    const QRect sight = viewport()->rect();
    for (int row = 0; row < count(); ++row) {
        SiteListRowItem* row_item = rowItem(row);
        if (!row_item)
            continue;
        const QRect place = row_item->isHidden() ? QRect() : visualItemRect(row_item);
        if (!place.isValid() || !place.intersects(sight)) {
            releaseTile(row_item);
            continue;
        }
        if (!row_item->tile) {
            SiteListIconWidget* tile = m_free_tiles.isEmpty() ? new SiteListIconWidget(SiteFileInfo(), viewport())
                                                              : m_free_tiles.takeLast();
            setSiteItemWidget(row_item, tile);
            tile->setInfo(row_item->shown);
            setCutLook(tile, m_cut_rows.contains(row));
        }
        row_item->tile->move(place.topLeft());
        row_item->tile->show();
    }
    if (m_editing)
        m_editor->raise();
}

void SiteListWidget::slotCheckMisMove()
{
    // A tile belongs at the top-left corner of its row's place.
    auto* tile = qobject_cast<SiteListIconWidget*>(sender());
    auto found = m_widget_item_map.find(tile);
    if (!tile || found == m_widget_item_map.end())
        return;
    const QPoint place = visualItemRect(found->second).topLeft();
    if (tile->pos() != place)
        tile->move(place);
}

void SiteListWidget::doItemsLayout()
{
    QListWidget::doItemsLayout();
    layoutTiles();
}

void SiteListWidget::scrollContentsBy(int dx, int dy)
{
    QListWidget::scrollContentsBy(dx, dy);
    layoutTiles();
}

void SiteListWidget::updateGeometries()
{
    QListWidget::updateGeometries();
    layoutTiles();
}

void SiteListWidget::removeListRow(int row)
{
    delete takeItem(row);
    doItemsLayout();
}

void SiteListWidget::forgetRows(int first, int last)
{
    // Whoever takes a row out, its tile goes back to the pool and its
    // record goes with it: a later item may reuse the address.
    for (int row = first; row <= last; ++row) {
        QListWidgetItem* key = item(row);
        if (SiteListRowItem* row_item = rowItem(row))
            releaseTile(row_item);
        m_item_infos.remove(key);
        if (m_edit_item == key)
            m_edit_item = nullptr;
        if (m_pending_mkdir_item == key)
            m_pending_mkdir_item = nullptr;
    }
}

// ---- selection and double-click -----------------------------------------------

void SiteListWidget::updateSelection()
{
    SiteSelectedInfo info;
    info.view_mode = VM_LIST;
    for (const QModelIndex& index : selectionModel()->selectedRows(0)) {
        QListWidgetItem* it = item(index.row());
        if (!it || it->isHidden())
            continue;
        const SiteItemInfo record = m_item_infos.value(it);
        if (record.getName().isEmpty())
            continue;  // a spare or not yet drawn row: never report ""
        NodeInfo node;
        node.name = record.getName();
        node.type = record.isDir() ? FT_DIR : FT_FILE;
        info.children.push_back(node);
    }
    info.parent = m_data->m_current_path;
    info.index_list = selectedIndexes();
    emit sigSelectionChanged(info);
}

void SiteListWidget::slotSelectionChanged(const QItemSelection&, const QItemSelection&) { updateSelection(); }

void SiteListWidget::focusInEvent(QFocusEvent* event)
{
    updateSelection();
    QListWidget::focusInEvent(event);
}

void SiteListWidget::mousePressEvent(QMouseEvent* event)
{
    // A right click on empty space is about the folder, not about what was
    // selected before: the menu that follows must not offer to delete that.
    if (event->button() == Qt::RightButton && !indexAt(event->pos()).isValid())
        clearSelection();
    QListWidget::mousePressEvent(event);
}

void SiteListWidget::slotItemDoubleClicked(QListWidgetItem* item)
{
    if (!item || item->isHidden() || !m_item_infos.contains(item))
        return;
    emit sigItemDoubleClicked(m_item_infos.value(item));
}

// ---- cut marks ------------------------------------------------------------------

void SiteListWidget::updateOpacityEffect()
{
    const QSet<int> was_cut = m_cut_rows;
    m_cut_rows = siteviews::currentCutRows(m_data->m_current_path, m_cut_index_list);
    for (int row : was_cut + m_cut_rows)
        if (SiteListIconWidget* tile = tileOfRow(row))
            setCutLook(tile, m_cut_rows.contains(row));
}

void SiteListWidget::slotUpdateCutStatus() { updateOpacityEffect(); }

// ---- pending operations, focus, renames -------------------------------------------

void SiteListWidget::slotAssignEventId(unsigned int id)
{
    siteviews::markEventRecords(m_item_infos, m_pending_mkdir_item, id, m_data->m_current_path);
}

void SiteListWidget::slotClearItemEventId(unsigned int id) { siteviews::clearEventRecords(m_item_infos, id); }

void SiteListWidget::slotRemoveItemWithEventId(unsigned int id)
{
    if (id == 0)
        return;
    int row = 0;
    while (row < count()) {
        auto found = m_item_infos.constFind(item(row));
        if (found != m_item_infos.cend() && found.value().getEventId() == id) {
            removeListRow(row);
            continue;
        }
        ++row;
    }
}

void SiteListWidget::slotFocusListItem(QString name)
{
    for (int row = 0; row < count(); ++row) {
        QListWidgetItem* it = item(row);
        if (!it->isHidden() && m_item_infos.contains(it) && m_item_infos.value(it).getName() == name)
            setCurrentItem(it);
    }
}

void SiteListWidget::slotUpdateItem(QString parent, QString old_name, QString new_name)
{
    if (parent != m_data->m_current_path)
        return;
    const bool blocked = blockSignals(true);
    for (int row = 0; row < count(); ++row) {
        auto found = m_item_infos.find(item(row));
        if (found == m_item_infos.end() || found.value().getName() != old_name)
            continue;
        found.value().setName(new_name);
        if (SiteListRowItem* row_item = rowItem(row)) {
            row_item->shown.name = new_name;
            if (row_item->tile)
                row_item->tile->setName(new_name);
        }
        break;
    }
    blockSignals(blocked);
}

void SiteListWidget::slotChangeSiteName()
{
    if (m_data->m_current_path.isEmpty())
        refreshView();
}

void SiteListWidget::slotCleanDragStyle() { m_dnd->slotCleanDragStyle(); }

// ---- in-place editing -------------------------------------------------------------

void SiteListWidget::placeEditor(QListWidgetItem* item)
{
    // Below the icon, over the name.
    scrollToItem(item);
    doItemsLayout();
    const double dpi = DPIinfo::getInstance()->getDPI();
    m_editor->move(visualItemRect(item).topLeft() + QPoint(qRound(0 * dpi), qRound(72 * dpi)));
}

void SiteListWidget::slotStartRename()
{
    if (!UserActionCache::getInstance()->needCatchAction(m_data->m_peer_id, VM_LIST) || m_editing)
        return;
    // The item the pane will rename is the one selected item, which after
    // a Ctrl-click need not be the current one.
    QList<QListWidgetItem*> selected;
    for (QListWidgetItem* it : selectedItems())
        if (!it->isHidden() && m_item_infos.contains(it))
            selected << it;
    if (selected.size() != 1)
        return;
    m_edit_item = selected.first();
    setCurrentItem(m_edit_item, QItemSelectionModel::NoUpdate);
    m_is_create = false;
    m_editing = true;
    emit sigBlockKeyPress(true);
    m_editor->setText(m_item_infos.value(m_edit_item).getName());
    m_editor->startEdit();
    placeEditor(m_edit_item);
}

void SiteListWidget::slotStartMkdir()
{
    if (!UserActionCache::getInstance()->needCatchAction(m_data->m_peer_id, VM_LIST) || m_editing)
        return;
    SiteFileInfo info;
    info.name = QStringLiteral("New Folder");
    info.is_dir = true;
    info.mtime = QDateTime::currentDateTime();
    SiteListRowItem* row_item = appendRow(info);
    row_item->drawn = true;
    SiteItemInfo record(info.name);
    record.setIsDir(true);
    m_item_infos.insert(row_item, record);
    setCurrentItem(row_item);
    m_is_create = true;
    m_edit_item = row_item;
    m_editing = true;
    emit sigBlockKeyPress(true);
    m_editor->setText(info.name);
    m_editor->startEdit();
    placeEditor(row_item);
}

void SiteListWidget::slotEndEdit(QString text, bool esc)
{
    if (!m_editing)
        return;
    m_editing = false;
    emit sigBlockKeyPress(false);
    // The focus goes back to the view, not to whatever follows the editor.
    if (m_editor->hasFocus())
        setFocus(Qt::OtherFocusReason);
    m_editor->stopEdit();
    if (!m_edit_item || !m_item_infos.contains(m_edit_item))
        return;
    const bool refused = !esc && !siteviews::isAcceptableNewName(text);
    if (esc || refused) {
        if (m_is_create)
            removeListRow(row(m_edit_item));
        return;
    }
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
