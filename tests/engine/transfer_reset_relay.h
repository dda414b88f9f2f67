#pragma once
// A loopback TCP relay between the client engine and the test server that
// resets its connections (a close with SO_LINGER 0, so both ends see a reset,
// not an orderly end) once they have carried a number of bytes, and that can
// pace what it forwards. One thread serves every connection with poll().

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace e2e {

class ResetRelay {
public:
    enum Direction : unsigned {
        kToServer = 1,  // bytes the client sends
        kToClient = 2,  // bytes the server sends
    };

    struct Options {
        // Bytes in the counted directions after which a connection is reset;
        // each connection draws its own threshold in [min, max]. 0: never.
        uint64_t reset_min = 0;
        uint64_t reset_max = 0;
        unsigned counted = kToServer | kToClient;
        // Bytes per second forwarded in each direction, over all connections;
        // 0: as fast as the sockets go.
        uint64_t rate = 0;
        uint32_t seed = 1;
        // The server's end of a reset link is reset this long after the
        // client's, held open meanwhile without a byte moving: a path whose
        // far end learns of the break only later. 0: both at once.
        uint32_t server_reset_delay_ms = 0;
    };

    ResetRelay(unsigned target_port, const Options& options);
    ~ResetRelay();
    ResetRelay(const ResetRelay&) = delete;
    ResetRelay& operator=(const ResetRelay&) = delete;

    // The port the client is to connect to; 0 when the relay did not start.
    unsigned port() const { return m_port; }
    // Bytes taken from the sending end in one direction, over all connections.
    uint64_t forwarded(Direction direction) const;
    uint64_t resets() const { return m_resets.load(); }
    uint64_t connections() const { return m_connections.load(); }

private:
    struct Pipe;
    struct Link;

    void run();
    void acceptOne();
    // Moves what one end has to the other; false when the link is over.
    bool pump(Link& link, int from, Pipe& pipe, unsigned direction, uint64_t& budget);
    void resetLink(Link& link);
    uint64_t drawThreshold();
    void refill(uint64_t now_us);

    const unsigned m_target_port;
    const Options m_options;
    int m_listen_fd = -1;
    int m_wake[2] = {-1, -1};
    unsigned m_port = 0;
    std::thread m_thread;
    std::vector<Link*> m_links;
    uint64_t m_random_state;
    // Pacing allowance of each direction (index 0: to the server).
    uint64_t m_allowance[2] = {0, 0};
    uint64_t m_last_refill_us = 0;
    std::atomic<uint64_t> m_forwarded[2];
    std::atomic<uint64_t> m_resets{0};
    std::atomic<uint64_t> m_connections{0};
};

}  // namespace e2e
