#include "kavelin/rate-controller.h"

#include <cmath>

#include "kavelin/rate-controller-private.h"
#include "log.h"

namespace {
const char* const kComponent = "bandwidth_debug";
}

RateControlledPeer::~RateControlledPeer() = default;

namespace QuillmarFileManager {

void RateControllerPrivate::updatePeak(EachData::__EachData& unit, uint64_t current)
{
    unit.min_speed = kMinSpeed;
    if (current > unit.max_speed || unit.max_speed_count == 0) {
        unit.max_speed = current;
        unit.max_speed_count = kPeakHoldTicks;
    } else {
        --unit.max_speed_count;
    }
    unit.is_exploited = false;
}

void RateControllerPrivate::updateCurrentSpeed()
{
    for (auto& entry : all_units) {
        updatePeak(entry.second.data[PRC_OUTPUT], entry.first->getCurrentOutputSpeedKBps());
        updatePeak(entry.second.data[PRC_INPUT], entry.first->getCurrentInputSpeedKBps());
    }
}

void RateControllerPrivate::shareDirection(RateControlDirection direction)
{
    Data& pool = data[direction];
    pool.capable_size = all_units.size();
    pool.shareble_limit = pool.config_limit;
    if (pool.config_limit == 0) {
        for (auto& entry : all_units)
            entry.second.data[direction].shared_speed = 0;
        return;
    }

    bool fixed_any = true;
    while (fixed_any && pool.capable_size > 0) {
        fixed_any = false;
        const uint64_t n = pool.capable_size;
        const uint64_t floor_total = kMinSpeed * n;
        const uint64_t spare =
            pool.shareble_limit > floor_total ? pool.shareble_limit - floor_total : floor_total;
        uint64_t sum = 0;
        for (auto& entry : all_units) {
            const EachData::__EachData& unit = entry.second.data[direction];
            if (!unit.is_exploited)
                sum += unit.min_speed;
        }
        uint64_t per = 0;
        if (spare >= sum)
            per = static_cast<uint64_t>(std::ceil(static_cast<double>(spare - sum) / static_cast<double>(n)));

        // spare, sum and per hold for the whole pass, so the order of the
        // peers does not change any share.
        for (auto& entry : all_units) {
            EachData::__EachData& unit = entry.second.data[direction];
            if (unit.is_exploited)
                continue;
            uint64_t share = spare < sum ? (sum == 0 ? 0 : spare * unit.min_speed / sum) + kMinSpeed
                                         : per + unit.min_speed + kMinSpeed;
            unit.shared_speed = share;
            if (unit.max_speed * 11 / 10 < share) {
                // This peer needs less than its share: it leaves the pool with
                // what it uses. The pool is floored at 0 rather than wrapping,
                // which would hand the others an unlimited share.
                unit.is_exploited = true;
                pool.shareble_limit =
                    pool.shareble_limit > unit.max_speed ? pool.shareble_limit - unit.max_speed : 0;
                --pool.capable_size;
                fixed_any = true;
            }
        }
    }
}

void RateControllerPrivate::applyShares()
{
    QM_LOG(Logger::L_DEBUG, kComponent, L"[DEBUG] rate-controller(%d): Share\tMin\tCur\tShare\tMin\tCur\n");
    for (auto& entry : all_units) {
        const EachData::__EachData& out = entry.second.data[PRC_OUTPUT];
        const EachData::__EachData& in = entry.second.data[PRC_INPUT];
        entry.first->setSharedSpeedLimit(out.shared_speed, in.shared_speed);
        QM_LOG(Logger::L_DEBUG, kComponent,
               L"[DEBUG] rate-controller(%d): %5llu\t%5llu\t%5llu\t%5llu\t%5llu\t%5llu\n",
               static_cast<unsigned long long>(out.shared_speed),
               static_cast<unsigned long long>(out.min_speed),
               static_cast<unsigned long long>(out.max_speed),
               static_cast<unsigned long long>(in.shared_speed),
               static_cast<unsigned long long>(in.min_speed),
               static_cast<unsigned long long>(in.max_speed));
    }
}

RateController::RateController() : m_private(new RateControllerPrivate) {}

RateController::~RateController() { delete m_private; }

void RateController::setConfigLimit(uint64_t output, uint64_t input)
{
    m_private->data[PRC_OUTPUT].config_limit = output;
    m_private->data[PRC_INPUT].config_limit = input;
}

bool RateController::registerConnection(RateControlledPeer* peer)
{
    return m_private->all_units.emplace(peer, RateControllerPrivate::EachData()).second;
}

bool RateController::unregisterConnection(RateControlledPeer* peer)
{
    return m_private->all_units.erase(peer) > 0;
}

void RateController::recalculateSpeed()
{
    if (m_private->all_units.empty())
        return;
    m_private->updateCurrentSpeed();
    m_private->shareDirection(PRC_OUTPUT);
    m_private->shareDirection(PRC_INPUT);
    m_private->applyShares();
}

uint64_t RateController::countRegistered() const { return m_private->all_units.size(); }

} // namespace QuillmarFileManager
