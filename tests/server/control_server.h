#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "protocol/pobject.h"
#include "server_config.h"
#include "share_store.h"

namespace test_server {

// The control side of the test file server: listens on TCP, runs one thread
// per connection (ControlSession) and keeps what sessions share: the login
// seeds, the fault rules and, for tests, the last request of each action.
class ControlServer {
public:
    explicit ControlServer(ServerConfig config);
    ~ControlServer();
    ControlServer(const ControlServer&) = delete;
    ControlServer& operator=(const ControlServer&) = delete;

    // Binds, listens and starts accepting. 0, or -1 with a message.
    int Start(std::string& error);
    // Closes the listener and every connection and joins their threads.
    void Stop();
    // Stop, then Start again on the port it had. Like a restarted process it
    // has forgotten every session: clients must log in again from scratch.
    int Restart(std::string& error);
    unsigned Port() const { return m_port; }

    // Test hooks, safe while sessions run.
    void SetFault(const std::string& action, const Fault& fault);
    // The same for only those requests of the action whose "path" is only_path (as sent).
    void SetFault(const std::string& action, const Fault& fault, const std::string& only_path);
    void ClearFaults();
    // The last request of that action as the server decoded it; null if none.
    PObject LastRequest(const std::string& action) const;
    // Requests of that action decoded so far (answered or not).
    int RequestCount(const std::string& action) const;
    // Lets every answer held by a HOLD fault go out.
    void ReleaseHeldAnswers();
    // Connections accepted so far.
    int ConnectionCount() const { return m_connections.load(); }

private:
    friend class ControlSession;

    struct SessionThread {
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void AcceptLoop();
    void ReapFinishedSessions();

    // Used by sessions.
    const ServerConfig& Config() const { return m_config; }
    const ShareStore& Shares() const { return m_shares; }
    // The fault for this request of the action (NONE when it targets another path).
    Fault FaultFor(const std::string& action, const PObject& request) const;
    Fault FaultFor(const std::string& action) const;
    void RecordRequest(const std::string& action, const PObject& request);
    uint64_t IssueSeed(const std::string& user);
    bool SeedBelongsTo(uint64_t seed, const std::string& user) const;
    // Sleeps up to ms milliseconds; false when the server is stopping.
    bool Pause(uint32_t ms);
    // The count of ReleaseHeldAnswers calls so far.
    uint64_t ReleaseGeneration() const;
    // Waits until ReleaseHeldAnswers is called after `since` was read (at
    // once if it already was); false when the server is stopping.
    bool Hold(uint64_t since);
    // 1 for the first held-fault request of the action since its fault was set, then 2, ...
    uint32_t TakeHoldTurn(const std::string& action);
    // Tracks a session's socket so Stop can wake it; false when stopping.
    bool RegisterSocket(int fd);
    void UnregisterSocket(int fd);

    const ServerConfig m_config;
    const ShareStore m_shares;
    int m_listen_fd = -1;
    int m_wake_pipe[2] = {-1, -1};
    unsigned m_port = 0;
    unsigned m_bind_port = 0;  // the configured port, then the one bound first
    std::thread m_accept_thread;
    std::list<std::unique_ptr<SessionThread>> m_sessions;  // accept thread and Stop only
    std::atomic<int> m_connections{0};

    mutable std::mutex m_mutex;  // guards everything below
    std::condition_variable m_stop_cv;
    bool m_stopping = false;
    uint64_t m_release_generation = 0;
    std::set<int> m_open_sockets;
    std::map<std::string, Fault> m_faults;
    std::map<std::string, std::string> m_fault_paths;  // action -> the one path it targets
    std::map<std::string, PObject> m_last_requests;
    std::map<std::string, int> m_request_counts;
    std::map<std::string, uint32_t> m_hold_turns;
    std::map<uint64_t, std::string> m_seeds;
};

}  // namespace test_server
