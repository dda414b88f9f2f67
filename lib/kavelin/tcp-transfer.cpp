#include "kavelin/tcp-transfer.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include <event2/event.h>
#include <openssl/ssl.h>

#include "kavelin/tcp-active-helper.h"
#include "kavelin/tcp-client-init-helper.h"
#include "kavelin/tcp-passive-helper.h"
#include "kavelin/tcp-report-helper.h"
#include "kavelin/fragment-manager.h"
#include "kavelin/tcp-server-init-helper.h"
#include "kavelin/receipt-leftovers.h"
#include "kavelin/source-change.h"
#include "kavelin/transfer-retry-budget.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"
#include "lz4-processor.h"

namespace {

const char* const kComponent = "default_component";

// Failures that concern one task only: the connection stays open for the
// next header.
bool isTaskLevelError(int error)
{
    switch (error) {
    case ProjectVardo::ERR_INVALID_TOKEN:
    case ProjectVardo::ERR_TOKEN_COLLISION:
    case ProjectVardo::ERR_TOKEN_ABORTED:
    case ProjectVardo::ERR_NO_SUCH_FILE:
    case ProjectVardo::ERR_JOB_PAUSED:
    case ProjectVardo::ERR_NO_PERM:
        return true;
    default:
        return false;
    }
}

unsigned int clampWait(uint64_t us)
{
    return us > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<unsigned int>(us);
}

uint64_t steadyUs()
{
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

} // namespace

TcpTransfer::TcpTransfer(TransferController* controller)
    : Transfer(controller),
      m_ssl_ctx(nullptr),
      m_ssl(nullptr),
      m_compressor(nullptr),
      m_decompressor(nullptr),
      m_helper(nullptr),
      m_expected_use(TRANSFER_USE_UNKNOWN),
      m_bandwidth_registered{false, false},
      m_handshake_timeout_ms(kDefaultHandshakeTimeoutMs),
      m_handshake_deadline_event(nullptr)
{
}

TcpTransfer::~TcpTransfer()
{
    if (!m_abort)
        endCompressedStream();
    releaseHandshakeDeadline();
    adjustBandwidth(BT_WRITE, BA_UNREG);
    adjustBandwidth(BT_READ, BA_UNREG);
    delete m_helper;
    m_helper = nullptr;
    if (m_ssl) {
        SSL_free(m_ssl);
        m_ssl = nullptr;
    }
    if (m_ssl_ctx) {
        SSL_CTX_free(m_ssl_ctx);
        m_ssl_ctx = nullptr;
    }
    delete m_compressor;
    delete m_decompressor;
    m_compressor = nullptr;
    m_decompressor = nullptr;
}

int TcpTransfer::connect(const std::string& ip, int port)
{
    QM_LOG(Logger::L_INFO, kComponent, L"[INFO] tcp-transfer(%d): Connect to %s:%d\n", ip, port);
    m_ip = ip;
    m_port = port;
    int family = 0;
    cross::socket_t socket = cross::connect(cross::ConnectTcp, ip, port, family, false);
    if (socket == cross::INVALID_SOCKET_VALUE) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-transfer(%d): connect fail errno %d\n",
               cross::getSocketError());
        return -1;
    }
    m_socket = socket;
    changeHelper(TRANSFER_USE_CLIENT_INIT);
    m_helper->setSocket(m_socket);
    initEvent();
    controlWrite(true, 0);
    armHandshakeDeadline();
    return 0;
}

void TcpTransfer::armHandshakeDeadline()
{
    releaseHandshakeDeadline();
    m_handshake_deadline_event =
        event_new(m_controller->getEventBase(), -1, 0, event_handle_handshake_deadline, this);
    if (!m_handshake_deadline_event)
        return;
    timeval tv;
    tv.tv_sec = m_handshake_timeout_ms / 1000;
    tv.tv_usec = (m_handshake_timeout_ms % 1000) * 1000;
    event_add(m_handshake_deadline_event, &tv);
}

void TcpTransfer::releaseHandshakeDeadline()
{
    if (m_handshake_deadline_event) {
        event_free(m_handshake_deadline_event);
        m_handshake_deadline_event = nullptr;
    }
}

