#include "bio/buffered_io.h"

#include <algorithm>
#include <cerrno>

#include "io/file.h"
#include "io/mmap_handler.h"
#include "io/socket.h"
#include "utils/elapsed_timer.h"

namespace qelt {

namespace {
constexpr int kDefaultTimeout = 60;

bool isRetryable(int e)
{
    return e == EINTR || e == EAGAIN || e == EWOULDBLOCK;
}
} // namespace

BufferedIO::BufferedIO()
{
    m_timeout = kDefaultTimeout;
}

BufferedIO::~BufferedIO()
{
    unload();
}

int BufferedIO::load(IOBase& io)
{
    IOBase* copy = io.clone();
    if (!copy)
        return -1;
    delete m_io;
    m_io = copy;
    if (!m_rbuf)
        m_rbuf.reset(new RingBuffer<char>(kBufferSize));
    if (!m_wbuf)
        m_wbuf.reset(new LineBuffer<char>(kBufferSize));
    clear();
    return 0;
}

void BufferedIO::unload()
{
    m_rbuf.reset();
    m_wbuf.reset();
    delete m_io;
    m_io = nullptr;
    clear();
}

size_t BufferedIO::wait_and_write(const char* buf, size_t n)
{
    if (!m_io)
        return 0;
    size_t done = 0;
    int64_t idleStart = monotonicMicroseconds();
    while (done < n) {
        if (!waitReady(IOBase::MODE_WRITE, idleStart))
            break;
        size_t chunk = m_controller ? m_controller->controlWriteSize(n - done) : n - done;
        chunk = std::clamp<size_t>(chunk, 1, n - done);
        ssize_t r = m_io->write(buf + done, chunk);
        if (r < 0) {
            if (isRetryable(errno))
                continue;
            setErrorFromSystem(errno);
            break;
        }
        if (r == 0) {
            setNoWrite();
            break;
        }
        done += static_cast<size_t>(r);
        idleStart = monotonicMicroseconds();
        if (m_controller)
            m_controller->handleAfterWrite(static_cast<size_t>(r));
    }
    return done;
}

size_t BufferedIO::wait_and_read(char* buf, size_t n, size_t minimum)
{
    if (!m_io)
        return 0;
    size_t goal = minimum > 0 ? std::min(minimum, n) : n;
    size_t done = 0;
    int64_t idleStart = monotonicMicroseconds();
    while (done < goal) {
        if (!waitReady(IOBase::MODE_READ, idleStart))
            break;
        size_t chunk = m_controller ? m_controller->controlReadSize(n - done) : n - done;
        chunk = std::clamp<size_t>(chunk, 1, n - done);
        ssize_t r = m_io->read(buf + done, chunk);
        if (r < 0) {
            if (isRetryable(errno))
                continue;
            setSyscallError(errno);
            break;
        }
        if (r == 0) {
            setNoRead();
            break;
        }
        done += static_cast<size_t>(r);
        idleStart = monotonicMicroseconds();
        if (m_controller)
            m_controller->handleAfterRead(static_cast<size_t>(r));
    }
    return done;
}

size_t BufferedIO::read(void* buf, size_t n)
{
    if (n == 0 || !m_rbuf)
        return 0;
    char* out = static_cast<char*>(buf);
    size_t delivered = m_rbuf->take(out, n);
    size_t rest = n - delivered;
    if (rest == 0)
        return delivered;
    if (rest >= m_rbuf->capacity())
        return delivered + wait_and_read(out + delivered, rest, 0);
    // The buffer is empty now, so the refill is one contiguous block.
    size_t filled = wait_and_read(m_rbuf->tail(), m_rbuf->contiguousFree(), rest);
    m_rbuf->commit(filled);
    return delivered + m_rbuf->take(out + delivered, rest);
}

size_t BufferedIO::write(const void* buf, size_t n)
{
    if (!m_wbuf)
        return 0;
    return writeThroughBuffer(
        *m_wbuf, static_cast<const char*>(buf), n, [this] { return flush(); },
        [this](const char* in, size_t count) { return wait_and_write(in, count); });
}

int BufferedIO::flush()
{
    if (!m_wbuf || m_wbuf->empty())
        return 0;
    size_t pending = m_wbuf->size();
    size_t written = wait_and_write(m_wbuf->data(), pending);
    m_wbuf->consume(written);
    return written == pending ? 0 : -1;
}

int64_t BufferedIO::sendfile(File& file, offset_type off, uint64_t len)
{
    if (!m_io) {
        m_error = error_invalid;
        return -1;
    }
    if (dynamic_cast<File*>(m_io))
        return copyFileToStream(file, off, len);
    Socket* socket = dynamic_cast<Socket*>(m_io);
    if (!socket) {
        m_error = error_invalid;
        return -1;
    }
    flush();
    uint64_t sent = 0;
    int64_t idleStart = monotonicMicroseconds();
    while (sent < len) {
        if (!waitReady(IOBase::MODE_WRITE, idleStart))
            break;
        size_t chunk = static_cast<size_t>(std::min<uint64_t>(kFileChunk, len - sent));
        if (m_controller)
            chunk = std::clamp<size_t>(m_controller->controlWriteSize(chunk), 1, chunk);
        ssize_t r = sys_sendfile(*socket, file, off + sent, chunk);
        if (r < 0) {
            if (isRetryable(errno))
                continue;
            setSyscallError(errno);
            break;
        }
        if (r == 0) {
            // The file ends before the region does: the peer can't get its bytes.
            setNoWrite();
            break;
        }
        sent += static_cast<uint64_t>(r);
        idleStart = monotonicMicroseconds();
        if (m_controller)
            m_controller->handleAfterWrite(static_cast<size_t>(r));
    }
    return static_cast<int64_t>(sent);
}

int64_t BufferedIO::recvfile(File& file, offset_type off, uint64_t len)
{
    if (!m_io) {
        m_error = error_invalid;
        return -1;
    }
    if (dynamic_cast<File*>(m_io))
        return copyStreamToFile(file, off, len);
    if (!dynamic_cast<Socket*>(m_io)) {
        m_error = error_invalid;
        return -1;
    }
    if (len == 0)
        return 0;

    // Bytes already read ahead into the ring buffer open the region, at its offset.
    uint64_t total = 0;
    size_t ahead = static_cast<size_t>(std::min<uint64_t>(m_rbuf->size(), len));
    if (ahead > 0) {
        std::unique_ptr<char[]> tmp(new char[ahead]);
        m_rbuf->take(tmp.get(), ahead);
        if (file.pwrite(tmp.get(), ahead, off) != static_cast<ssize_t>(ahead)) {
            setErrorFromSystem(errno);
            return -1;
        }
        total = ahead;
        if (m_controller)
            m_controller->handleAfterRead(ahead);
    }

    if (total < len) {
        int64_t got = mmap_recvfile(file, off + total, len - total);
        if (got > 0)
            total += static_cast<uint64_t>(got);
        if (total < len) {
            if (!isGoodToRead() || m_error == error_timeout || m_error == error_abort)
                return static_cast<int64_t>(total);
            if (m_error == error_fbig || m_error == error_nospace)
                return -1;
            // The mapping was refused (e.g. a file opened write-only): copy instead.
            m_error = error_none;
            int64_t rest = copyStreamToFile(file, off + total, len - total);
            if (rest < 1)
                return -1;
            return static_cast<int64_t>(total) + rest;
        }
    }
    if (file.sync() != 0) {
        setErrorFromSystem(errno);
        return -1;
    }
    return static_cast<int64_t>(total);
}

int64_t BufferedIO::mmap_recvfile(File& file, offset_type off, uint64_t len)
{
    Socket* socket = dynamic_cast<Socket*>(m_io);
    if (!socket) {
        m_error = error_invalid;
        return -1;
    }
    if (len == 0)
        return 0;
    MmapHandler window;
    if (m_mmap_window)
        window.setWindowLength(m_mmap_window);
    if (window.init(file, off + len, off, MmapHandler::MODE_WRITE) != 0) {
        setErrorFromSystem(errno);
        return -1;
    }
    uint64_t received = 0;
    int64_t idleStart = monotonicMicroseconds();
    while (received < len) {
        if (!waitReady(IOBase::MODE_READ, idleStart))
            break;
        size_t chunk = static_cast<size_t>(std::min<uint64_t>(kFileChunk, len - received));
        if (m_controller)
            chunk = std::clamp<size_t>(m_controller->controlReadSize(chunk), 1, chunk);
        ssize_t r = window.mmap_recv(*socket, chunk);
        if (r < 0) {
            if (isRetryable(errno))
                continue;
            setErrorFromSystem(errno);
            break;
        }
        if (r == 0) {
            setNoRead();
            break;
        }
        received += static_cast<uint64_t>(r);
        idleStart = monotonicMicroseconds();
        if (m_controller)
            m_controller->handleAfterRead(static_cast<size_t>(r));
    }
    if (window.uninit() != 0 && m_error == error_none) {
        setErrorFromSystem(errno);
        return -1;
    }
    return static_cast<int64_t>(received);
}

} // namespace qelt
