// File values of the blocking codec: binary and binary_ex payloads between
// files and a channel.
#include <dirent.h>
#include <errno.h>
#include <unistd.h>
#include <openssl/evp.h>
#include <sys/socket.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "protocol/stream.h"
#include "pstream_memory_channel.h"
#include "stream_temp_file.h"
#include "pstream_test_util.h"
#include "support/digest.h"

namespace {

std::string Pattern(size_t n, unsigned seed = 1) {
    std::string bytes(n, '\0');
    uint32_t x = seed * 2654435761u + 1;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1664525u + 1013904223u;
        bytes[i] = static_cast<char>(x >> 24);
    }
    return bytes;
}

std::vector<std::string> ListDir(const std::string& path) {
    std::vector<std::string> names;
    DIR* dir = opendir(path.c_str());
    while (dirent* entry = dir ? readdir(dir) : nullptr) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    if (dir)
        closedir(dir);
    return names;
}

std::string Md5(const std::string& bytes) {
    return qm_test::digestHex(bytes, EVP_md5());
}

std::string BinaryHeader(uint64_t length) {
    std::string bytes(1, '\x30');
    for (int i = 7; i >= 0; --i)
        bytes += static_cast<char>(length >> (8 * i));
    return bytes;
}

PObject Region(const std::string& path, uint64_t offset, uint64_t length) {
    PObject value;
    PObject::binary_type& region = value.asBinary();
    region.path = path.c_str();
    region.offset = offset;
    region.length = length;
    return value;
}

class PStreamFileTest : public ::testing::Test {
protected:
    std::string Location() const { return dir.file("recv"); }
    TempDir dir;
};

TEST_F(PStreamFileTest, SendsExactlyTheRegion) {
    const std::string content = Pattern(20000);
    writeFile(dir.file("src"), content);
    struct Case {
        uint64_t offset;
        uint64_t length;
    };
    const Case cases[] = {{0, 20000}, {10, 0}, {4095, 9000}, {19999, 1}};
    for (const Case& c : cases) {
        MemoryChannel channel;
        PStream stream;
        ASSERT_EQ(PStream::ERR_OK, stream.Send(channel, Region(dir.file("src"), c.offset, c.length)))
            << c.offset;
        EXPECT_EQ(BinaryHeader(c.length) + content.substr(c.offset, c.length), channel.output);
    }
}

TEST_F(PStreamFileTest, SendFailures) {
    writeFile(dir.file("src"), "0123456789");
    struct Case {
        const char* name;
        PObject value;
        size_t write_budget;
        int expected;
        size_t written;
    };
    const std::vector<Case> cases = {
        // The header has gone out before the open fails.
        {"missing file", Region(dir.file("none"), 0, 5), SIZE_MAX, PStream::ERR_SYS, 9},
        {"header write fails", Region(dir.file("src"), 0, 5), 4, PStream::ERR_IO, 4},
        {"payload write fails", Region(dir.file("src"), 0, 5), 11, PStream::ERR_IO, 11},
        {"region past the end of the file", Region(dir.file("src"), 8, 5), SIZE_MAX,
         PStream::ERR_IO, 9},
    };
    for (const Case& c : cases) {
        MemoryChannel channel;
        channel.write_budget = c.write_budget;
        PStream stream;
        EXPECT_EQ(c.expected, stream.Send(channel, c.value)) << c.name;
        EXPECT_EQ(c.written, channel.output.size()) << c.name;
    }
}

