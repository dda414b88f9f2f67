#include "psocket_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <poll.h>
#include <sys/socket.h>

#include "psocket_stream_harness.h"

using namespace sockstream_test;

namespace {

const LinkMode kPlain = {"plain", false, false};

std::string hex(const std::string& bytes)
{
    return qm_test::toSpacedHex(bytes);
}

std::string unhex(const std::string& text)
{
    return qm_test::fromSpacedHex(text);
}

// Everything that arrived at the receiving end of the link's socket; the
// sending end is shut down first, so the end of the bytes is seen as EOF.
std::string drainRaw(Link& link)
{
    shutdown(link.senderFd(), SHUT_WR);
    std::string out;
    char chunk[65536];
    for (;;) {
        ssize_t n = recv(link.receiverFd(), chunk, sizeof(chunk), 0);
        if (n > 0) {
            out.append(chunk, static_cast<size_t>(n));
            continue;
        }
        if (n == 0)
            return out;
        pollfd p = {link.receiverFd(), POLLIN, 0};
        if (poll(&p, 1, 5000) <= 0)
            return out + "<no EOF>";
    }
}

// Sends o (or its batch) through the plain link and returns the wire bytes.
std::string encode(const PObject& o, bool batch = false)
{
    Link link(kPlain);
    EXPECT_TRUE(link.ok()) << link.error();
    if (batch)
        link.sender().SetBatchSend(o);
    else
        link.sender().SetSend(o);
    for (int i = 0; i < 1000; ++i) {
        int r = link.sender().Send(65536);
        if (r == PSocketStream::ERR_OK)
            return drainRaw(link);
        EXPECT_EQ(PSocketStream::ERR_WOULD_BLOCK, r);
        if (r != PSocketStream::ERR_WOULD_BLOCK)
            break;
    }
    return "<send failed>";
}

PObject binaryOf(const std::string& path, uint64_t offset = 0)
{
    PObject::binary_type b;
    b.path = ustring(path);
    b.offset = offset;
    PObject o;
    o = b;
    return o;
}

} // namespace

TEST(PSocketStreamEncoding, WireBytesOfEachKind)
{
    PObject map_a1;
    map_a1["a"] = PObject::integer_type(1);
    PObject agent;
    agent["_agent"] = "x";
    PObject arr;
    arr.asArray().push_back(PObject::integer_type(1));
    arr.asArray().push_back(PObject());
    PObject empty_map;
    empty_map.asMap();

    struct Case {
        const char* name;
        PObject value;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"map a=1", map_a1, "42 10 00 01 61 01 01 01 40"},
        {"integer 65536", PObject(PObject::integer_type(65536)), "01 03 01 00 00"},
        {"integer 0", PObject(PObject::integer_type(0)), "01 01 00"},
        {"integer 255", PObject(PObject::integer_type(255)), "01 01 ff"},
        {"integer 256", PObject(PObject::integer_type(256)), "01 02 01 00"},
        {"integer max", PObject(~PObject::integer_type(0)), "01 08 ff ff ff ff ff ff ff ff"},
        {"null", PObject(), "00"},
        {"key kept whole", agent, "42 10 00 06 5f 61 67 65 6e 74 10 00 01 78 40"},
        {"array with null", arr, "41 01 01 01 00 40"},
        {"empty string", PObject(""), "10 00 00"},
        {"empty map", empty_map, "42 40"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bytes, hex(encode(c.value))) << c.name;

    PObject batch;
    batch["array"].asArray().push_back(PObject::integer_type(1));
    batch["array"].asArray().push_back("x");
    EXPECT_EQ("01 01 01 10 00 01 78", hex(encode(batch, true)));
    PObject no_array;
    no_array["other"] = "y";
    EXPECT_EQ("", hex(encode(no_array, true)));
}

