#include "hostile_server.h"

#include <errno.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

#include "channel/channel.h"
#include "protocol/stream.h"
#include "pstream_memory_channel.h"
#include "support/loopback.h"

namespace {

// How often a blocked write or a pause looks at the stop flag.
const int kPollMs = 50;

}  // namespace

bool HostileServer::Sink::Send(const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        if (m_stopping)
            return false;
        pollfd pfd = {m_fd, POLLOUT, 0};
        int ready = ::poll(&pfd, 1, kPollMs);
        if (ready < 0 && errno != EINTR)
            return false;
        if (ready <= 0)
            continue;
        if (pfd.revents & (POLLERR | POLLHUP | POLLNVAL))
            return false;
        ssize_t n = ::send(m_fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                continue;
            return false;  // the client has gone
        }
        done += static_cast<size_t>(n);
        m_sent += static_cast<uint64_t>(n);
    }
    return true;
}

bool HostileServer::Sink::Trickle(const std::string& bytes, std::chrono::milliseconds gap)
{
    for (char byte : bytes) {
        if (!Send(std::string(1, byte)) || !Pause(gap))
            return false;
    }
    return true;
}

bool HostileServer::Sink::Pause(std::chrono::milliseconds time)
{
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        if (m_stopping)
            return false;
        // Sleeps in short steps, waking early when the client closes.
        pollfd pfd = {m_fd, POLLRDHUP, 0};
        if (::poll(&pfd, 1, kPollMs) > 0 && (pfd.revents & (POLLRDHUP | POLLHUP | POLLERR)))
            return false;
    }
    return true;
}

HostileServer::HostileServer(Script script) : m_script(std::move(script))
{
    int port = 0;
    m_listen_fd = qm_test::listenLoopback(port, 4);
    if (m_listen_fd < 0)
        throw std::runtime_error("hostile server: cannot listen on loopback");
    m_port = static_cast<unsigned>(port);
    m_thread = std::thread(&HostileServer::Serve, this);
}

HostileServer::~HostileServer()
{
    m_stopping = true;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ::shutdown(m_listen_fd, SHUT_RDWR);
        if (m_conn_fd >= 0)
            ::shutdown(m_conn_fd, SHUT_RDWR);
    }
    m_thread.join();
    ::close(m_listen_fd);
}

void HostileServer::Serve()
{
    int fd = ::accept4(m_listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_conn_fd = fd;
    }
    if (m_stopping)
        ::shutdown(fd, SHUT_RDWR);
    // Requests are read through a channel; answers go straight to the
    // socket, past its buffer, so that they can be paced.
    Channel channel(81920);
    if (channel.Open(fd, true) == ERR_OK) {
        channel.SetTimeout(0);
        Sink sink(fd, m_stopping);
        for (size_t i = 0; !m_stopping; ++i) {
            PStream stream;
            PObject request;
            if (stream.Recv(channel, request) != PStream::ERR_OK)
                break;
            ++m_requests;
            m_script(i, request, sink);
        }
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_conn_fd = -1;
    }
    channel.Close();
}

namespace wire {

std::string Encode(const PObject& value)
{
    MemoryChannel channel;
    PStream stream;
    if (stream.Send(channel, value) != PStream::ERR_OK)
        throw std::runtime_error("wire::Encode: the value cannot be sent");
    return channel.output;
}

std::string Tag(uint8_t tag)
{
    return std::string(1, static_cast<char>(tag));
}

namespace {

std::string BigEndian(uint64_t value, size_t width)
{
    std::string bytes(width, '\0');
    for (size_t i = 0; i < width; ++i)
        bytes[i] = static_cast<char>(value >> (8 * (width - 1 - i)));
    return bytes;
}

}  // namespace

std::string Text(const std::string& text)
{
    return Tag(0x10) + BigEndian(text.size(), 2) + text;
}

std::string Integer(uint64_t value)
{
    return Tag(0x01) + Tag(8) + BigEndian(value, 8);
}

std::string BufferHeader(uint32_t count)
{
    return Tag(0x20) + BigEndian(count, 4);
}

std::string BinaryHeader(uint64_t length)
{
    return Tag(0x30) + BigEndian(length, 8);
}

}  // namespace wire
