// Transfers over a link like a user's: slower than the receiver, with a
// delay each way. The receiver must wait for bytes in the event loop, not
// poll for them, and every file must arrive whole.
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <iostream>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "kavelin/transfer-service.h"
#include "support/loopback.h"
#include "support/pacing_relay.h"
#include "support/thread_cpu.h"
#include "paced_loopback.h"
#include "transfer_e2e_support.h"

using e2e::Loopback;
using e2e::PacedLoopback;
using e2e::Mode;
using qm_test::PacingRelay;

namespace {

const uint64_t kMiB = 1024 * 1024;

struct CpuRow {
    const char* name;
    Mode mode;
    bool upload;
};

void PrintTo(const CpuRow& row, std::ostream* os)
{
    *os << row.name;
}

const Mode kPlain = {"plain", false, false};
const Mode kLz4 = {"lz4", false, true};
const Mode kTls = {"tls", true, false};
const Mode kTlsLz4 = {"tls_lz4", true, true};

const CpuRow kCpuRows[] = {
    {"plain_download", kPlain, false}, {"plain_upload", kPlain, true},
    {"lz4_download", kLz4, false},     {"lz4_upload", kLz4, true},
    {"tls_download", kTls, false},     {"tls_upload", kTls, true},
    {"tls_lz4_download", kTlsLz4, false}, {"tls_lz4_upload", kTlsLz4, true},
};

class PacedLinkCpu : public testing::TestWithParam<CpuRow> {};

// 16 MiB at 8 MiB/s: about two seconds in which the receiver mostly waits.
// A receiver that polls spends that whole time on a core.
TEST_P(PacedLinkCpu, ReceiverWaitsInTheLoopInsteadOfPolling)
{
    const CpuRow row = GetParam();
    PacingRelay::Options options;
    options.bytes_per_s = 8 * kMiB;
    options.one_way_delay_ms = 10;
    PacedLoopback paced(row.mode, options);
    Loopback& loop = *paced.loop;
    ASSERT_TRUE(paced.relay && paced.relay->port() != 0);
    ASSERT_TRUE(loop.connected());

    const std::string source = row.upload ? loop.localPath("big.bin") : loop.sharePath("big.bin");
    const std::string target = row.upload ? loop.sharePath("big.bin") : loop.localPath("big.bin");
    e2e::writeRandomFile(source, 16 * kMiB + 4321, 31);

    const auto cpu_before = qm_test::threadCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const std::vector<uint64_t> ids = row.upload ? loop.upload({"big.bin"}) : loop.download({"big.bin"});
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone(ids, done, 60000));
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double busiest = qm_test::busiestThreadCpu(cpu_before, qm_test::threadCpuSeconds());

    ASSERT_EQ(1u, done.size());
    EXPECT_EQ(ResumeInfo::RI_DONE, done[0].local_state);
    EXPECT_EQ(e2e::sha256File(source), e2e::sha256File(target));
    std::cout << row.name << ": " << wall << " s, busiest thread " << busiest << " s of CPU\n";
    // The link, not the receiver, sets the pace: no thread of either
    // engine (nor the relay) is busy for more than a small part of it.
    EXPECT_LT(busiest, 0.25 * wall) << "wall " << wall << " s";
}

INSTANTIATE_TEST_SUITE_P(Modes, PacedLinkCpu, testing::ValuesIn(kCpuRows),
                         [](const testing::TestParamInfo<CpuRow>& info) { return std::string(info.param.name); });

// Many small downloads with ten running at once over a link with a round
// trip: the client must not close a receiving connection on which the
// server is already sending a pulled file, or that file stays "running"
// with nothing received, for good. A few rounds, as the loss was rare.
TEST(PacedLinkSmallFiles, EveryDownloadArrivesAtConcurrencyTen)
{
    PacingRelay::Options options;
    options.one_way_delay_ms = 5;
    PacedLoopback paced(kPlain, options, 10);
    Loopback& loop = *paced.loop;
    ASSERT_TRUE(loop.connected());
    const int kRounds = 3;
    const int kFiles = 150;
    uint64_t unused = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::string folder = "round" + std::to_string(round);
        mkdir(loop.sharePath(folder).c_str(), 0755);
        std::vector<std::string> names;
        for (int i = 0; i < kFiles; ++i) {
            names.push_back(folder + "/f" + std::to_string(i));
            e2e::writeRandomFile(loop.sharePath(names.back()), 4096 + static_cast<uint64_t>(i % 7) * 100,
                                 static_cast<uint32_t>(1000 * round + i));
        }
        const auto start = std::chrono::steady_clock::now();
        const std::vector<uint64_t> ids = loop.download(names);
        std::vector<ResumeInfo> done;
        ASSERT_TRUE(loop.waitDone(ids, done, 60000)) << "round " << round << ": some downloads never finished";
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ASSERT_EQ(ids.size(), done.size());
        for (const ResumeInfo& info : done)
            EXPECT_EQ(ResumeInfo::RI_DONE, info.local_state) << info.path_from.c_str_utf8() << " error " << info.error;
        for (const std::string& name : names)
            ASSERT_EQ(e2e::sha256File(loop.sharePath(name)), e2e::sha256File(loop.localPath(name))) << name;
        std::cout << "round " << round << ": " << kFiles / wall << " files/s\n";
    }
    for (const PacingRelay::LinkStats& link : paced.relay->links()) {
        if (link.closed_us != 0 && link.bytes[PacingRelay::kToClient] < 100)
            ++unused;
    }
    std::cout << paced.relay->connections() << " connections, " << unused << " closed unused, "
              << paced.relay->turns() << " turns\n";
}

