#include "kavelin/tcp-report-helper.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "kavelin/fragment-manager.h"
#include "kavelin/receipt-leftovers.h"
#include "kavelin/source-change.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-retry-budget.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"

namespace {

const char* const kComponent = "default_component";

// Resets per task, keyed by the store and the resume id; shared by every
// report connection of the process (several engines may run in one).
std::mutex g_reset_lock;
std::map<std::pair<const void*, uint64_t>, int> g_reset_counts;

int countReset(const void* store, uint64_t resume_id)
{
    std::lock_guard<std::mutex> guard(g_reset_lock);
    return ++g_reset_counts[{store, resume_id}];
}

void forgetResets(const void* store, uint64_t resume_id)
{
    std::lock_guard<std::mutex> guard(g_reset_lock);
    g_reset_counts.erase({store, resume_id});
}

} // namespace

TcpReportHelper::TcpReportHelper(TcpTransfer* transfer) : TcpHelper(transfer)
{
    m_type = TRANSFER_USE_REPORT;
}

TcpReportHelper::~TcpReportHelper()
{
}

int TcpReportHelper::verifyToken()
{
    return 0;
}

int TcpReportHelper::handleWrite()
{
    if (m_write_context.state == TRANSFER_DONE) {
        m_in_flight.clear();
        PObject batch;
        PObject::array_type& items = batch["array"].asArray();
        items.reserve(kMaxBatch);
        PObject report;
        while (items.size() < kMaxBatch &&
               m_transfer->getController()->popReport(m_transfer->getPeerId(), report)) {
            m_in_flight.push_back(report);
            PObject item;
            item["command"] = static_cast<uint32_t>(C_REPORT);
            item["report"].swap(report);
            items.push_back(std::move(item));
            report.clear();
        }
        if (items.empty()) {
            m_transfer->controlWrite(false, 0);
            return 0;
        }
        m_write_context.stream.SetBatchSend(batch);
        m_write_context.state = TRANSFER_HEADER;
    }
    if (m_write_context.state == TRANSFER_HEADER) {
        int r = writeHeader();
        if (m_write_context.state == TRANSFER_DONE)
            m_in_flight.clear();
        return r;
    }
    return 0;
}

int TcpReportHelper::preAbort()
{
    if (m_write_context.state == TRANSFER_HEADER && !m_in_flight.empty()) {
        // Which items already reached the socket is unknown; sending one twice
        // is harmless (the far end ignores a report for a finished task),
        // losing one leaves a task running for ever.
        for (PObject& report : m_in_flight)
            m_transfer->getController()->pushReport(m_transfer->getPeerId(), report);
        QM_LOG(Logger::L_INFO, kComponent, L"[INFO] tcp-report-helper(%d): requeued %d reports\n",
               static_cast<int>(m_in_flight.size()));
    }
    m_in_flight.clear();
    m_write_context.state = TRANSFER_DONE;
    return 0;
}

