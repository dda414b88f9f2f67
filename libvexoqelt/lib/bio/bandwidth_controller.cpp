#include "bio/bandwidth_controller.h"

#include <algorithm>

namespace qelt {

namespace {
constexpr uint64_t kMaxSleepUs = 1000000;
} // namespace

BandwidthConfig::~BandwidthConfig() = default;

BandwidthClock::~BandwidthClock() = default;

BandwidthController::BandwidthController() : _timer(new ElapsedTimer)
{
}

BandwidthController::~BandwidthController() = default;

void BandwidthController::setBandwidthConfig(BandwidthConfig* config)
{
    _config = config;
    restartTimer();
}

void BandwidthController::setClock(BandwidthClock* clock)
{
    _clock = clock;
    restartTimer();
}

size_t BandwidthController::controlWriteSize(size_t n)
{
    uint64_t rate = _config ? _config->getWriteBytesPerSecond() : NO_LIMIT;
    return rate != NO_LIMIT && rate < n ? static_cast<size_t>(rate) : n;
}

size_t BandwidthController::controlReadSize(size_t n)
{
    uint64_t rate = _config ? _config->getReadBytesPerSecond() : NO_LIMIT;
    return rate != NO_LIMIT && rate < n ? static_cast<size_t>(rate) : n;
}

void BandwidthController::handleAfterWrite(size_t n)
{
    if (!_config)
        return;
    uint64_t rate = _config->getWriteBytesPerSecond();
    if (rate == NO_LIMIT)
        return;
    pace(n, rate);
    _config->returnWriteSpeed();
    restartTimer();
}

void BandwidthController::handleAfterRead(size_t n)
{
    if (!_config)
        return;
    uint64_t rate = _config->getReadBytesPerSecond();
    if (rate == NO_LIMIT)
        return;
    pace(n, rate);
    _config->returnReadSpeed();
    restartTimer();
}

// A chunk of n bytes at `rate` is owed n/rate seconds since the last chunk;
// sleep off what has not passed yet. Chunks are capped at one second's worth,
// so the one-second ceiling on a sleep only guards against a rate change.
void BandwidthController::pace(size_t n, uint64_t rate)
{
    int64_t elapsed = _clock ? _clock->nowMicroseconds() - _fake_start : _timer->usElapsed();
    uint64_t target = static_cast<uint64_t>(n) * 1000000 / rate;
    if (elapsed < 0 || static_cast<uint64_t>(elapsed) >= target)
        return;
    uint64_t pause = std::min<uint64_t>(target - static_cast<uint64_t>(elapsed), kMaxSleepUs);
    if (pause == 0)
        return;
    if (_clock)
        _clock->sleepMicroseconds(pause);
    else
        usleep(pause);
}

void BandwidthController::restartTimer()
{
    if (_clock)
        _fake_start = _clock->nowMicroseconds();
    else
        _timer->start();
}

} // namespace qelt
