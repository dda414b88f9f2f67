// Files finished in one wake-up: none takes its name before its data is
// synced, a file that cannot be synced or renamed fails alone (and keeps
// its temporary name), and the announcements follow in the order added.
#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "kavelin/finished-file-batch.h"
#include "support/temp_dir.h"

namespace {

int openForBatch(const std::string& path)
{
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

TEST(FinishedFileBatch, AFileThatCannotBeSyncedOrRenamedFailsAloneTheOthersAreInPlaceFirst)
{
    qm_test::TempDir dir("finished-batch");
    const std::vector<std::string> names = {"good0", "unsyncable", "blocked", "good3"};
    for (const std::string& name : names)
        ASSERT_TRUE(qm_test::writeFile(dir.file(name + ".tmp"), "data of " + name));
    // A folder under the destination name of "blocked" refuses the rename.
    ASSERT_EQ(0, ::mkdir(dir.file("blocked").c_str(), 0755));
    ASSERT_TRUE(qm_test::writeFile(dir.file("blocked/inside"), "x"));
    // A pipe cannot be synced: it stands for a file whose sync fails.
    int pipe_fds[2];
    ASSERT_EQ(0, ::pipe(pipe_fds));

    std::vector<std::string> events;
    bool good_in_place_at_first_event = false;
    FinishedFileBatch batch;
    for (const std::string& name : names) {
        const int fd = name == "unsyncable" ? pipe_fds[0] : openForBatch(dir.file(name + ".tmp"));
        ASSERT_GE(fd, 0);
        batch.addFile(
            fd, dir.file(name + ".tmp"), dir.file(name),
            [&, name] {
                if (events.empty())
                    good_in_place_at_first_event = qm_test::readFile(dir.file("good0")) == "data of good0" &&
                                                   qm_test::readFile(dir.file("good3")) == "data of good3";
                events.push_back("done " + name);
            },
            [&, name](int error, bool in_rename) {
                events.push_back("failed " + name + " " + std::to_string(error) + (in_rename ? " rename" : " sync"));
            });
    }
    batch.add(std::string(), [&] { events.push_back("report"); });
    EXPECT_FALSE(batch.empty());
    batch.flush();
    ::close(pipe_fds[1]);

    EXPECT_TRUE(batch.empty());
    const std::vector<std::string> expected = {
        "done good0", "failed unsyncable " + std::to_string(EINVAL) + " sync",
        "failed blocked " + std::to_string(EISDIR) + " rename", "done good3", "report"};
    EXPECT_EQ(expected, events);
    EXPECT_TRUE(good_in_place_at_first_event);
    // The failed files keep their temporary names; nothing took the place of
    // the unsynced file's destination or of the folder.
    EXPECT_EQ("data of unsyncable", qm_test::readFile(dir.file("unsyncable.tmp")));
    EXPECT_NE(0, ::access(dir.file("unsyncable").c_str(), F_OK));
    EXPECT_EQ("data of blocked", qm_test::readFile(dir.file("blocked.tmp")));
    EXPECT_EQ("x", qm_test::readFile(dir.file("blocked/inside")));
    EXPECT_NE(0, ::access(dir.file("good0.tmp").c_str(), F_OK));
    // The batch closed every descriptor it was given, the pipe's among them.
    EXPECT_EQ(-1, ::fcntl(pipe_fds[0], F_GETFD));
}

}  // namespace
