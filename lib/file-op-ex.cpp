#include "file-op-ex.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <unistd.h>

#include "log.h"

namespace {

const char* const kComponent = "default_component";

// Socket send buffer for TCP connects: large enough that a data connection on
// a fast, long link is not limited by the window.
const int kTcpSendBuffer = 4 * 1024 * 1024;

// Log lines of this layer: the tag and the source name lead, the line number
// is the first format argument.
#define CROSS_LOG(level, tag, format, ...) \
    QM_LOG(level, kComponent, tag L" file-op-ex(%d): " format L"\n", ##__VA_ARGS__)

std::string addressText(const sockaddr* addr)
{
    if (addr->sa_family == AF_INET)
        return cross::getIpv4(addr);
    if (addr->sa_family == AF_INET6)
        return cross::getIpv6(addr);
    return std::string();
}

const char* familyName(int family, bool upper)
{
    if (family == AF_INET6)
        return upper ? "V6" : "v6";
    return upper ? "V4" : "v4";
}

int openFlagsForMode(const char* mode)
{
    const char first = mode ? mode[0] : '\0';
    const char second = first ? mode[1] : '\0';
    if (first == 'a')
        return O_WRONLY | O_CREAT;
    if (first == 'r' && second == 'w')
        return O_RDWR | O_CREAT;
    if (first == 'r')
        return O_RDONLY;
    if (first == 'w')
        return O_WRONLY | O_CREAT | O_TRUNC;
    return O_RDWR | O_CREAT | O_TRUNC;
}

int queryPathMtu(cross::socket_t fd)
{
    sockaddr_storage local;
    socklen_t local_len = sizeof(local);
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &local_len) != 0)
        return -1;
    int mtu = 0;
    socklen_t len = sizeof(mtu);
    int rc = -1;
    if (local.ss_family == AF_INET)
        rc = getsockopt(fd, IPPROTO_IP, IP_MTU, &mtu, &len);
    else if (local.ss_family == AF_INET6)
        rc = getsockopt(fd, IPPROTO_IPV6, IPV6_MTU, &mtu, &len);
    // Unconnected sockets and other families have no path MTU: unknown.
    if (rc != 0 || mtu <= 0)
        return -1;
    return mtu;
}

} // namespace

namespace cross {

file_type open(const path_t& path, const char* mode)
{
    const int fd = ::open(path.c_str_utf8(), openFlagsForMode(mode) | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        CROSS_LOG(Logger::L_ERR, L"[ERROR]", L"CreateFile(\"%s\"): Error code %d", path.c_str_utf8(), error);
        errno = error;
        return INVALID_FILE_VALUE;
    }
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return fd;
}

void close(file_type fd)
{
    if (fd >= 0)
        ::close(fd);
}

int getSystemError()
{
    return errno;
}

int getSocketError()
{
    return errno;
}

bool isErrorWouldBlock(int error)
{
    // A non-blocking connect under way reports EINPROGRESS where the other
    // platform reports the same "would block" code as send and receive.
    return error == EAGAIN || error == EWOULDBLOCK || error == EINPROGRESS;
}

bool isErrorFileTooBig(int error)
{
    return error == EFBIG;
}

bool isErrorDiskFull(int error)
{
    return error == ENOSPC || error == EDQUOT;
}

bool isErrorMessageTooLong(int error)
{
    return error == EMSGSIZE;
}

int setBlocking(socket_t fd, bool blocking)
{
    const int flags = fcntl(fd, F_GETFL, 0);
    if (flags >= 0) {
        const int wanted = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
        if (wanted == flags || fcntl(fd, F_SETFL, wanted) == 0)
            return 0;
    }
    CROSS_LOG(Logger::L_ERR, L"[ERROR]", L"Failed to set blocking, fd: %d, blocking: %d", fd, blocking ? 1 : 0);
    return -1;
}

int setTcpKeepAlive(socket_t fd, int idle_time, int probe_interval, int probe_count)
{
    const int on = 1;
    int rc = setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof(on));
    if (rc == 0)
        rc = setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle_time, sizeof(idle_time));
    if (rc == 0)
        rc = setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &probe_interval, sizeof(probe_interval));
    if (rc == 0 && probe_count > 0)
        rc = setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probe_count, sizeof(probe_count));
    if (rc != 0) {
        CROSS_LOG(Logger::L_ERR, L"[ERROR]", L"cross::setTcpKeepAlive: WSAIoctl failed [%d]", errno);
        return -1;
    }
    return 0;
}

int setSocketDontFragment(socket_t sock)
{
    const int mode = IP_PMTUDISC_DO;
    return setsockopt(sock, IPPROTO_IP, IP_MTU_DISCOVER, &mode, sizeof(mode));
}

int getExpectedMtuFromConnectedTcpSocket(socket_t fd)
{
    return queryPathMtu(fd);
}

int getFallbackMtuFromConnectedUdpSocket(socket_t fd)
{
    return queryPathMtu(fd);
}

