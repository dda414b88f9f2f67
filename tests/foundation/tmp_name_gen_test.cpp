#include "tmp_name_gen.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

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

// Names are 48 random bits, so a repeat among 500,000 is chance (a few in a
// thousand runs; callers create their files exclusively and draw again). A
// generator whose permutation stuck or cycled would repeat by the thousand.
TEST(TmpNameGen, RepeatsOnlyByChanceOverManyCalls)
{
    std::unordered_set<std::string> seen;
    std::string previous;
    int repeats = 0;
    for (int i = 0; i < 500000; ++i) {
        const std::string name = next_name();
        ASSERT_NE(previous, name) << "the same name twice in a row after " << i << " names";
        if (!seen.insert(name).second)
            ++repeats;
        previous = name;
    }
    EXPECT_LE(repeats, 2);
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
    // Threads sharing a keystream step would draw the same names by the
    // hundred; chance gives a repeat in well under one run of a thousand.
    std::unordered_set<std::string> all;
    int repeats = 0;
    for (const auto& list : names)
        for (const std::string& n : list) {
            EXPECT_TRUE(std::regex_match(n, kName)) << n;
            if (!all.insert(n).second)
                ++repeats;
        }
    EXPECT_LE(repeats, 2);
}

// Whether text is whole UTF-8: no sequence cut short, no stray continuation.
bool isWholeUtf8(const std::string& text)
{
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t n = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > text.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

std::string repeat(const std::string& unit, size_t bytes)
{
    std::string text;
    while (text.size() + unit.size() <= bytes)
        text += unit;
    return text;
}

// Every name the file system takes gets a temporary name beside it that it
// takes too, cut at a character boundary and still unique.
TEST(TmpNameGen, LongNamesGetTemporaryNamesThatFit)
{
    char folder_template[] = "/tmp/qm-tmpname-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(folder_template));
    const std::string folder = folder_template;
    struct Row {
        const char* what;
        std::string name;
    };
    const Row rows[] = {
        {"short", "a.txt"},
        {"239 bytes fits as it is", std::string(235, 'x') + ".bin"},
        {"240 bytes", std::string(236, 'x') + ".bin"},
        {"255 ASCII bytes", std::string(251, 'y') + ".bin"},
        {"2-byte characters", repeat("\xC3\xA4", 254)},
        {"3-byte characters", repeat("\xE6\x96\x87", 255)},
        {"4-byte characters after one ASCII byte", "z" + repeat("\xF0\x9F\x98\x80", 254)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_LE(row.name.size(), 255u);
        const std::string path = folder + "/" + row.name;
        const int source = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        ASSERT_GE(source, 0) << "the file system refused the name itself";
        ::close(source);

        const std::string first = TmpNameGen::getInstance().getTmpPath(path).c_str_utf8();
        const std::string second = TmpNameGen::getInstance().getTmpPath(path).c_str_utf8();
        EXPECT_NE(first, second);
        ASSERT_EQ(0u, first.rfind(folder + "/", 0));
        const std::string leaf = first.substr(folder.size() + 1);
        EXPECT_LE(leaf.size(), 255u);
        EXPECT_TRUE(isWholeUtf8(leaf)) << leaf;
        const std::string kept = leaf.substr(0, leaf.size() - 16);
        EXPECT_EQ(0u, row.name.rfind(kept, 0)) << "not a prefix of the file's name";
        if (row.name.size() <= 239) {
            EXPECT_EQ(row.name, kept);
        }
        EXPECT_TRUE(std::regex_match(leaf.substr(kept.size()), std::regex("-[0-9a-zA-Z_-]{8}\\.vexofm")));
        const int temp = ::open(first.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        EXPECT_GE(temp, 0) << "errno " << errno;
        if (temp >= 0)
            ::close(temp);
    }
    std::filesystem::remove_all(folder);
}

} // namespace
