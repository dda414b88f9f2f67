#include "transfer_bench_syscalls.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CallCount {
    std::string name;
    uint64_t calls = 0;
};

// The rows of an `strace -c` summary: "% time, seconds, usecs/call, calls,
// [errors,] syscall". The "total" row is left out.
std::vector<CallCount> readSummary(const std::string& path)
{
    std::vector<CallCount> rows;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string word; fields >> word;)
            words.push_back(word);
        if (words.size() < 5 || words[0].find_first_not_of("0123456789.") != std::string::npos)
            continue;
        CallCount row;
        row.name = words.back();
        if (row.name == "total")
            continue;
        row.calls = std::strtoull(words[3].c_str(), nullptr, 10);
        rows.push_back(row);
    }
    return rows;
}

// One traced run of self; the summary's path on success.
bool traceRun(const char* self, const char* mode, const char* direction, long size_mib, const std::string& out)
{
    const std::string size = std::to_string(size_mib);
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        // The traced run's own report is not wanted, only the count.
        if (std::freopen("/dev/null", "w", stdout) == nullptr || std::freopen("/dev/null", "w", stderr) == nullptr)
            ::_exit(126);
        ::execlp("strace", "strace", "-f", "-qq", "-c", "-o", out.c_str(), self, "--large-only", "--mode", mode,
                 "--direction", direction, "--size", size.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    pid_t waited;
    do
        waited = ::waitpid(child, &status, 0);
    while (waited < 0 && errno == EINTR);
    return waited == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

bool printSyscallsPerMiB(const char* self, long size_mib)
{
    if (size_mib <= 0)
        size_mib = 256;
    char folder[] = "/tmp/qm-syscalls-XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        std::perror("mkdtemp");
        return false;
    }
    bool all = true;
    for (const char* mode : {"plain", "tls"}) {
        for (const char* direction : {"up", "down"}) {
            const std::string out = std::string(folder) + "/" + mode + "-" + direction;
            if (!traceRun(self, mode, direction, size_mib, out)) {
                std::printf("%-8s %-8s: strace could not run it (is strace installed and allowed to trace?)\n",
                            mode, direction);
                all = false;
                continue;
            }
            std::vector<CallCount> rows = readSummary(out);
            ::unlink(out.c_str());
            uint64_t total = 0;
            for (const CallCount& row : rows)
                total += row.calls;
            std::sort(rows.begin(), rows.end(),
                      [](const CallCount& a, const CallCount& b) { return a.calls > b.calls; });
            const double mib = static_cast<double>(size_mib);
            std::printf("%-8s %-8s %ld MiB: %.0f system calls per MiB (both ends, start-up included):", mode,
                        direction[0] == 'u' ? "upload" : "download", size_mib, total / mib);
            for (size_t i = 0; i < rows.size() && i < 6; ++i)
                std::printf(" %s %.1f%s", rows[i].name.c_str(), rows[i].calls / mib, i + 1 < 6 ? "," : "");
            std::printf("\n");
            std::fflush(stdout);
        }
    }
    ::rmdir(folder);
    return all;
}
