// The client engine against the test server's data side on loopback, in
// every link mode and both directions.
#include <sys/socket.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdint>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "kavelin/error-code.h"
#include "kavelin/transfer-types.h"
#include "transfer_e2e_support.h"

using e2e::Loopback;
using e2e::Mode;

namespace {

const Mode kModes[] = {
    {"plain", false, false},
    {"tls", true, false},
    {"lz4", false, true},
    {"tls_lz4", true, true},
};

struct Case {
    Mode mode;
    bool upload;
};

// Shown in the test list instead of the bytes of the struct.
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.mode.name << (c.upload ? " upload" : " download");
}

std::string caseName(const testing::TestParamInfo<Case>& info)
{
    return std::string(info.param.mode.name) + (info.param.upload ? "_upload" : "_download");
}

std::vector<Case> allCases()
{
    std::vector<Case> cases;
    for (const Mode& mode : kModes) {
        cases.push_back({mode, true});
        cases.push_back({mode, false});
    }
    return cases;
}

// A name of exactly 255 bytes, mostly 3-byte characters.
std::string longUtf8Name()
{
    std::string name = "u";
    while (name.size() + 3 + 4 <= 255)
        name += "\xE6\x96\x87";
    name += ".bin";
    while (name.size() < 255)
        name.insert(0, "v");
    return name;
}

// A file set that covers the sizes around one step and one window, a large
// file, odd names and a folder of many small files.
std::map<std::string, uint64_t> fileSet()
{
    std::map<std::string, uint64_t> files = {
        {"empty", 0},
        {"one", 1},
        {"step-minus-one", 65535},
        {"step", 65536},
        {"step-plus-one", 65537},
        {"large.bin", 24u * 1024 * 1024 + 7},
        {"with space.txt", 4000},
        {"n\xC3\xA4ive \xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB.bin", 3000},
        // The longest names the file system takes, whose temporary names
        // must be shortened: ASCII, and 3-byte characters whose cut falls
        // inside a character.
        {std::string(251, 'L') + ".bin", 70000},
        {longUtf8Name(), 2000},
    };
    for (int i = 0; i < 150; ++i)
        files["many/f" + std::to_string(i)] = static_cast<uint64_t>(i * 37);
    return files;
}

class TransferTable : public testing::TestWithParam<Case> {};

TEST_P(TransferTable, FilesArriveWholeWithTheirTimes)
{
    const Case c = GetParam();
    Loopback loop(c.mode, 4);
    ASSERT_TRUE(loop.connected());

    const auto files = fileSet();
    std::vector<std::string> names;
    uint32_t seed = 1;
    const uint64_t mtime = 1500000000123456ull;
    auto sourceOf = [&](const std::string& name) {
        return c.upload ? loop.localPath(name) : loop.sharePath(name);
    };
    auto targetOf = [&](const std::string& name) {
        return c.upload ? loop.sharePath(name) : loop.localPath(name);
    };
    mkdir(sourceOf("many").c_str(), 0755);
    for (const auto& file : files) {
        e2e::writeRandomFile(sourceOf(file.first), file.second, seed++);
        e2e::setFileMtimeUs(sourceOf(file.first), mtime + seed);
        names.push_back(file.first);
    }

    std::vector<uint64_t> ids = c.upload ? loop.upload(names) : loop.download(names);
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone(ids, done));
    ASSERT_EQ(ids.size(), done.size());
    for (const ResumeInfo& info : done) {
        EXPECT_EQ(ResumeInfo::RI_DONE, info.local_state) << info.path_from.c_str_utf8() << " error " << info.error;
        // The last progress reaches the store before the task is done.
        EXPECT_EQ(info.total, info.progress) << info.path_from.c_str_utf8();
    }

    for (const std::string& name : names) {
        EXPECT_EQ(e2e::sha256File(sourceOf(name)), e2e::sha256File(targetOf(name))) << name;
        EXPECT_EQ(e2e::fileMtimeUs(sourceOf(name)), e2e::fileMtimeUs(targetOf(name))) << name;
    }
    // No temporary file is left beside the received files.
    for (const std::string& folder : {targetOf(""), targetOf("many")})
        for (const std::string& entry : e2e::listFolder(folder))
            EXPECT_EQ(std::string::npos, entry.find(".vexofm")) << entry;
}

INSTANTIATE_TEST_SUITE_P(Modes, TransferTable, testing::ValuesIn(allCases()), caseName);

}  // namespace