TEST_F(PStreamFileTest, ReceivesIntoATemporaryFileAtTheLocation) {
    for (size_t size : {size_t(0), size_t(1), size_t(65537)}) {
        const std::string payload = Pattern(size, 7);
        MemoryChannel channel(BinaryHeader(size) + payload);
        PStream stream;
        stream.SetDefaultRecvLocation(Location().c_str());
        PObject value;
        ASSERT_EQ(PStream::ERR_OK, stream.Recv(channel, value)) << size;
        ASSERT_TRUE(value.isBinary());
        const PObject::binary_type& region = value.asBinary();
        const std::string path = region.path.c_str_utf8();
        EXPECT_EQ(0u, path.rfind(Location() + "-", 0)) << path;
        EXPECT_EQ(".vexofm", path.substr(path.size() - 7));
        EXPECT_EQ(Location().size() + 1 + 8 + 7, path.size());
        EXPECT_EQ(0u, region.offset);
        EXPECT_EQ(size, region.length);
        EXPECT_EQ(payload, readFile(path));
        EXPECT_EQ(size == 0 ? 0 : 1, channel.files_fast_path);  // no digest: the plain receive
    }
}

// A temporary name is used only for a file created under it: a file or a
// link that someone placed there first is never opened, let alone written.
TEST_F(PStreamFileTest, TemporaryFilesAreAlwaysNewFiles) {
    writeFile(dir.file("taken"), "keep");
    ASSERT_EQ(0, symlink(dir.file("victim").c_str(), dir.file("planted").c_str()));
    for (const char* name : {"taken", "planted"}) {
        errno = 0;
        EXPECT_EQ(cross::INVALID_FILE_VALUE, openNewFile(ustring(dir.file(name).c_str()))) << name;
        EXPECT_EQ(EEXIST, errno) << name;
    }
    EXPECT_EQ("keep", readFile(dir.file("taken")));
    EXPECT_NE(0, access(dir.file("victim").c_str(), F_OK));

    ustring first, second;
    const cross::file_type a = openNewTemporaryFile(ustring(Location().c_str()), first);
    const cross::file_type b = openNewTemporaryFile(ustring(Location().c_str()), second);
    ASSERT_NE(cross::INVALID_FILE_VALUE, a);
    ASSERT_NE(cross::INVALID_FILE_VALUE, b);
    EXPECT_NE(first, second);
    EXPECT_EQ(0u, std::string(first.c_str_utf8()).rfind(Location() + "-", 0));
    close(a);
    close(b);
}

TEST_F(PStreamFileTest, ReceivesIntoAPresetPathAtItsOffset) {
    const std::string original = Pattern(1500, 3);
    const std::string payload = Pattern(300, 4);
    writeFile(dir.file("target"), original);
    MemoryChannel channel(BinaryHeader(payload.size()) + payload);
    PStream stream;
    PObject value = Region(dir.file("target"), 1000, 0);
    ASSERT_EQ(PStream::ERR_OK, stream.Recv(channel, value));
    EXPECT_EQ(original.substr(0, 1000) + payload + original.substr(1300),
              readFile(dir.file("target")));
    // The value describes the stored region: offset kept, length what arrived.
    EXPECT_EQ(1000u, value.asBinary().offset);
    EXPECT_EQ(payload.size(), value.asBinary().length);
}

TEST_F(PStreamFileTest, ZeroLengthPayloadAtAnOffset) {
    writeFile(dir.file("target"), "abc");
    MemoryChannel channel(BinaryHeader(0) + Hex("00 00"));
    PStream stream;
    PObject value = Region(dir.file("target"), 3, 0);
    ASSERT_EQ(PStream::ERR_OK, stream.Recv(channel, value));
    EXPECT_EQ(3u, value.asBinary().offset);
    EXPECT_EQ(0u, value.asBinary().length);
    EXPECT_EQ("abc", readFile(dir.file("target")));
    EXPECT_EQ(9u, channel.input_pos);  // the following value is left on the channel
}

