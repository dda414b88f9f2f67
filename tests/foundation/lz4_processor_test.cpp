#include "lz4-processor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "log.h"
#include "support/temp_dir.h"

namespace {

const size_t kBlock = 65536;
const size_t kHeaderSize = 7;

// Text-like bytes with repeats, so blocks compress, plus random runs so some
// blocks barely do.
std::string makeData(size_t n, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::string out;
    out.reserve(n);
    static const char* words[] = {"alpha ", "beta ", "gamma\n", "delta-", "0123456789"};
    while (out.size() < n) {
        if (rng() % 8 == 0) {
            size_t run = rng() % 3000;
            for (size_t i = 0; i < run && out.size() < n; ++i)
                out.push_back(static_cast<char>(rng()));
        } else {
            out += words[rng() % 5];
        }
    }
    out.resize(n);
    return out;
}

std::string bytes(const void* p, size_t n)
{
    return std::string(static_cast<const char*>(p), n);
}

// Feeds input to a compressor in blocks whose sizes come from `sizes`
// (cycled), following the sender's calling order.
std::string compressAll(LZ4Compressor& c, const std::string& input,
                        const std::vector<size_t>& sizes)
{
    std::string wire;
    size_t pos = 0, turn = 0;
    for (;;) {
        void* out = nullptr;
        size_t len = 0;
        EXPECT_EQ(0, c.Process(&out, &len));
        if (out) {
            wire.append(static_cast<char*>(out), len);
            continue;
        }
        if (pos == input.size())
            break;
        size_t n = std::min(sizes[turn++ % sizes.size()], input.size() - pos);
        c.Update(input.data() + pos, n);
        pos += n;
    }
    return wire;
}

// Follows the receiver's calling order: drain output in portions of at most
// max_out, and only then hand in the next received chunk.
std::string decompressAll(LZ4Decompressor& d, const std::string& wire,
                          const std::vector<size_t>& chunks, size_t max_out)
{
    std::string plain;
    size_t pos = 0, turn = 0;
    for (;;) {
        void* out = nullptr;
        size_t len = 0;
        if (d.Process(max_out, &out, &len) != 0) {
            ADD_FAILURE() << "Process failed at wire offset " << pos;
            break;
        }
        EXPECT_LE(len, max_out);
        if (out) {
            plain.append(static_cast<char*>(out), len);
            continue;
        }
        EXPECT_TRUE(d.IsBufferEmpty());
        if (pos == wire.size())
            break;
        size_t n = std::min(chunks[turn++ % chunks.size()], wire.size() - pos);
        d.Update(wire.data() + pos, n);
        pos += n;
    }
    return plain;
}

} // namespace

TEST(LZ4Processor, HeaderComesFirstThenTheBlock)
{
    LZ4Compressor c;
    ASSERT_EQ(0, c.Initialize(kBlock));
    const std::string block = "hello hello hello hello";
    c.Update(block.data(), block.size());

    void* out = nullptr;
    size_t len = 0;
    ASSERT_EQ(0, c.Process(&out, &len));
    ASSERT_NE(nullptr, out);
    ASSERT_EQ(kHeaderSize, len);
    EXPECT_EQ(0x184D2204u, static_cast<uint32_t>(static_cast<unsigned char*>(out)[0]) |
                               static_cast<uint32_t>(static_cast<unsigned char*>(out)[1]) << 8 |
                               static_cast<uint32_t>(static_cast<unsigned char*>(out)[2]) << 16 |
                               static_cast<uint32_t>(static_cast<unsigned char*>(out)[3]) << 24);
    std::string wire = bytes(out, len);

    ASSERT_EQ(0, c.Process(&out, &len));
    ASSERT_NE(nullptr, out);
    EXPECT_GT(len, 0u);
    wire += bytes(out, len);

    ASSERT_EQ(0, c.Process(&out, &len));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(0u, len);

    // An empty block is no block.
    c.Update(block.data(), 0);
    ASSERT_EQ(0, c.Process(&out, &len));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(0u, len);

    LZ4Decompressor d;
    ASSERT_EQ(0, d.Initialize(kBlock));
    EXPECT_EQ(block, decompressAll(d, wire, {wire.size()}, kBlock));
}

