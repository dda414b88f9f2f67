// The progress of an upload tells what the receiver holds: never the whole
// file before the receiver says so, and after a failure what it holds.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kavelin/error-code.h"
#include "transfer_e2e_support.h"

using e2e::Loopback;

namespace {

const e2e::Mode kPlain = {"plain", false, false};

// The server takes every byte of the upload, then cannot put the file in
// place (a folder holds its name) and reports the failure.
TEST(UploadProgress, FailedAtTheEndShowsWhatTheServerHolds)
{
    Loopback loop(kPlain, 3, 8192, 0);
    ASSERT_TRUE(loop.connected());
    const uint64_t size = 3000000;
    e2e::writeRandomFile(loop.localPath("x.bin"), size, 4);
    std::filesystem::create_directories(loop.sharePath("x.bin/keep"));
    const uint64_t id = loop.upload({"x.bin"}).front();

    uint64_t most = 0;
    ResumeInfo last;
    ASSERT_TRUE(Loopback::waitUntil(
        [&] {
            if (!loop.client().getResumeInfoFromResumeId(id, last))
                return true;
            if (last.local_state != ResumeInfo::RI_ERROR)
                most = std::max(most, last.progress);
            return last.local_state == ResumeInfo::RI_ERROR;
        },
        60000));
    ASSERT_EQ(ResumeInfo::RI_ERROR, last.local_state);
    EXPECT_EQ(ProjectVardo::ERR_TEMP_LOST, last.error);
    EXPECT_LT(most, size) << "the whole file was shown before the server held it";
    // The server said nothing of holding any of it, and keeps nothing.
    EXPECT_EQ(0u, last.progress);
    for (const std::string& name : e2e::listFolder(loop.sharePath("")))
        EXPECT_EQ(std::string::npos, name.find(".vexofm")) << name;
}

} // namespace
