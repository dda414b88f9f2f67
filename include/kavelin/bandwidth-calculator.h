#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>

// Direction of a rate-controlled data stream.
enum BandwidthType : int32_t {
    BT_WRITE = 0,  // output
    BT_READ = 1,   // input
    BT_MAX = 2,
};

// What a data connection tells the calculator of a direction.
enum BandwidthAction : int32_t {
    BA_REG = 0,
    BA_UNREG = 1,
    BA_RESET = 2,  // re-arm: the pause before this event is not counted as transfer time
};

typedef std::chrono::steady_clock::time_point BandwidthTimePoint;
// The calculators read time through this, so tests can drive it.
typedef std::function<BandwidthTimePoint()> BandwidthClock;

// A bounded window of (time, bytes) samples, oldest first, with a running sum.
class BandwidthRecord {
public:
    struct Record {
        BandwidthTimePoint time;
        uint64_t bytes;
    };

    explicit BandwidthRecord(size_t max_size);

    // Appends a sample, dropping the oldest one beyond the maximum size.
    void pushBack(const Record& record);
    void popFront();
    const Record& front() const { return m_records.front(); }
    const Record& back() const { return m_records.back(); }
    size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    void clear();
    uint64_t getBytesSum() const { return m_bytes_sum; }
    // Drops every sample older than two seconds before now.
    void checkFresh(BandwidthTimePoint now);
    // Logs every sample (diagnostics).
    void dump() const;

private:
    std::deque<Record> m_records;
    uint64_t m_bytes_sum;
    size_t m_max_size;
};

// The limiter of one direction of one peer: tells each registered data
// connection how long to wait after a chunk so that together they keep to
// the limit, and measures the direction's current speed.
class BandwidthCalculator {
public:
    static constexpr size_t kTotalRecordSize = 81;
    static constexpr size_t kSingleRecordSize = 21;

    explicit BandwidthCalculator(uint64_t max_kBps);

    void setMaxKBps(uint64_t max_kBps) { m_max_kBps = max_kBps; }
    uint64_t getMaxKBps() const { return m_max_kBps; }
    void adjustBandwidth(void* transfer, BandwidthAction action);
    // Records a chunk of the transfer and returns the microseconds to wait.
    uint64_t getUsTimeWait(void* transfer, uint64_t bytes);
    // Bytes per second over the recent samples of every data connection.
    uint64_t getCurrentSpeed();
    size_t countRegistered() const { return m_transfer_records.size(); }
    void setClock(BandwidthClock clock) { m_clock = std::move(clock); }

private:
    struct SingleRecord {
        SingleRecord() : records(kSingleRecordSize), last_check() {}
        BandwidthRecord records;
        BandwidthTimePoint last_check;
    };

    uint64_t m_max_kBps;
    std::map<void*, SingleRecord> m_transfer_records;
    BandwidthRecord m_records;
    BandwidthClock m_clock;
};
