// The pane's file actions: every pane hears every action, and the one whose
// site holds the last selection turns it into editors, a kept copy or events.
#include "site-widget.h"

#include <QRegularExpression>

#include "connection-info.h"
#include "event-generator.h"
#include "event-manager.h"
#include "log.h"
#include "site-data.h"
#include "site-folder-dialog.h"
#include "site-info-manager.h"
#include "site-pane-entries.h"
#include "site-path.h"
#include "system-db.h"

namespace {
const char kComponent[] = "default_component";

// "" or "<peer>:": a site's root list (shares, drives, the sites themselves).
bool isRootList(const QString& id_path)
{
    static const QRegularExpression root(QStringLiteral("^[0-9]+:$"));
    return id_path.isEmpty() || root.match(id_path).hasMatch();
}

QString peerPart(const QString& id_path)
{
    QString peer, path;
    splitIdPath(id_path, peer, path);
    return peer;
}
}  // namespace

bool SiteWidget::ownSelection(SiteSelectedInfo& info) const
{
    uint64_t peer = 0;
    UserActionCache::getInstance()->getSelectedInfo(peer, info);
    return peer == m_data->m_peer_id;
}

void SiteWidget::slotActionClicked(int action)
{
    if (action < UAT_MKDIR || action > UAT_DOWNLOAD_TO)
        return;
    SiteSelectedInfo info;
    if (!ownSelection(info))
        return;
    UserActionCache* cache = UserActionCache::getInstance();

    // A folder chosen in the tree is the folder to work in.
    if (info.view_mode == VM_TREE && (action == UAT_MKDIR || action == UAT_PASTE) && !info.children.isEmpty()) {
        QString peer, path;
        splitIdPath(info.parent, peer, path);
        const QString name = info.children.first().name;
        info.parent = path.isEmpty() ? info.parent + name : combinePath(info.parent, name);
        info.children.clear();
        cache->updateSelectedInfo(m_data->m_peer_id, info);
    }
    if (isRootList(info.parent))
        return;

    switch (action) {
    case UAT_MKDIR:
        emit sigStartMkdir();
        break;
    case UAT_RENAME:
        if (info.children.size() == 1)
            emit sigStartRename();
        break;
    case UAT_COPY:
    case UAT_CUT:
        cache->keepCopyInfo(action == UAT_CUT);
        emit sigUpdateCutStatus();
        break;
    case UAT_REMOVE:
        removeSelection(info);
        break;
    case UAT_DOWNLOAD:
    case UAT_DOWNLOAD_TO:
        downloadSelection(info, action == UAT_DOWNLOAD_TO);
        break;
    case UAT_PASTE:
        pasteKept();
        break;
    default:
        break;
    }
}

void SiteWidget::removeSelection(const SiteSelectedInfo& info)
{
    if (info.children.isEmpty())
        return;
    Event event;
    if (EventGenerator().createEventFromRemove(event, m_data->m_peer_id, info) < 0)
        return;
    const uint id = pushEvent(event);
    emit sigAssignEventId(id);
    emit sigEventAdded(id);
}

void SiteWidget::downloadSelection(const SiteSelectedInfo& info, bool choose_folder)
{
    if (info.children.isEmpty() || info.parent.startsWith(QLatin1Char('0')))
        return;
    QString location;
    SiteInfo site;
    ConnectionInfo connection;
    if (SiteInfoManager::getInstance()->getSiteInfoByPeerId(m_data->m_peer_id, site) &&
        SystemDB::getConnectionByAuthority(site.domain_name.toUtf8().toStdString(),
                                           site.user_name.toUtf8().toStdString(), site.control_port,
                                           connection) > 0 &&
        !connection.download_location.empty()) {
        location = QString::fromUtf8(connection.download_location.c_str());
    } else {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] site-widget(%d): Get default download location failed.\n");
    }
    if (choose_folder)
        location = chooseDownloadFolder(this, location);
    if (location.isEmpty())
        return;
    const QString destination = QStringLiteral("0:") + location;

    QString name;
    bool is_dir = false;
    int queued = 0;
    EventGenerator generator;
    for (const NodeInfo& node : info.children) {
        Event event;
        if (generator.createCopyEventFromPaths(event, m_data->m_peer_id, combinePath(info.parent, node.name),
                                               destination) < 0)
            continue;
        event.source_is_dir = node.type == FT_DIR;
        emit sigEventAdded(pushEvent(event));
        name = node.name;
        is_dir = event.source_is_dir;
        ++queued;
    }
    if (queued > 0)
        emit sigTransferTaskAdded(name, is_dir, info.children.size() > 1);
}

void SiteWidget::pasteKept()
{
    UserActionCache* cache = UserActionCache::getInstance();
    uint64_t copy_peer = 0;
    SiteSelectedInfo copy;
    if (cache->getCopyInfo(copy_peer, copy) < 0)
        return;
    const QString destination = m_data->m_current_path;
    if (isRootList(destination))
        return;
    const bool is_cut = cache->isCutAction();
    const QString from_peer = peerPart(copy.parent);
    const QString to_peer = peerPart(destination);
    const bool same_site = from_peer == to_peer;

    // Refused before anything is queued. A cut between two servers would
    // become a rename that the destination runs on the source's path; a
    // folder pasted into itself would copy its own copies without end.
    if (!same_site && from_peer != QLatin1String("0") && to_peer != QLatin1String("0")) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] site-widget(%d): createCopyEventFromPaths failed\n");
        return;
    }
    if (same_site) {
        for (const NodeInfo& node : copy.children) {
            if (isSameOrInside(combinePath(copy.parent, node.name), destination)) {
                QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] site-widget(%d): paste of %s into %s refused: a folder "
                       L"cannot go into itself\n",
                       combinePath(copy.parent, node.name).toUtf8().toStdString(),
                       destination.toUtf8().toStdString());
                return;
            }
        }
    }

    EventGenerator generator;
    bool transfer = false;
    QString name;
    bool is_dir = false;
    for (const NodeInfo& node : copy.children) {
        const QString source = combinePath(copy.parent, node.name);
        Event event;
        int result = 0;
        if (!is_cut) {
            result = generator.createCopyEventFromPaths(event, m_data->m_peer_id, source, destination);
        } else {
            cache->cutFinished();
            if ((from_peer == QLatin1String("0")) != (to_peer == QLatin1String("0"))) {
                result = generator.createCopyEventFromPaths(event, m_data->m_peer_id, source, destination);
            } else {
                SiteSelectedInfo one;
                one.view_mode = copy.view_mode;
                one.parent = copy.parent;
                one.children = {node};
                const QString new_path = destination + QLatin1Char('/') + node.name;
                if (generator.createEventFromRename(event, m_data->m_peer_id, one, new_path) < 0) {
                    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] site-widget(%d): createEventFromRename failed\n");
                    return;
                }
            }
        }
        if (result < 0) {
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] site-widget(%d): createCopyEventFromPaths failed\n");
            return;
        }
        event.source_is_dir = node.type == FT_DIR;
        emit sigEventAdded(pushEvent(event));
        if (event.type == EV_UPLOAD || event.type == EV_DOWNLOAD) {
            transfer = true;
            name = node.name;
            is_dir = event.source_is_dir;
        }
    }
    if (transfer)
        emit sigTransferTaskAdded(name, is_dir, copy.children.size() > 1);
    emit sigUpdateCutStatus();
}
