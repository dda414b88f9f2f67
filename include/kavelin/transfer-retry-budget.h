#pragma once

#include <cstdint>

// How often a task may be retried after its data connection broke. A retry
// that moved the receiver's holdings on by a real amount is progress and
// refills the budget; a run of failures without it gives the task up, so a
// link that breaks before anything gets through ends the task with an error
// instead of retrying it for ever. Kept per task store and resume id for the
// whole process; only the event-loop threads of the engines use it.
class TransferRetryBudget {
public:
    // Failures in a row without progress after which a task is given up.
    static constexpr int kMaxStalledFailures = 6;
    // Growth of the holdings that counts as progress (one transfer step),
    // unless the holdings reached the whole file.
    static constexpr uint64_t kMinProgress = 64 * 1024;

    // Records a broken connection of the task, with the bytes the receiver
    // holds now; true when the task is to be given up.
    static bool noteFailure(const void* store, uint64_t resume_id, uint64_t held, uint64_t total);
    // The task finished or left the store.
    static void forget(const void* store, uint64_t resume_id);
};