// Many small files over a 40 ms round trip. Sending a file takes a fraction
// of the round trip, so the next files must be on their way before the last
// one's receipt comes back: a task that waited for that word in each of the
// three slots would cost two turns of the link per three files. Counted in
// turns, which the link's speed does not change. A download of unknown size
// still waits for its file in its slot, as before.
struct PipelineRow {
    const char* name;
    bool upload;
    bool listed_size;
    double most_turns_per_file;
};

void PrintTo(const PipelineRow& row, std::ostream* os)
{
    *os << row.name;
}

class PacedLinkPipeline : public testing::TestWithParam<PipelineRow> {};

TEST_P(PacedLinkPipeline, SmallFilesShareTheRoundTrips)
{
    const PipelineRow row = GetParam();
    PacingRelay::Options options;
    options.one_way_delay_ms = 20;
    PacedLoopback paced(kPlain, options);
    Loopback& loop = *paced.loop;
    ASSERT_TRUE(loop.connected());
    loop.listedDownloadSizes(row.listed_size);
    const int kFiles = 240;
    std::vector<std::string> names;
    mkdir(loop.localPath("many").c_str(), 0755);
    mkdir(loop.sharePath("many").c_str(), 0755);
    for (int i = 0; i < kFiles; ++i) {
        names.push_back("many/f" + std::to_string(i));
        const std::string source = row.upload ? loop.localPath(names.back()) : loop.sharePath(names.back());
        e2e::writeRandomFile(source, 4096 + static_cast<uint64_t>(i % 5) * 333, static_cast<uint32_t>(7000 + i));
    }
    const uint64_t turns_before = paced.relay->turns();
    const std::vector<uint64_t> ids = row.upload ? loop.upload(names) : loop.download(names);
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone(ids, done, 60000));
    const double turns_per_file = static_cast<double>(paced.relay->turns() - turns_before) / kFiles;

    ASSERT_EQ(ids.size(), done.size());
    for (const ResumeInfo& info : done) {
        EXPECT_EQ(ResumeInfo::RI_DONE, info.local_state) << info.path_from.c_str_utf8() << " error " << info.error;
        EXPECT_EQ(info.total, info.progress);
    }
    for (const std::string& name : names)
        ASSERT_EQ(e2e::sha256File(loop.sharePath(name)), e2e::sha256File(loop.localPath(name))) << name;
    std::cout << row.name << ": " << turns_per_file << " turns per file\n";
    EXPECT_LE(turns_per_file, row.most_turns_per_file);
}

const PipelineRow kPipelineRows[] = {
    {"upload", true, true, 0.2},
    {"download_of_listed_size", false, true, 0.2},
    // One file per slot and round trip: two turns per three files.
    {"download_of_unknown_size", false, false, 0.8},
};

INSTANTIATE_TEST_SUITE_P(Directions, PacedLinkPipeline, testing::ValuesIn(kPipelineRows),
                         [](const testing::TestParamInfo<PipelineRow>& info) { return std::string(info.param.name); });

// The bytes the engine's sender puts on a command connection for cmd.
std::string commandBytes(PObject cmd)
{
    qm_test::Listener listener;
    std::thread sender([&] { TransferService::sendCommand(listener.port(), cmd); });
    const int fd = listener.accept();
    std::string bytes;
    char buffer[4096];
    ssize_t n;
    while (fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<size_t>(n));
    sender.join();
    if (fd >= 0)
        ::close(fd);
    return bytes;
}

// A local process that sends a command a byte at a time, each within the
// idle time-out: the engine's loop, which moves every transfer, must not
// wait for it. The download finishes while the trickle goes on.
TEST(PacedLinkCommandPort, TricklingCommandDoesNotStallATransfer)
{
    PacingRelay::Options options;
    options.bytes_per_s = 4 * kMiB;
    options.one_way_delay_ms = 5;
    PacedLoopback paced(kPlain, options);
    Loopback& loop = *paced.loop;
    ASSERT_TRUE(loop.connected());
    e2e::writeRandomFile(loop.sharePath("big.bin"), 8 * kMiB, 41);

    PObject cmd;
    cmd["action"] = "set_bandwidth";
    cmd["upload"] = static_cast<uint64_t>(0);
    cmd["download"] = static_cast<uint64_t>(0);
    const std::string bytes = commandBytes(cmd);
    ASSERT_GT(bytes.size(), 4u);

    const int control = qm_test::connectLoopback(loop.clientService().getControlPort());
    ASSERT_GE(control, 0);
    std::atomic<bool> stop{false};
    std::atomic<bool> cut{false};
    std::thread trickler([&] {
        // Never the last byte: the command stays unfinished.
        for (size_t i = 0; i + 1 < bytes.size() && !stop; ++i) {
            if (::send(control, &bytes[i], 1, MSG_NOSIGNAL) != 1) {
                cut = true;
                return;
            }
            for (int slice = 0; slice < 15 && !stop; ++slice)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    // Let the engine take the connection before the download starts.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const std::vector<uint64_t> ids = loop.download({"big.bin"});
    std::vector<ResumeInfo> done;
    const bool finished = loop.waitDone(ids, done, 40000);
    stop = true;
    trickler.join();
    ::close(control);
    ASSERT_TRUE(finished) << "the download did not finish while a command trickled in";
    ASSERT_EQ(1u, done.size());
    EXPECT_EQ(ResumeInfo::RI_DONE, done[0].local_state);
    EXPECT_EQ(e2e::sha256File(loop.sharePath("big.bin")), e2e::sha256File(loop.localPath("big.bin")));
}

} // namespace
