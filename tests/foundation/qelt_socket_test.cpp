#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <string>
#include <unistd.h>

#include "io/file.h"
#include "io/socket.h"
#include "qelt_test_support.h"

using qelt::Socket;

namespace {

bool isOpen(int fd)
{
    return fcntl(fd, F_GETFD) != -1;
}

// A port that refuses connections: bound by a listener that is then closed.
int refusingPort()
{
    qelt_test::Listener listener;
    return listener.port();
}

TEST(QeltSocket, ConnectsToALoopbackListenerWithAndWithoutTimeout)
{
    qelt_test::Listener listener;
    for (unsigned timeout : {0u, 5u}) {
        SCOPED_TRACE(timeout);
        int fd = Socket::connectIPv4("127.0.0.1", listener.port(), timeout);
        ASSERT_NE(fd, qelt::invalid_socket);
        bool nonBlocking = (fcntl(fd, F_GETFL) & O_NONBLOCK) != 0;
        EXPECT_EQ(nonBlocking, timeout != 0) << "a blocking connect is used only without timeout";
        int accepted = listener.accept();
        ASSERT_GE(accepted, 0);
        Socket client(fd), server(accepted);
        EXPECT_EQ(client.write("ping", 4), 4);
        char buf[4];
        ASSERT_EQ(server.select(qelt::IOBase::MODE_READ, 5), 1);
        EXPECT_EQ(server.read(buf, 4), 4);
        EXPECT_EQ(std::string(buf, 4), "ping");
        client.close();
        server.close();
    }
}

// A refused non-blocking connect also polls "writable" on Linux; only
// SO_ERROR tells it apart from success.
TEST(QeltSocket, RefusedConnectFailsForEveryWayOfConnecting)
{
    int port = refusingPort();
    EXPECT_EQ(Socket::connectIPv4("127.0.0.1", port, 5), qelt::invalid_socket);
    EXPECT_EQ(Socket::connectIPv4("127.0.0.1", port, 0), qelt::invalid_socket);
    EXPECT_EQ(Socket::connectIPv6("::1", port, 5), qelt::invalid_socket);

    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_NE(Socket::connect(fd, "127.0.0.1", port, 5), 0);
    ::close(fd);
}

TEST(QeltSocket, WaitConnectReportsTheSocketErrorOfARefusedConnect)
{
    int port = refusingPort();
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(port));
    int r = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ASSERT_TRUE(r == -1 && errno == EINPROGRESS) << "loopback connects should be asynchronous here";
    EXPECT_EQ(Socket::waitConnect(fd, 5), -1);
    EXPECT_EQ(errno, ECONNREFUSED);
    EXPECT_EQ(Socket::waitConnect(fd, 0), -1) << "a zero timeout never waits";
    ::close(fd);
}

TEST(QeltSocket, RaisedAbortFlagStopsBeforeAnyAttempt)
{
    qelt_test::Listener listener;
    std::atomic<int> aborted{1};
    int plainAborted = 1;
    EXPECT_EQ(Socket::connectIPv4("127.0.0.1", listener.port(), 5, &aborted), qelt::invalid_socket);
    EXPECT_EQ(Socket::connectIPv4("127.0.0.1", listener.port(), 5, &plainAborted), qelt::invalid_socket);
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_EQ(Socket::connect(fd, "127.0.0.1", listener.port(), 5, &aborted), -1);
    ::close(fd);
}

TEST(QeltSocket, UnresolvableHostGivesTheResolverCode)
{
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    int r = Socket::connect(fd, "no-such-host.invalid", 80, 1);
    EXPECT_LT(r, 0);
    ::close(fd);
    EXPECT_EQ(Socket::connectDomainSocket("/tmp/x"), qelt::invalid_socket);
}

TEST(QeltSocket, WrappersNeverCloseOnDestructionOnlyOnClose)
{
    qelt_test::TcpPair pair;
    {
        Socket s(pair.client);
        qelt::IOBase* clone = s.clone();
        delete clone;
    }
    EXPECT_TRUE(isOpen(pair.client));

    qelt_test::TempDir dir;
    int fd = ::open(dir.file("f").c_str(), O_RDWR | O_CREAT, 0600);
    {
        qelt::File f(fd);
    }
    EXPECT_TRUE(isOpen(fd));
    qelt::File f(fd);
    f.close();
    EXPECT_FALSE(f.isValid());
    EXPECT_FALSE(isOpen(fd));
}

TEST(QeltSocket, SelectSeesDataHangUpAndPeerClose)
{
    qelt_test::TcpPair pair;
    Socket client(pair.client), server(pair.server);
    EXPECT_EQ(server.selectMs(qelt::IOBase::MODE_READ, 0), 0) << "nothing to read yet";
    EXPECT_EQ(client.select(qelt::IOBase::MODE_WRITE, 1), 1);
    ::shutdown(pair.client, SHUT_WR);
    EXPECT_EQ(server.select(qelt::IOBase::MODE_READ, 5), 1) << "an orderly close is readable";
    char c;
    EXPECT_EQ(server.read(&c, 1), 0);

    // Writing to a reset connection is an error, never a SIGPIPE.
    ::close(pair.server);
    pair.server = -1;
    ssize_t r = 0;
    for (int i = 0; i < 100 && r >= 0; ++i)
        r = client.write("x", 1);
    EXPECT_EQ(r, -1);
}

TEST(QeltSocket, CreateSocketAppliesBlockingModeAndLinger)
{
    for (bool blocking : {true, false}) {
        Socket* s = Socket::CreateSocket(blocking, 1);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ((fcntl(s->fd(), F_GETFL) & O_NONBLOCK) == 0, blocking);
        linger l{};
        socklen_t len = sizeof l;
        getsockopt(s->fd(), SOL_SOCKET, SO_LINGER, &l, &len);
        EXPECT_EQ(l.l_onoff, 1);
        EXPECT_EQ(l.l_linger, 1);
        s->close();
        delete s;
    }
}

TEST(QeltFile, PositionalAndSequentialIO)
{
    qelt_test::TempDir dir;
    qelt::File f(::open(dir.file("f").c_str(), O_RDWR | O_CREAT, 0600));
    ASSERT_TRUE(f.isValid());
    EXPECT_EQ(f.pwrite("world", 5, 6), 5);
    EXPECT_EQ(f.write("hello ", 6), 6) << "sequential write starts at 0";
    EXPECT_EQ(f.size(), 11);
    EXPECT_EQ(f.seek(6), 0);
    char buf[16] = {};
    EXPECT_EQ(f.read(buf, 5), 5);
    EXPECT_STREQ(buf, "world");
    EXPECT_EQ(f.pread(buf, sizeof buf, 0), 11) << "short only at end of file";
    EXPECT_EQ(f.sync(), 0);
    EXPECT_EQ(f.select(qelt::IOBase::MODE_READ, 0), 1);
    f.close();
}

} // namespace
