// Gathering messages of the blocking codec without blocking: the frame
// scanner, and the codec run over bytes in memory.
#include "protocol/stream-message.h"

#include <algorithm>
#include <cstring>

#include "channel/channel.h"
#include "stream_tags.h"

namespace {

using namespace stream_tags;

const uint8_t kMaxIntegerWidth = 8;

// The codec's peer as memory: reads come from a block of bytes, writes are
// appended to a string. Nothing else of a channel is used by messages
// without file values.
class MemoryBytesChannel : public Channel {
public:
    MemoryBytesChannel(const std::string* input, std::string* output)
        : Channel(0), m_input(input), m_output(output)
    {
    }

    int Read(char* buf, size_t n) override
    {
        size_t got = 0;
        return Read(buf, n, got);
    }

    int Read(char* buf, size_t n, size_t& got) override
    {
        const size_t left = m_input ? m_input->size() - m_pos : 0;
        got = std::min(n, left);
        if (got != 0)
            std::memcpy(buf, m_input->data() + m_pos, got);
        m_pos += got;
        return got == n ? ERR_OK : ERR_IO;
    }

    int Write(const char* buf, size_t n) override
    {
        if (!m_output)
            return ERR_IO;
        m_output->append(buf, n);
        return ERR_OK;
    }

    int FlushWrite(int) override { return m_output ? ERR_OK : ERR_IO; }

private:
    const std::string* m_input;
    std::string* m_output;
    size_t m_pos = 0;
};

} // namespace

void PStreamMessageScanner::Reset()
{
    *this = PStreamMessageScanner();
}

PStreamMessageScanner::Result PStreamMessageScanner::StartValue(uint8_t tag)
{
    switch (tag) {
    case TAG_NULL:
        m_step = STEP_NULL_LENGTH;
        return NEED_MORE;
    case TAG_INTEGER:
        m_step = STEP_INT_WIDTH;
        return NEED_MORE;
    case TAG_STRING:
        m_step = STEP_STRING_COUNT;
        m_header = 0;
        m_header_left = 2;
        return NEED_MORE;
    case TAG_BUFFER:
        m_step = STEP_BUFFER_COUNT;
        m_header = 0;
        m_header_left = 4;
        return NEED_MORE;
    case TAG_ARRAY:
    case TAG_MAP:
        // A map's members are its keys and values in turn, each framed as a
        // value; whether a key is a string is the decoder's to check.
        ++m_depth;
        return NEED_MORE;
    case TAG_END:
        if (m_depth == 0)
            return MALFORMED;
        --m_depth;
        return EndValue();
    case TAG_BINARY:
    case TAG_BINARY_EX:
        return FILE_VALUE;
    default:
        return MALFORMED;
    }
}

PStreamMessageScanner::Result PStreamMessageScanner::EndValue()
{
    m_step = STEP_TAG;
    return m_depth == 0 ? COMPLETE : NEED_MORE;
}

PStreamMessageScanner::Result PStreamMessageScanner::Feed(const char* bytes, size_t n, size_t& used)
{
    used = 0;
    const unsigned char* in = reinterpret_cast<const unsigned char*>(bytes);
    while (used < n) {
        if (m_step == STEP_SKIP) {
            const uint64_t take = std::min<uint64_t>(m_skip, n - used);
            used += static_cast<size_t>(take);
            m_scanned += take;
            m_skip -= take;
            if (m_skip != 0)
                return NEED_MORE;
            Result r = EndValue();
            if (r != NEED_MORE)
                return r;
            continue;
        }
        const uint8_t byte = in[used++];
        ++m_scanned;
        Result r = NEED_MORE;
        switch (m_step) {
        case STEP_TAG:
            r = StartValue(byte);
            break;
        case STEP_NULL_LENGTH:
            r = byte == 0 ? EndValue() : MALFORMED;
            break;
        case STEP_INT_WIDTH:
            if (byte > kMaxIntegerWidth)
                return MALFORMED;
            m_skip = byte;
            m_step = STEP_SKIP;
            r = byte == 0 ? EndValue() : NEED_MORE;
            break;
        case STEP_STRING_COUNT:
        case STEP_BUFFER_COUNT:
            m_header = (m_header << 8) | byte;
            if (--m_header_left != 0)
                break;
            m_skip = m_header;
            m_step = STEP_SKIP;
            r = m_skip == 0 ? EndValue() : NEED_MORE;
            break;
        case STEP_SKIP:
            break;
        }
        if (r != NEED_MORE)
            return r;
    }
    return NEED_MORE;
}

int PStreamDecode(PStream& stream, const std::string& bytes, PObject& object)
{
    MemoryBytesChannel channel(&bytes, nullptr);
    return stream.Recv(channel, object);
}

int PStreamEncode(PStream& stream, const PObject& object, std::string& bytes)
{
    MemoryBytesChannel channel(nullptr, &bytes);
    return stream.Send(channel, object);
}
