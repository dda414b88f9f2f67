#include "site-tree-widget.h"

#include <QHash>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>

#include "event-manager.h"
#include "global-connecter.h"
#include "site-connecter.h"
#include "site-context-menu.h"
#include "site-entry-name.h"
#include "site-path.h"
#include "site-tree-dnd.h"
#include "site-view-names.h"
#include "str_table.h"
#include "style_manager.h"

namespace {
// Where a path part may split: the computer's names may hold "\\" on Linux.
QRegularExpression separatorsFor(const QString& id)
{
    static const QRegularExpression kSlash(QStringLiteral("/"));
    static const QRegularExpression kBoth(QStringLiteral("[/\\\\]"));
    return id == QLatin1String("0") ? kSlash : kBoth;
}

QString parentPart(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.left(slash);
}

QString lastPart(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}
}  // namespace

SiteTreeWidget::SiteTreeWidget(SiteConnecter* connecter, SiteData* data, SiteContextMenu* menu, QWidget* parent)
    : VexoTreeWidget(parent), m_connecter(connecter), m_data(data), m_menu(menu)
{
    setAutoScroll(false);
    setHeaderHidden(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setStyleSheet(getStyleSheet("site_tree_widget", false) + getStyleSheet("component.scrollbar", false));
    setBackgroundColor(QColor(QStringLiteral("#2A588C")), QColor(QStringLiteral("#EDF5FF")));
    setContextMenuPolicy(Qt::CustomContextMenu);
    m_delegate = new ItemDelegate(this);
    setItemDelegate(m_delegate);
    setAcceptDrops(true);

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &QTreeWidget::currentItemChanged, this, &SiteTreeWidget::slotSelectionChanged);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &SiteTreeWidget::slotSelectionChanged);
    connect(this, &QTreeWidget::itemExpanded, this, &SiteTreeWidget::slotItemExpanded);
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this, &SiteTreeWidget::slotItemEndEdit);
    connect(this, &SiteTreeWidget::sigCurrentPathChanged, connecter, &SiteConnecter::sigCurrentPathChanged);
    connect(this, &SiteTreeWidget::sigQueryPath, connecter, &SiteConnecter::sigQueryPath);
    connect(this, &SiteTreeWidget::sigSelectionChanged, connecter, &SiteConnecter::sigSelectionChanged);
    connect(this, &SiteTreeWidget::sigBlockKeyPress, hub, &GlobalConnecter::sigBlockKeyPress);
    connect(this, &SiteTreeWidget::sigRenameDone, connecter, &SiteConnecter::sigRenameDone);
    connect(this, &SiteTreeWidget::sigMkdirDone, connecter, &SiteConnecter::sigMkdirDone);
    connect(connecter, &SiteConnecter::sigQueryPathDone, this, &SiteTreeWidget::slotQueryPathDone);
    connect(connecter, &SiteConnecter::sigUpdateCurrentPath, this, &SiteTreeWidget::slotUpdateCurrentPath);
    connect(connecter, &SiteConnecter::sigAssignEventId, this, &SiteTreeWidget::slotAssignEventId);
    connect(connecter, &SiteConnecter::sigClearItemEventId, this, &SiteTreeWidget::slotClearItemEventId);
    connect(connecter, &SiteConnecter::sigRemoveItemWithEventId, this, &SiteTreeWidget::slotRemoveItemWithEventId);
    connect(connecter, &SiteConnecter::sigChangeSiteName, this, &SiteTreeWidget::slotChangeSiteName);
    connect(connecter, &SiteConnecter::sigStartRename, this, &SiteTreeWidget::slotStartRename);
    connect(connecter, &SiteConnecter::sigStartMkdir, this, &SiteTreeWidget::slotStartMkdir);
    connect(connecter, &SiteConnecter::sigUpdateSubTreePaths, this, &SiteTreeWidget::slotUpdateSubTreePaths);
    connect(this, &SiteTreeWidget::sigEventAdded, hub, &GlobalConnecter::sigEventAdded);
    connect(this, &SiteTreeWidget::sigTransferTaskAdded, hub, &GlobalConnecter::sigTransferTaskAdded);
    connect(this, &QWidget::customContextMenuRequested, this, &SiteTreeWidget::slotCustomContextMenuRequested);
    m_dnd = new SiteTreeDnd(this, data);
}

