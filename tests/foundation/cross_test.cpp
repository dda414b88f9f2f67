#include "file-op-ex.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "foundation/file_op_temp_tree.h"

namespace {

// A listening TCP socket on an ephemeral loopback port.
class Listener {
public:
    explicit Listener(int family = AF_INET)
    {
        m_fd = socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_storage addr = {};
        socklen_t len;
        if (family == AF_INET6) {
            auto* v6 = reinterpret_cast<sockaddr_in6*>(&addr);
            v6->sin6_family = AF_INET6;
            v6->sin6_addr = in6addr_loopback;
            len = sizeof(*v6);
        } else {
            auto* v4 = reinterpret_cast<sockaddr_in*>(&addr);
            v4->sin_family = AF_INET;
            v4->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            len = sizeof(*v4);
        }
        if (m_fd < 0 || bind(m_fd, reinterpret_cast<sockaddr*>(&addr), len) != 0 || listen(m_fd, 8) != 0) {
            closeNow();
            return;
        }
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&addr)->sin6_port
                                          : reinterpret_cast<sockaddr_in*>(&addr)->sin_port);
    }
    ~Listener() { closeNow(); }
    bool ok() const { return m_fd >= 0; }
    int port() const { return m_port; }
    void closeNow()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
    int m_port = 0;
};

// A loopback port that nobody listens on.
int closedPort()
{
    Listener listener;
    const int port = listener.port();
    listener.closeNow();
    return port;
}

int intOption(int fd, int level, int name)
{
    int value = -1;
    socklen_t len = sizeof(value);
    getsockopt(fd, level, name, &value, &len);
    return value;
}

} // namespace

