#pragma once

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QMap>
#include <QPoint>

#include "site-data.h"
#include "site-item-info.h"
#include "user-action-cache.h"
#include "vexo_tree_widget.h"

class SiteConnecter;
class SiteContextMenu;
class SiteTreeDnd;

// The folder tree of a site pane: the site's folders and the computer's as
// one tree, filled lazily from the listings the pane stores. Each item has a
// record (name, id path, pending event) in m_item_infos; items carry only
// their text.
class SiteTreeWidget : public VexoTreeWidget {
    Q_OBJECT
public:
    SiteTreeWidget(SiteConnecter* connecter, SiteData* data, SiteContextMenu* menu, QWidget* parent = nullptr);
    ~SiteTreeWidget() override;

    QTreeWidgetItem* findTopLevelItemByName(const QString& name) const;
    QTreeWidgetItem* findChildItemByName(QTreeWidgetItem* parent, const QString& name) const;
    QTreeWidgetItem* findItemByPath(const QString& id_path, bool check) const;
    void focusTreeItem(const QString& id_path, QAbstractItemView::ScrollHint hint);
    void moveItems(QTreeWidgetItem* item, const QString& new_path);

    SiteItemInfo recordOf(QTreeWidgetItem* item) const { return m_item_infos.value(item); }
    int recordCount() const { return m_item_infos.size(); }

signals:
    void sigQueryPath(QString path, bool use_cache);
    void sigCurrentPathChanged(QString path);
    void sigSelectionChanged(SiteSelectedInfo info);
    void sigRenameDone(QString new_name);
    void sigMkdirDone(QString new_name);
    void sigBlockKeyPress(bool enable);
    void sigEventAdded(unsigned int id);
    void sigTransferTaskAdded(QString name, bool is_dir, bool multi);

public slots:
    void slotSelectionChanged();
    void slotItemExpanded(QTreeWidgetItem* item);
    void slotItemEndEdit(QWidget* editor, QAbstractItemDelegate::EndEditHint hint);
    void slotCustomContextMenuRequested(QPoint p);
    void slotQueryPathDone(QString path);
    void slotUpdateCurrentPath(QString path);
    void slotAssignEventId(unsigned int id);
    void slotClearItemEventId(unsigned int id);
    void slotRemoveItemWithEventId(unsigned int id);
    void slotChangeSiteName();
    void slotStartRename();
    void slotStartMkdir();
    void slotUpdateSubTreePaths(QString old_path, QString new_name, QString new_path);
    void slotCleanDragStyle();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void insertTreeTopLevelItems(SiteFileList list);
    void insertSubItems(QTreeWidgetItem* parent, SiteFileList list);
    void removeUnexistTopLevelItem(const SiteFileList& list);
    void removeUnexistChildren(QTreeWidgetItem* parent, const SiteFileList& list);
    void updateSelection();
    void updateSubTreePaths(QTreeWidgetItem* item, const QString& new_name, const QString& new_path);
    // Takes the item out of the tree, destroys it with its subtree and drops
    // their records.
    void destroyItem(QTreeWidgetItem* item);
    void forgetSubtree(QTreeWidgetItem* item);
    bool isInSubtree(QTreeWidgetItem* item, QTreeWidgetItem* root) const;

    SiteConnecter* m_connecter;
    SiteData* m_data;
    SiteContextMenu* m_menu;
    SiteTreeDnd* m_dnd = nullptr;  // drops and the drop-target highlight
    QString m_before_edit_text;
    bool m_is_create = false;
    QTreeWidgetItem* m_edit_item = nullptr;
    QMap<QTreeWidgetItem*, SiteItemInfo> m_item_infos;
    ItemDelegate* m_delegate = nullptr;
    // The new folder whose name was sent and whose event has not come yet:
    // the only item a new-folder event marks.
    QTreeWidgetItem* m_pending_mkdir_item = nullptr;
};
