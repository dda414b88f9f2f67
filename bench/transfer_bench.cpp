// Client engine against the test server's data side on loopback: MB/s of one
// large file up and down in each link mode, files per second for many small
// files, and the same bytes over a bare loopback socket as the baseline.
// Both ends run in this process, so the read/write system calls per MiB
// (from /proc/self/io) count the client and the server together. The kernel
// counts read(2)/write(2)-family calls there, not send/recv on sockets: run
// under strace -f -c for the socket and poll calls.
// The lz4 library alone on incompressible data is the yardstick of the
// compressed modes.
// Usage: transfer_bench [--quick] [--size MiB] [--files N] [--mode NAME] [--direction up|down]
//                       [--log LEVEL] [--syscalls] [--rtt-ms N [--rate-mbps M]]
//   --quick: 64 MiB and 1,000 files; --mode runs one link mode only ("none":
//   the small files only); --direction: uploads or downloads only;
//   --log: the engine's log at that level (7: debug) on standard error;
//   --syscalls: all system calls per MiB of plain and TLS transfers, each run
//   again under strace -f -c (default 256 MiB); --large-only: the large
//   transfers alone, without baselines or small files (what --syscalls traces).
// Files live under $TMPDIR (or /tmp): its file system decides what an fsync
// costs, and the bench names it.
// Latency mode: --rtt-ms N [--rate-mbps M] runs the data connections through
// a relay that delays each chunk N/2 ms each way and paces each direction to
// M Mbit/s (0 or absent: not paced), then prints for plain small files (up
// and down; --files, default 2,000) and one large file per mode (--size,
// default 64 MiB): files/s or MB/s, the CPU of the two engines together and
// of the relay, and the link's turns (a request answered counts two) per file;
// --direction and --mode pick among these as above. QM_BENCH_LINKS=1 also
// prints what each connection carried.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/time.h>
#include <sys/resource.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <lz4frame.h>

#include "../tests/engine/transfer_e2e_support.h"
#include "support/pacing_relay.h"
#include "support/thread_cpu.h"
#include "log.h"
#include "transfer_bench_syscalls.h"

namespace {

double seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Read-like plus write-like system calls of the whole process so far.
uint64_t ioSyscalls()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    uint64_t value = 0, total = 0;
    while (io >> key >> value)
        if (key == "syscr:" || key == "syscw:")
            total += value;
    return total;
}

// The same bytes over a bare loopback socket; with into_file the receiver
// also writes them to a file, as the engine must.
double rawSocketMBps(uint64_t bytes, const std::string& into_file = std::string())
{
    int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    ::listen(listener, 1);
    socklen_t len = sizeof(addr);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
    const auto start = std::chrono::steady_clock::now();
    std::thread sender([&] {
        int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
        std::vector<char> block(1 << 20, 'q');
        uint64_t left = bytes;
        while (left > 0) {
            ssize_t n = ::send(fd, block.data(), std::min<uint64_t>(left, block.size()), MSG_NOSIGNAL);
            if (n <= 0)
                break;
            left -= static_cast<uint64_t>(n);
        }
        ::close(fd);
    });
    int fd = ::accept(listener, nullptr, nullptr);
    int out = into_file.empty() ? -1 : ::open(into_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char> block(1 << 20);
    ssize_t got = 0;
    while ((got = ::recv(fd, block.data(), block.size(), 0)) > 0) {
        if (out >= 0 && ::write(out, block.data(), static_cast<size_t>(got)) != got)
            break;
    }
    sender.join();
    const double s = seconds(start);
    if (out >= 0) {
        ::close(out);
        ::unlink(into_file.c_str());
    }
    ::close(fd);
    ::close(listener);
    return bytes / 1048576.0 / s;
}

// The lz4 library alone, one thread: random (incompressible) bytes through
// the frame API in 64 KiB blocks with the engine's preferences (auto-flush,
// content checksum), MB/s of input.
double lz4LibraryMBps(uint64_t bytes)
{
    LZ4F_preferences_t prefs{};
    prefs.autoFlush = 1;
    prefs.frameInfo.contentChecksumFlag = LZ4F_contentChecksumEnabled;
    const size_t block = 65536;
    std::vector<char> input(1 << 20);
    uint64_t x = 88172645463325252ull;
    for (char& c : input) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        c = static_cast<char>(x);
    }
    std::vector<char> output(LZ4F_compressBound(block, &prefs) + LZ4F_HEADER_SIZE_MAX);
    LZ4F_cctx* ctx = nullptr;
    if (LZ4F_isError(LZ4F_createCompressionContext(&ctx, LZ4F_VERSION)))
        return 0;
    const auto start = std::chrono::steady_clock::now();
    size_t sink = LZ4F_compressBegin(ctx, output.data(), output.size(), &prefs);
    for (uint64_t done = 0; done < bytes; done += block) {
        const size_t at = static_cast<size_t>(done % input.size());
        const size_t n = LZ4F_compressUpdate(ctx, output.data(), output.size(), input.data() + at, block, nullptr);
        if (LZ4F_isError(n))
            break;
        sink += n;
    }
    const double s = seconds(start);
    LZ4F_freeCompressionContext(ctx);
    return sink > 0 ? bytes / 1048576.0 / s : 0;
}