TEST(PSocketStreamEncoding, BudgetOfOneSendsOneByteAtATime)
{
    Link link(kPlain);
    ASSERT_TRUE(link.ok()) << link.error();
    PObject o;
    o["a"] = PObject::integer_type(1);
    link.sender().SetSend(o);
    for (int i = 0; i < 8; ++i) {
        ASSERT_EQ(PSocketStream::ERR_WOULD_BLOCK, link.sender().Send(1)) << "byte " << i;
        EXPECT_EQ(1u, link.sender().GetLastTransferredBytes());
        EXPECT_TRUE(link.sender().IsTransferring());
    }
    EXPECT_EQ(PSocketStream::ERR_OK, link.sender().Send(1));
    EXPECT_EQ(1u, link.sender().GetLastTransferredBytes());
    EXPECT_FALSE(link.sender().IsTransferring());
    EXPECT_EQ("42 10 00 01 61 01 01 01 40", hex(drainRaw(link)));
}

TEST(PSocketStreamEncoding, RefusesWhatHasNoEncoding)
{
    TempDir dir;
    writeFile(dir.file("ten"), "0123456789");
    PObject::binary_ex_type bx;
    bx.path = ustring(dir.file("ten"));
    PObject binary_ex;
    binary_ex = bx;
    PObject::buffer_type buf;
    buf.assign("ab", 2);

    PObject long_string(std::string(65536, 's'));
    PObject long_key;
    long_key[std::string(70000, 'k')] = PObject::integer_type(1);
    PObject without_path;
    without_path = PObject::binary_type();

    struct Case {
        const char* name;
        PObject value;
    };
    const std::vector<Case> cases = {
        {"string of 65536 bytes", long_string},
        {"key of 70000 bytes", long_key},
        {"binary without path", without_path},
        {"binary of a missing file", binaryOf(dir.file("missing"))},
        {"binary offset beyond the file", binaryOf(dir.file("ten"), 11)},
        {"binary_ex", binary_ex},
        {"buffer", PObject(buf)},
    };
    for (const Case& c : cases) {
        Link link(kPlain);
        ASSERT_TRUE(link.ok()) << link.error();
        link.sender().SetSend(c.value);
        EXPECT_EQ(PSocketStream::ERR_SYS, link.sender().Send(65536)) << c.name;
        // Nothing with a cut length field may reach the peer.
        std::string wire = drainRaw(link);
        EXPECT_LE(wire.size(), 1u) << c.name << ": " << hex(wire.substr(0, 16));
    }
}

TEST(PSocketStreamDecoding, BytesToObjects)
{
    PObject map_a1;
    map_a1["a"] = PObject::integer_type(1);
    PObject nested;
    nested["k"].asArray().push_back(PObject());
    nested["k"].asArray().push_back("s");
    nested["m"]["x"] = PObject::integer_type(2);

    struct Case {
        const char* name;
        std::string bytes;
        PObject expected;
    };
    const std::vector<Case> cases = {
        {"map a=1", "42 10 00 01 61 01 01 01 40", map_a1},
        {"integer in 3 bytes", "01 03 01 00 00", PObject(PObject::integer_type(65536))},
        {"integer of length 0", "01 00", PObject(PObject::integer_type(0))},
        {"integer of 9 bytes: the last 8 count", "01 09 07 00 00 00 00 00 00 01 02",
         PObject(PObject::integer_type(0x102))},
        {"null", "00", PObject()},
        {"nested", "42 10 00 01 6b 41 00 10 00 01 73 40 10 00 01 6d 42 10 00 01 78 01 01 02 40 40",
         nested},
    };
    for (const Case& c : cases) {
        // Whole, and one byte per Recv: a split at every boundary.
        for (size_t step : {size_t(65536), size_t(1)}) {
            Link link(kPlain);
            ASSERT_TRUE(link.ok()) << link.error();
            PObject got;
            ASSERT_EQ(PSocketStream::ERR_OK, receiveRaw(link, unhex(c.bytes), got, step))
                << c.name << " step " << step;
            EXPECT_TRUE(got == c.expected) << c.name << ": " << got.toString();
        }
    }
}

