#include "kavelin/transfer-retry-budget.h"

#include "kavelin/source-change.h"

#include <map>
#include <mutex>
#include <utility>

namespace {

struct Attempts {
    uint64_t held = 0;
    int stalled = 0;
};

// Several engines (a client and a test server) may run in one process.
std::mutex g_lock;
std::map<std::pair<const void*, uint64_t>, Attempts> g_attempts;

} // namespace

bool TransferRetryBudget::noteFailure(const void* store, uint64_t resume_id, uint64_t held, uint64_t total)
{
    std::lock_guard<std::mutex> guard(g_lock);
    auto found = g_attempts.insert({{store, resume_id}, Attempts()}).first;
    Attempts& attempts = found->second;
    const bool moved = held > attempts.held && (held - attempts.held >= kMinProgress || held >= total);
    attempts.stalled = moved ? 0 : attempts.stalled + 1;
    if (held > attempts.held)
        attempts.held = held;
    if (attempts.stalled < kMaxStalledFailures)
        return false;
    g_attempts.erase(found);
    return true;
}

void TransferRetryBudget::forget(const void* store, uint64_t resume_id)
{
    SourceChange::forget(store, resume_id);
    std::lock_guard<std::mutex> guard(g_lock);
    g_attempts.erase({store, resume_id});
}
