#include "io/socket.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qelt {

namespace {

constexpr int kConnectSliceMs = 800;
constexpr int64_t kConnectSliceUs = 800000;

// poll(2) restarted after signals; the remaining time is not recomputed,
// which only lengthens a slice.
int pollOne(int fd, short events, int timeoutMs, short& revents)
{
    pollfd pfd{fd, events, 0};
    int r;
    do {
        r = ::poll(&pfd, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    revents = pfd.revents;
    return r;
}

socket_type connectFamily(int family, const char* host, int port, unsigned timeout, AbortFlag abort)
{
    socket_type fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0)
        return invalid_socket;
    if (family == AF_INET6) {
        int off = 0;
        setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof off);
    }
    if (Socket::connect(fd, host, port, timeout, abort) != 0) {
        ::close(fd);
        return invalid_socket;
    }
    return fd;
}

} // namespace

Socket::~Socket() = default;

ssize_t Socket::read(void* buf, size_t n)
{
    return ::recv(_fd, buf, n, 0);
}

ssize_t Socket::write(const void* buf, size_t n)
{
    return ::send(_fd, buf, n, MSG_NOSIGNAL);
}

void Socket::close()
{
    if (_fd != invalid_socket)
        ::close(_fd);
    _fd = invalid_socket;
}

int Socket::select(Mode mode, int seconds)
{
    return selectMs(mode, seconds < 0 ? -1 : seconds * 1000);
}

int Socket::selectMs(Mode mode, int milliseconds)
{
    short events = 0;
    if (mode & MODE_READ)
        events |= POLLIN;
    if (mode & MODE_WRITE)
        events |= POLLOUT;
    short revents = 0;
    int r = pollOne(_fd, events, milliseconds, revents);
    if (r <= 0)
        return r;
    if (revents & (POLLERR | POLLNVAL))
        return -1;
    if ((mode & MODE_READ) && (revents & (POLLIN | POLLHUP)))
        return 1;
    if ((mode & MODE_WRITE) && (revents & (POLLOUT | POLLHUP)))
        return 1;
    return -1;
}

IOBase* Socket::clone() const
{
    return new Socket(_fd);
}

int Socket::shutdown()
{
    return ::shutdown(_fd, SHUT_RDWR) == 0 ? 0 : -1;
}

int Socket::error() const
{
    return errno;
}

int Socket::setBlocking(bool blocking)
{
    int flags = fcntl(_fd, F_GETFL, 0);
    if (flags < 0)
        return -1;
    flags = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    return fcntl(_fd, F_SETFL, flags) == 0 ? 0 : -1;
}

int Socket::setLinger(int seconds)
{
    linger l{1, seconds};
    return setsockopt(_fd, SOL_SOCKET, SO_LINGER, &l, sizeof l) == 0 ? 0 : -1;
}

socket_type Socket::connectIPv4(const char* host, int port, unsigned timeout, AbortFlag abort)
{
    return connectFamily(AF_INET, host, port, timeout, abort);
}

socket_type Socket::connectIPv6(const char* host, int port, unsigned timeout, AbortFlag abort)
{
    return connectFamily(AF_INET6, host, port, timeout, abort);
}

socket_type Socket::connectDomainSocket(const char*)
{
    return invalid_socket;
}

int Socket::connect(socket_type fd, const char* host, int port, unsigned timeout, AbortFlag abort)
{
    if (fd == invalid_socket || !host)
        return -1;
    if (timeout != 0) {
        Socket s(fd);
        if (s.setBlocking(false) != 0)
            return -1;
    }
    int family = AF_UNSPEC;
    socklen_t len = sizeof family;
    if (getsockopt(fd, SOL_SOCKET, SO_DOMAIN, &family, &len) != 0)
        family = AF_UNSPEC;

    char service[16];
    std::snprintf(service, sizeof service, "%d", port);
    addrinfo hints{};
    hints.ai_family = family;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    int rc = getaddrinfo(host, service, &hints, &list);
    if (rc != 0)
        return rc;

    int result = -1;
    for (addrinfo* ai = list; ai; ai = ai->ai_next) {
        if (abort.isSet())
            break;
        if (::connect(fd, ai->ai_addr, ai->ai_addrlen) == 0) {
            result = 0;
            break;
        }
        if (errno != EINPROGRESS && errno != EAGAIN) {
            result = -1;
            continue;
        }
        if (waitConnect(fd, timeout, abort) == 0) {
            result = 0;
            break;
        }
        result = -1;
    }
    freeaddrinfo(list);
    return result;
}

int Socket::waitConnect(socket_type fd, unsigned timeout, AbortFlag abort)
{
    if (timeout == 0)
        return -1;
    const int64_t limitUs = static_cast<int64_t>(timeout) * 1000000;
    int64_t waitedUs = 0;
    while (true) {
        if (abort.isSet())
            return -1;
        short revents = 0;
        int r = pollOne(fd, POLLOUT, kConnectSliceMs, revents);
        if (r < 0)
            return -1;
        if (r == 0) {
            waitedUs += kConnectSliceUs;
            if (waitedUs >= limitUs)
                return -1;
            continue;
        }
        // Writable or in error: either way the outcome is in SO_ERROR.
        int soError = 0;
        socklen_t len = sizeof soError;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len) != 0)
            return -1;
        if (soError != 0) {
            errno = soError;
            return -1;
        }
        return (revents & POLLOUT) ? 0 : -1;
    }
}

Socket* Socket::CreateSocket(bool blocking, int linger)
{
    socket_type fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0)
        return nullptr;
    Socket* s = new Socket(fd);
    if (s->setBlocking(blocking) != 0 || s->setLinger(linger) != 0) {
        s->close();
        delete s;
        return nullptr;
    }
    return s;
}

} // namespace qelt
