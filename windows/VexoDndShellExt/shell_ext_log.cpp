#include "shell_ext_log.h"

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "compat/module.h"
#include "compat/registry.h"
#include "compat/sync.h"
#include "compat/text.h"
#include "module_state.h"
#include "shell_ext_ids.h"

namespace {

// Plain storage only: these are used from the attach function, which may run
// before the library's dynamic initialisers.
char g_log_path[MAX_PATH];
std::atomic<bool> g_logging{false};
FILE* g_log_file = nullptr; // guarded by the log mutex
HANDLE g_log_mutex = nullptr;

const char kSeparator[] = "----------------------------\n";
const WCHAR kSettingsKey[] = u"Software\\Quillmar\\qzshellext";

void readSettings(HKEY root)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, kSettingsKey, 0, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &key) !=
        ERROR_SUCCESS)
        return;
    DWORD enable = 0;
    DWORD size = sizeof(enable);
    RegQueryValueExW(key, u"Enable", nullptr, nullptr, reinterpret_cast<BYTE*>(&enable), &size);
    WriteLogLine("!!!!!!!!!!!!!! genabled = true");
    // Read into a buffer of our own: a failed or mistyped read must not
    // disturb a path an earlier root gave.
    char path[MAX_PATH];
    DWORD type = REG_NONE;
    size = sizeof(path);
    if (RegQueryValueExA(key, "LogFile", nullptr, &type, reinterpret_cast<BYTE*>(path), &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        path[MAX_PATH - 1] = 0;
        std::memcpy(g_log_path, path, sizeof(g_log_path));
        g_logging.store(true);
    }
    RegCloseKey(key);
}

void logVersion()
{
    const char* path = shellext::modulePath();
    if (!path || !*path)
        return;
    WriteLogLine(path);
    char line[100];
    snprintf(line, sizeof(line), "LogVersion %d.%d.%d.%d", VEXO_SHELLEXT_VERSION_MAJOR, VEXO_SHELLEXT_VERSION_MINOR,
             VEXO_SHELLEXT_VERSION_PATCH, VEXO_SHELLEXT_VERSION_BUILD);
    WriteLogLine(line);
}

} // namespace

namespace shellext {

void logProcessAttach()
{
    g_log_mutex = CreateMutexW(nullptr, FALSE, kLogMutexName);
    readSettings(HKEY_LOCAL_MACHINE);
    readSettings(HKEY_CURRENT_USER);
    WriteLogLine("DllMain loaded settings, extension is enabled");
    if (g_logging.load())
        logVersion();
    WriteLogLine("DllMain leave");
}

void logProcessDetach()
{
    WriteLogLine("DllMain detaching process");
    // The stream is closed here too: the library can be unloaded and loaded
    // again in one process, and a stream left open would outlive its code.
    const DWORD wait = g_log_mutex ? WaitForSingleObject(g_log_mutex, kLogMutexWaitMs) : WAIT_FAILED;
    if (g_log_file) {
        fclose(g_log_file);
        g_log_file = nullptr;
    }
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
        ReleaseMutex(g_log_mutex);
    if (g_log_mutex)
        CloseHandle(g_log_mutex);
    g_log_mutex = nullptr;
}

bool loggingEnabled()
{
    return g_logging.load();
}

} // namespace shellext

void WriteLogLine(const char* message)
{
    if (!g_logging.load())
        return;
    const DWORD wait = WaitForSingleObject(g_log_mutex, shellext::kLogMutexWaitMs);
    if (wait == WAIT_TIMEOUT)
        return;
    const bool held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    if (!g_log_file) {
        if (!g_log_path[0] || !(g_log_file = fopen(g_log_path, "a"))) {
            g_logging.store(false);
            if (held)
                ReleaseMutex(g_log_mutex);
            return;
        }
        setvbuf(g_log_file, nullptr, _IONBF, 0);
        fputs(kSeparator, g_log_file);
    }
    SYSTEMTIME st;
    GetSystemTime(&st);
    // One write per line: with the stream unbuffered and opened for appending,
    // a line lands whole even beside writers that ignore the mutex.
    std::string line(64 + strlen(message), '\0');
    const int n = snprintf(&line[0], line.size(), "[%4d-%02d-%02d %2d:%02d:%02d.%03d][%04x:%04x] %s\n", st.wYear,
                           st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds,
                           GetCurrentProcessId(), GetCurrentThreadId(), message);
    if (n > 0)
        fwrite(line.data(), 1, std::min(static_cast<size_t>(n), line.size() - 1), g_log_file);
    if (held)
        ReleaseMutex(g_log_mutex);
}

void WriteLogLineWide(const WCHAR* text)
{
    if (!g_logging.load())
        return;
    WriteLogLine(compat::toUtf8(text).c_str());
}

void WriteLogLineF(const char* format, ...)
{
    if (!g_logging.load())
        return;
    char message[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof(message), format, args);
    va_end(args);
    WriteLogLine(message);
}