void TcpTransfer::event_handle_handshake_deadline(int, short, void* arg)
{
    TcpTransfer* transfer = static_cast<TcpTransfer*>(arg);
    const TransferUse use = transfer->getTransferUse();
    if (transfer->isAborted() || (use != TRANSFER_USE_CLIENT_INIT && use != TRANSFER_USE_SERVER_INIT))
        return;
    if (use == TRANSFER_USE_CLIENT_INIT)
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] tcp-transfer(%d): connect and handshake to %s:%d not done after %u ms, abort %llu\n",
               transfer->m_ip, transfer->m_port, transfer->m_handshake_timeout_ms,
               static_cast<unsigned long long>(transfer->m_transfer_seed));
    else
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] tcp-transfer(%d): accepted connection not through its handshake after %u ms, abort %llu\n",
               transfer->m_handshake_timeout_ms, static_cast<unsigned long long>(transfer->m_transfer_seed));
    transfer->abort();
}

int TcpTransfer::accept(cross::socket_t listen_socket)
{
    QM_LOG(Logger::L_INFO, kComponent, L"[INFO] tcp-transfer(%d): Accepting from sock (%d)\n",
           listen_socket);
    sockaddr_storage address;
    socklen_t length = sizeof(address);
    cross::socket_t socket = ::accept(listen_socket, reinterpret_cast<sockaddr*>(&address), &length);
    if (socket < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-transfer(%d): accept fail\n");
        return -1;
    }
    m_socket = socket;
    cross::setBlocking(m_socket, false);
    // Headers and reports are small writes that must not wait for the ACK
    // of the previous segment.
    int one = 1;
    setsockopt(m_socket, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
    changeHelper(TRANSFER_USE_SERVER_INIT);
    m_helper->setSocket(m_socket);
    initEvent();
    armHandshakeDeadline();
    return 0;
}

int TcpTransfer::handleRead()
{
    if (!m_helper)
        return -1;
    // Files finished in this wake-up go together to be made durable on
    // every way out of it: the passes read on only while the socket holds
    // bytes the sender has already sent, and the files then share their
    // syncs while the next ones arrive.
    struct WakeupEnd {
        TcpTransfer* transfer;
        ~WakeupEnd()
        {
            if (transfer->m_helper)
                transfer->m_helper->handOverFinished();
        }
    } wakeup_end{this};
    adjustBandwidth(BT_READ, BA_RESET);
    uint64_t wait = 0;
    for (int pass = 1;; ++pass) {
        const uint64_t received_before = m_read_context.stream.GetTotalReceivedBytes();
        const bool in_file = m_read_context.state == TRANSFER_FILE;
        const int r = readPass();
        if (r < 0)
            return r;
        if (!m_helper)
            return -1;
        if (in_file && m_read_context.stream.GetTotalReceivedBytes() > received_before)
            m_moved_payload = true;
        wait = 0;
        if (m_bandwidth_registered[BT_READ] && r > 0)
            wait = m_controller->getUsTimeWait(m_peer_id, this, BT_READ, static_cast<uint64_t>(r));
        if (wait > 0 || !mayReadOn(m_read_context.stream.GetTotalReceivedBytes() > received_before))
            break;
        if (pass == kMaxPassesPerWakeup) {
            // Decrypted bytes already inside the TLS layer do not make the
            // socket readable: come back for them on the loop's next turn.
            if (sslHasPending())
                wakeRead();
            break;
        }
    }
    controlRead(true, clampWait(wait));
    return 0;
}

int TcpTransfer::readPass()
{
    int r = 0;
    for (;;) {
        const ReadMark before = readMark();
        r = m_helper->handleRead();
        if (r < 0) {
            // What finished before the failure is announced first: the
            // error handling must find those tasks done.
            m_helper->announceFinished();
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-transfer(%d): handle error %d\n",
                   static_cast<int>(m_helper->getError()));
            handleError();
            if (!isTaskLevelError(m_helper->getError())) {
                m_failed = true;
                return r;
            }
            r = 0;  // nothing moved for the refused task
        }
        if (m_helper->isIdle() && m_expected_use != m_helper->getTransferUse()) {
            changeHelper(m_expected_use);
            if (!m_helper)
                return -1;
            if (hasMoreToRead())
                continue;
            break;
        }
        // Bytes the role cannot take yet (a TLS handshake waiting for its
        // peer behind a stray byte, say) must not hold the loop: a step
        // that neither took bytes in nor consumed any ends the pass.
        if (!hasMoreToRead() || readMark() == before)
            break;
    }
    return r;
}

