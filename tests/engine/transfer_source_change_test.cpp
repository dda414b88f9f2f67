// A source file that changes while it is being sent: the transfer ends with
// one whole version of the file, or fails saying why; never with a file
// made of two versions.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kavelin/error-code.h"
#include "transfer_e2e_support.h"

using e2e::Loopback;

namespace {

const e2e::Mode kPlain = {"plain", false, false};
const uint64_t kSize = 16u * 1024 * 1024;
// Slow enough that the change lands while the sender still reads the file.
const uint64_t kLimitKib = 8192;

enum class Change { RewriteInPlace, Grow, Shrink };

struct Case {
    const char* name;
    bool upload;
    Change change;
    e2e::Mode mode = kPlain;
};

// Shown in the test list instead of the bytes of the struct.
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

// Overwrites the file's bytes where they are, without truncating it first.
void rewriteInPlace(const std::string& path, uint64_t size, uint32_t seed)
{
    std::mt19937_64 random(seed);
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    std::vector<uint64_t> block(8192);
    for (uint64_t at = 0; at < size;) {
        for (uint64_t& word : block)
            word = random();
        const size_t n = static_cast<size_t>(std::min<uint64_t>(size - at, block.size() * sizeof(uint64_t)));
        ASSERT_EQ(static_cast<ssize_t>(n), ::pwrite(fd, block.data(), n, static_cast<off_t>(at)));
        at += n;
    }
    ::close(fd);
}

void grow(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(fd, 0);
    const std::string tail(1024 * 1024, 'g');
    ASSERT_EQ(static_cast<ssize_t>(tail.size()), ::write(fd, tail.data(), tail.size()));
    ::close(fd);
}

class SourceChange : public testing::TestWithParam<Case> {};

TEST_P(SourceChange, EndsWithOneWholeVersionOrFailsSayingWhy)
{
    const Case c = GetParam();
    Loopback loop(c.mode, 3, c.upload ? kLimitKib : 0, c.upload ? 0 : kLimitKib);
    ASSERT_TRUE(loop.connected());
    const std::string source = c.upload ? loop.localPath("f.bin") : loop.sharePath("f.bin");
    const std::string target = c.upload ? loop.sharePath("f.bin") : loop.localPath("f.bin");
    e2e::writeRandomFile(source, kSize, 5);
    const std::string old_digest = e2e::sha256File(source);
    const uint64_t id = (c.upload ? loop.upload({"f.bin"}) : loop.download({"f.bin"})).front();

    ASSERT_TRUE(loop.waitTask(id, [](const ResumeInfo& i) { return i.progress >= 2u * 1024 * 1024; }));
    switch (c.change) {
    case Change::RewriteInPlace:
        rewriteInPlace(source, kSize, 6);
        break;
    case Change::Grow:
        grow(source);
        break;
    case Change::Shrink:
        ASSERT_EQ(0, ::truncate(source.c_str(), kSize / 2));
        break;
    }
    const std::string new_digest = e2e::sha256File(source);
    ASSERT_NE(old_digest, new_digest);

    ResumeInfo failed;
    const bool ended = Loopback::waitUntil(
        [&] {
            ResumeInfo info;
            if (!loop.client().getResumeInfoFromResumeId(id, info))
                return true;
            failed = info;
            return info.local_state == ResumeInfo::RI_ERROR;
        },
        60000);
    ASSERT_TRUE(ended);
    std::vector<ResumeInfo> done;
    if (failed.local_state == ResumeInfo::RI_ERROR) {
        EXPECT_EQ(ProjectVardo::ERR_SOURCE_CHANGED, failed.error);
        return;
    }
    ASSERT_TRUE(loop.waitDone({id}, done));
    ASSERT_EQ(1u, done.size());
    EXPECT_EQ(ResumeInfo::RI_DONE, done[0].local_state);
    EXPECT_EQ(ProjectVardo::ERR_OK, done[0].error);
    const std::string got = e2e::sha256File(target);
    EXPECT_TRUE(got == new_digest || got == old_digest) << "the file mixes two versions";
    // The old version was gone from the disk before the sender read its end.
    EXPECT_EQ(new_digest, got);
}

// An upload queued for one version of a file and started after it changed
// sends the present version whole, never the old one's length or time.
TEST(SourceChangeBeforeThePush, UploadSendsThePresentVersion)
{
    Loopback loop(kPlain);
    ASSERT_TRUE(loop.connected());
    e2e::writeRandomFile(loop.localPath("q.bin"), 300000, 7);
    ResumeInfo task;
    task.peer_id = loop.peerId();
    task.command = C_PUSH;
    task.path_from = loop.localPath("q.bin");
    task.path_to = "/share/q.bin";
    // What the file was when the upload was queued.
    task.total = 200000;
    task.mtime = e2e::fileMtimeUs(loop.localPath("q.bin")) - 5000000;
    loop.client().updateInfo(task);
    loop.clientService().notifyNew(loop.peerId());

    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone({task.resume_id}, done, 30000));
    ASSERT_EQ(1u, done.size());
    EXPECT_EQ(ResumeInfo::RI_DONE, done[0].local_state);
    EXPECT_EQ(e2e::sha256File(loop.localPath("q.bin")), e2e::sha256File(loop.sharePath("q.bin")));
    EXPECT_EQ(e2e::fileMtimeUs(loop.localPath("q.bin")), e2e::fileMtimeUs(loop.sharePath("q.bin")));
}

const Case kCases[] = {
    {"upload_rewritten_in_place", true, Change::RewriteInPlace},
    {"upload_grown", true, Change::Grow},
    {"upload_shrunk", true, Change::Shrink},
    {"download_rewritten_in_place", false, Change::RewriteInPlace},
    {"download_grown", false, Change::Grow},
    {"download_shrunk", false, Change::Shrink},
    {"tls_download_rewritten_in_place", false, Change::RewriteInPlace, {"tls", true, false}},
    {"tls_lz4_upload_rewritten_in_place", true, Change::RewriteInPlace, {"tls_lz4", true, true}},
};

INSTANTIATE_TEST_SUITE_P(Changes, SourceChange, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