socket_t connect(ConnectOption co, const std::string& domain_name, int port, int& family, bool blocking)
{
    const int sock_type = co == ConnectTcp ? SOCK_STREAM : SOCK_DGRAM;
    const int protocol = co == ConnectTcp ? IPPROTO_TCP : IPPROTO_UDP;

    addrinfo hints;
    std::memset(&hints, 0, sizeof(hints));
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = sock_type;
    hints.ai_protocol = protocol;

    addrinfo* results = nullptr;
    const std::string service = std::to_string(port);
    const int gai = getaddrinfo(domain_name.c_str(), service.c_str(), &hints, &results);
    if (gai != 0) {
        const int error = errno;
        CROSS_LOG(Logger::L_DEBUG, L"[DEBUG]", L"getaddrinfo(%s): %s (%d), %s (%d)", domain_name.c_str(),
                  gai_strerror(gai), gai, strerror(error), error);
        return INVALID_SOCKET_VALUE;
    }

    for (const addrinfo* ai = results; ai; ai = ai->ai_next) {
        if (ai->ai_family != AF_INET && ai->ai_family != AF_INET6)
            continue;
        const socket_t sock = ::socket(ai->ai_family, sock_type | SOCK_CLOEXEC, protocol);
        if (sock < 0) {
            CROSS_LOG(Logger::L_ERR, L"[ERROR]", L"Cannot initialize socket ip %s errno = %d",
                      familyName(ai->ai_family, true), errno);
            continue;
        }
        if (ai->ai_family == AF_INET6) {
            const int off = 0;
            if (setsockopt(sock, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof(off)) != 0) {
                CROSS_LOG(Logger::L_ERR, L"[ERROR]", L"setsockopt fail GetLastError:%d", errno);
                ::close(sock);
                continue;
            }
        } else if (co == ConnectUdp) {
            setSocketDontFragment(sock);
        }
        if (co == ConnectTcp &&
            setsockopt(sock, SOL_SOCKET, SO_SNDBUF, &kTcpSendBuffer, sizeof(kTcpSendBuffer)) != 0) {
            CROSS_LOG(Logger::L_ERR, L"[ERROR]", L"setsockopt fail GetLastError:%d", errno);
            ::close(sock);
            continue;
        }
        setBlocking(sock, blocking);

        const std::string text = addressText(ai->ai_addr);
        if (::connect(sock, ai->ai_addr, ai->ai_addrlen) == 0) {
            CROSS_LOG(Logger::L_INFO, L"[INFO]", L"Connect with '%s'", text.c_str());
            family = ai->ai_family;
            freeaddrinfo(results);
            return sock;
        }
        const int error = errno;
        if (!blocking && error == EINPROGRESS) {
            CROSS_LOG(Logger::L_DEBUG, L"[DEBUG]", L"Connect '%s' would block", text.c_str());
            family = ai->ai_family;
            freeaddrinfo(results);
            return sock;
        }
        CROSS_LOG(Logger::L_INFO, L"[INFO]", L"Try but failed to connect with %s '%s' errno = %d",
                  familyName(ai->ai_family, false), text.c_str(), error);
        ::close(sock);
    }
    freeaddrinfo(results);
    return INVALID_SOCKET_VALUE;
}

int getPendingSocketError(socket_t fd)
{
    int error = 0;
    socklen_t len = sizeof(error);
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0)
        return -1;
    return error;
}

int waitConnected(socket_t fd, int timeout_ms)
{
    pollfd pfd;
    pfd.fd = fd;
    pfd.events = POLLOUT;
    pfd.revents = 0;
    int rc;
    do {
        rc = poll(&pfd, 1, timeout_ms);
    } while (rc < 0 && errno == EINTR);
    if (rc == 0) {
        errno = ETIMEDOUT;
        return -1;
    }
    if (rc < 0)
        return -1;
    const int error = getPendingSocketError(fd);
    if (error != 0) {
        errno = error > 0 ? error : ECONNREFUSED;
        return -1;
    }
    return 0;
}

int resolveDomainName(const std::string& domain_name, std::vector<std::string>& ip_list)
{
    addrinfo hints;
    std::memset(&hints, 0, sizeof(hints));
    // Any family, but one socket type: left open, this resolver lists every
    // address once per type (stream, datagram, raw), and a caller that tries
    // the addresses in turn would wait on a dead one three times.
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* results = nullptr;
    const int gai = getaddrinfo(domain_name.c_str(), nullptr, &hints, &results);
    if (gai != 0) {
        const int error = errno;
        CROSS_LOG(Logger::L_DEBUG, L"[DEBUG]", L"getaddrinfo(%s): %s (%d), %s (%d)", domain_name.c_str(),
                  gai_strerror(gai), gai, strerror(error), error);
        return -1;
    }
    for (const addrinfo* ai = results; ai; ai = ai->ai_next) {
        const std::string text = addressText(ai->ai_addr);
        if (text.empty())
            continue;
        CROSS_LOG(Logger::L_DEBUG, L"[DEBUG]", L"resolve %s -> %s", domain_name.c_str(), text.c_str());
        ip_list.push_back(text);
    }
    freeaddrinfo(results);
    return 0;
}

std::string getIpv4(const sockaddr* in)
{
    char buffer[64];
    const sockaddr_in* v4 = reinterpret_cast<const sockaddr_in*>(in);
    if (!in || !inet_ntop(AF_INET, &v4->sin_addr, buffer, sizeof(buffer))) {
        CROSS_LOG(Logger::L_ERR, L"[ERROR]", L"inet_ntop failed. (IPv4)");
        return std::string();
    }
    return buffer;
}

std::string getIpv6(const sockaddr* in)
{
    char buffer[64];
    const sockaddr_in6* v6 = reinterpret_cast<const sockaddr_in6*>(in);
    if (!in || !inet_ntop(AF_INET6, &v6->sin6_addr, buffer, sizeof(buffer))) {
        CROSS_LOG(Logger::L_ERR, L"[ERROR]", L"inet_ntop failed. (IPv6)");
        return std::string();
    }
    return buffer;
}

std::string getComputerName()
{
    char name[256];
    if (gethostname(name, sizeof(name)) != 0)
        return std::string();
    name[sizeof(name) - 1] = '\0';
    std::string result(name);
    const size_t dot = result.find('.');
    if (dot != std::string::npos)
        result.erase(dot);
    return result;
}

uint64_t getMillisecondTimestamp()
{
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

uint64_t getPreferredBlockSize()
{
    return 65536;
}

} // namespace cross
