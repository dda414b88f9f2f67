#include "site-list-widget.h"

#include <QPixmap>

#include "event-manager.h"
#include "global-connecter.h"
#include "vexo-line-editor.h"
#include <QDateTime>
#include "file-type-icon.h"
#include "site-connecter.h"
#include "site-display.h"
#include "site-entry-view-dnd.h"
#include "site-path.h"
#include "site-table-cells.h"
#include "site-view-names.h"
#include "style_manager.h"
#include "tool_tip.h"

SiteListWidget::SiteListWidget(SiteConnecter* connecter, SiteData* data, QWidget* parent)
    : QListWidget(parent), m_connecter(connecter), m_data(data)
{
    setViewMode(QListView::IconMode);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setWrapping(true);
    setWordWrap(true);
    setUniformItemSizes(true);
    setIconSize(QSize(scaledPixels(64), scaledPixels(64)));
    setGridSize(QSize(scaledPixels(100), scaledPixels(110)));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setStyleSheet(getStyleSheet("component.scrollbar", false));

    m_editor = new VexoLineEditor(QString(), viewport());
    m_editor->hide();
    connect(m_editor, &VexoLineEditor::sigEndEdit, this, &SiteListWidget::slotEndEdit);
    connect(this, &SiteListWidget::sigBlockKeyPress, GlobalConnecter::getInstance(), &GlobalConnecter::sigBlockKeyPress);
    connect(this, &SiteListWidget::sigMkdirDone, connecter, &SiteConnecter::sigMkdirDone);
    connect(this, &SiteListWidget::sigRenameDone, connecter, &SiteConnecter::sigRenameDone);
    connect(connecter, &SiteConnecter::sigStartRename, this, &SiteListWidget::slotStartRename);
    connect(connecter, &SiteConnecter::sigStartMkdir, this, &SiteListWidget::slotStartMkdir);
    connect(this, &SiteListWidget::sigSelectionChanged, connecter, &SiteConnecter::sigSelectionChanged);
    connect(this, &SiteListWidget::sigItemDoubleClicked, connecter, &SiteConnecter::sigItemDoubleClicked);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { updateSelection(); });
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* it) { emit sigItemDoubleClicked(m_item_infos.value(it)); });
    connect(connecter, &SiteConnecter::sigRefreshDetailView, this, &SiteListWidget::slotRefreshView);
    connect(connecter, &SiteConnecter::sigAssignEventId, this, &SiteListWidget::slotAssignEventId);
    connect(connecter, &SiteConnecter::sigClearItemEventId, this, &SiteListWidget::slotClearItemEventId);
    connect(connecter, &SiteConnecter::sigRemoveItemWithEventId, this, &SiteListWidget::slotRemoveItemWithEventId);
    connect(connecter, &SiteConnecter::sigFocusListItem, this, &SiteListWidget::slotFocusListItem);
    connect(connecter, &SiteConnecter::sigUpdateItem, this, &SiteListWidget::slotUpdateItem);
    connect(connecter, &SiteConnecter::sigChangeSiteName, this, &SiteListWidget::slotChangeSiteName);
    connect(this, &SiteListWidget::sigEventAdded, GlobalConnecter::getInstance(), &GlobalConnecter::sigEventAdded);
    connect(this, &SiteListWidget::sigTransferTaskAdded, GlobalConnecter::getInstance(),
            &GlobalConnecter::sigTransferTaskAdded);
    m_dnd = new SiteListDnd(this, connecter, data);
}

void SiteListWidget::slotCleanDragStyle() { m_dnd->slotCleanDragStyle(); }

void SiteListWidget::slotCheckMisMove()
{
    if (auto* widget = qobject_cast<QWidget*>(sender()))
        m_dnd->checkMisMove(widget);
}

void SiteListWidget::slotRefreshView()
{
    const SiteFileList& page = m_data->m_filtered_files[m_data->m_current_path];
    m_item_infos.clear();
    m_pending_mkdir_item = nullptr;
    bool changed = false;
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    for (int i = 0; i < page.size(); ++i) {
        const SiteFileInfo& entry = page.at(i);
        const QString shown = siteviews::shownName(entry.name, entry.is_root, m_data->m_site_name);
        QListWidgetItem* it = item(i);
        if (!it) {
            it = new QListWidgetItem(this);
        } else {
            changed = changed || it->text() != shown;
            it->setHidden(false);
        }
        QString type;
        QPixmap pixmap;
        getFileTypeIcon(shown, entry.is_dir, false, true, type, pixmap);
        it->setIcon(QIcon(pixmap));
        it->setText(shown);  // item texts are never markup
        it->setToolTip(getHtmlEscapedStringForToolTip(siteEntryToolTipText(entry)));
        it->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
        SiteItemInfo record(entry.name);
        record.setIsDir(entry.is_dir);
        record.setIsRoot(entry.is_root);
        record.setIsSharedFolder(entry.is_shared_folder);
        m_item_infos.insert(it, record);
    }
    for (int i = page.size(); i < count(); ++i) {
        QListWidgetItem* it = item(i);
        // Hidden spare items leave the selection (Ctrl+A must not reach them).
        it->setSelected(false);
        it->setHidden(true);
        it->setFlags(Qt::NoItemFlags);
    }
    setUpdatesEnabled(updates);
    if (changed)
        clearSelection();
}

