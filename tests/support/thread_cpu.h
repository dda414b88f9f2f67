#pragma once
// CPU time of this process's threads, read from /proc/self/task/<tid>/stat,
// to show that no thread of an engine spins while it waits for a slow link.

#include <map>
#include <sys/types.h>

namespace qm_test {

// CPU seconds (user + system) of every thread of this process, by thread id.
std::map<pid_t, double> threadCpuSeconds();

// CPU seconds the busiest thread used between two readings; threads that
// started after the first reading count from zero.
double busiestThreadCpu(const std::map<pid_t, double>& before, const std::map<pid_t, double>& after);

} // namespace qm_test
