#pragma once

#include <atomic>
#include <cstdint>

// The periods and waits of the application core, in milliseconds. Each keeps
// the product's value; tests shorten them before starting the core. Every
// comparison of elapsed time runs on the monotonic clock, so a change of the
// wall clock neither fires nor delays them.
struct CoreTiming {
    std::atomic<int> channel_tick_ms{1000};       // peer monitor: data check and pool adjustment
    std::atomic<int> queue_retry_ms{1000};        // an event waiting for an idle worker
    std::atomic<int> heartbeat_ms{60000};         // heartbeat and engine disconnect report
    std::atomic<int> live_worker_limit_ms{60000}; // no live worker for longer: site lost
    std::atomic<int> data_wait_ms{10000};         // data connection awaited for longer: failed
    std::atomic<int> close_guard_ms{10000};       // a close the server does not answer
    std::atomic<int> task_pass_ms{1000};          // task monitor pass

    static CoreTiming& get();
    // Milliseconds of the monotonic clock; never 0 (0 means "never" to callers).
    static int64_t nowMs();
};
