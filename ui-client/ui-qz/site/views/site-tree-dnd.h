#pragma once

#include "site-view-dnd.h"

class QTreeWidgetItem;
class SiteTreeWidget;

// The folder tree takes drops but starts no drag: inner drops move into the
// item's folder or, between the computer and a server, transfer; drops from
// the file manager copy into it. The highlight is column 0's background.
class SiteTreeDnd : public SiteViewDnd {
    Q_OBJECT
public:
    SiteTreeDnd(SiteTreeWidget* view, SiteData* data);

protected:
    SiteItemInfo recordOf(const QModelIndex& index) const override;
    void paintTarget(const QModelIndex& index, bool on) override;
    DragVerdict decide(bool inner, const DragTarget& target) const override;
    void dropInner(const DragTarget& target) override;
    void dropUrls(const QList<QUrl>& urls, const DragTarget& target, DragVerdict verdict) override;

private:
    QTreeWidgetItem* itemOf(const QModelIndex& index) const;

    SiteTreeWidget* m_tree;
};
