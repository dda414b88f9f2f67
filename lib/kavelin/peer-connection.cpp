#include "kavelin/peer-connection.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "kavelin/error-code.h"
#include "kavelin/fragment-manager.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-retry-budget.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"

namespace {

const char* const kComponent = "transfer_service_impl_debug";
const int kDefaultMtu = 1500;
const uint32_t kDefaultMaxTransfers = 3;

uint32_t wallClockSeconds() { return static_cast<uint32_t>(std::time(nullptr)); }

// The smaller non-zero limit; 0 means no limit.
uint64_t effectiveLimit(TransferSide side, uint64_t local, uint64_t shared)
{
    if (side == TRANSFER_SIDE_CLIENT || shared == 0)
        return local;
    if (local == 0)
        return shared;
    return std::min(local, shared);
}

} // namespace

PeerConnection::PeerConnection(TransferServiceController* controller, uint64_t peer_id, TransferSide side,
                               ConnectMethod method, const std::string& ip, int port)
    : m_peer_id(peer_id),
      m_side(side),
      m_method(method),
      m_ip(ip),
      m_port(port),
      m_mtu(kDefaultMtu),
      m_max_transfers(kDefaultMaxTransfers),
      m_local_max_output(0),
      m_local_max_input(0),
      m_shared_max_output(0),
      m_shared_max_input(0),
      m_encrypted(false),
      m_compressed(false),
      m_ssl_changed(false),
      m_last_read_time(0),
      m_controller(controller),
      m_bandwidths{BandwidthCalculator(0), BandwidthCalculator(0)},
      m_clock(&wallClockSeconds)
{
    touch();
}

PeerConnection::~PeerConnection()
{
    // Taken out of the list first: a connection may hand reports back to us
    // while it is destroyed, and that must not walk freed connections.
    std::list<TcpTransfer*> transfers;
    transfers.swap(m_tcp_transfers);
    for (TcpTransfer* transfer : transfers)
        delete transfer;
}

void PeerConnection::setClock(Clock clock)
{
    m_clock = std::move(clock);
    touch();
}

void PeerConnection::setMaxTransfer(int n)
{
    m_max_transfers = static_cast<uint32_t>(n);
    for (TcpTransfer* transfer : m_tcp_transfers)
        transfer->setConcurrent(n);
}

void PeerConnection::setLocalSpeedLimit(uint64_t output, uint64_t input)
{
    m_local_max_output = output;
    m_local_max_input = input;
    setSpeedLimit();
}

void PeerConnection::setSharedSpeedLimit(uint64_t output, uint64_t input)
{
    m_shared_max_output = output;
    m_shared_max_input = input;
    setSpeedLimit();
}

uint64_t PeerConnection::getOutputLimit() const
{
    return effectiveLimit(m_side, m_local_max_output, m_shared_max_output);
}

uint64_t PeerConnection::getInputLimit() const
{
    return effectiveLimit(m_side, m_local_max_input, m_shared_max_input);
}

void PeerConnection::setSpeedLimit()
{
    uint64_t output = getOutputLimit();
    uint64_t input = getInputLimit();
    QM_LOG(Logger::L_DEBUG, kComponent, L"[DEBUG] peer-connection(%d): peer %llu Speed limit is set to %llu, %llu\n",
           static_cast<unsigned long long>(m_peer_id), static_cast<unsigned long long>(output),
           static_cast<unsigned long long>(input));
    m_bandwidths[BT_WRITE].setMaxKBps(output);
    m_bandwidths[BT_READ].setMaxKBps(input);
}

uint64_t PeerConnection::getCurrentOutputSpeedKBps() { return m_bandwidths[BT_WRITE].getCurrentSpeed() >> 10; }

uint64_t PeerConnection::getCurrentInputSpeedKBps() { return m_bandwidths[BT_READ].getCurrentSpeed() >> 10; }

void PeerConnection::addTcpTransfer(TcpTransfer* transfer)
{
    if (!transfer)
        return;
    m_tcp_transfers.push_back(transfer);
    m_activity[transfer].last_busy = m_clock();
    // Put to use at once: left to the next tick, a request the other end
    // sends as soon as its handshake is done (a download's pull header)
    // would wait up to a second for this end's sending connection.
    activate(transfer);
}

