// The client engine against the test server's data side on loopback, in
// every link mode and both directions.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

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
    for (const ResumeInfo& info : done)
        EXPECT_EQ(ResumeInfo::RI_DONE, info.local_state) << info.path_from.c_str_utf8() << " error " << info.error;

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