SiteTreeWidget::~SiteTreeWidget()
{
    // The items go with the base class; nothing may report while they do.
    blockSignals(true);
}

// ---- finding ---------------------------------------------------------------------

QTreeWidgetItem* SiteTreeWidget::findTopLevelItemByName(const QString& name) const
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (m_item_infos.value(topLevelItem(i)).getName() == name)
            return topLevelItem(i);
    return nullptr;
}

QTreeWidgetItem* SiteTreeWidget::findChildItemByName(QTreeWidgetItem* parent, const QString& name) const
{
    if (!parent)
        return nullptr;
    for (int i = 0; i < parent->childCount(); ++i)
        if (m_item_infos.value(parent->child(i)).getName() == name)
            return parent->child(i);
    return nullptr;
}

QTreeWidgetItem* SiteTreeWidget::findItemByPath(const QString& id_path, bool check) const
{
    QString id, path;
    splitIdPath(id_path, id, path);
    if (id.isEmpty())
        return nullptr;
    QTreeWidgetItem* item = findTopLevelItemByName(id);
    if (!item)
        return nullptr;
    const QRegularExpression separators = separatorsFor(id);
    QString rest = path;
    if (!rest.isEmpty()) {
        // The first level may hold names with separators of their own (the
        // computer's "/" and its home folder by absolute path): take the
        // child whose name is the longest leading part on a boundary.
        QTreeWidgetItem* best = nullptr;
        int best_len = -1;
        for (int i = 0; i < item->childCount(); ++i) {
            const QString name = m_item_infos.value(item->child(i)).getName();
            if (name.isEmpty() || name.size() <= best_len || !rest.startsWith(name))
                continue;
            const bool boundary = rest.size() == name.size() || separators.match(rest.mid(name.size(), 1)).hasMatch() ||
                                  separators.match(name.right(1)).hasMatch();
            if (boundary) {
                best = item->child(i);
                best_len = name.size();
            }
        }
        if (!best)
            return nullptr;
        item = best;
        rest = rest.mid(best_len);
        for (const QString& part : rest.split(separators)) {
            if (part.isEmpty())
                continue;
            item = findChildItemByName(item, part);
            if (!item)
                return nullptr;
        }
    }
    if (check && m_item_infos.value(item).getPath() != id_path)
        return nullptr;
    return item;
}

// ---- merging ---------------------------------------------------------------------

void SiteTreeWidget::slotItemExpanded(QTreeWidgetItem* item)
{
    emit sigQueryPath(m_item_infos.value(item).getPath(), false);
}

void SiteTreeWidget::slotQueryPathDone(QString path)
{
    const SiteFileList list = m_data->m_file_cache[path];
    if (path.isEmpty())
        insertTreeTopLevelItems(list);
    else if (QTreeWidgetItem* item = findItemByPath(path, false))
        insertSubItems(item, list);
}

void SiteTreeWidget::insertTreeTopLevelItems(SiteFileList list)
{
    removeUnexistTopLevelItem(list);
    for (const SiteFileInfo& entry : list) {
        if (!entry.is_dir || entry.name.isEmpty() || findTopLevelItemByName(entry.name))
            continue;
        auto* item = new QTreeWidgetItem;
        item->setText(0, siteviews::shownName(entry.name, entry.is_root, m_data->m_site_name));
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        addTopLevelItem(item);
        SiteItemInfo record(entry.name);
        record.setPath(entry.name + QLatin1Char(':'));
        record.setIsDir(true);
        record.setIsRoot(true);
        m_item_infos.insert(item, record);
    }
}

