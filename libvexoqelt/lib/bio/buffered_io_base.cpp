#include "bio/buffered_io_base.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <new>

#include "io/socket.h"
#include "utils/elapsed_timer.h"

namespace qelt {

namespace {
constexpr int kSliceMs = 3000;
} // namespace

BufferedIOController::~BufferedIOController() = default;

BufferedIOBase::~BufferedIOBase() = default;

int BufferedIOBase::handoverTo(BufferedIOBase& target)
{
    if (!m_io)
        return -1;
    // The target reads the IO afresh: input already taken from it would be
    // lost (the peer spoke before the switch was agreed).
    if (hasUnreadInput()) {
        target.setError(error_invalid);
        return -1;
    }
    // Bytes written before the switch belong in front of the new stream's.
    if (flush() != 0)
        return -1;
    target.setTimeout(m_timeout);
    target.setController(m_controller);
    if (target.load(*m_io) != 0)
        return -1;
    unload();
    return 0;
}

bool BufferedIOBase::isErrorDiskFull() const
{
    return m_sys_error == ENOSPC || m_sys_error == EDQUOT;
}

bool BufferedIOBase::isErrorFileTooBig() const
{
    return m_sys_error == EFBIG;
}

void BufferedIOBase::clear()
{
    m_error = error_none;
    m_flag = 0;
    m_sys_error = 0;
}

bool BufferedIOBase::functionTimeout(int64_t startUs) const
{
    return m_timeout > 0 && monotonicMicroseconds() - startUs > static_cast<int64_t>(m_timeout) * 1000000;
}

bool BufferedIOBase::functionAbort() const
{
    return m_controller && m_controller->abort();
}

void BufferedIOBase::setErrorFromSystem(int sysError)
{
    m_sys_error = sysError;
    if (isErrorDiskFull())
        m_error = error_nospace;
    else if (isErrorFileTooBig())
        m_error = error_fbig;
    else
        m_error = error_syscall;
}

void BufferedIOBase::setSyscallError(int sysError)
{
    m_sys_error = sysError;
    m_error = error_syscall;
}

bool BufferedIOBase::waitReady(int mode, int64_t idleStartUs)
{
    while (true) {
        if (functionAbort()) {
            m_error = error_abort;
            return false;
        }
        // Wake in time for the idle timeout rather than up to a slice late.
        int sliceMs = kSliceMs;
        if (m_timeout > 0) {
            int64_t leftUs = static_cast<int64_t>(m_timeout) * 1000000 - (monotonicMicroseconds() - idleStartUs);
            sliceMs = static_cast<int>(std::clamp<int64_t>(leftUs / 1000 + 1, 1, kSliceMs));
        }
        Socket* socket = dynamic_cast<Socket*>(m_io);
        int r = socket ? socket->selectMs(static_cast<IOBase::Mode>(mode), sliceMs)
                       : m_io->select(static_cast<IOBase::Mode>(mode), kSliceMs / 1000);
        if (r < 0) {
            setSyscallError(errno);
            return false;
        }
        if (r > 0)
            return true;
        if (functionTimeout(idleStartUs)) {
            m_error = error_timeout;
            return false;
        }
    }
}

int64_t BufferedIOBase::sendfile(File& file, offset_type off, uint64_t len)
{
    return copyFileToStream(file, off, len);
}

int64_t BufferedIOBase::recvfile(File& file, offset_type off, uint64_t len)
{
    return copyStreamToFile(file, off, len);
}

int64_t BufferedIOBase::copyFileToStream(File& file, offset_type off, uint64_t len)
{
    std::unique_ptr<char[]> block(new (std::nothrow) char[kCopyBlock]);
    if (!block || file.seek(off) != 0) {
        setSyscallError(block ? errno : ENOMEM);
        return -1;
    }
    uint64_t sent = 0;
    while (sent < len) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(kCopyBlock, len - sent));
        ssize_t got = file.read(block.get(), want);
        if (got != static_cast<ssize_t>(want)) {
            // A file shorter than the region announced is as bad as a read error.
            setSyscallError(got < 0 ? errno : EIO);
            return -1;
        }
        size_t written = write(block.get(), want);
        if (written < want) {
            if (m_error == error_none)
                setSyscallError(EIO);
            return -1;
        }
        sent += want;
    }
    return static_cast<int64_t>(len);
}

int64_t BufferedIOBase::copyStreamToFile(File& file, offset_type off, uint64_t len)
{
    std::unique_ptr<char[]> block(new (std::nothrow) char[kCopyBlock]);
    if (!block || file.seek(off) != 0) {
        setSyscallError(block ? errno : ENOMEM);
        return -1;
    }
    uint64_t done = 0;
    bool writeFailed = false;
    while (done < len) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(kCopyBlock, len - done));
        size_t got = read(block.get(), want);
        if (got < 1)
            break;
        ssize_t written = file.pwrite(block.get(), got, off + done);
        if (written < 0) {
            setErrorFromSystem(errno);
            if (m_error == error_nospace || m_error == error_fbig)
                return -1;
            writeFailed = true;
            break;
        }
        done += got;
        if (got < want)
            break; // the stream ended or failed; its error says why
    }
    file.seek(off + done); // leave the position after the bytes written
    if (!writeFailed && file.sync() != 0) {
        setSyscallError(errno);
        return -1;
    }
    return static_cast<int64_t>(done);
}

} // namespace qelt
