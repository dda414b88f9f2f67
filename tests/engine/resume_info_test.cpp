#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "kavelin/error-code.h"
#include "kavelin/resume-info.h"
#include "kavelin/token-info.h"
#include "protocol/pobject.h"

namespace {

void expectSameTask(const ResumeInfo& a, const ResumeInfo& b)
{
    EXPECT_EQ(a.token, b.token);
    EXPECT_EQ(a.resume_id, b.resume_id);
    EXPECT_EQ(a.peer_id, b.peer_id);
    EXPECT_EQ(a.command, b.command);
    EXPECT_EQ(a.is_udp, b.is_udp);
    EXPECT_STREQ(a.path_from.c_str_utf8(), b.path_from.c_str_utf8());
    EXPECT_STREQ(a.path_to.c_str_utf8(), b.path_to.c_str_utf8());
    EXPECT_STREQ(a.temp_path.c_str_utf8(), b.temp_path.c_str_utf8());
    EXPECT_EQ(a.mtime, b.mtime);
    EXPECT_EQ(a.total, b.total);
    EXPECT_EQ(a.progress, b.progress);
    EXPECT_EQ(a.update_time, b.update_time);
    EXPECT_EQ(a.last_progress, b.last_progress);
    EXPECT_EQ(a.last_update_time, b.last_update_time);
    EXPECT_EQ(a.error, b.error);
    EXPECT_EQ(a.local_state, b.local_state);
    EXPECT_EQ(a.remote_state, b.remote_state);
    EXPECT_EQ(a.user_action, b.user_action);
    EXPECT_EQ(a.start_time, b.start_time);
    EXPECT_EQ(a.finish_time, b.finish_time);
    EXPECT_EQ(a.elapsed_time, b.elapsed_time);
    EXPECT_EQ(a.fragments, b.fragments);
}

ResumeInfo fullTask()
{
    ResumeInfo task;
    task.token = 0xFEDCBA9876543210ull;
    task.resume_id = 42;
    task.peer_id = 7;
    task.command = C_PULL;
    task.is_udp = true;
    task.path_from = ustring("/share/é dir/\"quoted\"\\name.bin");
    task.path_to = ustring("/home/user/Downloads/name.bin");
    task.temp_path = ustring("/home/user/Downloads/name.bin-abcdefgh.vexofm");
    task.mtime = 1700000000123456ull;
    task.total = 5000000000ull;
    task.progress = 4000000000ull;
    task.update_time = 1700000000999ull;
    task.last_progress = 3000000000ull;
    task.last_update_time = 1700000000000ull;
    task.error = ProjectVardo::ERR_SSL_CHANGED;
    task.local_state = ResumeInfo::RI_RUNNING;
    task.remote_state = ResumeInfo::RI_PAUSED;
    task.user_action = ResumeInfo::UA_PAUSE;
    task.start_time = 1699999999000ull;
    task.finish_time = 1700000001000ull;
    task.elapsed_time = 1999;
    task.fragments = {{500, 900}, {0, 100}, {1000, 5000000000ull}};
    return task;
}

} // namespace

TEST(ResumeInfoForm, RecordsRoundTrip)
{
    ResumeInfo negative_error;
    negative_error.command = C_PUSH;
    negative_error.error = -1;  // sign-extended on the wire, low bits back
    negative_error.local_state = ResumeInfo::RI_FAILED;

    const struct {
        const char* name;
        ResumeInfo task;
    } cases[] = {
        {"every field set", fullTask()},
        {"defaults", [] { ResumeInfo t; t.command = C_PUSH; return t; }()},
        {"negative error", negative_error},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PObject form;
        addResumeInfoIntoPObject(c.task, form);
        ResumeInfo back;
        getResumeInfoFromPObject(form, back);
        expectSameTask(c.task, back);
    }

    PObject form;
    addResumeInfoIntoPObject(negative_error, form);
    EXPECT_EQ(form["error"].asUInt64(), 18446744073709551615ull);
    EXPECT_TRUE(form["fragments"].isArray());
}

