#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>

#include "site-file-info.h"

namespace {

SiteFileInfo file(const QString& name, uint64_t size = 0, qint64 seconds = -2, bool is_dir = false)
{
    SiteFileInfo info;
    info.name = name;
    info.size = size;
    info.is_dir = is_dir;
    // -2: no time at all (a null date-time).
    if (seconds != -2)
        info.mtime = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toLocalTime();
    return info;
}

SiteFileInfo folder(const QString& name)
{
    return file(name, 0, -2, true);
}

QStringList names(const SiteFileList& list)
{
    QStringList out;
    for (const SiteFileInfo& info : list)
        out << info.name;
    return out;
}

struct FilterCase {
    const char* name;
    SiteFileList input;
    std::function<void(SiteFileFilter&)> edit;
    QStringList expected;
};

std::ostream& operator<<(std::ostream& out, const FilterCase& c)
{
    return out << c.name;
}

class FilterAndSortTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterAndSortTest, GivesTheExpectedNamesInOrder)
{
    const FilterCase& c = GetParam();
    SiteFileFilter filter;
    if (c.edit)
        c.edit(filter);
    SiteFileList out{file("stale")};
    const SiteFileList before = c.input;
    filterAndSortSiteFileList(c.input, filter, out);
    EXPECT_EQ(names(out), c.expected);
    EXPECT_EQ(names(c.input), names(before));
}

const qint64 k2106 = 4294967296LL;  // one second past the 32-bit range

