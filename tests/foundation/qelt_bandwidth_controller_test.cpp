#include <gtest/gtest.h>

#include <sys/socket.h>
#include <thread>
#include <vector>

#include "bio/bandwidth_controller.h"
#include "bio/buffered_io.h"
#include "io/socket.h"
#include "qelt_test_support.h"
#include "utils/elapsed_timer.h"

using qelt::BandwidthController;

namespace {

class FixedRates : public qelt::BandwidthConfig {
public:
    FixedRates(uint64_t read, uint64_t write) : readRate(read), writeRate(write) {}
    uint64_t getReadBytesPerSecond() override { return readRate; }
    uint64_t getWriteBytesPerSecond() override { return writeRate; }
    void returnReadSpeed() override { ++readReports; }
    void returnWriteSpeed() override { ++writeReports; }
    uint64_t readRate, writeRate;
    int readReports = 0, writeReports = 0;
};

// Time that moves only when someone sleeps or the test does work.
class FakeClock : public qelt::BandwidthClock {
public:
    int64_t nowMicroseconds() override { return now; }
    void sleepMicroseconds(uint64_t us) override
    {
        sleeps.push_back(us);
        now += static_cast<int64_t>(us);
    }
    int64_t now = 1000000;
    std::vector<uint64_t> sleeps;
};

TEST(QeltBandwidth, ChunksAreCappedAtOneSecondsWorth)
{
    BandwidthController controller;
    EXPECT_EQ(controller.controlReadSize(5000), 5000u) << "no config, no limit";
    FixedRates rates(1000, 0);
    controller.setBandwidthConfig(&rates);
    EXPECT_EQ(controller.controlReadSize(5000), 1000u);
    EXPECT_EQ(controller.controlReadSize(500), 500u);
    EXPECT_EQ(controller.controlWriteSize(5000), 5000u) << "write rate 0 = no limit";
    EXPECT_FALSE(controller.abort());
}

// Whatever the chunk sizes and the time spent between chunks, bytes moved
// never exceed rate x elapsed once a chunk has been accounted for.
TEST(QeltBandwidth, PacingNeverLetsMoreThanTheRateThrough)
{
    FakeClock clock;
    FixedRates rates(1000, 4000);
    BandwidthController controller;
    controller.setClock(&clock);
    controller.setBandwidthConfig(&rates);
    const int64_t start = clock.now;

    const struct {
        size_t bytes;
        int64_t workUs; // time the caller spent before the chunk was reported
    } chunks[] = {{1000, 0}, {1000, 100}, {10, 0}, {999, 2000000}, {1000, 0}, {1, 0}, {500, 499000}, {1000, 300000}};
    uint64_t moved = 0;
    for (const auto& c : chunks) {
        clock.now += c.workUs;
        size_t allowed = controller.controlReadSize(c.bytes);
        moved += allowed;
        controller.handleAfterRead(allowed);
        // Integer division may round each chunk's share down by under 1 us.
        EXPECT_LE(moved * 1000000, 1000 * static_cast<uint64_t>(clock.now - start + 8))
            << "after " << moved << " bytes";
    }
    EXPECT_EQ(rates.readReports, 8);
    for (uint64_t s : clock.sleeps)
        EXPECT_LE(s, 1000000u);

    // The write direction keeps to its own rate.
    const int64_t writeStart = clock.now;
    controller.setBandwidthConfig(&rates);
    for (int i = 0; i < 10; ++i)
        controller.handleAfterWrite(controller.controlWriteSize(10000));
    EXPECT_GE(clock.now - writeStart, 10 * 1000000 - 10);
    EXPECT_EQ(rates.writeReports, 10);
}

TEST(QeltBandwidth, SleepsAreBoundedEvenWhenTheRateDropsMidStream)
{
    FakeClock clock;
    FixedRates rates(1000000, 0);
    BandwidthController controller;
    controller.setClock(&clock);
    controller.setBandwidthConfig(&rates);
    size_t chunk = controller.controlReadSize(1000000);
    rates.readRate = 1; // a chunk sized for the old rate would owe 11 days
    controller.handleAfterRead(chunk);
    ASSERT_EQ(clock.sleeps.size(), 1u);
    EXPECT_EQ(clock.sleeps[0], 1000000u);

    rates.readRate = 0;
    controller.handleAfterRead(chunk);
    EXPECT_EQ(clock.sleeps.size(), 1u) << "no limit, no sleep";
}

// End to end over a socket with the real clock: the stream can't outrun the
// rate by more than one chunk, however fast or slow the machine is.
TEST(QeltBandwidth, LimitedStreamKeepsToTheRateOverASocket)
{
    qelt_test::TcpPair pair;
    const uint64_t rate = 1024 * 1024;
    FixedRates rates(0, rate);
    BandwidthController controller;
    controller.setBandwidthConfig(&rates);
    qelt::BufferedIO stream;
    qelt::Socket socket(pair.client);
    ASSERT_EQ(stream.load(socket), 0);
    stream.setController(&controller);

    const std::string data = qelt_test::patternBytes(rate + rate / 2, 11);
    std::thread sink([&] {
        std::vector<char> buf(65536);
        size_t got = 0;
        while (got < data.size()) {
            ssize_t r = ::recv(pair.server, buf.data(), buf.size(), 0);
            if (r <= 0)
                break;
            got += static_cast<size_t>(r);
        }
    });
    const int64_t start = qelt::monotonicMicroseconds();
    ASSERT_EQ(stream.write(data.data(), data.size()), data.size());
    const int64_t elapsed = qelt::monotonicMicroseconds() - start;
    sink.join();
    const uint64_t burst = rate; // one chunk may leave before its time is owed
    EXPECT_GE(static_cast<uint64_t>(elapsed) * rate / 1000000 + burst, data.size())
        << "elapsed " << elapsed << " us";
}

} // namespace
