// The copy hook against the block: which copies it takes as the drop, what it
// writes, and how it behaves when the block or its mutex misbehave.
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "compat/sync.h"
#include "hook_fixture.h"

using namespace hook_test;

namespace {

struct HookCase {
    const char* name;
    uint8_t version;
    uint8_t state;
    UINT operation;
    const char16_t* source;
    size_t destination_units; // 0: an ordinary destination
    UINT answer;
    uint8_t state_after;
    bool path_written;
};

std::u16string destinationOf(size_t units)
{
    if (!units)
        return kDestination;
    std::u16string text = u"/d/";
    while (text.size() < units)
        text += u'x';
    return text;
}

void PrintTo(const HookCase& c, std::ostream* os)
{
    *os << c.name;
}

class HookTable : public HookFixture, public ::testing::WithParamInterface<HookCase> {};

} // namespace

TEST_P(HookTable, Answer)
{
    const HookCase& c = GetParam();
    block.prepare(c.version, c.state);
    const std::u16string destination = destinationOf(c.destination_units);
    EXPECT_EQ(copy(c.operation, c.source, destination), c.answer);
    EXPECT_EQ(block.state(), c.state_after);
    if (c.path_written) {
        EXPECT_EQ(block.path(), destination);
        EXPECT_EQ(block.bytes()[522], 0);
        EXPECT_EQ(block.bytes()[523], 0);
    } else {
        EXPECT_TRUE(block.placeholderIntact());
    }
    EXPECT_EQ(block.bytes()[0], c.version);
}

INSTANTIATE_TEST_SUITE_P(
    Block, HookTable,
    ::testing::Values(HookCase{"version0", 0, 1, FO_COPY, kMarkerSource, 0, IDYES, 1, false},
                      HookCase{"version1", 1, 1, FO_COPY, kMarkerSource, 0, IDNO, 2, true},
                      HookCase{"version127", 127, 1, FO_COPY, kMarkerSource, 0, IDNO, 2, true},
                      HookCase{"version128", 128, 1, FO_COPY, kMarkerSource, 0, IDYES, 1, false},
                      HookCase{"version255", 255, 1, FO_COPY, kMarkerSource, 0, IDYES, 1, false},
                      HookCase{"state0", 1, 0, FO_COPY, kMarkerSource, 0, IDYES, 0, false},
                      HookCase{"state2", 1, 2, FO_COPY, kMarkerSource, 0, IDYES, 2, false},
                      HookCase{"move", 1, 1, FO_MOVE, kMarkerSource, 0, IDNO, 2, true},
                      HookCase{"delete", 1, 1, FO_DELETE, kMarkerSource, 0, IDYES, 1, false},
                      HookCase{"rename", 1, 1, FO_RENAME, kMarkerSource, 0, IDYES, 1, false},
                      HookCase{"destination260", 1, 1, FO_COPY, kMarkerSource, 260, IDNO, 2, true},
                      HookCase{"destination261", 1, 1, FO_COPY, kMarkerSource, 261, IDNO, 2, false},
                      HookCase{"usersOwnFolder", 1, 1, FO_COPY, u"/home/user/Photos", 0, IDYES, 1, false},
                      HookCase{"markerLookalike", 1, 1, FO_COPY, u"/home/user/qzdragfolderQZDF.old", 0, IDYES, 1, false},
                      HookCase{"markerTrailingSlash", 1, 1, FO_COPY, u"/data/qzdragfolderQZDF/", 0, IDNO, 2, true},
                      HookCase{"markerBackslashes", 1, 1, FO_COPY, u"C:\\data\\qzdragfolderQZDF", 0, IDNO, 2, true}),
    [](const ::testing::TestParamInfo<HookCase>& info) { return std::string(info.param.name); });

TEST_F(HookFixture, SecondCallWithin100msGoesThrough)
{
    EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDNO));
    block.prepare(1, 1);
    fakeTick() = 50099;
    EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDYES));
    EXPECT_EQ(block.state(), 1);
    fakeTick() = 50100;
    EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDNO));
    EXPECT_EQ(block.state(), 2);
}