TEST(LZ4Processor, DecompressorHandsOutNothingOrAnEmptyPortion)
{
    LZ4Decompressor d;
    ASSERT_EQ(0, d.Initialize(kBlock));
    void* out = reinterpret_cast<void*>(1);
    size_t len = 99;
    ASSERT_EQ(0, d.Process(kBlock, &out, &len));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(0u, len);

    LZ4Compressor c;
    ASSERT_EQ(0, c.Initialize(kBlock));
    ASSERT_EQ(0, c.Process(&out, &len));
    std::string header = bytes(out, len);
    d.Update(header.data(), header.size());
    ASSERT_EQ(0, d.Process(kBlock, &out, &len));
    EXPECT_NE(nullptr, out);
    EXPECT_EQ(0u, len);
    EXPECT_TRUE(d.IsBufferEmpty());
}

TEST(LZ4Processor, PendingOutputIsHandedOutInPortionsBeforeMoreInput)
{
    const std::string input = makeData(3 * kBlock, 7);
    LZ4Compressor c;
    ASSERT_EQ(0, c.Initialize(kBlock));
    const std::string wire = compressAll(c, input, {kBlock});

    LZ4Decompressor d;
    ASSERT_EQ(0, d.Initialize(kBlock));
    d.Update(wire.data(), wire.size());
    void* out = nullptr;
    size_t len = 0;
    std::string plain;
    ASSERT_EQ(0, d.Process(1000, &out, &len)); // header and the first block
    ASSERT_EQ(1000u, len);
    plain += bytes(out, len);
    EXPECT_FALSE(d.IsBufferEmpty());
    ASSERT_EQ(0, d.Process(1000, &out, &len)); // continues at the offset
    ASSERT_EQ(1000u, len);
    plain += bytes(out, len);
    plain += decompressAll(d, std::string(), {1}, 777);
    EXPECT_TRUE(d.IsBufferEmpty());
    EXPECT_EQ(input, plain);
}

// Many blocks of odd sizes, received in odd chunks and drained in odd
// portions; every block must decode once its bytes have arrived even though
// the frame is never ended.
TEST(LZ4Processor, RoundTripAcrossManyBlockBoundaries)
{
    struct Case {
        const char* name;
        std::vector<size_t> blocks;
        std::vector<size_t> chunks;
        size_t max_out;
    };
    const std::vector<Case> cases = {
        {"full blocks, whole chunks", {kBlock}, {1 << 20}, kBlock},
        {"odd blocks, byte chunks", {1, 4097, 65535, 333}, {1, 2, 3, 5, 7}, 1},
        {"odd blocks, mixed", {65536, 12345, 1, 65535}, {1000, 65536, 7, 70000}, 4095},
        {"small blocks, big chunks", {17, 100, 3}, {65537, 131072}, 65536},
    };
    const std::string input = makeData(2 * 1024 * 1024 + 123, 42);
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        const std::string& data =
            tc.max_out == 1 ? input.substr(0, 300000) : input; // keep byte steps quick
        LZ4Compressor c;
        ASSERT_EQ(0, c.Initialize(kBlock));
        const std::string wire = compressAll(c, data, tc.blocks);
        LZ4Decompressor d;
        ASSERT_EQ(0, d.Initialize(kBlock));
        EXPECT_TRUE(decompressAll(d, wire, tc.chunks, tc.max_out) == data);
    }
}