void PeerConnection::activate(TcpTransfer* transfer)
{
    if (m_ssl_changed || transfer->isActivated())
        return;
    transfer->setActivated(true);
    transfer->controlWrite(true, 0);
}

void PeerConnection::removeTcpTransfer(TcpTransfer* transfer)
{
    m_tcp_transfers.remove(transfer);
    m_activity.erase(transfer);
    delete transfer;
}

void PeerConnection::countTransfers(PeerStatus& status)
{
    status = PeerStatus();
    bool any_idle = false;
    for (TcpTransfer* transfer : m_tcp_transfers) {
        // A connection without a role cannot be asked anything; it is
        // aborted and swept by the next adjustTransfers.
        if (!transfer->getHelper() || transfer->isAborted())
            continue;
        bool idle = transfer->isIdle();
        any_idle = any_idle || idle;
        switch (transfer->getTransferUse()) {
        case TRANSFER_USE_CLIENT_INIT:
        case TRANSFER_USE_SERVER_INIT:
            if (transfer->getExpectedUse() == TRANSFER_USE_ACTIVE)
                status.init_active.push_back(transfer);
            else if (transfer->getExpectedUse() == TRANSFER_USE_PASSIVE)
                status.init_passive.push_back(transfer);
            else
                status.init_report.push_back(transfer);
            break;
        case TRANSFER_USE_ACTIVE:
            (idle ? status.idle_active : status.using_active).push_back(transfer);
            break;
        case TRANSFER_USE_PASSIVE:
            (idle ? status.idle_passive : status.using_passive).push_back(transfer);
            break;
        case TRANSFER_USE_REPORT:
            status.report.push_back(transfer);
            break;
        default:
            break;
        }
    }
    if (any_idle)
        touch();
}

void PeerConnection::adjustTransfers()
{
    size_t failed_attempts = 0;
    bool proven = false;
    for (auto it = m_tcp_transfers.begin(); it != m_tcp_transfers.end();) {
        TcpTransfer* transfer = *it;
        if (!transfer->isAborted()) {
            if (!transfer->getHelper()) {
                transfer->abort();
            } else if (m_side == TRANSFER_SIDE_CLIENT && (transfer->isEncrypted() != m_encrypted ||
                                                          transfer->isCompressed() != m_compressed)) {
                transfer->abortTransfer();
            }
        }
        if (!transfer->isAborted()) {
            proven = proven || transfer->hasProvenLink();
            ++it;
            continue;
        }
        if (transfer->getLastError() == ProjectVardo::ERR_SSL_CHANGED) {
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] peer-connection(%d): Detect ssl changed\n");
            m_ssl_changed = true;
        }
        // Connections of old settings were ended by this end, not the link.
        const bool current = transfer->isEncrypted() == m_encrypted && transfer->isCompressed() == m_compressed;
        if (transfer->hasProvenLink())
            proven = true;
        else if (m_side == TRANSFER_SIDE_CLIENT && current)
            ++failed_attempts;
        it = m_tcp_transfers.erase(it);
        m_activity.erase(transfer);
        delete transfer;
    }
    if (m_ssl_changed)
        return;
    if (failed_attempts > 0)
        noteConnectFailure(failed_attempts);
    else if (proven)
        noteConnectSuccess();

    PeerStatus status;
    countTransfers(status);
    m_method = CM_TCP;
    if (m_side == TRANSFER_SIDE_CLIENT) {
        noteBusy(status);
        keepClientPool(status);
    }
    for (TcpTransfer* transfer : m_tcp_transfers)
        activate(transfer);
}

