#include "kavelin/tcp-active-helper.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <algorithm>

#include "kavelin/fragment-manager.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"

namespace {

const char* const kComponent = "default_component";

} // namespace

TcpActiveHelper::TcpActiveHelper(TcpTransfer* transfer) : TcpHelper(transfer)
{
    m_type = TRANSFER_USE_ACTIVE;
}

TcpActiveHelper::~TcpActiveHelper()
{
}

int TcpActiveHelper::processHeader()
{
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-active-helper(%d): TcpActiveHelper should not process header!\n");
    m_error_code = ProjectVardo::ERR_SYS;
    return -1;
}

void TcpActiveHelper::makeWriteObjects(const ResumeInfo& info)
{
    // The fragments are what the receiver said it holds. An upload whose
    // last push broke or was cut before the receiver said anything (its
    // progress ran past what the receiver confirmed), or a record with no
    // hole while the receiver never said "done", asks first: a push of no
    // bytes at the end of the file, which the receiver answers with what it
    // holds (or finishes the file). Never start again from 0 while the
    // receiver may hold a prefix.
    FragmentManager fragments(info.total, info.fragments);
    std::vector<FileFragment> holes;
    fragments.getHoles(holes);
    const bool unconfirmed = info.command == C_PUSH &&
                             (info.error == ProjectVardo::ERR_IO || info.progress > fragments.getProgress());
    const bool ask = holes.empty() || unconfirmed;
    // The first hole never starts past the file, but the length below must
    // not wrap even if it did.
    const uint64_t offset = ask ? info.total : std::min(holes.front().begin, info.total);
    const uint64_t length = info.total - offset;

    m_write_header.clear();
    m_write_header["token"] = static_cast<uint64_t>(info.token);
    m_write_header["command"] = static_cast<uint32_t>(info.command);
    m_write_header["mtime"] = static_cast<uint64_t>(info.mtime);
    m_write_header["length"] = static_cast<uint64_t>(length);
    m_write_header["offset"] = static_cast<uint64_t>(offset);
    m_write_header["ea_size"] = static_cast<uint32_t>(0);
    m_write_header["path"] = std::string(info.path_to.c_str_utf8());
    m_write_header["from_path"] = std::string(info.path_from.c_str_utf8());

    PObject::binary_type region;
    region.offset = offset;
    region.length = length;
    region.path = info.path_from;
    m_write_file.clear();
    m_write_file["file"]["data"] = region;
}

int TcpActiveHelper::handleWrite()
{
    if (m_write_context.state == TRANSFER_DONE) {
        ResumeInfo next;
        if (m_transfer->isActivated() &&
            m_transfer->getManager()->getNextWaitingInfo(m_transfer->getTransferSeed(),
                                                         m_transfer->getConcurrent(), next)) {
            m_cached_info = next;
            m_acked_watch = false;
            m_push_shown = std::min(FragmentManager(next.total, next.fragments).getProgress(), next.total);
            makeWriteObjects(m_cached_info);
            m_processed_tokens.push_back(m_cached_info.token);
            m_write_context.state = TRANSFER_HEADER;
        } else {
            m_transfer->controlWrite(false, 0);
            return 0;
        }
    }
    m_transfer->adjustBandwidth(BT_WRITE, m_write_context.state == TRANSFER_FILE ? BA_REG : BA_UNREG);
    switch (m_write_context.state) {
    case TRANSFER_HEADER: {
        const int result = writeHeader();
        if (m_write_context.state == TRANSFER_DONE && m_cached_info.command == C_PULL)
            markHandedOver();
        return result;
    }
    case TRANSFER_FILE:
        return writeFile();
    default:
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-active-helper(%d): unexpected state = %d\n",
               static_cast<int>(m_write_context.state));
        return 0;
    }
}

int TcpActiveHelper::writeFile()
{
    PSocketStream& stream = m_write_context.stream;
    if (!stream.IsTransferring()) {
        stream.SetSend(m_write_file);
        // Only the version the header announced may follow it.
        stream.ExpectSendFile(m_cached_info.total, m_cached_info.mtime);
    }
    const uint64_t begin = m_write_header["offset"].asUInt64();
    PSocketStream::ErrorCode r = stream.Send(transferStepSize(m_write_context.max_speed));
    if (r == PSocketStream::ERR_OK) {
        m_transfer->adjustBandwidth(BT_WRITE, BA_UNREG);
        m_write_context.state = TRANSFER_DONE;
        publishSent(m_cached_info.total, true, true);
        m_acked_watch = m_cached_info.progress < m_cached_info.total;
    } else {
        const uint64_t position = stream.GetTransferredBytes();
        if (position >= begin)
            publishSent(position, false, false);
        if (r != PSocketStream::ERR_WOULD_BLOCK)
            return failStream(L"stream send failed", stream, r);
    }
    size_t n = stream.GetLastTransferredBytes();
    if (n == 0)
        return 1;
    return n > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(n);
}

