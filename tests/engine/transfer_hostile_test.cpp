// A server that is not trusted: what it may push to or pull from the client.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_server.h"
#include "kavelin/error-code.h"
#include "kavelin/transfer-service.h"
#include "transfer_e2e_support.h"

using e2e::Loopback;

namespace {

const e2e::Mode kPlain = {"plain", false, false};

// Queues a task in the server's own store, as a hostile server would.
uint64_t serverTask(Loopback& loop, Command command, const std::string& from, const std::string& to,
                    uint64_t total)
{
    ResumeInfo task;
    task.peer_id = loop.serverPeerId();
    task.command = command;
    task.path_from = from;
    task.path_to = to;
    task.total = total;
    loop.server().Store().updateInfo(task);
    loop.server().Service().notifyNew(loop.serverPeerId());
    return task.resume_id;
}

bool serverTaskFailsWith(Loopback& loop, uint64_t id, int32_t error)
{
    return Loopback::waitUntil(
        [&] {
            ResumeInfo info;
            return loop.server().Store().getResumeInfoFromResumeId(id, info) &&
                   info.local_state == ResumeInfo::RI_ERROR && info.error == error;
        },
        60000);
}

TEST(HostileServer, PushForNoDownloadOfOursLeavesNothingBehind)
{
    Loopback loop(kPlain);
    ASSERT_TRUE(loop.connected());
    e2e::writeRandomFile(loop.sharePath("payload"), 200000, 9);
    // The header names a destination of the server's choosing.
    const uint64_t id = serverTask(loop, C_PUSH, loop.sharePath("payload"), loop.localPath("planted"), 200000);

    // Refused as an invalid token each time; the server's retries are bounded.
    ASSERT_TRUE(serverTaskFailsWith(loop, id, ProjectVardo::ERR_INVALID_TOKEN));
    EXPECT_FALSE(e2e::fileExists(loop.localPath("planted")));
    EXPECT_TRUE(e2e::listFolder(loop.localPath("")).empty());

    // The connection survived the refusals: a real download still works.
    e2e::writeRandomFile(loop.sharePath("wanted"), 5000, 10);
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone(loop.download({"wanted"}), done));
    EXPECT_EQ(e2e::sha256File(loop.sharePath("wanted")), e2e::sha256File(loop.localPath("wanted")));
}

TEST(HostileServer, PullOfAnArbitraryClientFileIsRefused)
{
    Loopback loop(kPlain);
    ASSERT_TRUE(loop.connected());
    e2e::writeFile(loop.localPath("secret"), "do not send");
    const uint64_t id = serverTask(loop, C_PULL, loop.localPath("secret"), loop.sharePath("stolen"), 0);

    ASSERT_TRUE(serverTaskFailsWith(loop, id, ProjectVardo::ERR_NO_PERM));
    EXPECT_FALSE(e2e::fileExists(loop.sharePath("stolen")));
}

}  // namespace