TcpTransfer::ReadMark TcpTransfer::readMark()
{
    ReadMark mark;
    mark.received = m_read_context.stream.GetTotalReceivedBytes();
    mark.buffered = m_read_context.stream.GetBufferedBytes();
    mark.state = m_read_context.state;
    mark.helper = m_helper;
    return mark;
}

bool TcpTransfer::mayReadOn(bool pass_took_bytes)
{
    // Only a receiving role reads in several passes: the last pass took
    // bytes, so the socket (or the TLS layer) may hold more of the file, or
    // the next header and file behind a finished one.
    // A pass that took nothing met "would block", from the socket or from a
    // TLS record still missing bytes: the read event brings the rest.
    if (m_helper->getTransferUse() != TRANSFER_USE_PASSIVE)
        return false;
    return pass_took_bytes;
}

bool TcpTransfer::sslHasPending() const
{
    // SSL_has_pending also counts a partial record, which only the socket
    // can complete; waking for it would spin until its rest arrives.
    return m_ssl && SSL_pending(m_ssl) > 0;
}

int TcpTransfer::handleWrite()
{
    if (!m_helper)
        return -1;
    adjustBandwidth(BT_WRITE, BA_RESET);
    const TransferUse use = m_helper->getTransferUse();
    const bool sends_units = use == TRANSFER_USE_ACTIVE || use == TRANSFER_USE_REPORT;
    int r = 0;
    uint64_t wait = 0;
    for (int pass = 1;; ++pass) {
        const bool in_file = use == TRANSFER_USE_ACTIVE && m_write_context.state == TRANSFER_FILE;
        r = m_helper->handleWrite();
        if (r < 0) {
            handleError();
            m_failed = true;
            return r;
        }
        if (in_file && m_write_context.stream.GetLastTransferredBytes() > 0)
            m_moved_payload = true;
        if (r == 0 || !sends_units)
            break;
        if (use == TRANSFER_USE_ACTIVE && m_bandwidth_registered[BT_WRITE])
            wait = m_controller->getUsTimeWait(m_peer_id, this, BT_WRITE, static_cast<uint64_t>(r));
        // More while the socket takes every step and no limit asks to wait:
        // the rest of a file, or after a finished unit (a file, a pull
        // header, a batch of reports) the next one, or the finding that
        // there is none, which disarms the event without another wake-up.
        if (wait > 0 || pass == kMaxPassesPerWakeup)
            break;
        if (m_write_context.state == TRANSFER_HEADER ||
            (m_write_context.state == TRANSFER_FILE && m_write_context.stream.GetLastTransferredBytes() == 0))
            break;
    }
    if (r == 0)
        controlWrite(true, 1000000);
    else if (sends_units)
        controlWrite(true, clampWait(wait));
    else
        // A TLS handshake waiting for the peer resumes from the read event.
        controlWrite(!m_helper->handshakeWaitsForRead(), 0);
    if (m_helper->isIdle() && m_helper->getTransferUse() != m_expected_use) {
        changeHelper(m_expected_use);
        if (!m_helper)
            return -1;
    }
    return 0;
}