TEST_F(HookFixture, TickThatWrappedIsNotARepeat)
{
    fakeTick() = 0xFFFFFFF0u;
    EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDNO));
    block.prepare(1, 1);
    fakeTick() = 0x10;
    EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDNO));
}

TEST_F(HookFixture, EachObjectKeepsItsOwnTick)
{
    EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDNO));
    block.prepare(1, 1);
    ICopyHookW* other = makeHook();
    ASSERT_NE(other, nullptr);
    const std::u16string source = kMarkerSource, destination = kDestination;
    EXPECT_EQ(other->CopyCallback(nullptr, FO_COPY, 0, source.c_str(), 0x10, destination.c_str(), 0x10),
              static_cast<UINT>(IDNO));
    other->Release();
}

TEST_F(HookFixture, NoBlockLetsTheCopyGo)
{
    ASSERT_TRUE(compat::unlinkNamedObject(u"VexoDndShellExtMapping"));
    EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDYES));
}

// An object shorter than the block (caught between its creation and its
// sizing, or someone else's) is never mapped: touching it would raise SIGBUS.
TEST_F(HookFixture, ShortBlockIsNotMapped)
{
    ASSERT_TRUE(compat::unlinkNamedObject(u"VexoDndShellExtMapping"));
    const std::string name = compat::ipcName(u"VexoDndShellExtMapping");
    const int fd = shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, 100), 0);
    close(fd);
    EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDYES));
}

// A block others may write, or that another user made, is not ours to trust.
TEST_F(HookFixture, ForeignBlockIsRefused)
{
    ASSERT_TRUE(compat::unlinkNamedObject(u"VexoDndShellExtMapping"));
    const std::string name = compat::ipcName(u"VexoDndShellExtMapping");
    const int fd = shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, kBlockSize), 0);
    BYTE* view = static_cast<BYTE*>(mmap(nullptr, kBlockSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
    ASSERT_NE(view, MAP_FAILED);
    view[0] = 1;
    view[1] = 1;
    ASSERT_EQ(fchmod(fd, 0666), 0);
    EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDYES));
    EXPECT_EQ(view[1], 1);
    if (geteuid() == 0) {
        // As root the test can also play another user's object.
        ASSERT_EQ(fchmod(fd, 0600), 0);
        ASSERT_EQ(fchown(fd, 65534, 65534), 0);
        fakeTick() += 1000;
        EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDYES));
        EXPECT_EQ(view[1], 1);
    }
    munmap(view, kBlockSize);
    close(fd);
}

TEST_F(HookFixture, MutexHeldByAnotherProcessLetsTheCopyGo)
{
    harness::ChildProcess holder({QM_SHELLEXT_HARNESS, "hold-mutex", "VexoDndShellExtMutex"});
    ASSERT_TRUE(holder.started());
    ASSERT_EQ(holder.readLine(), "held");
    EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDYES));
    EXPECT_EQ(block.state(), 1);
    EXPECT_TRUE(block.placeholderIntact());
    holder.closeInput();
    EXPECT_EQ(holder.wait(), 0);
    fakeTick() += 1000;
    EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDNO));
}

TEST_F(HookFixture, HolderKilledDoesNotBlockForEver)
{
    harness::ChildProcess holder({QM_SHELLEXT_HARNESS, "hold-mutex", "VexoDndShellExtMutex"});
    ASSERT_TRUE(holder.started());
    ASSERT_EQ(holder.readLine(), "held");
    holder.kill(SIGKILL);
    EXPECT_EQ(holder.wait(), 128 + SIGKILL);
    EXPECT_EQ(copy(FO_COPY, kMarkerSource, kDestination), static_cast<UINT>(IDNO));
    EXPECT_EQ(block.state(), 2);
    EXPECT_EQ(block.path(), kDestination);
}
