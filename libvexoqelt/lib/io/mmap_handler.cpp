#include "io/mmap_handler.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/sendfile.h>
#include <sys/socket.h>
#include <unistd.h>

#include "utils/sigpipe_guard.h"

namespace qelt {

namespace {
// Storage is reserved ahead of the received bytes in steps of this size, so
// that a stream of small receives costs few fallocate calls.
constexpr uint64_t kReserveStep = 8 * 1024 * 1024;
} // namespace

MmapHandler::MmapHandler() : m_pagesize(static_cast<size_t>(sysconf(_SC_PAGESIZE)))
{
}

MmapHandler::~MmapHandler()
{
    uninit();
}

int MmapHandler::init(File& file, uint64_t filesize, uint64_t offset, Mode mode)
{
    unload();
    if (!file.isValid() || offset > filesize) {
        errno = EINVAL;
        return -1;
    }
    int64_t size = file.size();
    if (size < 0)
        return -1;
    m_fd = file.fd();
    m_filesize = filesize;
    m_offset = offset;
    m_mode = mode;
    m_original_size = static_cast<uint64_t>(size);
    m_reserved_end = offset;
    return load();
}

int MmapHandler::load()
{
    uint64_t aligned = m_offset / m_pagesize * m_pagesize;
    uint64_t delta = m_offset - aligned;
    uint64_t wanted = std::min(m_filesize - m_offset, m_window);
    int prot = PROT_NONE;
    if (m_mode == MODE_WRITE || m_mode == MODE_READ_WRITE)
        prot = PROT_READ | PROT_WRITE;
    else if (m_mode == MODE_READ)
        prot = PROT_READ;
    if (m_mode == MODE_READ) {
        // Pages past the end of the file would fault on access: map only what exists.
        int64_t size = File(m_fd).size();
        uint64_t available = size > static_cast<int64_t>(m_offset) ? static_cast<uint64_t>(size) - m_offset : 0;
        wanted = std::min(wanted, available);
    }
    if (wanted == 0) {
        errno = EINVAL;
        return -1;
    }
    uint64_t capacity = wanted + delta;
    void* view = ::mmap(nullptr, capacity, prot, MAP_SHARED, m_fd, static_cast<off_t>(aligned));
    if (view == MAP_FAILED)
        return -1;
    m_head = m_align = static_cast<char*>(view);
    m_capacity = capacity;
    m_delta = delta;
    m_size = delta;
    m_current = m_head + delta;
    return 0;
}

int MmapHandler::reserve(uint64_t end)
{
    if (end <= m_reserved_end)
        return 0;
    uint64_t windowEnd = m_offset - m_delta + m_capacity;
    uint64_t target = std::min(std::max(end, m_reserved_end + kReserveStep), std::min(windowEnd, m_filesize));
    target = std::max(target, end);
    int rc = posix_fallocate(m_fd, static_cast<off_t>(m_reserved_end), static_cast<off_t>(target - m_reserved_end));
    if (rc != 0) {
        errno = rc;
        return -1;
    }
    m_reserved_end = target;
    return 0;
}

ssize_t MmapHandler::mmap_recv(Socket& socket, size_t n)
{
    if (!(m_mode == MODE_WRITE || m_mode == MODE_READ_WRITE) || !m_head) {
        errno = EINVAL;
        return -1;
    }
    if (m_size == m_capacity) {
        uint64_t next = m_offset + (m_capacity - m_delta);
        if (next >= m_filesize) {
            errno = EINVAL;
            return -1;
        }
        if (unload() != 0)
            return -1;
        m_offset = next;
        m_mode = MODE_WRITE;
        if (load() != 0)
            return -1;
    }
    size_t count = static_cast<size_t>(std::min<uint64_t>(m_capacity - m_size, n));
    uint64_t position = m_offset + (m_size - m_delta);
    if (reserve(position + count) != 0)
        return -1;
    ssize_t r = ::recv(socket.fd(), m_current, count, 0);
    if (r < 0)
        return -1;
    m_size += static_cast<uint64_t>(r);
    m_current += r;
    return r;
}

ssize_t MmapHandler::mmap_send(Socket&, size_t)
{
    errno = ENOSYS;
    return -1;
}

int MmapHandler::unload()
{
    if (!m_head)
        return 0;
    int result = 0;
    uint64_t dataEnd = m_offset + (m_size - m_delta);
    // The caller syncs the file when the region is complete; only start writeback here.
    if (::msync(m_head, m_capacity, MS_ASYNC) != 0)
        result = -1;
    if (::munmap(m_head, m_capacity) != 0)
        result = -1;
    // Give back storage reserved beyond the bytes that actually arrived.
    uint64_t keep = std::max(m_original_size, dataEnd);
    if (m_reserved_end > keep) {
        if (::ftruncate(m_fd, static_cast<off_t>(keep)) != 0)
            result = -1;
        m_reserved_end = keep;
    }
    reset();
    return result;
}

void MmapHandler::reset()
{
    m_size = m_capacity = m_delta = 0;
    m_head = m_current = m_align = nullptr;
    m_mode = MODE_NONE;
}

int MmapHandler::uninit()
{
    int result = unload();
    m_fd = invalid_file;
    m_filesize = m_offset = m_original_size = m_reserved_end = 0;
    return result;
}

ssize_t sys_sendfile(Socket& socket, File& file, uint64_t offset, size_t n)
{
    if (n == 0)
        return 0;
    SigpipeGuard noSigpipe;
    off_t position = static_cast<off_t>(offset);
    ssize_t r;
    do {
        r = ::sendfile(socket.fd(), file.fd(), &position, n);
    } while (r < 0 && errno == EINTR);
    return r;
}

} // namespace qelt
