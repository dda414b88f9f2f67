#include "kavelin/tcp-passive-helper.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "file-op.h"
#include "kavelin/file-finisher.h"
#include "kavelin/fragment-manager.h"
#include "kavelin/receipt-leftovers.h"
#include "kavelin/source-change.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-retry-budget.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"
#include "stream_temp_file.h"

namespace {

const char* const kComponent = "default_component";

int stepResult(const PSocketStream& stream)
{
    size_t n = stream.GetLastTransferredBytes();
    return n > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(n);
}

// Makes sure the open file fd holds at least size bytes, so that a region
// can be written at that offset (bytes of a gap are zeros, and the task's
// fragments say they are missing), and closes it.
// 0, or the errno of the failure.
int extendAndClose(int fd, uint64_t size)
{
    struct stat st;
    int error = fstat(fd, &st) == 0 ? 0 : errno;
    if (error == 0 && static_cast<uint64_t>(st.st_size) < size && ftruncate(fd, static_cast<off_t>(size)) != 0)
        error = errno;
    ::close(fd);
    return error;
}

// The temporary file being resumed, grown to size.
int extendFile(const ustring& path, uint64_t size)
{
    const int fd = ::open(path.c_str_utf8(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    return fd < 0 ? errno : extendAndClose(fd, size);
}

// The volume of a destination that may not exist yet: its nearest existing
// folder decides.
bool destinationIsFat(const ustring& path)
{
    std::string probe = path.c_str_utf8();
    while (!probe.empty()) {
        if (IsFileExist(ustring(probe), false))
            return IsMSDOS(ustring(probe));
        size_t cut = probe.find_last_of('/');
        if (cut == std::string::npos)
            break;
        probe.resize(cut == 0 ? 1 : cut);
        if (cut == 0)
            return IsMSDOS(ustring(probe));
    }
    return false;
}

// The receive stream writes a file block by block: the block being filled
// reaches the file only when it is full or the stream lets it go. Bytes
// count as held once they are in the file, so that what the store says is
// held is there whatever happens to the connection.
uint64_t writtenUpTo(uint64_t position, uint64_t begin)
{
    const uint64_t block = cross::getPreferredBlockSize();
    const uint64_t written = block == 0 ? position : position - position % block;
    return std::max(written, begin);
}

uint64_t fileSize(const ustring& path)
{
    struct stat st;
    return stat(path.c_str_utf8(), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
}

PObject fragmentList(const std::vector<FileFragment>& fragments)
{
    PObject list;
    list.asArray();
    for (const FileFragment& fragment : fragments) {
        PObject item;
        item["begin"] = static_cast<uint64_t>(fragment.begin);
        item["end"] = static_cast<uint64_t>(fragment.end);
        list.asArray().push_back(std::move(item));
    }
    return list;
}

} // namespace

bool TcpPassiveHelper::fitsOnVolume(uint64_t total, bool fat)
{
    return !fat || total <= kFatMaxFileSize;
}

TcpPassiveHelper::TcpPassiveHelper(TcpTransfer* transfer)
    : TcpHelper(transfer), m_drop_next_file(false)
{
    m_type = TRANSFER_USE_PASSIVE;
}

TcpPassiveHelper::~TcpPassiveHelper()
{
    TcpPassiveHelper::announceFinished();
}

bool TcpPassiveHelper::isClientSide() const
{
    return m_transfer->getTransferSide() != TRANSFER_SIDE_SERVER;
}

bool TcpPassiveHelper::isIdle()
{
    // Between an accepted push header and its file object nothing is in
    // flight, yet the connection is busy with the task.
    return m_read_context.state == TRANSFER_HEADER && !m_read_context.stream.IsTransferring();
}

int TcpPassiveHelper::handleRead()
{
    m_transfer->adjustBandwidth(BT_READ, m_read_context.state == TRANSFER_FILE ? BA_REG : BA_UNREG);
    switch (m_read_context.state) {
    case TRANSFER_HEADER:
        return readHeader();
    case TRANSFER_FILE:
        return readFile();
    default:
        return 0;
    }
}

bool TcpPassiveHelper::skipObject()
{
    if (!m_drop_next_file)
        return false;
    m_drop_next_file = false;
    if (!m_read_header.hasMember("file"))
        return false;
    QM_LOG(Logger::L_INFO, kComponent, L"[INFO] tcp-passive-helper(%d): dropped the contents of a refused file\n");
    return true;
}

int TcpPassiveHelper::verifyToken()
{
    if (TcpHelper::verifyToken() == 0)
        return 0;
    if (m_read_header["command"].asUInt64() == C_PUSH)
        m_drop_next_file = true;
    return -1;
}

int TcpPassiveHelper::refuse(ProjectVardo::ErrorCode code, const wchar_t* why)
{
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-passive-helper(%d): refuse token %llu: %s\n",
           static_cast<unsigned long long>(m_read_header["token"].asUInt64()), why);
    // Only the token travels back; the store is not touched for a task that
    // is not ours.
    m_cached_info = ResumeInfo();
    m_cached_info.token = m_read_header["token"].asUInt64();
    m_error_code = code;
    return -1;
}

int TcpPassiveHelper::processHeader()
{
    const uint64_t command = m_read_header["command"].asUInt64();
    if (command == C_PULL)
        return processPullHeader();
    if (command == C_PUSH)
        return processPushHeader();
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-passive-helper(%d): TcpPassiveHelper cannot handle command %d\n",
           static_cast<int>(command));
    m_error_code = ProjectVardo::ERR_SYS;
    return -1;
}

int TcpPassiveHelper::makeResumeInfo(ResumeInfo& info)
{
    const token_t token = m_read_header["token"].asUInt64();
    ResumeInfo stored;
    if (m_transfer->getManager()->getResumeInfoFromToken(token, stored)) {
        if (stored.local_state == ResumeInfo::RI_PAUSED) {
            // The token alone goes back, so the other end learns of the pause.
            m_cached_info = ResumeInfo();
            m_cached_info.token = token;
            m_error_code = ProjectVardo::ERR_JOB_PAUSED;
            return -1;
        }
        if (isClientSide() && (stored.command != C_PULL || stored.peer_id != m_transfer->getPeerId()))
            return refuse(ProjectVardo::ERR_INVALID_TOKEN, L"not a download of this peer");
        info = stored;
        return 0;
    }
    if (isClientSide())
        return refuse(ProjectVardo::ERR_INVALID_TOKEN, L"no download task holds it");

    ResumeInfo created;
    created.token = token;
    created.peer_id = m_transfer->getPeerId();
    const bool pull = m_read_header["command"].asUInt64() == C_PULL;
    created.command = pull ? C_PUSH : C_PULL;
    created.is_udp = false;
    const std::string& from = m_read_header["from_path"].asStringRef();
    const std::string& to = m_read_header["path"].asStringRef();
    // The side that reads or writes locally maps its own path; the other
    // path names the far end's file and is kept as it came.
    if (pull) {
        if (!mapServerPath(from, false, created.path_from))
            return refuse(ProjectVardo::ERR_NO_PERM, L"path outside the shares");
        created.path_to = to;
    } else {
        if (!mapServerPath(to, true, created.path_to))
            return refuse(ProjectVardo::ERR_NO_PERM, L"path outside the shares");
        created.path_from = from;
    }
    info = created;
    return 0;
}

int TcpPassiveHelper::prepareReceiveTarget(uint64_t offset)
{
    PSocketStream& stream = m_read_context.stream;
    if (m_cached_info.temp_path.empty() && offset == 0) {
        stream.SetRecvLocation(m_cached_info.path_to);
        return 0;
    }
    int extend_error = 0;
    if (m_cached_info.temp_path.empty() || !IsFileExist(m_cached_info.temp_path, false)) {
        // No temporary file to resume: start a new one; what lies before the
        // offset is missing in the fragments and is asked for again. Files
        // an earlier run left for this destination are of no known version.
        ReceiptLeftovers::removeOrphans(m_transfer->getManager(), m_cached_info.path_to);
        m_cached_info.fragments.clear();
        // The destination's folder may have gone with the old temporary file.
        const std::string destination = m_cached_info.path_to.c_str_utf8();
        const size_t cut = destination.find_last_of('/');
        if (cut != std::string::npos && cut > 0) {
            const ustring folder(destination.substr(0, cut));
            if (!IsFileExist(folder, false))
                FSMKDir(folder, true);
        }
        // Random names can repeat: the new file is created exclusively, so
        // that it never writes into a file another task holds under that name.
        ustring temp;
        const int fd = openNewTemporaryFile(m_cached_info.path_to, temp);
        if (fd < 0) {
            // The name tried last is not ours: nothing may remove it later.
            const int error = errno;
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] tcp-passive-helper(%d): Cannot create temp file %s: %s (%d)\n", temp,
                   std::strerror(error), error);
            m_cached_info.temp_path.clear();
            m_error_code = static_cast<ProjectVardo::ErrorCode>(
                ProjectVardo::convertFromLocalError(error, ProjectVardo::ERR_TEMP_LOST));
            return -1;
        }
        m_cached_info.temp_path = temp;
        extend_error = extendAndClose(fd, offset);
    } else {
        extend_error = extendFile(m_cached_info.temp_path, offset);
    }
    if (extend_error != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-passive-helper(%d): Cannot prepare temp file %s: %s (%d)\n",
               m_cached_info.temp_path, std::strerror(extend_error), extend_error);
        m_error_code = static_cast<ProjectVardo::ErrorCode>(
            ProjectVardo::convertFromLocalError(extend_error, ProjectVardo::ERR_TEMP_LOST));
        return -1;
    }
    PObject target;
    PObject::binary_type region;
    region.offset = offset;
    region.path = m_cached_info.temp_path;
    target["file"]["data"] = region;
    stream.SetRecv(target);
    return 0;
}

