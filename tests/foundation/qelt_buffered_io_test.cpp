#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "bio/buffered_io.h"
#include "io/file.h"
#include "io/socket.h"
#include "qelt_test_support.h"

using qelt::BufferedIO;
using qelt::BufferedIOBase;

namespace {

using qm_test::sendAll;

std::string recvAll(int fd, size_t n)
{
    std::string out(n, '\0');
    size_t done = 0;
    while (done < n) {
        ssize_t r = ::recv(fd, out.data() + done, n - done, 0);
        if (r <= 0)
            break;
        done += static_cast<size_t>(r);
    }
    out.resize(done);
    return out;
}

class AbortingController : public qelt::BufferedIOController {
public:
    bool abort() override { return true; }
    size_t controlWriteSize(size_t n) override { return n; }
    size_t controlReadSize(size_t n) override { return n; }
    void handleAfterWrite(size_t) override {}
    void handleAfterRead(size_t) override {}
};

class CountingController : public qelt::BufferedIOController {
public:
    bool abort() override { return false; }
    size_t controlWriteSize(size_t n) override { return n; }
    size_t controlReadSize(size_t n) override { return n; }
    void handleAfterWrite(size_t n) override { written += n; }
    void handleAfterRead(size_t n) override { read += n; }
    size_t written = 0, read = 0;
};

// A loopback connection with a BufferedIO on the client end.
struct StreamOverTcp {
    StreamOverTcp()
    {
        qelt::Socket socket(pair.client);
        EXPECT_EQ(stream.load(socket), 0);
    }
    qelt_test::TcpPair pair;
    BufferedIO stream;
};

qelt::File openFile(const std::string& path, int flags = O_RDWR | O_CREAT)
{
    return qelt::File(::open(path.c_str(), flags | O_CLOEXEC, 0600));
}

TEST(QeltBufferedIO, MixedReadSizesDeliverTheStreamIntact)
{
    StreamOverTcp t;
    const std::string data = qelt_test::patternBytes(300000, 1);
    std::thread peer([&] { sendAll(t.pair.server, data); });
    std::string got;
    char buf[100000];
    EXPECT_EQ(t.stream.read(buf, 0), 0u);
    for (size_t piece : {1, 7, 8191, 8192, 100000, 3}) {
        ASSERT_EQ(t.stream.read(buf, piece), piece);
        got.append(buf, piece);
    }
    size_t rest = data.size() - got.size();
    std::string tail(rest, '\0');
    ASSERT_EQ(t.stream.read(tail.data(), rest), rest);
    got += tail;
    peer.join();
    EXPECT_EQ(got, data);
    EXPECT_EQ(t.stream.error(), BufferedIOBase::error_none);
}

TEST(QeltBufferedIO, WritesAreHeldUntilFlushUnlessTooBigForTheBuffer)
{
    StreamOverTcp t;
    const std::string small = qelt_test::patternBytes(100, 2);
    const std::string big = qelt_test::patternBytes(20000, 3);
    ASSERT_EQ(t.stream.write(small.data(), small.size()), small.size());
    char probe;
    EXPECT_EQ(::recv(t.pair.server, &probe, 1, MSG_DONTWAIT), -1) << "small writes wait in the buffer";
    // Too big for the free part: the buffer is flushed first, then the block goes straight out.
    ASSERT_EQ(t.stream.write(big.data(), big.size()), big.size());
    EXPECT_EQ(recvAll(t.pair.server, small.size() + big.size()), small + big);
    EXPECT_EQ(t.stream.flush(), 0);
}

TEST(QeltBufferedIO, PeerCloseReturnsWhatArrivedAndStopsReading)
{
    StreamOverTcp t;
    sendAll(t.pair.server, "0123456789");
    ::shutdown(t.pair.server, SHUT_WR);
    char buf[100];
    EXPECT_EQ(t.stream.read(buf, sizeof buf), 10u);
    EXPECT_EQ(std::string(buf, 10), "0123456789");
    EXPECT_FALSE(t.stream.isGoodToRead());
    EXPECT_TRUE(t.stream.isGoodToWrite());
}

TEST(QeltBufferedIO, IdleTimeoutAndAbortEndAWait)
{
    StreamOverTcp t;
    t.stream.setTimeout(1);
    char buf[4];
    EXPECT_EQ(t.stream.read(buf, sizeof buf), 0u);
    EXPECT_EQ(t.stream.error(), BufferedIOBase::error_timeout);

    StreamOverTcp u;
    AbortingController abortNow;
    u.stream.setController(&abortNow);
    EXPECT_EQ(u.stream.read(buf, sizeof buf), 0u);
    EXPECT_EQ(u.stream.error(), BufferedIOBase::error_abort);
}

TEST(QeltBufferedIO, HandoverFlushesPendingWritesAndPassesTimeoutAndController)
{
    StreamOverTcp t;
    CountingController controller;
    t.stream.setTimeout(7);
    t.stream.setController(&controller);
    ASSERT_EQ(t.stream.write("abc", 3), 3u);
    BufferedIO target;
    ASSERT_EQ(t.stream.handoverTo(target), 0);
    EXPECT_EQ(recvAll(t.pair.server, 3), "abc");
    EXPECT_EQ(controller.written, 3u);
    EXPECT_EQ(target.timeout(), 7u);
    EXPECT_EQ(target.controller(), &controller);
    EXPECT_TRUE(target.isGoodToWrite());
    EXPECT_FALSE(t.stream.isGoodToWrite()) << "the old stream let go of the socket";
}

// Bytes the stream already took from the socket can't reach a target that
// reads the socket afresh: the switch is refused and nothing is lost.
TEST(QeltBufferedIO, HandoverIsRefusedWhileReadAheadBytesWait)
{
    StreamOverTcp t;
    CountingController controller;
    t.stream.setController(&controller);
    sendAll(t.pair.server, "abcdef");
    char buf[6];
    ASSERT_EQ(t.stream.read(buf, 2), 2u);
    ASSERT_GT(t.stream.buffered(), 0u);
    ASSERT_EQ(t.stream.write("xyz", 3), 3u);

    BufferedIO target;
    EXPECT_EQ(t.stream.handoverTo(target), -1);
    EXPECT_EQ(target.error(), BufferedIOBase::error_invalid);
    EXPECT_EQ(target.io(), nullptr);
    EXPECT_EQ(target.controller(), nullptr) << "nothing was handed over";
    EXPECT_EQ(controller.written, 0u) << "pending writes stay pending";
    ASSERT_TRUE(t.stream.isGoodToRead());
    ASSERT_EQ(t.stream.read(buf, 4), 4u);
    EXPECT_EQ(std::string(buf, 4), "cdef");

    // Once the input is read the switch goes through.
    ASSERT_EQ(t.stream.handoverTo(target), 0);
    EXPECT_EQ(recvAll(t.pair.server, 3), "xyz");
}

TEST(QeltBufferedIO, SendfileSendsTheRegionAfterBufferedBytes)
{
    qelt_test::TempDir dir;
    const std::string content = qelt_test::patternBytes(3 * 1024 * 1024 + 77, 4);
    qelt_test::writeFile(dir.file("src"), content);
    qelt::File src = openFile(dir.file("src"), O_RDONLY);

    StreamOverTcp t;
    const uint64_t off = 12345, len = 2 * 1024 * 1024 + 5;
    std::string received;
    std::thread peer([&] { received = recvAll(t.pair.server, 3 + len); });
    ASSERT_EQ(t.stream.write("HDR", 3), 3u);
    EXPECT_EQ(t.stream.sendfile(src, off, len), static_cast<int64_t>(len));
    peer.join();
    EXPECT_EQ(received, "HDR" + content.substr(off, len));

    // A region running past the end of the file can't be sent in full.
    std::thread peer2([&] { recvAll(t.pair.server, 100); });
    EXPECT_EQ(t.stream.sendfile(src, content.size() - 100, 1000), 100);
    EXPECT_FALSE(t.stream.isGoodToWrite());
    peer2.join();
    src.close();
}

struct RecvCase {
    const char* name;
    uint64_t window; // 0 = the default 128 MiB
    size_t payload;
};

// Bytes read ahead with a header must land at the region's offset, the rest
// after them, across window boundaries, leaving the bytes before the region alone.
TEST(QeltBufferedIO, RecvfilePlacesReadAheadAndMappedBytesAtTheRegionOffset)
{
    const RecvCase cases[] = {
        {"default window", 0, 1024 * 1024 + 3},
        {"crosses three windows", 64 * 1024 + 1, 200 * 1024},
        {"shorter than the read-ahead", 0, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        qelt_test::TempDir dir;
        const std::string before(5000, 'Z');
        qelt_test::writeFile(dir.file("dst"), before);
        qelt::File dst = openFile(dir.file("dst"));
        const std::string payload = qelt_test::patternBytes(c.payload, 5);

        StreamOverTcp t;
        t.stream.setMmapWindowLength(c.window);
        std::thread peer([&] { sendAll(t.pair.server, "HEADER" + payload + "TRAILER"); });
        char header[6];
        ASSERT_EQ(t.stream.read(header, 6), 6u);
        ASSERT_GT(t.stream.buffered(), 0u) << "the header read pulled part of the payload along";
        const uint64_t off = 1000;
        EXPECT_EQ(t.stream.recvfile(dst, off, payload.size()), static_cast<int64_t>(payload.size()));
        char trailer[7];
        ASSERT_EQ(t.stream.read(trailer, 7), 7u);
        EXPECT_EQ(std::string(trailer, 7), "TRAILER");
        peer.join();

        std::string file = qelt_test::readFile(dir.file("dst"));
        std::string expected = before.substr(0, off) + payload;
        if (expected.size() < before.size())
            expected += before.substr(expected.size());
        EXPECT_EQ(file.size(), expected.size());
        EXPECT_TRUE(file == expected) << "file content differs";
        dst.close();
    }
}

// A peer that announces more than it sends must not leave a file padded to
// the announced length; an existing longer file keeps its length.
TEST(QeltBufferedIO, RecvfileGrowsTheFileOnlyByWhatArrived)
{
    const struct {
        const char* name;
        size_t existing;
    } cases[] = {{"new file", 0}, {"longer existing file", 600 * 1024}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        qelt_test::TempDir dir;
        qelt_test::writeFile(dir.file("dst"), std::string(c.existing, 'E'));
        qelt::File dst = openFile(dir.file("dst"));
        const std::string sent = qelt_test::patternBytes(300 * 1024, 6);
        StreamOverTcp t;
        std::thread peer([&] {
            sendAll(t.pair.server, sent);
            ::shutdown(t.pair.server, SHUT_WR);
        });
        const uint64_t announced = 64ull * 1024 * 1024;
        EXPECT_EQ(t.stream.recvfile(dst, 0, announced), static_cast<int64_t>(sent.size()));
        EXPECT_FALSE(t.stream.isGoodToRead());
        peer.join();
        EXPECT_EQ(static_cast<size_t>(dst.size()), std::max(c.existing, sent.size()));
        EXPECT_TRUE(qelt_test::readFile(dir.file("dst")).substr(0, sent.size()) == sent);
        dst.close();
    }
}

TEST(QeltBufferedIO, RecvfileFallsBackToCopyingWhenTheFileCannotBeMapped)
{
    qelt_test::TempDir dir;
    qelt::File dst = openFile(dir.file("dst"), O_WRONLY | O_CREAT); // write-only: no shared mapping
    const std::string payload = qelt_test::patternBytes(200000, 7);
    StreamOverTcp t;
    std::thread peer([&] { sendAll(t.pair.server, payload); });
    EXPECT_EQ(t.stream.recvfile(dst, 0, payload.size()), static_cast<int64_t>(payload.size()));
    peer.join();
    EXPECT_TRUE(qelt_test::readFile(dir.file("dst")) == payload);
    dst.close();
}

// Runs in the death-test child; exits 0 when the receive failed cleanly.
[[noreturn]] void receivePastFileSizeLimit(const std::string& path)
{
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{256 * 1024, 256 * 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    qelt::File dst = openFile(path);
    int sv[2];
    socketpair(AF_UNIX, SOCK_STREAM, 0, sv);
    std::thread peer([&] { sendAll(sv[1], qelt_test::patternBytes(1024 * 1024, 8)); ::close(sv[1]); });
    BufferedIO stream;
    qelt::Socket socket(sv[0]);
    stream.load(socket);
    int64_t r = stream.recvfile(dst, 0, 1024 * 1024);
    bool ok = r == -1 && stream.error() == BufferedIOBase::error_fbig && stream.isErrorFileTooBig();
    ::shutdown(sv[0], SHUT_RDWR);
    peer.join();
    _exit(ok ? 0 : 3);
}

// Receiving past the file size limit gives error_fbig, never a signal from a
// mapping the file system can't back. Run in a child: the limit is per process.
TEST(QeltBufferedIODeathTest, RecvfileBeyondTheFileSizeLimitIsAnError)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    qelt_test::TempDir dir;
    EXPECT_EXIT(receivePastFileSizeLimit(dir.file("dst")), ::testing::ExitedWithCode(0), "");
}

TEST(QeltBufferedIO, OverAFileTheRegionCopiesUseTheGenericLoop)
{
    qelt_test::TempDir dir;
    const std::string content = qelt_test::patternBytes(250000, 9);
    qelt_test::writeFile(dir.file("src"), content);
    qelt::File src = openFile(dir.file("src"), O_RDONLY);
    qelt::File out = openFile(dir.file("out"));
    BufferedIO stream;
    ASSERT_EQ(stream.load(out), 0);
    EXPECT_EQ(stream.sendfile(src, 1000, 200000), 200000);
    EXPECT_EQ(stream.flush(), 0);
    EXPECT_TRUE(qelt_test::readFile(dir.file("out")) == content.substr(1000, 200000));

    // And back: the stream (positioned on "out") fills a region of another file.
    qelt::File back = openFile(dir.file("back"));
    ASSERT_EQ(out.seek(0), 0);
    BufferedIO reader;
    ASSERT_EQ(reader.load(out), 0);
    EXPECT_EQ(reader.recvfile(back, 10, 200000), 200000);
    EXPECT_TRUE(qelt_test::readFile(dir.file("back")) == std::string(10, '\0') + content.substr(1000, 200000));

    BufferedIO unloaded;
    EXPECT_EQ(unloaded.recvfile(back, 0, 1), -1);
    EXPECT_EQ(unloaded.error(), BufferedIOBase::error_invalid);
    src.close();
    out.close();
    back.close();
}

} // namespace