TEST(CrossFiles, OpenModesCreateTruncateAndKeep)
{
    TempTree tree;
    tree.file("existing", "abcdef");

    EXPECT_EQ(cross::open(tree.path("missing").c_str(), "r"), cross::INVALID_FILE_VALUE);
    EXPECT_EQ(cross::getSystemError(), ENOENT);
    EXPECT_FALSE(TempTree::exists(tree.path("missing")));

    struct Case {
        const char* mode;
        const char* written;
        const char* expected;
    };
    // "a" and "rw" keep the content and write from the start; "w" and
    // anything else start from an empty file.
    const Case cases[] = {
        {"a", "XY", "XYcdef"}, {"rw", "XY", "XYcdef"}, {"w", "XY", "XY"}, {"x", "XY", "XY"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        tree.file("existing", "abcdef");
        cross::file_type fd = cross::open(tree.path("existing").c_str(), c.mode);
        ASSERT_NE(fd, cross::INVALID_FILE_VALUE);
        ASSERT_EQ(write(fd, c.written, std::strlen(c.written)), static_cast<ssize_t>(std::strlen(c.written)));
        cross::close(fd);
        EXPECT_EQ(TempTree::read(tree.path("existing")), c.expected);

        const std::string created = tree.path(std::string("new-") + c.mode);
        fd = cross::open(created.c_str(), c.mode);
        EXPECT_NE(fd, cross::INVALID_FILE_VALUE);
        cross::close(fd);
        EXPECT_TRUE(TempTree::exists(created));
    }

    cross::file_type fd = cross::open(tree.path("existing").c_str(), "rb");
    ASSERT_NE(fd, cross::INVALID_FILE_VALUE);
    EXPECT_LT(write(fd, "z", 1), 0); // read-only
    cross::close(fd);
}

TEST(CrossErrors, ClassesOfErrorCodes)
{
    EXPECT_TRUE(cross::isErrorWouldBlock(EAGAIN));
    EXPECT_TRUE(cross::isErrorWouldBlock(EINPROGRESS));
    EXPECT_FALSE(cross::isErrorWouldBlock(ECONNREFUSED));
    EXPECT_TRUE(cross::isErrorFileTooBig(EFBIG));
    EXPECT_FALSE(cross::isErrorFileTooBig(ENOSPC));
    EXPECT_TRUE(cross::isErrorDiskFull(ENOSPC));
    EXPECT_TRUE(cross::isErrorDiskFull(EDQUOT));
    EXPECT_FALSE(cross::isErrorDiskFull(EIO));
    EXPECT_TRUE(cross::isErrorMessageTooLong(EMSGSIZE));
    EXPECT_FALSE(cross::isErrorMessageTooLong(EAGAIN));
}

TEST(CrossSockets, ConnectsBlockingAndNonBlockingOverLoopback)
{
    Listener listener;
    ASSERT_TRUE(listener.ok());
    for (bool blocking : {true, false}) {
        SCOPED_TRACE(blocking);
        int family = -1;
        const cross::socket_t fd = cross::connect(cross::ConnectTcp, "127.0.0.1", listener.port(), family, blocking);
        ASSERT_NE(fd, cross::INVALID_SOCKET_VALUE);
        EXPECT_EQ(family, AF_INET);
        EXPECT_EQ((fcntl(fd, F_GETFL) & O_NONBLOCK) != 0, !blocking);
        EXPECT_EQ(cross::waitConnected(fd, -1), 0);
        EXPECT_EQ(cross::getPendingSocketError(fd), 0);
        // The send buffer was asked for 4 MiB; the kernel may cap it.
        EXPECT_GT(intOption(fd, SOL_SOCKET, SO_SNDBUF), 64 * 1024);
        EXPECT_GT(cross::getExpectedMtuFromConnectedTcpSocket(fd), 0);
        ::close(fd);
    }
}

TEST(CrossSockets, RefusedConnectIsAFailureNotASocket)
{
    const int port = closedPort();
    int family = 12345;
    EXPECT_EQ(cross::connect(cross::ConnectTcp, "127.0.0.1", port, family, true), cross::INVALID_SOCKET_VALUE);
    EXPECT_EQ(family, 12345);

    // Non-blocking: either refused at once, or the socket comes back and
    // finishing the connect reports the refusal although it polls writable.
    const cross::socket_t fd = cross::connect(cross::ConnectTcp, "127.0.0.1", port, family, false);
    if (fd != cross::INVALID_SOCKET_VALUE) {
        EXPECT_EQ(cross::waitConnected(fd, -1), -1);
        EXPECT_EQ(errno, ECONNREFUSED);
        ::close(fd);
    }

    // The same check on a raw non-blocking socket, whose refusal is always late.
    const int raw = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int rc = ::connect(raw, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    if (rc != 0 && errno == EINPROGRESS) {
        EXPECT_EQ(cross::waitConnected(raw, -1), -1);
        EXPECT_EQ(errno, ECONNREFUSED);
    }
    ::close(raw);
}

TEST(CrossSockets, ConnectsOverIpv6WhenAvailable)
{
    Listener listener(AF_INET6);
    if (!listener.ok())
        GTEST_SKIP() << "no IPv6 loopback";
    int family = -1;
    const cross::socket_t fd = cross::connect(cross::ConnectTcp, "::1", listener.port(), family, true);
    ASSERT_NE(fd, cross::INVALID_SOCKET_VALUE);
    EXPECT_EQ(family, AF_INET6);
    EXPECT_EQ(intOption(fd, IPPROTO_IPV6, IPV6_V6ONLY), 0);
    ::close(fd);
}

TEST(CrossSockets, UdpOnIpv4ForbidsFragmentation)
{
    int family = -1;
    const cross::socket_t fd = cross::connect(cross::ConnectUdp, "127.0.0.1", closedPort(), family, true);
    ASSERT_NE(fd, cross::INVALID_SOCKET_VALUE);
    EXPECT_EQ(intOption(fd, IPPROTO_IP, IP_MTU_DISCOVER), IP_PMTUDISC_DO);
    EXPECT_GT(cross::getFallbackMtuFromConnectedUdpSocket(fd), 0);
    ::close(fd);

    const int unconnected = socket(AF_INET, SOCK_DGRAM, 0);
    EXPECT_EQ(cross::getFallbackMtuFromConnectedUdpSocket(unconnected), -1);
    ::close(unconnected);
    EXPECT_EQ(cross::getExpectedMtuFromConnectedTcpSocket(-1), -1);
}

TEST(CrossSockets, OptionsAreApplied)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_EQ(cross::setBlocking(fd, false), 0);
    EXPECT_NE(fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
    ASSERT_EQ(cross::setBlocking(fd, true), 0);
    EXPECT_EQ(fcntl(fd, F_GETFL) & O_NONBLOCK, 0);

    ASSERT_EQ(cross::setTcpKeepAlive(fd, 30, 5, 4), 0);
    EXPECT_EQ(intOption(fd, SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(intOption(fd, IPPROTO_TCP, TCP_KEEPIDLE), 30);
    EXPECT_EQ(intOption(fd, IPPROTO_TCP, TCP_KEEPINTVL), 5);
    EXPECT_EQ(intOption(fd, IPPROTO_TCP, TCP_KEEPCNT), 4);
    ::close(fd);

    EXPECT_EQ(cross::setBlocking(-1, true), -1);
    EXPECT_EQ(cross::setTcpKeepAlive(-1, 30, 5, 4), -1);
}

TEST(CrossResolve, AppendsAddressTextsAndKeepsTheListOnFailure)
{
    std::vector<std::string> list = {"kept"};
    EXPECT_EQ(cross::resolveDomainName("127.0.0.1", list), 0);
    // One entry per address: callers try each in turn.
    EXPECT_EQ(list, (std::vector<std::string>{"kept", "127.0.0.1"}));

    const size_t before = list.size();
    EXPECT_EQ(cross::resolveDomainName("no-such-host.invalid", list), -1);
    EXPECT_EQ(list.size(), before);

    int family = 99;
    EXPECT_EQ(cross::connect(cross::ConnectTcp, "no-such-host.invalid", 1, family, true), cross::INVALID_SOCKET_VALUE);
    EXPECT_EQ(family, 99);
}

TEST(CrossResolve, AddressTextsWithoutPortOrScope)
{
    sockaddr_in v4 = {};
    v4.sin_family = AF_INET;
    v4.sin_port = htons(80);
    inet_pton(AF_INET, "10.1.2.3", &v4.sin_addr);
    EXPECT_EQ(cross::getIpv4(reinterpret_cast<sockaddr*>(&v4)), "10.1.2.3");

    sockaddr_in6 v6 = {};
    v6.sin6_family = AF_INET6;
    v6.sin6_port = htons(80);
    v6.sin6_scope_id = 3;
    inet_pton(AF_INET6, "fe80::1", &v6.sin6_addr);
    EXPECT_EQ(cross::getIpv6(reinterpret_cast<sockaddr*>(&v6)), "fe80::1");
    EXPECT_EQ(cross::getIpv4(nullptr), "");
}

TEST(CrossHost, NameTimeAndBlockSize)
{
    const std::string name = cross::getComputerName();
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.find('.'), std::string::npos);

    // Bracketed by the fine wall clock (time() may lag it by a tick).
    const auto wallMillis = [] {
        timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        return static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000;
    };
    const uint64_t before = wallMillis();
    const uint64_t stamp = cross::getMillisecondTimestamp();
    const uint64_t after = wallMillis();
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);

    EXPECT_EQ(cross::getPreferredBlockSize(), 65536u);
}
