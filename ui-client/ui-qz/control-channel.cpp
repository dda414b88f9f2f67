#include "control-channel.h"

#include <QThread>
#include <QTimer>

#include "abort-flag.h"
#include "core-timing.h"
#include "event-manager.h"
#include "global-connecter.h"
#include "log.h"
#include "protocol/proto-ui.h"

namespace {

const char kDebugComponent[] = "control_channel_debug";

}  // namespace

ControlChannel::ControlChannel(uint64_t peer_id, QObject* parent)
    : QObject(parent), m_peer_id(peer_id), m_state(CONTROL_CHANNEL_CONNECTING), m_last_connected_ms(0),
      m_abort_flag(0)
{
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &ControlChannel::sigConnectSiteDone, hub, &GlobalConnecter::sigConnectSiteDone);
    connect(this, &ControlChannel::sigConnectControlChannelSuccess, hub,
            &GlobalConnecter::sigConnectControlChannelSuccess);
    connect(this, &ControlChannel::sigSiteDisconnected, hub, &GlobalConnecter::sigSiteDisconnected);
    connect(this, &ControlChannel::sigClosePeerDone, hub, &GlobalConnecter::sigClosePeerDone);
    connect(hub, &GlobalConnecter::sigEventAdded, this, &ControlChannel::slotEventAdded);
}

void ControlChannel::start()
{
    connectOne();
}

ControlChannel::~ControlChannel()
{
    // Workers stop their long walks and requests before we wait for them.
    raiseAbortFlag(&m_abort_flag);
    for (const ControlChannelThread& entry : m_handlers)
        stopWorker(entry);
    m_handlers.clear();
    // Events still waiting for a worker will never run: complete them so the
    // views hear of them and remove them from the table.
    EventManager* table = EventManager::getInstance();
    for (uint32_t id : m_queued_events) {
        EventStatus status = table->getStatus(id);
        status.error = ProtoUI::ERROR_CHANNEL_IO;
        table->setStatus(id, status);
        QMetaObject::invokeMethod(GlobalConnecter::getInstance(), "sigHandleEventDone", Qt::QueuedConnection,
                                  Q_ARG(uint, id));
    }
    m_queued_events.clear();
}

void ControlChannel::stopWorker(const ControlChannelThread& entry)
{
    entry.thread->exit(0);
    entry.thread->wait();
    entry.finished.wait();
    delete entry.handler;
    delete entry.thread;
}

void ControlChannel::connectOne()
{
    ControlChannelThread entry;
    entry.thread = new QThread();
    entry.handler = new EventHandler(m_peer_id, &m_abort_flag, nullptr);
    connect(entry.handler, &EventHandler::sigEventHandlerStateChanged, this,
            &ControlChannel::slotEventHandlerStateChanged);
    auto finished = std::make_shared<std::promise<void>>();
    entry.finished = finished->get_future().share();
    connect(entry.thread, &QThread::finished, entry.thread, [finished] { finished->set_value(); },
            Qt::DirectConnection);
    entry.handler->moveToThread(entry.thread);
    entry.thread->start(QThread::InheritPriority);
    entry.state = HANDLER_STATE_CONNECTING;
    m_handlers.push_back(entry);
    // The login runs here, on this thread; its state signal is therefore
    // delivered at once and the entry is IDLE or QUIT afterwards.
    entry.handler->auth();
    QM_LOG(Logger::L_DEBUG, kDebugComponent, L"[DEBUG] control-channel(%d): peer %llu connect one\n",
           static_cast<unsigned long long>(m_peer_id));
}