namespace {

const Mode kPlain = {"plain", false, false};

uint64_t progressOf(Loopback& loop, uint64_t id)
{
    ResumeInfo info;
    loop.client().getResumeInfoFromResumeId(id, info);
    return info.progress;
}

TEST(TransferScenario, PausedUploadResumesFromTheFirstHole)
{
    Loopback loop(kPlain, 3, 4096, 0);
    ASSERT_TRUE(loop.connected());
    const uint64_t size = 24u * 1024 * 1024;
    e2e::writeRandomFile(loop.localPath("big"), size, 7);
    const uint64_t id = loop.upload({"big"}).front();

    ASSERT_TRUE(loop.waitTask(id, [](const ResumeInfo& i) { return i.progress >= 4u * 1024 * 1024; }));
    loop.pause(id);
    ASSERT_TRUE(loop.waitTask(id, [](const ResumeInfo& i) { return i.local_state == ResumeInfo::RI_PAUSED; }));
    const uint64_t at_pause = progressOf(loop, id);
    ASSERT_GT(at_pause, 0u);

    loop.resume(id);
    uint64_t lowest = UINT64_MAX;
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(Loopback::waitUntil(
        [&] {
            ResumeInfo info;
            if (!loop.client().getResumeInfoFromResumeId(id, info))
                return true;
            lowest = std::min(lowest, info.progress);
            return false;
        },
        120000));
    ASSERT_TRUE(loop.waitDone({id}, done));
    ASSERT_EQ(1u, done.size());
    EXPECT_EQ(ResumeInfo::RI_DONE, done[0].local_state);
    // The progress shown while paused counts what was handed to the link;
    // the resumed upload starts at what the server holds, which may lack
    // the bytes that were on the way.
    const uint64_t kInFlight = 2u * 1024 * 1024;
    EXPECT_GE(lowest + kInFlight, at_pause) << "the upload started again from the beginning";
    EXPECT_EQ(e2e::sha256File(loop.localPath("big")), e2e::sha256File(loop.sharePath("big")));
}

// Small downloads are asked for behind the one being received, and the
// server may already have sent them on the same connection. Pausing the one
// being received closes that connection: the files behind it must be asked
// for again, not wait for good.
TEST(TransferScenario, PausingADownloadLosesNoneOfThoseAskedBehindIt)
{
    Loopback loop(kPlain, 3, 0, 64);
    ASSERT_TRUE(loop.connected());
    const std::vector<std::string> names = {"first", "second", "third"};
    for (size_t i = 0; i < names.size(); ++i)
        e2e::writeRandomFile(loop.sharePath(names[i]), i == 0 ? 400000 : 40000 + i, static_cast<uint32_t>(60 + i));
    const std::vector<uint64_t> ids = loop.download(names);

    ASSERT_TRUE(loop.waitTask(ids[0], [](const ResumeInfo& i) { return i.progress > 0; }));
    loop.pause(ids[0]);
    ASSERT_TRUE(loop.waitTask(ids[0], [](const ResumeInfo& i) { return i.local_state == ResumeInfo::RI_PAUSED; }));
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone({ids[1], ids[2]}, done, 30000)) << "a download asked behind the paused one was lost";
    loop.resume(ids[0]);
    ASSERT_TRUE(loop.waitDone({ids[0]}, done, 60000));
    for (const ResumeInfo& info : done)
        EXPECT_EQ(ResumeInfo::RI_DONE, info.local_state) << info.path_to.c_str_utf8();
    for (const std::string& name : names)
        EXPECT_EQ(e2e::sha256File(loop.sharePath(name)), e2e::sha256File(loop.localPath(name))) << name;
}

class KilledConnection : public testing::TestWithParam<bool> {};

TEST_P(KilledConnection, TaskResumesAndTheFileIsIntact)
{
    const bool upload = GetParam();
    Loopback loop(kPlain, 3, upload ? 4096 : 0, upload ? 0 : 4096);
    ASSERT_TRUE(loop.connected());
    const uint64_t size = 16u * 1024 * 1024;
    const std::string source = upload ? loop.localPath("big") : loop.sharePath("big");
    const std::string target = upload ? loop.sharePath("big") : loop.localPath("big");
    e2e::writeRandomFile(source, size, 11);
    const uint64_t id = (upload ? loop.upload({"big"}) : loop.download({"big"})).front();

    ASSERT_TRUE(loop.waitTask(id, [](const ResumeInfo& i) { return i.progress >= 2u * 1024 * 1024; }));
    // Cut the connection that carries the file under the engine's feet.
    const int use = upload ? TRANSFER_USE_ACTIVE : TRANSFER_USE_PASSIVE;
    std::vector<int> sockets = loop.dataSockets(use);
    ASSERT_FALSE(sockets.empty());
    for (int fd : sockets)
        shutdown(fd, SHUT_RDWR);

    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone({id}, done));
    ASSERT_EQ(1u, done.size());
    EXPECT_EQ(ResumeInfo::RI_DONE, done[0].local_state) << "error " << done[0].error;
    // The broken attempt's error does not stay beside the done state.
    EXPECT_EQ(ProjectVardo::ERR_OK, done[0].error);
    EXPECT_EQ(e2e::sha256File(source), e2e::sha256File(target));
}

