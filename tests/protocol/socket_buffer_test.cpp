#include "file_mapping_buffer.h"
#include "memory_buffer.h"
#include "socket_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "lz4-processor.h"
#include "psocket_stream_harness.h"

using sockstream_test::TempDir;
using sockstream_test::makeContent;
using sockstream_test::readFile;
using sockstream_test::writeFile;

namespace {

struct SocketPair {
    SocketPair()
    {
        socketpair(AF_UNIX, SOCK_STREAM, 0, fd);
        for (int s : fd)
            fcntl(s, F_SETFL, fcntl(s, F_GETFL) | O_NONBLOCK);
    }
    ~SocketPair()
    {
        close(fd[0]);
        close(fd[1]);
    }
    std::string readAll()
    {
        std::string out;
        char chunk[4096];
        ssize_t n;
        while ((n = recv(fd[1], chunk, sizeof(chunk), 0)) > 0)
            out.append(chunk, static_cast<size_t>(n));
        return out;
    }
    int fd[2];
};

// A ring of 8 bytes whose head sits at offset 6, holding "abcde" wrapped.
void makeWrapped(MemoryBuffer& b)
{
    b.head = b.data + 6;
    b.copyFrom("abcde", 5);
}

} // namespace

TEST(SocketBuffer, IntegersAreBigEndian)
{
    MemoryBuffer b(16);
    EXPECT_EQ(3, b.writeInt(65536, 3));
    EXPECT_EQ(std::string("\x01\x00\x00", 3), std::string(b.head, 3));
    b.clear();
    b.copyFrom("\x00\x00\x00\x00\x00\x01\x00\x00", 8);
    EXPECT_EQ(65536u, b.readInt(8));
    EXPECT_EQ(0u, b.size);
}

TEST(SocketBuffer, WrappedBytesKeepRingOrder)
{
    {
        MemoryBuffer b(8);
        makeWrapped(b);
        char out[5];
        b.copyTo(out, 5);
        EXPECT_EQ("abcde", std::string(out, 5));
    }
    {
        MemoryBuffer b(8);
        makeWrapped(b);
        b.discard(1);
        EXPECT_EQ(0x62636465u, b.readInt(4)); // "bcde" across the end of the block
    }
    {
        MemoryBuffer b(8);
        makeWrapped(b);
        ASSERT_EQ(0, b.reserve(32)); // moves the bytes to the start in order
        EXPECT_EQ(b.data, b.head);
        EXPECT_EQ("abcde", std::string(b.head, 5));
        EXPECT_EQ(32u, b.capacity);
    }
    {
        MemoryBuffer b(8);
        makeWrapped(b);
        b.discard(100);
        EXPECT_EQ(0u, b.size);
        EXPECT_EQ(b.data, b.head);
    }
    {
        // Sent in ring order, at most up to the end of the block per call.
        SocketPair pair;
        MemoryBuffer b(8);
        makeWrapped(b);
        b.setSocket(pair.fd[0]);
        EXPECT_EQ(2, b.ringSend(100));
        EXPECT_EQ(3, b.ringSend(100));
        EXPECT_EQ(0, b.ringSend(100)); // "null write?"
        EXPECT_EQ("abcde", pair.readAll());
    }
}

TEST(SocketBuffer, ReceiveCompactsAndStopsWhenFull)
{
    SocketPair pair;
    MemoryBuffer b(8);
    makeWrapped(b);
    b.discard(3); // "de" held at the end of the block
    b.setSocket(pair.fd[1]);
    ASSERT_EQ(6, send(pair.fd[0], "fghijk", 6, 0));
    EXPECT_EQ(6, b.lineRecv(100));
    EXPECT_EQ(b.data, b.head);
    EXPECT_EQ("defghijk", std::string(b.head, 8));
    EXPECT_EQ(0, b.lineRecv(100)); // "Buffer full."
}