TEST(ResumeInfoForm, WritingReplacesTheObjectWhole)
{
    PObject form;
    form["stale"] = "left over";
    addResumeInfoIntoPObject(fullTask(), form);
    EXPECT_FALSE(form.hasMember("stale"));
    EXPECT_EQ(form.asMap().size(), 22u);
}

TEST(ResumeInfoForm, ReadingToleratesMissingAndMistypedKeys)
{
    ResumeInfo task = fullTask();
    getResumeInfoFromPObject(PObject(), task);
    expectSameTask(task, ResumeInfo());

    PObject form;
    form["fragments"]["begin"] = 1u;  // a map where an array belongs
    form["is_udp"] = "0";             // a non-empty string reads as true
    form["total"] = "123";            // a string where an integer belongs
    form["path_to"] = 77u;            // an integer gives its decimal text
    getResumeInfoFromPObject(form, task);
    EXPECT_TRUE(task.fragments.empty());
    EXPECT_TRUE(task.is_udp);
    EXPECT_EQ(task.total, 0u);
    EXPECT_STREQ(task.path_to.c_str_utf8(), "77");

    PObject no_end;
    no_end["fragments"].asArray().resize(1);
    no_end["fragments"].asArray()[0]["begin"] = 5u;
    no_end["is_udp"] = 0u;
    getResumeInfoFromPObject(no_end, task);
    ASSERT_EQ(task.fragments.size(), 1u);
    EXPECT_EQ(task.fragments[0], (FileFragment{5, 0}));
    EXPECT_FALSE(task.is_udp);
}

