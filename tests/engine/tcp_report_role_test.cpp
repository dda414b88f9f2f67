// The report role against a scripted peer on loopback: batches, reports kept
// across an abort, every report kind applied to its task, bounded restarts and
// untrusted fragment lists.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>

#include <event2/event.h>

#include "kavelin/tcp-helper.h"
#include "kavelin/tcp-passive-helper.h"
#include "kavelin/tcp-report-helper.h"
#include "kavelin/tcp-server-init-helper.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager-impl-lock.h"
#include "kavelin/vardo-core-manager.h"
#include "lz4-processor.h"
#include "psocket_stream.h"
#include "engine/tcp_transfer_test_support.h"
#include "support/temp_dir.h"

namespace {

using namespace tcp_transfer_test;

TEST(TcpReportRole, QueuedReportsLeaveInBatchesOfAHundred)
{
    TestController controller;
    for (uint64_t token = 1; token <= 250; ++token) {
        PObject report;
        report["token"] = token;
        report["status"] = "done";
        controller.reports.push_back(report);
    }
    ReportLink link(controller);
    TcpHelper* role = link.transfer->getHelper();
    // The queue shrinks by one batch whenever the previous batch is out.
    std::vector<size_t> queue_sizes;
    int last = 1;
    for (int step = 0; step < 10000 && last != 0; ++step) {
        last = role->handleWrite();
        ASSERT_GE(last, 0);
        if (queue_sizes.empty() || queue_sizes.back() != controller.reports.size())
            queue_sizes.push_back(controller.reports.size());
    }
    EXPECT_EQ((std::vector<size_t>{150, 50, 0}), queue_sizes);
    EXPECT_EQ(0, last);  // an empty drain: nothing more to write

    PSocketStream stream;
    stream.SetSocket(link.peer);
    for (uint64_t token = 1; token <= 250; ++token) {
        PObject item;
        while (stream.GetNextAvailibleReceivedObject(item) != PSocketStream::ERR_OK)
            ASSERT_EQ(PSocketStream::ERR_OK, stream.Recv(65536));
        EXPECT_EQ(static_cast<uint64_t>(C_REPORT), item["command"].asUInt64());
        EXPECT_EQ(token, item["report"]["token"].asUInt64());
        EXPECT_EQ("done", item["report"]["status"].asString());
    }
}

TEST(TcpReportRole, BatchCutByAnAbortGoesBackToTheQueue)
{
    TestController controller;
    const std::string pad(20000, 'x');
    for (uint64_t token = 1; token <= 250; ++token) {
        PObject report;
        report["token"] = token;
        report["status"] = "done";
        report["pad"] = pad;
        controller.reports.push_back(report);
    }
    ReportLink link(controller);
    int small = 4096;
    setsockopt(link.transfer->getSocket(), SOL_SOCKET, SO_SNDBUF, &small, sizeof(small));
    setsockopt(link.peer, SOL_SOCKET, SO_RCVBUF, &small, sizeof(small));
    // The first batch leaves the queue and stalls on the unread socket.
    ASSERT_TRUE(controller.pumpUntil([&] { return controller.reports.size() == 150; }));
    controller.pumpUntil([] { return false; }, 100);
    link.transfer->abort();

    std::set<uint64_t> tokens;
    for (const PObject& report : controller.reports)
        tokens.insert(report["token"].asUInt64());
    EXPECT_EQ(250u, tokens.size());
}

// Each report kind applied to a task of the local store; reports are applied
// in the order they arrive, so a last "done" report marks the end.
TEST(TcpReportRole, ReportsChangeTheirTasks)
{
    struct Row {
        const char* name;
        ResumeInfo::State stored_state;
        int32_t stored_error;
        std::function<void(PObject&)> fill;  // the report's kind keys
        bool removed;
        ResumeInfo::State local_state;
        ResumeInfo::State remote_state;
        int32_t error;
        size_t fragments;
    };
    using R = ResumeInfo;
    const int32_t kIo = ProjectVardo::ERR_IO;
    const Row rows[] = {
        {"status wins over error_code", R::RI_RUNNING, 0,
         [](PObject& r) { r["error_code"] = 3u; r["status"] = "done"; }, false, R::RI_DONE, R::RI_WAITING, 0, 0},
        {"fragments keep a pause", R::RI_PAUSED, 0,
         [](PObject& r) {
             PObject range;
             range["begin"] = 0u;
             range["end"] = 40u;
             r["fragments"].asArray().push_back(range);
         },
         false, R::RI_PAUSED, R::RI_WAITING, 0, 1},
        {"fragments make a running task wait", R::RI_RUNNING, 0,
         [](PObject& r) { r["fragments"].asArray(); }, false, R::RI_WAITING, R::RI_WAITING, 0, 0},
        // The answer to the question of a push that broke.
        {"fragments answer a broken push", R::RI_RUNNING, kIo,
         [](PObject& r) {
             PObject range;
             range["begin"] = 0u;
             range["end"] = 60u;
             r["fragments"].asArray().push_back(range);
         },
         false, R::RI_WAITING, R::RI_WAITING, 0, 1},
        {"fragments leave a failed task failed", R::RI_ERROR, kIo, [](PObject& r) { r["fragments"].asArray(); },
         false, R::RI_ERROR, R::RI_WAITING, kIo, 0},
        // Row 5, whose token is being sent: a word on an earlier push is left aside.
        {"fragments for a task being sent", R::RI_RUNNING, 0,
         [](PObject& r) {
             PObject range;
             range["begin"] = 0u;
             range["end"] = 10u;
             r["fragments"].asArray().push_back(range);
         },
         false, R::RI_RUNNING, R::RI_WAITING, 0, 0},
        {"pause", R::RI_RUNNING, 0, [](PObject& r) { r["pause"] = false; }, false, R::RI_RUNNING, R::RI_PAUSED, 0, 0},
        {"abort", R::RI_RUNNING, 0, [](PObject& r) { r["abort"] = true; }, true, R::RI_RUNNING, R::RI_WAITING, 0, 0},
        {"disk full there", R::RI_RUNNING, 0, [](PObject& r) { r["error_code"] = 3u; }, false, R::RI_ERROR,
         R::RI_ERROR, ProjectVardo::ERR_REMOTE_DISKFULL, 0},
        {"too big there", R::RI_RUNNING, 0, [](PObject& r) { r["error_code"] = 4u; }, false, R::RI_ERROR,
         R::RI_ERROR, ProjectVardo::ERR_REMOTE_FBIG, 0},
        {"no such file", R::RI_RUNNING, 0, [](PObject& r) { r["error_code"] = 11u; }, false, R::RI_ERROR,
         R::RI_ERROR, ProjectVardo::ERR_NO_SUCH_FILE, 0},
        {"paused there keeps the error", R::RI_RUNNING, kIo, [](PObject& r) { r["error_code"] = 13u; }, false,
         R::RI_ERROR, R::RI_PAUSED, kIo, 0},
        {"unlisted code", R::RI_RUNNING, 0, [](PObject& r) { r["error_code"] = 7u; }, false, R::RI_ERROR,
         R::RI_ERROR, ProjectVardo::ERR_SYS, 0},
        {"code past 32 bits", R::RI_RUNNING, 0, [](PObject& r) { r["error_code"] = (1ull << 32) + 3; }, false,
         R::RI_ERROR, R::RI_ERROR, ProjectVardo::ERR_SYS, 0},
    };
    TestController controller;
    controller.being_sent.insert(500 + 5);  // the row "fragments for a task being sent"
    VardoCoreManager& store = *controller.getManager();
    ReportLink link(controller);
    auto addTask = [&](token_t token, ResumeInfo::State state, int32_t error) {
        ResumeInfo task;
        task.peer_id = 1;
        task.command = C_PUSH;
        task.total = 100;
        task.token = token;
        task.local_state = state;
        task.error = error;
        store.updateInfo(task);
        return task.resume_id;
    };
    auto send = [&](PObject report) {
        PObject header;
        header["command"] = static_cast<uint32_t>(C_REPORT);
        header["report"] = report;
        ASSERT_TRUE(writeObject(link.peer, header));
    };
    std::vector<uint64_t> ids;
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        const token_t token = 500 + i;
        ids.push_back(addTask(token, rows[i].stored_state, rows[i].stored_error));
        PObject report;
        report["token"] = token;
        rows[i].fill(report);
        send(report);
    }
    // Aborts of tokens the store does not know: remembered unless the token is 0.
    PObject abort_unknown;
    abort_unknown["token"] = 9999u;
    abort_unknown["abort"] = true;
    send(abort_unknown);
    PObject abort_zero;
    abort_zero["token"] = 0u;
    abort_zero["abort"] = true;
    send(abort_zero);
    const uint64_t last = addTask(900, ResumeInfo::RI_RUNNING, 0);
    PObject done;
    done["token"] = 900u;
    done["status"] = "done";
    send(done);
    // Finished and removed tasks leave the list for the done list.
    std::map<uint64_t, ResumeInfo> finished;
    ASSERT_TRUE(controller.pumpUntil([&] {
        std::vector<ResumeInfo> taken;
        store.consumeDoneTasks(taken);
        for (const ResumeInfo& info : taken)
            finished[info.resume_id] = info;
        return finished.count(last) == 1;
    }));