int TcpTransfer::handleError()
{
    if (!m_helper)
        return 0;
    const ProjectVardo::ErrorCode e = m_helper->getError();
    ResumeInfo& info = m_helper->getCachedResumeInfo();
    const TransferUse use = m_helper->getTransferUse();
    if (use != TRANSFER_USE_ACTIVE && use != TRANSFER_USE_PASSIVE)
        return 0;

    PObject report;
    report["error_code"] = static_cast<uint32_t>(e);
    report["token"] = static_cast<uint64_t>(info.token);
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-transfer(%d): Handle error %d token %llu, use %d\n",
           static_cast<int>(e), static_cast<unsigned long long>(info.token), static_cast<int>(use));
    // Whether the failure cut the task's header or contents short.
    const bool in_flight = use == TRANSFER_USE_ACTIVE ? m_write_context.state != TRANSFER_DONE
                                                      : m_read_context.state == TRANSFER_FILE;
    if (use == TRANSFER_USE_ACTIVE)
        m_helper->preAbort();
    else if (!isTaskLevelError(e))
        // Only a broken connection leaves a receipt to resume: after any
        // other failure the other end hears of the error, not of holdings.
        static_cast<TcpPassiveHelper*>(m_helper)->endShort(e == ProjectVardo::ERR_IO);
    if (use == TRANSFER_USE_PASSIVE && e == ProjectVardo::ERR_IO && m_transfer_side != TRANSFER_SIDE_SERVER)
        pullOrphansAgain(info.resume_id);
    if (info.token == 0)
        return 0;

    switch (e) {
    case ProjectVardo::ERR_SYS:
    case ProjectVardo::ERR_LOCAL_DISKFULL:
    case ProjectVardo::ERR_LOCAL_FBIG:
    case ProjectVardo::ERR_TOKEN_COLLISION:
    case ProjectVardo::ERR_NO_SUCH_FILE:
    case ProjectVardo::ERR_TEMP_LOST:
    case ProjectVardo::ERR_NO_PERM:
    case ProjectVardo::ERR_SHARE_QUOTA:
    case ProjectVardo::ERR_USER_QUOTA: {
        if (info.resume_id != 0) {
            PObject update;
            update["resume_id"] = static_cast<uint64_t>(info.resume_id);
            update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_ERROR);
            update["error"] = static_cast<uint32_t>(e);
            m_manager->updatePartialInfo(update);
            ReceiptLeftovers::dropFailedReceipt(m_manager, info.resume_id);
        }
        m_controller->pushReport(m_peer_id, report);
        return 0;
    }
    case ProjectVardo::ERR_INVALID_TOKEN:
    case ProjectVardo::ERR_JOB_PAUSED:
        m_controller->pushReport(m_peer_id, report);
        return 0;
    case ProjectVardo::ERR_IO: {
        if (info.resume_id == 0 || !m_manager->getResumeInfoFromResumeId(info.resume_id, info))
            return 0;
        if (m_transfer_side == TRANSFER_SIDE_SERVER) {
            // The client resumes the task from what the receiving end holds;
            // until it does, this end does not schedule it.
            if (info.local_state == ResumeInfo::RI_RUNNING && in_flight) {
                PObject update;
                update["resume_id"] = static_cast<uint64_t>(info.resume_id);
                update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_ERROR);
                update["error"] = static_cast<uint32_t>(ProjectVardo::ERR_IO);
                m_manager->updatePartialInfo(update);
            }
            return 0;
        }
        if (in_flight && giveUpAfterFailure(info, use))
            return 0;
        if (info.local_state == ResumeInfo::RI_RUNNING &&
            !(use == TRANSFER_USE_PASSIVE && info.command == C_PUSH)) {
            PObject update;
            update["resume_id"] = static_cast<uint64_t>(info.resume_id);
            update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_WAITING);
            update["error"] = static_cast<uint32_t>(ProjectVardo::ERR_IO);
            m_manager->updatePartialInfo(update);
        }
        return 0;
    }
    case ProjectVardo::ERR_SOURCE_CHANGED:
        sourceChanged(info);
        return 0;
    case ProjectVardo::ERR_REMOTE_DISKFULL:
    case ProjectVardo::ERR_REMOTE_FBIG:
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-transfer(%d): Cannot handle remote error\n");
        return -1;
    default:
        return 0;
    }
}

void TcpTransfer::sourceChanged(const ResumeInfo& info)
{
    // The other end learns that what it got of the file is worthless.
    PObject report;
    report["error_code"] = static_cast<uint32_t>(ProjectVardo::ERR_SOURCE_CHANGED);
    report["token"] = static_cast<uint64_t>(info.token);
    m_controller->pushReport(m_peer_id, report);
    if (info.resume_id == 0)
        return;
    if (m_transfer_side == TRANSFER_SIDE_SERVER) {
        // The client decides: it asks again for the file, or gives it up.
        PObject update;
        update["resume_id"] = static_cast<uint64_t>(info.resume_id);
        update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_ERROR);
        update["error"] = static_cast<uint32_t>(ProjectVardo::ERR_SOURCE_CHANGED);
        m_manager->updatePartialInfo(update);
        return;
    }
    if (SourceChange::restartOrFail(m_manager, info.resume_id))
        m_controller->controlPeerWrite(m_peer_id, true, TRANSFER_USE_ACTIVE);
}