void PeerConnection::keepClientPool(const PeerStatus& status)
{
    // The task store is read at most once a tick, and only when a decision
    // turns on it.
    TaskDemand demand;
    bool demand_read = false;
    const std::function<const TaskDemand&()> taskDemand = [&]() -> const TaskDemand& {
        if (!demand_read) {
            demand_read = true;
            if (!readTaskDemand(demand))
                demand = TaskDemand();
        }
        return demand;
    };

    // One more of a use only when none is idle, none is on its way (a slow
    // handshake must not pile up connections) and the new one would get
    // work: a connection opened for nothing is closed again unused.
    if (status.idle_active.empty() && status.init_active.empty() && needsAnotherSender(status, taskDemand))
        openTcpTransfer(TRANSFER_USE_ACTIVE);
    // An idle sending connection holds no task; the spare ones go once they
    // have sat idle a while, even beside a busy one.
    closeSpareTcpTransfers(status.idle_active, status.using_active.empty() ? 1 : 0, true);

    if (status.idle_passive.empty() && status.init_passive.empty() && needsAnotherReceiver(status, taskDemand))
        openTcpTransfer(TRANSFER_USE_PASSIVE);
    // A receiving connection between two files looks idle, yet the server
    // may already be sending a pulled file on it: closing it would lose that
    // file with no error on either side. Spare receiving connections go only
    // once no download is out.
    if (status.idle_passive.size() > 1 && status.using_passive.empty() &&
        std::any_of(status.idle_passive.begin() + 1, status.idle_passive.end(),
                    [this](const TcpTransfer* transfer) { return hasSatIdle(transfer); }) &&
        taskDemand().pulls_out == 0)
        closeSpareTcpTransfers(status.idle_passive, 1, true);

    askQuietPullsAgain(status, taskDemand);

    // Exactly one report connection; it is never idle, so a second one goes
    // at once.
    if (status.report.empty() && status.init_report.empty())
        openTcpTransfer(TRANSFER_USE_REPORT);
    closeSpareTcpTransfers(status.report, 1, false);
}

bool PeerConnection::needsAnotherSender(const PeerStatus& status,
                                        const std::function<const TaskDemand&()>& demand) const
{
    if (status.using_active.empty())
        return true;  // none at all
    // A busy sending connection that is not writing only waits for the
    // outcome of tasks it sent, and one that writes small files takes the
    // next task within moments: either carries the waiting tasks itself.
    for (TcpTransfer* transfer : status.using_active)
        if (!transfer->isSendingTask(transfer->getProcessingToken()) || !isHeldByOneTask(transfer))
            return false;
    return demand().startable > 0;
}

bool PeerConnection::needsAnotherReceiver(const PeerStatus& status,
                                          const std::function<const TaskDemand&()>& demand) const
{
    if (status.using_passive.empty())
        return true;  // none at all
    // The server sends small files back to back on a busy receiving
    // connection; only one held by a long file leaves the other downloads
    // waiting at the server for a free connection.
    for (TcpTransfer* transfer : status.using_passive)
        if (!isHeldByOneTask(transfer))
            return false;
    return demand().pulls_out > status.using_passive.size();
}

bool PeerConnection::isHeldByOneTask(const TcpTransfer* transfer) const
{
    auto activity = m_activity.find(transfer);
    return activity != m_activity.end() && activity->second.task_since != 0 &&
           activity->second.task_since < m_clock();
}

bool PeerConnection::readTaskDemand(TaskDemand& demand)
{
    VardoCoreManager* manager = m_controller ? m_controller->getManager() : nullptr;
    PeerLoad load;
    if (!manager || !manager->getPeerLoad(m_peer_id, load))
        return false;
    demand = TaskDemand();
    demand.pulls_out = static_cast<size_t>(load.running_pulls);
    // The store's cap decides what may start, under its own rule of what
    // holds a slot.
    const uint64_t cap = m_max_transfers;
    if (cap == 0)
        demand.startable = static_cast<size_t>(load.waiting);
    else
        demand.startable = load.running_incomplete < cap
                               ? static_cast<size_t>(std::min(load.waiting, cap - load.running_incomplete))
                               : 0;
    return true;
}

void PeerConnection::openTcpTransfer(TransferUse use)
{
    if (connectBackoffLeft() > 0)
        return;
    if (m_tcp_transfers.size() >= kMaxTcpTransfers)
        return;
    TcpTransfer* transfer = new TcpTransfer(m_controller);
    transfer->setTransferSide(TRANSFER_SIDE_CLIENT);
    transfer->setPeerId(m_peer_id);
    transfer->setExpectedUse(use);
    transfer->setConcurrent(static_cast<int>(m_max_transfers));
    transfer->setEncrypted(m_encrypted);
    transfer->setCompressed(m_compressed);
    transfer->setSSLSignature(m_ssl_signature);
    if (m_handshake_timeout_ms != 0)
        transfer->setHandshakeTimeout(m_handshake_timeout_ms);
    if (transfer->connect(m_ip, m_port) < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] peer-connection(%d): Cannot connect to ip %s port %d\n",
               m_ip, m_port);
        delete transfer;
        return;
    }
    m_tcp_transfers.push_back(transfer);
    m_activity[transfer].last_busy = m_clock();
}