INSTANTIATE_TEST_SUITE_P(
    Rows, FilterAndSortTest,
    ::testing::Values(
        FilterCase{"fresh_filter_keeps_all_in_order", {file("b"), folder("a"), file("c")}, {}, {"b", "a", "c"}},
        FilterCase{"keyword_DOC_matches_mydoc",
                   {file("mydoc.txt"), file("notes.txt"), file("DOCS")},
                   [](SiteFileFilter& f) { f.keyword = "DOC"; },
                   {"mydoc.txt", "DOCS"}},
        FilterCase{"mtime_from_100_keeps_from_second_100_and_unplaced_times",
                   {file("early", 0, 99), file("edge", 0, 100), file("late", 0, 5000), file("null"),
                    file("pre1970", 0, -10), file("post2106", 0, k2106)},
                   [](SiteFileFilter& f) { f.mtime_from = 100; },
                   {"edge", "late", "null", "pre1970", "post2106"}},
        FilterCase{"any_mtime_to_drops_unplaced_times",
                   {file("early", 0, 99), file("null"), file("pre1970", 0, -10), file("post2106", 0, k2106)},
                   [](SiteFileFilter& f) { f.mtime_to = 4294967294u; },
                   {"early"}},
        FilterCase{"unplaced_times_count_as_4294967295",
                   {file("null"), file("pre1970", 0, -10), file("post2106", 0, k2106), file("early", 0, 99)},
                   [](SiteFileFilter& f) {
                       f.mtime_from = 4294967295u;
                       f.mtime_to = 4294967295u;
                   },
                   {"null", "pre1970", "post2106"}},
        FilterCase{"larger_than_1k",
                   {file("1023", 1023), file("1024", 1024), file("1025", 1025), folder("dir")},
                   [](SiteFileFilter& f) {
                       f.sfa = SiteFileFilter::SIZE_LARGER;
                       f.size = "1k";
                   },
                   {"1025"}},
        FilterCase{"smaller_than_1K",
                   {file("1023", 1023), file("1024", 1024), file("1025", 1025)},
                   [](SiteFileFilter& f) {
                       f.sfa = SiteFileFilter::SIZE_SMALLER;
                       f.size = "1K";
                   },
                   {"1023"}},
        FilterCase{"equal_to_1k",
                   {file("1023", 1023), file("1024", 1024), file("1025", 1025)},
                   [](SiteFileFilter& f) {
                       f.sfa = SiteFileFilter::SIZE_EQUAL;
                       f.size = "1k";
                   },
                   {"1024"}},
        FilterCase{"out_of_range_size_action_keeps_all",
                   {file("a", 1), file("b", 5000)},
                   [](SiteFileFilter& f) {
                       f.sfa = static_cast<SiteFileFilter::SizeFilterAction>(9);
                       f.size = "1k";
                   },
                   {"a", "b"}},
        FilterCase{"type_order_ascending",
                   {file("b.txt"), file("a.zip"), file("c"), file("a.txt"), folder("dir")},
                   [](SiteFileFilter& f) { f.sort_column = COL_TYPE; },
                   // equal types fall back to the name
                   {"c", "a.txt", "b.txt", "a.zip", "dir"}},
        FilterCase{"type_order_descending_is_ascending_backwards",
                   {file("b.txt"), file("a.zip"), file("c"), file("a.txt"), folder("dir")},
                   [](SiteFileFilter& f) {
                       f.sort_column = COL_TYPE;
                       f.sort_asc = false;
                   },
                   {"dir", "a.zip", "b.txt", "a.txt", "c"}},
        FilterCase{"type_keys_of_dotted_names",
                   {file("x"), file("a."), file(".profile"), file("B.Txt"), file("b.txt")},
                   [](SiteFileFilter& f) { f.sort_column = COL_TYPE; },
                   {"a.", "B.Txt", "x", ".profile", "b.txt"}},
        FilterCase{"name_order_is_by_code_unit",
                   {file("a"), file("B"), file("ab"), file("\u00e9")},
                   [](SiteFileFilter& f) { f.sort_column = COL_NAME; },
                   {"B", "a", "ab", "\u00e9"}},
        FilterCase{"size_order_descending",
                   {file("s", 1), file("l", 300), file("m", 20)},
                   [](SiteFileFilter& f) {
                       f.sort_column = COL_SIZE;
                       f.sort_asc = false;
                   },
                   {"l", "m", "s"}},
        FilterCase{"time_order_unknown_first",
                   {file("late", 0, 900), file("null"), file("early", 0, 5)},
                   [](SiteFileFilter& f) { f.sort_column = COL_MTIME; },
                   {"null", "early", "late"}},
        FilterCase{"column_minus_one_descending_is_not_reversed",
                   {file("b"), file("a"), file("c")},
                   [](SiteFileFilter& f) { f.sort_asc = false; },
                   {"b", "a", "c"}},
        FilterCase{"out_of_range_column_keeps_order",
                   {file("b"), file("a"), file("c")},
                   [](SiteFileFilter& f) {
                       f.sort_column = COL_MAX;
                       f.sort_asc = false;
                   },
                   {"b", "a", "c"}}),
    [](const ::testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

TEST(SiteFileFilterTest, SortMovesFlagsWithTheirEntries)
{
    SiteFileInfo shared = folder("b-share");
    shared.is_shared_folder = true;
    SiteFileInfo root = folder("a-root");
    root.is_root = true;
    SiteFileList out;
    SiteFileFilter filter;
    filter.sort_column = COL_NAME;
    filterAndSortSiteFileList({shared, root, folder("c")}, filter, out);
    ASSERT_EQ(names(out), (QStringList{"a-root", "b-share", "c"}));
    EXPECT_TRUE(out[0].is_root && !out[0].is_shared_folder);
    EXPECT_TRUE(out[1].is_shared_folder && !out[1].is_root);
    EXPECT_FALSE(out[2].is_root || out[2].is_shared_folder);

    SiteFileInfo target = folder("t");
    target = shared;  // assignment takes all six fields
    EXPECT_TRUE(target.is_shared_folder);
    EXPECT_EQ(target.name, "b-share");
}

TEST(SiteFileFilterTest, ResetKeepsTheSortAndToStringShowsTheFilter)
{
    SiteFileFilter filter;
    EXPECT_EQ(filter.toString(), "\nkeyword: \nmtime_from: 0\nmtime_to: 0\nsfa: 0\nsize: \n");
    filter.keyword = "k";
    filter.mtime_from = 3;
    filter.mtime_to = 4;
    filter.sfa = SiteFileFilter::SIZE_LARGER;
    filter.size = "2m";
    filter.sort_column = COL_SIZE;
    filter.sort_asc = false;
    EXPECT_EQ(filter.toString(), "\nkeyword: k\nmtime_from: 3\nmtime_to: 4\nsfa: 3\nsize: 2m\n");
    filter.resetFilter();
    EXPECT_EQ(filter.toString(), "\nkeyword: \nmtime_from: 0\nmtime_to: 0\nsfa: 0\nsize: \n");
    EXPECT_EQ(filter.sort_column, COL_SIZE);
    EXPECT_FALSE(filter.sort_asc);
}

}  // namespace
