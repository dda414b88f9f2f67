#include "support/loopback.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace qm_test {

namespace {

void setBufferSizes(int fd, int size)
{
    if (size <= 0)
        return;
    setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
}

sockaddr_in loopbackAddress(int port)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(port));
    return addr;
}

} // namespace

int listenLoopback(int& port, int backlog, int socket_buffer)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    setBufferSizes(fd, socket_buffer);
    sockaddr_in addr = loopbackAddress(0);
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, backlog) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return -1;
    }
    port = ntohs(addr.sin_port);
    return fd;
}

int connectLoopback(int port, int socket_buffer)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    setBufferSizes(fd, socket_buffer);
    const sockaddr_in addr = loopbackAddress(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return -1;
    }
    return fd;
}

bool sendAll(int fd, const std::string& data)
{
    size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

Listener::Listener(int backlog)
{
    m_fd = listenLoopback(m_port, backlog);
    if (m_fd < 0)
        throw std::runtime_error("listen on loopback failed");
}

Listener::~Listener()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int Listener::accept()
{
    return ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
}

TcpPair::TcpPair(int socket_buffer)
{
    int port = 0;
    const int listener = listenLoopback(port, 1, socket_buffer);
    if (listener < 0)
        throw std::runtime_error("listen on loopback failed");
    client = connectLoopback(port, socket_buffer);
    if (client >= 0)
        server = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    ::close(listener);
    if (client < 0)
        throw std::runtime_error("loopback connect failed");
    if (server < 0) {
        ::close(client);
        throw std::runtime_error("loopback accept failed");
    }
}

TcpPair::~TcpPair()
{
    if (client >= 0)
        ::close(client);
    if (server >= 0)
        ::close(server);
}

} // namespace qm_test