void TcpTransfer::pullOrphansAgain(uint64_t current_resume_id)
{
    // A download asked for may have been on its way on this connection, its
    // header not yet read: nothing here knows its token, and the server
    // waits for this end to ask again. The server leaves a pull aside for a
    // file it is sending.
    askRunningPullsAgain(m_controller, m_peer_id, current_resume_id);
}

void TcpTransfer::askRunningPullsAgain(TransferController* controller, uint64_t peer_id, uint64_t except_resume_id)
{
    VardoCoreManager* manager = controller ? controller->getManager() : nullptr;
    if (!manager)
        return;
    // A file received whole but not yet announced is no orphan.
    controller->settleFinishedFiles();
    ResumeFilter filter;
    filter.check_peer_id = true;
    filter.peer_ids.push_back(peer_id);
    std::vector<ResumeInfo> infos;
    int total = 0;
    uint64_t download_speed = 0;
    uint64_t upload_speed = 0;
    if (!manager->getInfos(filter, infos, total, download_speed, upload_speed))
        return;
    for (const ResumeInfo& info : infos) {
        if (info.command != C_PULL || info.local_state != ResumeInfo::RI_RUNNING ||
            info.resume_id == except_resume_id || info.token == 0 || controller->taskIsStillRunning(peer_id, info.token))
            continue;
        PObject update;
        update["resume_id"] = static_cast<uint64_t>(info.resume_id);
        update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_WAITING);
        manager->updatePartialInfo(update);
    }
    controller->controlPeerWrite(peer_id, true, TRANSFER_USE_ACTIVE);
}

bool TcpTransfer::giveUpAfterFailure(const ResumeInfo& info, TransferUse use)
{
    // Only the end that receives knows what is held: its own record for a
    // download, the last report of the other end for an upload.
    const bool ours = (use == TRANSFER_USE_ACTIVE && info.command == C_PUSH) ||
                      (use == TRANSFER_USE_PASSIVE && info.command == C_PULL);
    if (!ours || (info.local_state != ResumeInfo::RI_RUNNING && info.local_state != ResumeInfo::RI_WAITING))
        return false;
    const uint64_t held = FragmentManager(info.total, info.fragments).getProgress();
    if (!TransferRetryBudget::noteFailure(m_manager, info.resume_id, held, info.total))
        return false;
    QM_LOG(Logger::L_ERR, kComponent,
           L"[ERROR] tcp-transfer(%d): task %llu gave up: its connection broke %d times in a row, each time "
           L"before the file got a step further (%llu of %llu bytes held)\n",
           static_cast<unsigned long long>(info.resume_id), TransferRetryBudget::kMaxStalledFailures,
           static_cast<unsigned long long>(held), static_cast<unsigned long long>(info.total));
    PObject update;
    update["resume_id"] = static_cast<uint64_t>(info.resume_id);
    update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_ERROR);
    update["error"] = static_cast<uint32_t>(ProjectVardo::ERR_IO);
    // A failed task shows what the receiver holds.
    update["progress"] = std::min(held, info.total);
    m_manager->updatePartialInfo(update);
    ReceiptLeftovers::dropFailedReceipt(m_manager, info.resume_id);
    return true;
}

void TcpTransfer::abort()
{
    // A report role hands back the reports of a batch that may not have
    // left, so that a broken report connection loses none of them.
    if (m_helper && m_helper->getTransferUse() == TRANSFER_USE_REPORT && !m_abort)
        m_helper->preAbort();
    if (!m_abort)
        endCompressedStream();
    releaseHandshakeDeadline();
    Transfer::abort();
}

int TcpTransfer::abortTransfer()
{
    if (!m_helper || m_helper->preAbort() == 0)
        Transfer::abort();
    return 0;
}

int TcpTransfer::abortTask(uint64_t token)
{
    if (!m_helper)
        return 0;
    const TransferUse use = m_helper->getTransferUse();
    if ((use == TRANSFER_USE_ACTIVE || use == TRANSFER_USE_PASSIVE) &&
        m_helper->getCachedResumeInfo().token == token) {
        const uint64_t resume_id = m_helper->getCachedResumeInfo().resume_id;
        // A receiving role first records what of the file it holds.
        if (use == TRANSFER_USE_PASSIVE)
            m_helper->preAbort();
        m_read_context.stream.ClearState();
        m_write_context.stream.ClearState();
        abortTransfer();
        // The server may have sent the next files asked for behind this one
        // on this connection already; closed here, they are lost on the way
        // and the server waits to be asked again.
        if (use == TRANSFER_USE_PASSIVE && m_transfer_side != TRANSFER_SIDE_SERVER)
            pullOrphansAgain(resume_id);
    }
    return 0;
}