void PeerConnection::closeSpareTcpTransfers(const std::vector<TcpTransfer*>& idle, size_t keep, bool linger)
{
    // The vector is in list order, so the oldest idle connections stay.
    for (size_t i = keep; i < idle.size(); ++i) {
        if (!linger || hasSatIdle(idle[i]))
            removeTcpTransfer(idle[i]);
    }
}

void PeerConnection::askQuietPullsAgain(const PeerStatus& status, const std::function<const TaskDemand&()>& demand)
{
    // A server whose push broke before its header reached this end, or
    // that took a pull for a push about to break, leaves the download
    // waiting here for a file it will not send unasked. The server answers
    // a pull for a task it still has queued as the same request, and sets
    // one aside for a file it is sending, so asking again costs nothing.
    if (!status.using_passive.empty() || status.idle_passive.empty())
        return;
    const uint32_t now = m_clock();
    for (const TcpTransfer* transfer : status.idle_passive) {
        auto activity = m_activity.find(transfer);
        if (activity == m_activity.end() || now - activity->second.last_busy < kQuietPullSeconds)
            return;
    }
    if (now - m_pulls_asked_again < kQuietPullSeconds || demand().pulls_out == 0)
        return;
    QM_LOG(Logger::L_WARNING, kComponent,
           L"[WARNING] peer-connection(%d): peer %llu sent nothing for %u s with downloads asked for: asking again\n",
           static_cast<unsigned long long>(m_peer_id), kQuietPullSeconds);
    // The next question waits as long again.
    m_pulls_asked_again = now;
    TcpTransfer::askRunningPullsAgain(m_controller, m_peer_id, 0);
}

bool PeerConnection::hasSatIdle(const TcpTransfer* transfer) const
{
    auto activity = m_activity.find(transfer);
    return activity == m_activity.end() || m_clock() - activity->second.last_busy >= kSpareIdleSeconds;
}

void PeerConnection::noteBusy(const PeerStatus& status)
{
    const uint32_t now = m_clock();
    for (TcpTransfer* transfer : m_tcp_transfers) {
        auto entry = m_activity.emplace(transfer, Activity());
        Activity& activity = entry.first->second;
        if (entry.second)
            activity.last_busy = now;
        // A clock set back must not keep a connection for that long.
        if (activity.last_busy > now)
            activity.last_busy = now;
        if (activity.task_since > now)
            activity.task_since = now;
    }
    for (const std::vector<TcpTransfer*>* busy : {&status.init_active, &status.init_passive, &status.init_report,
                                                  &status.report})
        for (TcpTransfer* transfer : *busy)
            m_activity[transfer].last_busy = now;
    for (const std::vector<TcpTransfer*>* working : {&status.using_active, &status.using_passive}) {
        for (TcpTransfer* transfer : *working) {
            Activity& activity = m_activity[transfer];
            activity.last_busy = now;
            const uint64_t task = transfer->getProcessingToken();
            if (activity.task_since == 0 || activity.task != task) {
                activity.task_since = now;
                activity.task = task;
            }
        }
    }
    for (const std::vector<TcpTransfer*>* idle : {&status.idle_active, &status.idle_passive})
        for (TcpTransfer* transfer : *idle)
            m_activity[transfer].task_since = 0;
}

uint32_t PeerConnection::connectBackoffLeft() const
{
    const uint32_t now = m_clock();
    return m_next_connect_time > now ? m_next_connect_time - now : 0;
}

void PeerConnection::noteConnectFailure(size_t failed)
{
    // The attempts of one round (a connection of each use) are one failure.
    m_backoff_seconds =
        m_backoff_seconds == 0 ? kFirstBackoffSeconds : std::min(kMaxBackoffSeconds, 2 * m_backoff_seconds);
    m_next_connect_time = m_clock() + m_backoff_seconds;
    QM_LOG(Logger::L_ERR, kComponent,
           L"[ERROR] peer-connection(%d): %d data connection(s) to %s:%d failed before working, next attempt in %u s\n",
           static_cast<int>(failed), m_ip, m_port, m_backoff_seconds);
    giveUpWaitingTasks();
}

