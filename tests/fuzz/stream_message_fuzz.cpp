// The command port's frame scanner against the blocking codec it gathers
// for, on arbitrary bytes read as messages back to back:
//  - where the scanner finds a message complete after N bytes, the codec
//    (with the port's settings) decodes those N bytes and reads exactly N
//    from the stream, unless the message breaks a rule the scanner leaves to
//    the decoder (a map member that is not a string key and a value, nesting
//    beyond the codec's depth), which the codec must then refuse;
//  - where the scanner refuses (a bad tag or length, a file value, a length
//    beyond the port's byte budget), the codec refuses too;
//  - where the bytes run out first, the codec does not succeed;
//  - the same bytes fed in pieces of any size give the same answer at the
//    same byte.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "log.h"
#include "protocol/stream-message.h"
#include "pstream_memory_channel.h"
#include "stream_tags.h"

namespace {

using namespace stream_tags;

// The command port's budgets (transfer-service-impl-control.cpp).
constexpr uint64_t kMaxBytes = 16u << 20;
constexpr size_t kMaxValues = 1u << 20;

// What the port makes of one message: the scanner's result, with a
// message announcing more than the budget refused as the port does.
struct Verdict {
    enum Kind { NEED_MORE, COMPLETE, MALFORMED, FILE_VALUE, TOO_LONG } kind = NEED_MORE;
    size_t end = 0;        // bytes of the message when COMPLETE
    uint64_t scanned = 0;  // the scanner's count when it stopped