void SiteTreeWidget::insertSubItems(QTreeWidgetItem* parent, SiteFileList list)
{
    if (!parent)
        return;
    removeUnexistChildren(parent, list);
    const SiteItemInfo parent_record = m_item_infos.value(parent);
    // One pass over the children, one over the listing, one batch insert.
    QSet<QString> present;
    present.reserve(parent->childCount());
    for (int i = 0; i < parent->childCount(); ++i)
        present.insert(m_item_infos.value(parent->child(i)).getName());
    QList<QTreeWidgetItem*> added;
    for (const SiteFileInfo& entry : list) {
        if (!entry.is_dir || entry.name.isEmpty() || present.contains(entry.name))
            continue;
        // Below a site's first level a name must be one item of its folder.
        if (!parent_record.isRoot() && !isPlainEntryName(entry.name.toStdString()))
            continue;
        present.insert(entry.name);
        const QString path = parent_record.isRoot() ? parent_record.getPath() + entry.name
                                                    : combinePath(parent_record.getPath(), entry.name);
        auto* item = new QTreeWidgetItem;
        item->setText(0, entry.name);
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        SiteItemInfo record(entry.name);
        record.setPath(path);
        record.setIsDir(true);
        m_item_infos.insert(item, record);
        added << item;
    }
    if (!added.isEmpty())
        parent->addChildren(added);
    // Listed now: the arrow shows only while there are sub-folders to open.
    parent->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    resizeColumnToContents(0);
}

void SiteTreeWidget::removeUnexistChildren(QTreeWidgetItem* parent, const SiteFileList& list)
{
    QSet<QString> names;
    names.reserve(list.size());
    for (const SiteFileInfo& entry : list)
        names.insert(entry.name);
    int i = 0;
    while (i < parent->childCount()) {
        QTreeWidgetItem* child = parent->child(i);
        if (names.contains(m_item_infos.value(child).getName())) {
            ++i;
            continue;
        }
        if (currentItem() && isInSubtree(currentItem(), child))
            setCurrentItem(parent);
        destroyItem(child);
    }
}

void SiteTreeWidget::removeUnexistTopLevelItem(const SiteFileList& list)
{
    QSet<QString> names;
    for (const SiteFileInfo& entry : list)
        names.insert(entry.name);
    int i = 0;
    while (i < topLevelItemCount()) {
        QTreeWidgetItem* item = topLevelItem(i);
        if (names.contains(m_item_infos.value(item).getName())) {
            ++i;
            continue;
        }
        destroyItem(item);
    }
}

bool SiteTreeWidget::isInSubtree(QTreeWidgetItem* item, QTreeWidgetItem* root) const
{
    for (QTreeWidgetItem* it = item; it; it = it->parent())
        if (it == root)
            return true;
    return false;
}

void SiteTreeWidget::forgetSubtree(QTreeWidgetItem* item)
{
    for (int i = 0; i < item->childCount(); ++i)
        forgetSubtree(item->child(i));
    m_item_infos.remove(item);
    if (item == m_edit_item)
        m_edit_item = nullptr;
    if (item == m_pending_mkdir_item)
        m_pending_mkdir_item = nullptr;
}

void SiteTreeWidget::destroyItem(QTreeWidgetItem* item)
{
    forgetSubtree(item);
    if (QTreeWidgetItem* parent = item->parent())
        parent->removeChild(item);
    else
        takeTopLevelItem(indexOfTopLevelItem(item));
    delete item;
}

// ---- current path and selection ----------------------------------------------------

void SiteTreeWidget::focusTreeItem(const QString& id_path, QAbstractItemView::ScrollHint hint)
{
    QTreeWidgetItem* item = findItemByPath(id_path, false);
    if (!item)
        return;
    blockSignals(true);
    setCurrentItem(item);
    item->setExpanded(true);
    const int h = horizontalScrollBar()->value();
    scrollToItem(item, hint);
    horizontalScrollBar()->setValue(h);
    updateScrollArea(item);
    blockSignals(false);
}

void SiteTreeWidget::slotUpdateCurrentPath(QString path) { focusTreeItem(path, QAbstractItemView::EnsureVisible); }

