// The two ends of the pane's file operations: the editors' names become
// events, and finished events bring the folder cache and the views up to date.
#include "site-widget.h"

#include <QDateTime>

#include "event-generator.h"
#include "event-manager.h"
#include "log.h"
#include "site-data.h"
#include "site-pane-entries.h"
#include "site-path.h"

namespace {
const char kComponent[] = "default_component";

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}
}  // namespace

void SiteWidget::slotMkdirDone(QString new_name)
{
    SiteSelectedInfo info;
    // The user may have selected in another pane while the editor was open:
    // the folder would then be made in that site. Drop it instead.
    if (!ownSelection(info)) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] site-widget(%d): new folder '%s' dropped: the selection moved "
               L"to another site\n", new_name.toUtf8().toStdString());
        return;
    }
    Event event;
    if (EventGenerator().createEventFromMkdir(event, m_data->m_peer_id, info, new_name) < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] site-widget(%d): createEventFromMkdir failed\n");
        return;
    }
    const uint id = pushEvent(event);
    emit sigAssignEventId(id);
    emit sigEventAdded(id);
}

void SiteWidget::slotRenameDone(QString new_name)
{
    SiteSelectedInfo info;
    if (!ownSelection(info)) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] site-widget(%d): rename to '%s' dropped: the selection moved "
               L"to another site\n", new_name.toUtf8().toStdString());
        return;
    }
    const QString new_path = info.parent + QLatin1Char('/') + new_name;
    Event event;
    if (EventGenerator().createEventFromRename(event, m_data->m_peer_id, info, new_path) < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] site-widget(%d): createEventFromRename failed\n");
        return;
    }
    const uint id = pushEvent(event);
    emit sigAssignEventId(id);
    emit sigEventAdded(id);
}

void SiteWidget::handleMkdirEventDone(const Event& event)
{
    emit sigRemoveItemWithEventId(event.id);
    if (EventManager::getInstance()->getStatus(event.id).error != 0 || event.names.empty())
        return;
    const QString name = fromUtf8(event.names.front());
    const QString parent = combineIdPath(event.peer_id, event.parent);
    SiteFileList& list = m_data->m_file_cache[parent];
    const bool known = std::any_of(list.cbegin(), list.cend(), [&name](const SiteFileInfo& e) { return e.name == name; });
    if (!known) {
        SiteFileInfo folder;
        folder.name = name;
        folder.is_dir = true;
        folder.mtime = QDateTime::currentDateTime();
        list.append(folder);
    }
    emit sigQueryPathDone(parent);
    if (!m_is_table_view)
        emit sigFocusTableItem(name);
    else
        emit sigFocusListItem(name);
}

void SiteWidget::handleRenameEventDone(const Event& event)
{
    emit sigClearItemEventId(event.id);
    if (EventManager::getInstance()->getStatus(event.id).error != 0 || event.names.empty() || event.paths.empty())
        return;
    const QString old_name = fromUtf8(event.names.front());
    const QString old_path = combineIdPath(event.peer_id, event.paths.front());
    const QString new_name = fromUtf8(event.opt_name);
    const QString new_path = combineIdPath(event.peer_id, event.opt_path);
    const QString parent = combineIdPath(event.peer_id, event.parent);
    emit sigUpdateSubTreePaths(old_path, new_name, new_path);
    if (old_name == new_name) {
        // A move within the site: the folder shown may have gained the entry.
        m_waiting_refresh = false;
        listNode(m_data->m_current_path);
        return;
    }
    emit sigUpdateItem(parent, old_name, new_name);
    const QByteArray old_bytes = old_name.toUtf8();
    SiteFileList& list = m_data->m_file_cache[parent];
    for (SiteFileInfo& entry : list) {
        if (entry.name.toUtf8() == old_bytes)
            entry.name = new_name;
    }
    if (m_data->m_current_path == old_path)
        m_data->m_current_path = new_path;
    UserActionCache::getInstance()->renameUserActionInfo(m_data->m_peer_id, parent, old_name, new_name);
}

void SiteWidget::handleRemoveEventDone(const Event& event)
{
    emit sigClearItemEventId(event.id);
    const QString parent = combineIdPath(event.peer_id, event.parent);
    if (EventManager::getInstance()->getStatus(event.id).error != 0) {
        // The server may have removed some entries before it failed: only a
        // fresh listing tells which are left.
        listNode(parent);
        return;
    }
    removeEntriesByName(m_data->m_file_cache[parent], event.names);
    emit sigQueryPathDone(parent);
}

void SiteWidget::handleCopyEventDone(const Event& event)
{
    slotRefreshPeerPage(m_data->m_peer_id);
    listNode(combineIdPath(event.opt_peer_id, event.opt_path));
}