TEST_F(PStreamFileTest, CutShortReceiveKeepsOnlyTheBytesThatArrived) {
    struct Case {
        const char* name;
        int channel_error;
        int expected;
    };
    const Case cases[] = {
        {"io", ERR_IO, PStream::ERR_IO},
        {"disk full", ERR_DISKFULL, PStream::ERR_DISKFULL},
        {"file too big", ERR_FILE_TOO_BIG, PStream::ERR_FBIG},
    };
    for (const Case& c : cases) {
        // A file larger than what arrives: the stale tail must not remain.
        writeFile(dir.file("target"), std::string(5000, 'x'));
        const std::string arrived = Pattern(1234, 5);
        MemoryChannel channel(BinaryHeader(4000) + arrived);
        channel.file_error = c.channel_error;
        PStream stream;
        PObject value = Region(dir.file("target"), 100, 0);
        EXPECT_EQ(c.expected, stream.Recv(channel, value)) << c.name;
        EXPECT_EQ(std::string(100, 'x') + arrived, readFile(dir.file("target"))) << c.name;
        EXPECT_EQ(100u, value.asBinary().offset);
        EXPECT_EQ(arrived.size(), value.asBinary().length);
    }
}

TEST_F(PStreamFileTest, RegionBeyondAnyFileOffsetIsRefused) {
    writeFile(dir.file("target"), "keep");
    MemoryChannel channel(BinaryHeader(~0ULL - 10));
    PStream stream;
    PObject value = Region(dir.file("target"), 100, 0);
    EXPECT_EQ(PStream::ERR_FBIG, stream.Recv(channel, value));
    EXPECT_EQ("keep", readFile(dir.file("target")));
}

TEST_F(PStreamFileTest, DiscardConsumesPayloadsWithoutFiles) {
    PObject message_bytes;
    const std::string payload = Pattern(10000, 9);
    // {"f": <binary>, "g": <binary_ex with binary>, "n": 1}
    const std::string bytes = Hex("42 10 00 01 66") + BinaryHeader(payload.size()) + payload +
                              Hex("10 00 01 67 43 10 00 06") + "binary" +
                              BinaryHeader(3) + "abc" + Hex("40") +
                              Hex("10 00 01 6E 01 01 01 40");
    MemoryChannel channel(bytes);
    PStream stream;
    stream.SetDefaultRecvLocation(Location().c_str());
    stream.SetDefaultHashAlgorithm("md5");
    PObject decoded;
    ASSERT_EQ(PStream::ERR_OK, stream.Discard(channel, decoded));
    EXPECT_EQ(bytes.size(), channel.input_pos);
    EXPECT_EQ(1u, decoded["n"].asInteger());
    EXPECT_TRUE(ListDir(dir.path()).empty());
    EXPECT_EQ("", decoded["g"].asBinaryEx().recv_hash);  // no digest in discard mode

    // A failure in discard mode truncates nothing.
    MemoryChannel cut(BinaryHeader(100) + "abc");
    EXPECT_EQ(PStream::ERR_IO, stream.Discard(cut, decoded));
    EXPECT_TRUE(ListDir(dir.path()).empty());
}

TEST_F(PStreamFileTest, BinaryExCarriesDigestsBothWays) {
    const std::string content = Pattern(30000, 11);
    writeFile(dir.file("src"), content);
    PObject value;
    PObject::binary_ex_type& ex = value.asBinaryEx();
    ex.path = dir.file("src").c_str();
    ex.offset = 500;
    ex.length = 20000;
    ex.hash_algorithm = "md5";
    ex.send_hash = "not sent";

    MemoryChannel channel;
    PStream sender;
    ASSERT_EQ(PStream::ERR_OK, sender.Send(channel, value));
    const std::string region = content.substr(500, 20000);
    const std::string expected = Hex("43 10 00 06") + "binary" + BinaryHeader(20000) + region +
                                 Hex("10 00 09") + "send_hash" + Hex("10 00 20") + Md5(region) +
                                 Hex("40");
    ASSERT_EQ(ToHex(expected), ToHex(channel.output));

    channel.input = channel.output;
    PStream receiver;
    receiver.SetDefaultRecvLocation(Location().c_str());
    receiver.SetDefaultHashAlgorithm("md5");
    PObject received;
    ASSERT_EQ(PStream::ERR_OK, receiver.Recv(channel, received));
    const PObject::binary_ex_type& got = received.asBinaryEx();
    EXPECT_EQ(Md5(region), got.send_hash);
    EXPECT_EQ(got.send_hash, got.recv_hash);
    EXPECT_EQ("md5", got.hash_algorithm);
    EXPECT_EQ(region, readFile(got.path.c_str_utf8()));
    EXPECT_EQ(1, channel.files_fallback);  // digests need the reading path
}