TEST(SocketBuffer, CompressedPathsThroughTheStaging)
{
    SocketPair pair;
    CBuffer cbuffer = {};
    std::string inbuf(SocketBuffer::kCompressedInbufSize, '\0');
    cbuffer.inbuf = &inbuf[0];
    LZ4Compressor comp;
    ASSERT_EQ(0, comp.Initialize(65536));

    MemoryBuffer out(1024);
    out.compressor = &comp;
    out.cbuffer = &cbuffer;
    out.setSocket(pair.fd[0]);
    const std::string text = std::string(900, 'z') + makeContent(100, 1);
    out.copyFrom(text.data(), text.size());
    // The frame header goes first, alone; the held bytes stay.
    EXPECT_EQ(7, out.ringSend(65536));
    EXPECT_EQ(text.size(), out.size);
    EXPECT_GT(out.ringSend(65536), 0);
    EXPECT_EQ(0u, out.size);
    EXPECT_FALSE(out.hasPendingCompressedOutput());
    std::string wire = pair.readAll();

    // Receiving into a small buffer: the decompressed bytes that do not fit
    // stay pending and are delivered without reading the socket (result 1).
    LZ4Decompressor decomp;
    ASSERT_EQ(0, decomp.Initialize(65536));
    CBuffer rcb = {};
    rcb.inbuf = &inbuf[0];
    MemoryBuffer in(512);
    in.decompressor = &decomp;
    in.cbuffer = &rcb;
    in.setSocket(pair.fd[1]);
    ASSERT_LT(wire.size(), 512u);
    ASSERT_EQ(static_cast<ssize_t>(wire.size()), send(pair.fd[0], wire.data(), wire.size(), 0));
    EXPECT_EQ(static_cast<int>(wire.size()), in.lineRecv(65536));
    EXPECT_EQ(512u, in.size);
    EXPECT_FALSE(decomp.IsBufferEmpty());
    std::string got(in.head, in.size);
    in.clear();
    EXPECT_EQ(1, in.lineRecv(65536)); // the socket is empty: not read
    got.append(in.head, in.size);
    EXPECT_TRUE(got == text);
    EXPECT_TRUE(decomp.IsBufferEmpty());
}

TEST(SocketBuffer, CompressedBytesTheSocketRefusedGoOutFromAnEmptyRing)
{
    SocketPair pair;
    int small = 4096;
    setsockopt(pair.fd[0], SOL_SOCKET, SO_SNDBUF, &small, sizeof(small));
    CBuffer cbuffer = {};
    LZ4Compressor comp;
    ASSERT_EQ(0, comp.Initialize(65536));
    MemoryBuffer out(65536);
    out.compressor = &comp;
    out.cbuffer = &cbuffer;
    out.setSocket(pair.fd[0]);
    const std::string text = makeContent(65536, 2);
    out.copyFrom(text.data(), text.size());
    ASSERT_EQ(7, out.ringSend(65536));
    ASSERT_GT(out.ringSend(65536), 0);
    EXPECT_EQ(0u, out.size);
    ASSERT_TRUE(out.hasPendingCompressedOutput());

    LZ4Decompressor decomp;
    ASSERT_EQ(0, decomp.Initialize(65536));
    std::string wire = pair.readAll();
    while (out.hasPendingCompressedOutput()) {
        int s = out.ringSend(65536);
        ASSERT_TRUE(s > 0 || errno == EAGAIN);
        wire += pair.readAll();
    }
    std::string plain;
    decomp.Update(wire.data(), wire.size());
    for (;;) {
        void* p = nullptr;
        size_t n = 0;
        ASSERT_EQ(0, decomp.Process(65536, &p, &n));
        if (!p)
            break;
        plain.append(static_cast<char*>(p), n);
    }
    EXPECT_TRUE(plain == text);
}