void PeerConnection::noteConnectSuccess()
{
    m_backoff_seconds = 0;
    m_next_connect_time = 0;
}

void PeerConnection::giveUpWaitingTasks()
{
    VardoCoreManager* manager = m_controller ? m_controller->getManager() : nullptr;
    if (!manager)
        return;
    ResumeFilter filter;
    filter.check_peer_id = true;
    filter.peer_ids.push_back(m_peer_id);
    std::vector<ResumeInfo> infos;
    int total = 0;
    uint64_t download_speed = 0;
    uint64_t upload_speed = 0;
    if (!manager->getInfos(filter, infos, total, download_speed, upload_speed))
        return;
    for (const ResumeInfo& info : infos) {
        // Only this end's own tasks that wait for a connection to move them.
        if ((info.command != C_PUSH && info.command != C_PULL) ||
            (info.local_state != ResumeInfo::RI_WAITING && info.local_state != ResumeInfo::RI_RUNNING))
            continue;
        const uint64_t held = FragmentManager(info.total, info.fragments).getProgress();
        if (!TransferRetryBudget::noteFailure(manager, info.resume_id, held, info.total))
            continue;
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] peer-connection(%d): task %llu gave up: no data connection to %s:%d worked in %d "
               L"attempts\n",
               static_cast<unsigned long long>(info.resume_id), m_ip, m_port,
               TransferRetryBudget::kMaxStalledFailures);
        PObject update;
        update["resume_id"] = static_cast<uint64_t>(info.resume_id);
        update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_ERROR);
        update["error"] = static_cast<uint32_t>(ProjectVardo::ERR_CONNECTION_LOST);
        manager->updatePartialInfo(update);
    }
}

void PeerConnection::checkTransfers()
{
    for (TcpTransfer* transfer : m_tcp_transfers) {
        if (transfer->isAborted())
            continue;
        if (transfer->isEncrypted() != m_encrypted || transfer->isCompressed() != m_compressed) {
            if (transfer->getHelper())
                transfer->abortTransfer();
            else
                transfer->abort();
        }
    }
    adjustTransfers();
}

bool PeerConnection::checkConnection()
{
    PeerStatus status;
    countTransfers(status);
    if (!status.idle_active.empty() && !status.idle_passive.empty() && !status.report.empty())
        return true;
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] peer-connection(%d): TCP not available for peer %llu\n",
           static_cast<unsigned long long>(m_peer_id));
    return false;
}

bool PeerConnection::isDisconnected() const
{
    if (m_ssl_changed)
        return true;
    uint32_t now = m_clock();
    return now > m_last_read_time && now - m_last_read_time > kDisconnectSeconds;
}

void PeerConnection::controlWrite(bool on, TransferUse use)
{
    QM_LOG(Logger::L_DEBUG, kComponent,
           L"[DEBUG] peer-connection(%d): transfer size = %d, peer_id = %llu, use = %d, on = %d, method = %d\n",
           static_cast<int>(m_tcp_transfers.size()), static_cast<unsigned long long>(m_peer_id),
           static_cast<int>(use), static_cast<int>(on), static_cast<int>(m_method));
    for (TcpTransfer* transfer : m_tcp_transfers) {
        if (!transfer->getHelper() || transfer->getTransferUse() != use)
            continue;
        if (on)
            transfer->kickWrite();
        else
            transfer->controlWrite(false, 0);
    }
}

int PeerConnection::abortTask(const token_t& token)
{
    for (TcpTransfer* transfer : m_tcp_transfers) {
        if (transfer->getHelper() && !transfer->isAborted())
            transfer->abortTask(token);
    }
    return 0;
}

bool PeerConnection::taskIsStillRunning(token_t token)
{
    if (m_method != CM_TCP)
        return true;
    for (TcpTransfer* transfer : m_tcp_transfers) {
        if (transfer->getHelper() && transfer->getTransferUse() == TRANSFER_USE_PASSIVE && !transfer->isIdle() &&
            transfer->getProcessingToken() == token)
            return true;
    }
    return false;
}

