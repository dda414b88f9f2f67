// The data connections a transfer opens, counted at a relay on a link with a
// round trip: each costs a handshake, and one opened for work it never gets
// is closed again unused.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/pacing_relay.h"
#include "paced_loopback.h"
#include "transfer_e2e_support.h"

using e2e::Loopback;
using e2e::PacedLoopback;
using qm_test::PacingRelay;

namespace {

const uint64_t kMiB = 1024 * 1024;
const e2e::Mode kPlain = {"plain", false, false};

struct PacedRun {
    const char* name;
    bool upload;
    int concurrent;
};

void PrintTo(const PacedRun& run, std::ostream* os)
{
    *os << run.name;
}

// Writes the sources, transfers them and checks every file arrived whole.
void transferAll(Loopback& loop, bool upload, const std::vector<std::string>& names,
                 const std::vector<uint64_t>& sizes)
{
    for (size_t i = 0; i < names.size(); ++i)
        e2e::writeRandomFile(upload ? loop.localPath(names[i]) : loop.sharePath(names[i]), sizes[i],
                             static_cast<uint32_t>(i + 1));
    const std::vector<uint64_t> ids = upload ? loop.upload(names) : loop.download(names);
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone(ids, done, 120000)) << "some transfers never finished";
    ASSERT_EQ(ids.size(), done.size());
    for (const ResumeInfo& info : done)
        EXPECT_EQ(ResumeInfo::RI_DONE, info.local_state) << info.path_from.c_str_utf8() << " error " << info.error;
    for (const std::string& name : names)
        ASSERT_EQ(e2e::sha256File(loop.sharePath(name)), e2e::sha256File(loop.localPath(name))) << name;
}

class PacedSmallFiles : public testing::TestWithParam<PacedRun> {};
class PacedLargeFiles : public testing::TestWithParam<PacedRun> {};

// Many small files: the pool the peer had at login (a sending, a receiving
// and a report connection) carries them. A connection opened on the way
// must carry files of its own; one that carried none was a handshake for
// nothing, and closed unused it is churn.
TEST_P(PacedSmallFiles, NoConnectionOpenedStaysUnused)
{
    const PacedRun run = GetParam();
    PacingRelay::Options options;
    options.one_way_delay_ms = 5;
    PacedLoopback paced(kPlain, options, run.concurrent);
    Loopback& loop = *paced.loop;
    ASSERT_TRUE(paced.relay && loop.connected());
    const uint64_t at_login = paced.relay->connections();

    mkdir((run.upload ? loop.localPath("small") : loop.sharePath("small")).c_str(), 0755);
    std::vector<std::string> names;
    for (int i = 0; i < 600; ++i)
        names.push_back("small/f" + std::to_string(i));
    transferAll(loop, run.upload, names, std::vector<uint64_t>(names.size(), 4096));

    const unsigned data_way = run.upload ? PacingRelay::kToServer : PacingRelay::kToClient;
    size_t unused = 0;
    const std::vector<PacingRelay::LinkStats> links = paced.relay->links();
    for (size_t i = at_login; i < links.size(); ++i) {
        const bool carried = links[i].bytes[data_way] >= 4096;
        unused += carried ? 0 : 1;
        EXPECT_TRUE(carried) << "connection " << links[i].id << " carried " << links[i].bytes[data_way]
                             << " bytes" << (links[i].closed_us != 0 ? ", closed" : "");
    }
    std::cout << run.name << ": " << at_login << " connections at login, " << links.size() - at_login
              << " opened during the transfer, " << unused << " of them unused\n";
}

// Files that each hold a connection for seconds run side by side up to the
// concurrency: a connection held by one leaves the next to a connection of
// its own, which the relay sees carry it.
TEST_P(PacedLargeFiles, RunSideBySide)
{
    const PacedRun run = GetParam();
    PacingRelay::Options options;
    options.one_way_delay_ms = 5;
    options.bytes_per_s = 8 * kMiB;
    PacedLoopback paced(kPlain, options, run.concurrent);
    Loopback& loop = *paced.loop;
    ASSERT_TRUE(paced.relay && loop.connected());

    // Each alone would hold the link for 3 s, well past what the socket
    // buffers on the way take in at once.
    const size_t files = 2;
    std::vector<std::string> names;
    for (size_t i = 0; i < files; ++i)
        names.push_back("large" + std::to_string(i));
    transferAll(loop, run.upload, names, std::vector<uint64_t>(files, 24 * kMiB));

    const unsigned data_way = run.upload ? PacingRelay::kToServer : PacingRelay::kToClient;
    size_t carriers = 0;
    for (const PacingRelay::LinkStats& link : paced.relay->links())
        carriers += link.bytes[data_way] >= kMiB ? 1 : 0;
    std::cout << run.name << ": " << paced.relay->connections() << " connections, " << carriers
              << " carried a large file's bytes\n";
    EXPECT_EQ(files, carriers) << "the files went one after another on one connection";
}

std::string runName(const testing::TestParamInfo<PacedRun>& info)
{
    return info.param.name;
}

const PacedRun kSmallRuns[] = {
    {"download_3", false, 3},
    {"upload_3", true, 3},
    {"download_10", false, 10},
    {"upload_10", true, 10},
};
const PacedRun kLargeRuns[] = {
    {"download_3", false, 3},
    {"upload_3", true, 3},
};

INSTANTIATE_TEST_SUITE_P(Small, PacedSmallFiles, testing::ValuesIn(kSmallRuns), runName);
INSTANTIATE_TEST_SUITE_P(Large, PacedLargeFiles, testing::ValuesIn(kLargeRuns), runName);

} // namespace
