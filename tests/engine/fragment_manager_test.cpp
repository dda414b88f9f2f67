#include <gtest/gtest.h>

#include <vector>

#include "kavelin/fragment-manager.h"

namespace {

struct FragmentCase {
    const char* name;
    uint64_t total;
    std::vector<FileFragment> input;
    std::vector<FileFragment> canonical;
    uint64_t progress;
    std::vector<FileFragment> holes;
    bool finished;
};

} // namespace

TEST(FragmentManager, CanonicalFormHolesAndFinish)
{
    const FragmentCase cases[] = {
        {"unsorted with adjacency and a gap", 100, {{50, 60}, {0, 10}, {10, 20}}, {{0, 20}, {50, 60}}, 30,
         {{20, 50}, {60, 100}}, false},
        {"overlap completes the file", 100, {{0, 60}, {40, 100}}, {{0, 100}}, 100, {}, true},
        {"inner fragment absorbed", 100, {{0, 50}, {10, 20}}, {{0, 50}}, 50, {{50, 100}}, false},
        {"nothing yet", 100, {}, {}, 0, {{0, 100}}, false},
        {"empty file without fragments", 0, {}, {}, 0, {}, false},
        {"empty file with an empty fragment", 0, {{0, 0}}, {{0, 0}}, 0, {}, true},
        {"single fragment kept", 100, {{20, 30}}, {{20, 30}}, 10, {{0, 20}, {30, 100}}, false},
        {"beyond the total", 100, {{0, 150}}, {{0, 150}}, 150, {}, false},
        {"same begin, longer one wins", 100, {{10, 20}, {10, 90}, {0, 5}}, {{0, 5}, {10, 90}}, 85,
         {{5, 10}, {90, 100}}, false},
        {"many pieces joined", 10, {{8, 10}, {0, 2}, {4, 6}, {2, 4}, {6, 8}}, {{0, 10}}, 10, {}, true},
        // A reversed range (as a hostile peer may report) covers nothing: it
        // must neither wrap the progress nor make holes overlap.
        {"reversed range ignored", 10, {{2, 1}, {4, 8}}, {{4, 8}}, 4, {{0, 4}, {8, 10}}, false},
        {"only reversed ranges", 100, {{60, 40}}, {}, 0, {{0, 100}}, false},
        // Holes stay within the file even when reported ranges lie past it.
        {"fragment past the total", 10, {{20, 30}}, {{20, 30}}, 10, {{0, 10}}, false},
        {"hole cut at the total", 10, {{0, 4}, {12, 30}}, {{0, 4}, {12, 30}}, 22, {{4, 10}}, false},
    };
    for (const FragmentCase& c : cases) {
        SCOPED_TRACE(c.name);
        FragmentManager manager(c.total, c.input);
        std::vector<FileFragment> fragments{{7, 7}};
        manager.getFragments(fragments);
        EXPECT_EQ(fragments, c.canonical);
        EXPECT_EQ(manager.getProgress(), c.progress);
        std::vector<FileFragment> holes{{1, 2}, {3, 4}};
        manager.getHoles(holes);
        EXPECT_EQ(holes, c.holes);
        EXPECT_EQ(manager.isFinished(), c.finished);
    }
}
