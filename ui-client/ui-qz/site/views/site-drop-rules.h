#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <cstdint>

#include "site-item-info.h"

// What a view does with a drag at one position.
enum class DragVerdict { Refuse, Accept, Highlight };

// The entry under the pointer during a drag.
struct DragTarget {
    bool has_item = false;
    SiteItemInfo record;    // an entry without a record counts as empty
    bool selected = false;  // among the view's selected entries
};

// The id path of the entry named name in the folder current_path, or ""
// when the join would not name one entry of it: at the root listing, for a
// name that is empty, "." or ".." or holds a separator, and at the
// computer's top level for anything but a clean absolute path (its entries
// are "/" and the home folder).
QString dropFolderIdPath(const QString& current_path, const QString& name);

// Icon and details views: inner drags only onto folders that are not
// dragged; outer drags never at the root listing, only onto an entry at a
// site's top level, and anywhere deeper. Only a folder that
// dropFolderIdPath can name is a target.
DragVerdict decideViewDragMove(bool inner, const QString& current_path, const DragTarget& target);
// Folder tree: never onto a top-level item; a selected item accepts without
// a highlight.
DragVerdict decideTreeDragMove(const DragTarget& target);

// The local path a dropped URL names: "" (logged) unless it is a file URL
// of this computer holding an absolute path without NUL.
QString droppedLocalPath(const QUrl& url);

// True for a name that must never become an operation's target or source:
// "", ".", ".." or one holding a separator.
bool isHostileEntryName(const QString& name);

// Turns drops into events: stores each with EventManager::pushEvent and
// announces it. Used by the three views' drop handlers.
class SiteDropHandler : public QObject {
    Q_OBJECT
public:
    explicit SiteDropHandler(QObject* parent = nullptr);

    // Files from the file manager copied into the target id path. URLs that
    // are the marker folder or no absolute local file path are passed over. Returns the
    // number of events made.
    int dropUrls(uint64_t trigger_peer, const QString& target, const QList<QUrl>& urls);
    // An inner drop on the icon or details view of site pane_peer: moves the
    // dragged items into the folder at folder_id_path. Nothing when the drag
    // came from another site.
    int dropInnerOnFolder(uint64_t pane_peer, const QString& folder_id_path);
    // An inner drop on the folder tree: a transfer when exactly one side is
    // the computer, else a move into target_path.
    int dropInnerOnTree(const QString& target_path);

signals:
    void sigEventAdded(unsigned int id);
    void sigTransferTaskAdded(QString name, bool is_dir, bool multi);
};
