// The frame scanner must find the exact end of every message the blocking
// codec writes, however the bytes are cut, and refuse what no command may
// carry at the byte where it shows.
#include "protocol/stream-message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

PObject Buffer(const std::string& bytes)
{
    PObject::buffer_type buffer;
    buffer.assign(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return PObject(buffer);
}

std::string Encode(const PObject& object)
{
    PStream stream;
    std::string bytes;
    EXPECT_EQ(PStream::ERR_OK, PStreamEncode(stream, object, bytes));
    return bytes;
}

struct Message {
    const char* name;
    PObject object;
};

std::vector<Message> Messages()
{
    PObject command;
    command["action"] = "set_peer";
    command["peer_id"] = static_cast<PObject::integer_type>(0x0123456789abcdefULL);
    command["concurrent"] = static_cast<int32_t>(3);
    command["zero"] = static_cast<PObject::integer_type>(0);
    command["ssl_signature"] = std::string(300, 's');

    PObject nested;
    nested["empty_map"].asMap();
    nested["empty_array"].asArray();
    nested["empty_string"] = "";
    nested["null"] = PObject();
    nested["buffer"] = Buffer(std::string(1000, '\0') + "tail");
    PObject inner;
    inner.asArray().push_back(PObject(static_cast<PObject::integer_type>(1)));
    inner.asArray().push_back(PObject());
    inner.asArray().push_back(nested);
    nested["list"] = inner;

    return {
        {"command", command},
        {"nested", nested},
        {"top_level_integer", PObject(static_cast<PObject::integer_type>(70000))},
        {"top_level_null", PObject()},
        {"empty_map", [] { PObject m; m.asMap(); return m; }()},
    };
}

// Feeds bytes in pieces of `piece` bytes; the index just past the message,
// or npos when it never completed. Bytes beyond the end must stay unused.
size_t FeedInPieces(const std::string& bytes, size_t piece, PStreamMessageScanner::Result& last)
{
    PStreamMessageScanner scanner;
    last = PStreamMessageScanner::NEED_MORE;
    for (size_t at = 0; at < bytes.size(); at += piece) {
        const size_t n = std::min(piece, bytes.size() - at);
        size_t used = 0;
        last = scanner.Feed(bytes.data() + at, n, used);
        if (last != PStreamMessageScanner::NEED_MORE)
            return last == PStreamMessageScanner::COMPLETE ? at + used : std::string::npos;
        EXPECT_EQ(n, used) << "an unfinished message takes every byte";
    }
    return std::string::npos;
}

TEST(PStreamMessageScanner, FindsTheEndOfEachMessageHoweverItIsCut)
{
    const std::string trailer("\x42\x40 next message", 15);
    for (const Message& message : Messages()) {
        const std::string bytes = Encode(message.object);
        for (size_t piece : {size_t(1), size_t(2), size_t(3), size_t(7), size_t(64), bytes.size() + trailer.size()}) {
            PStreamMessageScanner::Result last;
            EXPECT_EQ(bytes.size(), FeedInPieces(bytes + trailer, piece, last))
                << message.name << " in pieces of " << piece;
            EXPECT_EQ(PStreamMessageScanner::COMPLETE, last) << message.name;
            // Every proper prefix is unfinished.
            EXPECT_EQ(std::string::npos, FeedInPieces(bytes.substr(0, bytes.size() - 1), piece, last))
                << message.name << " without its last byte";
        }
        PStream stream;
        PObject decoded;
        ASSERT_EQ(PStream::ERR_OK, PStreamDecode(stream, bytes, decoded)) << message.name;
        EXPECT_EQ(message.object.toString(), decoded.toString()) << message.name;
    }
}

TEST(PStreamMessageScanner, RefusesAtTheOffendingByte)
{
    struct Row {
        const char* name;
        std::string bytes;
        PStreamMessageScanner::Result result;
        uint64_t scanned;  // bytes taken up to and with the offending one
    };
    const std::string key("\x42\x10\x00\x06" "action", 10);
    const std::vector<Row> rows = {
        {"binary_value", key + std::string("\x30\x00\x00\x01\x00\x00\x00\x00\x00", 9),
         PStreamMessageScanner::FILE_VALUE, 11},
        {"binary_ex_value", key + std::string("\x43\x00", 2), PStreamMessageScanner::FILE_VALUE, 11},
        {"unknown_tag", key + std::string("\x77", 1), PStreamMessageScanner::MALFORMED, 11},
        {"end_at_top", std::string("\x40", 1), PStreamMessageScanner::MALFORMED, 1},
        {"integer_wider_than_8", key + std::string("\x01\x09", 2) + std::string(9, '\x01'),
         PStreamMessageScanner::MALFORMED, 12},
        {"null_with_a_length", key + std::string("\x00\x01", 2), PStreamMessageScanner::MALFORMED, 12},
    };
    for (const Row& row : rows) {
        PStreamMessageScanner scanner;
        size_t used = 0;
        EXPECT_EQ(row.result, scanner.Feed(row.bytes.data(), row.bytes.size(), used)) << row.name;
        EXPECT_EQ(row.scanned, scanner.Scanned()) << row.name;
    }
}

TEST(PStreamMessageScanner, AnnouncedLengthsCountBeforeTheirBodies)
{
    // {"k": <buffer announcing 32 MiB>}: the header alone says how long the
    // message is at least.
    const std::string header("\x42\x10\x00\x01k\x20\x02\x00\x00\x00", 10);
    PStreamMessageScanner scanner;
    size_t used = 0;
    ASSERT_EQ(PStreamMessageScanner::NEED_MORE, scanner.Feed(header.data(), header.size(), used));
    EXPECT_EQ(header.size() + (32u << 20), scanner.LeastLength());
    const std::string some(1000, 'b');
    ASSERT_EQ(PStreamMessageScanner::NEED_MORE, scanner.Feed(some.data(), some.size(), used));
    EXPECT_EQ(header.size() + (32u << 20), scanner.LeastLength()) << "the body does not move the end";
    EXPECT_EQ(header.size() + some.size(), scanner.Scanned());

    scanner.Reset();
    EXPECT_EQ(0u, scanner.LeastLength());
}

TEST(PStreamMessageScanner, DecodeKeepsTheCodecsLimits)
{
    PObject command;
    for (int i = 0; i < 20; ++i)
        command["k" + std::to_string(i)] = static_cast<PObject::integer_type>(i);
    const std::string bytes = Encode(command);

    PStream values;
    values.SetReceiveBudget(UINT64_MAX, 10);
    PObject out;
    EXPECT_EQ(PStream::ERR_STREAM, PStreamDecode(values, bytes, out));
    EXPECT_EQ(PStream::REFUSED_VALUES, values.GetRefusal());

    PStream budget;
    budget.SetReceiveBudget(bytes.size() - 1, PStream::kMaxValuesPerMessage);
    EXPECT_EQ(PStream::ERR_STREAM, PStreamDecode(budget, bytes, out));
    EXPECT_EQ(PStream::REFUSED_BYTES, budget.GetRefusal());

    PStream exact;
    exact.SetReceiveBudget(bytes.size(), PStream::kMaxValuesPerMessage);
    PObject whole;
    EXPECT_EQ(PStream::ERR_OK, PStreamDecode(exact, bytes, whole));
    EXPECT_EQ(command.toString(), whole.toString());

    PStream cut;
    EXPECT_EQ(PStream::ERR_IO, PStreamDecode(cut, bytes.substr(0, bytes.size() - 1), out))
        << "a message cut short fails instead of reading past its bytes";
}

} // namespace
