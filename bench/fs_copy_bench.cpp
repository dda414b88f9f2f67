// FSCopy of a 256 MiB file within one folder; reports bytes per second.
// QM_BENCH_DIR picks the file system to measure (default: the temp folder).
#include "file-op.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const size_t kFileSize = 256u * 1024 * 1024;

class ScratchFolder {
public:
    ScratchFolder()
    {
        const char* base = std::getenv("QM_BENCH_DIR");
        std::string pattern = (base ? std::string(base) : std::filesystem::temp_directory_path().string()) +
                              "/qm-fs-copy-XXXXXX";
        if (mkdtemp(&pattern[0]))
            m_path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    bool ok() const { return !m_path.empty(); }
    std::string file(const char* name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

bool writeSource(const std::string& path)
{
    std::vector<char> block(1024 * 1024);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(i * 7 + i / 251);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (size_t written = 0; written < kFileSize; written += block.size())
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    return static_cast<bool>(out);
}

void BM_FSCopy256MiB(benchmark::State& state)
{
    ScratchFolder folder;
    const std::string source = folder.file("source.bin");
    const std::string destination = folder.file("destination.bin");
    if (!folder.ok() || !writeSource(source)) {
        state.SkipWithError("cannot write the source file");
        return;
    }
    for (auto _ : state) {
        if (FSCopy(source.c_str(), destination.c_str(), false) != 0) {
            state.SkipWithError("FSCopy failed");
            return;
        }
        state.PauseTiming();
        unlink(destination.c_str());
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kFileSize));
}

} // namespace

// Real time: the copy happens in the kernel, not on this thread's CPU clock.
BENCHMARK(BM_FSCopy256MiB)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

BENCHMARK_MAIN();