// What the receiving end does to the file system for each small file,
// replayed alone: make the temporary file, write it, fsync it, rename it
// over the destination, sync the folder (the engine does that once per
// folder and wake-up; here once per 16 files), set its time. Microseconds
// per file for each step.
struct FileSteps {
    double temp = 0, write = 0, fsync = 0, rename = 0, folder_sync = 0, mtime = 0;
};

FileSteps replayReceiverSteps(int count)
{
    e2e::TempDir dir;
    const std::string folder = dir.path() + "/small";
    mkdir(folder.c_str(), 0755);
    std::vector<char> block(4096, 'r');
    FileSteps steps;
    auto lap = [](std::chrono::steady_clock::time_point& mark, double& into) {
        const auto now = std::chrono::steady_clock::now();
        into += std::chrono::duration<double, std::micro>(now - mark).count();
        mark = now;
    };
    for (int i = 0; i < count; ++i) {
        const std::string final_name = folder + "/f" + std::to_string(i);
        const std::string temp_name = final_name + "-tmp";
        auto mark = std::chrono::steady_clock::now();
        int fd = ::open(temp_name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        lap(mark, steps.temp);
        if (fd < 0 || ::pwrite(fd, block.data(), block.size(), 0) != static_cast<ssize_t>(block.size()))
            break;
        ::close(fd);
        lap(mark, steps.write);
        fd = ::open(temp_name.c_str(), O_RDONLY | O_CLOEXEC);
        ::fsync(fd);
        ::close(fd);
        lap(mark, steps.fsync);
        ::rename(temp_name.c_str(), final_name.c_str());
        lap(mark, steps.rename);
        if (i % 16 == 15 || i == count - 1) {
            fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::fsync(fd);
            ::close(fd);
        }
        lap(mark, steps.folder_sync);
        const timeval times[2] = {{1700000000, 0}, {1700000000, 0}};
        ::utimes(final_name.c_str(), times);
        lap(mark, steps.mtime);
    }
    for (double* step : {&steps.temp, &steps.write, &steps.fsync, &steps.rename, &steps.folder_sync, &steps.mtime})
        *step /= count > 0 ? count : 1;
    return steps;
}

const char* fileSystemName(const std::string& path)
{
    struct statfs fs;
    if (statfs(path.c_str(), &fs) != 0)
        return "unknown";
    switch (fs.f_type) {
    case 0x01021994:
        return "tmpfs";
    case 0xEF53:
        return "ext4";
    case 0x58465342:
        return "xfs";
    case 0x9123683E:
        return "btrfs";
    default:
        return "other";
    }
}

// User and system CPU seconds of the whole process so far.
double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool runLarge(const e2e::Mode& mode, bool upload, uint64_t size, double& mbps, double& cpu_seconds)
{
    e2e::Loopback loop(mode, 3);
    if (!loop.connected())
        return false;
    const std::string source = upload ? loop.localPath("large") : loop.sharePath("large");
    e2e::writeRandomFile(source, size, 1);
    const auto start = std::chrono::steady_clock::now();
    const double cpu_start = processCpuSeconds();
    std::vector<ResumeInfo> done;
    const bool ok = loop.waitDone(upload ? loop.upload({"large"}) : loop.download({"large"}), done, 3600000);
    mbps = size / 1048576.0 / seconds(start);
    cpu_seconds = processCpuSeconds() - cpu_start;
    return ok && done.size() == 1 && done[0].local_state == ResumeInfo::RI_DONE;
}

bool runSmall(bool upload, int count, double& files_per_second, double& cpu_us_per_file)
{
    e2e::Loopback loop({"plain", false, false}, 3);
    if (!loop.connected())
        return false;
    std::vector<std::string> names;
    const std::string folder = upload ? loop.localPath("small") : loop.sharePath("small");
    mkdir(folder.c_str(), 0755);
    for (int i = 0; i < count; ++i) {
        names.push_back("small/f" + std::to_string(i));
        e2e::writeRandomFile(folder + "/f" + std::to_string(i), 4096, static_cast<uint32_t>(i));
    }
    const auto start = std::chrono::steady_clock::now();
    const double cpu_start = processCpuSeconds();
    const std::vector<uint64_t> ids = upload ? loop.upload(names) : loop.download(names);
    // Counts what leaves the task list instead of looking every task up on
    // each poll: thousands of lookups would hold the store the engine uses.
    std::vector<ResumeInfo> done;
    const bool ok = e2e::Loopback::waitUntil(
        [&] {
            std::vector<ResumeInfo> batch;
            loop.client().consumeDoneTasks(batch);
            done.insert(done.end(), batch.begin(), batch.end());
            return done.size() >= ids.size();
        },
        3600000);
    files_per_second = count / seconds(start);
    cpu_us_per_file = (processCpuSeconds() - cpu_start) * 1e6 / count;
    for (const ResumeInfo& info : done)
        if (info.local_state != ResumeInfo::RI_DONE)
            return false;
    return ok && done.size() == ids.size();
}

// What one run through the relay cost.
struct LinkRun {
    bool ok = false;
    double seconds = 0;
    double engines_cpu = 0;  // every thread but the relay's
    double busiest_cpu = 0;  // the busiest of those: the one that sets the pace when near the wall time
    double relay_cpu = 0;
    uint64_t turns = 0;
    uint64_t connections = 0;
};

// Runs the transfer of names (made by fill) through a pacing relay.
LinkRun runThroughRelay(const e2e::Mode& mode, bool upload, const qm_test::PacingRelay::Options& options,
                        const std::function<std::vector<std::string>(e2e::Loopback&, bool)>& fill)
{
    LinkRun run;
    std::unique_ptr<qm_test::PacingRelay> relay;
    auto route = [&](unsigned server_port) {
        relay.reset(new qm_test::PacingRelay(server_port, options));
        return relay->port();
    };
    e2e::Loopback loop(mode, 3, 0, 0, std::string(), e2e::SeedSource::Direct, route);
    if (!loop.connected() || !relay)
        return run;
    const std::vector<std::string> names = fill(loop, upload);
    const uint64_t turns_before = relay->turns();
    const auto cpu_before = qm_test::threadCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const std::vector<uint64_t> ids = upload ? loop.upload(names) : loop.download(names);
    std::vector<ResumeInfo> done;
    const bool ok = e2e::Loopback::waitUntil(
        [&] {
            std::vector<ResumeInfo> batch;
            loop.client().consumeDoneTasks(batch);
            done.insert(done.end(), batch.begin(), batch.end());
            return done.size() >= ids.size();
        },
        3600000);
    run.seconds = seconds(start);
    const auto cpu_after = qm_test::threadCpuSeconds();
    for (const auto& thread : cpu_after) {
        const auto earlier = cpu_before.find(thread.first);
        const double used = thread.second - (earlier == cpu_before.end() ? 0 : earlier->second);
        (thread.first == relay->threadId() ? run.relay_cpu : run.engines_cpu) += used;
        if (thread.first != relay->threadId())
            run.busiest_cpu = std::max(run.busiest_cpu, used);
    }
    run.turns = relay->turns() - turns_before;
    if (std::getenv("QM_BENCH_LINKS"))
        for (const qm_test::PacingRelay::LinkStats& link : relay->links())
            std::printf("  link %llu: %llu bytes up in %llu chunks, %llu down in %llu chunks, %llu turns\n",
                        static_cast<unsigned long long>(link.id), static_cast<unsigned long long>(link.bytes[0]),
                        static_cast<unsigned long long>(link.chunks[0]), static_cast<unsigned long long>(link.bytes[1]),
                        static_cast<unsigned long long>(link.chunks[1]), static_cast<unsigned long long>(link.turns));
    run.connections = relay->connections();
    run.ok = ok && done.size() == ids.size();
    for (const ResumeInfo& info : done)
        run.ok = run.ok && info.local_state == ResumeInfo::RI_DONE;
    for (const std::string& name : names) {
        const std::string source = upload ? loop.localPath(name) : loop.sharePath(name);
        const std::string target = upload ? loop.sharePath(name) : loop.localPath(name);
        run.ok = run.ok && e2e::sha256File(source) == e2e::sha256File(target);
    }
    return run;
}

int runLatencyMode(double rtt_ms, double rate_mbps, int files, uint64_t large, const char* direction,
                    const char* only_mode)
{
    qm_test::PacingRelay::Options options;
    options.one_way_delay_ms = static_cast<unsigned>(rtt_ms / 2);
    options.bytes_per_s = static_cast<uint64_t>(rate_mbps * 1e6 / 8);
    std::printf("link: RTT %.0f ms (%u ms each way), %s\n", rtt_ms, options.one_way_delay_ms,
                rate_mbps > 0 ? (std::to_string(rate_mbps) + " Mbit/s each way").c_str() : "not paced");
    const e2e::Mode plain = {"plain", false, false};
    bool all_ok = true;
    for (bool upload : {true, false}) {
        if (direction && std::strcmp(direction, upload ? "up" : "down") != 0)
            continue;
        const LinkRun run = runThroughRelay(plain, upload, options, [&](e2e::Loopback& loop, bool up) {
            std::vector<std::string> names;
            const std::string folder = up ? loop.localPath("small") : loop.sharePath("small");
            mkdir(folder.c_str(), 0755);
            for (int i = 0; i < files; ++i) {
                names.push_back("small/f" + std::to_string(i));
                e2e::writeRandomFile(folder + "/f" + std::to_string(i), 4096, static_cast<uint32_t>(i));
            }
            return names;
        });
        all_ok = all_ok && run.ok;
        std::printf("plain    %-8s %d x 4 KiB: %s%.1f files/s, %.2f MB/s, CPU engines %.2f s (busiest thread %.2f s "
                    "of %.2f s), relay %.2f s, %.2f turns per file, %llu connections\n",
                    upload ? "upload" : "download", files, run.ok ? "" : "FAILED ", files / run.seconds,
                    files * 4096.0 / 1e6 / run.seconds, run.engines_cpu, run.busiest_cpu, run.seconds, run.relay_cpu,
                    static_cast<double>(run.turns) / files, static_cast<unsigned long long>(run.connections));
        std::fflush(stdout);
    }
    const e2e::Mode modes[] = {{"plain", false, false}, {"tls", true, false}};
    for (const e2e::Mode& mode : modes) {
        if (only_mode && std::strcmp(only_mode, mode.name) != 0)
            continue;
        for (bool upload : {true, false}) {
            if (direction && std::strcmp(direction, upload ? "up" : "down") != 0)
                continue;
            const LinkRun run = runThroughRelay(mode, upload, options, [&](e2e::Loopback& loop, bool up) {
                e2e::writeRandomFile(up ? loop.localPath("large") : loop.sharePath("large"), large, 1);
                return std::vector<std::string>{"large"};
            });
            all_ok = all_ok && run.ok;
            std::printf("%-8s %-8s %llu MiB: %s%.1f MB/s, CPU engines %.2f s, relay %.2f s\n", mode.name,
                        upload ? "upload" : "download", static_cast<unsigned long long>(large >> 20),
                        run.ok ? "" : "FAILED ", large / 1e6 / run.seconds, run.engines_cpu, run.relay_cpu);
            std::fflush(stdout);
        }
    }
    return all_ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    bool quick = false;
    long size_mib = 0;
    int files = 0;
    const char* only_mode = nullptr;
    const char* log_level = nullptr;
    const char* direction = nullptr;
    bool syscalls = false;
    bool large_only = false;
    double rtt_ms = -1;
    double rate_mbps = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            quick = true;
        else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc)
            size_mib = std::atol(argv[++i]);
        else if (std::strcmp(argv[i], "--files") == 0 && i + 1 < argc)
            files = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--mode") == 0 && i + 1 < argc)
            only_mode = argv[++i];
        else if (std::strcmp(argv[i], "--direction") == 0 && i + 1 < argc)
            direction = argv[++i];
        else if (std::strcmp(argv[i], "--log") == 0 && i + 1 < argc)
            log_level = argv[++i];
        else if (std::strcmp(argv[i], "--syscalls") == 0)
            syscalls = true;
        else if (std::strcmp(argv[i], "--large-only") == 0)
            large_only = true;
        else if (std::strcmp(argv[i], "--rtt-ms") == 0 && i + 1 < argc)
            rtt_ms = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--rate-mbps") == 0 && i + 1 < argc)
            rate_mbps = std::atof(argv[++i]);
    }
    if (rtt_ms >= 0)
        return runLatencyMode(rtt_ms, rate_mbps, files > 0 ? files : 2000,
                              size_mib > 0 ? static_cast<uint64_t>(size_mib) << 20 : 64ull << 20, direction,
                              only_mode);
    if (syscalls)
        return printSyscallsPerMiB(argv[0], size_mib) ? 0 : 1;
    e2e::TempDir log_dir;
    if (log_level) {
        const std::string levels = log_dir.path() + "/levels";
        std::string text;
        for (const char* component :
             {"default_component", "transfer_service_impl_debug", "bandwidth_debug", "stream", "socket_stream_debug"})
            text += std::string(component) + "=" + log_level + "\n";
        e2e::writeFile(levels, text);
        Logger::Initialize(Logger::STDERR_LOGGER, "", levels, 1);
    }
    const uint64_t large = size_mib > 0 ? static_cast<uint64_t>(size_mib) << 20 : quick ? 64ull << 20 : 1ull << 30;
    const int small_count = files > 0 ? files : quick ? 1000 : 10000;

    double raw = 0, raw_file = 0, lz4_library = 0;
    if (!large_only) {
        raw = rawSocketMBps(large);
        e2e::TempDir raw_dir;
        raw_file = rawSocketMBps(large, raw_dir.path() + "/raw");
        std::printf("raw loopback socket: %.1f MB/s (%llu MiB)\n", raw, static_cast<unsigned long long>(large >> 20));
        std::printf("raw loopback socket into a file: %.1f MB/s\n", raw_file);
        lz4_library = lz4LibraryMBps(large);
        std::printf("lz4 library, one thread, incompressible data: %.1f MB/s\n", lz4_library);
    }
    const e2e::Mode modes[] = {
        {"plain", false, false}, {"tls", true, false}, {"lz4", false, true}, {"tls+lz4", true, true}};
    for (const e2e::Mode& mode : modes) {
        if (only_mode && std::strcmp(only_mode, mode.name) != 0)
            continue;
        for (bool upload : {true, false}) {
            if (direction && std::strcmp(direction, upload ? "up" : "down") != 0)
                continue;
            double mbps = 0;
            const uint64_t calls_before = ioSyscalls();
            double cpu_seconds = 0;
            const bool ok = runLarge(mode, upload, large, mbps, cpu_seconds);
            const double calls_per_mib = (ioSyscalls() - calls_before) / static_cast<double>(large >> 20);
            const double cpu_ms_per_mib = cpu_seconds * 1e3 / static_cast<double>(large >> 20);
            std::printf("%-8s %-8s %llu MiB: %s%.1f MB/s, %.2f x raw socket, %.2f x raw into a file, ",
                        mode.name, upload ? "upload" : "download", static_cast<unsigned long long>(large >> 20),
                        ok ? "" : "FAILED ", mbps, raw > 0 ? mbps / raw : 0.0, raw_file > 0 ? mbps / raw_file : 0.0);
            if (mode.compressed)
                std::printf("%.2f x lz4 library, ", lz4_library > 0 ? mbps / lz4_library : 0.0);
            std::printf("%.0f read/write calls per MiB (socket send/recv not counted), CPU %.2f ms per MiB (both "
                        "ends)\n",
                        calls_per_mib, cpu_ms_per_mib);
            std::fflush(stdout);
        }
    }
    if (large_only)
        return 0;
    {
        e2e::TempDir probe;
        std::printf("small files under %s (%s)\n", probe.path().c_str(), fileSystemName(probe.path()));
    }
    for (bool upload : {true, false}) {
        if (direction && std::strcmp(direction, upload ? "up" : "down") != 0)
            continue;
        double rate = 0;
        double cpu_us = 0;
        const bool ok = runSmall(upload, small_count, rate, cpu_us);
        std::printf("plain    %-8s %d x 4 KiB: %s%.1f files/s, %.1f us per file, CPU %.1f us per file (both "
                    "ends)\n",
                    upload ? "upload" : "download", small_count, ok ? "" : "FAILED ", rate, rate > 0 ? 1e6 / rate : 0.0,
                    cpu_us);
        std::fflush(stdout);
    }
    const FileSteps steps = replayReceiverSteps(small_count);
    std::printf("receiver's file steps alone, us per file: temp file %.1f, write %.1f, fsync %.1f, rename %.1f, "
                "folder sync %.1f, mtime %.1f; the rest of a file's time is the protocol, the task store and "
                "the report\n",
                steps.temp, steps.write, steps.fsync, steps.rename, steps.folder_sync, steps.mtime);
    return 0;
}