void SiteTreeWidget::moveItems(QTreeWidgetItem* item, const QString& new_path)
{
    if (!item || !item->parent())
        return;
    QTreeWidgetItem* destination = findItemByPath(parentPart(new_path), false);
    if (!destination || isInSubtree(destination, item))
        return;
    item->parent()->removeChild(item);
    destination->insertChild(0, item);
    destination->setExpanded(true);
}

void SiteTreeWidget::updateSelection()
{
    QTreeWidgetItem* item = currentItem();
    if (!item || !item->isSelected() || !m_item_infos.contains(item))
        return;
    const SiteItemInfo record = m_item_infos.value(item);
    emit sigCurrentPathChanged(record.getPath());
    SiteSelectedInfo info;
    info.view_mode = VM_TREE;
    info.parent = item->parent() ? m_item_infos.value(item->parent()).getPath() : QString();
    info.children.push_back(NodeInfo{record.getName(), record.isDir() ? FT_DIR : FT_FILE});
    emit sigSelectionChanged(info);
}

void SiteTreeWidget::slotSelectionChanged()
{
    updateSelection();
    if (QTreeWidgetItem* item = currentItem()) {
        scrollToItem(item, QAbstractItemView::EnsureVisible);
        updateScrollArea(item);
    }
}

void SiteTreeWidget::focusInEvent(QFocusEvent* event)
{
    updateSelection();
    VexoTreeWidget::focusInEvent(event);
}

void SiteTreeWidget::slotCustomContextMenuRequested(QPoint p)
{
    uint64_t peer = 0;
    SiteSelectedInfo info;
    UserActionCache::getInstance()->getSelectedInfo(peer, info);
    if (info.view_mode != VM_TREE) {
        updateSelection();
        UserActionCache::getInstance()->getSelectedInfo(peer, info);
    }
    if (info.parent.isEmpty())
        return;
    static const QRegularExpression kPeerTop(QStringLiteral("^[0-9]+:$"));
    const SiteMenuType type = kPeerTop.match(info.parent).hasMatch() ? MENU_BACKGROUND : MENU_SINGLE_SELECTION;
    if (m_menu) {
        m_menu->changeMenuType(type);
        m_menu->popup(mapToGlobal(p));
    }
}

void SiteTreeWidget::slotChangeSiteName()
{
    if (topLevelItemCount() > 0)
        topLevelItem(0)->setText(0, m_data->m_site_name);
}

void SiteTreeWidget::slotCleanDragStyle() { m_dnd->slotCleanDragStyle(); }

// ---- pending operations and path updates ----------------------------------------------

void SiteTreeWidget::slotAssignEventId(unsigned int id)
{
    Event event;
    if (EventManager::getInstance()->getEvent(id, event) < 0)
        return;
    if (event.type == EV_MKDIR) {
        // Only the new item: a folder that already bears the name stays.
        if (m_pending_mkdir_item && m_item_infos.contains(m_pending_mkdir_item))
            m_item_infos[m_pending_mkdir_item].setEventId(id);
        m_pending_mkdir_item = nullptr;
        return;
    }
    for (const std::string& raw : event.paths) {
        const QString path = combineIdPath(event.peer_id, raw);
        for (auto it = m_item_infos.begin(); it != m_item_infos.end(); ++it)
            if (it.value().getPath() == path)
                it.value().setEventId(id);
    }
}

void SiteTreeWidget::slotClearItemEventId(unsigned int id)
{
    for (auto it = m_item_infos.begin(); it != m_item_infos.end(); ++it)
        if (it.value().getEventId() == id)
            it.value().setEventId(0);
}

void SiteTreeWidget::slotRemoveItemWithEventId(unsigned int id)
{
    if (id == 0)
        return;
    QList<QTreeWidgetItem*> marked;
    for (auto it = m_item_infos.begin(); it != m_item_infos.end(); ++it)
        if (it.value().getEventId() == id)
            marked << it.key();
    for (QTreeWidgetItem* item : marked) {
        // An item destroyed with an earlier one has lost its record.
        if (m_item_infos.contains(item))
            destroyItem(item);
    }
}