TEST_F(PStreamFileTest, BinaryExWithoutAlgorithmSendsEmptyDigest) {
    writeFile(dir.file("src"), "xyz");
    PObject value;
    value.asBinaryEx().path = dir.file("src").c_str();
    value.asBinaryEx().length = 3;
    MemoryChannel channel;
    PStream stream;
    ASSERT_EQ(PStream::ERR_OK, stream.Send(channel, value));
    EXPECT_EQ(Hex("43 10 00 06") + "binary" + BinaryHeader(3) + "xyz" + Hex("10 00 09") +
                  "send_hash" + Hex("10 00 00 40"),
              channel.output);
}

TEST_F(PStreamFileTest, BinaryExFailures) {
    writeFile(dir.file("src"), "xyz");
    PObject unknown_digest;
    unknown_digest.asBinaryEx().path = dir.file("src").c_str();
    unknown_digest.asBinaryEx().length = 3;
    unknown_digest.asBinaryEx().hash_algorithm = "no-such-digest";
    MemoryChannel channel;
    PStream stream;
    EXPECT_EQ(PStream::ERR_SYS, stream.Send(channel, unknown_digest));

    // The stream recovers: the handler was emptied, the next send has no digest.
    unknown_digest.asBinaryEx().hash_algorithm.clear();
    MemoryChannel next;
    EXPECT_EQ(PStream::ERR_OK, stream.Send(next, unknown_digest));

    MemoryChannel incoming(Hex("43 10 00 06") + "binary" + BinaryHeader(1) + "a" + Hex("40"));
    PStream receiver;
    receiver.SetDefaultRecvLocation(Location().c_str());
    receiver.SetDefaultHashAlgorithm("no-such-digest");
    PObject received;
    EXPECT_EQ(PStream::ERR_SYS, receiver.Recv(incoming, received));
}

TEST_F(PStreamFileTest, BinaryExDropsUnexpectedPayloads) {
    // "extra" carries a binary that nobody asked for, "deep" one inside a map
    // in an array; "binary" comes twice.
    const std::string bytes = Hex("43 10 00 05") + "extra" + BinaryHeader(2) + "ee" +
                              Hex("10 00 04") + "deep" + Hex("41 42 10 00 01") + "f" +
                              BinaryHeader(2) + "dd" + Hex("40 40") +
                              Hex("10 00 06") + "binary" + BinaryHeader(2) + "b1" +
                              Hex("10 00 06") + "binary" + BinaryHeader(2) + "b2" +
                              Hex("10 00 09") + "send_hash" + Hex("01 01 05") + Hex("40");
    MemoryChannel channel(bytes);
    PStream stream;
    stream.SetDefaultRecvLocation(Location().c_str());
    PObject received;
    ASSERT_EQ(PStream::ERR_OK, stream.Recv(channel, received));
    const PObject::binary_ex_type& got = received.asBinaryEx();
    EXPECT_EQ("b2", readFile(got.path.c_str_utf8()));
    EXPECT_EQ("", got.send_hash);  // a send_hash that is not a string is dropped
    const std::vector<std::string> files = ListDir(dir.path());
    ASSERT_EQ(1u, files.size());
    EXPECT_EQ(dir.file(files[0]), got.path.c_str_utf8());
}

