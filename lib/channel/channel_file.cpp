// File regions over a channel: the system paths (sendfile, mapped receive)
// and the digest-feeding fallbacks.
#include <cerrno>
#include <vector>

#include "bio/buffered_io_base.h"
#include "channel/channel.h"
#include "channel/channel_controller.h"
#include "channel_internal.h"
#include "io/file.h"

namespace {

// Block size of the fallback paths.
const size_t kFallbackBlock = 81920;

// Sets and clears the controller's reporter around one transfer.
class ReporterScope {
public:
    ReporterScope(ChannelController* controller, Channel::ProgressReporter* reporter) : m_controller(controller)
    {
        m_controller->reporter = reporter;
    }
    ~ReporterScope() { m_controller->reporter = nullptr; }

private:
    ChannelController* m_controller;
};

int FileWriteError(int err)
{
    if (err == ENOSPC)
        return ERR_DISKFULL;
    if (err == EFBIG)
        return ERR_FILE_TOO_BIG;
    return ERR_IO;
}

}  // namespace

int Channel::Sendfile(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter)
{
    // Only the fallback feeds the digest.
    if (m_hash_handler)
        return SendfileFallback(fd, off, len, reporter);
    return SendfileSystem(fd, off, len, reporter);
}

int Channel::SendfileSystem(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter)
{
    if (!m_bio) {
        QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): Write failed: channel has been closed.\n");
        return ERR_IO;
    }
    qelt::File file(fd);
    int64_t sent;
    {
        ReporterScope scope(channel_controller, reporter);
        sent = m_bio->sendfile(file, off, len);
    }
    QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): Write %lld bytes.\n",
           static_cast<long long>(sent));
    return sent >= 0 && static_cast<uint64_t>(sent) == len ? ERR_OK : ERR_IO;
}

int Channel::SendfileFallback(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter)
{
    qelt::File file(fd);
    std::vector<char> block(kFallbackBlock);
    uint64_t sent = 0;
    int rc = ERR_OK;
    while (sent < len) {
        size_t n = len - sent < kFallbackBlock ? static_cast<size_t>(len - sent) : kFallbackBlock;
        if (file.pread(block.data(), n, off + sent) != static_cast<ssize_t>(n)) {
            rc = ERR_IO;
            break;
        }
        rc = Write(block.data(), n);
        if (rc != ERR_OK)
            break;
        sent += n;
        if (reporter)
            reporter->Report(n);
    }
    QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): Write %lld bytes.\n",
           static_cast<long long>(sent));
    return rc;
}

int Channel::Recvfile(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter, uint64_t& got)
{
    if (!m_hash_handler)
        return RecvfileSystem(fd, off, len, reporter, got);
    // Without a reporter the count comes from the receive itself.
    return RecvfileCounted(fd, off, len, reporter, got);
}

int Channel::RecvfileSystem(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter, uint64_t& got)
{
    if (!m_bio) {
        QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): Read failed: channel has been closed.\n");
        return ERR_IO;
    }
    qelt::File file(fd);
    int64_t received;
    {
        ReporterScope scope(channel_controller, reporter);
        received = m_bio->recvfile(file, off, len);
    }
    QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): Read %lld bytes.\n",
           static_cast<long long>(received));
    if (received < 0) {
        if (m_bio->error() == qelt::BufferedIOBase::error_fbig)
            return ERR_FILE_TOO_BIG;
        if (m_bio->error() == qelt::BufferedIOBase::error_nospace)
            return ERR_DISKFULL;
        return ERR_IO;
    }
    got = static_cast<uint64_t>(received);
    return got == len ? ERR_OK : ERR_IO;
}

int Channel::RecvfileFallback(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter)
{
    uint64_t got = 0;
    return RecvfileCounted(fd, off, len, reporter, got);
}

int Channel::RecvfileCounted(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter, uint64_t& got)
{
    qelt::File file(fd);
    std::vector<char> block(kFallbackBlock);
    uint64_t done = 0;
    int rc = ERR_OK;
    while (done < len) {
        size_t n = len - done < kFallbackBlock ? static_cast<size_t>(len - done) : kFallbackBlock;
        rc = Read(block.data(), n);
        if (rc != ERR_OK)
            break;
        if (file.pwrite(block.data(), n, off + done) != static_cast<ssize_t>(n)) {
            rc = FileWriteError(errno);
            if (rc == ERR_IO)
                QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): Can't write file at offset %lld.\n",
                       static_cast<long long>(off + done));
            break;
        }
        done += n;
        if (reporter)
            reporter->Report(n);
    }
    got = reporter ? reporter->GetProgress() : done;
    return rc;
}