int TcpReportHelper::processHeader()
{
    if (!m_read_header.hasMember("report")) {
        m_error_code = ProjectVardo::ERR_SYS;
        return -1;
    }
    PObject report;
    report.swap(m_read_header["report"]);
    const token_t token = report["token"].asUInt64();
    VardoCoreManager* manager = m_transfer->getManager();
    const uint64_t peer_id = m_transfer->getPeerId();

    ResumeInfo info;
    if (!manager->getResumeInfoFromToken(token, info)) {
        if (report.hasMember("abort") && token != 0) {
            manager->abortUnknownToken(token);
            QM_LOG(Logger::L_INFO, kComponent, L"[INFO] tcp-report-helper(%d): Add token %llu to abort set\n",
                   static_cast<unsigned long long>(token));
        } else {
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-report-helper(%d): Drop report %s for an unexist token %llu\n",
                   report.toString(), static_cast<unsigned long long>(token));
        }
        return 0;
    }

    PObject update;
    update["resume_id"] = static_cast<uint64_t>(info.resume_id);
    if (report.hasMember("status")) {
        update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_DONE);
        manager->updatePartialInfo(update);
        forgetResets(manager, info.resume_id);
        TransferRetryBudget::forget(manager, info.resume_id);
        // A slot under the peer's concurrency is free again.
        m_transfer->getController()->controlPeerWrite(peer_id, true, TRANSFER_USE_ACTIVE);
    } else if (report.hasMember("fragments")) {
        if (m_transfer->getController()->taskIsBeingSent(peer_id, token)) {
            // A word on an earlier push that broke: the push under way ends
            // with a word of its own.
            QM_LOG(Logger::L_DEBUG, kComponent, L"[DEBUG] tcp-report-helper(%d): token %llu is being sent, "
                   L"fragments report left aside\n", static_cast<unsigned long long>(token));
            return 0;
        }
        // The peer's word on what it holds decides what is not sent again:
        // a range outside the file, reversed, or beyond the count we keep is
        // not trusted (sending a byte twice is harmless, skipping one is not).
        // It also answers the question of a push that broke (the error).
        PObject held = validFragments(report["fragments"], info.total);
        std::vector<FileFragment> ranges;
        for (const PObject& range : held.asArray())
            ranges.push_back({range["begin"].asUInt64(), range["end"].asUInt64()});
        const uint64_t progress = FragmentManager(info.total, ranges).getProgress();
        update["fragments"] = held;
        update["progress"] = std::min(progress, info.total);
        // A paused task keeps its state, and so does one that failed: a late
        // word from the peer does not start it again.
        const bool failed = info.local_state == ResumeInfo::RI_ERROR;
        if (info.error == ProjectVardo::ERR_IO && !failed)
            update["error"] = static_cast<uint32_t>(ProjectVardo::ERR_OK);
        if (info.local_state != ResumeInfo::RI_PAUSED && !failed)
            update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_WAITING);
        manager->updatePartialInfo(update);
        m_transfer->getController()->controlPeerWrite(peer_id, true, TRANSFER_USE_ACTIVE);
    } else if (report.hasMember("pause")) {
        update["remote_state"] = static_cast<uint32_t>(ResumeInfo::RI_PAUSED);
        manager->updatePartialInfo(update);
    } else if (report.hasMember("abort")) {
        manager->removeInfo(info.resume_id);
        forgetResets(manager, info.resume_id);
        TransferRetryBudget::forget(manager, info.resume_id);
    } else if (report.hasMember("error_code")) {
        applyError(report, info);
    }
    return 0;
}

PObject TcpReportHelper::validFragments(const PObject& reported, uint64_t total)
{
    PObject valid;
    PObject::array_type& kept = valid.asArray();
    if (!reported.isArray())
        return valid;
    for (const PObject& range : reported.asArray()) {
        if (kept.size() == kMaxReportedFragments)
            break;
        if (!range.isMap())
            continue;
        const uint64_t begin = range["begin"].asUInt64();
        const uint64_t end = range["end"].asUInt64();
        if (begin > end || end > total)
            continue;
        PObject fragment;
        fragment["begin"] = begin;
        fragment["end"] = end;
        kept.push_back(std::move(fragment));
    }
    return valid;
}

