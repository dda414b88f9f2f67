// Named mutexes and shared memory over POSIX: per-user names, ownership
// checks, waits, and a holder that died.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "compat/sync.h"
#include "shellext_env.h"

namespace {

const char16_t kMutex[] = u"VexoDndShellExtMutex";
const char16_t kBlock[] = u"VexoDndShellExtMapping";

class CompatSync : public ::testing::Test {
protected:
    harness::ShellExtEnv env;
};

// Creates a raw object under the name, as someone else might.
int rawObject(const char16_t* name, off_t size, mode_t mode)
{
    const int fd = shm_open(compat::ipcName(name).c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    if (fd >= 0) {
        if (ftruncate(fd, size) != 0 || fchmod(fd, mode) != 0) {
            close(fd);
            return -1;
        }
    }
    return fd;
}

} // namespace

TEST_F(CompatSync, NamesArePerUserAndCarryTheSuffix)
{
    const std::string name = compat::ipcName(kMutex);
    EXPECT_EQ(name, "/VexoDndShellExtMutex-" + std::to_string(geteuid()) + "-test" + std::to_string(getpid()));
}

TEST_F(CompatSync, MutexIsSharedByNameAndRecursive)
{
    HANDLE first = CreateMutexW(nullptr, FALSE, kMutex);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    HANDLE second = CreateMutexW(nullptr, FALSE, kMutex);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(WaitForSingleObject(first, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0); // the owner may take it again

    DWORD other_thread = 0xDEAD;
    std::thread waiter([&] { other_thread = WaitForSingleObject(second, 20); });
    waiter.join();
    EXPECT_EQ(other_thread, WAIT_TIMEOUT);
    EXPECT_TRUE(ReleaseMutex(first));
    EXPECT_TRUE(ReleaseMutex(second));
    EXPECT_TRUE(CloseHandle(first));
    EXPECT_TRUE(CloseHandle(second));
    EXPECT_FALSE(CloseHandle(second));
}

TEST_F(CompatSync, HolderThatDiedGivesAnAbandonedWait)
{
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutex);
    ASSERT_NE(mutex, nullptr);
    const pid_t child = fork();
    if (child == 0) {
        HANDLE held = CreateMutexW(nullptr, FALSE, kMutex);
        _exit(held && WaitForSingleObject(held, INFINITE) == WAIT_OBJECT_0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(WaitForSingleObject(mutex, 1000), WAIT_ABANDONED);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(ReleaseMutex(mutex));
    CloseHandle(mutex);
}

TEST_F(CompatSync, ObjectsOpenToOthersAreRefused)
{
    const int fd = rawObject(kMutex, 4096, 0666);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(CreateMutexW(nullptr, FALSE, kMutex), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    close(fd);

    const int block = rawObject(kBlock, 525, 0644);
    ASSERT_GE(block, 0);
    EXPECT_EQ(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kBlock), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 525, kBlock), nullptr);
    close(block);
}

// A creator that died before it finished leaves an object that is made anew.
TEST_F(CompatSync, HalfMadeMutexIsMadeAgain)
{
    const int fd = rawObject(kMutex, 0, 0600);
    ASSERT_GE(fd, 0);
    close(fd);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutex);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

TEST_F(CompatSync, MappingsAreZeroAndNeverMappedPastTheirEnd)
{
    EXPECT_EQ(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kBlock), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    HANDLE created = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 525, kBlock);
    ASSERT_NE(created, nullptr);
    BYTE* view = static_cast<BYTE*>(MapViewOfFile(created, FILE_MAP_ALL_ACCESS, 0, 0, 525));
    ASSERT_NE(view, nullptr);
    for (size_t i = 0; i < 525; ++i)
        ASSERT_EQ(view[i], 0) << i;
    view[7] = 42;

    HANDLE opened = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kBlock);
    ASSERT_NE(opened, nullptr);
    BYTE* other = static_cast<BYTE*>(MapViewOfFile(opened, FILE_MAP_ALL_ACCESS, 0, 0, 525));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other[7], 42);
    EXPECT_EQ(MapViewOfFile(opened, FILE_MAP_ALL_ACCESS, 0, 0, 526), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(UnmapViewOfFile(other));
    EXPECT_FALSE(UnmapViewOfFile(other));
    EXPECT_TRUE(UnmapViewOfFile(view));
    CloseHandle(opened);
    CloseHandle(created);

    ASSERT_TRUE(compat::unlinkNamedObject(kBlock));
    const int fd = rawObject(kBlock, 100, 0600);
    ASSERT_GE(fd, 0);
    close(fd);
    opened = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kBlock);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(MapViewOfFile(opened, FILE_MAP_ALL_ACCESS, 0, 0, 525), nullptr);
    CloseHandle(opened);
}