    for (size_t i = 0; i < ids.size(); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.name);
        ResumeInfo info;
        const bool listed = store.getResumeInfoFromResumeId(ids[i], info);
        EXPECT_EQ(row.removed || row.local_state == ResumeInfo::RI_DONE, !listed);
        if (row.removed)
            continue;
        if (!listed)
            info = finished[ids[i]];
        EXPECT_EQ(row.local_state, info.local_state);
        EXPECT_EQ(row.remote_state, info.remote_state);
        EXPECT_EQ(row.error, info.error);
        EXPECT_EQ(row.fragments, info.fragments.size());
    }
    PObject dump;
    store.debugVCM(dump);
    std::vector<uint64_t> marked;
    for (const PObject& mark : dump["m_aborted_token"].asArray())
        marked.push_back(mark["token"].asUInt64());
    EXPECT_EQ(std::vector<uint64_t>{9999}, marked);
    EXPECT_FALSE(link.transfer->isAborted());

    // A header without "report" ends the connection.
    PObject stray;
    stray["command"] = static_cast<uint32_t>(C_REPORT);
    ASSERT_TRUE(writeObject(link.peer, stray));
    ASSERT_TRUE(controller.pumpUntil([&] { return link.transfer->isAborted(); }));
    EXPECT_EQ(ProjectVardo::ERR_SYS, link.transfer->getLastError());
}