void TcpReportHelper::applyError(const PObject& report, ResumeInfo& info)
{
    const uint64_t code = report["error_code"].asUInt64();
    int32_t error = ProjectVardo::ERR_SYS;
    uint32_t remote_state = ResumeInfo::RI_ERROR;
    bool keep_error = false;
    switch (code) {
    case ProjectVardo::ERR_LOCAL_DISKFULL:
        error = ProjectVardo::ERR_REMOTE_DISKFULL;
        break;
    case ProjectVardo::ERR_LOCAL_FBIG:
        error = ProjectVardo::ERR_REMOTE_FBIG;
        break;
    case ProjectVardo::ERR_NO_SUCH_FILE:
    case ProjectVardo::ERR_TEMP_LOST:
    case ProjectVardo::ERR_NO_PERM:
    case ProjectVardo::ERR_SHARE_QUOTA:
    case ProjectVardo::ERR_USER_QUOTA:
        error = static_cast<int32_t>(code);
        break;
    case ProjectVardo::ERR_JOB_PAUSED:
        remote_state = ResumeInfo::RI_PAUSED;
        keep_error = true;
        break;
    case ProjectVardo::ERR_INVALID_TOKEN:
    case ProjectVardo::ERR_TOKEN_COLLISION:
        resetTask(info, code);
        return;
    case ProjectVardo::ERR_SOURCE_CHANGED:
        if (m_transfer->getTransferSide() != TRANSFER_SIDE_SERVER) {
            sourceChanged(info);
            return;
        }
        error = ProjectVardo::ERR_SOURCE_CHANGED;
        break;
    default:
        break;
    }
    PObject update;
    update["resume_id"] = static_cast<uint64_t>(info.resume_id);
    update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_ERROR);
    update["remote_state"] = remote_state;
    update["error"] = keep_error ? info.error : error;
    // A failed upload shows what the receiver said it holds (a pause is no
    // failure: its word on the holdings follows).
    if (info.command == C_PUSH && code != ProjectVardo::ERR_JOB_PAUSED)
        update["progress"] = std::min(FragmentManager(info.total, info.fragments).getProgress(), info.total);
    m_transfer->getManager()->updatePartialInfo(update);
    if (code != ProjectVardo::ERR_JOB_PAUSED && m_transfer->getTransferSide() != TRANSFER_SIDE_SERVER)
        ReceiptLeftovers::dropFailedReceipt(m_transfer->getManager(), info.resume_id);
}

void TcpReportHelper::sourceChanged(const ResumeInfo& info)
{
    VardoCoreManager* manager = m_transfer->getManager();
    const uint64_t peer_id = m_transfer->getPeerId();
    if (m_transfer->getController()->taskIsBeingReceived(peer_id, info.token)) {
        // The push that carries the file now checks the version it gets
        // against what is held; the change still counts.
        if (!SourceChange::noteChange(manager, info.resume_id)) {
            PObject update;
            update["resume_id"] = static_cast<uint64_t>(info.resume_id);
            update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_ERROR);
            update["error"] = static_cast<uint32_t>(ProjectVardo::ERR_SOURCE_CHANGED);
            manager->updatePartialInfo(update);
        }
        return;
    }
    if (SourceChange::restartOrFail(manager, info.resume_id))
        m_transfer->getController()->controlPeerWrite(peer_id, true, TRANSFER_USE_ACTIVE);
}

void TcpReportHelper::resetTask(ResumeInfo& info, uint64_t code)
{
    VardoCoreManager* manager = m_transfer->getManager();
    // A push that broke on its way leaves the other end without the token
    // (the connection's unused tokens go with it): the question that
    // follows is refused, and the task starts afresh. That is no refusal of
    // the task, so it does not count.
    const bool lost_on_the_way = info.command == C_PUSH && info.error == ProjectVardo::ERR_IO;
    if (!lost_on_the_way && countReset(manager, info.resume_id) > kMaxTokenResets) {
        // The other end keeps refusing the task: stop restarting it.
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-report-helper(%d): task %llu refused %d times, give up\n",
               static_cast<unsigned long long>(info.resume_id), kMaxTokenResets + 1);
        forgetResets(manager, info.resume_id);
        PObject update;
        update["resume_id"] = static_cast<uint64_t>(info.resume_id);
        update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_ERROR);
        update["remote_state"] = static_cast<uint32_t>(ResumeInfo::RI_ERROR);
        update["error"] = static_cast<uint32_t>(code);
        manager->updatePartialInfo(update);
        return;
    }
    info.token = 0;
    info.progress = 0;
    info.last_progress = 0;
    info.error = ProjectVardo::ERR_OK;
    info.local_state = ResumeInfo::RI_WAITING;
    info.remote_state = ResumeInfo::RI_WAITING;
    info.fragments.clear();
    manager->updateInfo(info);
    m_transfer->getController()->controlPeerWrite(m_transfer->getPeerId(), true, TRANSFER_USE_ACTIVE);
}
