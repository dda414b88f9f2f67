#include "io/file.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace qelt {

File::~File() = default;

ssize_t File::read(void* buf, size_t n)
{
    ssize_t r;
    do {
        r = ::read(m_fd, buf, n);
    } while (r < 0 && errno == EINTR);
    return r;
}

ssize_t File::write(const void* buf, size_t n)
{
    ssize_t r;
    do {
        r = ::write(m_fd, buf, n);
    } while (r < 0 && errno == EINTR);
    return r;
}

int File::sync()
{
    return ::fsync(m_fd) == 0 ? 0 : -1;
}

void File::close()
{
    if (m_fd != invalid_file)
        ::close(m_fd);
    m_fd = invalid_file;
}

IOBase* File::clone() const
{
    return new File(m_fd);
}

int File::error() const
{
    return errno;
}

int File::seek(offset_type pos)
{
    if (pos > static_cast<offset_type>(INT64_MAX))
        return -1;
    return ::lseek(m_fd, static_cast<off_t>(pos), SEEK_SET) == static_cast<off_t>(pos) ? 0 : -1;
}

int64_t File::size() const
{
    struct stat st;
    if (::fstat(m_fd, &st) != 0)
        return -1;
    return st.st_size;
}

ssize_t File::pread(void* buf, size_t n, offset_type off)
{
    char* p = static_cast<char*>(buf);
    size_t done = 0;
    while (done < n) {
        ssize_t r = ::pread(m_fd, p + done, n - done, static_cast<off_t>(off + done));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (r == 0)
            break;
        done += static_cast<size_t>(r);
    }
    return static_cast<ssize_t>(done);
}

ssize_t File::pwrite(const void* buf, size_t n, offset_type off)
{
    const char* p = static_cast<const char*>(buf);
    size_t done = 0;
    while (done < n) {
        ssize_t r = ::pwrite(m_fd, p + done, n - done, static_cast<off_t>(off + done));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        done += static_cast<size_t>(r);
    }
    return static_cast<ssize_t>(done);
}

} // namespace qelt
