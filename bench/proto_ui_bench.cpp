// Listing a folder of 100,000 entries through ProtoUI against the test file
// server on loopback over TLS, beside the blocking codec's own decode time
// for the same listing (over an in-memory channel), so the cost of the
// connection, TLS and the server can be told from the codec's.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "channel/channel.h"
#include "control_server.h"
#include "protocol/proto-ui.h"
#include "protocol/stream.h"
#include "pstream_memory_channel.h"
#include "qelt_test_support.h"

namespace {

const int kEntries = 100000;

// One server and one logged-in client for the whole run.
struct ListingSetup {
    ListingSetup()
    {
        std::string big = dir.file("big");
        std::filesystem::create_directory(big);
        for (int i = 0; i < kEntries; ++i) {
            std::string path = big + "/holiday-photo-" + std::to_string(i) + ".jpg";
            int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
            if (fd >= 0)
                ::close(fd);
        }
        qelt_test::makeServerCert("localhost", {"localhost"}, nullptr)
            .writeFiles(dir.file("server.crt"), dir.file("server.key"));
        test_server::ServerConfig config;
        config.port = 0;
        config.cert_path = dir.file("server.crt");
        config.key_path = dir.file("server.key");
        config.accounts = {{"bench", "pw", ""}};
        config.shares = {{"big", big, "rw"}};
        server.reset(new test_server::ControlServer(config));
        std::string error;
        if (server->Start(error) != 0) {
            std::fprintf(stderr, "server: %s\n", error.c_str());
            return;
        }
        client.SetServer("127.0.0.1", server->Port());
        client.SetUser("bench", "pw", "");
        client.SetTimeout(60);
        uint64_t seed = 0;
        ready = client.Auth(seed, false) == 0;
    }

    qelt_test::TempDir dir;
    std::unique_ptr<test_server::ControlServer> server;
    ProtoUI client;
    bool ready = false;
};

ListingSetup& Setup()
{
    static ListingSetup setup;
    return setup;
}

void BM_ProtoUIListFolder(benchmark::State& state)
{
    ListingSetup& setup = Setup();
    if (!setup.ready) {
        state.SkipWithError("no test server");
        return;
    }
    size_t entries = 0;
    for (auto _ : state) {
        bool is_dir = false;
        std::vector<ProtoUI::Node> nodes;
        if (setup.client.ListNode("/big/", is_dir, nodes) != 0) {
            state.SkipWithError(setup.client.GetLastErrorMessage().c_str());
            return;
        }
        entries = nodes.size();
        benchmark::DoNotOptimize(nodes.data());
    }
    state.counters["entries"] = double(entries);
    state.counters["entries/s"] = benchmark::Counter(double(entries) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ProtoUIListFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same listing as the server sends it, decoded by the codec alone.
void BM_CodecDecodeSameListing(benchmark::State& state)
{
    ListingSetup& setup = Setup();
    bool is_dir = false;
    std::vector<ProtoUI::Node> nodes;
    if (!setup.ready || setup.client.ListNode("/big/", is_dir, nodes) != 0) {
        state.SkipWithError("no listing");
        return;
    }
    PObject answer;
    answer["is_dir"] = uint64_t(is_dir);
    PObject::array_type& list = answer["node_list"].asArray();
    list.reserve(nodes.size());
    for (const ProtoUI::Node& node : nodes) {
        PObject entry;
        entry["name"] = node.name;
        entry["is_dir"] = uint64_t(node.is_dir);
        entry["mtime"] = uint64_t(node.mtime);
        entry["size"] = node.size;
        list.push_back(std::move(entry));
    }
    MemoryChannel encoded;
    PStream stream;
    if (stream.Send(encoded, answer) != PStream::ERR_OK) {
        state.SkipWithError("encode failed");
        return;
    }
    for (auto _ : state) {
        MemoryChannel channel;
        channel.input = encoded.output;
        PObject decoded;
        if (stream.Recv(channel, decoded) != PStream::ERR_OK)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(decoded);
    }
    state.SetBytesProcessed(int64_t(state.iterations() * encoded.output.size()));
    state.counters["entries/s"] =
        benchmark::Counter(double(nodes.size()) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CodecDecodeSameListing)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
