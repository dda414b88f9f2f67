#pragma once

#include <QMap>
#include <QModelIndexList>
#include <QSet>
#include <QString>

#include "event-manager.h"
#include "site-item-info.h"
#include "site-path.h"
#include "user-action-cache.h"

// The pending-operation marks that the details and icon views keep in their
// records (one SiteItemInfo per item, keyed by the item).
namespace siteviews {

// Marks the records an event concerns. A new-folder event marks only the
// item pending for it (a listed folder of the same name is not its item);
// other events mark every record of each of their names. Events of another
// folder, and ids the event manager does not know, mark nothing.
template <class Item>
void markEventRecords(QMap<Item*, SiteItemInfo>& records, Item*& pending_mkdir, unsigned int id,
                      const QString& current_path)
{
    Event event;
    if (EventManager::getInstance()->getEvent(id, event) < 0)
        return;
    if (combineIdPath(event.peer_id, event.parent) != current_path)
        return;
    if (event.type == EV_MKDIR) {
        auto it = records.find(pending_mkdir);
        if (pending_mkdir && it != records.end())
            it.value().setEventId(id);
        pending_mkdir = nullptr;
        return;
    }
    for (const std::string& raw : event.names) {
        const QString name = QString::fromStdString(raw);
        for (auto it = records.begin(); it != records.end(); ++it)
            if (it.value().getName() == name)
                it.value().setEventId(id);
    }
}

template <class Item>
void clearEventRecords(QMap<Item*, SiteItemInfo>& records, unsigned int id)
{
    for (auto it = records.begin(); it != records.end(); ++it)
        if (it.value().getEventId() == id)
            it.value().setEventId(0);
}

// The row numbers of the cut kept for a later paste when it was taken in
// this folder (both views show the page in the same order, so a row of
// either view's selection is the same entry); none otherwise. A cut of
// this folder also becomes the kept index list.
inline QSet<int> currentCutRows(const QString& current_path, QModelIndexList& cut_index_list)
{
    QSet<int> rows;
    uint64_t peer = 0;
    SiteSelectedInfo info;
    UserActionCache::getInstance()->getCopyInfo(peer, info);
    if (info.parent == current_path && UserActionCache::getInstance()->isCutAction()) {
        cut_index_list = info.index_list;
        for (const QModelIndex& index : cut_index_list)
            rows.insert(index.row());
    }
    return rows;
}

}  // namespace siteviews