int TcpPassiveHelper::makeReceivingInfo()
{
    if (makeResumeInfo(m_cached_info) < 0)
        return -1;
    const uint64_t offset = m_read_header["offset"].asUInt64();
    const uint64_t length = m_read_header["length"].asUInt64();
    if (length > UINT64_MAX - offset) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-passive-helper(%d): region %llu+%llu overflows\n",
               static_cast<unsigned long long>(offset), static_cast<unsigned long long>(length));
        m_error_code = ProjectVardo::ERR_SYS;
        return -1;
    }
    const uint64_t mtime = m_read_header["mtime"].asUInt64();
    if (SourceChange::holdsData(m_cached_info) &&
        ((m_cached_info.mtime != 0 && m_cached_info.mtime != mtime) || m_cached_info.total != offset + length)) {
        // What is held came from another version of the file: added to, it
        // would make a file that never existed. The file starts again here;
        // ranges before the offset are asked for again.
        QM_LOG(Logger::L_INFO, kComponent,
               L"[INFO] tcp-passive-helper(%d): token %llu is another version of its file (%llu bytes, mtime %llu; "
               L"held %llu bytes, mtime %llu): what is held is dropped\n",
               static_cast<unsigned long long>(m_cached_info.token), static_cast<unsigned long long>(offset + length),
               static_cast<unsigned long long>(mtime), static_cast<unsigned long long>(m_cached_info.total),
               static_cast<unsigned long long>(m_cached_info.mtime));
        SourceChange::dropHeld(m_cached_info);
    }
    m_cached_info.mtime = mtime;
    m_cached_info.total = offset + length;
    if (m_cached_info.total > kFatMaxFileSize &&
        !fitsOnVolume(m_cached_info.total, destinationIsFat(m_cached_info.path_to))) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-passive-helper(%d): Cannot save file (size %llu) on FAT32\n",
               static_cast<unsigned long long>(m_cached_info.total));
        m_error_code = ProjectVardo::ERR_LOCAL_FBIG;
        return -1;
    }
    m_cached_info.local_state = ResumeInfo::RI_RUNNING;
    m_cached_info.remote_state = ResumeInfo::RI_RUNNING;
    if (prepareReceiveTarget(offset) < 0)
        return -1;
    m_transfer->getManager()->updateInfo(m_cached_info);
    return 0;
}