TEST(TcpReportRole, RefusedTokenRestartsATaskOnlyAFewTimes)
{
    TestController controller;
    VardoCoreManager& store = *controller.getManager();
    ResumeInfo task;
    task.peer_id = 1;
    task.command = C_PUSH;
    task.total = 10;
    task.path_from = "/nonexistent";
    store.updateInfo(task);

    ReportLink link(controller);
    for (int round = 0; round <= TcpReportHelper::kMaxTokenResets; ++round) {
        const token_t token = 1000 + static_cast<token_t>(round);
        ResumeInfo current;
        ASSERT_TRUE(store.getResumeInfoFromResumeId(task.resume_id, current));
        current.token = token;
        current.local_state = ResumeInfo::RI_RUNNING;
        current.progress = 5;
        store.updateInfo(current);

        PObject header;
        header["command"] = static_cast<uint32_t>(C_REPORT);
        header["report"]["token"] = token;
        header["report"]["error_code"] = static_cast<uint32_t>(round % 2 ? 9 : 8);
        ASSERT_TRUE(writeObject(link.peer, header));
        ASSERT_TRUE(controller.pumpUntil([&] {
            ResumeInfo info;
            return store.getResumeInfoFromResumeId(task.resume_id, info) &&
                   (info.token != token || info.local_state == ResumeInfo::RI_ERROR);
        }));
        if (round == TcpReportHelper::kMaxTokenResets) {
            ResumeInfo info;
            store.getResumeInfoFromResumeId(task.resume_id, info);
            EXPECT_EQ(ResumeInfo::RI_ERROR, info.local_state);
        } else {
            ResumeInfo info;
            store.getResumeInfoFromResumeId(task.resume_id, info);
            EXPECT_EQ(ResumeInfo::RI_WAITING, info.local_state);
            EXPECT_EQ(0u, info.progress);
            EXPECT_EQ(ProjectVardo::ERR_OK, info.error);
        }
    }
    ResumeInfo last;
    ASSERT_TRUE(store.getResumeInfoFromResumeId(task.resume_id, last));
    EXPECT_EQ(ResumeInfo::RI_ERROR, last.local_state);
    EXPECT_EQ(ProjectVardo::ERR_INVALID_TOKEN + (TcpReportHelper::kMaxTokenResets % 2),
              last.error);
}

TEST(TcpReportRole, FragmentsOutsideTheFileAreNotTrusted)
{
    TestController controller;
    VardoCoreManager& store = *controller.getManager();
    ResumeInfo task;
    task.peer_id = 1;
    task.command = C_PUSH;
    task.total = 100;
    task.token = 77;
    task.local_state = ResumeInfo::RI_RUNNING;
    store.updateInfo(task);

    ReportLink link(controller);
    PObject header;
    header["command"] = static_cast<uint32_t>(C_REPORT);
    PObject::array_type& reported = header["report"]["fragments"].asArray();
    const uint64_t ranges[][2] = {{0, 10}, {50, 40}, {90, 101}, {20, 30}, {~0ull - 5, ~0ull}};
    for (const auto& r : ranges) {
        PObject range;
        range["begin"] = r[0];
        range["end"] = r[1];
        reported.push_back(range);
    }
    reported.push_back(PObject("not a range"));
    header["report"]["token"] = static_cast<uint64_t>(77);
    ASSERT_TRUE(writeObject(link.peer, header));
    ASSERT_TRUE(controller.pumpUntil([&] {
        ResumeInfo info;
        return store.getResumeInfoFromResumeId(task.resume_id, info) && !info.fragments.empty();
    }));
    ResumeInfo info;
    ASSERT_TRUE(store.getResumeInfoFromResumeId(task.resume_id, info));
    const std::vector<FileFragment> expected = {{0, 10}, {20, 30}};
    EXPECT_EQ(expected, info.fragments);

    // A flood of ranges is cut to what is kept; the rest is simply sent again.
    PObject flood;
    for (uint64_t i = 0; i < 3 * TcpReportHelper::kMaxReportedFragments; ++i) {
        PObject range;
        range["begin"] = i;
        range["end"] = i + 1;
        flood.asArray().push_back(range);
    }
    EXPECT_EQ(TcpReportHelper::kMaxReportedFragments,
              TcpReportHelper::validFragments(flood, ~0ull).asArray().size());
    EXPECT_TRUE(TcpReportHelper::validFragments(PObject("x"), 10).asArray().empty());
}

// Progress write-back: ranges merge into the last fragment only, a reversed
// range changes nothing, and the store hears at most once a second unless
// the update is forced.

}  // namespace