TEST(FileMappingBuffer, WindowGeometry)
{
    TempDir dir;
    const std::string content = makeContent(131072, 3);
    ASSERT_TRUE(writeFile(dir.file("f"), content));

    // Two full windows; the second is the final block.
    FileMappingBuffer reader(ustring(dir.file("f")), 131072, MAP_FOR_READ);
    ASSERT_EQ(0, reader.initialize(0));
    EXPECT_EQ(65536u, reader.capacity);
    EXPECT_FALSE(reader.isFinalBlock());
    EXPECT_EQ(0, memcmp(reader.head, content.data(), 65536));
    ASSERT_EQ(0, reader.shiftBlock());
    EXPECT_TRUE(reader.isFinalBlock());
    EXPECT_EQ(0, memcmp(reader.head, content.data() + 65536, 65536));

    // Receiving at an offset inside block 1 of a longer file: the bytes from
    // the block's start to the offset are read back.
    FileMappingBuffer writer(ustring(dir.file("f")), 200000, MAP_FOR_WRITE);
    ASSERT_EQ(0, writer.initialize(70000));
    EXPECT_EQ(1u, writer.block_number);
    EXPECT_EQ(65536u, writer.capacity);
    EXPECT_EQ(70000u - 65536u, writer.size);
    EXPECT_EQ(70000u, writer.progress());
    EXPECT_EQ(0, memcmp(writer.data, content.data() + 65536, writer.size));

    // An offset at the end loads no window.
    FileMappingBuffer at_end(ustring(dir.file("f")), 131072, MAP_FOR_READ);
    ASSERT_EQ(0, at_end.initialize(131072));
    EXPECT_EQ(0u, at_end.capacity);
    EXPECT_FALSE(at_end.isFinalBlock());
    ASSERT_TRUE(writeFile(dir.file("empty"), ""));
    FileMappingBuffer empty(ustring(dir.file("empty")), 0, MAP_FOR_READ);
    ASSERT_EQ(0, empty.initialize(0));
    EXPECT_TRUE(empty.isFinalBlock());
}

// A receiving window finished before it is full writes only what it received.
TEST(FileMappingBuffer, PartialWindowWritesOnlyReceivedBytes)
{
    TempDir dir;
    const std::string path = dir.file("partial");
    {
        FileMappingBuffer w(ustring(path), 100000, MAP_FOR_WRITE);
        ASSERT_EQ(0, w.initialize(0));
        w.copyFrom("hello", 5);
        ASSERT_EQ(0, w.finalize());
    }
    EXPECT_EQ("hello", readFile(path));
    {
        // Resumed at 3 and cut after 2 more bytes: the file holds 5 bytes.
        FileMappingBuffer w(ustring(path), 100000, MAP_FOR_WRITE);
        ASSERT_EQ(0, w.initialize(3));
        w.copyFrom("LO", 2);
    }
    EXPECT_EQ("helLO", readFile(path));
}

// A receiving window over a file it was handed writes into that file, not
// into whatever its path names by then.
TEST(FileMappingBuffer, AdoptedFileIsTheOneWritten)
{
    TempDir dir;
    const std::string created = dir.file("created");
    int fd = ::open(created.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(0, ::rename(created.c_str(), dir.file("moved").c_str()));
    {
        FileMappingBuffer w(ustring(created), 5, MAP_FOR_WRITE);
        w.adoptFile(fd);
        ASSERT_EQ(0, w.initialize(0));
        w.copyFrom("hello", 5);
        ASSERT_EQ(0, w.finalize());
        EXPECT_EQ(cross::INVALID_FILE_VALUE, w.file_handle);
    }
    EXPECT_EQ("hello", readFile(dir.file("moved")));
    EXPECT_NE(0, ::access(created.c_str(), F_OK));
}

TEST(FileMappingBuffer, ResumeBeyondTheFileIsRefused)
{
    TempDir dir;
    const std::string path = dir.file("short");
    ASSERT_TRUE(writeFile(path, std::string(10, 'x')));
    for (uint64_t offset : {uint64_t(11), uint64_t(65536), uint64_t(70000)}) {
        FileMappingBuffer w(ustring(path), offset + 100, MAP_FOR_WRITE);
        EXPECT_EQ(-1, w.initialize(offset)) << offset;
        EXPECT_EQ(EINVAL, errno);
    }
    EXPECT_EQ(std::string(10, 'x'), readFile(path));
}

TEST(FileMappingBuffer, MissingFileToSendFails)
{
    TempDir dir;
    FileMappingBuffer r(ustring(dir.file("none")), 10, MAP_FOR_READ);
    EXPECT_EQ(-1, r.initialize(0));
    EXPECT_EQ(0u, r.progress());
}