int TcpPassiveHelper::processPushHeader()
{
    const token_t token = m_read_header["token"].asUInt64();
    if (m_transfer->getController()->taskIsBeingReceived(m_transfer->getPeerId(), token)) {
        // Another connection is receiving this file (a question or a second
        // push crossed it): two receipts into one temporary file would race
        // for it, and the receipt under way ends with its own word to the
        // sender. This one is dropped.
        QM_LOG(Logger::L_INFO, kComponent, L"[INFO] tcp-passive-helper(%d): token %llu is being received, "
               L"push left aside\n", static_cast<unsigned long long>(token));
        m_cached_info = ResumeInfo();
        m_drop_next_file = true;
        return 0;
    }
    if (makeReceivingInfo() == 0) {
        m_read_context.state = TRANSFER_FILE;
        return 0;
    }
    // Whatever refused the header, its file object must not land anywhere.
    m_drop_next_file = true;
    if (m_error_code != ProjectVardo::ERR_JOB_PAUSED && m_cached_info.resume_id != 0) {
        m_cached_info.local_state = ResumeInfo::RI_ERROR;
        m_transfer->getManager()->updateInfo(m_cached_info);
        if (isClientSide())
            ReceiptLeftovers::dropFailedReceipt(m_transfer->getManager(), m_cached_info.resume_id);
    }
    return -1;
}