INSTANTIATE_TEST_SUITE_P(Directions, KilledConnection, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "upload" : "download");
                         });

TEST(TransferScenario, UploadKeepsToTheRateLimit)
{
    const uint64_t limit_kib = 2048;
    Loopback loop(kPlain, 3, limit_kib, 0);
    ASSERT_TRUE(loop.connected());
    const uint64_t size = 8u * 1024 * 1024;
    e2e::writeRandomFile(loop.localPath("paced"), size, 3);

    const auto start = std::chrono::steady_clock::now();
    const uint64_t id = loop.upload({"paced"}).front();
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone({id}, done));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double kib_per_second = static_cast<double>(size) / 1024.0 / seconds;
    // The limiter may run ahead by its window at the start; never far beyond.
    EXPECT_LE(kib_per_second, limit_kib * 1.25);
    EXPECT_GE(kib_per_second, limit_kib * 0.25);
    EXPECT_EQ(e2e::sha256File(loop.localPath("paced")), e2e::sha256File(loop.sharePath("paced")));
}

TEST(TransferScenario, ConcurrencyIsCappedPerPeer)
{
    const int cap = 2;
    Loopback loop(kPlain, cap, 2048, 0);
    ASSERT_TRUE(loop.connected());
    std::vector<std::string> names;
    for (int i = 0; i < 6; ++i) {
        names.push_back("c" + std::to_string(i));
        e2e::writeRandomFile(loop.localPath(names.back()), 512 * 1024, 20 + i);
    }
    const std::vector<uint64_t> ids = loop.upload(names);
    // A task whose bytes are all on the link only waits for the receiver's
    // word (its progress shows what was acknowledged): it no longer counts.
    int most = 0;
    ASSERT_TRUE(Loopback::waitUntil(
        [&] {
            PObject dump;
            loop.client().debugVCM(dump);
            const PObject& queue = static_cast<const PObject&>(dump)["m_resume_priority_queue"];
            int running = 0;
            for (const PObject& task : queue.asArray())
                if (task["local_state"].asUInt64() == ResumeInfo::RI_RUNNING &&
                    task["progress"].asUInt64() != task["total"].asUInt64() && task["handed_over"].asUInt64() == 0)
                    ++running;
            most = std::max(most, running);
            return queue.asArray().empty();
        },
        120000));
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone(ids, done));
    EXPECT_LE(most, cap);
    EXPECT_GE(most, 1);
    for (const std::string& name : names)
        EXPECT_EQ(e2e::sha256File(loop.localPath(name)), e2e::sha256File(loop.sharePath(name)));
}

// The whole way a session's transfers start: "auth" at the control side
// hands out the seed, the data side learns it from the login, and the client
// engine gets "add_peer" and "set_peer" with that seed and the certificate
// signature the control connection saw.
TEST(TransferScenario, SeedFromTheLoginCarriesUploadsAndDownloads)
{
    const Mode tls_lz4 = {"tls_lz4", true, true};
    Loopback loop(tls_lz4, 3, 0, 0, std::string(), e2e::SeedSource::Login);
    ASSERT_NE(0u, loop.seed());
    ASSERT_TRUE(loop.connected());

    e2e::writeRandomFile(loop.localPath("up.bin"), 300000, 11);
    e2e::writeRandomFile(loop.sharePath("down.bin"), 200001, 12);
    std::vector<uint64_t> ids = loop.upload({"up.bin"});
    const std::vector<uint64_t> downloads = loop.download({"down.bin"});
    ids.insert(ids.end(), downloads.begin(), downloads.end());
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone(ids, done));
    ASSERT_EQ(2u, done.size());
    for (const ResumeInfo& info : done)
        EXPECT_EQ(ResumeInfo::RI_DONE, info.local_state) << info.path_from.c_str_utf8();
    EXPECT_EQ(e2e::sha256File(loop.localPath("up.bin")), e2e::sha256File(loop.sharePath("up.bin")));
    EXPECT_EQ(e2e::sha256File(loop.sharePath("down.bin")), e2e::sha256File(loop.localPath("down.bin")));
}

TEST(TransferScenario, WrongCertificateSignatureIsRefused)
{
    const Mode tls = {"tls", true, false};
    Loopback loop(tls, 3, 0, 0, "00:11:22");
    e2e::writeRandomFile(loop.localPath("secret"), 1000, 5);
    loop.upload({"secret"});
    // The peer gives up on the server whose certificate changed.
    ASSERT_TRUE(Loopback::waitUntil(
        [&] {
            std::vector<uint64_t> peers;
            loop.client().getDisconnectedPeers(peers);
            return std::find(peers.begin(), peers.end(), loop.peerId()) != peers.end();
        },
        30000));
    EXPECT_NE(0, loop.clientService().checkConnection(loop.peerId()));
    EXPECT_FALSE(e2e::fileExists(loop.sharePath("secret")));
}

}  // namespace
