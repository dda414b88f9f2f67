#include "engine/tcp_transfer_test_support.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "psocket_stream.h"

namespace tcp_transfer_test {

void TestController::pushReport(uint64_t, PObject& report)
{
    reports.emplace_back();
    reports.back().swap(report);
}

bool TestController::popReport(uint64_t, PObject& report)
{
    if (reports.empty())
        return false;
    report.swap(reports.front());
    reports.pop_front();
    return true;
}

bool TestController::pumpUntil(const std::function<bool()>& condition, int timeout_ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        timeval slice{0, 10000};
        event_base_loopexit(m_base, &slice);
        event_base_dispatch(m_base);
    }
    return true;
}

Listener::Listener(int backlog)
{
    fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    ::listen(fd, backlog);
    socklen_t len = sizeof(addr);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
}

Listener::~Listener()
{
    ::close(fd);
}

int Listener::acceptOne(int timeout_ms) const
{
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, timeout_ms) != 1)
        return -1;
    return ::accept(fd, nullptr, nullptr);
}

int connectTo(int port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    return fd;
}

bool readObject(int fd, PObject& out)
{
    PSocketStream stream;
    stream.SetSocket(fd);
    for (;;) {
        if (stream.GetNextAvailibleReceivedObject(out) == PSocketStream::ERR_OK)
            return true;
        if (stream.Recv(65536) != PSocketStream::ERR_OK)
            return false;
    }
}

bool writeObject(int fd, const PObject& object)
{
    PSocketStream stream;
    stream.SetSocket(fd);
    stream.SetSend(object);
    for (;;) {
        PSocketStream::ErrorCode r = stream.Send(65536);
        if (r == PSocketStream::ERR_OK)
            return true;
        if (r != PSocketStream::ERR_WOULD_BLOCK)
            return false;
    }
}

long drainUntilClosed(int fd)
{
    long total = 0;
    char buffer[4096];
    for (;;) {
        ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
        if (n == 0)
            return total;
        if (n < 0)
            return -1;
        total += n;
    }
}

TcpTransfer* clientTransfer(TestController& controller, uint64_t peer_id, bool encrypted)
{
    TcpTransfer* t = new TcpTransfer(&controller);
    t->setTransferSide(TRANSFER_SIDE_CLIENT);
    t->setPeerId(peer_id);
    t->setExpectedUse(TRANSFER_USE_ACTIVE);
    t->setEncrypted(encrypted);
    t->setCompressed(false);
    return t;
}

ReportLink::ReportLink(TestController& controller) : transfer(new TcpTransfer(&controller))
{
    transfer->setTransferSide(TRANSFER_SIDE_SERVER);
    transfer->setPeerId(1);
    peer = connectTo(listener.port);
    transfer->accept(listener.fd);
    transfer->changeHelper(TRANSFER_USE_REPORT);
}

ReportLink::~ReportLink()
{
    ::close(peer);
}

}  // namespace tcp_transfer_test