int TcpPassiveHelper::fillMtimeSize(ResumeInfo& info)
{
    // The entry itself (a link is not a file to send); its resolved path is
    // not needed.
    struct stat st;
    if (::lstat(info.path_from.c_str_utf8(), &st) != 0) {
        m_error_code = errno == ENOENT || errno == ENOTDIR ? ProjectVardo::ERR_NO_SUCH_FILE : ProjectVardo::ERR_SYS;
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        m_error_code = ProjectVardo::ERR_NO_SUCH_FILE;
        return -1;
    }
    info.mtime = st.st_mtim.tv_sec < 0 ? 0
                                       : static_cast<uint64_t>(st.st_mtim.tv_sec) * 1000000 +
                                             static_cast<uint64_t>(st.st_mtim.tv_nsec) / 1000;
    info.total = static_cast<uint64_t>(st.st_size);
    return 0;
}

int TcpPassiveHelper::makePushInfo()
{
    if (makeResumeInfo(m_cached_info) < 0)
        return -1;
    if (m_cached_info.resume_id != 0 &&
        m_transfer->getController()->taskIsBeingSent(m_transfer->getPeerId(), m_cached_info.token)) {
        // The file is on its way already; a second push would carry it twice.
        QM_LOG(Logger::L_INFO, kComponent, L"[INFO] tcp-passive-helper(%d): token %llu is being sent, pull left aside\n",
               static_cast<unsigned long long>(m_cached_info.token));
        m_cached_info = ResumeInfo();
        return 0;
    }
    if (fillMtimeSize(m_cached_info) < 0)
        return -1;
    // The requester knows what it holds: resume from its first missing byte,
    // not from what this end believes it sent before a connection broke.
    const uint64_t offset = m_read_header["offset"].asUInt64();
    m_cached_info.fragments.clear();
    if (offset > 0 && offset <= m_cached_info.total)
        m_cached_info.fragments.push_back({0, offset});
    m_cached_info.progress = offset <= m_cached_info.total ? offset : 0;
    m_cached_info.error = ProjectVardo::ERR_OK;
    m_cached_info.local_state = ResumeInfo::RI_WAITING;
    m_cached_info.remote_state = ResumeInfo::RI_RUNNING;
    m_transfer->getManager()->updateInfo(m_cached_info);
    m_cached_info = ResumeInfo();
    return 0;
}