TEST(LZ4Processor, InteroperatesWithTheLibraryFrameFormat)
{
    const std::string input = makeData(5 * kBlock + 99, 3);

    // Our stream, read by the library's own decoder.
    LZ4Compressor c;
    ASSERT_EQ(0, c.Initialize(kBlock));
    const std::string wire = compressAll(c, input, {kBlock, 1234});
    LZ4F_dctx* dctx = nullptr;
    ASSERT_FALSE(LZ4F_isError(LZ4F_createDecompressionContext(&dctx, LZ4F_VERSION)));
    std::string plain(input.size(), '\0');
    size_t dst_len = plain.size();
    size_t src_len = wire.size();
    size_t r = LZ4F_decompress(dctx, &plain[0], &dst_len, wire.data(), &src_len, nullptr);
    LZ4F_freeDecompressionContext(dctx);
    ASSERT_FALSE(LZ4F_isError(r)) << LZ4F_getErrorName(r);
    EXPECT_EQ(wire.size(), src_len);
    EXPECT_EQ(input.size(), dst_len);
    EXPECT_TRUE(plain == input);

    // A complete frame made by the library (ended, with content checksum),
    // read by ours.
    LZ4F_preferences_t prefs;
    std::memset(&prefs, 0, sizeof(prefs));
    prefs.frameInfo.contentChecksumFlag = LZ4F_contentChecksumEnabled;
    std::string frame(LZ4F_compressFrameBound(input.size(), &prefs), '\0');
    size_t frame_len =
        LZ4F_compressFrame(&frame[0], frame.size(), input.data(), input.size(), &prefs);
    ASSERT_FALSE(LZ4F_isError(frame_len));
    frame.resize(frame_len);
    LZ4Decompressor d;
    ASSERT_EQ(0, d.Initialize(kBlock));
    EXPECT_TRUE(decompressAll(d, frame, {4099}, kBlock) == input);
}

// Each failure returns -1 and leaves its line under "default_component".
TEST(LZ4Processor, FailuresReturnMinusOne)
{
    const qm_test::TempDir tmp("lz4_test");
    const std::string& dir = tmp.path();
    std::ofstream(dir + "/levels") << "default_component=3\n";
    ASSERT_EQ(0, Logger::Initialize(Logger::FILE_LOGGER, dir + "/ui.log", dir + "/levels", 1));

    // A corrupted block.
    const std::string input = makeData(kBlock, 9);
    LZ4Compressor c;
    ASSERT_EQ(0, c.Initialize(kBlock));
    std::string wire = compressAll(c, input, {kBlock});
    for (size_t i = kHeaderSize + 4; i < wire.size(); i += 7)
        wire[i] = static_cast<char>(wire[i] ^ 0x5A);
    LZ4Decompressor d;
    ASSERT_EQ(0, d.Initialize(kBlock));
    d.Update(wire.data(), wire.size());
    void* out = nullptr;
    size_t len = 0;
    EXPECT_EQ(-1, d.Process(kBlock, &out, &len));

    // Not a frame at all.
    LZ4Decompressor d2;
    ASSERT_EQ(0, d2.Initialize(kBlock));
    const std::string junk = "this is not an lz4 frame";
    d2.Update(junk.data(), junk.size());
    EXPECT_EQ(-1, d2.Process(kBlock, &out, &len));

    // A block larger than the compressor was prepared for.
    LZ4Compressor small;
    ASSERT_EQ(0, small.Initialize(16));
    ASSERT_EQ(0, small.Process(&out, &len)); // header
    small.Update(input.data(), input.size());
    EXPECT_EQ(-1, small.Process(&out, &len));

    Logger::Destroy();
    std::ifstream in(dir + "/ui.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(3u, lines.size());
    const char* expected[] = {"LZ4F_decompress failed [", "LZ4F_decompress failed [", "LZ4F_compressUpdate failed -"};
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_NE(std::string::npos, lines[i].find("[ERROR] lz4-processor(")) << lines[i];
        EXPECT_NE(std::string::npos, lines[i].find(expected[i])) << lines[i];
    }
    EXPECT_NE(std::string::npos, lines[1].find("] [ERROR_frameType_unknown]")) << lines[1];
}