    // A message over the budget is refused at the piece that shows it,
    // so where the scanner was then depends on the cut.
    bool operator==(const Verdict& other) const
    {
        return kind == other.kind && end == other.end && (kind == TOO_LONG || scanned == other.scanned);
    }
};

// Feeds bytes in the pieces next() sizes, checking the port's budget after
// each piece as the port does.
template <typename NextPiece>
Verdict Scan(const uint8_t* bytes, size_t size, NextPiece next)
{
    PStreamMessageScanner scanner;
    Verdict verdict;
    for (size_t at = 0; at < size;) {
        const size_t n = std::min(next(at), size - at);
        size_t used = 0;
        const PStreamMessageScanner::Result r = scanner.Feed(reinterpret_cast<const char*>(bytes) + at, n, used);
        verdict.scanned = scanner.Scanned();
        if (scanner.LeastLength() > kMaxBytes) {
            verdict.kind = Verdict::TOO_LONG;
            return verdict;
        }
        switch (r) {
        case PStreamMessageScanner::COMPLETE:
            if (used == 0 || used > n || scanner.Scanned() != at + used)
                std::abort();
            verdict.kind = Verdict::COMPLETE;
            verdict.end = at + used;
            return verdict;
        case PStreamMessageScanner::MALFORMED:
            verdict.kind = Verdict::MALFORMED;
            return verdict;
        case PStreamMessageScanner::FILE_VALUE:
            verdict.kind = Verdict::FILE_VALUE;
            return verdict;
        case PStreamMessageScanner::NEED_MORE:
            if (used != n)
                std::abort();  // an unfinished message takes every byte
            break;
        }
        at += n;
    }
    return verdict;
}

// Whether one well-framed message breaks a rule the scanner does not check
// and the decoder does: map members in pairs of a string key and a value,
// nesting at most PStream::kMaxDepth, at most kMaxValues values (keys not
// counted). Aborts where the framing the scanner accepted does not hold.
bool BreaksDecoderRules(const uint8_t* bytes, size_t size)
{
    enum Slot { VALUE, MAP_KEY, MAP_VALUE };
    std::vector<bool> in_map;  // open containers, innermost last
    Slot slot = VALUE;
    bool broken = false;
    size_t values = 0;
    size_t at = 0;
    auto need = [&](size_t n) {
        if (n > size - at)
            std::abort();
    };
    auto count = [&](size_t width) {
        need(width);
        uint64_t n = 0;
        for (size_t i = 0; i < width; ++i)
            n = (n << 8) | bytes[at + i];
        at += width;
        return n;
    };
    for (;;) {
        need(1);
        const uint8_t tag = bytes[at++];
        if (slot == MAP_KEY && tag != TAG_STRING && tag != TAG_END)
            broken = true;
        if (slot == MAP_VALUE && tag == TAG_END)
            broken = true;
        if (slot != MAP_KEY && tag != TAG_END)
            ++values;
        switch (tag) {
        case TAG_NULL:
            if (count(1) != 0)
                std::abort();
            break;
        case TAG_INTEGER: {
            const uint64_t width = count(1);
            if (width > 8)
                std::abort();
            need(width);
            at += width;
            break;
        }
        case TAG_STRING:
        case TAG_BUFFER: {
            const uint64_t length = count(tag == TAG_STRING ? 2 : 4);
            need(length);
            at += length;
            break;
        }
        case TAG_ARRAY:
        case TAG_MAP:
            in_map.push_back(tag == TAG_MAP);
            if (in_map.size() > PStream::kMaxDepth)
                broken = true;
            slot = tag == TAG_MAP ? MAP_KEY : VALUE;
            continue;
        case TAG_END:
            if (in_map.empty())
                std::abort();
            in_map.pop_back();
            break;
        default:
            std::abort();
        }
        // A value ended (or a key did).
        if (in_map.empty()) {
            if (at != size)
                std::abort();
            return broken || values > kMaxValues;
        }
        if (in_map.back())
            slot = (slot == MAP_KEY && tag != TAG_END) ? MAP_VALUE : MAP_KEY;
        else
            slot = VALUE;
    }
}

PStream& PortStream(PStream& stream)
{
    stream.SetFileValuesAllowed(false);
    stream.SetReceiveBudget(kMaxBytes, kMaxValues);
    return stream;
}

// The pieces of one message's bytes are cut into: every size for short
// messages, the small sizes and a few large ones for long ones, and an
// uneven cut drawn from the bytes themselves.
void CheckPieces(const uint8_t* bytes, size_t size, const Verdict& whole)
{
    std::vector<size_t> sizes;
    const size_t every = size <= 512 ? size : 64;
    for (size_t piece = 1; piece < every; ++piece)
        sizes.push_back(piece);
    if (size > every)
        sizes.insert(sizes.end(), {size / 3 + 1, size / 2, size - 1, 4093});
    for (size_t piece : sizes) {
        if (!(Scan(bytes, size, [piece](size_t) { return piece; }) == whole))
            std::abort();
    }
    const Verdict uneven = Scan(bytes, size, [bytes, size](size_t at) {
        return at < size ? size_t(bytes[at] % 13) + 1 : size_t(1);
    });
    if (!(uneven == whole))
        std::abort();
}

void WriteSeed(const std::string& dir, const std::string& name, const std::string& bytes)
{
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out << bytes;
}

// A command as a client sends it, two messages back to back, and a few
// that the decoder refuses though their frame is whole.
void WriteSeeds(const std::string& dir)
{
    PObject command;
    command["action"] = "set_peer";
    command["peer_id"] = static_cast<PObject::integer_type>(0x0123456789abcdefULL);
    command["list"].asArray().push_back(PObject());
    PObject::buffer_type buffer;
    buffer.assign("\0abc", 4);
    command["list"].asArray().push_back(PObject(buffer));
    command["empty"].asMap();
    PStream stream;
    std::string bytes;
    if (PStreamEncode(stream, command, bytes) != PStream::ERR_OK)
        std::abort();
    WriteSeed(dir, "command", bytes);
    WriteSeed(dir, "two-commands", bytes + bytes);
    WriteSeed(dir, "key-without-value", std::string("\x42\x10\x00\x01k\x40", 6));
    WriteSeed(dir, "integer-key", std::string("\x42\x01\x01\x07\x00\x00\x40", 7));
    WriteSeed(dir, "deep", std::string(70, '\x41') + std::string(70, '\x40'));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Quiet: the codec logs every refusal.
    Logger::Destroy();
    if (const char* dir = std::getenv("QM_FUZZ_SEED_DIR"))
        WriteSeeds(dir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The codec reads the messages one after another from one stream, as a
    // blocking reader of the same bytes would.
    MemoryChannel channel(std::string(reinterpret_cast<const char*>(data), size));
    size_t start = 0;
    while (start < size) {
        const uint8_t* bytes = data + start;
        const size_t left = size - start;
        const Verdict verdict = Scan(bytes, left, [left](size_t) { return left; });
        CheckPieces(bytes, left, verdict);

        PStream stream;
        PObject read;
        const int rc = PortStream(stream).Recv(channel, read);
        if (verdict.kind != Verdict::COMPLETE) {
            // Refused by the scanner: the codec refuses the same bytes.
            // Unfinished: the codec cannot have found a whole message.
            const bool refused = verdict.kind != Verdict::NEED_MORE;
            if (refused ? rc != PStream::ERR_STREAM : rc == PStream::ERR_OK)
                std::abort();
            return 0;
        }
        // What the port decodes: the message's bytes alone.
        const std::string message(reinterpret_cast<const char*>(bytes), verdict.end);
        PStream port;
        PObject decoded;
        const int port_rc = PStreamDecode(PortStream(port), message, decoded);
        if (BreaksDecoderRules(bytes, verdict.end)) {
            if (rc != PStream::ERR_STREAM || port_rc != PStream::ERR_STREAM)
                std::abort();
            return 0;
        }
        if (rc != PStream::ERR_OK || port_rc != PStream::ERR_OK || channel.input_pos != start + verdict.end ||
            !(decoded == read))
            std::abort();
        start += verdict.end;
    }
    return 0;
}
