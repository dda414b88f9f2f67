// The event handler's login, heartbeat, close and the operations other than
// transfers (those are in event-handler-transfer.cpp).
#include "event-handler.h"

#include <QtDebug>

#include "abort-flag.h"
#include "event-manager.h"
#include "global-connecter.h"
#include "local-site-helper.h"
#include "protocol/proto-ui.h"
#include "remote-site-helper.h"

namespace {

// Result of an operation naming a peer this worker does not serve.
const int kWrongPeer = -1;

// The peer of an id path ("<peer>:<path>"); false when the text is no number.
bool splitListIdPath(const std::string& id_path, uint64_t& peer_id, std::string& path)
{
    size_t colon = id_path.find(':');
    std::string peer_text = colon == std::string::npos ? id_path : id_path.substr(0, colon);
    path = colon == std::string::npos ? std::string() : id_path.substr(colon + 1);
    if (peer_text.empty() || peer_text.size() > 20 || peer_text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    unsigned long long value = std::strtoull(peer_text.c_str(), nullptr, 10);
    if (errno != 0)
        return false;
    peer_id = value;
    return true;
}

}  // namespace

EventHandler::EventHandler(uint64_t peer_id, int* abort_flag, QObject* parent)
    : QObject(parent), m_peer_id(peer_id), m_remote_helper(nullptr), m_local_helper(nullptr),
      m_last_notify_time(0), m_abort_flag(abort_flag)
{
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &EventHandler::sigUpdatePath, hub, &GlobalConnecter::sigUpdatePath);
    connect(this, &EventHandler::sigHandleEventDone, hub, &GlobalConnecter::sigHandleEventDone);
    m_remote_helper = new RemoteSiteHelper(peer_id, abort_flag, this);
    m_local_helper = new LocalSiteHelper(this);
}

EventHandler::~EventHandler() = default;

bool EventHandler::aborted() const
{
    return isAbortRaised(m_abort_flag);
}

void EventHandler::auth()
{
    int result = m_remote_helper->auth();
    emit sigEventHandlerStateChanged(result != 0 ? HANDLER_STATE_QUIT : HANDLER_STATE_IDLE);
}

SiteHelper* EventHandler::getHelper(uint64_t peer_id)
{
    if (peer_id == 0)
        return m_local_helper;
    if (peer_id == m_peer_id)
        return m_remote_helper;
    return nullptr;
}

void EventHandler::emitStateChangeWithTranslatedState(const int& result)
{
    if (result == ProtoUI::ERROR_CHANNEL_IO)
        emit sigEventHandlerStateChanged(HANDLER_STATE_QUIT);
    else if (result == ProtoUI::ERROR_USER_DISABLED)
        emit sigEventHandlerStateChanged(HANDLER_STATE_ERROR);
    else
        emit sigEventHandlerStateChanged(HANDLER_STATE_IDLE);
}

void EventHandler::slotHeartBeat()
{
    emit sigEventHandlerStateChanged(HANDLER_STATE_BUSY);
    int result = m_remote_helper->heartBeat();
    emitStateChangeWithTranslatedState(result);
}

void EventHandler::slotSendClosePeer()
{
    m_remote_helper->closePeer();
    emit sigSendClosePeerDone();
}

void EventHandler::slotHandleEvent(unsigned int id)
{
    EventManager* table = EventManager::getInstance();
    Event event;
    if (table->getEvent(id, event) < 0) {
        // Removed meanwhile: nothing to run, but the channel marked this
        // worker busy when it handed the id over and must get it back.
        emit sigEventHandlerStateChanged(HANDLER_STATE_IDLE);
        return;
    }
    qDebug() << "Handle event:" << event.toString().c_str();

    int result = 0;
    m_remote_helper->clearFailureReason();
    switch (event.type) {
    case EV_SETUDP:
        result = handleSetUdp(event);
        emitStateChangeWithTranslatedState(result);
        table->removeEvent(id);
        return;
    case EV_LIST:
        result = handleList(event);
        break;
    case EV_MKDIR:
        result = handleMkdir(event);
        break;
    case EV_RENAME:
        result = handleRename(event);
        break;
    case EV_REMOVE:
        result = handleRemove(event);
        break;
    case EV_COPY:
        result = handleCopy(event);
        break;
    case EV_UPLOAD:
        result = handleUpload(event);
        if (!aborted())
            notifyNew(true);
        break;
    case EV_DOWNLOAD:
        result = handleDownload(event);
        if (!aborted())
            notifyNew(true);
        break;
    default:
        qDebug() << "unknown action type" << static_cast<int>(event.type);
        result = ProtoUI::ERROR_INVALID_ARGUMENT;
        break;
    }

    EventStatus status = table->getStatus(id);
    status.error = result;
    status.reason = result != 0 ? m_remote_helper->failureReason() : std::string();
    table->setStatus(id, status);
    emitStateChangeWithTranslatedState(result);
    emit sigHandleEventDone(id);
}

int EventHandler::handleList(const Event& event)
{
    if (event.parent.empty()) {
        // The pane's root: this site and the computer.
        SiteFileList roots;
        for (uint64_t peer : {event.trigger_peer, uint64_t(0)}) {
            SiteFileInfo root;
            root.is_root = true;
            root.is_dir = true;
            root.name = QString::number(peer);
            roots.append(root);
        }
        emit sigUpdatePath(event.trigger_peer, QString(), roots);
        return 0;
    }
    uint64_t peer_id = 0;
    std::string path;
    SiteHelper* helper = splitListIdPath(event.parent, peer_id, path) ? getHelper(peer_id) : nullptr;
    if (!helper)
        return kWrongPeer;
    bool is_dir = false;
    SiteFileList listing;
    int result = helper->listNode(path, is_dir, listing);
    if (result != 0)
        return result;
    emit sigUpdatePath(event.trigger_peer, QString::fromUtf8(event.parent.c_str()), listing);
    return 0;
}

int EventHandler::handleMkdir(const Event& event)
{
    SiteHelper* helper = getHelper(event.peer_id);
    if (!helper || event.paths.empty())
        return kWrongPeer;
    return helper->mkdir(event.paths.front());
}

int EventHandler::handleRename(const Event& event)
{
    SiteHelper* helper = getHelper(event.peer_id);
    if (!helper || event.paths.empty() || event.opt_peer_id != event.peer_id)
        return kWrongPeer;
    return helper->rename(event.paths.front(), event.opt_path);
}

int EventHandler::handleRemove(const Event& event)
{
    SiteHelper* helper = getHelper(event.peer_id);
    if (!helper)
        return kWrongPeer;
    return helper->remove(event.parent, event.names);
}

int EventHandler::handleCopy(const Event& event)
{
    SiteHelper* helper = getHelper(event.peer_id);
    if (!helper || event.opt_peer_id != event.peer_id)
        return kWrongPeer;
    int result = 0;
    for (const std::string& name : event.names) {
        int one = helper->copy(event.parent + "/" + name, event.opt_path + "/" + name);
        if (one != 0)
            result = one;
    }
    return result;
}

int EventHandler::handleSetUdp(const Event&)
{
    return m_remote_helper->setUdp();
}