int TcpPassiveHelper::processPullHeader()
{
    if (isClientSide())
        return resumeOwnUpload();
    if (makePushInfo() == 0) {
        m_transfer->getController()->controlPeerWrite(m_transfer->getPeerId(), true, TRANSFER_USE_ACTIVE);
        return 0;
    }
    if (m_error_code != ProjectVardo::ERR_JOB_PAUSED && m_cached_info.resume_id != 0) {
        m_cached_info.local_state = ResumeInfo::RI_ERROR;
        m_transfer->getManager()->updateInfo(m_cached_info);
    }
    return -1;
}

int TcpPassiveHelper::resumeOwnUpload()
{
    // The server may ask again for an upload whose connection broke. Only an
    // upload of ours to this peer is sent, from its own source and its own
    // fragments; the header's paths are never read.
    const token_t token = m_read_header["token"].asUInt64();
    ResumeInfo stored;
    if (!m_transfer->getManager()->getResumeInfoFromToken(token, stored) || stored.command != C_PUSH ||
        stored.peer_id != m_transfer->getPeerId())
        return refuse(ProjectVardo::ERR_NO_PERM, L"this end sends only its own uploads");
    if (stored.local_state == ResumeInfo::RI_PAUSED) {
        m_cached_info = ResumeInfo();
        m_cached_info.token = token;
        m_error_code = ProjectVardo::ERR_JOB_PAUSED;
        return -1;
    }
    if (stored.local_state == ResumeInfo::RI_ERROR || stored.local_state == ResumeInfo::RI_WAITING) {
        PObject update;
        update["resume_id"] = static_cast<uint64_t>(stored.resume_id);
        update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_WAITING);
        m_transfer->getManager()->updatePartialInfo(update);
    }
    m_transfer->getController()->controlPeerWrite(m_transfer->getPeerId(), true, TRANSFER_USE_ACTIVE);
    return 0;
}

int TcpPassiveHelper::readFile()
{
    PSocketStream& stream = m_read_context.stream;
    if (!stream.HasMoreObjectToRead()) {
        PSocketStream::ErrorCode r = stream.Recv(transferStepSize(m_read_context.max_speed));
        if (r == PSocketStream::ERR_WOULD_BLOCK)
            return stepResult(stream);
        if (r != PSocketStream::ERR_OK)
            return failStream(L"stream recv failed", stream, r);
    }
    m_read_file.clear();
    PSocketStream::ErrorCode r = stream.GetNextAvailibleReceivedObject(m_read_file);
    if (updatePeeked(r == PSocketStream::ERR_OK) < 0)
        return -1;
    if (r == PSocketStream::ERR_WOULD_BLOCK)
        return stepResult(stream);
    if (r != PSocketStream::ERR_OK)
        return failStream(L"stream get next object failed", stream, r);
    if (processFile() < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-passive-helper(%d): failed to processFile, m_read_file: %s\n",
               m_read_file.toString());
        return -1;
    }
    m_read_context.state = TRANSFER_HEADER;
    m_transfer->adjustBandwidth(BT_READ, BA_UNREG);
    return stepResult(stream);
}

