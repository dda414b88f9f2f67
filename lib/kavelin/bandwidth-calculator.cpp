#include "kavelin/bandwidth-calculator.h"

#include "log.h"

namespace {

const char* const kComponent = "bandwidth_debug";
// Samples older than this no longer describe the current speed.
const std::chrono::seconds kFreshness(2);
// bytes * 976 / limit is the time in microseconds the bytes take at the limit
// in KB/s (1 000 000 / 1024, truncated); both ends of a connection pace alike.
const uint64_t kUsPerByteAtOneKBps = 976;

int64_t toMicroseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(d).count() / 1000;
}

} // namespace

BandwidthRecord::BandwidthRecord(size_t max_size) : m_bytes_sum(0), m_max_size(max_size) {}

void BandwidthRecord::pushBack(const Record& record)
{
    m_records.push_back(record);
    m_bytes_sum += record.bytes;
    if (m_records.size() > m_max_size)
        popFront();
}

void BandwidthRecord::popFront()
{
    if (m_records.empty())
        return;
    m_bytes_sum -= m_records.front().bytes;
    m_records.pop_front();
}

void BandwidthRecord::clear()
{
    m_records.clear();
    m_bytes_sum = 0;
}

void BandwidthRecord::checkFresh(BandwidthTimePoint now)
{
    while (!m_records.empty() && m_records.front().time + kFreshness < now)
        popFront();
}

void BandwidthRecord::dump() const
{
    for (const Record& record : m_records) {
        unsigned long long time = static_cast<unsigned long long>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(record.time.time_since_epoch()).count());
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] bandwidth-calculator(%d): <%llu, %llu>\n", time,
               static_cast<unsigned long long>(record.bytes));
    }
}

BandwidthCalculator::BandwidthCalculator(uint64_t max_kBps)
    : m_max_kBps(max_kBps), m_records(kTotalRecordSize), m_clock(&std::chrono::steady_clock::now)
{
}

void BandwidthCalculator::adjustBandwidth(void* transfer, BandwidthAction action)
{
    switch (action) {
    case BA_REG:
    case BA_RESET:
        // Registration and re-arming start the transfer's timing afresh, so a
        // pause between events is not taken as time spent moving bytes.
        m_transfer_records[transfer].last_check = m_clock();
        break;
    case BA_UNREG:
        m_transfer_records.erase(transfer);
        break;
    default:
        break;
    }
}

uint64_t BandwidthCalculator::getUsTimeWait(void* transfer, uint64_t bytes)
{
    BandwidthTimePoint now = m_clock();
    auto it = m_transfer_records.find(transfer);
    if (it == m_transfer_records.end())
        return 0;
    SingleRecord& single = it->second;

    m_records.pushBack({now, bytes});
    m_records.checkFresh(now);
    single.records.pushBack({now, bytes});
    single.records.checkFresh(now);

    if (bytes == 0 || m_max_kBps == 0)
        return 0;

    int64_t elapsed = toMicroseconds(now - single.last_check);
    uint64_t total = bytes;
    if (single.records.size() > 2) {
        total = bytes + (single.records.getBytesSum() - single.records.front().bytes);
        elapsed += toMicroseconds(now - single.records.front().time);
    }
    // The limit is split evenly among the direction's data connections.
    uint64_t expected = total * kUsPerByteAtOneKBps / m_max_kBps * m_transfer_records.size();
    single.last_check = now;
    if (static_cast<int64_t>(expected) > elapsed)
        return static_cast<uint64_t>(static_cast<int64_t>(expected) - elapsed);
    return 0;
}

uint64_t BandwidthCalculator::getCurrentSpeed()
{
    if (m_records.size() <= 1)
        return 0;
    const BandwidthRecord::Record& oldest = m_records.front();
    const BandwidthRecord::Record& newest = m_records.back();
    int64_t span_ms =
        std::chrono::duration_cast<std::chrono::nanoseconds>(newest.time - oldest.time).count() / 1000000;
    if (span_ms == 0) {
        QM_LOG(Logger::L_INFO, kComponent, L"[INFO] bandwidth-calculator(%d): timediff is smaller than 1ms\n");
        return 0;
    }
    if (m_clock() > newest.time + kFreshness) {
        m_records.clear();
        QM_LOG(Logger::L_DEBUG, kComponent, L"[DEBUG] bandwidth-calculator(%d): clear struct\n");
        return 0;
    }
    uint64_t bytes = m_records.getBytesSum() - oldest.bytes;
    uint64_t rate = bytes * 1000 / static_cast<uint64_t>(span_ms);
    QM_LOG(Logger::L_DEBUG, kComponent,
           L"[DEBUG] bandwidth-calculator(%d): total: %llu, timediff %llu(%zd), rate = %llu\n",
           static_cast<unsigned long long>(bytes), static_cast<unsigned long long>(span_ms),
           static_cast<ssize_t>(m_records.size()), static_cast<unsigned long long>(rate));
    return rate;
}
