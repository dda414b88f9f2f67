// Encoding and decoding a folder listing of 100,000 entries with the
// blocking codec, over an in-memory channel so only the codec is measured.
#include <benchmark/benchmark.h>

#include <string>

#include "protocol/stream.h"
#include "pstream_memory_channel.h"

namespace {

const int kEntries = 100000;

PObject MakeListing() {
    PObject listing;
    listing["is_dir"] = uint64_t(1);
    PObject::array_type& nodes = listing["node_list"].asArray();
    nodes.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        PObject entry;
        entry["name"] = "holiday-photo-" + std::to_string(i) + ".jpg";
        entry["is_dir"] = uint64_t(i % 10 == 0);
        entry["mtime"] = uint64_t(1700000000 + i);
        entry["size"] = uint64_t(1000003) * uint64_t(i);
        nodes.push_back(std::move(entry));
    }
    return listing;
}

const PObject& Listing() {
    static const PObject listing = MakeListing();
    return listing;
}

void BM_PStreamEncodeListing(benchmark::State& state) {
    const PObject& listing = Listing();
    PStream stream;
    size_t bytes = 0;
    for (auto _ : state) {
        MemoryChannel channel;
        if (stream.Send(channel, listing) != PStream::ERR_OK)
            state.SkipWithError("send failed");
        bytes = channel.output.size();
        benchmark::DoNotOptimize(channel.output.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["entries/s"] =
        benchmark::Counter(double(kEntries) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PStreamEncodeListing)->Unit(benchmark::kMillisecond);

void BM_PStreamDecodeListing(benchmark::State& state) {
    MemoryChannel encoded;
    PStream stream;
    if (stream.Send(encoded, Listing()) != PStream::ERR_OK) {
        state.SkipWithError("send failed");
        return;
    }
    for (auto _ : state) {
        MemoryChannel channel;
        channel.input = encoded.output;
        PObject decoded;
        if (stream.Recv(channel, decoded) != PStream::ERR_OK)
            state.SkipWithError("recv failed");
        benchmark::DoNotOptimize(decoded);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * encoded.output.size()));
    state.counters["entries/s"] =
        benchmark::Counter(double(kEntries) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PStreamDecodeListing)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