int TcpPassiveHelper::updatePeeked(bool done)
{
    PObject& object = done ? m_read_file : m_read_context.stream.GetCurrentObject();
    const PObject& file = static_cast<const PObject&>(object)["file"];
    const PObject& data = file["data"];
    if (!data.isBinary())
        return 0;
    const PObject::binary_type& region = data.asBinary();
    if (region.path.empty()) {
        if (!done)
            return 0;  // the target is made when the payload's length arrives
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-passive-helper(%d): no path after recv %s\n",
               object.toString());
        m_error_code = ProjectVardo::ERR_SYS;
        return -1;
    }
    bool force = done;  // the last progress before completion is always published
    if (m_cached_info.temp_path.empty()) {
        m_cached_info.temp_path = region.path;
        QM_LOG(Logger::L_DEBUG, kComponent, L"[DEBUG] tcp-passive-helper(%d): forcely update temp path (%s) -> (%s) \n",
               std::string(), region.path);
        force = true;
    }
    const uint64_t begin = m_read_header["offset"].asUInt64();
    const uint64_t position =
        done ? region.offset : writtenUpTo(m_read_context.stream.GetTransferredBytes(), begin);
    updateResumeInfoProgress(m_read_context, position, begin, position, force);
    return 0;
}

int TcpPassiveHelper::preAbort()
{
    endShort(false);
    return 0;
}

void TcpPassiveHelper::endShort(bool connection_failed)
{
    if (m_read_context.state != TRANSFER_FILE || m_cached_info.resume_id == 0)
        return;
    m_read_context.state = TRANSFER_HEADER;
    PSocketStream& stream = m_read_context.stream;
    const uint64_t begin = m_read_header["offset"].asUInt64();
    uint64_t position = stream.GetTransferredBytes();
    const PObject& data = static_cast<const PObject&>(stream.GetCurrentObject())["file"]["data"];
    if (m_cached_info.temp_path.empty() && data.isBinary())
        m_cached_info.temp_path = data.asBinary().path;
    // Letting the object go writes the block being filled to the file.
    stream.ClearState();
    if (!m_cached_info.temp_path.empty() && position > begin) {
        // A block that could not be written is not held.
        position = std::min(position, fileSize(m_cached_info.temp_path));
        if (position > begin)
            updateResumeInfoProgress(m_read_context, position, begin, position, false);
    }
    publishProgress(m_read_context, true);
    m_transfer->adjustBandwidth(BT_READ, BA_UNREG);
    QM_LOG(Logger::L_INFO, kComponent, L"[INFO] tcp-passive-helper(%d): push of token %llu ended short at %llu\n",
           static_cast<unsigned long long>(m_cached_info.token), static_cast<unsigned long long>(position));
    if (!connection_failed || isClientSide())
        return;
    // The client drives every task: tell it what is held here, so that its
    // next push starts at the first hole.
    std::vector<FileFragment> held;
    FragmentManager(m_cached_info.total, m_cached_info.fragments).getFragments(held);
    PObject report;
    report["token"] = static_cast<uint64_t>(m_cached_info.token);
    report["fragments"] = fragmentList(held);
    m_transfer->getController()->pushReport(m_transfer->getPeerId(), report);
}

int TcpPassiveHelper::takeReceivedFile()
{
    const int fd = m_read_context.stream.TakeReceivedFile();
    if (fd < 0)
        return -1;
    const PObject& data = static_cast<const PObject&>(m_read_file)["file"]["data"];
    if (data.isBinary() && data.asBinary().path == m_cached_info.temp_path)
        return fd;
    ::close(fd);
    return -1;
}

