// One file payload moved by PSocketStream over a loopback TCP pair, in each
// link mode (plain, LZ4, TLS, TLS+LZ4), sender and receiver driven in one
// thread with the engine's 65536-byte budget. Reports MB/s of file bytes.
// The payload is 1 GiB; --payload_mb=N chooses another size for quick runs.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "psocket_stream_harness.h"

using namespace sockstream_test;

namespace {

size_t g_payload_bytes = size_t(1) << 30;

// A file of the payload size, half text-like (compressible) and half random,
// written once in 8 MiB pieces.
const std::string& sourceFile(const TempDir& dir)
{
    static std::string path;
    if (path.empty()) {
        path = dir.file("payload");
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const std::string piece = makeContent(8u << 20, 11);
        for (size_t done = 0; fd >= 0 && done < g_payload_bytes;) {
            size_t n = std::min(piece.size(), g_payload_bytes - done);
            if (write(fd, piece.data(), n) != static_cast<ssize_t>(n))
                break;
            done += n;
        }
        if (fd >= 0)
            close(fd);
    }
    return path;
}

void movePayload(benchmark::State& state)
{
    const LinkMode& mode = allLinkModes()[static_cast<size_t>(state.range(0))];
    state.SetLabel(mode.name);
    static TempDir dir;
    const std::string& source = sourceFile(dir);
    Link link(mode);
    if (!link.ok()) {
        state.SkipWithError(link.error().c_str());
        return;
    }
    PObject::binary_type b;
    b.path = ustring(source);
    PObject out;
    out = b;
    const Steps steps = {{65536}, {65536}};
    for (auto _ : state) {
        link.receiver().SetRecvLocation(ustring(dir.file("received")));
        PObject got;
        std::string failure = transfer(link, out, got, steps);
        if (!failure.empty() || got.asBinary().length != g_payload_bytes) {
            state.SkipWithError(failure.empty() ? "short payload" : failure.c_str());
            return;
        }
        state.PauseTiming();
        unlink(got.asBinary().path.c_str_utf8());
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * g_payload_bytes));
    state.counters["MB/s"] = benchmark::Counter(
        static_cast<double>(g_payload_bytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}


// A folder listing of 100,000 entries (the shape the blocking codec's
// benchmark uses) sent and received whole by PSocketStream, so the two
// codecs can be compared on the same value. Reports entries per second for
// encoding and decoding together.
const int kListingEntries = 100000;

PObject makeListing()
{
    PObject listing;
    listing["is_dir"] = uint64_t(1);
    PObject::array_type& nodes = listing["node_list"].asArray();
    nodes.reserve(kListingEntries);
    for (int i = 0; i < kListingEntries; ++i) {
        PObject entry;
        entry["name"] = "holiday-photo-" + std::to_string(i) + ".jpg";
        entry["is_dir"] = uint64_t(i % 10 == 0);
        entry["mtime"] = uint64_t(1700000000 + i);
        entry["size"] = uint64_t(1000003) * uint64_t(i);
        nodes.push_back(std::move(entry));
    }
    return listing;
}

void moveListing(benchmark::State& state)
{
    const LinkMode& mode = allLinkModes()[static_cast<size_t>(state.range(0))];
    state.SetLabel(mode.name);
    static const PObject listing = makeListing();
    Link link(mode);
    if (!link.ok()) {
        state.SkipWithError(link.error().c_str());
        return;
    }
    const Steps steps = {{65536}, {65536}};
    for (auto _ : state) {
        PObject got;
        std::string failure = transfer(link, listing, got, steps);
        if (!failure.empty() || got["node_list"].asArray().size() != size_t(kListingEntries)) {
            state.SkipWithError(failure.empty() ? "short listing" : failure.c_str());
            return;
        }
    }
    state.counters["entries/s"] = benchmark::Counter(
        double(kListingEntries) * double(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(moveListing)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK(movePayload)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

int main(int argc, char** argv)
{
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        const char* flag = "--payload_mb=";
        if (strncmp(argv[i], flag, strlen(flag)) == 0)
            g_payload_bytes = static_cast<size_t>(atoll(argv[i] + strlen(flag))) << 20;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
