#include "support/pacing_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include "support/relay_sockets.h"

namespace qm_test {

namespace {

// Kernel buffers of the relay's own sockets: small, so that what waits for
// the slow line waits in the relay's queue (where the pacing sees it), not
// in megabytes of loopback buffer.
const int kSocketBuffer = 128 * 1024;
// Queue of a direction when the line is not paced and has no delay.
const uint64_t kFastQueue = 256 * 1024;
// Queue of an unpaced line with a delay: what a fast link keeps in flight.
const uint64_t kDelayQueue = 32ull * 1024 * 1024;

}  // namespace

struct PacingRelay::Chunk {
    std::vector<char> bytes;
    size_t offset = 0;
    uint64_t due_us = 0;
};

struct PacingRelay::Pipe {
    std::deque<Chunk> chunks;
    uint64_t queued = 0;
    bool source_ended = false;  // the sending end closed its side
    bool passed_on = false;     // and that end was passed on
};

struct PacingRelay::Link {
    int fd[2] = {-1, -1};  // [kToServer]: the connecting end; [kToClient]: the target
    Pipe pipe[2];
    size_t stats = 0;
    int last_direction = -1;
    bool over = false;
    // The socket a direction reads from and the one it writes to.
    int source(unsigned direction) const { return fd[direction]; }
    int sink(unsigned direction) const { return fd[1 - direction]; }
};

PacingRelay::PacingRelay(unsigned target_port, const Options& options)
    : m_target_port(target_port), m_options(options)
{
    m_forwarded[0] = 0;
    m_forwarded[1] = 0;
    m_listen_fd = socket(AF_INET, SOCK_STREAM, 0);
    if (m_listen_fd < 0 || pipe(m_wake) != 0)
        return;
    int one = 1;
    setsockopt(m_listen_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
    setSocketBuffers(m_listen_fd, kSocketBuffer);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (bind(m_listen_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(m_listen_fd, 128) != 0 ||
        getsockname(m_listen_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    setNonBlocking(m_listen_fd);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { run(); });
}

PacingRelay::~PacingRelay()
{
    if (m_thread.joinable()) {
        const char stop = 's';
        (void)!write(m_wake[1], &stop, 1);
        m_thread.join();
    }
    for (Link* link : m_links) {
        for (int fd : link->fd)
            if (fd >= 0)
                close(fd);
        delete link;
    }
    if (m_listen_fd >= 0)
        close(m_listen_fd);
    for (int fd : m_wake)
        if (fd >= 0)
            close(fd);
}

std::vector<PacingRelay::LinkStats> PacingRelay::links() const
{
    std::lock_guard<std::mutex> guard(m_stats_lock);
    return m_stats;
}

uint64_t PacingRelay::pipeCapacity() const
{
    const uint64_t chunk = std::max(1u, m_options.chunk);
    if (m_options.bytes_per_s == 0)
        return m_options.one_way_delay_ms == 0 ? kFastQueue : kDelayQueue;
    // What is on the wire during the delay, and a few chunks waiting for it.
    return m_options.bytes_per_s * m_options.one_way_delay_ms / 1000 + 4 * chunk;
}

void PacingRelay::acceptAll(uint64_t now_us)
{
    for (;;) {
        const int client = accept(m_listen_fd, nullptr, nullptr);
        if (client < 0)
            return;
        const int server = socket(AF_INET, SOCK_STREAM, 0);
        if (server >= 0)
            setSocketBuffers(server, kSocketBuffer);
        sockaddr_in target{};
        target.sin_family = AF_INET;
        target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        target.sin_port = htons(static_cast<uint16_t>(m_target_port));
        if (server < 0 || connect(server, reinterpret_cast<sockaddr*>(&target), sizeof(target)) != 0) {
            if (server >= 0)
                close(server);
            closeWithReset(client);
            continue;
        }
        int one = 1;
        setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
        setsockopt(server, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
        setNonBlocking(client);
        setNonBlocking(server);
        Link* link = new Link;
        link->fd[kToServer] = client;
        link->fd[kToClient] = server;
        {
            std::lock_guard<std::mutex> guard(m_stats_lock);
            link->stats = m_stats.size();
            LinkStats stats;
            stats.id = m_stats.size() + 1;
            stats.opened_us = now_us;
            m_stats.push_back(stats);
        }
        m_links.push_back(link);
        ++m_connections;
    }
}

void PacingRelay::endLink(Link& link, unsigned first_end, bool reset, uint64_t now_us)
{
    for (int& fd : link.fd) {
        if (reset)
            closeWithReset(fd);
        else if (fd >= 0)
            close(fd);
        fd = -1;
    }
    link.over = true;
    std::lock_guard<std::mutex> guard(m_stats_lock);
    LinkStats& stats = m_stats[link.stats];
    stats.closed_us = now_us;
    if (stats.first_end < 0)
        stats.first_end = static_cast<int>(first_end);
}

void PacingRelay::readInto(Link& link, unsigned direction, uint64_t now_us)
{
    Pipe& pipe = link.pipe[direction];
    const uint64_t capacity = pipeCapacity();
    while (!pipe.source_ended && pipe.queued < capacity) {
        Chunk chunk;
        chunk.bytes.resize(std::max(1u, m_options.chunk));
        const ssize_t n = read(link.source(direction), chunk.bytes.data(), chunk.bytes.size());
        if (n < 0) {
            if (!wouldBlock(errno))
                endLink(link, direction, true, now_us);
            return;
        }
        if (n == 0) {
            pipe.source_ended = true;
            std::lock_guard<std::mutex> guard(m_stats_lock);
            if (m_stats[link.stats].first_end < 0)
                m_stats[link.stats].first_end = static_cast<int>(direction);
            return;
        }
        chunk.bytes.resize(static_cast<size_t>(n));
        uint64_t sent_us = now_us;
        if (m_options.bytes_per_s != 0) {
            // The line sends one chunk after the other at its rate.
            const uint64_t start = std::max(now_us, m_line_free_us[direction]);
            m_line_free_us[direction] = start + static_cast<uint64_t>(n) * 1000000 / m_options.bytes_per_s;
            sent_us = m_line_free_us[direction];
        }
        chunk.due_us = sent_us + m_options.one_way_delay_ms * 1000ull;
        pipe.queued += static_cast<uint64_t>(n);
        pipe.chunks.push_back(std::move(chunk));
        m_forwarded[direction] += static_cast<uint64_t>(n);
        const bool turn = link.last_direction >= 0 && link.last_direction != static_cast<int>(direction);
        link.last_direction = static_cast<int>(direction);
        if (m_last_direction >= 0 && m_last_direction != static_cast<int>(direction))
            ++m_turns;
        m_last_direction = static_cast<int>(direction);
        std::lock_guard<std::mutex> guard(m_stats_lock);
        LinkStats& stats = m_stats[link.stats];
        stats.bytes[direction] += static_cast<uint64_t>(n);
        ++stats.chunks[direction];
        if (turn)
            ++stats.turns;
    }
}

void PacingRelay::deliver(Link& link, unsigned direction, uint64_t now_us)
{
    Pipe& pipe = link.pipe[direction];
    while (!pipe.chunks.empty() && pipe.chunks.front().due_us <= now_us) {
        Chunk& chunk = pipe.chunks.front();
        const ssize_t n = send(link.sink(direction), chunk.bytes.data() + chunk.offset,
                               chunk.bytes.size() - chunk.offset, MSG_NOSIGNAL);
        if (n < 0) {
            // The receiving end is gone: the sending end learns it as a reset.
            if (!wouldBlock(errno))
                endLink(link, 1 - direction, true, now_us);
            return;
        }
        chunk.offset += static_cast<size_t>(n);
        pipe.queued -= static_cast<uint64_t>(n);
        if (chunk.offset < chunk.bytes.size())
            return;
        pipe.chunks.pop_front();
    }
    if (pipe.chunks.empty() && pipe.source_ended && !pipe.passed_on) {
        shutdown(link.sink(direction), SHUT_WR);
        pipe.passed_on = true;
    }
    if (link.pipe[0].passed_on && link.pipe[1].passed_on)
        endLink(link, direction, false, now_us);
}

void PacingRelay::run()
{
    m_thread_id = static_cast<pid_t>(gettid());
    std::vector<pollfd> fds;
    for (;;) {
        uint64_t now = steadyNowUs();
        const uint64_t capacity = pipeCapacity();
        uint64_t next_due = UINT64_MAX;
        fds.clear();
        fds.push_back({m_wake[0], POLLIN, 0});
        fds.push_back({m_listen_fd, POLLIN, 0});
        for (Link* link : m_links) {
            short events[2] = {0, 0};
            for (unsigned d = 0; d < 2; ++d) {
                const Pipe& pipe = link->pipe[d];
                if (!pipe.source_ended && pipe.queued < capacity)
                    events[d] |= POLLIN;
                if (!pipe.chunks.empty()) {
                    if (pipe.chunks.front().due_us <= now)
                        events[1 - d] |= POLLOUT;
                    else
                        next_due = std::min(next_due, pipe.chunks.front().due_us);
                } else if (pipe.source_ended && !pipe.passed_on) {
                    events[1 - d] |= POLLOUT;
                }
            }
            fds.push_back({link->fd[0], events[0], 0});
            fds.push_back({link->fd[1], events[1], 0});
        }
        timespec wait{1, 0};
        if (next_due != UINT64_MAX) {
            const uint64_t span = next_due > now ? next_due - now : 0;
            wait.tv_sec = static_cast<time_t>(span / 1000000);
            wait.tv_nsec = static_cast<long>(span % 1000000) * 1000;
        }
        if (ppoll(fds.data(), fds.size(), &wait, nullptr) < 0 && errno != EINTR)
            return;
        if (fds[0].revents & POLLIN)
            return;
        now = steadyNowUs();
        if (fds[1].revents & POLLIN)
            acceptAll(now);
        for (size_t i = 0; i < m_links.size() && 2 + 2 * i + 1 < fds.size(); ++i) {
            Link& link = *m_links[i];
            for (unsigned d = 0; d < 2 && !link.over; ++d) {
                const short revents = fds[2 + 2 * i + d].revents;
                if (!(revents & (POLLIN | POLLHUP | POLLERR)))
                    continue;
                if (link.pipe[d].source_ended && (revents & (POLLHUP | POLLERR)))
                    endLink(link, d, true, now);  // reset after its end: nothing more to read
                else
                    readInto(link, d, now);
            }
            // Deliveries come due by time as well as by readiness.
            for (unsigned d = 0; d < 2 && !link.over; ++d)
                deliver(link, d, now);
        }
        auto over = std::remove_if(m_links.begin(), m_links.end(), [](Link* link) {
            if (!link->over)
                return false;
            delete link;
            return true;
        });
        m_links.erase(over, m_links.end());
    }
}

}  // namespace qm_test
