// LZ4 stream round-trip over 256 MiB, in the 64 KiB blocks the socket
// buffers hand in. Reports bytes per second of uncompressed data.
#include "lz4-processor.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

const size_t kBlock = 65536;
const size_t kTotal = 256u * 1024 * 1024;

// One block pattern repeated with some random bytes, so compression has
// real work but is not trivial.
const std::string& sourceBlock(bool compressible)
{
    static std::string blocks[2];
    std::string& b = blocks[compressible ? 1 : 0];
    if (b.empty()) {
        std::mt19937 rng(1234);
        b.resize(kBlock);
        for (size_t i = 0; i < kBlock; ++i)
            b[i] = compressible ? static_cast<char>("abcdefgh "[rng() % 9])
                                : static_cast<char>(rng());
    }
    return b;
}

void roundTrip(benchmark::State& state)
{
    const std::string& block = sourceBlock(state.range(0) != 0);
    for (auto _ : state) {
        LZ4Compressor comp;
        LZ4Decompressor decomp;
        if (comp.Initialize(kBlock) != 0 || decomp.Initialize(kBlock) != 0) {
            state.SkipWithError("initialize failed");
            return;
        }
        size_t sent = 0, received = 0, wire = 0;
        bool fed = false;
        while (received < kTotal) {
            void* out = nullptr;
            size_t len = 0;
            if (comp.Process(&out, &len) != 0) {
                state.SkipWithError("compress failed");
                return;
            }
            if (!out) {
                if (sent == kTotal || fed)
                    break;
                comp.Update(block.data(), kBlock);
                sent += kBlock;
                fed = true;
                continue;
            }
            fed = false;
            wire += len;
            decomp.Update(out, len);
            for (;;) {
                void* plain = nullptr;
                size_t plain_len = 0;
                if (decomp.Process(kBlock, &plain, &plain_len) != 0) {
                    state.SkipWithError("decompress failed");
                    return;
                }
                if (!plain)
                    break;
                received += plain_len;
                benchmark::DoNotOptimize(plain);
            }
        }
        state.counters["ratio"] = static_cast<double>(wire) / static_cast<double>(kTotal);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTotal);
}

} // namespace

BENCHMARK(roundTrip)->Arg(1)->Arg(0)->ArgName("compressible")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