TEST(PSocketStreamDecoding, TwoObjectsFromOneRecv)
{
    Link link(kPlain);
    ASSERT_TRUE(link.ok()) << link.error();
    const std::string bytes = unhex("01 01 05 10 00 02 68 69");
    ASSERT_EQ(static_cast<ssize_t>(bytes.size()),
              send(link.senderFd(), bytes.data(), bytes.size(), MSG_NOSIGNAL));
    pollfd p = {link.receiverFd(), POLLIN, 0};
    ASSERT_EQ(1, poll(&p, 1, 5000));
    PSocketStream& rx = link.receiver();
    ASSERT_EQ(PSocketStream::ERR_OK, rx.Recv(65536));
    PObject first, second;
    ASSERT_EQ(PSocketStream::ERR_OK, rx.GetNextAvailibleReceivedObject(first));
    EXPECT_EQ(5u, first.asInteger());
    EXPECT_TRUE(rx.HasMoreObjectToRead());
    ASSERT_EQ(PSocketStream::ERR_OK, rx.GetNextAvailibleReceivedObject(second));
    EXPECT_EQ("hi", second.asString());
    EXPECT_FALSE(rx.HasMoreObjectToRead());
}

TEST(PSocketStreamDecoding, MalformedStreamsFail)
{
    std::string deep;
    for (int i = 0; i < 200; ++i)
        deep += "41 ";
    struct Case {
        const char* name;
        std::string bytes;
        int code;
    };
    const std::vector<Case> cases = {
        {"buffer tag", "20 00 00 00 00", PSocketStream::ERR_SYS},
        {"binary_ex tag", "43 40", PSocketStream::ERR_SYS},
        {"end tag for a value", "40", PSocketStream::ERR_SYS},
        {"unknown tag", "7f", PSocketStream::ERR_SYS},
        {"buffer tag in an array", "41 20 00 00 00 00 40", PSocketStream::ERR_SYS},
        {"binary_ex tag in an array", "41 43", PSocketStream::ERR_SYS},
        {"end tag for a map value", "42 10 00 01 61 40", PSocketStream::ERR_SYS},
        {"map key not a string", "42 01 01 01 00 40", PSocketStream::ERR_SYS},
        {"nesting too deep", deep, PSocketStream::ERR_SYS},
        {"payload too long to drop", "30 00 00 00 00 06 40 00 01", PSocketStream::ERR_DROP_LARGE},
    };
    for (const Case& c : cases) {
        Link link(kPlain);
        ASSERT_TRUE(link.ok()) << link.error();
        PObject got;
        EXPECT_EQ(c.code, receiveRaw(link, unhex(c.bytes), got, 65536)) << c.name;
    }
}

// One stream pair carries a sequence of objects of every kind, file payloads
// at the block boundaries and a large one, in odd step sizes, in each mode.
class PSocketStreamModes : public ::testing::TestWithParam<LinkMode> {};

