#include "site-drop-rules.h"

#include <QDir>
#include <QFileInfo>

#include "event-generator.h"
#include "event-manager.h"
#include "log.h"
#include "site-path.h"
#include "user-action-cache.h"

namespace {

const char kMarkerFolder[] = "qzdragfolderQZDF";
const char kComponent[] = "default_component";

SiteSelectedInfo oneItem(const SiteSelectedInfo& dragged, const NodeInfo& node)
{
    SiteSelectedInfo one;
    one.view_mode = dragged.view_mode;
    one.parent = dragged.parent;
    one.children = {node};
    return one;
}

}  // namespace

QString dropFolderIdPath(const QString& current_path, const QString& name)
{
    if (current_path.isEmpty())
        return QString();
    QString peer, path;
    splitIdPath(current_path, peer, path);
    if (!path.isEmpty())
        return isHostileEntryName(name) ? QString() : combinePath(current_path, name);
    // A site's top level: its entries join without a separator ("5:share").
    if (peer == QLatin1String("0")) {
        const bool absolute = name.startsWith(QLatin1Char('/')) && QDir::cleanPath(name) == name;
        return absolute && !name.contains(QChar(0)) ? current_path + name : QString();
    }
    return isHostileEntryName(name) ? QString() : current_path + name;
}

DragVerdict decideViewDragMove(bool inner, const QString& current_path, const DragTarget& target)
{
    const bool folder = target.has_item && target.record.isDir() &&
                        !dropFolderIdPath(current_path, target.record.getName()).isEmpty();
    if (inner) {
        if (!folder || target.selected)
            return DragVerdict::Refuse;
        return DragVerdict::Highlight;
    }
    if (current_path.isEmpty())
        return DragVerdict::Refuse;
    QString peer, path;
    splitIdPath(current_path, peer, path);
    if (!target.has_item)
        return path.isEmpty() ? DragVerdict::Refuse : DragVerdict::Accept;
    return folder ? DragVerdict::Highlight : DragVerdict::Accept;
}

DragVerdict decideTreeDragMove(const DragTarget& target)
{
    if (!target.has_item || target.record.isRoot())
        return DragVerdict::Refuse;
    // A tree move needs a target on a site: an id path with a peer.
    QString peer, path;
    splitIdPath(target.record.getPath(), peer, path);
    uint64_t id = 0;
    if (!parsePeerId(peer, id) || !target.record.getPath().contains(QLatin1Char(':')))
        return DragVerdict::Refuse;
    return target.selected ? DragVerdict::Accept : DragVerdict::Highlight;
}

QString droppedLocalPath(const QUrl& url)
{
    // Only a file URL of this computer names a local item; its path must be
    // absolute (a relative one would be taken against the client's working
    // folder) and free of NUL (the file system would stop at it and find
    // another item).
    const bool local = url.isLocalFile() && (url.host().isEmpty() || url.host() == QLatin1String("localhost"));
    const QString path = local ? url.path(QUrl::FullyDecoded) : QString();
    if (path.startsWith(QLatin1Char('/')) && !path.contains(QChar(0)))
        return path;
    QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] site-drop-rules(%d): dropped URL %s ignored: not an absolute local file path\n",
           std::string(url.toEncoded().constData()));
    return QString();
}

bool isHostileEntryName(const QString& name)
{
    return name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
           name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QChar(0));
}

SiteDropHandler::SiteDropHandler(QObject* parent) : QObject(parent) {}

int SiteDropHandler::dropUrls(uint64_t trigger_peer, const QString& target, const QList<QUrl>& urls)
{
    int made = 0;
    QString name;
    bool is_dir = false;
    for (const QUrl& url : urls) {
        // A web link has no local path: copying "0:" would copy the whole computer.
        const QString dropped = droppedLocalPath(url);
        if (dropped.isEmpty())
            continue;
        const QString local = resolveSmbPath(dropped);
        if (local.isEmpty() || local.endsWith(QLatin1String(kMarkerFolder)))
            continue;
        Event event;
        if (EventGenerator().createCopyEventFromPaths(event, trigger_peer, combineIdPath(0, local), target) < 0)
            continue;
        // A "\\" is part of a local name: the upload itself refuses what a
        // server cannot take, and says so.
        if (event.names.empty() || isHostileEntryName(QString::fromStdString(event.names.front()).remove('\\')))
            continue;
        event.source_is_dir = QFileInfo(local).isDir();
        const unsigned int id = EventManager::getInstance()->pushEvent(event);
        emit sigEventAdded(id);
        name = QString::fromStdString(event.names.front());
        is_dir = event.source_is_dir;
        ++made;
    }
    if (made > 0)
        emit sigTransferTaskAdded(name, is_dir, urls.size() > 1);
    return made;
}

int SiteDropHandler::dropInnerOnFolder(uint64_t pane_peer, const QString& folder_id_path)
{
    uint64_t peer = 0;
    SiteSelectedInfo dragged;
    if (UserActionCache::getInstance()->getDragInfo(peer, dragged) < 0 || folder_id_path.isEmpty())
        return 0;
    // A move runs on one site: the dragged items, the target and the pane's.
    QString source_site, source_rest, target_site, target_rest;
    splitIdPath(dragged.parent, source_site, source_rest);
    splitIdPath(folder_id_path, target_site, target_rest);
    if (peer != pane_peer || source_site != QString::number(peer) || target_site != source_site)
        return 0;
    int made = 0;
    for (const NodeInfo& node : dragged.children) {
        // A made-up ".." or "a/b" would move the wrong thing, or out of the folder.
        if (isHostileEntryName(node.name) || combinePath(dragged.parent, node.name) == folder_id_path)
            continue;
        Event event;
        const QString new_path = combinePath(folder_id_path, node.name);
        if (EventGenerator().createEventFromRename(event, peer, oneItem(dragged, node), new_path) < 0)
            continue;
        emit sigEventAdded(EventManager::getInstance()->pushEvent(event));
        ++made;
    }
    return made;
}

int SiteDropHandler::dropInnerOnTree(const QString& target_path)
{
    uint64_t peer = 0;
    SiteSelectedInfo dragged;
    if (UserActionCache::getInstance()->getDragInfo(peer, dragged) < 0)
        return 0;
    QString target_site, target_rest, source_site, source_rest;
    splitIdPath(target_path, target_site, target_rest);
    splitIdPath(dragged.parent, source_site, source_rest);
    // No site in the target: nothing to move into.
    if (target_site.isEmpty() || !target_path.contains(QLatin1Char(':')))
        return 0;
    const bool transfer = (target_site == QLatin1String("0")) != (source_site == QLatin1String("0"));
    // A move stays on its site: the rename runs there with both paths.
    if (!transfer && target_site != source_site)
        return 0;
    int made = 0;
    for (const NodeInfo& node : dragged.children) {
        if (isHostileEntryName(node.name))
            continue;
        Event event;
        int rc;
        if (transfer)
            rc = EventGenerator().createCopyEventFromPaths(event, peer, combinePath(dragged.parent, node.name), target_path);
        else
            rc = EventGenerator().createEventFromRename(event, peer, oneItem(dragged, node),
                                                        combinePath(target_path, node.name));
        if (rc < 0)
            continue;
        emit sigEventAdded(EventManager::getInstance()->pushEvent(event));
        ++made;
    }
    if (transfer && made > 0) {
        const NodeInfo& first = dragged.children.front();
        emit sigTransferTaskAdded(first.name, first.type == FT_DIR, dragged.children.size() > 1);
    }
    return made;
}