void ControlChannel::slotEventHandlerStateChanged(int handler_state)
{
    QObject* from = sender();
    for (ControlChannelThread& entry : m_handlers) {
        if (entry.handler != from)
            continue;
        if (m_state == CONTROL_CHANNEL_CONNECTING) {
            if (handler_state == HANDLER_STATE_IDLE) {
                m_state = CONTROL_CHANNEL_AUTH_SUCCESS;
                emit sigConnectControlChannelSuccess(m_peer_id);
            } else {
                m_state = CONTROL_CHANNEL_AUTH_FAILED;
                emit sigConnectSiteDone(m_peer_id);
                emit sigSiteDisconnected(m_peer_id, true);
            }
        }
        if (handler_state == HANDLER_STATE_ERROR) {
            m_state = CONTROL_CHANNEL_CONNECTING;
            emit sigSiteDisconnected(m_peer_id, false);
        }
        const bool lost_in_use = entry.state == HANDLER_STATE_BUSY && handler_state == HANDLER_STATE_QUIT;
        entry.state = static_cast<EventHandlerState>(handler_state);
        // A live worker is seen here, not only on the tick: a site whose
        // only worker dies before its first tick must still count as having
        // had one, or it would retry its logins for ever and never be lost.
        if (handler_state == HANDLER_STATE_IDLE || handler_state == HANDLER_STATE_BUSY)
            m_last_connected_ms = CoreTiming::nowMs();
        // A request or heartbeat lost its connection: whether the server is
        // still there is learnt now, not on the next tick.
        if (lost_in_use && m_state == CONTROL_CHANNEL_AUTH_SUCCESS)
            QTimer::singleShot(0, this, &ControlChannel::adjustChannel);
        return;
    }
}

bool ControlChannel::processEvent(uint id)
{
    for (ControlChannelThread& entry : m_handlers) {
        if (entry.state != HANDLER_STATE_IDLE)
            continue;
        // Connected by name for this one emission: a name connection leaves
        // no slot object behind for the queued call to share across threads.
        QMetaObject::Connection link =
            connect(this, SIGNAL(sigHandleEvent(uint)), entry.handler, SLOT(slotHandleEvent(uint)));
        entry.state = HANDLER_STATE_BUSY;
        QM_LOG(Logger::L_DEBUG, kDebugComponent, L"[DEBUG] control-channel(%d): Assign event %u in peer %llu\n", id,
               static_cast<unsigned long long>(m_peer_id));
        emit sigHandleEvent(id);
        disconnect(link);
        return true;
    }
    QM_LOG(Logger::L_DEBUG, kDebugComponent,
           L"[DEBUG] control-channel(%d): Event %u cannot be processed. Remain in queue.\n", id);
    return false;
}

void ControlChannel::armQueueRetry()
{
    QTimer::singleShot(CoreTiming::get().queue_retry_ms.load(), this, &ControlChannel::slotCheckQueuedEvent);
}

void ControlChannel::slotEventAdded(uint id)
{
    Event event;
    if (EventManager::getInstance()->getEvent(id, event) < 0)
        return;
    if (event.trigger_peer != m_peer_id)
        return;
    if (processEvent(id))
        return;
    QM_LOG(Logger::L_DEBUG, kDebugComponent,
           L"[DEBUG] control-channel(%d): Event %u cannot be processed. Push into queue.\n", id);
    m_queued_events.push_back(id);
    armQueueRetry();
}

void ControlChannel::slotCheckQueuedEvent()
{
    while (!m_queued_events.empty()) {
        if (!processEvent(m_queued_events.front())) {
            armQueueRetry();
            return;
        }
        m_queued_events.erase(m_queued_events.begin());
    }
}

void ControlChannel::summarizeChannel()
{
    for (auto& bucket : m_cct)
        bucket.clear();
    for (const ControlChannelThread& entry : m_handlers)
        if (entry.state >= 0 && entry.state < HANDLER_STATE_MAX)
            m_cct[entry.state].push_back(entry);
}

int ControlChannel::countWorkers(EventHandlerState state) const
{
    int count = 0;
    for (const ControlChannelThread& entry : m_handlers)
        if (entry.state == state)
            ++count;
    return count;
}