TEST_P(PSocketStreamModes, ObjectsAndPayloadsArriveIntact)
{
    Link link(GetParam());
    ASSERT_TRUE(link.ok()) << link.error();
    TempDir dir;
    const Steps steps = {{1, 7, 4093, 65536, 3, 250000, 65535}, {5, 65536, 1, 1000, 131072, 13}};

    // Values of every kind, integers of every width.
    PObject values;
    PObject::array_type& ints = values["ints"].asArray();
    for (int bytes = 0; bytes <= 8; ++bytes) {
        uint64_t v = bytes == 0 ? 0 : (bytes == 8 ? ~uint64_t(0) : (uint64_t(1) << (8 * bytes)) - 1);
        ints.push_back(PObject::integer_type(v));
        ints.push_back(PObject::integer_type(v + 1));
    }
    values["_key"] = "kept";
    values["nested"]["list"].asArray().push_back(PObject());
    values["nested"]["list"].asArray().push_back("text");
    values["nested"]["empty"].asMap();
    values["long"] = std::string(65535, 'L');
    for (int round = 0; round < 2; ++round) {
        PObject got;
        ASSERT_EQ("", transfer(link, values, got, steps));
        EXPECT_TRUE(got == values) << got.toString().substr(0, 300);
    }

    // File payloads into temporary files next to a receive location.
    for (size_t size : {size_t(0), size_t(1), size_t(65535), size_t(65536), size_t(65537),
                        size_t(24u << 20)}) {
        SCOPED_TRACE(size);
        const std::string source = dir.file("src-" + std::to_string(size));
        const std::string content = makeContent(size, static_cast<uint32_t>(size));
        ASSERT_TRUE(writeFile(source, content));
        PObject out;
        out["file"] = binaryOf(source);
        out["name"] = "payload";
        link.receiver().SetRecvLocation(ustring(dir.file("in/recv")));
        PObject got;
        ASSERT_EQ("", transfer(link, out, got, steps));
        const PObject::binary_type& b = got["file"].asBinary();
        ASSERT_FALSE(b.path.empty());
        EXPECT_EQ(0u, std::string(b.path.c_str_utf8()).find(dir.file("in/recv-")));
        EXPECT_EQ(size, b.length);
        EXPECT_EQ(sha256Hex(content), sha256OfFile(b.path.c_str_utf8()));
        EXPECT_EQ("payload", got["name"].asString());
    }

    // A payload resumed at an offset inside the second block.
    const std::string content = makeContent(300000, 99);
    const std::string source = dir.file("resume-src");
    const std::string target = dir.file("resume-dst");
    ASSERT_TRUE(writeFile(source, content));
    ASSERT_TRUE(writeFile(target, content.substr(0, 70000)));
    {
        PObject out;
        out["file"] = binaryOf(source, 70000);
        PObject tmpl;
        tmpl["file"] = binaryOf(target, 70000);
        link.receiver().SetRecv(tmpl);
        PObject got;
        ASSERT_EQ("", transfer(link, out, got, steps));
        EXPECT_EQ(300000u, got["file"].asBinary().length);
        EXPECT_EQ(sha256Hex(content), sha256OfFile(target));
    }

    // Nothing left to resume: a zero-length payload at the end completes at once.
    {
        PObject out;
        out["file"] = binaryOf(source, 300000);
        PObject tmpl;
        tmpl["file"] = binaryOf(target, 300000);
        link.receiver().SetRecv(tmpl);
        PObject got;
        ASSERT_EQ("", transfer(link, out, got, steps));
        EXPECT_EQ(300000u, got["file"].asBinary().offset);
        EXPECT_EQ(sha256Hex(content), sha256OfFile(target));
    }

    // No template and no location: the payload is read and dropped, and the
    // stream goes on with the next object.
    {
        PObject out;
        out["file"] = binaryOf(source);
        out["after"] = PObject::integer_type(7);
        PObject got;
        ASSERT_EQ("", transfer(link, out, got, steps));
        EXPECT_TRUE(got["file"].asBinary().path.empty());
        EXPECT_EQ(7u, got["after"].asInteger());
        PObject next;
        ASSERT_EQ("", transfer(link, values, next, steps));
        EXPECT_TRUE(next == values);
    }
}

// Numbered cases whose value prints as the mode's name: the test runner
// then lists them as ".../plain", ".../tls_lz4" instead of a byte dump.
INSTANTIATE_TEST_SUITE_P(AllModes, PSocketStreamModes, ::testing::ValuesIn(allLinkModes()));

