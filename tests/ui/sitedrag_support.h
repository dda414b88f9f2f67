#pragma once
// Helpers of the drag-and-drop tests: a stand-in pane with its three views
// shown, drag events sent to a view's viewport with real mime data, and
// what a view shows as its drop-target highlight.
#include <QAbstractItemView>
#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QTreeWidgetItemIterator>
#include <QtTest>

#include "dnd_manager.h"
#include "event-manager.h"
#include "file_mime_data.h"
#include "site-context-menu.h"
#include "site-list-icon-widget.h"
#include "site-list-widget.h"
#include "site-table-cells.h"
#include "site-table-widget.h"
#include "site-tree-widget.h"
#include "site-view-dnd.h"
#include "siteview_test_pane.h"

namespace sitedrag {

inline const QColor kLit{230, 245, 255, 255};

inline SiteFileInfo sharedEntry(const QString& name)
{
    SiteFileInfo info = fileEntry(name, 0, true);
    info.is_shared_folder = true;
    return info;
}

inline QMimeData* markerMime()
{
    auto* mime = new FileMimeData();
    mime->setUrls({QUrl::fromLocalFile(DndManager::markerFolderPath())});
    return mime;
}

// What a Linux file manager sends: text/uri-list, percent-encoded, CRLF.
inline QMimeData* uriListMime(const QStringList& paths)
{
    QByteArray list;
    for (const QString& path : paths)
        list += QUrl::fromLocalFile(path).toEncoded() + "\r\n";
    auto* mime = new QMimeData();
    mime->setData(QStringLiteral("text/uri-list"), list);
    return mime;
}

struct Move {
    bool entered = false;
    bool accepted = false;
    Qt::DropAction action = Qt::IgnoreAction;
};

inline Move dragOver(QAbstractItemView& view, const QPoint& pos, const QMimeData* mime)
{
    Move result;
    QDragEnterEvent enter(pos, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    result.entered = enter.isAccepted();
    if (!result.entered)
        return result;
    QDragMoveEvent move(pos, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    result.accepted = move.isAccepted();
    result.action = move.dropAction();
    return result;
}

inline void dragLeave(QAbstractItemView& view)
{
    QDragLeaveEvent leave;
    QApplication::sendEvent(view.viewport(), &leave);
}

// A drop after a move at the same place; false when the drop came back accepted.
inline bool dropAt(QAbstractItemView& view, const QPoint& pos, const QMimeData* mime)
{
    dragOver(view, pos, mime);
    QDropEvent drop(pos, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drop);
    return !drop.isAccepted() && drop.dropAction() != Qt::MoveAction;
}

inline void moveWithLeft(QAbstractItemView& view, const QPoint& pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, view.viewport()->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
}

inline QPoint backgroundOf(QAbstractItemView& view)
{
    return QPoint(view.viewport()->width() - 4, view.viewport()->height() - 4);
}

inline Event eventOf(const QVariant& id)
{
    Event e;
    EventManager::getInstance()->getEvent(id.toUInt(), e);
    return e;
}

// One pane with its three views, shown.
struct Pane {
    explicit Pane(uint64_t peer = 5) : pane(peer, QStringLiteral("Server")), table(&pane.hub, &pane.data),
        list(&pane.hub, &pane.data), tree(&pane.hub, &pane.data, &menu)
    {
        table.resize(600, 300);
        list.resize(520, 300);
        tree.resize(236, 300);
        table.show();
        list.show();
        tree.show();
        pane.deliver(QString(), {rootEntry(QString::number(peer)), rootEntry("0")});
    }
    // False when the page is still being drawn after the wait.
    bool showPage(const QString& path, const SiteFileList& rows)
    {
        pane.data.m_current_path = path;
        pane.data.m_filtered_files[path] = rows;
        emit pane.hub.sigRefreshDetailView();
        // Drawn in time slices: wait for the last one.
        return QTest::qWaitFor([this] { return !table.isDrawing(); }, 30000);
    }
    int rowOf(const QString& name) const
    {
        for (int row = 0; row < table.rowCount(); ++row)
            if (table.recordOfRow(row).getName() == name)
                return row;
        return -1;
    }
    QPoint tablePos(int row, int column = 3) { return table.visualRect(table.model()->index(row, column)).center(); }
    QPoint listPos(int row) { return list.visualItemRect(list.item(row)).center(); }
    bool tableLit(int row) const
    {
        // The cell widgets of the rows in sight.
        const QList<QWidget*> cells{table.nameCell(row), table.textCell(row, COL_SIZE), table.textCell(row, COL_TYPE),
                                    table.textCell(row, COL_MTIME)};
        for (QWidget* cell : cells)
            if (!cell || !cell->styleSheet().contains("#E6F5FF"))
                return false;
        return true;
    }
    // The item's background, and the tile over it where the row is in sight.
    bool listLit(int row) const
    {
        const QWidget* tile = list.tileOfRow(row);
        return list.item(row)->background().color() == kLit && (!tile || tile->styleSheet().contains("#E6F5FF"));
    }
    int litCount() const
    {
        int lit = 0;
        for (int row = 0; row < table.rowCount(); ++row)
            lit += tableLit(row) ? 1 : 0;
        for (int row = 0; row < list.count(); ++row)
            lit += listLit(row) ? 1 : 0;
        QTreeWidgetItemIterator it(const_cast<SiteTreeWidget*>(&tree));
        for (; *it; ++it)
            lit += (*it)->background(0).color() == kLit ? 1 : 0;
        return lit;
    }
    TestPane pane;
    SiteContextMenu menu;
    SiteTableWidget table;
    SiteListWidget list;
    SiteTreeWidget tree;
};

inline SiteViewDnd* dndOf(QObject& view) { return view.findChild<SiteViewDnd*>(); }

}  // namespace sitedrag
