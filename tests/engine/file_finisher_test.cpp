// Received files finished off the service thread: each is under its name
// with its contents when its announcement runs, announcements run on the
// service thread in the order the batches were handed over, a file is
// "finishing" until then, and settling or stopping announces everything
// handed over without the loop's help.
#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <event2/event.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "kavelin/file-finisher.h"
#include "support/temp_dir.h"

namespace {

struct EventBaseFree {
    void operator()(event_base* base) const { event_base_free(base); }
};

class FileFinisherTest : public ::testing::Test {
protected:
    struct Seen {
        std::string what;
        bool on_service_thread;
        bool in_place;
    };

    // A received file "name" (its temporary copy, open) in a batch whose
    // announcement notes what it finds.
    void addReceived(FinishedFileBatch& batch, const std::string& name)
    {
        const std::string temp = dir.file(name + ".part");
        ASSERT_TRUE(qm_test::writeFile(temp, "contents of " + name));
        const int fd = ::open(temp.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        batch.addFile(
            fd, temp, dir.file(name), [this, name] { note("done " + name, name); },
            [this, name](int error, bool) { note("failed " + name + " " + std::to_string(error), name); });
    }

    void note(const std::string& what, const std::string& name)
    {
        const bool in_place = qm_test::readFile(dir.file(name)) == "contents of " + name &&
                              ::access(dir.file(name + ".part").c_str(), F_OK) != 0;
        seen.push_back(Seen{what, std::this_thread::get_id() == service_thread, in_place});
    }

    // Runs the loop until count announcements have run.
    void runLoopUntil(size_t count)
    {
        while (seen.size() < count)
            ASSERT_EQ(0, event_base_loop(base.get(), EVLOOP_ONCE));
    }

    std::vector<std::string> whats() const
    {
        std::vector<std::string> out;
        for (const Seen& s : seen)
            out.push_back(s.what);
        return out;
    }

    qm_test::TempDir dir{"file-finisher"};
    std::unique_ptr<event_base, EventBaseFree> base{event_base_new()};
    std::thread::id service_thread = std::this_thread::get_id();
    std::vector<Seen> seen;
};

TEST_F(FileFinisherTest, AnnouncesOnTheServiceThreadInOrderOnceEachFileIsInPlace)
{
    FileFinisher finisher(base.get());
    const uint64_t peer = 7;
    std::vector<std::vector<std::string>> batches = {{"a1", "a2", "a3"}, {"b1"}, {"c1", "c2"}};
    std::vector<std::string> expected;
    uint64_t token = 100;
    for (const std::vector<std::string>& names : batches) {
        FinishedFileBatch batch;
        std::vector<FileFinisher::FileKey> keys;
        for (const std::string& name : names) {
            addReceived(batch, name);
            keys.emplace_back(peer, ++token);
            expected.push_back("done " + name);
        }
        batch.add(std::string(), [this] { seen.push_back(Seen{"report", true, true}); });
        expected.push_back("report");
        finisher.hand(batch, keys);
        EXPECT_TRUE(batch.empty());
    }
    EXPECT_TRUE(finisher.isFinishing(peer, 101));
    EXPECT_TRUE(finisher.isFinishing(peer, 106));
    EXPECT_FALSE(finisher.isFinishing(peer + 1, 101));

    runLoopUntil(expected.size());
    EXPECT_EQ(expected, whats());
    for (const Seen& s : seen) {
        EXPECT_TRUE(s.on_service_thread) << s.what;
        EXPECT_TRUE(s.in_place) << s.what;
    }
    EXPECT_FALSE(finisher.isFinishing(peer, 101));
    EXPECT_FALSE(finisher.isFinishing(peer, 106));
}

TEST_F(FileFinisherTest, AFileThatCannotBeSyncedFailsAloneOnTheServiceThread)
{
    FileFinisher finisher(base.get());
    int pipe_fds[2];
    ASSERT_EQ(0, ::pipe(pipe_fds));
    FinishedFileBatch batch;
    addReceived(batch, "good");
    ASSERT_TRUE(qm_test::writeFile(dir.file("bad.part"), "contents of bad"));
    // A pipe cannot be synced: it stands for a file whose sync fails.
    batch.addFile(
        pipe_fds[0], dir.file("bad.part"), dir.file("bad"), [this] { note("done bad", "bad"); },
        [this](int error, bool in_rename) {
            note("failed bad " + std::to_string(error) + (in_rename ? " rename" : " sync"), "bad");
        });
    finisher.hand(batch, {});
    runLoopUntil(2);
    ::close(pipe_fds[1]);

    ASSERT_EQ((std::vector<std::string>{"done good", "failed bad " + std::to_string(EINVAL) + " sync"}), whats());
    EXPECT_TRUE(seen[0].in_place);
    EXPECT_TRUE(seen[1].on_service_thread);
    EXPECT_EQ("contents of bad", qm_test::readFile(dir.file("bad.part")));
    EXPECT_NE(0, ::access(dir.file("bad").c_str(), F_OK));
}

// What a connection's failure handling, a stop, or a finisher that could not
// start rely on: everything handed over is announced when the call returns,
// without a turn of the loop.
TEST_F(FileFinisherTest, SettlingStoppingOrNoThreadAnnounceEverythingHandedOver)
{
    enum class Way { Settle, Stop, NoThread };
    for (Way way : {Way::Settle, Way::Stop, Way::NoThread}) {
        SCOPED_TRACE(static_cast<int>(way));
        seen.clear();
        const std::string name = "f" + std::to_string(static_cast<int>(way));
        {
            FileFinisher finisher(way == Way::NoThread ? nullptr : base.get());
            FinishedFileBatch batch;
            addReceived(batch, name);
            finisher.hand(batch, {FileFinisher::FileKey(1, 1)});
            if (way == Way::Settle) {
                finisher.settle();
                ASSERT_EQ(1u, seen.size());
                EXPECT_FALSE(finisher.isFinishing(1, 1));
            }
        }
        ASSERT_EQ(std::vector<std::string>{"done " + name}, whats());
        EXPECT_TRUE(seen[0].in_place);
        EXPECT_TRUE(seen[0].on_service_thread);
    }
}

// Each file handed over holds its descriptor until it is announced: past
// the bound, handing more over first settles what is held.
TEST_F(FileFinisherTest, HandingOverPastTheBoundSettlesTheFilesHeldFirst)
{
    FileFinisher finisher(base.get());
    std::vector<FileFinisher::FileKey> held, more;
    for (uint64_t token = 1; token <= FileFinisher::kMaxFilesHeld - 1; ++token)
        held.emplace_back(1, token);
    more.emplace_back(1, FileFinisher::kMaxFilesHeld);
    more.emplace_back(1, FileFinisher::kMaxFilesHeld + 1);
    FinishedFileBatch first;
    addReceived(first, "first");
    finisher.hand(first, held);
    EXPECT_TRUE(seen.empty());
    FinishedFileBatch second;
    addReceived(second, "second");
    finisher.hand(second, more);

    ASSERT_EQ(std::vector<std::string>{"done first"}, whats()) << "announced before the second was taken";
    EXPECT_TRUE(seen[0].in_place);
    EXPECT_FALSE(finisher.isFinishing(1, 1));
    EXPECT_TRUE(finisher.isFinishing(1, FileFinisher::kMaxFilesHeld));
    runLoopUntil(2);
    EXPECT_EQ((std::vector<std::string>{"done first", "done second"}), whats());
}

// A file handed over without its descriptor is opened by name to be synced;
// one that is gone fails at its rename.
TEST_F(FileFinisherTest, AFileWithoutItsDescriptorIsSyncedByNameOrFailsAtItsRename)
{
    FileFinisher finisher(base.get());
    ASSERT_TRUE(qm_test::writeFile(dir.file("named.part"), "contents of named"));
    FinishedFileBatch batch;
    for (const std::string name : {"named", "gone"})
        batch.addFile(
            -1, dir.file(name + ".part"), dir.file(name), [this, name] { note("done " + name, name); },
            [this, name](int error, bool in_rename) {
                note("failed " + name + " " + std::to_string(error) + (in_rename ? " rename" : " sync"), name);
            });
    finisher.hand(batch, {});
    runLoopUntil(2);

    EXPECT_EQ((std::vector<std::string>{"done named", "failed gone " + std::to_string(ENOENT) + " rename"}),
              whats());
    EXPECT_TRUE(seen[0].in_place);
}

}  // namespace