void SiteListWidget::updateSelection()
{
    SiteSelectedInfo info;
    info.view_mode = VM_LIST;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        QListWidgetItem* it = item(index.row());
        if (!it || it->isHidden() || !m_item_infos.contains(it))
            continue;
        const SiteItemInfo& record = m_item_infos[it];
        if (record.getName().isEmpty())
            continue;
        NodeInfo node;
        node.name = record.getName();
        node.type = record.isDir() ? FT_DIR : FT_FILE;
        info.children.push_back(node);
    }
    info.parent = m_data->m_current_path;
    info.index_list = selectedIndexes();
    emit sigSelectionChanged(info);
}

void SiteListWidget::focusInEvent(QFocusEvent* event)
{
    updateSelection();
    QListWidget::focusInEvent(event);
}

void SiteListWidget::slotAssignEventId(unsigned int id)
{
    Event event;
    if (EventManager::getInstance()->getEvent(id, event) < 0)
        return;
    if (event.type == EV_MKDIR) {
        // Only the pending item: an item of the same name stays.
        if (m_pending_mkdir_item && m_item_infos.contains(m_pending_mkdir_item))
            m_item_infos[m_pending_mkdir_item].setEventId(id);
        m_pending_mkdir_item = nullptr;
        return;
    }
    if (combineIdPath(event.peer_id, event.parent) != m_data->m_current_path)
        return;
    for (const std::string& raw : event.names)
        for (auto it = m_item_infos.begin(); it != m_item_infos.end(); ++it)
            if (it.value().getName() == QString::fromStdString(raw))
                it.value().setEventId(id);
}

void SiteListWidget::slotClearItemEventId(unsigned int id)
{
    for (auto it = m_item_infos.begin(); it != m_item_infos.end(); ++it)
        if (it.value().getEventId() == id)
            it.value().setEventId(0);
}

void SiteListWidget::slotRemoveItemWithEventId(unsigned int id)
{
    if (id == 0)
        return;
    for (int row = count() - 1; row >= 0; --row) {
        QListWidgetItem* it = item(row);
        auto found = m_item_infos.find(it);
        if (found != m_item_infos.end() && found.value().getEventId() == id) {
            m_item_infos.erase(found);
            if (it == m_edit_item)
                m_edit_item = nullptr;
            delete takeItem(row);
        }
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
    for (int row = 0; row < count(); ++row) {
        QListWidgetItem* it = item(row);
        auto found = m_item_infos.find(it);
        if (found == m_item_infos.end() || found.value().getName() != old_name)
            continue;
        found.value().setName(new_name);
        it->setText(new_name);
        break;
    }
}

void SiteListWidget::slotChangeSiteName()
{
    if (m_data->m_current_path.isEmpty())
        slotRefreshView();
}

void SiteListWidget::slotStartRename()
{
    if (!UserActionCache::getInstance()->needCatchAction(m_data->m_peer_id, VM_LIST) || m_editing)
        return;
    QList<QListWidgetItem*> selected;
    for (QListWidgetItem* it : selectedItems())
        if (!it->isHidden())
            selected << it;
    if (selected.size() != 1 || !m_item_infos.contains(selected.first()))
        return;
    m_edit_item = selected.first();
    setCurrentItem(m_edit_item, QItemSelectionModel::NoUpdate);
    m_is_create = false;
    m_editing = true;
    emit sigBlockKeyPress(true);
    m_editor->setText(m_item_infos.value(m_edit_item).getName());
    m_editor->startEdit();
    m_editor->move(visualItemRect(m_edit_item).bottomLeft());
}

void SiteListWidget::slotStartMkdir()
{
    if (!UserActionCache::getInstance()->needCatchAction(m_data->m_peer_id, VM_LIST) || m_editing)
        return;
    const QString name = QStringLiteral("New Folder");
    auto* it = new QListWidgetItem(this);
    QString type;
    QPixmap pixmap;
    getFileTypeIcon(name, true, false, true, type, pixmap);
    it->setIcon(QIcon(pixmap));
    it->setText(name);
    it->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    SiteItemInfo record(name);
    record.setIsDir(true);
    m_item_infos.insert(it, record);
    setCurrentItem(it);
    scrollToItem(it);
    m_edit_item = it;
    m_is_create = true;
    m_editing = true;
    emit sigBlockKeyPress(true);
    m_editor->setText(name);
    m_editor->startEdit();
    m_editor->move(visualItemRect(it).bottomLeft());
}

void SiteListWidget::slotEndEdit(QString text, bool esc)
{
    if (!m_editing)
        return;
    m_editing = false;
    emit sigBlockKeyPress(false);
    if (m_editor->hasFocus())
        setFocus(Qt::OtherFocusReason);
    m_editor->stopEdit();
    const bool refused = !esc && !siteviews::isAcceptableNewName(text);
    if (!m_edit_item || !m_item_infos.contains(m_edit_item))
        return;
    if (esc || refused) {
        if (m_is_create) {
            m_item_infos.remove(m_edit_item);
            delete takeItem(row(m_edit_item));
            m_edit_item = nullptr;
        }
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
