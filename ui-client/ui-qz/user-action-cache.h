#pragma once

#include <QMap>
#include <QModelIndexList>
#include <QString>
#include <QVector>

#include <cstdint>

#include "file-op.h"

// Which view reported a selection.
enum ViewMode : int32_t {
    VM_TREE = 0,
    VM_TABLE = 1,
    VM_LIST = 2,
    VM_OTHER = 3,
};

// The file actions that keys, menus and buttons raise (carried as int).
enum UserActionType : int32_t {
    UAT_MKDIR = 0,
    UAT_RENAME = 1,
    UAT_COPY = 2,
    UAT_PASTE = 3,
    UAT_REMOVE = 4,
    UAT_DOWNLOAD = 5,
    UAT_CUT = 6,
    UAT_DOWNLOAD_TO = 7,
};

// One selected item.
struct NodeInfo {
    QString name;
    FILE_TYPE type = FT_FILE;  // FT_DIR for a folder, FT_FILE otherwise
};

// A selection in one view of one site.
struct SiteSelectedInfo {
    ViewMode view_mode = VM_TREE;
    QString parent;              // id path of the folder holding the items
    QVector<NodeInfo> children;  // in the view's order
    QModelIndexList index_list;

    // The selection lies at the top of a site: "" or "<digits>:".
    bool isRoot() const;
    // One line for trace output.
    QString toString() const;
};

// What the user selected last in each site and the two selections that
// outlive a click: the one kept by Copy or Cut and the one kept by a drag.
// Used on the main thread only; no lock.
class UserActionCache {
public:
    static UserActionCache* getInstance();

    void updateSelectedInfo(uint64_t peer_id, const SiteSelectedInfo& info);
    // Always 0; creates an empty entry for the selected site when missing.
    int getSelectedInfo(uint64_t& peer_id, SiteSelectedInfo& info);
    // -1 (info untouched) when the site has none; creates nothing.
    int getSelectedInfoBySite(const uint64_t& peer_id, SiteSelectedInfo& info);
    bool needCatchAction(const uint64_t& peer_id, int view_mode);
    void keepCopyInfo(bool is_cut);
    // -1 after a finished cut or when the snapshot holds nothing.
    int getCopyInfo(uint64_t& peer_id, SiteSelectedInfo& info);
    bool isCutAction();
    void cutFinished();
    void keepDragInfo();
    int getDragInfo(uint64_t& peer_id, SiteSelectedInfo& info);
    // Renames the first child named `from` of the kept selection whose
    // parent is exactly `parent`.
    void renameSelectedInfo(uint64_t peer_id, const QString& parent, const QString& from, const QString& to);
    void renameCopyInfo(uint64_t peer_id, const QString& parent, const QString& from, const QString& to);
    void renameUserActionInfo(uint64_t peer_id, const QString& parent, const QString& from, const QString& to);

private:
    UserActionCache() = default;
    UserActionCache(const UserActionCache&) = delete;
    UserActionCache& operator=(const UserActionCache&) = delete;

    static const uint64_t kNoSite = ~uint64_t(0);

    bool m_is_cut = false;
    bool m_is_cut_finished = false;
    uint64_t m_selected_peer = kNoSite;
    QMap<uint64_t, SiteSelectedInfo> m_selected_info;
    uint64_t m_copy_peer = kNoSite;
    SiteSelectedInfo m_copy_selected_info;
    uint64_t m_drag_peer = kNoSite;
    SiteSelectedInfo m_drag_info;
};
