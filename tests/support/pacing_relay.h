#pragma once
// A loopback TCP relay that behaves like a real link: every chunk it reads is
// delivered a one-way delay later, and each direction is paced to a rate
// (bytes per second, shared by every connection, as one access link is).
// One thread serves all connections with poll(). It counts connections and
// the chunks and turns of each one, so a test or a benchmark can say how
// many round trips a transfer cost.

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace qm_test {

class PacingRelay {
public:
    enum Direction : unsigned {
        kToServer = 0,  // bytes the connecting end sends
        kToClient = 1,  // bytes the target sends
    };

    struct Options {
        // Bytes per second forwarded in each direction; 0: not limited.
        uint64_t bytes_per_s = 0;
        // Time from reading a chunk to delivering it, in each direction.
        unsigned one_way_delay_ms = 0;
        // Largest chunk taken from a socket at once.
        unsigned chunk = 16 * 1024;
    };

    // What one connection carried. A turn is a chunk read in the other
    // direction from the connection's previous chunk: a request answered, an
    // answer followed by a new request. Two turns make a round trip.
    struct LinkStats {
        uint64_t id = 0;
        uint64_t bytes[2] = {0, 0};
        uint64_t chunks[2] = {0, 0};
        uint64_t turns = 0;
        uint64_t opened_us = 0;
        uint64_t closed_us = 0;  // 0 while open
        // Which end closed or failed first: -1 none yet, else a Direction
        // naming the end that sends that way (kToServer: the connecting end).
        int first_end = -1;
    };

    PacingRelay(unsigned target_port, const Options& options);
    ~PacingRelay();
    PacingRelay(const PacingRelay&) = delete;
    PacingRelay& operator=(const PacingRelay&) = delete;

    // The port to connect to instead of the target's; 0 when it did not start.
    unsigned port() const { return m_port; }
    uint64_t connections() const { return m_connections.load(); }
    // Bytes taken in one direction over all connections.
    uint64_t forwarded(Direction direction) const { return m_forwarded[direction].load(); }
    // Turns of the link as a whole: chunks read in the other direction from
    // the chunk before them on any connection, so that a request on one
    // connection answered on another counts too.
    uint64_t turns() const { return m_turns.load(); }
    // Every connection so far, open or closed, in the order accepted.
    std::vector<LinkStats> links() const;
    // The relay thread's id (as in /proc/self/task), 0 until it runs.
    pid_t threadId() const { return m_thread_id.load(); }

private:
    struct Chunk;
    struct Pipe;
    struct Link;

    void run();
    void acceptAll(uint64_t now_us);
    void readInto(Link& link, unsigned direction, uint64_t now_us);
    void deliver(Link& link, unsigned direction, uint64_t now_us);
    void endLink(Link& link, unsigned first_end, bool reset, uint64_t now_us);
    uint64_t pipeCapacity() const;

    const unsigned m_target_port;
    const Options m_options;
    int m_listen_fd = -1;
    int m_wake[2] = {-1, -1};
    unsigned m_port = 0;
    std::thread m_thread;
    std::vector<Link*> m_links;
    // When the paced line of each direction is next free.
    uint64_t m_line_free_us[2] = {0, 0};
    int m_last_direction = -1;
    std::atomic<uint64_t> m_forwarded[2];
    std::atomic<uint64_t> m_turns{0};
    std::atomic<uint64_t> m_connections{0};
    std::atomic<pid_t> m_thread_id{0};
    mutable std::mutex m_stats_lock;  // guards m_stats
    std::vector<LinkStats> m_stats;
};

}  // namespace qm_test