void TcpActiveHelper::markHandedOver()
{
    // The request is on its way: the next task need not wait for the file.
    PObject update;
    update["resume_id"] = static_cast<uint64_t>(m_cached_info.resume_id);
    update["handed_over"] = static_cast<uint32_t>(1);
    m_transfer->getManager()->updatePartialInfo(update);
}

void TcpActiveHelper::publishSent(uint64_t position, bool force, bool all_sent)
{
    const time_t now = time(nullptr);
    if (!force && m_write_context.last_update_time == now)
        return;
    // Bytes handed to the socket are not bytes the receiver holds: only the
    // progress shown moves; the fragments wait for the receiver's report.
    // What the local stack has not yet seen acknowledged is not counted,
    // and only the receiver's word makes the file whole: a push whose last
    // bytes are on their way never shows all of it.
    const uint64_t total = m_cached_info.total;
    int queued = 0;
    if (ioctl(m_transfer->getSocket(), SIOCOUTQ, &queued) != 0 || queued < 0)
        queued = 0;
    uint64_t shown = position > static_cast<uint64_t>(queued) ? position - static_cast<uint64_t>(queued) : 0;
    if (total > 0 && shown >= total)
        shown = total - 1;
    // Never below what the receiver confirmed, never backwards in a push.
    shown = std::max(shown, m_push_shown);
    m_push_shown = shown;
    m_cached_info.progress = shown;
    PObject update;
    update["resume_id"] = static_cast<uint64_t>(m_cached_info.resume_id);
    update["progress"] = static_cast<uint64_t>(shown);
    // Every byte is in the link: the next file may follow at once, while
    // this one still shows only what the receiver is known to hold.
    if (all_sent)
        update["handed_over"] = static_cast<uint32_t>(1);
    m_transfer->getManager()->updatePartialInfo(update);
    m_write_context.last_update_time = now;
}

bool TcpActiveHelper::isTokenRunning(token_t token, ResumeInfo& info)
{
    if (!m_transfer->getManager()->getResumeInfoFromToken(token, info))
        return false;
    if (info.local_state != ResumeInfo::RI_RUNNING)
        return false;
    return !m_transfer->getController()->taskIsStillRunning(m_transfer->getPeerId(), token);
}

bool TcpActiveHelper::isIdle()
{
    if (m_acked_watch && m_write_context.state == TRANSFER_DONE) {
        ResumeInfo info;
        m_acked_watch = m_transfer->getManager()->getResumeInfoFromToken(m_cached_info.token, info) &&
                        info.local_state == ResumeInfo::RI_RUNNING;
        if (m_acked_watch) {
            publishSent(m_cached_info.total, false, false);
            m_acked_watch = m_cached_info.progress < m_cached_info.total;
        }
    }
    while (!m_processed_tokens.empty()) {
        const token_t token = m_processed_tokens.front();
        ResumeInfo info;
        if (isTokenRunning(token, info))
            return false;
        if (token == m_cached_info.token)
            break;
        m_processed_tokens.pop_front();
    }
    return m_write_context.state == TRANSFER_DONE;
}

int TcpActiveHelper::preAbort()
{
    // On the server side the client resumes every task: it pulls a download
    // again from what it holds, and asks before it pushes an upload again.
    if (m_transfer->getTransferSide() == TRANSFER_SIDE_SERVER)
        return 0;
    for (token_t token : m_processed_tokens) {
        ResumeInfo info;
        if (!isTokenRunning(token, info))
            continue;
        QM_LOG(Logger::L_INFO, kComponent, L"[INFO] tcp-active-helper(%d): token %llu is not yet done and need to retry\n",
               static_cast<unsigned long long>(token));
        info.local_state = ResumeInfo::RI_WAITING;
        // What of a pushed file reached the receiver is unknown: the next
        // push asks it first.
        if (info.command == C_PUSH)
            info.error = ProjectVardo::ERR_IO;
        m_transfer->getManager()->updateInfo(info);
    }
    return 0;
}
