#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "kavelin/bandwidth-calculator.h"
#include "kavelin/rate-controller-private.h"
#include "kavelin/rate-controller.h"

using namespace std::chrono;
using QuillmarFileManager::RateController;
using QuillmarFileManager::RateControllerPrivate;

namespace {

// A clock the test moves by hand.
struct FakeClock {
    BandwidthTimePoint now = BandwidthTimePoint(seconds(1000));
    void advance(microseconds us) { now += us; }
    BandwidthClock clock()
    {
        return [this] { return now; };
    }
};

int kTransferA, kTransferB, kTransferC;  // identities only

TEST(BandwidthCalculatorTest, UnlimitedWaitsNothingButStillMeasures)
{
    FakeClock clock;
    BandwidthCalculator calc(0);
    calc.setClock(clock.clock());
    calc.adjustBandwidth(&kTransferA, BA_REG);
    EXPECT_EQ(0u, calc.getUsTimeWait(&kTransferA, 1000));
    clock.advance(milliseconds(1));
    EXPECT_EQ(0u, calc.getUsTimeWait(&kTransferA, 2000));
    // The oldest sample's bytes are left out: 2000 bytes in 1 ms.
    EXPECT_EQ(2000000u, calc.getCurrentSpeed());

    // More than 2 s after the newest sample the record is stale and cleared.
    clock.advance(milliseconds(2001));
    EXPECT_EQ(0u, calc.getCurrentSpeed());
    clock.advance(-milliseconds(2001));
    EXPECT_EQ(0u, calc.getCurrentSpeed());
}

TEST(BandwidthCalculatorTest, FirstChunkWaitScalesWithRegisteredConnections)
{
    struct Case {
        const char* name;
        int registered;
        uint64_t expected_us;
    };
    const Case cases[] = {
        {"one connection", 1, 102400ull * 976 / 100 - 1000},
        {"three connections", 3, 102400ull * 976 / 100 * 3 - 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        BandwidthCalculator calc(100);
        calc.setClock(clock.clock());
        void* ids[] = {&kTransferA, &kTransferB, &kTransferC};
        for (int i = 0; i < c.registered; ++i)
            calc.adjustBandwidth(ids[i], BA_REG);
        clock.advance(microseconds(1000));
        EXPECT_EQ(c.expected_us, calc.getUsTimeWait(&kTransferA, 102400));
    }
}

TEST(BandwidthCalculatorTest, UnregisteredConnectionNeitherWaitsNorCounts)
{
    FakeClock clock;
    BandwidthCalculator calc(1);
    calc.setClock(clock.clock());
    EXPECT_EQ(0u, calc.getUsTimeWait(&kTransferA, 1 << 20));
    calc.adjustBandwidth(&kTransferA, BA_REG);
    calc.adjustBandwidth(&kTransferA, BA_UNREG);
    EXPECT_EQ(0u, calc.getUsTimeWait(&kTransferA, 1 << 20));
    EXPECT_EQ(0u, calc.countRegistered());
    clock.advance(milliseconds(10));
    EXPECT_EQ(0u, calc.getCurrentSpeed());
}

// A connection that always sleeps the wait it is given moves data at the
// limit, whether one or two connections share it.
TEST(BandwidthCalculatorTest, PacedTransfersKeepToTheLimit)
{
    struct Case {
        uint64_t limit_kBps;
        int connections;
    };
    for (const Case& c : {Case{100, 1}, Case{1000, 1}, Case{10000, 1}, Case{2000, 2}}) {
        SCOPED_TRACE(testing::Message() << c.limit_kBps << " KB/s over " << c.connections);
        FakeClock clock;
        BandwidthCalculator calc(c.limit_kBps);
        calc.setClock(clock.clock());
        void* ids[] = {&kTransferA, &kTransferB};
        std::vector<BandwidthTimePoint> ready(c.connections, clock.now);
        BandwidthTimePoint start = clock.now;
        for (int i = 0; i < c.connections; ++i)
            calc.adjustBandwidth(ids[i], BA_REG);
        const uint64_t chunk = 65536;
        uint64_t moved = 0;
        for (int step = 0; step < 1000; ++step) {
            // Serve the connection whose wait ends first, as the loop would.
            int next = 0;
            for (int i = 1; i < c.connections; ++i)
                if (ready[i] < ready[next])
                    next = i;
            clock.now = ready[next];
            calc.adjustBandwidth(ids[next], BA_RESET);
            clock.advance(microseconds(50));
            uint64_t wait = calc.getUsTimeWait(ids[next], chunk);
            moved += chunk;
            ready[next] = clock.now + microseconds(wait);
        }
        double seconds_taken = duration<double>(clock.now - start).count();
        double kBps = moved / 1024.0 / seconds_taken;
        EXPECT_NEAR(static_cast<double>(c.limit_kBps), kBps, c.limit_kBps * 0.05);
    }
}

class FakePeer : public RateControlledPeer {
public:
    explicit FakePeer(uint64_t speed) : output(speed), input(speed) {}
    uint64_t getCurrentOutputSpeedKBps() override { return output; }
    uint64_t getCurrentInputSpeedKBps() override { return input; }
    void setSharedSpeedLimit(uint64_t out, uint64_t in) override
    {
        shared_output = out;
        shared_input = in;
        ++calls;
    }
    uint64_t output, input;
    uint64_t shared_output = 12345, shared_input = 12345;
    int calls = 0;
};

TEST(RateControllerTest, RegistrationIsCountedOnce)
{
    RateController controller;
    FakePeer a(0), b(0);
    EXPECT_TRUE(controller.registerConnection(&a));
    EXPECT_FALSE(controller.registerConnection(&a));
    EXPECT_TRUE(controller.registerConnection(&b));
    EXPECT_EQ(2u, controller.countRegistered());
    EXPECT_TRUE(controller.unregisterConnection(&a));
    EXPECT_FALSE(controller.unregisterConnection(&a));
    EXPECT_EQ(1u, controller.countRegistered());
}

TEST(RateControllerTest, SharesTheLimitByWaterFilling)
{
    struct Case {
        const char* name;
        uint64_t limit;
        std::vector<uint64_t> speeds;
        std::vector<uint64_t> shares;
    };
    const std::vector<Case> cases = {
        {"one peer takes the whole limit", 500, {0}, {500}},
        {"a slow peer leaves the rest to a fast one", 1000, {100, 900}, {500, 900}},
        {"even split rounds down", 1000, {5000, 5000, 5000, 5000}, {250, 250, 250, 250}},
        {"limit under the floors gives every peer 256", 300, {1000, 1000, 1000, 1000}, {256, 256, 256, 256}},
        // The fixed peers' peaks exceed the pool: the last peer still gets a
        // bounded share instead of an unlimited one.
        {"pool exhausted by fixed peers", 300, {200, 200, 0, 1000}, {256, 256, 256, 256}},
        {"no limit clears every share", 0, {100, 900}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RateController controller;
        std::vector<FakePeer> peers;
        peers.reserve(c.speeds.size());
        for (uint64_t speed : c.speeds)
            peers.emplace_back(speed);
        for (FakePeer& peer : peers)
            controller.registerConnection(&peer);
        controller.setConfigLimit(c.limit, c.limit);
        controller.recalculateSpeed();
        for (size_t i = 0; i < peers.size(); ++i) {
            EXPECT_EQ(1, peers[i].calls);
            EXPECT_EQ(c.shares[i], peers[i].shared_output) << "peer " << i;
            EXPECT_EQ(c.shares[i], peers[i].shared_input) << "peer " << i;
        }
    }
}

TEST(RateControllerTest, NoPeersMeansNothingToDo)
{
    RateController controller;
    controller.setConfigLimit(100, 100);
    controller.recalculateSpeed();  // must not touch anything
    EXPECT_EQ(0u, controller.countRegistered());
}

TEST(RateControllerTest, PeakIsHeldForFiveTicksAfterItWasSet)
{
    RateControllerPrivate::EachData::__EachData unit;
    RateControllerPrivate::updatePeak(unit, 1000);
    EXPECT_EQ(1000u, unit.max_speed);
    EXPECT_EQ(128u, unit.min_speed);
    for (int tick = 1; tick <= 5; ++tick) {
        RateControllerPrivate::updatePeak(unit, 0);
        EXPECT_EQ(1000u, unit.max_speed) << "tick " << tick;
    }
    RateControllerPrivate::updatePeak(unit, 0);
    EXPECT_EQ(0u, unit.max_speed);
    // A higher reading replaces the peak at once.
    RateControllerPrivate::updatePeak(unit, 10);
    RateControllerPrivate::updatePeak(unit, 20);
    EXPECT_EQ(20u, unit.max_speed);
}

} // namespace
