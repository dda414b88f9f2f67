#include "core-timing.h"

#include <chrono>

CoreTiming& CoreTiming::get()
{
    static CoreTiming timing;
    return timing;
}

int64_t CoreTiming::nowMs()
{
    using namespace std::chrono;
    // Offset by one so that the first reading after boot is never 0.
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() + 1;
}