void ControlChannel::adjustChannel()
{
    if (m_state != CONTROL_CHANNEL_AUTH_SUCCESS)
        return;
    abortThread(HANDLER_STATE_QUIT, -1);
    summarizeChannel();
    int connecting = static_cast<int>(m_cct[HANDLER_STATE_CONNECTING].size());
    int idle = static_cast<int>(m_cct[HANDLER_STATE_IDLE].size());
    int busy = static_cast<int>(m_cct[HANDLER_STATE_BUSY].size());
    QM_LOG(Logger::L_DEBUG, kDebugComponent,
           L"[DEBUG] control-channel(%d): peer %llu status: connecting %d, idle %d, busy %d\n",
           static_cast<unsigned long long>(m_peer_id), connecting, idle, busy);
    if (idle + busy > 0) {
        m_last_connected_ms = CoreTiming::nowMs();
        if (connecting == 0 && idle == 0) {
            connectOne();
        } else if (idle > 1) {
            abortThread(HANDLER_STATE_CONNECTING, -1);
            abortThread(HANDLER_STATE_IDLE, 1);
        }
        return;
    }
    if (m_last_connected_ms != 0 &&
        CoreTiming::nowMs() - m_last_connected_ms > CoreTiming::get().live_worker_limit_ms.load()) {
        QM_LOG(Logger::L_DEBUG, kDebugComponent, L"[DEBUG] control-channel(%d): peer %llu disconnected\n",
               static_cast<unsigned long long>(m_peer_id));
        emit sigSiteDisconnected(m_peer_id, true);
        return;
    }
    const bool replacing = m_last_connected_ms != 0;
    connectOne();
    // The last worker is gone and its replacement could not log in: the
    // server is unreachable, or it answers but has forgotten the session (a
    // restart). Either way the site is lost now; retrying the old seed for
    // a minute would only keep the user waiting in front of a stale view.
    if (replacing && !m_handlers.empty() && m_handlers.back().state == HANDLER_STATE_QUIT) {
        QM_LOG(Logger::L_DEBUG, kDebugComponent,
               L"[DEBUG] control-channel(%d): peer %llu lost: no worker can log in again\n",
               static_cast<unsigned long long>(m_peer_id));
        m_state = CONTROL_CHANNEL_AUTH_FAILED;  // reported once; the monitor deletes us
        emit sigSiteDisconnected(m_peer_id, true);
    }
}

void ControlChannel::abortThread(EventHandlerState state, int count)
{
    int removed = 0;
    for (auto it = m_handlers.begin(); it != m_handlers.end() && (count < 0 || removed < count);) {
        if (it->state != state) {
            ++it;
            continue;
        }
        QM_LOG(Logger::L_DEBUG, kDebugComponent, L"[DEBUG] control-channel(%d): Abort thread of peer %llu in state %d.\n",
               static_cast<unsigned long long>(m_peer_id), static_cast<int>(state));
        ControlChannelThread entry = *it;
        it = m_handlers.erase(it);
        stopWorker(entry);
        ++removed;
    }
}

void ControlChannel::checkDisconnected()
{
    summarizeChannel();
    if (!m_cct[HANDLER_STATE_BUSY].empty() || !m_cct[HANDLER_STATE_CONNECTING].empty())
        return;
    if (m_cct[HANDLER_STATE_IDLE].size() != 1)
        return;
    EventHandler* idle = m_cct[HANDLER_STATE_IDLE].front().handler;
    // Busy on our side too, so no event is handed to it and no trim stops
    // it while the heartbeat runs; its reported state brings it back.
    for (ControlChannelThread& entry : m_handlers)
        if (entry.handler == idle)
            entry.state = HANDLER_STATE_BUSY;
    QMetaObject::Connection link = connect(this, SIGNAL(sigHeartBeat()), idle, SLOT(slotHeartBeat()));
    emit sigHeartBeat();
    disconnect(link);
}

void ControlChannel::closePeer()
{
    QTimer::singleShot(CoreTiming::get().close_guard_ms.load(), this, &ControlChannel::slotSendClosePeerDone);
    connectOne();
    EventHandler* closing = m_handlers.back().handler;
    connect(this, &ControlChannel::sigSendClosePeer, closing, &EventHandler::slotSendClosePeer);
    connect(closing, &EventHandler::sigSendClosePeerDone, this, &ControlChannel::slotSendClosePeerDone);
    emit sigSendClosePeer();
    m_state = CONTROL_CHANNEL_CLOSING;
}

void ControlChannel::slotSendClosePeerDone()
{
    if (isAbortRaised(&m_abort_flag))
        return;
    raiseAbortFlag(&m_abort_flag);
    emit sigClosePeerDone(m_peer_id);
}
