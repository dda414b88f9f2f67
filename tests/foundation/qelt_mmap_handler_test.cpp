#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "io/file.h"
#include "io/mmap_handler.h"
#include "io/socket.h"
#include "qelt_test_support.h"

using qelt::MmapHandler;

namespace {

qelt::File openFile(const std::string& path, int flags = O_RDWR | O_CREAT)
{
    return qelt::File(::open(path.c_str(), flags | O_CLOEXEC, 0600));
}

TEST(QeltMmapHandler, UnalignedOffsetMapsFromThePageBelowAndFillsAtTheOffset)
{
    qelt_test::TempDir dir;
    qelt::File file = openFile(dir.file("f"));
    const uint64_t page = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    const uint64_t offset = 3 * page + 100;

    MmapHandler window;
    ASSERT_EQ(window.init(file, offset + 50, offset, MmapHandler::MODE_WRITE), 0);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(window.head()) % page, 0u);
    EXPECT_EQ(window.current() - window.head(), 100);
    EXPECT_EQ(file.size(), 0) << "opening a window reserves nothing yet";

    int sv[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, sv), 0);
    ASSERT_EQ(::send(sv[1], "0123456789", 10, 0), 10);
    qelt::Socket socket(sv[0]);
    EXPECT_EQ(window.mmap_recv(socket, 10), 10);
    EXPECT_EQ(window.filled(), 10u);
    EXPECT_EQ(window.uninit(), 0);
    EXPECT_EQ(static_cast<uint64_t>(file.size()), offset + 10) << "grown by what arrived, not to offset + 50";
    EXPECT_EQ(qelt_test::readFile(dir.file("f")).substr(offset), "0123456789");
    ::close(sv[0]);
    ::close(sv[1]);
    file.close();
}

TEST(QeltMmapHandler, ReceivingPastAWindowMovesToTheNext)
{
    qelt_test::TempDir dir;
    qelt::File file = openFile(dir.file("f"));
    const std::string data = qelt_test::patternBytes(300000, 12);
    const uint64_t offset = 777;
    int sv[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, sv), 0);
    std::thread peer([&] { ASSERT_EQ(::send(sv[1], data.data(), data.size(), 0), static_cast<ssize_t>(data.size())); });

    MmapHandler window;
    window.setWindowLength(128 * 1024); // 300000 bytes cross two boundaries
    ASSERT_EQ(window.init(file, offset + data.size(), offset, MmapHandler::MODE_WRITE), 0);
    qelt::Socket socket(sv[0]);
    size_t got = 0;
    while (got < data.size()) {
        ssize_t r = window.mmap_recv(socket, data.size() - got);
        ASSERT_GT(r, 0);
        got += static_cast<size_t>(r);
    }
    EXPECT_EQ(window.mmap_recv(socket, 1), -1) << "nothing is wanted past the region";
    EXPECT_EQ(window.uninit(), 0);
    peer.join();
    std::string file_content = qelt_test::readFile(dir.file("f"));
    EXPECT_EQ(file_content.size(), offset + data.size());
    EXPECT_TRUE(file_content.substr(offset) == data);
    ::close(sv[0]);
    ::close(sv[1]);
    file.close();
}

TEST(QeltMmapHandler, ReadWindowOfAShortFileMapsOnlyWhatExists)
{
    qelt_test::TempDir dir;
    qelt_test::writeFile(dir.file("f"), "short");
    qelt::File file = openFile(dir.file("f"), O_RDONLY);
    MmapHandler window;
    ASSERT_EQ(window.init(file, 1 << 20, 0, MmapHandler::MODE_READ), 0);
    EXPECT_EQ(std::string(window.current(), 5), "short");
    int sv[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, sv), 0);
    qelt::Socket socket(sv[0]);
    EXPECT_EQ(window.mmap_recv(socket, 1), -1) << "a read window takes no bytes";
    EXPECT_EQ(window.mmap_send(socket, 1), -1);
    EXPECT_EQ(window.init(file, 10, 5, MmapHandler::MODE_READ), -1) << "nothing exists at the end";
    ::close(sv[0]);
    ::close(sv[1]);
    file.close();
}

TEST(QeltSysSendfile, SendsFromTheOffsetAndStopsAtTheEndOfTheFile)
{
    qelt_test::TempDir dir;
    const std::string data = qelt_test::patternBytes(10000, 13);
    qelt_test::writeFile(dir.file("f"), data);
    qelt::File file = openFile(dir.file("f"), O_RDONLY);
    qelt_test::TcpPair pair;
    qelt::Socket socket(pair.client);
    EXPECT_EQ(qelt::sys_sendfile(socket, file, 0, 0), 0);
    EXPECT_EQ(qelt::sys_sendfile(socket, file, 4000, 100), 100);
    char buf[100];
    ASSERT_EQ(::recv(pair.server, buf, 100, MSG_WAITALL), 100);
    EXPECT_EQ(std::string(buf, 100), data.substr(4000, 100));
    EXPECT_EQ(qelt::sys_sendfile(socket, file, data.size(), 100), 0) << "0 = the file ended";

    // A closed peer gives EPIPE or a reset, never a SIGPIPE.
    ::close(pair.server);
    pair.server = -1;
    ssize_t r = 0;
    for (int i = 0; i < 50 && r >= 0; ++i)
        r = qelt::sys_sendfile(socket, file, 0, data.size());
    EXPECT_EQ(r, -1);
    file.close();
}

} // namespace