void SiteTreeWidget::updateSubTreePaths(QTreeWidgetItem* item, const QString& new_name, const QString& new_path)
{
    auto found = m_item_infos.find(item);
    if (found == m_item_infos.end())
        return;
    const QString old_path = found.value().getPath();
    const SiteFileList listing = m_data->m_file_cache.value(old_path);
    m_data->m_file_cache.remove(old_path);
    m_data->m_file_cache.insert(new_path, listing);
    if (item->text(0) != lastPart(new_path)) {
        item->setText(0, new_name);
        found.value().setName(new_name);
    }
    found.value().setPath(new_path);
    for (int i = 0; i < item->childCount(); ++i) {
        const QString child_name = m_item_infos.value(item->child(i)).getName();
        updateSubTreePaths(item->child(i), child_name, combinePath(new_path, child_name));
    }
}

void SiteTreeWidget::slotUpdateSubTreePaths(QString old_path, QString new_name, QString new_path)
{
    QTreeWidgetItem* item = findItemByPath(old_path, false);
    if (!item)
        return;
    updateSubTreePaths(item, new_name, new_path);
    if (parentPart(old_path) == parentPart(new_path))
        return;
    if (item->text(0) == lastPart(new_path))
        moveItems(item, new_path);
}

// ---- in-place editing ----------------------------------------------------------------

void SiteTreeWidget::slotStartRename()
{
    if (!UserActionCache::getInstance()->needCatchAction(m_data->m_peer_id, VM_TREE))
        return;
    m_edit_item = currentItem();
    m_is_create = false;
    if (!m_edit_item)
        return;
    m_before_edit_text = m_edit_item->text(0);
    emit sigBlockKeyPress(true);
    blockSignals(true);
    m_edit_item->setFlags(m_edit_item->flags() | Qt::ItemIsEditable);
    editItem(m_edit_item, 0);
}

void SiteTreeWidget::slotStartMkdir()
{
    if (!UserActionCache::getInstance()->needCatchAction(m_data->m_peer_id, VM_TREE))
        return;
    QTreeWidgetItem* parent = currentItem();
    if (!parent || !m_item_infos.contains(parent))
        return;  // nothing to create the folder in
    auto* item = new QTreeWidgetItem;
    item->setText(0, QStringLiteral("New Folder"));
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    SiteItemInfo record(QStringLiteral("New Folder"));
    const SiteItemInfo parent_record = m_item_infos.value(parent);
    record.setPath(parent_record.isRoot() ? parent_record.getPath() + record.getName()
                                          : combinePath(parent_record.getPath(), record.getName()));
    record.setIsDir(true);
    m_item_infos.insert(item, record);
    parent->addChild(item);
    m_edit_item = item;
    m_is_create = true;
    emit sigBlockKeyPress(true);
    blockSignals(true);
    parent->setExpanded(true);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    scrollToItem(item, QAbstractItemView::EnsureVisible);
    editItem(item, 0);
}

void SiteTreeWidget::slotItemEndEdit(QWidget*, QAbstractItemDelegate::EndEditHint hint)
{
    blockSignals(false);
    emit sigBlockKeyPress(false);
    if (!m_edit_item)
        return;
    QTreeWidgetItem* item = m_edit_item;
    const QString text = item->text(0);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    const bool cancelled = hint == QAbstractItemDelegate::RevertModelCache;
    const bool refused = !siteviews::isAcceptableNewName(text);
    if (m_is_create) {
        if (cancelled || refused) {
            m_edit_item = nullptr;
            destroyItem(item);
            return;
        }
        m_item_infos[item].setName(text);
        m_pending_mkdir_item = item;
        emit sigMkdirDone(text);
        return;
    }
    if (cancelled || refused || text == m_before_edit_text) {
        item->setText(0, m_before_edit_text);
        return;
    }
    // The item shows the old name until the pane reports the result.
    item->setText(0, m_before_edit_text);
    emit sigRenameDone(text);
}
