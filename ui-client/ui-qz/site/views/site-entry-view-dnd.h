#pragma once

#include <QList>
#include <QPointer>

#include "site-view-dnd.h"

class QListWidget;
class QTableWidget;
class SiteConnecter;
class SiteListWidget;
class SiteTableWidget;

// The drag and drop shared by the details view and the icon view: inner
// drops move into a folder of the folder on show, drops from the file
// manager copy into that folder or into the current one. Their highlight
// goes when the views redraw their page.
class SiteEntryViewDnd : public SiteViewDnd {
    Q_OBJECT
public:
    SiteEntryViewDnd(QAbstractItemView* view, SiteConnecter* connecter, SiteData* data);

protected:
    DragVerdict decide(bool inner, const DragTarget& target) const override;
    void dropInner(const DragTarget& target) override;
    void dropUrls(const QList<QUrl>& urls, const DragTarget& target, DragVerdict verdict) override;
    // Styles the widgets that show the target (cells, tiles). Rows hand
    // their widgets to other rows as the view scrolls or redraws: taking the
    // highlight off reaches every widget painted, wherever it went.
    void paintWidgets(const QList<QWidget*>& widgets, bool on);

private:
    QList<QPointer<QWidget>> m_painted;
};

// Details view: a move over a selected row that may be dragged starts the
// drag; the highlight is the style of the row's cell widgets.
class SiteTableDnd : public SiteEntryViewDnd {
    Q_OBJECT
public:
    SiteTableDnd(SiteTableWidget* view, SiteConnecter* connecter, SiteData* data);

protected:
    SiteItemInfo recordOf(const QModelIndex& index) const override;
    void paintTarget(const QModelIndex& index, bool on) override;
    bool startsDrag(QMouseEvent* event) override;

private:
    SiteTableWidget* m_table;
};

// Icon view: only a press on an entry that was selected before it may start
// a drag; the highlight is the item's background and its tile's.
class SiteListDnd : public SiteEntryViewDnd {
    Q_OBJECT
public:
    SiteListDnd(SiteListWidget* view, SiteConnecter* connecter, SiteData* data);

    bool canDrag() const { return m_can_drag; }

protected:
    SiteItemInfo recordOf(const QModelIndex& index) const override;
    void paintTarget(const QModelIndex& index, bool on) override;
    void mousePressed(QMouseEvent* event) override;
    bool startsDrag(QMouseEvent* event) override;
    void dragEnded() override { m_can_drag = false; }

private:
    SiteListWidget* m_list;
    bool m_can_drag = false;
};
