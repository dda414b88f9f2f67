#include "event-generator.h"

#include <QRegularExpression>
#include <QStringList>

#include "log.h"
#include "site-path.h"

namespace {

const char kComponent[] = "default_component";

std::string utf8(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// The folder of a selection as (peer, path in its site's form); false when
// the peer text is no number or the peer is neither 0 nor the acting site.
bool selectionFolder(const QString& id_path, uint64_t acting_peer, uint64_t& peer_id, std::string& path)
{
    QString id, raw;
    splitIdPath(id_path, id, raw);
    if (!parsePeerId(id, peer_id) || (peer_id != 0 && peer_id != acting_peer))
        return false;
    path = EventGenerator::normalizePath(raw, peer_id == 0);
    return true;
}

}  // namespace

bool parsePeerId(const QString& text, uint64_t& peer_id)
{
    static const QRegularExpression digits("\\A[0-9]{1,20}\\z");
    if (!digits.match(text).hasMatch())
        return false;
    bool ok = false;
    qulonglong value = text.toULongLong(&ok);
    if (!ok)
        return false;
    peer_id = value;
    return true;
}

std::string EventGenerator::normalizePath(const QString& path, bool local_form)
{
    static const QRegularExpression server_separators("[/\\\\]");
    QStringList parts = local_form ? path.split('/', Qt::SkipEmptyParts)
                                   : path.split(server_separators, Qt::SkipEmptyParts);
    bool rooted = local_form ? path.startsWith('/') : path.startsWith('/');
    QString joined = parts.join('/');
    if (rooted)
        joined.prepend('/');
    return utf8(joined);
}

QString EventGenerator::getName(const QString& path, bool local_form)
{
    int cut = local_form ? path.lastIndexOf('/') : qMax(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return cut < 0 ? path : path.mid(cut + 1);
}

int EventGenerator::createEventFromSetUdp(Event& event, uint64_t peer)
{
    event.type = EV_SETUDP;
    event.trigger_peer = peer;
    return 0;
}

int EventGenerator::createEventFromList(Event& event, uint64_t peer, const QString& id_path)
{
    event.type = EV_LIST;
    event.trigger_peer = peer;
    event.parent = utf8(id_path);
    return 0;
}

int EventGenerator::createEventFromMkdir(Event& event, uint64_t peer, const SiteSelectedInfo& selection,
                                         const QString& name)
{
    uint64_t peer_id = 0;
    std::string path;
    if (!selectionFolder(selection.parent, peer, peer_id, path))
        return -1;
    QString folder = QString::fromStdString(path);
    event.type = EV_MKDIR;
    event.trigger_peer = peer;
    event.peer_id = peer_id;
    event.parent = path;
    event.names = {utf8(name)};
    event.paths = {utf8(combinePath(folder, name))};
    return 0;
}

int EventGenerator::createEventFromRename(Event& event, uint64_t peer, const SiteSelectedInfo& selection,
                                          const QString& new_id_path)
{
    if (selection.parent.isEmpty() || selection.children.isEmpty())
        return -1;
    uint64_t peer_id = 0;
    std::string path;
    if (!selectionFolder(selection.parent, peer, peer_id, path))
        return -1;
    // A rename never leaves its site: the new id path must name the same peer.
    QString new_id, new_path;
    splitIdPath(new_id_path, new_id, new_path);
    uint64_t new_peer = 0;
    if (!parsePeerId(new_id, new_peer) || new_peer != peer_id)
        return -1;
    const QString& item = selection.children.front().name;
    event.type = EV_RENAME;
    event.trigger_peer = peer;
    event.peer_id = peer_id;
    event.parent = path;
    event.names = {utf8(item)};
    event.paths = {utf8(combinePath(QString::fromStdString(path), item))};
    event.opt_peer_id = peer_id;
    event.opt_name = utf8(getName(new_path, peer_id == 0));
    event.opt_path = normalizePath(new_path, peer_id == 0);
    return 0;
}

int EventGenerator::createEventFromRemove(Event& event, uint64_t peer, const SiteSelectedInfo& selection)
{
    if (selection.children.isEmpty())
        return -1;
    uint64_t peer_id = 0;
    std::string path;
    if (!selectionFolder(selection.parent, peer, peer_id, path))
        return -1;
    QString folder = QString::fromStdString(path);
    std::list<std::string> names, paths;
    for (const NodeInfo& child : selection.children) {
        names.push_back(utf8(child.name));
        paths.push_back(utf8(combinePath(folder, child.name)));
    }
    event.type = EV_REMOVE;
    event.trigger_peer = peer;
    event.peer_id = peer_id;
    event.parent = path;
    event.names = names;
    event.paths = paths;
    return 0;
}

int EventGenerator::createCopyEventFromPaths(Event& event, uint64_t peer, const QString& from_id_path,
                                             const QString& to_id_path)
{
    QString from_text, from_raw, to_text, to_raw;
    splitIdPath(from_id_path, from_text, from_raw);
    splitIdPath(to_id_path, to_text, to_raw);
    uint64_t from_id = 0, to_id = 0;
    if (!parsePeerId(from_text, from_id) || !parsePeerId(to_text, to_id))
        return -1;
    EventType type;
    if (from_id == to_id) {
        type = EV_COPY;
    } else if (from_id == 0) {
        type = EV_UPLOAD;
    } else if (to_id == 0) {
        type = EV_DOWNLOAD;
    } else {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] event-generator(%d): No support to cross xr transmission\n");
        return -1;
    }
    QString source = QString::fromStdString(normalizePath(from_raw, from_id == 0));
    QString destination = QString::fromStdString(normalizePath(to_raw, to_id == 0));
    int cut = from_id == 0 ? source.lastIndexOf('/') : qMax(source.lastIndexOf('/'), source.lastIndexOf('\\'));
    event.type = type;
    event.trigger_peer = peer;
    event.peer_id = from_id;
    event.parent = utf8(cut < 0 ? source : source.left(cut));
    event.names = {utf8(getName(source, from_id == 0))};
    event.paths = {utf8(source)};
    event.opt_peer_id = to_id;
    event.opt_name = utf8(getName(destination, to_id == 0));
    event.opt_path = utf8(destination);
    return 0;
}