TEST(ResumeFilterForm, PeerListPresenceCarriesTheFlag)
{
    const struct {
        const char* name;
        ResumeFilter filter;
        bool has_peer_key;
    } cases[] = {
        {"default", ResumeFilter(), false},
        {"unchecked peers are not written", ResumeFilter{3, 10, false, {1, 2}}, false},
        {"checked without peers", ResumeFilter{0, -1, true, {}}, true},
        {"checked peers", ResumeFilter{-2, 7, true, {9, 4, 9}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PObject form;
        addResumeFilterIntoPObject(c.filter, form);
        EXPECT_EQ(form.hasMember("peer_ids"), c.has_peer_key);
        ResumeFilter back;
        back.peer_ids = {99};
        getResumeFilterFromPObject(form, back);
        EXPECT_EQ(back.offset, c.filter.offset);
        EXPECT_EQ(back.limit, c.filter.limit);
        EXPECT_EQ(back.check_peer_id, c.filter.check_peer_id);
        EXPECT_EQ(back.peer_ids, c.filter.check_peer_id ? c.filter.peer_ids : std::vector<uint64_t>());
    }

    ResumeFilter read;
    getResumeFilterFromPObject(PObject(), read);
    EXPECT_EQ(read.limit, 0);  // no "limit" key is limit 0, not "no limit"
}

TEST(TokenInfoForm, RoundTripKeepsOtherKeys)
{
    PObject form;
    form["other"] = "kept";
    TokenInfo info{11, 0xFFFFFFFFFFFFFFFFull, true, false};
    addTokenInfoIntoPObject(info, form);
    EXPECT_EQ(form["other"].asString(), "kept");
    TokenInfo back{1, 1, false, true};
    getTokenInfoFromPObject(form, back);
    EXPECT_EQ(back.peer_id, 11u);
    EXPECT_EQ(back.transfer_seed, 0xFFFFFFFFFFFFFFFFull);
    EXPECT_TRUE(back.is_collision);
    EXPECT_FALSE(back.is_aborted);
}

TEST(ResumeInfoSpeed, EstimatesFromTheLastTwoUpdates)
{
    const uint64_t now = 1000000;
    struct Case {
        const char* name;
        uint64_t update_ago;
        uint64_t last_update_ago;
        uint64_t grown;
        bool complete;
        uint64_t expected;
    };
    const Case cases[] = {
        {"both updates within the second", 500, 800, 1000000, false, 1000000},
        {"scaled to one second", 500, 3000, 1000000, false, 400000},
        {"finished task fades out", 500, 3000, 1000000, true, 200000},
        {"last update too old", 1001, 1500, 1000000, false, 0},
        {"no progress", 500, 800, 0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResumeInfo task;
        task.update_time = now - c.update_ago;
        task.last_update_time = now - c.last_update_ago;
        task.last_progress = 1000;
        task.progress = 1000 + c.grown;
        task.total = c.complete ? task.progress : task.progress + 1;
        EXPECT_EQ(getResumeInfoEstimatedSpeed(task, now), c.expected);
    }

    ResumeInfo future;
    future.update_time = now + 10;
    future.last_update_time = now - 100;
    future.progress = 10;
    EXPECT_EQ(getResumeInfoEstimatedSpeed(future, now), 0u);
    ResumeInfo never;
    never.progress = 10;
    EXPECT_EQ(getResumeInfoEstimatedSpeed(never, now), 0u);
}

TEST(ResumeInfoFilter, PeerListAndAbort)
{
    ResumeInfo task;
    task.peer_id = 3;
    EXPECT_TRUE(isResumeInfoPassFilter(task, ResumeFilter()));
    EXPECT_TRUE(isResumeInfoPassFilter(task, ResumeFilter{0, -1, true, {1, 3}}));
    EXPECT_FALSE(isResumeInfoPassFilter(task, ResumeFilter{0, -1, true, {1}}));
    EXPECT_FALSE(isResumeInfoPassFilter(task, ResumeFilter{0, -1, true, {}}));
    task.user_action = ResumeInfo::UA_ABORT;
    EXPECT_FALSE(isResumeInfoPassFilter(task, ResumeFilter()));
    EXPECT_FALSE(isResumeInfoPassFilter(task, ResumeFilter{0, -1, true, {3}}));
}

TEST(EngineErrorCode, MapsEveryStreamCode)
{
    using namespace ProjectVardo;
    const std::pair<int32_t, int32_t> cases[] = {
        {0, ERR_OK},  {-1, ERR_SYS}, {-2, ERR_IO},   {-3, ERR_SYS},        {-4, ERR_LOCAL_DISKFULL},
        {-5, ERR_SYS}, {-6, ERR_LOCAL_FBIG}, {-7, ERR_DROP_LARGE}, {-8, ERR_SOURCE_CHANGED}, {-9, ERR_SYS}, {1, ERR_SYS},
        {INT32_MIN, ERR_SYS}, {INT32_MAX, ERR_SYS},
    };
    for (const auto& c : cases)
        EXPECT_EQ(convertFromSocketStreamError(c.first), c.second) << "stream code " << c.first;
}

// A local file failure names its cause where the engine has a code for it;
// a refused name keeps the system error, and any other errno keeps the
// caller's own code.
TEST(EngineErrorCode, MapsLocalFileErrors)
{
    using namespace ProjectVardo;
    struct Row {
        int error;
        int32_t otherwise;
        int32_t expected;
    };
    const Row rows[] = {
        {EACCES, ERR_SYS, ERR_NO_PERM},        {EPERM, ERR_SYS, ERR_NO_PERM},
        {EROFS, ERR_TEMP_LOST, ERR_NO_PERM},   {ENOSPC, ERR_SYS, ERR_LOCAL_DISKFULL},
        {EDQUOT, ERR_TEMP_LOST, ERR_LOCAL_DISKFULL}, {EFBIG, ERR_SYS, ERR_LOCAL_FBIG},
        {ENAMETOOLONG, ERR_TEMP_LOST, ERR_SYS}, {EILSEQ, ERR_TEMP_LOST, ERR_SYS},
        {EINVAL, ERR_TEMP_LOST, ERR_SYS},      {EIO, ERR_SYS, ERR_SYS},
        {ENOENT, ERR_TEMP_LOST, ERR_TEMP_LOST}, {EIO, ERR_IO, ERR_IO},
        {0, ERR_SYS, ERR_SYS},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, convertFromLocalError(row.error, row.otherwise))
            << "errno " << row.error << " otherwise " << row.otherwise;
    EXPECT_EQ(ERR_SYS, convertFromLocalError(EMFILE));
}
