// Transfers through a relay that resets the connections every few megabytes:
// every file must arrive whole, each resumed from what the receiver holds,
// and a link that cannot carry anything must end the task with an error.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "kavelin/error-code.h"
#include "transfer_e2e_support.h"
#include "transfer_reset_relay.h"

using e2e::Loopback;
using e2e::Mode;
using e2e::ResetRelay;

namespace {

const uint64_t kMiB = 1024 * 1024;

const Mode kPlain = {"plain", false, false};
const Mode kTlsLz4 = {"tls_lz4", true, true};

struct Row {
    const char* name;
    Mode mode;
    bool upload;
    uint64_t reset_min;
    uint64_t reset_max;
    uint64_t rate;  // bytes per second; 0: full speed
};

void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.name;
}

const Row kRows[] = {
    {"plain_upload_full", kPlain, true, 1 * kMiB, 4 * kMiB, 0},
    {"plain_download_full", kPlain, false, 1 * kMiB, 4 * kMiB, 0},
    {"tls_lz4_upload_full", kTlsLz4, true, 1 * kMiB, 4 * kMiB, 0},
    {"tls_lz4_download_full", kTlsLz4, false, 1 * kMiB, 4 * kMiB, 0},
    {"plain_upload_slowed", kPlain, true, 1 * kMiB, 3 * kMiB, 6 * kMiB},
    {"plain_download_slowed", kPlain, false, 1 * kMiB, 3 * kMiB, 6 * kMiB},
    {"tls_lz4_upload_slowed", kTlsLz4, true, 1 * kMiB, 3 * kMiB, 6 * kMiB},
    {"tls_lz4_download_slowed", kTlsLz4, false, 1 * kMiB, 3 * kMiB, 6 * kMiB},
};

// One file of some tens of megabytes and a folder of a few hundred small
// files, empty ones and ones around a step of 64 KiB among them.
std::map<std::string, uint64_t> fileSet()
{
    std::map<std::string, uint64_t> files = {{"big.bin", 24 * kMiB + 12345}};
    for (int i = 0; i < 300; ++i)
        files["many/f" + std::to_string(i)] = static_cast<uint64_t>(i * 7919) % 70000;
    return files;
}

// What the tasks that did not finish were doing, for a failure message.
std::string pendingTasks(Loopback& loop, const std::vector<uint64_t>& ids)
{
    std::string text;
    for (uint64_t id : ids) {
        ResumeInfo info;
        if (!loop.client().getResumeInfoFromResumeId(id, info))
            continue;
        text += std::string(info.path_from.c_str_utf8()) + " state " + std::to_string(info.local_state) + "/" +
                std::to_string(info.remote_state) + " error " + std::to_string(info.error) + " progress " +
                std::to_string(info.progress) + "/" + std::to_string(info.total) + " fragments";
        for (const FileFragment& fragment : info.fragments)
            text += " [" + std::to_string(fragment.begin) + "," + std::to_string(fragment.end) + ")";
        text += "\n";
    }
    return text;
}

// Routes the data connections through a reset relay made when the server's
// port is known.
e2e::PortRoute routeThrough(std::unique_ptr<ResetRelay>& relay, const ResetRelay::Options& options)
{
    return [&relay, options](unsigned server_port) {
        relay.reset(new ResetRelay(server_port, options));
        return relay->port();
    };
}

class ResetRelayTable : public testing::TestWithParam<Row> {};

TEST_P(ResetRelayTable, EveryFileArrivesWholeAndResumesFromTheReceiver)
{
    const Row row = GetParam();
    ResetRelay::Options options;
    options.reset_min = row.reset_min;
    options.reset_max = row.reset_max;
    options.counted = row.upload ? ResetRelay::kToServer : ResetRelay::kToClient;
    options.rate = row.rate;
    options.seed = 7;
    std::unique_ptr<ResetRelay> relay;
    const e2e::PortRoute route = routeThrough(relay, options);
    Loopback loop(row.mode, 3, 0, 0, std::string(), e2e::SeedSource::Direct, route);
    ASSERT_TRUE(relay && relay->port() != 0);
    ASSERT_TRUE(loop.connected());

    auto sourceOf = [&](const std::string& name) {
        return row.upload ? loop.localPath(name) : loop.sharePath(name);
    };
    auto targetOf = [&](const std::string& name) {
        return row.upload ? loop.sharePath(name) : loop.localPath(name);
    };
    mkdir(sourceOf("many").c_str(), 0755);
    const auto files = fileSet();
    std::vector<std::string> names;
    uint64_t data = 0;
    uint32_t seed = 100;
    for (const auto& file : files) {
        e2e::writeRandomFile(sourceOf(file.first), file.second, seed++);
        names.push_back(file.first);
        data += file.second;
    }

    const std::vector<uint64_t> ids = row.upload ? loop.upload(names) : loop.download(names);
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone(ids, done, 150000))
        << "resets so far: " << relay->resets() << "\n" << pendingTasks(loop, ids);
    ASSERT_EQ(ids.size(), done.size());
    for (const ResumeInfo& info : done)
        EXPECT_EQ(ResumeInfo::RI_DONE, info.local_state) << info.path_from.c_str_utf8() << " error " << info.error;
    for (const std::string& name : names)
        ASSERT_EQ(e2e::sha256File(sourceOf(name)), e2e::sha256File(targetOf(name))) << name;
    for (const std::string& folder : {targetOf(""), targetOf("many")})
        for (const std::string& entry : e2e::listFolder(folder))
            EXPECT_EQ(std::string::npos, entry.find(".vexofm")) << "temporary file left: " << entry;

    // The relay did reset the links, and no file was carried again from its
    // start: the bytes the sender put on the link stay within twice the data.
    EXPECT_GE(relay->resets(), 3u);
    const uint64_t sent = relay->forwarded(row.upload ? ResetRelay::kToServer : ResetRelay::kToClient);
    EXPECT_LE(sent, 2 * data) << "data " << data << ", resets " << relay->resets();
    std::cout << row.name << ": " << relay->resets() << " resets, " << sent << " bytes sent for " << data
              << " bytes of data\n";
}

