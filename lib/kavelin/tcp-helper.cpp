#include "kavelin/tcp-helper.h"

#include <mutex>

#include "kavelin/tcp-transfer.h"
#include "kavelin/token-info.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"

namespace {

const char* const kComponent = "default_component";

std::mutex g_path_mapper_lock;
TcpHelper::PathMapper g_path_mapper;

// A step that moved no byte still reports progress, so that only a finished
// unit of work yields 0.
int progressOf(const PSocketStream& stream)
{
    size_t n = stream.GetLastTransferredBytes();
    if (n == 0)
        return 1;
    return n > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(n);
}

} // namespace

TcpHelper::TcpHelper(TcpTransfer* transfer)
    : m_transfer(transfer),
      m_type(TRANSFER_USE_UNKNOWN),
      m_read_context(transfer->m_read_context),
      m_write_context(transfer->m_write_context),
      m_error_code(ProjectVardo::ERR_OK)
{
    setSocket(transfer->getSocket());
    m_read_context.state = TRANSFER_HEADER;
    m_write_context.state = TRANSFER_DONE;
}

TcpHelper::~TcpHelper()
{
}

bool TcpHelper::isIdle()
{
    return false;
}

int TcpHelper::preAbort()
{
    return 0;
}

void TcpHelper::setSocket(cross::socket_t socket)
{
    m_read_context.stream.SetSocket(socket);
    m_write_context.stream.SetSocket(socket);
}

void TcpHelper::setSpeed(uint64_t kib_per_second)
{
    if (m_type == TRANSFER_USE_ACTIVE)
        m_write_context.max_speed = kib_per_second;
    else
        m_read_context.max_speed = kib_per_second;
}

int TcpHelper::failStream(const wchar_t* what, const PSocketStream& stream, int stream_error)
{
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): %s (%d)\n", what, stream_error);
    int32_t code = ProjectVardo::convertFromSocketStreamError(stream_error);
    // A failure of the payload file says more by its errno (a refused
    // folder, a read-only volume) than the stream's code does.
    if (stream.GetLastFileError() != 0)
        code = ProjectVardo::convertFromLocalError(stream.GetLastFileError(), code);
    m_error_code = static_cast<ProjectVardo::ErrorCode>(code);
    return -1;
}

int TcpHelper::readHeader()
{
    PSocketStream& stream = m_read_context.stream;
    if (!stream.HasMoreObjectToRead()) {
        PSocketStream::ErrorCode r = stream.Recv(transferStepSize(m_read_context.max_speed));
        if (r == PSocketStream::ERR_WOULD_BLOCK)
            return progressOf(stream);
        if (r != PSocketStream::ERR_OK)
            return failStream(L"stream recv failed", stream, r);
    }
    m_read_header.clear();
    PSocketStream::ErrorCode r = stream.GetNextAvailibleReceivedObject(m_read_header);
    if (r == PSocketStream::ERR_WOULD_BLOCK)
        return progressOf(stream);
    if (r != PSocketStream::ERR_OK)
        return failStream(L"stream get next object failed", stream, r);
    if (skipObject())
        return 0;
    if (verifyToken() < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): verifyToken failed\n");
        return -1;
    }
    int processed = processHeader();
    if (processed < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): process header failed\n");
        return processed;
    }
    return 0;
}

int TcpHelper::writeHeader()
{
    PSocketStream& stream = m_write_context.stream;
    if (!stream.IsTransferring())
        stream.SetSend(m_write_header);
    PSocketStream::ErrorCode r = stream.Send(transferStepSize(m_write_context.max_speed));
    if (r == PSocketStream::ERR_WOULD_BLOCK)
        return progressOf(stream);
    if (r != PSocketStream::ERR_OK)
        return failStream(L"stream send failed", stream, r);
    m_write_context.state =
        m_write_header["command"].asUInt64() == C_PUSH ? TRANSFER_FILE : TRANSFER_DONE;
    return progressOf(stream);
}

int TcpHelper::handleRead()
{
    if (m_read_context.state == TRANSFER_HEADER)
        return readHeader();
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): Cannot handle read state %d in TcpHelper\n",
           static_cast<int>(m_read_context.state));
    return -1;
}

int TcpHelper::handleWrite()
{
    if (m_write_context.state == TRANSFER_HEADER)
        return writeHeader();
    if (m_write_context.state == TRANSFER_DONE) {
        m_transfer->controlWrite(false, 0);
        return 0;
    }
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): Cannot handle buffer state %d in TcpHelper\n",
           static_cast<int>(m_write_context.state));
    return -1;
}

int TcpHelper::verifyToken()
{
    const token_t token = m_read_header["token"].asUInt64();
    TokenInfo info;
    if (!m_transfer->getManager()->getTokenInfoFromToken(token, info)) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): Cannot find token %llu in vcm\n",
               static_cast<unsigned long long>(token));
        m_cached_info.token = token;
        m_error_code = ProjectVardo::ERR_INVALID_TOKEN;
        return -1;
    }
    if (info.is_collision) {
        m_error_code = ProjectVardo::ERR_TOKEN_COLLISION;
        return -1;
    }
    if (info.is_aborted) {
        QM_LOG(Logger::L_INFO, kComponent, L"[INFO] tcp-helper(%d): Get aborted token %llu\n",
               static_cast<unsigned long long>(token));
        m_error_code = ProjectVardo::ERR_TOKEN_ABORTED;
        return -1;
    }
    return 0;
}

void TcpHelper::updateResumeInfoProgress(SocketStreamContext& context, uint64_t progress,
                                         uint64_t begin, uint64_t end, bool force)
{
    if (end < begin)
        return;
    m_cached_info.progress = progress;
    std::vector<FileFragment>& fragments = m_cached_info.fragments;
    if (!fragments.empty()) {
        FileFragment& last = fragments.back();
        const uint64_t low = std::min(last.begin, begin);
        const uint64_t high = std::max(last.end, end);
        if (high - low <= (last.end - last.begin) + (end - begin)) {
            last.begin = low;
            last.end = high;
        } else {
            fragments.push_back({begin, end});
        }
    } else {
        fragments.push_back({begin, end});
    }
    publishProgress(context, force);
}

void TcpHelper::publishProgress(SocketStreamContext& context, bool force)
{
    const std::vector<FileFragment>& fragments = m_cached_info.fragments;
    const time_t now = time(nullptr);
    if (!force && context.last_update_time == now)
        return;
    PObject update;
    update["resume_id"] = static_cast<uint64_t>(m_cached_info.resume_id);
    update["progress"] = static_cast<uint64_t>(m_cached_info.progress);
    update["temp_path"] = std::string(m_cached_info.temp_path.c_str_utf8());
    PObject& list = update["fragments"];
    list.asArray();
    for (const FileFragment& fragment : fragments) {
        PObject item;
        item["begin"] = static_cast<uint64_t>(fragment.begin);
        item["end"] = static_cast<uint64_t>(fragment.end);
        list.asArray().push_back(std::move(item));
    }
    m_transfer->getManager()->updatePartialInfo(update);
    context.last_update_time = now;
}

void TcpHelper::setServerPathMapper(PathMapper mapper)
{
    std::lock_guard<std::mutex> guard(g_path_mapper_lock);
    g_path_mapper = std::move(mapper);
}

bool TcpHelper::mapServerPath(const std::string& wire_path, bool writing, ustring& local_path)
{
    PathMapper mapper;
    {
        std::lock_guard<std::mutex> guard(g_path_mapper_lock);
        mapper = g_path_mapper;
    }
    if (!mapper) {
        local_path = wire_path;
        return true;
    }
    return mapper(wire_path, writing, local_path);
}
