#include "tmp_name_gen.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

namespace {

const std::regex kName("[0-9a-zA-Z_-]{8}");

std::string next_name() { return TmpNameGen::getInstance().getTmpName().c_str_utf8(); }

TEST(TmpNameGen, NamesAndPathsHaveTheFixedForm)
{
    for (int i = 0; i < 1000; ++i) {
        const std::string name = next_name();
        ASSERT_TRUE(std::regex_match(name, kName)) << name;
    }
    const std::string bare = TmpNameGen::getInstance().getTmpPath(ustring()).c_str_utf8();
    EXPECT_TRUE(std::regex_match(bare, std::regex("-[0-9a-zA-Z_-]{8}\\.vexofm"))) << bare;
    const std::string path = TmpNameGen::getInstance().getTmpPath("/dl/a b.txt").c_str_utf8();
    EXPECT_TRUE(std::regex_match(path, std::regex("/dl/a b\\.txt-[0-9a-zA-Z_-]{8}\\.vexofm"))) << path;
}

TEST(TmpNameGen, NoRepeatsOverManyCalls)
{
    std::unordered_set<std::string> seen;
    for (int i = 0; i < 500000; ++i)
        ASSERT_TRUE(seen.insert(next_name()).second) << "repeat after " << i << " names";
}

TEST(TmpNameGen, ThreadsNeverShareAKeystreamStep)
{
    const int kThreads = 8, kPerThread = 20000;
    std::vector<std::vector<std::string>> names(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&names, t] {
            for (int i = 0; i < kPerThread; ++i)
                names[t].push_back(next_name());
        });
    for (std::thread& t : threads)
        t.join();
    std::unordered_set<std::string> all;
    for (const auto& list : names)
        for (const std::string& n : list) {
            EXPECT_TRUE(std::regex_match(n, kName)) << n;
            EXPECT_TRUE(all.insert(n).second) << "two threads drew " << n;
        }
    EXPECT_EQ(all.size(), static_cast<size_t>(kThreads * kPerThread));
}

} // namespace
