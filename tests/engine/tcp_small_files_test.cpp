// Small files that reach a receiving connection back to back: several are
// finished in one wake-up, and each is announced (recorded done, reported)
// only once it is under its own name, in the order the files came, and
// before anything that follows a failure of the connection.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "kavelin/error-code.h"
#include "kavelin/file-finisher.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/vardo-core-manager.h"
#include "engine/tcp_transfer_test_support.h"
#include "protocol/pobject.h"
#include "support/temp_dir.h"

namespace {

using namespace tcp_transfer_test;

const uint64_t kPeer = 5;
const size_t kFileSize = 4096;

class CountingTransfer : public TcpTransfer {
public:
    using TcpTransfer::TcpTransfer;
    int handleRead() override
    {
        ++reads;
        return TcpTransfer::handleRead();
    }
    int reads = 0;
};

// What the receiver had done when each report left, and when it asked its
// sending role to pull downloads again.
// Received files are finished on the finisher's thread, as in the service.
class WatchingController : public TestController {
public:
    FileFinisher* getFileFinisher() override { return &finisher; }
    void pushReport(uint64_t peer_id, PObject& report) override
    {
        const uint64_t token = report["token"].asUInt64();
        for (size_t i = 0; i < tokens.size() && report.hasMember("status"); ++i)
            if (tokens[i] == token)
                in_place_at_report.push_back(qm_test::readFile(destinations[i]) == contents[i]);
        TestController::pushReport(peer_id, report);
    }
    void controlPeerWrite(uint64_t, bool, TransferUse use) override
    {
        if (use != TRANSFER_USE_ACTIVE)
            return;
        size_t running = 0;
        for (uint64_t token : tokens) {
            ResumeInfo info;
            if (getManager()->getResumeInfoFromToken(token, info) && info.local_state == ResumeInfo::RI_RUNNING)
                ++running;
        }
        running_at_pull_again.push_back(running);
    }

    std::vector<uint64_t> tokens;
    std::vector<std::string> destinations;
    std::vector<std::string> contents;
    std::vector<bool> in_place_at_report;
    std::vector<size_t> running_at_pull_again;
    FileFinisher finisher{getEventBase()};
};

std::string patterned(size_t size, uint32_t seed)
{
    std::string content(size, '\0');
    for (char& c : content) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 24);
    }
    return content;
}

// count running downloads of the peer, each with its source file written.
void addDownloads(WatchingController& controller, const qm_test::TempDir& dir, size_t count)
{
    VardoCoreManager& store = *controller.getManager();
    store.setPeerSeed(kPeer, 0x1234567);
    uint64_t seed = 0;
    ASSERT_TRUE(store.takeTransferSeed(kPeer, seed));
    for (size_t i = 0; i < count; ++i) {
        controller.contents.push_back(patterned(kFileSize, static_cast<uint32_t>(i + 1)));
        ASSERT_TRUE(qm_test::writeFile(dir.file("source" + std::to_string(i)), controller.contents.back()));
        controller.destinations.push_back(dir.file("f" + std::to_string(i)));
        ResumeInfo task;
        task.peer_id = kPeer;
        task.command = C_PULL;
        task.total = kFileSize;
        task.path_from = "/share/f" + std::to_string(i);
        task.path_to = controller.destinations.back();
        store.updateInfo(task);
    }
    for (size_t i = 0; i < count; ++i) {
        ResumeInfo running;
        ASSERT_TRUE(store.getNextWaitingInfo(seed, 0, running));
        controller.tokens.push_back(running.token);
    }
}

PObject pushHeader(const WatchingController& controller, size_t i)
{
    PObject header;
    header["token"] = static_cast<uint64_t>(controller.tokens[i]);
    header["command"] = static_cast<uint64_t>(C_PUSH);
    header["mtime"] = static_cast<uint64_t>(0);
    header["offset"] = static_cast<uint64_t>(0);
    header["length"] = static_cast<uint64_t>(kFileSize);
    header["ea_size"] = 0u;
    header["path"] = controller.destinations[i];
    header["from_path"] = "/share/f" + std::to_string(i);
    return header;
}

PObject fileObject(const qm_test::TempDir& dir, size_t i)
{
    PObject::binary_type region;
    region.offset = 0;
    region.length = kFileSize;
    region.path = dir.file("source" + std::to_string(i));
    PObject file;
    file["file"]["data"] = region;
    return file;
}

std::unique_ptr<CountingTransfer> receivingEnd(WatchingController& controller, const Listener& listener)
{
    std::unique_ptr<CountingTransfer> t(new CountingTransfer(&controller));
    t->setTransferSide(TRANSFER_SIDE_CLIENT);
    t->setPeerId(kPeer);
    t->setExpectedUse(TRANSFER_USE_PASSIVE);
    EXPECT_EQ(0, t->accept(listener.fd));
    t->changeHelper(TRANSFER_USE_PASSIVE);
    return t;
}