INSTANTIATE_TEST_SUITE_P(Links, ResetRelayTable, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// A link that breaks before a file's contents get through: the task is
// retried a bounded number of times, then ends failed with a connection
// error instead of running for ever.
class ResetRelayGiveUp : public testing::TestWithParam<bool> {};

TEST_P(ResetRelayGiveUp, TaskFailsWithAConnectionError)
{
    const bool upload = GetParam();
    ResetRelay::Options options;
    options.reset_min = options.reset_max = 8 * 1024;
    options.counted = upload ? ResetRelay::kToServer : ResetRelay::kToClient;
    std::unique_ptr<ResetRelay> relay;
    const e2e::PortRoute route = routeThrough(relay, options);
    Loopback loop(kPlain, 3, 0, 0, std::string(), e2e::SeedSource::Direct, route);
    ASSERT_TRUE(loop.connected());
    const std::string source = upload ? loop.localPath("stuck.bin") : loop.sharePath("stuck.bin");
    e2e::writeRandomFile(source, 4 * kMiB, 9);
    const uint64_t id = (upload ? loop.upload({"stuck.bin"}) : loop.download({"stuck.bin"})).front();

    ASSERT_TRUE(loop.waitTask(
        id, [](const ResumeInfo& info) { return info.local_state == ResumeInfo::RI_ERROR; }, 90000))
        << "resets so far: " << relay->resets();
    ResumeInfo info;
    ASSERT_TRUE(loop.client().getResumeInfoFromResumeId(id, info));
    EXPECT_EQ(ProjectVardo::ERR_IO, info.error);
    EXPECT_GE(relay->resets(), 2u);
    // It stays failed: nothing schedules it again.
    const uint64_t resets = relay->resets();
    EXPECT_FALSE(loop.waitTask(
        id, [](const ResumeInfo& i) { return i.local_state != ResumeInfo::RI_ERROR; }, 3000));
    EXPECT_LE(relay->resets(), resets + 1);
}

INSTANTIATE_TEST_SUITE_P(Directions, ResetRelayGiveUp, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "upload" : "download");
                         });

// The client learns of a broken download first and asks for the file again
// while the server's end of the link still looks alive: the server takes the
// pull for a new push on that same dead link, its push breaks before a byte
// reaches the client, and it waits for the client to ask again, which waits
// for the file. The client asks again once its receiving connections have
// sat quiet a while, and the file arrives whole.
TEST(ResetRelayLateServer, DownloadAskedAgainDuringTheBrokenPushArrivesWhole)
{
    ResetRelay::Options options;
    options.reset_min = options.reset_max = 3 * kMiB / 2;
    options.counted = ResetRelay::kToClient;
    options.server_reset_delay_ms = 1500;
    std::unique_ptr<ResetRelay> relay;
    const e2e::PortRoute route = routeThrough(relay, options);
    Loopback loop(kPlain, 3, 0, 0, std::string(), e2e::SeedSource::Direct, route);
    ASSERT_TRUE(loop.connected());
    e2e::writeRandomFile(loop.sharePath("late.bin"), 4 * kMiB, 12);
    const std::vector<uint64_t> ids = loop.download({"late.bin"});
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone(ids, done, 90000)) << "resets so far: " << relay->resets() << "\n"
                                                  << pendingTasks(loop, ids);
    ASSERT_EQ(1u, done.size());
    EXPECT_EQ(ResumeInfo::RI_DONE, done[0].local_state) << "error " << done[0].error;
    EXPECT_GE(relay->resets(), 2u);
    EXPECT_EQ(e2e::sha256File(loop.sharePath("late.bin")), e2e::sha256File(loop.localPath("late.bin")));
}

}  // namespace
