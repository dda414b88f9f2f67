#pragma once

#include <cstdint>

namespace qelt {

// Microseconds of a monotonic clock; only differences are meaningful.
int64_t monotonicMicroseconds();

// Sleeps at least `us` microseconds (restarted after signals).
void usleep(uint64_t us);

// A microsecond stopwatch.
class ElapsedTimer {
public:
    ElapsedTimer() = default;

    void start();
    // Microseconds since start(), or -1 when never started.
    int64_t usElapsed() const;
    bool isStarted() const { return m_usec_start_time != kNotStarted; }

private:
    static constexpr int64_t kNotStarted = -1; // all bits set
    int64_t m_usec_start_time = kNotStarted;
};

} // namespace qelt
