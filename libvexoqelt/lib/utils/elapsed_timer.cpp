#include "utils/elapsed_timer.h"

#include <cerrno>
#include <ctime>

namespace qelt {

int64_t monotonicMicroseconds()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

void usleep(uint64_t us)
{
    timespec left;
    left.tv_sec = static_cast<time_t>(us / 1000000);
    left.tv_nsec = static_cast<long>((us % 1000000) * 1000);
    while (nanosleep(&left, &left) == -1 && errno == EINTR) {
    }
}

void ElapsedTimer::start()
{
    m_usec_start_time = monotonicMicroseconds();
}

int64_t ElapsedTimer::usElapsed() const
{
    if (m_usec_start_time == kNotStarted)
        return -1;
    return monotonicMicroseconds() - m_usec_start_time;
}

} // namespace qelt
