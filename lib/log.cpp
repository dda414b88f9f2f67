#include "log.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <new>
#include <sstream>

#include "config.hpp"
#include "log_text.h"
#include "ustring/ustring.h"

namespace {

// Rotation threshold: characters written by this process to the current file.
const long long kRotateAfterChars = 1048576;
const int kDefaultLevel = Logger::L_WARNING;

struct LoggerState {
    // Thresholds by component; changed only by Initialize, read without the lock.
    std::map<std::string, int, std::less<>> log_level;
    // The highest of those thresholds (and of the default): a message above
    // it is refused without a search. Most checks are of debug lines, made
    // per channel read, and this is their whole cost.
    std::atomic<int> max_level{kDefaultLevel};
    std::atomic<Logger::Type> log_type{Logger::STDOUT_LOGGER};
    // Before Initialize the sink is standard error.
    std::atomic<FILE*> log_fp{stderr};
    std::atomic<bool> log_initialized{true};
    // Guards every write, flush, count and rotation; nothing is taken inside it.
    std::mutex log_lock;
    // The fields below are under log_lock.
    long long log_size = -1; // -1 for the sinks that are not counted
    int rotate_cnt = 50;
    std::string log_path;
    uint64_t log_rotated_count_shared = 0;
    uint64_t log_rotated_count_private = 0;
    // A failed rotation is reported on standard error once, not per message.
    bool rotate_failure_reported = false;
};

// Never destroyed, so messages logged from destructors at exit still work.
LoggerState& state()
{
    static LoggerState* s = new LoggerState;
    return *s;
}

bool owns_stream(FILE* fp) { return fp && fp != stdout && fp != stderr; }

// Close-on-exec, so child processes never hold the log file open.
FILE* open_log_file(const std::string& path) { return std::fopen(path.c_str(), "ae"); }

std::string rotated_name(const std::string& path, int index) { return path + "_" + std::to_string(index); }

// "%b %d %H:%M:%S " with English month names whatever the process locale.
void append_time_prefix(std::string& out)
{
    static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const time_t now = std::time(nullptr);
    struct tm local;
    if (!localtime_r(&now, &local))
        std::memset(&local, 0, sizeof local);
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%s %02d %02d:%02d:%02d ", kMonths[local.tm_mon % 12],
                                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    out.append(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

void report_rotation_failure(LoggerState& s, const char* step, int error)
{
    if (s.rotate_failure_reported)
        return;
    s.rotate_failure_reported = true;
    std::fprintf(stderr, "Logger: rotation of %s failed (%s: %s); logging goes on in the current file\n",
                 s.log_path.c_str(), step, std::strerror(error));
    std::fflush(stderr);
}

} // namespace

// ---- argument widening ----

Logger::Reaper::~Reaper()
{
    for (wchar_t* p : save)
        std::free(p);
}

wchar_t* Logger::Reaper::request(int n)
{
    wchar_t* p = static_cast<wchar_t*>(std::malloc(sizeof(wchar_t) * (n > 0 ? n : 1)));
    if (!p)
        throw std::bad_alloc();
    save.push_back(p);
    return p;
}

wchar_t* Logger::widen(const char* utf8, Reaper& reaper)
{
    if (!utf8)
        utf8 = "(null)";
    const size_t len = std::strlen(utf8);
    // A UTF-8 text never has more code points than bytes.
    wchar_t* out = reaper.request(static_cast<int>(len + 1));
    logtext::utf8_to_wide(utf8, len, out, len + 1);
    return out;
}

wchar_t* Logger::widen(const char16_t* utf16, Reaper& reaper)
{
    if (!utf16)
        return widen(static_cast<const char*>(nullptr), reaper);
    size_t len = 0;
    while (utf16[len])
        ++len;
    wchar_t* out = reaper.request(static_cast<int>(len + 1));
    logtext::utf16_to_wide(utf16, len, out, len + 1);
    return out;
}

wchar_t* Logger::widen(const std::string& utf8, Reaper& reaper) { return widen(utf8.c_str(), reaper); }

wchar_t* Logger::widen(const ustring& text, Reaper& reaper) { return widen(text.c_str_utf8(), reaper); }

// ---- set-up ----

int Logger::Initialize(Type type, const std::string& path, const std::string& level_file_path, int rotate_count)
{
    LoggerState& s = state();
    std::lock_guard<std::mutex> guard(s.log_lock);

    // A second Initialize must not leak the file of the first.
    FILE* previous = s.log_fp.exchange(stderr);
    if (owns_stream(previous))
        std::fclose(previous);

    s.log_level["default_component"] = kDefaultLevel;
    if (!level_file_path.empty()) {
        Config levels;
        levels.read(level_file_path); // a missing or invalid file gives no entries
        for (Config::iterator it = levels.begin(); it != levels.end(); ++it) {
            // As a stream reads an int: 0 when no number, clamped when out of range.
            std::istringstream in(it->second);
            int level = 0;
            in >> level;
            s.log_level[it->first] = level;
        }
    }

    int highest = kDefaultLevel;
    for (const auto& entry : s.log_level)
        highest = std::max(highest, entry.second);
    s.max_level = highest;

    s.log_rotated_count_shared = 0;
    s.log_rotated_count_private = 0;
    s.rotate_failure_reported = false;

    switch (type) {
    case SYSLOG_LOGGER:
    case STDOUT_LOGGER:
    case STDERR_LOGGER:
        s.log_type = type;
        s.log_fp = type == SYSLOG_LOGGER ? nullptr : type == STDOUT_LOGGER ? stdout : stderr;
        s.log_path.clear();
        s.log_size = -1;
        s.log_initialized = true;
        return 0;
    default:
        break;
    }

    FILE* fp = path.empty() ? nullptr : open_log_file(path);
    if (!fp) {
        // Nothing is lost: messages go on to standard error with the prefix.
        s.log_type = STDERR_LOGGER;
        s.log_fp = stderr;
        s.log_path.clear();
        s.log_size = -1;
        s.log_initialized = true;
        return -1;
    }
    s.log_type = type;
    s.log_fp = fp;
    s.log_size = 0;
    s.log_path = path;
    s.rotate_cnt = rotate_count < 1 ? 1 : rotate_count;
    s.log_initialized = true;
    return 0;
}

void Logger::Destroy()
{
    LoggerState& s = state();
    std::lock_guard<std::mutex> guard(s.log_lock);
    s.log_initialized = false;
    FILE* fp = s.log_fp.exchange(nullptr);
    if (owns_stream(fp))
        std::fclose(fp);
    s.log_path.clear();
    s.log_size = -1;
}

// ---- level checks ----

int Logger::GetCompLevel(const char* component)
{
    const auto& levels = state().log_level;
    auto it = levels.find(component);
    return it == levels.end() ? kDefaultLevel : it->second;
}

bool Logger::IsNeedToLog(Level level, const char* component)
{
    const LoggerState& s = state();
    return s.log_initialized && static_cast<int>(level) <= s.max_level.load(std::memory_order_relaxed) &&
           static_cast<int>(level) <= GetCompLevel(component);
}

bool Logger::IsNeedToLog(Level level, const std::string& component) { return IsNeedToLog(level, component.c_str()); }

// ---- writing ----

void Logger::LogMsg(Level level, const std::string& component, const xchar* format, ...)
{
    va_list args;
    va_start(args, format);
    WriteMessage(level, component.c_str(), format, args);
    va_end(args);
}

void Logger::LogMsg2(Level level, const std::string& component, const xchar* format, va_list args)
{
    WriteMessage(level, component.c_str(), format, args);
}

void LogMSG_c(int level, char* component, const wchar_t* format, va_list args)
{
    Logger::LogMsg2(static_cast<Logger::Level>(level), std::string(component ? component : ""), format, args);
}

void Logger::WriteMessage(Level level, const char* component, const xchar* format, va_list args)
{
    LoggerState& s = state();
    if (!s.log_initialized || !format)
        return;
    const Type type = s.log_type;
    if (type != SYSLOG_LOGGER && !s.log_fp.load())
        return;
    if (static_cast<int>(level) > GetCompLevel(component))
        return;

    // Format outside the lock; only the write is serialised.
    std::wstring translated, message;
    logtext::translate_format(format, translated);
    int count = logtext::format_wide(translated.c_str(), args, message);
    if (count < 0) {
        // Keep the caller's text rather than lose the message.
        message = format;
        count = static_cast<int>(message.size());
    }
    const bool prefixed = type == STDOUT_LOGGER || type == STDERR_LOGGER || type == FILE_LOGGER;
    std::string line;
    if (prefixed)
        append_time_prefix(line);
    const int prefix_chars = static_cast<int>(line.size()); // the prefix is ASCII
    logtext::append_utf8(message.data(), message.size(), line);

    std::lock_guard<std::mutex> guard(s.log_lock);
    if (s.log_rotated_count_shared != s.log_rotated_count_private) {
        ReloadLogFile();
        s.log_rotated_count_private = s.log_rotated_count_shared;
    }
    long long written = 0;
    if (prefixed) {
        FILE* fp = s.log_fp.load();
        if (!fp)
            return;
        const bool ok = std::fwrite(line.data(), 1, line.size(), fp) == line.size() && std::fflush(fp) == 0;
        written = ok ? prefix_chars + count : -1;
    } else {
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fflush(stderr);
    }
    if (type == FILE_LOGGER && written >= 0 && s.log_size >= 0) {
        s.log_size += written;
        // The message that passes the threshold is the last one of the old file.
        if (s.log_size > kRotateAfterChars) {
            Rotate();
            s.log_size = 0;
        }
    }
}

// ---- rotation (called with log_lock held) ----

// ui.log -> ui.log_0 -> ... -> ui.log_(N-2); the file that would become
// ui.log_(N-1) is removed. POSIX lets an open file be renamed, so the current
// stream is kept until the new file is open: when any step fails, messages go
// on into the stream they went to before, and the failure is reported once.
int Logger::Rotate()
{
    LoggerState& s = state();
    const int n = s.rotate_cnt;
    for (int i = n - 2; i >= 0; --i)
        std::rename(rotated_name(s.log_path, i).c_str(), rotated_name(s.log_path, i + 1).c_str());
    std::remove(rotated_name(s.log_path, n - 1).c_str());

    if (std::rename(s.log_path.c_str(), rotated_name(s.log_path, 0).c_str()) != 0) {
        report_rotation_failure(s, "rename", errno);
        return -1;
    }
    FILE* fresh = open_log_file(s.log_path);
    if (!fresh) {
        const int error = errno;
        // The stream we keep now writes to ui.log_0; give the file its name
        // back, or later rotations would shift it along with the old files
        // and finally delete it while messages still go into it.
        std::rename(rotated_name(s.log_path, 0).c_str(), s.log_path.c_str());
        report_rotation_failure(s, "reopen", error);
        return -1;
    }
    FILE* old = s.log_fp.exchange(fresh);
    if (owns_stream(old))
        std::fclose(old);
    ++s.log_rotated_count_shared;
    ++s.log_rotated_count_private;
    s.rotate_failure_reported = false;
    return 0;
}

// Follows a rotation made by another writer sharing the generation count.
void Logger::ReloadLogFile()
{
    LoggerState& s = state();
    const Type type = s.log_type;
    if (type != FILE_LOGGER && type != ANDROID_LOGGER)
        return;
    FILE* fresh = open_log_file(s.log_path);
    if (!fresh)
        return; // keep the stream we have
    FILE* old = s.log_fp.exchange(fresh);
    if (owns_stream(old))
        std::fclose(old);
    s.log_size = 0;
}