TEST_F(PStreamFileTest, ProgressShowsThePositionInTheWholeFile) {
    const std::string payload = Pattern(3 * 4096, 13);
    writeFile(dir.file("target"), std::string(4096, 'h'));
    MemoryChannel channel(BinaryHeader(payload.size()) + payload);
    PStream stream;
    std::vector<std::pair<uint64_t, uint64_t>> seen;
    channel.after_chunk = [&] {
        std::string history;
        uint64_t sent = 0, size = 0;
        stream.GetStatus(history, sent, size);
        seen.emplace_back(sent, size);
    };
    PObject value = Region(dir.file("target"), 4096, 0);
    ASSERT_EQ(PStream::ERR_OK, stream.Recv(channel, value));
    const uint64_t end = 4096 + payload.size();
    const std::vector<std::pair<uint64_t, uint64_t>> expected = {
        {4096 + 4096, end}, {4096 + 8192, end}, {end, end}};
    EXPECT_EQ(expected, seen);

    std::string history;
    uint64_t sent = 1, size = 1;
    stream.GetStatus(history, sent, size);
    EXPECT_EQ(0u, sent);  // reset once the message is done
    EXPECT_EQ(0u, size);
}

TEST_F(PStreamFileTest, HistoryNamesTheMemberWhosePayloadMoves) {
    writeFile(dir.file("src"), Pattern(8192));
    PObject message;
    message["files"]["first"] = Region(dir.file("src"), 0, 8192);
    MemoryChannel channel;
    PStream stream;
    std::string during;
    channel.after_chunk = [&] {
        uint64_t sent = 0, size = 0;
        stream.GetStatus(during, sent, size);
    };
    ASSERT_EQ(PStream::ERR_OK, stream.Send(channel, message));
    EXPECT_EQ("files.first", during);
}

// The same payloads through a real channel over a socket pair: the system
// file paths without a digest, the reading paths with one.
TEST_F(PStreamFileTest, MessagesWithPayloadsOverARealChannel) {
    const std::string content = Pattern(3 * 1024 * 1024 + 1, 17);
    writeFile(dir.file("src"), content);
    for (const char* algorithm : {"", "sha1"}) {
        int fds[2];
        ASSERT_EQ(0, ::socketpair(AF_UNIX, SOCK_STREAM, 0, fds));
        Channel sending(8192), receiving(8192);
        ASSERT_EQ(ERR_OK, sending.Open(fds[0], true));
        ASSERT_EQ(ERR_OK, receiving.Open(fds[1], true));

        PObject message;
        message["_action"] = "upload";
        message["plain"] = Region(dir.file("src"), 7, content.size() - 7);
        PObject::binary_ex_type& ex = message["checked"].asBinaryEx();
        ex.path = dir.file("src").c_str();
        ex.length = content.size();
        ex.hash_algorithm = algorithm;

        int sent = -100;
        std::thread sender([&] {
            PStream stream;
            sent = stream.Send(sending, message);
        });
        PStream stream;
        stream.SetDefaultRecvLocation(Location().c_str());
        stream.SetDefaultHashAlgorithm(algorithm);
        // Another thread watches the progress while the payloads arrive.
        std::atomic<bool> done{false};
        bool progress_consistent = true;
        std::thread watcher([&] {
            while (!done.load()) {
                std::string history;
                uint64_t moved = 0, total = 0;
                stream.GetStatus(history, moved, total);
                if (moved > total)
                    progress_consistent = false;
            }
        });
        PObject received;
        const int rc = stream.Recv(receiving, received);
        done = true;
        watcher.join();
        sender.join();
        EXPECT_TRUE(progress_consistent);
        ASSERT_EQ(PStream::ERR_OK, sent) << algorithm;
        ASSERT_EQ(PStream::ERR_OK, rc) << algorithm;

        EXPECT_EQ("upload", received["action"].asString());
        const PObject::binary_type& plain = received["plain"].asBinary();
        EXPECT_EQ(content.size() - 7, plain.length);
        EXPECT_TRUE(readFile(plain.path.c_str_utf8()) == content.substr(7)) << algorithm;
        const PObject::binary_ex_type& checked = received["checked"].asBinaryEx();
        EXPECT_TRUE(readFile(checked.path.c_str_utf8()) == content) << algorithm;
        EXPECT_EQ(checked.send_hash, checked.recv_hash) << algorithm;
        EXPECT_EQ(std::string(algorithm).empty() ? 0u : 40u, checked.send_hash.size());
        sending.Close();
        receiving.Close();
    }
}

}  // namespace