bool PeerConnection::taskIsBeingReceived(token_t token)
{
    for (TcpTransfer* transfer : m_tcp_transfers)
        if (!transfer->isAborted() && transfer->isReceivingTask(token))
            return true;
    return false;
}

bool PeerConnection::taskIsBeingSent(token_t token)
{
    for (TcpTransfer* transfer : m_tcp_transfers)
        if (!transfer->isAborted() && transfer->isSendingTask(token))
            return true;
    return false;
}

void PeerConnection::adjustBandwidth(void* transfer, BandwidthType type, BandwidthAction action)
{
    if (type < BT_WRITE || type >= BT_MAX)
        return;
    m_bandwidths[type].adjustBandwidth(transfer, action);
}

uint64_t PeerConnection::getUsTimeWait(void* transfer, BandwidthType type, uint64_t bytes)
{
    if (type < BT_WRITE || type >= BT_MAX)
        return 0;
    // Bytes moving prove the peer alive even while every connection is busy.
    if (bytes > 0)
        touch();
    return m_bandwidths[type].getUsTimeWait(transfer, bytes);
}

void PeerConnection::pushReport(PObject& report)
{
    m_report_queue.emplace_back();
    m_report_queue.back().swap(report);
    controlWrite(true, TRANSFER_USE_REPORT);
}

bool PeerConnection::popReport(PObject& report)
{
    if (m_report_queue.empty())
        return false;
    report.swap(m_report_queue.front());
    m_report_queue.pop_front();
    return true;
}

void PeerConnection::reportAbort(token_t token, bool pause)
{
    PObject report;
    report[pause ? "pause" : "abort"] = true;
    report["token"] = static_cast<PObject::integer_type>(token);
    pushReport(report);
}

void PeerConnection::debugPeerConnection(PObject& out)
{
    out["01. m_peer_id"] = static_cast<PObject::integer_type>(m_peer_id);
    out["02. m_side"] = m_side == TRANSFER_SIDE_CLIENT ? "client" : "server";
    out["03. m_method"] = m_method == CM_AUTO ? "AUTO" : (m_method == CM_TCP ? "TCP" : "UDP");
    out["04. m_ip"] = m_ip;
    out["05. m_port"] = static_cast<int32_t>(m_port);
    out["06. m_max_transfers"] = static_cast<uint32_t>(m_max_transfers);
    out["07. m_local_max_output"] = static_cast<PObject::integer_type>(m_local_max_output);
    out["08. m_local_max_input"] = static_cast<PObject::integer_type>(m_local_max_input);
    out["09. m_shared_max_output"] = static_cast<PObject::integer_type>(m_shared_max_output);
    out["10. m_shared_max_input"] = static_cast<PObject::integer_type>(m_shared_max_input);
    out["15. m_encrypted"] = m_encrypted;
    out["16. m_compressed"] = m_compressed;
    out["17. m_mtu"] = static_cast<int32_t>(m_mtu);

    PeerStatus status;
    countTransfers(status);
    PObject counts;
    counts["init_active"] = static_cast<int32_t>(status.init_active.size());
    counts["init_passive"] = static_cast<int32_t>(status.init_passive.size());
    counts["init_report"] = static_cast<int32_t>(status.init_report.size());
    counts["idle_active"] = static_cast<int32_t>(status.idle_active.size());
    counts["using_active"] = static_cast<int32_t>(status.using_active.size());
    counts["idle_passive"] = static_cast<int32_t>(status.idle_passive.size());
    counts["using_passive"] = static_cast<int32_t>(status.using_passive.size());
    counts["report"] = static_cast<int32_t>(status.report.size());
    out["18. transfer status"] = counts;

    PObject transfers;
    transfers.asArray();
    for (TcpTransfer* transfer : m_tcp_transfers) {
        PObject item;
        transfer->debugTransfer(item);
        transfers.asArray().push_back(item);
    }
    out["20. m_tcp_transfers"] = transfers;
    PObject reports;
    reports.asArray();
    for (const PObject& report : m_report_queue)
        reports.asArray().push_back(report);
    out["21. report_queue"] = reports;
}
