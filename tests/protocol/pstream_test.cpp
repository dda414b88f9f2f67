#include "protocol/stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "pstream_memory_channel.h"
#include "pstream_test_util.h"

namespace {

PObject Int(uint64_t value) {
    return PObject(value);
}

PObject Buffer(const std::string& bytes) {
    PObject::buffer_type buffer;
    buffer.assign(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return PObject(buffer);
}

PObject Nested(size_t depth) {
    PObject value = Int(1);
    for (size_t i = 0; i < depth; ++i) {
        PObject outer;
        outer.asArray().push_back(std::move(value));
        value = std::move(outer);
    }
    return value;
}

std::string NestedArrayBytes(size_t depth) {
    return std::string(depth, '\x41') + Hex("01 01 01") + std::string(depth, '\x40');
}

int Decode(const std::string& bytes, PObject& out, size_t* consumed = nullptr) {
    MemoryChannel channel(bytes);
    PStream stream;
    int rc = stream.Recv(channel, out);
    if (consumed != nullptr)
        *consumed = channel.input_pos;
    return rc;
}

struct EncodingCase {
    const char* name;
    PObject value;
    std::string bytes;
};

std::vector<EncodingCase> EncodingCases() {
    PObject auth;
    auth["_action"] = "auth";
    auth["n"] = Int(300);
    PObject with_null;
    with_null["k"] = PObject();
    PObject list;
    list.asArray() = {Int(1), PObject()};
    PObject empty_map;
    empty_map.asMap();
    PObject empty_array;
    empty_array.asArray();
    return {
        {"null", PObject(), Hex("00 00")},
        {"zero", Int(0), Hex("01 01 00")},
        {"255", Int(255), Hex("01 01 FF")},
        {"256", Int(256), Hex("01 02 01 00")},
        {"65535", Int(65535), Hex("01 02 FF FF")},
        {"65536", Int(65536), Hex("01 04 00 01 00 00")},
        {"u32 max", Int(4294967295ULL), Hex("01 04 FF FF FF FF")},
        {"2^32", Int(4294967296ULL), Hex("01 08 00 00 00 01 00 00 00 00")},
        {"u64 max", Int(~0ULL), Hex("01 08 FF FF FF FF FF FF FF FF")},
        {"empty string", PObject(""), Hex("10 00 00")},
        {"string", PObject("ab"), Hex("10 00 02 61 62")},
        {"empty buffer", Buffer(""), Hex("20 00 00 00 00")},
        {"buffer", Buffer(std::string("x\0z", 3)), Hex("20 00 00 00 03 78 00 7A")},
        {"empty map", empty_map, Hex("42 40")},
        {"empty array", empty_array, Hex("41 40")},
        {"array with null", list, Hex("41 01 01 01 00 00 40")},
        {"null member", with_null, Hex("42 10 00 01 6B 00 00 40")},
        // The worked example: "_action" goes out as "action" and sorts first.
        {"auth request", auth,
         Hex("42 10 00 06") + "action" + Hex("10 00 04") + "auth" + Hex("10 00 01") + "n" +
             Hex("01 02 01 2C 40")},
    };
}

TEST(PStreamTest, EncodesByteExactAndDecodesBack) {
    for (const EncodingCase& c : EncodingCases()) {
        MemoryChannel channel;
        PStream stream;
        ASSERT_EQ(PStream::ERR_OK, stream.Send(channel, c.value)) << c.name;
        EXPECT_EQ(ToHex(c.bytes), ToHex(channel.output)) << c.name;

        PObject decoded;
        size_t consumed = 0;
        ASSERT_EQ(PStream::ERR_OK, Decode(c.bytes, decoded, &consumed)) << c.name;
        EXPECT_EQ(c.bytes.size(), consumed) << c.name;
        if (std::string(c.name) == "auth request") {
            // Readers keep keys as they arrive: the "_" does not come back.
            EXPECT_EQ("auth", decoded["action"].asString());
            EXPECT_EQ(300u, decoded["n"].asInteger());
        } else {
            EXPECT_EQ(c.value, decoded) << c.name << ": " << decoded.toString();
        }
    }
}

TEST(PStreamTest, LongStringsAtTheCountLimit) {
    MemoryChannel channel;
    PStream stream;
    const std::string longest(65535, 'q');
    ASSERT_EQ(PStream::ERR_OK, stream.Send(channel, PObject(longest)));
    EXPECT_EQ(Hex("10 FF FF"), channel.output.substr(0, 3));
    EXPECT_EQ(3u + 65535u, channel.output.size());
    PObject decoded;
    ASSERT_EQ(PStream::ERR_OK, Decode(channel.output, decoded));
    EXPECT_EQ(longest, decoded.asString());
}

TEST(PStreamTest, SendRefusesWhatTheFormatCannotCarryBeforeWriting) {
    PObject long_string(std::string(65536, 'q'));
    PObject long_member;
    long_member["ok"] = "x";
    long_member["z"] = long_string;
    PObject long_key;
    long_key[std::string(65536, 'k')] = Int(1);
    PObject underscore_key;  // the leading "_" is dropped, so this one fits
    underscore_key["_" + std::string(65535, 'k')] = Int(1);

    struct Case {
        const char* name;
        PObject value;
        int expected;
    };
    const std::vector<Case> cases = {
        {"string of 65536 bytes", long_string, PStream::ERR_INPUT},
        {"long string inside a map", long_member, PStream::ERR_INPUT},
        {"key of 65536 bytes", long_key, PStream::ERR_INPUT},
        {"too deep", Nested(PStream::kMaxDepth + 1), PStream::ERR_INPUT},
        {"deepest allowed", Nested(PStream::kMaxDepth), PStream::ERR_OK},
        {"key of 65535 bytes after its underscore", underscore_key, PStream::ERR_OK},
    };
    for (const Case& c : cases) {
        MemoryChannel channel;
        PStream stream;
        EXPECT_EQ(c.expected, stream.Send(channel, c.value)) << c.name;
        if (c.expected != PStream::ERR_OK) {
            EXPECT_TRUE(channel.output.empty()) << c.name;
        }
    }
}

TEST(PStreamTest, DuplicateWireKeysMergeIntoTheLaterValue) {
    PObject map;
    map["_a"] = Int(1);
    map["a"] = Int(2);
    MemoryChannel channel;
    PStream stream;
    ASSERT_EQ(PStream::ERR_OK, stream.Send(channel, map));
    EXPECT_EQ(Hex("42 10 00 01 61 01 01 01 10 00 01 61 01 01 02 40"), channel.output);
    PObject decoded;
    ASSERT_EQ(PStream::ERR_OK, Decode(channel.output, decoded));
    EXPECT_EQ("{\"a\": 2}", decoded.toString());
}

TEST(PStreamTest, DecodesOtherWritersIntegerLengths) {
    struct Case {
        const char* bytes;
        uint64_t value;
    };
    const Case cases[] = {
        {"01 00", 0},
        {"01 03 01 00 00", 65536},
        {"01 05 01 00 00 00 00", 4294967296ULL},
        {"01 07 00 00 00 00 00 00 2A", 42},
    };
    for (const Case& c : cases) {
        PObject decoded;
        ASSERT_EQ(PStream::ERR_OK, Decode(Hex(c.bytes), decoded)) << c.bytes;
        EXPECT_EQ(c.value, decoded.asInteger()) << c.bytes;
    }
}

TEST(PStreamTest, RejectsInvalidAndHostileMessages) {
    struct Case {
        const char* name;
        std::string bytes;
        int expected;
    };
    const std::vector<Case> cases = {
        {"null with non-zero length", Hex("00 01"), PStream::ERR_STREAM},
        {"null with length 7", Hex("00 07"), PStream::ERR_STREAM},
        {"unknown tag", Hex("44"), PStream::ERR_STREAM},
        {"end tag as a value", Hex("40"), PStream::ERR_STREAM},
        {"end tag as a map value", Hex("42 10 00 01 61 40"), PStream::ERR_STREAM},
        {"map key not a string", Hex("42 01 01 05 40"), PStream::ERR_STREAM},
        {"integer length 9", Hex("01 09 00 00 00 00 00 00 00 00 01"), PStream::ERR_STREAM},
        {"integer length 255", Hex("01 FF"), PStream::ERR_STREAM},
        {"buffer count 4 GiB", Hex("20 FF FF FF FF 00"), PStream::ERR_STREAM},
        {"buffer just above the limit", Hex("20 04 00 00 01"), PStream::ERR_STREAM},
        {"buffer count larger than the bytes", Hex("20 03 FF FF FF 00 01"), PStream::ERR_IO},
        {"nesting above the limit", NestedArrayBytes(PStream::kMaxDepth + 1),
         PStream::ERR_STREAM},
        {"unbounded nesting", std::string(100000, '\x42'), PStream::ERR_STREAM},
        {"empty input", "", PStream::ERR_IO},
        {"string cut short", Hex("10 00 05 61 62"), PStream::ERR_IO},
        {"integer cut short", Hex("01 04 00 01"), PStream::ERR_IO},
        {"map without end", Hex("42 10 00 01 61 01 01 01"), PStream::ERR_IO},
        {"array without end", Hex("41 01 01 01"), PStream::ERR_IO},
        {"binary_ex key not a string", Hex("43 01 01 00"), PStream::ERR_STREAM},
    };
    for (const Case& c : cases) {
        PObject decoded;
        EXPECT_EQ(c.expected, Decode(c.bytes, decoded)) << c.name;
    }
}

TEST(PStreamTest, DeepestAllowedNestingDecodes) {
    PObject decoded;
    ASSERT_EQ(PStream::ERR_OK, Decode(NestedArrayBytes(PStream::kMaxDepth), decoded));
    EXPECT_EQ(Nested(PStream::kMaxDepth), decoded);
}

TEST(PStreamTest, StringEndsAtEmbeddedZeroByte) {
    PObject decoded;
    size_t consumed = 0;
    ASSERT_EQ(PStream::ERR_OK, Decode(Hex("10 00 05 61 62 00 63 64"), decoded, &consumed));
    EXPECT_EQ("ab", decoded.asString());
    EXPECT_EQ(8u, consumed);  // the bytes after the zero byte were consumed
}

TEST(PStreamTest, KeepZeroBytesDeliversTheWholeString) {
    MemoryChannel channel(Hex("42 10 00 03 6B 00 78 10 00 05 61 62 00 63 64 40"));
    PStream stream;
    stream.SetKeepZeroBytes(true);
    PObject decoded;
    ASSERT_EQ(PStream::ERR_OK, stream.Recv(channel, decoded));
    ASSERT_TRUE(decoded.hasMember(std::string("k\0x", 3)));
    EXPECT_EQ(std::string("ab\0cd", 5), decoded[std::string("k\0x", 3)].asString());
}

// A reader's limits stop a message at the value that crosses them, before
// its body is read or any memory or file is taken for it.
TEST(PStreamTest, ReceiveLimitsRefuseBeforeTakingAnything) {
    struct Case {
        const char* name;
        std::string bytes;
        uint64_t max_bytes;
        size_t max_values;
        PStream::Refusal refusal;
        size_t consumed;  // bytes read when the message was refused
    };
    const std::string within = Hex("41 10 00 02 61 62 01 01 07 40");  // ["ab", 7]: 10 bytes, 3 values
    const std::vector<Case> cases = {
        {"within both", within, 10, 3, PStream::REFUSED_NONE, 10},
        {"one byte over", within, 9, 3, PStream::REFUSED_BYTES, 9},
        {"string body over", within, 5, 3, PStream::REFUSED_BYTES, 4},
        {"one value over", within, 10, 2, PStream::REFUSED_VALUES, 7},
        {"buffer announced over", Hex("20 00 10 00 00") + std::string(16, 'x'), 1000, 10,
         PStream::REFUSED_BYTES, 5},
        {"binary", Hex("42 10 00 01 61 30 40 00 00 00 00 00 00 00 78 40"), 1000, 10,
         PStream::REFUSED_FILE_VALUE, 6},
        {"binary_ex", Hex("41 43 10 00 06") + "binary" + Hex("30 00 00 00 00 00 00 00 01 78"), 1000, 10,
         PStream::REFUSED_FILE_VALUE, 2},
        {"nesting", NestedArrayBytes(PStream::kMaxDepth + 1), 1000, 1000, PStream::REFUSED_DEPTH,
         PStream::kMaxDepth + 1},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryChannel channel(c.bytes);
        PStream stream;
        stream.SetFileValuesAllowed(false);
        stream.SetReceiveBudget(c.max_bytes, c.max_values);
        stream.SetDefaultRecvLocation(dir.file("recv"));
        PObject decoded;
        const int rc = stream.Recv(channel, decoded);
        EXPECT_EQ(c.refusal == PStream::REFUSED_NONE ? PStream::ERR_OK : PStream::ERR_STREAM, rc);
        EXPECT_EQ(c.refusal, stream.GetRefusal());
        EXPECT_EQ(c.consumed, channel.input_pos);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "no file for a refused file value";

    // The refusal is the last message's: a good one clears it.
    MemoryChannel channel(Hex("30 00 00 00 00 00 00 00 00 01 01 05"));
    PStream stream;
    stream.SetFileValuesAllowed(false);
    PObject decoded;
    EXPECT_EQ(PStream::ERR_STREAM, stream.Recv(channel, decoded));
    EXPECT_EQ(PStream::REFUSED_FILE_VALUE, stream.GetRefusal());
    channel.input_pos = 9;
    EXPECT_EQ(PStream::ERR_OK, stream.Recv(channel, decoded));
    EXPECT_EQ(PStream::REFUSED_NONE, stream.GetRefusal());
}

TEST(PStreamTest, ReceivingMergesIntoTheTargetObject) {
    const std::string b2 = Hex("42 10 00 01 62 01 01 02 40");
    struct Case {
        const char* name;
        PObject target;
        std::string bytes;
        const char* expected;
    };
    PObject map_a;
    map_a["a"] = Int(1);
    PObject array_1;
    array_1.asArray().push_back(Int(1));
    const std::vector<Case> cases = {
        {"map into map", map_a, b2, "{\"a\": 1, \"b\": 2}"},
        {"map into integer", Int(5), b2, "{\"b\": 2}"},
        {"array appends", array_1, Hex("41 01 01 02 40"), "[1, 2]"},
        {"null replaces a string", PObject("text"), Hex("00 00"), "null"},
        {"string replaces a string", PObject("old"), Hex("10 00 01 6E"), "\"n\""},
        {"buffer replaces a buffer", Buffer("longer"), Hex("20 00 00 00 01 41"),
         "{data_length: 1, }"},
    };
    for (const Case& c : cases) {
        PObject target = c.target;
        ASSERT_EQ(PStream::ERR_OK, Decode(c.bytes, target)) << c.name;
        EXPECT_EQ(c.expected, target.toString()) << c.name;
    }
}

TEST(PStreamTest, ChannelFailuresGiveIoErrorAndLeaveNoHistory) {
    PObject message;
    message["_x"] = Int(1);
    message["y"]["z"] = "deep";
    // Fail at every byte position of the message, and at the flush.
    MemoryChannel reference;
    PStream stream;
    ASSERT_EQ(PStream::ERR_OK, stream.Send(reference, message));
    for (size_t budget = 0; budget <= reference.output.size(); ++budget) {
        MemoryChannel channel;
        channel.write_budget = budget;
        channel.fail_flush = budget == reference.output.size();
        EXPECT_EQ(PStream::ERR_IO, stream.Send(channel, message)) << budget;
        std::string history = "unset";
        uint64_t sent = 1, size = 1;
        stream.GetStatus(history, sent, size);
        EXPECT_EQ("", history);
        EXPECT_EQ(0u, sent);
        EXPECT_EQ(0u, size);
    }
    // The stream stays usable.
    MemoryChannel channel;
    EXPECT_EQ(PStream::ERR_OK, stream.Send(channel, message));
    EXPECT_EQ(reference.output, channel.output);
}

TEST(PStreamTest, FailureLogsTheKeyPath) {
    LogCapture log(Logger::L_ERR);
    // {"a": {"b": <string cut short>}}
    const std::string bytes = Hex("42 10 00 01 61 42 10 00 01 62 10 00 09 61");
    PObject decoded;
    ASSERT_EQ(PStream::ERR_IO, Decode(bytes, decoded));
    EXPECT_NE(std::string::npos, log.Text().find("Error stack: a.b\n")) << log.Text();
}

TEST(PStreamTest, UnknownTagLogsOnlyAnEmptyErrorStack) {
    LogCapture log(Logger::L_ERR);
    PObject decoded;
    ASSERT_EQ(PStream::ERR_STREAM, Decode(Hex("44"), decoded));
    const std::string text = log.Text();
    EXPECT_NE(std::string::npos, text.find("Error stack: \n")) << text;
    EXPECT_EQ(1, std::count(text.begin(), text.end(), '\n')) << text;
}

TEST(PStreamTest, NamedRejectionsAreLogged) {
    struct Case {
        const char* bytes;
        const char* message;
    };
    const Case cases[] = {
        {"42 01 01 05 40", "PStream: expect string, but get tag 1"},
        {"00 07", "expect length 0, but we've got 7"},
    };
    for (const Case& c : cases) {
        LogCapture log(Logger::L_ERR);
        PObject decoded;
        ASSERT_EQ(PStream::ERR_STREAM, Decode(Hex(c.bytes), decoded));
        EXPECT_NE(std::string::npos, log.Text().find(c.message)) << log.Text();
    }
}

TEST(PStreamTest, DebugTraceListsTheMessageIndented) {
    PObject message;
    message["a"].asArray().push_back(Int(1));
    const char* expected_lines[] = {"] {\n", "]   \"a\"\n", "]   [\n", "]     1\n", "]   ]\n",
                                    "] }\n"};
    for (int receive = 0; receive < 2; ++receive) {
        LogCapture log(Logger::L_DEBUG);
        MemoryChannel channel(Hex("42 10 00 01 61 41 01 01 01 40 40"));
        PStream stream;
        PObject decoded;
        ASSERT_EQ(PStream::ERR_OK,
                  receive ? stream.Recv(channel, decoded) : stream.Send(channel, message));
        // Each trace line follows the time prefix, whose seconds end in a digit;
        // compare from the last blank-free prefix on.
        std::string text = log.Text();
        std::string trace;
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            // "Mon dd hh:mm:ss " is 16 characters.
            if (line.size() > 16)
                trace += "] " + line.substr(16) + "\n";
        }
        std::string expected;
        for (const char* l : expected_lines)
            expected += l;
        EXPECT_EQ(expected, trace) << text;
    }
}

TEST(PStreamTest, DebugTraceMasksCredentials) {
    PObject message;
    message["user"] = "alice";
    message["password"] = "hunter2-secret";
    message["otp"] = "918273";
    for (int receive = 0; receive < 2; ++receive) {
        SCOPED_TRACE(receive ? "receive" : "send");
        MemoryChannel wire;
        ASSERT_EQ(PStream::ERR_OK, PStream().Send(wire, message));
        LogCapture log(Logger::L_DEBUG);
        PObject decoded;
        MemoryChannel channel(wire.output);
        PStream stream;
        ASSERT_EQ(PStream::ERR_OK, receive ? stream.Recv(channel, decoded) : stream.Send(channel, message));
        const std::string text = log.Text();
        EXPECT_EQ(std::string::npos, text.find("hunter2-secret")) << text;
        EXPECT_EQ(std::string::npos, text.find("918273")) << text;
        EXPECT_NE(std::string::npos, text.find("\"alice\"")) << "other values are still traced";
        EXPECT_NE(std::string::npos, text.find("\"***\"")) << text;
        if (receive) {
            EXPECT_EQ("hunter2-secret", decoded["password"].asString()) << "only the trace is masked";
        }
    }
}

TEST(PStreamTest, VersionIsOneZeroZero) {
    unsigned major = 9, minor = 9, patch = 9;
    PStream::GetVersion(major, minor, patch);
    EXPECT_EQ(1u, major);
    EXPECT_EQ(0u, minor);
    EXPECT_EQ(0u, patch);
}

TEST(PStreamTest, ManyMessagesOnOneStream) {
    PObject listing;
    listing["is_dir"] = Int(1);
    for (int i = 0; i < 1000; ++i) {
        PObject entry;
        entry["name"] = "file-" + std::to_string(i);
        entry["size"] = Int(uint64_t(i) << 33);
        entry["mtime"] = Int(1700000000 + i);
        entry["is_dir"] = Int(i % 2);
        listing["node_list"].asArray().push_back(entry);
    }
    MemoryChannel channel;
    PStream stream;
    ASSERT_EQ(PStream::ERR_OK, stream.Send(channel, listing));
    ASSERT_EQ(PStream::ERR_OK, stream.Send(channel, PObject("next")));
    channel.input = channel.output;
    PObject first, second;
    ASSERT_EQ(PStream::ERR_OK, stream.Recv(channel, first));
    ASSERT_EQ(PStream::ERR_OK, stream.Recv(channel, second));
    EXPECT_EQ(listing, first);
    EXPECT_EQ("next", second.asString());
    EXPECT_EQ(channel.input.size(), channel.input_pos);
}

// Keeps what a sink is handed, and how many messages began.
class CollectingSink : public PStreamArraySink {
public:
    void Begin() override { ++messages; }
    void Take(PObject& element) override { taken.push_back(element); }
    int messages = 0;
    std::vector<PObject> taken;
};

TEST(PStreamTest, ArraySinkTakesTheTopLevelArrayElementByElement) {
    PObject entry_a, entry_b;
    entry_a["name"] = "a";
    entry_a["size"] = Int(1);
    entry_b["name"] = "b";
    entry_b["size"] = Int(70000);
    PObject message;
    message["is_dir"] = Int(1);
    message["node_list"].asArray() = {entry_a, entry_b};
    message["deeper"]["node_list"].asArray() = {Int(3)};  // not at the top: kept
    MemoryChannel channel;
    PStream writer;
    ASSERT_EQ(PStream::ERR_OK, writer.Send(channel, message));
    PObject not_an_array;
    not_an_array["node_list"] = "text";
    ASSERT_EQ(PStream::ERR_OK, writer.Send(channel, not_an_array));
    channel.input = channel.output;

    CollectingSink sink;
    PStream stream;
    stream.SetArraySink("node_list", &sink);
    PObject decoded;
    ASSERT_EQ(PStream::ERR_OK, stream.Recv(channel, decoded));
    EXPECT_EQ(1, sink.messages);
    ASSERT_EQ(2u, sink.taken.size());
    EXPECT_EQ(entry_a, sink.taken[0]);
    EXPECT_EQ(entry_b, sink.taken[1]);
    // The rest of the message as it was sent, the sunk array empty.
    PObject expected = message;
    expected["node_list"].asArray().clear();
    EXPECT_EQ(expected, decoded);

    // Under the key but not an array: decoded as any member.
    PObject second;
    ASSERT_EQ(PStream::ERR_OK, stream.Recv(channel, second));
    EXPECT_EQ(2, sink.messages);
    EXPECT_EQ(2u, sink.taken.size());
    EXPECT_EQ(not_an_array, second);
    EXPECT_EQ(channel.input.size(), channel.input_pos);
}

TEST(PStreamTest, ArraySinkElementsCountAgainstTheLimits) {
    // {"l": [1, 2, 3]}: 5 values.
    const std::string bytes = Hex("42 10 00 01 6C 41 01 01 01 01 01 02 01 01 03 40 40");
    struct Case {
        const char* name;
        size_t max_values;
        PStream::Refusal refusal;
        size_t taken;
    };
    for (const Case& c : {Case{"within", 5, PStream::REFUSED_NONE, 3}, Case{"one over", 4, PStream::REFUSED_VALUES, 2}}) {
        SCOPED_TRACE(c.name);
        MemoryChannel channel(bytes);
        CollectingSink sink;
        PStream stream;
        stream.SetReceiveBudget(1000, c.max_values);
        stream.SetArraySink("l", &sink);
        PObject decoded;
        EXPECT_EQ(c.refusal == PStream::REFUSED_NONE ? PStream::ERR_OK : PStream::ERR_STREAM,
                  stream.Recv(channel, decoded));
        EXPECT_EQ(c.refusal, stream.GetRefusal());
        EXPECT_EQ(c.taken, sink.taken.size());
    }
}

}  // namespace
