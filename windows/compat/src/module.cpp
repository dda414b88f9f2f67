#include "compat/module.h"

#include <dlfcn.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "compat/trace.h"

namespace {
thread_local DWORD t_last_error = 0;
}

DWORD GetLastError()
{
    return t_last_error;
}

void SetLastError(DWORD code)
{
    t_last_error = code;
}

DWORD GetTickCount()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const uint64_t ms = static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<DWORD>(ms);
}

void GetSystemTime(SYSTEMTIME* st)
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm utc {};
    gmtime_r(&ts.tv_sec, &utc);
    st->wYear = static_cast<WORD>(utc.tm_year + 1900);
    st->wMonth = static_cast<WORD>(utc.tm_mon + 1);
    st->wDayOfWeek = static_cast<WORD>(utc.tm_wday);
    st->wDay = static_cast<WORD>(utc.tm_mday);
    st->wHour = static_cast<WORD>(utc.tm_hour);
    st->wMinute = static_cast<WORD>(utc.tm_min);
    st->wSecond = static_cast<WORD>(utc.tm_sec);
    st->wMilliseconds = static_cast<WORD>(ts.tv_nsec / 1000000);
}

DWORD GetCurrentProcessId()
{
    return static_cast<DWORD>(getpid());
}

DWORD GetCurrentThreadId()
{
    return static_cast<DWORD>(syscall(SYS_gettid));
}

void SHChangeNotify(LONG event_id, UINT flags, const void*, const void*)
{
    compat::trace(compat::TRACE_INFO, "SHChangeNotify(0x%08x, 0x%x): no shell to notify", static_cast<unsigned>(event_id), flags);
}

namespace compat {

std::string modulePathOf(const void* address)
{
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fname)
        return std::string();
    // The path the host loaded it by, as Windows reports a module's path;
    // only a relative one is made absolute.
    if (info.dli_fname[0] == '/')
        return info.dli_fname;
    char resolved[PATH_MAX];
    if (realpath(info.dli_fname, resolved))
        return resolved;
    return info.dli_fname;
}

} // namespace compat
