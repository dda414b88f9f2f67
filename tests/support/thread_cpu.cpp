#include "support/thread_cpu.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace qm_test {

namespace {

// Fields 14 and 15 (utime, stime) of a stat line, in clock ticks; the name
// in parentheses may hold spaces, so fields are counted after its end.
double statCpuSeconds(const std::string& line)
{
    const size_t name_end = line.rfind(')');
    if (name_end == std::string::npos)
        return 0;
    std::istringstream fields(line.substr(name_end + 2));
    std::string field;
    unsigned long long utime = 0;
    unsigned long long stime = 0;
    // After the name: field 3 (state) is the first; utime is field 14.
    for (int index = 3; index <= 15 && fields >> field; ++index) {
        if (index == 14)
            utime = std::strtoull(field.c_str(), nullptr, 10);
        else if (index == 15)
            stime = std::strtoull(field.c_str(), nullptr, 10);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

} // namespace

std::map<pid_t, double> threadCpuSeconds()
{
    std::map<pid_t, double> seconds;
    DIR* tasks = opendir("/proc/self/task");
    if (!tasks)
        return seconds;
    while (dirent* entry = readdir(tasks)) {
        const pid_t tid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (tid <= 0)
            continue;
        std::ifstream stat(std::string("/proc/self/task/") + entry->d_name + "/stat");
        std::string line;
        if (std::getline(stat, line))
            seconds[tid] = statCpuSeconds(line);
    }
    closedir(tasks);
    return seconds;
}

double busiestThreadCpu(const std::map<pid_t, double>& before, const std::map<pid_t, double>& after)
{
    double busiest = 0;
    for (const auto& thread : after) {
        const auto earlier = before.find(thread.first);
        const double used = thread.second - (earlier == before.end() ? 0 : earlier->second);
        busiest = std::max(busiest, used);
    }
    return busiest;
}

} // namespace qm_test