TEST(SmallFilesInARow, SeveralFinishInOneWakeupEachAnnouncedInOrderOnceInPlace)
{
    const size_t kFiles = 12;
    qm_test::TempDir dir("small-files");
    WatchingController controller;
    addDownloads(controller, dir, kFiles);
    Listener listener;
    const int peer = connectTo(listener.port);
    std::unique_ptr<CountingTransfer> t = receivingEnd(controller, listener);
    // Everything is on the socket before the receiving end first wakes.
    for (size_t i = 0; i < kFiles; ++i) {
        ASSERT_TRUE(writeObject(peer, pushHeader(controller, i)));
        ASSERT_TRUE(writeObject(peer, fileObject(dir, i)));
    }

    ASSERT_TRUE(controller.pumpUntil([&] { return controller.reports.size() == kFiles; }));
    EXPECT_LT(t->reads, static_cast<int>(kFiles)) << "every file took a wake-up of its own";
    for (size_t i = 0; i < kFiles; ++i) {
        EXPECT_EQ(controller.tokens[i], controller.reports[i]["token"].asUInt64()) << i;
        EXPECT_EQ("done", controller.reports[i]["status"].asString()) << i;
        EXPECT_TRUE(qm_test::readFile(controller.destinations[i]) == controller.contents[i]) << i;
    }
    EXPECT_EQ(std::vector<bool>(kFiles, true), controller.in_place_at_report);
    std::vector<ResumeInfo> done;
    controller.getManager()->consumeDoneTasks(done);
    EXPECT_EQ(kFiles, done.size());
    EXPECT_FALSE(t->isAborted());
    ::close(peer);
}

// The connection breaks after two whole files and the header of a third:
// the two are done before the failure asks for the downloads it cut off.
TEST(SmallFilesInARow, FilesFinishedBeforeABreakAreDoneBeforeDownloadsArePulledAgain)
{
    qm_test::TempDir dir("small-files-break");
    WatchingController controller;
    addDownloads(controller, dir, 3);
    Listener listener;
    const int peer = connectTo(listener.port);
    std::unique_ptr<CountingTransfer> t = receivingEnd(controller, listener);
    for (size_t i = 0; i < 2; ++i) {
        ASSERT_TRUE(writeObject(peer, pushHeader(controller, i)));
        ASSERT_TRUE(writeObject(peer, fileObject(dir, i)));
    }
    ASSERT_TRUE(writeObject(peer, pushHeader(controller, 2)));
    ::close(peer);

    ASSERT_TRUE(controller.pumpUntil([&] { return t->isAborted(); }));
    ASSERT_GE(controller.reports.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(controller.tokens[i], controller.reports[i]["token"].asUInt64()) << i;
        EXPECT_EQ("done", controller.reports[i]["status"].asString()) << i;
        EXPECT_TRUE(qm_test::readFile(controller.destinations[i]) == controller.contents[i]) << i;
    }
    // Only the cut-off download may still be running when the failure asks
    // for downloads again.
    ASSERT_FALSE(controller.running_at_pull_again.empty());
    EXPECT_EQ(1u, controller.running_at_pull_again.back());
    ResumeInfo cut;
    ASSERT_TRUE(controller.getManager()->getResumeInfoFromToken(controller.tokens[2], cut));
    EXPECT_NE(ResumeInfo::RI_DONE, cut.local_state);
}

// One file of a wake-up cannot take its name (a folder holds it): that task
// fails, its temporary file goes, the other end hears of the error, and the
// files before and after it are done on the same connection.
TEST(SmallFilesInARow, AFileThatCannotTakeItsNameFailsAloneAndTheOthersAreDone)
{
    qm_test::TempDir dir("small-files-blocked");
    WatchingController controller;
    addDownloads(controller, dir, 3);
    ASSERT_EQ(0, ::mkdir(controller.destinations[1].c_str(), 0755));
    ASSERT_TRUE(qm_test::writeFile(controller.destinations[1] + "/inside", "x"));
    Listener listener;
    const int peer = connectTo(listener.port);
    std::unique_ptr<CountingTransfer> t = receivingEnd(controller, listener);
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_TRUE(writeObject(peer, pushHeader(controller, i)));
        ASSERT_TRUE(writeObject(peer, fileObject(dir, i)));
    }

    ASSERT_TRUE(controller.pumpUntil([&] { return controller.reports.size() == 3; }));
    for (size_t i : {0u, 2u}) {
        EXPECT_EQ(controller.tokens[i], controller.reports[i]["token"].asUInt64()) << i;
        EXPECT_EQ("done", controller.reports[i]["status"].asString()) << i;
        EXPECT_TRUE(qm_test::readFile(controller.destinations[i]) == controller.contents[i]) << i;
    }
    EXPECT_EQ(controller.tokens[1], controller.reports[1]["token"].asUInt64());
    EXPECT_EQ(static_cast<uint64_t>(ProjectVardo::ERR_TEMP_LOST), controller.reports[1]["error_code"].asUInt64());
    EXPECT_FALSE(controller.reports[1].hasMember("status"));
    ResumeInfo failed;
    ASSERT_TRUE(controller.getManager()->getResumeInfoFromToken(controller.tokens[1], failed));
    EXPECT_EQ(ResumeInfo::RI_ERROR, failed.local_state);
    EXPECT_EQ(static_cast<int>(ProjectVardo::ERR_TEMP_LOST), static_cast<int>(failed.error));
    EXPECT_EQ("x", qm_test::readFile(controller.destinations[1] + "/inside"));
    std::vector<ResumeInfo> done;
    controller.getManager()->consumeDoneTasks(done);
    EXPECT_EQ(2u, done.size());
    for (const ResumeInfo& info : done)
        EXPECT_TRUE(info.temp_path.empty()) << info.path_to.c_str_utf8();
    DIR* listing = ::opendir(dir.path().c_str());
    ASSERT_NE(nullptr, listing);
    while (const dirent* entry = ::readdir(listing))
        EXPECT_EQ(std::string::npos, std::string(entry->d_name).find(".vexofm")) << entry->d_name;
    ::closedir(listing);
    EXPECT_FALSE(t->isAborted());
    ::close(peer);
}

}  // namespace