void TcpTransfer::changeHelper(TransferUse use)
{
    if (m_helper)
        m_helper->announceFinished();
    delete m_helper;
    m_helper = nullptr;
    if (use != TRANSFER_USE_CLIENT_INIT && use != TRANSFER_USE_SERVER_INIT) {
        releaseHandshakeDeadline();
        if (m_role_started_us == 0)
            m_role_started_us = steadyUs();
    }
    switch (use) {
    case TRANSFER_USE_CLIENT_INIT:
        m_helper = new TcpClientInitHelper(this);
        break;
    case TRANSFER_USE_SERVER_INIT:
        m_helper = new TcpServerInitHelper(this);
        break;
    case TRANSFER_USE_ACTIVE:
        m_helper = new TcpActiveHelper(this);
        controlWrite(true, 0);
        break;
    case TRANSFER_USE_PASSIVE:
        m_helper = new TcpPassiveHelper(this);
        break;
    case TRANSFER_USE_REPORT:
        m_helper = new TcpReportHelper(this);
        controlWrite(true, 0);
        break;
    default:
        // A connection without a role can do nothing: end it at once.
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-transfer(%d): Unkown use\n");
        Transfer::abort();
        break;
    }
}

void TcpTransfer::adjustBandwidth(BandwidthType type, BandwidthAction action)
{
    if (type != BT_WRITE && type != BT_READ)
        return;
    bool& registered = m_bandwidth_registered[type];
    switch (action) {
    case BA_REG:
        if (registered)
            return;
        registered = true;
        break;
    case BA_UNREG:
        if (!registered)
            return;
        registered = false;
        break;
    case BA_RESET:
        if (!registered)
            return;
        break;
    }
    if (m_controller)
        m_controller->adjustBandwidth(m_peer_id, this, type, action);
}

TransferUse TcpTransfer::getTransferUse() const
{
    return m_helper ? m_helper->getTransferUse() : TRANSFER_USE_UNKNOWN;
}

bool TcpTransfer::hasProvenLink() const
{
    if (m_moved_payload)
        return true;
    return m_role_started_us != 0 && steadyUs() - m_role_started_us >= kProvenAfterMs * 1000ull;
}

bool TcpTransfer::isIdle()
{
    return m_helper ? m_helper->isIdle() : false;
}

uint64_t TcpTransfer::getProcessingToken()
{
    return m_helper ? m_helper->getCachedResumeInfo().token : 0;
}

bool TcpTransfer::isSendingTask(uint64_t token)
{
    return m_helper && m_helper->getTransferUse() == TRANSFER_USE_ACTIVE && m_write_context.state != TRANSFER_DONE &&
           m_helper->getCachedResumeInfo().token == token;
}

bool TcpTransfer::isReceivingTask(uint64_t token)
{
    return m_helper && m_helper->getTransferUse() == TRANSFER_USE_PASSIVE && m_read_context.state == TRANSFER_FILE &&
           m_helper->getCachedResumeInfo().token == token;
}

ProjectVardo::ErrorCode TcpTransfer::getLastError() const
{
    return m_helper ? m_helper->getError() : ProjectVardo::ERR_SYS;
}

bool TcpTransfer::hasMoreToRead()
{
    if (m_read_context.stream.HasMoreObjectToRead())
        return true;
    return m_decompressor && !m_decompressor->IsBufferEmpty();
}

void TcpTransfer::setMaxReadWrite(uint64_t max_read, uint64_t max_write)
{
    m_read_context.max_speed = max_read;
    m_write_context.max_speed = max_write;
}

void TcpTransfer::debugTransfer(PObject& out)
{
    out["01. m_transfer_seed"] = static_cast<uint64_t>(m_transfer_seed);
    out["02. m_socket"] = static_cast<uint32_t>(m_socket);
    out["03. m_expected_use"] = static_cast<int32_t>(m_expected_use);
    out["04. m_activated"] = m_activated;
    out["05. m_abort"] = m_abort;
    char pointer[100];
    snprintf(pointer, sizeof(pointer), "%p", static_cast<void*>(this));
    out["06. pointer"] = pointer;
}
