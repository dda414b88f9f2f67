// The pacing relay the link tests stand on: it must delay, pace and count
// like the link it stands for, or the tests that use it prove nothing.
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "support/loopback.h"
#include "support/pacing_relay.h"

using qm_test::PacingRelay;

namespace {

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Reads exactly `size` bytes or fewer if the peer ends.
std::string readSome(int fd, size_t size)
{
    std::string bytes(size, '\0');
    size_t got = 0;
    while (got < size) {
        const ssize_t n = read(fd, &bytes[got], size - got);
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

TEST(PacingRelay, DelaysEachTurnAndCountsIt)
{
    qm_test::Listener target;
    PacingRelay::Options options;
    options.one_way_delay_ms = 40;
    PacingRelay relay(static_cast<unsigned>(target.port()), options);
    ASSERT_NE(0u, relay.port());
    const int client = qm_test::connectLoopback(static_cast<int>(relay.port()));
    ASSERT_GE(client, 0);
    const int server = target.accept();
    ASSERT_GE(server, 0);

    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(qm_test::sendAll(client, "ping"));
        ASSERT_EQ("ping", readSome(server, 4));
        ASSERT_TRUE(qm_test::sendAll(server, "pong"));
        ASSERT_EQ("pong", readSome(client, 4));
    }
    // Three round trips of 80 ms each, at the least.
    EXPECT_GE(secondsSince(start), 0.24);
    EXPECT_EQ(5u, relay.turns());
    EXPECT_EQ(1u, relay.connections());

    // An orderly end passes through as one, after the bytes before it.
    ASSERT_TRUE(qm_test::sendAll(client, "bye"));
    shutdown(client, SHUT_WR);
    EXPECT_EQ("bye", readSome(server, 100));
    close(server);
    EXPECT_EQ("", readSome(client, 1));
    close(client);
    const auto links = relay.links();
    ASSERT_EQ(1u, links.size());
    EXPECT_EQ(PacingRelay::kToServer, links[0].first_end);
    EXPECT_EQ(15u, links[0].bytes[PacingRelay::kToServer]);
    EXPECT_EQ(12u, links[0].bytes[PacingRelay::kToClient]);
}

TEST(PacingRelay, PacesBulkToItsRate)
{
    qm_test::Listener target;
    PacingRelay::Options options;
    options.bytes_per_s = 4 * 1024 * 1024;
    options.one_way_delay_ms = 5;
    PacingRelay relay(static_cast<unsigned>(target.port()), options);
    const int client = qm_test::connectLoopback(static_cast<int>(relay.port()));
    ASSERT_GE(client, 0);
    const int server = target.accept();
    ASSERT_GE(server, 0);

    const size_t size = 2 * 1024 * 1024;
    const std::string data(size, 'x');
    std::thread writer([&] {
        qm_test::sendAll(server, data);
        close(server);
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(size, readSome(client, size + 1).size());
    const double seconds = secondsSince(start);
    writer.join();
    close(client);
    // 2 MiB at 4 MiB/s is half a second; a loopback without the relay
    // takes milliseconds. Only the lower bound is firm.
    EXPECT_GE(seconds, 0.45);
    EXPECT_EQ(size, relay.forwarded(PacingRelay::kToClient));
}

}  // namespace
