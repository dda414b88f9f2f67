#include "transfer_reset_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "support/relay_sockets.h"

namespace e2e {

namespace {

// Small socket buffers on the relay's own sockets, so that what a reset
// loses in flight is what a real link would lose, not megabytes of kernel
// buffer on loopback.
const int kSocketBuffer = 64 * 1024;
const size_t kChunk = 64 * 1024;

}  // namespace

struct ResetRelay::Pipe {
    std::vector<char> bytes = std::vector<char>(kChunk);
    size_t offset = 0;
    size_t length = 0;
    bool empty() const { return offset == length; }
};

struct ResetRelay::Link {
    int client = -1;
    int server = -1;
    Pipe to_server;
    Pipe to_client;
    uint64_t counted = 0;
    uint64_t threshold = 0;
    bool over = false;
    // Set once the client's end is reset and the server's waits for this time.
    uint64_t server_reset_at_us = 0;
};

ResetRelay::ResetRelay(unsigned target_port, const Options& options)
    : m_target_port(target_port), m_options(options), m_random_state(options.seed * 2654435761ull + 1)
{
    m_forwarded[0] = 0;
    m_forwarded[1] = 0;
    m_listen_fd = socket(AF_INET, SOCK_STREAM, 0);
    if (m_listen_fd < 0 || pipe(m_wake) != 0)
        return;
    int one = 1;
    setsockopt(m_listen_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
    qm_test::setSocketBuffers(m_listen_fd, kSocketBuffer);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (bind(m_listen_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(m_listen_fd, 64) != 0 ||
        getsockname(m_listen_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    qm_test::setNonBlocking(m_listen_fd);
    m_port = ntohs(address.sin_port);
    m_last_refill_us = qm_test::steadyNowUs();
    m_thread = std::thread([this] { run(); });
}

ResetRelay::~ResetRelay()
{
    if (m_thread.joinable()) {
        const char stop = 's';
        (void)!write(m_wake[1], &stop, 1);
        m_thread.join();
    }
    for (Link* link : m_links) {
        close(link->client);
        close(link->server);
        delete link;
    }
    if (m_listen_fd >= 0)
        close(m_listen_fd);
    for (int fd : m_wake)
        if (fd >= 0)
            close(fd);
}

uint64_t ResetRelay::forwarded(Direction direction) const
{
    return m_forwarded[direction == kToServer ? 0 : 1].load();
}

uint64_t ResetRelay::drawThreshold()
{
    if (m_options.reset_max == 0)
        return 0;
    // xorshift: enough spread for thresholds, and the same run for a seed.
    m_random_state ^= m_random_state << 13;
    m_random_state ^= m_random_state >> 7;
    m_random_state ^= m_random_state << 17;
    const uint64_t span = m_options.reset_max - m_options.reset_min + 1;
    return m_options.reset_min + m_random_state % span;
}

void ResetRelay::refill(uint64_t now_us)
{
    if (m_options.rate == 0)
        return;
    const uint64_t elapsed = now_us - m_last_refill_us;
    const uint64_t gained = m_options.rate * elapsed / 1000000;
    if (gained == 0)
        return;
    m_last_refill_us = now_us;
    // At most a tenth of a second of burst.
    const uint64_t cap = std::max<uint64_t>(m_options.rate / 10, kChunk);
    for (uint64_t& allowance : m_allowance)
        allowance = std::min(cap, allowance + gained);
}

void ResetRelay::acceptOne()
{
    for (;;) {
        const int client = accept(m_listen_fd, nullptr, nullptr);
        if (client < 0)
            return;
        const int server = socket(AF_INET, SOCK_STREAM, 0);
        qm_test::setSocketBuffers(server, kSocketBuffer);
        sockaddr_in target{};
        target.sin_family = AF_INET;
        target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        target.sin_port = htons(static_cast<uint16_t>(m_target_port));
        if (server < 0 || connect(server, reinterpret_cast<sockaddr*>(&target), sizeof(target)) != 0) {
            if (server >= 0)
                close(server);
            qm_test::closeWithReset(client);
            continue;
        }
        int one = 1;
        setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
        setsockopt(server, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
        qm_test::setNonBlocking(client);
        qm_test::setNonBlocking(server);
        Link* link = new Link;
        link->client = client;
        link->server = server;
        link->threshold = drawThreshold();
        m_links.push_back(link);
        ++m_connections;
    }
}

void ResetRelay::resetLink(Link& link)
{
    ++m_resets;
    qm_test::closeWithReset(link.client);
    link.client = -1;
    if (m_options.server_reset_delay_ms != 0) {
        link.server_reset_at_us = qm_test::steadyNowUs() + 1000ull * m_options.server_reset_delay_ms;
        return;
    }
    qm_test::closeWithReset(link.server);
    link.server = -1;
    link.over = true;
}

bool ResetRelay::pump(Link& link, int from, Pipe& pipe, unsigned direction, uint64_t& budget)
{
    const int to = from == link.client ? link.server : link.client;
    for (;;) {
        if (pipe.empty()) {
            size_t want = kChunk;
            // Never past the threshold: the reset comes at its byte.
            if (link.threshold != 0 && (m_options.counted & direction))
                want = static_cast<size_t>(std::min<uint64_t>(want, link.threshold - link.counted));
            if (m_options.rate != 0) {
                want = static_cast<size_t>(std::min<uint64_t>(want, budget));
                if (want == 0)
                    return true;
            }
            const ssize_t n = read(from, pipe.bytes.data(), want);
            if (n == 0)
                return false;
            if (n < 0)
                return qm_test::wouldBlock(errno);
            pipe.offset = 0;
            pipe.length = static_cast<size_t>(n);
            if (m_options.rate != 0)
                budget -= static_cast<uint64_t>(n);
            m_forwarded[direction == kToServer ? 0 : 1] += static_cast<uint64_t>(n);
            if (m_options.counted & direction)
                link.counted += static_cast<uint64_t>(n);
        }
        const ssize_t n = send(to, pipe.bytes.data() + pipe.offset, pipe.length - pipe.offset, MSG_NOSIGNAL);
        if (n < 0)
            return qm_test::wouldBlock(errno);
        pipe.offset += static_cast<size_t>(n);
        if (link.threshold != 0 && link.counted >= link.threshold) {
            resetLink(link);
            return true;
        }
        if (!pipe.empty())
            return true;
    }
}

void ResetRelay::run()
{
    std::vector<pollfd> fds;
    for (;;) {
        const uint64_t now_us = qm_test::steadyNowUs();
        refill(now_us);
        fds.clear();
        fds.push_back({m_wake[0], POLLIN, 0});
        fds.push_back({m_listen_fd, POLLIN, 0});
        bool starved = false;
        for (Link* link : m_links) {
            if (link->server_reset_at_us != 0) {
                // Half reset: the server's end waits, nothing moves on it.
                starved = true;
                if (now_us >= link->server_reset_at_us && !link->over) {
                    qm_test::closeWithReset(link->server);
                    link->server = -1;
                    link->over = true;
                }
                fds.push_back({-1, 0, 0});
                fds.push_back({-1, 0, 0});
                continue;
            }
            short client_events = 0;
            short server_events = 0;
            const bool may_read_client = m_options.rate == 0 || m_allowance[0] > 0;
            const bool may_read_server = m_options.rate == 0 || m_allowance[1] > 0;
            starved = starved || !may_read_client || !may_read_server;
            if (link->to_server.empty()) {
                if (may_read_client)
                    client_events |= POLLIN;
            } else {
                server_events |= POLLOUT;
            }
            if (link->to_client.empty()) {
                if (may_read_server)
                    server_events |= POLLIN;
            } else {
                client_events |= POLLOUT;
            }
            fds.push_back({link->client, client_events, 0});
            fds.push_back({link->server, server_events, 0});
        }
        if (poll(fds.data(), fds.size(), starved ? 5 : 200) < 0 && errno != EINTR)
            return;
        if (fds[0].revents & POLLIN)
            return;
        if (fds[1].revents & POLLIN)
            acceptOne();
        for (size_t i = 0; i < m_links.size() && 2 + 2 * i + 1 < fds.size(); ++i) {
            Link& link = *m_links[i];
            const short client = fds[2 + 2 * i].revents;
            const short server = fds[2 + 2 * i + 1].revents;
            if ((client == 0 && server == 0) || link.server_reset_at_us != 0)
                continue;
            bool alive = true;
            if (client & (POLLIN | POLLHUP | POLLERR) || server & POLLOUT)
                alive = pump(link, link.client, link.to_server, kToServer, m_allowance[0]);
            if (alive && !link.over && link.server_reset_at_us == 0 && (server & (POLLIN | POLLHUP | POLLERR) || client & POLLOUT))
                alive = pump(link, link.server, link.to_client, kToClient, m_allowance[1]);
            if (!alive && !link.over && link.server_reset_at_us == 0) {
                // An end closed or failed: pass that on as the same kind of end.
                close(link.client);
                close(link.server);
                link.client = link.server = -1;
                link.over = true;
            }
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

}  // namespace e2e