// Payload bytes that arrive together with the header can be more than the
// first window has room for; they belong to the following windows, in order.
TEST(PSocketStreamPayload, BytesBeyondTheFirstWindowGoToTheNext)
{
    TempDir dir;
    const std::string content = makeContent(65630, 5);

    // Resumed 6 bytes before the end of a block: the window has room for 6.
    {
        const std::string target = dir.file("near-end");
        ASSERT_TRUE(writeFile(target, content.substr(0, 65530)));
        Link link(kPlain);
        ASSERT_TRUE(link.ok()) << link.error();
        PObject tmpl = binaryOf(target, 65530);
        link.receiver().SetRecv(tmpl);
        std::string wire = unhex("30 00 00 00 00 00 00 00 64") + content.substr(65530) +
                           unhex("01 01 07");
        PObject got;
        ASSERT_EQ(PSocketStream::ERR_OK, receiveRaw(link, wire, got, 65536));
        EXPECT_EQ(65630u, got.asBinary().length);
        EXPECT_TRUE(readFile(target) == content);
        PObject next;
        ASSERT_EQ(PSocketStream::ERR_OK, receiveRaw(link, "", next, 65536));
        EXPECT_EQ(7u, next.asInteger());
    }

    // A protocol buffer grown by a long string, then filled by one large
    // Recv holding a whole payload of more than one block.
    {
        const std::string big = makeContent(70000, 6);
        Link link(kPlain);
        ASSERT_TRUE(link.ok()) << link.error();
        std::string wire = unhex("10 ea 60") + std::string(60000, 'q');
        wire += unhex("30 00 00 00 00 00 01 11 70") + big + unhex("00");
        PObject first;
        ASSERT_EQ(PSocketStream::ERR_OK, receiveRaw(link, wire, first, 65536));
        EXPECT_EQ(60000u, first.asString().size());
        link.receiver().SetRecvLocation(ustring(dir.file("grown")));
        PObject second;
        ASSERT_EQ(PSocketStream::ERR_OK, receiveRaw(link, "", second, 65536));
        ASSERT_FALSE(second.asBinary().path.empty());
        EXPECT_TRUE(readFile(second.asBinary().path.c_str_utf8()) == big);
        PObject third(PObject::integer_type(1));
        ASSERT_EQ(PSocketStream::ERR_OK, receiveRaw(link, "", third, 65536));
        EXPECT_TRUE(third.isNull());
    }
}

TEST(PSocketStreamPayload, ResumeBeyondTheEndOfTheFileIsRefused)
{
    TempDir dir;
    const std::string target = dir.file("short");
    ASSERT_TRUE(writeFile(target, "0123456789"));
    Link link(kPlain);
    ASSERT_TRUE(link.ok()) << link.error();
    link.receiver().SetRecv(binaryOf(target, 1000));
    PObject got;
    EXPECT_EQ(PSocketStream::ERR_SYS,
              receiveRaw(link, unhex("30 00 00 00 00 00 00 00 03") + "abc", got, 65536));
    EXPECT_EQ("0123456789", readFile(target));
}

TEST(PSocketStreamPayload, DropsUpToTheLimit)
{
    Link link(kPlain);
    ASSERT_TRUE(link.ok()) << link.error();
    const uint64_t limit = PSocketStream::kMaxDropSize;
    std::string header = unhex("42 10 00 01 66 30");
    for (int shift = 56; shift >= 0; shift -= 8)
        header += static_cast<char>((limit >> shift) & 0xFF);
    std::string wire = header + std::string(static_cast<size_t>(limit), '\0') + unhex("40");
    PObject got;
    ASSERT_EQ(PSocketStream::ERR_OK, receiveRaw(link, wire, got, 1 << 20));
    EXPECT_TRUE(got["f"].isBinary());
}

// The last compressed block may still sit in the staging buffer when the
// ring has run empty; Send must not report the object done before it left,
// or the receiver waits for bytes nobody sends (the harness stops calling
// Send after ERR_OK and reports the stall). A payload ends with a whole
// compressed window, which small socket buffers cannot take at once.
TEST(PSocketStreamCompression, SendIsDoneOnlyWhenCompressedBytesHaveLeft)
{
    const LinkMode lz4 = {"lz4", false, true};
    Link link(lz4, 8192);
    ASSERT_TRUE(link.ok()) << link.error();
    TempDir dir;
    const std::string content = makeContent(3 * 65536, 23); // incompressible
    ASSERT_TRUE(writeFile(dir.file("src"), content));
    link.receiver().SetRecvLocation(ustring(dir.file("dst")));
    PObject got;
    ASSERT_EQ("", transfer(link, binaryOf(dir.file("src")), got, Steps{{65536}, {65536}}));
    EXPECT_EQ(sha256Hex(content), sha256OfFile(got.asBinary().path.c_str_utf8()));
}
