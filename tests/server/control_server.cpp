#include "control_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>

#include "control_session.h"

namespace test_server {

ControlServer::ControlServer(ServerConfig config) : m_config(std::move(config)), m_shares(m_config.shares), m_bind_port(m_config.port)
{
    for (const ActionFault& fault : m_config.faults)
        m_faults[fault.action] = fault.fault;
}

ControlServer::~ControlServer()
{
    Stop();
}

int ControlServer::Start(std::string& error)
{
    bool v6 = m_config.listen_ip.find(':') != std::string::npos;
    sockaddr_storage address{};
    socklen_t length;
    if (v6) {
        sockaddr_in6* in6 = reinterpret_cast<sockaddr_in6*>(&address);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(static_cast<uint16_t>(m_bind_port));
        if (inet_pton(AF_INET6, m_config.listen_ip.c_str(), &in6->sin6_addr) != 1) {
            error = "bad listen address " + m_config.listen_ip;
            return -1;
        }
        length = sizeof(sockaddr_in6);
    } else {
        sockaddr_in* in4 = reinterpret_cast<sockaddr_in*>(&address);
        in4->sin_family = AF_INET;
        in4->sin_port = htons(static_cast<uint16_t>(m_bind_port));
        if (inet_pton(AF_INET, m_config.listen_ip.c_str(), &in4->sin_addr) != 1) {
            error = "bad listen address " + m_config.listen_ip;
            return -1;
        }
        length = sizeof(sockaddr_in);
    }
    m_listen_fd = ::socket(v6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int on = 1;
    if (m_listen_fd < 0 || ::setsockopt(m_listen_fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        ::bind(m_listen_fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(m_listen_fd, 64) != 0 || ::getsockname(m_listen_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::pipe2(m_wake_pipe, O_CLOEXEC) != 0) {
        error = std::string("cannot listen: ") + std::strerror(errno);
        Stop();
        return -1;
    }
    m_port = ntohs(v6 ? reinterpret_cast<sockaddr_in6*>(&address)->sin6_port
                      : reinterpret_cast<sockaddr_in*>(&address)->sin_port);
    m_bind_port = m_port;
    m_accept_thread = std::thread(&ControlServer::AcceptLoop, this);
    return 0;
}

int ControlServer::Restart(std::string& error)
{
    Stop();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = false;
        m_open_sockets.clear();
        // A restarted server has forgotten every session.
        m_seeds.clear();
    }
    return Start(error);
}

void ControlServer::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        // Wakes sessions blocked in a read; each closes its own descriptor.
        for (int fd : m_open_sockets)
            ::shutdown(fd, SHUT_RDWR);
    }
    m_stop_cv.notify_all();
    if (m_wake_pipe[1] >= 0) {
        char byte = 0;
        ssize_t ignored = ::write(m_wake_pipe[1], &byte, 1);
        (void)ignored;
    }
    if (m_accept_thread.joinable())
        m_accept_thread.join();
    for (auto& session : m_sessions)
        session->thread.join();
    m_sessions.clear();
    for (int* fd : {&m_listen_fd, &m_wake_pipe[0], &m_wake_pipe[1]}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void ControlServer::AcceptLoop()
{
    for (;;) {
        pollfd fds[2] = {{m_listen_fd, POLLIN, 0}, {m_wake_pipe[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents)
            return;
        int fd = ::accept4(m_listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        ReapFinishedSessions();
        if (!RegisterSocket(fd)) {
            ::close(fd);
            return;
        }
        ++m_connections;
        m_sessions.emplace_back(new SessionThread);
        SessionThread* session = m_sessions.back().get();
        session->thread = std::thread([this, fd, session] {
            ControlSession(*this, fd).Run();
            session->done = true;
        });
    }
}

void ControlServer::ReapFinishedSessions()
{
    for (auto it = m_sessions.begin(); it != m_sessions.end();) {
        if ((*it)->done) {
            (*it)->thread.join();
            it = m_sessions.erase(it);
        } else {
            ++it;
        }
    }
}

void ControlServer::ReleaseHeldAnswers()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_release_generation;
    }
    m_stop_cv.notify_all();
}

uint64_t ControlServer::ReleaseGeneration() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_release_generation;
}

bool ControlServer::Hold(uint64_t since)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_stop_cv.wait(lock, [&] { return m_stopping || m_release_generation != since; });
    return !m_stopping;
}

uint32_t ControlServer::TakeHoldTurn(const std::string& action)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return ++m_hold_turns[action];
}

bool ControlServer::RegisterSocket(int fd)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_stopping)
        return false;
    m_open_sockets.insert(fd);
    return true;
}

void ControlServer::UnregisterSocket(int fd)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_open_sockets.erase(fd);
}

void ControlServer::SetFault(const std::string& action, const Fault& fault)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults[action] = fault;
    m_fault_paths.erase(action);
    m_hold_turns.erase(action);
}

void ControlServer::SetFault(const std::string& action, const Fault& fault, const std::string& only_path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults[action] = fault;
    m_fault_paths[action] = only_path;
    m_hold_turns.erase(action);
}

void ControlServer::ClearFaults()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.clear();
    m_fault_paths.clear();
    m_hold_turns.clear();
}

Fault ControlServer::FaultFor(const std::string& action, const PObject& request) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_faults.find(action);
    if (it == m_faults.end())
        return Fault();
    auto path = m_fault_paths.find(action);
    if (path != m_fault_paths.end() &&
        !(request.isMap() && request.hasMember("path") && request["path"].isString() &&
          request["path"].asString() == path->second))
        return Fault();
    return it->second;
}

Fault ControlServer::FaultFor(const std::string& action) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_faults.find(action);
    return it == m_faults.end() ? Fault() : it->second;
}

void ControlServer::RecordRequest(const std::string& action, const PObject& request)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_last_requests[action] = request;
    ++m_request_counts[action];
}

PObject ControlServer::LastRequest(const std::string& action) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_last_requests.find(action);
    return it == m_last_requests.end() ? PObject() : it->second;
}

int ControlServer::RequestCount(const std::string& action) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_request_counts.find(action);
    return it == m_request_counts.end() ? 0 : it->second;
}

uint64_t ControlServer::IssueSeed(const std::string& user)
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    uint64_t seed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        do {
            seed = generator();
        } while (seed == 0 || m_seeds.count(seed));
        m_seeds[seed] = user;
    }
    if (m_config.on_session_seed)
        m_config.on_session_seed(seed);
    return seed;
}

bool ControlServer::SeedBelongsTo(uint64_t seed, const std::string& user) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_seeds.find(seed);
    return it != m_seeds.end() && it->second == user;
}

bool ControlServer::Pause(uint32_t ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_stop_cv.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stopping; });
}

}  // namespace test_server
