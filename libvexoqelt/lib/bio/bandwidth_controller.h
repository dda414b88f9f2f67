#pragma once

#include <cstdint>
#include <memory>

#include "bio/buffered_io_base.h"
#include "utils/elapsed_timer.h"

namespace qelt {

// The rates a BandwidthController keeps to; 0 = no limit. Supplied by the
// controller's user, who may change the rates at any time.
class BandwidthConfig {
public:
    virtual ~BandwidthConfig();
    virtual uint64_t getReadBytesPerSecond() = 0;
    virtual uint64_t getWriteBytesPerSecond() = 0;
    // Called after each paced chunk (e.g. to refresh a displayed speed).
    virtual void returnReadSpeed() {}
    virtual void returnWriteSpeed() {}
};

// Where a BandwidthController reads time and sleeps; replaceable so that the
// pacing rule can be checked without waiting.
class BandwidthClock {
public:
    virtual ~BandwidthClock();
    virtual int64_t nowMicroseconds() = 0;
    virtual void sleepMicroseconds(uint64_t us) = 0;
};

// Caps each chunk at one second's worth of bytes and, after each chunk,
// sleeps until the chunk's share of time at the configured rate has passed.
class BandwidthController : public BufferedIOController {
public:
    static constexpr uint64_t NO_LIMIT = 0;

    BandwidthController();
    ~BandwidthController() override;

    // Not owned; nullptr = no limit. Restarts the pacing clock.
    void setBandwidthConfig(BandwidthConfig* config);
    BandwidthConfig* bandwidthConfig() const { return _config; }
    // Not owned; nullptr = the monotonic clock and a real sleep.
    void setClock(BandwidthClock* clock);

    bool abort() override { return false; }
    size_t controlWriteSize(size_t n) override;
    size_t controlReadSize(size_t n) override;
    void handleAfterWrite(size_t n) override;
    void handleAfterRead(size_t n) override;

private:
    void pace(size_t n, uint64_t rate);
    void restartTimer();

    BandwidthConfig* _config = nullptr;
    BandwidthClock* _clock = nullptr;
    std::unique_ptr<ElapsedTimer> _timer;
    int64_t _fake_start = 0; // timer start when a BandwidthClock is set
};

} // namespace qelt