int TcpPassiveHelper::processFile()
{
    if (m_cached_info.temp_path.empty()) {
        m_error_code = ProjectVardo::ERR_SYS;
        return -1;
    }
    FragmentManager fragments(m_cached_info.total, m_cached_info.fragments);
    const bool finished = fragments.isFinished();
    int received = takeReceivedFile();
    VardoCoreManager* manager = m_transfer->getManager();
    TransferController* controller = m_transfer->getController();
    const uint64_t peer_id = m_transfer->getPeerId();
    const uint64_t resume_id = m_cached_info.resume_id;
    const token_t token = m_cached_info.token;
    PObject report;
    report["token"] = static_cast<uint64_t>(token);
    if (!finished) {
        if (received >= 0)
            ::close(received);
        std::vector<FileFragment> held;
        fragments.getFragments(held);
        report["fragments"] = fragmentList(held);
        m_finished.add(std::string(), [controller, peer_id, report]() mutable {
            controller->pushReport(peer_id, report);
        });
        m_cached_info = ResumeInfo();
        return 0;
    }

    // The file is synced and moved to its name with the others finished in
    // this wake-up. Its time is set through the descriptor the stream wrote
    // with, so that it reaches the disk with the data (without one, by name
    // once the file has its name); a failed time does not fail the task.
    const uint64_t mtime = m_cached_info.mtime;
    const bool timed = received >= 0 && mtime != 0 && FSUTimeFd(received, mtime) == 0;
    const ustring temp = m_cached_info.temp_path;
    const ustring destination = m_cached_info.path_to;
    report["status"] = "done";
    auto announce = [manager, controller, peer_id, resume_id, report, destination, mtime, timed]() mutable {
        if (mtime != 0 && !timed)
            FSUTime(destination, mtime, mtime);
        PObject update;
        update["resume_id"] = static_cast<uint64_t>(resume_id);
        update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_DONE);
        // The temporary name is gone with the rename: nothing to remove.
        update["temp_path"] = std::string();
        manager->updatePartialInfo(update);
        TransferRetryBudget::forget(manager, resume_id);
        controller->pushReport(peer_id, report);
    };
    // As a failure of the receipt: the task fails, keeps nothing, and the
    // other end hears of the error.
    auto failed = [manager, controller, peer_id, resume_id, token, temp, destination](int error, bool in_rename) {
        if (in_rename)
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] tcp-passive-helper(%d): Failed to rename from temp (%s) to target (%s): %s (%d)\n",
                   temp, destination, std::strerror(error), error);
        else
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] tcp-passive-helper(%d): Failed to flush temp (%s) to disk: %s (%d)\n", temp,
                   std::strerror(error), error);
        const uint32_t code = static_cast<uint32_t>(in_rename ? ProjectVardo::convertFromLocalError(
                                                                    error, ProjectVardo::ERR_TEMP_LOST)
                                                              : ProjectVardo::convertFromLocalError(error));
        if (resume_id != 0) {
            PObject update;
            update["resume_id"] = static_cast<uint64_t>(resume_id);
            update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_ERROR);
            update["error"] = code;
            manager->updatePartialInfo(update);
            ReceiptLeftovers::dropFailedReceipt(manager, resume_id);
        }
        PObject report;
        report["error_code"] = code;
        report["token"] = static_cast<uint64_t>(token);
        controller->pushReport(peer_id, report);
    };
    m_finished.addFile(received, temp.c_str_utf8(), destination.c_str_utf8(), announce, failed);
    m_finished_tokens.push_back(token);
    m_cached_info = ResumeInfo();
    return 0;
}

void TcpPassiveHelper::handOverFinished()
{
    if (m_finished.empty())
        return;
    TransferController* controller = m_transfer->getController();
    const uint64_t peer_id = m_transfer->getPeerId();
    // Done tasks free their places: the sending connections may start more.
    m_finished.add(std::string(),
                   [controller, peer_id] { controller->controlPeerWrite(peer_id, true, TRANSFER_USE_ACTIVE); });
    std::vector<FileFinisher::FileKey> files;
    for (uint64_t token : m_finished_tokens)
        files.emplace_back(peer_id, token);
    m_finished_tokens.clear();
    if (FileFinisher* finisher = controller->getFileFinisher())
        finisher->hand(m_finished, files);
    else
        m_finished.flush();
}

void TcpPassiveHelper::announceFinished()
{
    handOverFinished();
    m_transfer->getController()->settleFinishedFiles();
}

int TcpPassiveHelper::checkQuotaSpace(const ustring&, uint64_t)
{
    return 0;
}
