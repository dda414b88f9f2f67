// Temporary files of the receiving end are not left to the user: not by a
// download that fails, not by an earlier run of the receiver.
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kavelin/error-code.h"
#include "kavelin/receipt-leftovers.h"
#include "kavelin/transfer-types.h"
#include "transfer_e2e_support.h"

using e2e::Loopback;

namespace {

const e2e::Mode kPlain = {"plain", false, false};

std::vector<std::string> temporaryFiles(const std::string& folder)
{
    std::vector<std::string> found;
    for (const std::string& name : e2e::listFolder(folder))
        if (name.size() > 7 && name.compare(name.size() - 7, 7, ".vexofm") == 0)
            found.push_back(name);
    return found;
}

TEST(ReceiptLeftovers, TemporaryNamesAreRecognisedExactly)
{
    struct Row {
        const char* name;
        bool temporary;
    };
    const Row rows[] = {
        {"big.bin-VW2WtNz7.vexofm", true},
        {"big.bin-a_b-C9z0.vexofm", true},
        {"big.bin-VW2WtNz.vexofm", false},
        {"big.bin-VW2WtNz7.vexofmx", false},
        {"big.bin.VW2WtNz7.vexofm", false},
        {"big.bin-VW2W.Nz7.vexofm", false},
        {"other.bin-VW2WtNz7.vexofm", false},
        {"big.bin", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.temporary, ReceiptLeftovers::isTemporaryName(row.name, "big.bin")) << row.name;
}

// A download that ends failed part-way removes what it received.
TEST(ReceiptLeftovers, FailedDownloadRemovesItsTemporaryFile)
{
    Loopback loop(kPlain, 3, 0, 8192);
    ASSERT_TRUE(loop.connected());
    const uint64_t size = 16u * 1024 * 1024;
    e2e::writeRandomFile(loop.sharePath("gone.bin"), size, 3);
    const uint64_t id = loop.download({"gone.bin"}).front();
    ASSERT_TRUE(loop.waitTask(id, [](const ResumeInfo& i) { return i.progress >= 2u * 1024 * 1024; }));
    ASSERT_EQ(1u, temporaryFiles(loop.localPath("")).size());

    // The file goes away on the server and the connection breaks: the
    // download asked for again finds no file.
    ASSERT_EQ(0, ::unlink(loop.sharePath("gone.bin").c_str()));
    for (int fd : loop.dataSockets(TRANSFER_USE_PASSIVE))
        shutdown(fd, SHUT_RDWR);

    // The failed state and the dropped receipt are stored in two steps:
    // wait for both, then check what the user is left with.
    ASSERT_TRUE(loop.waitTask(id, [](const ResumeInfo& i) {
        return i.local_state == ResumeInfo::RI_ERROR && i.temp_path.empty() && i.progress == 0;
    }));
    ResumeInfo failed;
    ASSERT_TRUE(loop.client().getResumeInfoFromResumeId(id, failed));
    EXPECT_EQ(ProjectVardo::ERR_NO_SUCH_FILE, failed.error);
    EXPECT_TRUE(temporaryFiles(loop.localPath("")).empty());
    EXPECT_TRUE(failed.temp_path.empty());
    EXPECT_EQ(0u, failed.progress);
    EXPECT_FALSE(e2e::fileExists(loop.localPath("gone.bin")));
}

// A download whose name the local file system refuses (one byte over the
// longest name) ends failed with the system error, and what it received
// does not stay behind under a temporary name.
TEST(ReceiptLeftovers, DownloadToARefusedNameFailsWithoutLeftovers)
{
    Loopback loop(kPlain);
    ASSERT_TRUE(loop.connected());
    e2e::writeRandomFile(loop.sharePath("named.bin"), 256 * 1024, 4);

    ResumeInfo task;
    task.peer_id = loop.peerId();
    task.command = C_PULL;
    task.path_from = "/share/named.bin";
    task.path_to = loop.localPath(std::string(256, 'n'));
    loop.client().updateInfo(task);
    loop.clientService().notifyNew(loop.peerId());

    ASSERT_TRUE(loop.waitTask(task.resume_id,
                              [](const ResumeInfo& i) { return i.local_state == ResumeInfo::RI_ERROR; }));
    ResumeInfo failed;
    ASSERT_TRUE(loop.client().getResumeInfoFromResumeId(task.resume_id, failed));
    EXPECT_EQ(ProjectVardo::ERR_SYS, failed.error);
    EXPECT_TRUE(temporaryFiles(loop.localPath("")).empty());
    EXPECT_TRUE(e2e::listFolder(loop.localPath("")).empty());
}

// An upload whose push broke with an earlier run of the server asks the
// restarted server what it holds; the temporary file the old run left is
// of no known version and goes, and the upload arrives whole.
TEST(ReceiptLeftovers, RestartedReceiverRemovesWhatAnEarlierRunLeft)
{
    Loopback loop(kPlain);
    ASSERT_TRUE(loop.connected());
    const uint64_t size = 3u * 1024 * 1024 + 5;
    e2e::writeRandomFile(loop.localPath("big24.bin"), size, 9);
    e2e::writeRandomFile(loop.sharePath("big24.bin-VW2WtNz7.vexofm"), 1024 * 1024, 10);
    e2e::writeFile(loop.sharePath("other.bin-VW2WtNz7.vexofm"), "not ours");

    ResumeInfo task;
    task.peer_id = loop.peerId();
    task.command = C_PUSH;
    task.path_from = loop.localPath("big24.bin");
    task.path_to = "/share/big24.bin";
    task.total = size;
    task.mtime = e2e::fileMtimeUs(loop.localPath("big24.bin"));
    // What the broken push left on this side: bytes sent, none confirmed.
    task.progress = 1024 * 1024;
    task.error = ProjectVardo::ERR_IO;
    loop.client().updateInfo(task);
    loop.clientService().notifyNew(loop.peerId());

    std::vector<ResumeInfo> done;
    ASSERT_TRUE(loop.waitDone({task.resume_id}, done));
    ASSERT_EQ(1u, done.size());
    EXPECT_EQ(ResumeInfo::RI_DONE, done[0].local_state);
    EXPECT_EQ(e2e::sha256File(loop.localPath("big24.bin")), e2e::sha256File(loop.sharePath("big24.bin")));
    EXPECT_EQ(std::vector<std::string>{"other.bin-VW2WtNz7.vexofm"}, temporaryFiles(loop.sharePath("")));
}

} // namespace
