#include <gtest/gtest.h>

#include <QUrl>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "site-display.h"
#include "site-path.h"

namespace {

// Local times below are read in a fixed zone, whatever the machine's.
const bool kFixedZone = [] {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    return true;
}();

TEST(SitePathTest, CombineAndSplit)
{
    EXPECT_EQ(combinePath("/a/", "b"), "/a/b");
    EXPECT_EQ(combinePath("/a", "b"), "/a/b");
    EXPECT_EQ(combinePath("", "b"), "/b");
    EXPECT_EQ(combinePath("/", "home"), "/home");

    EXPECT_EQ(combineIdPath(QString("3"), QString("/photo/2014")), "3:/photo/2014");
    EXPECT_EQ(combineIdPath(uint64_t(0), QString("/")), "0:/");
    EXPECT_EQ(combineIdPath(uint64_t(18446744073709551615u), QString("/x")), "18446744073709551615:/x");
    EXPECT_EQ(combineIdPath(uint64_t(0), std::string("/home/alice/caf\xc3\xa9")), QString::fromUtf8("0:/home/alice/caf\xc3\xa9"));
    EXPECT_EQ(combineIdPath(uint64_t(4), std::string()), "4:");

    struct Split {
        const char* input;
        const char* id;
        const char* path;
    };
    for (const Split& s : {Split{"12", "12", ""}, Split{"3:/x:y", "3", "/x:y"}, Split{"0:C:/x", "0", "C:/x"},
                           Split{"0:/", "0", "/"}, Split{"", "", ""}, Split{":a", "", "a"}}) {
        QString id = "old", path = "old";
        splitIdPath(s.input, id, path);
        EXPECT_EQ(id, s.id) << s.input;
        EXPECT_EQ(path, s.path) << s.input;
    }

    EXPECT_EQ(getPathFromUrl(QUrl("file:///tmp/a%20b")), "/tmp/a b");
    EXPECT_EQ(getPathFromUrl(QUrl("https://example.com/a")), "");
    EXPECT_EQ(resolveSmbPath("\\\\srv\\share"), "\\\\srv\\share");
}

TEST(SiteDisplayTest, HumanReadableSizes)
{
    const double kib = 1024.0, mib = kib * kib, gib = mib * kib, tib = gib * kib;
    struct Row {
        double size;
        const char* text;
    };
    for (const Row& row : {Row{0, "0 B"}, Row{999, "999 B"}, Row{1000, "0.977 KB"}, Row{1.5 * kib, "1.5 KB"},
                           Row{1000 * kib - 1, "1e+03 KB"}, Row{1000 * kib, "0.977 MB"}, Row{mib, "1 MB"},
                           Row{1000 * mib, "0.977 GB"}, Row{1000 * gib, "0.977 TB"}, Row{5 * tib, "5 TB"},
                           Row{5000 * tib, "5e+03 TB"}, Row{123.456, "123.456 B"}})
        EXPECT_EQ(getHumanReadableSize(row.size), row.text) << row.size;
}

TEST(SiteDisplayTest, TranslateHumanReadableSize)
{
    const uint64_t kMax = std::numeric_limits<uint64_t>::max();
    struct Row {
        const char* text;
        uint64_t bytes;
    };
    for (const Row& row : {Row{"1K", 1024}, Row{"1k", 1024}, Row{"0.5g", 512ull * 1024 * 1024},
                           Row{"1.5K", 1536}, Row{"2m", 2ull * 1024 * 1024}, Row{"100", 100}, Row{"10kb", 0},
                           Row{"", 0}, Row{"abc", 0}, Row{"1t", 0}, Row{"2.9", 2},
                           // Values a uint64_t cannot hold.
                           Row{"-1k", 0}, Row{"-0", 0}, Row{"nan", 0}, Row{"NaNk", 0}, Row{"1e30", kMax},
                           Row{"inf", kMax}, Row{"-inf", 0}, Row{"17179869184g", kMax},
                           Row{"18446744073709549568", 18446744073709549568ull}})
        EXPECT_EQ(translateHumanReadableSize(row.text), row.bytes) << row.text;
}

TEST(SiteDisplayTest, HumanReadableTimeInTheLocalZone)
{
    ASSERT_TRUE(kFixedZone);
    EXPECT_EQ(getHumanReadableTime(0), "1970-01-01 09:00:00");
    EXPECT_EQ(getHumanReadableTime(1418000000), "2014-12-08 09:53:20");
    EXPECT_EQ(getHumanReadableTime(4294967295u), "2106-02-07 15:28:15");
}

}  // namespace
