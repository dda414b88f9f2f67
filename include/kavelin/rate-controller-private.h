#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "kavelin/rate-controller.h"

namespace QuillmarFileManager {

class RateControllerPrivate {
public:
    // The floor every registered peer is guaranteed, KB/s.
    static constexpr uint64_t kMinSpeed = 128;
    // Ticks a measured peak is held before a lower reading replaces it.
    static constexpr int kPeakHoldTicks = 5;

    struct Data {
        uint64_t config_limit = 0;
        uint64_t shareble_limit = 0;
        size_t capable_size = 0;
    };

    struct EachData {
        struct __EachData {
            bool is_exploited = false;
            int max_speed_count = 0;
            uint64_t max_speed = 0;
            uint64_t shared_speed = 0;
            uint64_t min_speed = 0;
        };
        __EachData data[PRC_LENGTH];
    };

    // Reads each peer's speeds and updates its held peaks.
    void updateCurrentSpeed();
    // Water-fills one direction's limit among the peers.
    void shareDirection(RateControlDirection direction);
    // Hands every peer its shares.
    void applyShares();

    // Peak hold of one direction of one peer for a new reading.
    static void updatePeak(EachData::__EachData& unit, uint64_t current);

    Data data[PRC_LENGTH];
    std::unordered_map<RateControlledPeer*, EachData> all_units;
};

} // namespace QuillmarFileManager
