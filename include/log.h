#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

class ustring;

// Process-wide logger: static members only. A message is a wide printf format
// under a component name and a level; it is written with a local-time prefix
// to one sink. Formats follow the Windows wide-printf convention: "%s" and
// "%c" take wide arguments (narrow texts are widened by tLogMsg), "%I64d" is a
// 64-bit integer. Use QM_LOG (below) at call sites.
class Logger {
public:
    typedef wchar_t xchar;
    typedef std::wstring xstring;

    enum Type {
        ANDROID_LOGGER = 0, // standard error without time prefix; still opens the file
        SYSLOG_LOGGER = 1,  // standard error without time prefix
        STDOUT_LOGGER = 2,
        STDERR_LOGGER = 3,
        FILE_LOGGER = 4,    // counted and rotated log file
    };

    enum Level {
        L_EMERG = 0,
        L_ALERT = 1,
        L_CRIT = 2,
        L_ERR = 3,
        L_WARNING = 4,
        L_NOTICE = 5,
        L_INFO = 6,
        L_DEBUG = 7,
    };

    // Owns the wide copies of the narrow text arguments of one message.
    class Reaper {
    public:
        Reaper() = default;
        Reaper(const Reaper&) = delete;
        Reaper& operator=(const Reaper&) = delete;
        ~Reaper();
        // A buffer of n wide characters that lives as long as the Reaper.
        wchar_t* request(int n);

        std::vector<wchar_t*> save;
    };

    // Which argument types are turned into wide copies before they reach the
    // wide format: narrow UTF-8 texts and UTF-16 texts.
    template <typename T> struct needs_widening : std::false_type {};

    // Passes an argument to the wide format: unchanged, or as a wide copy
    // owned by the message's Reaper.
    template <typename T, bool Need = needs_widening<T>::value>
    struct forward_trait {
        typedef T result_type;
        static T forward(const T& value, Reaper&) { return value; }
    };
    template <typename T>
    struct forward_trait<T, true> {
        typedef wchar_t* result_type;
        static wchar_t* forward(const T& value, Reaper& reaper) { return widen(value, reaper); }
    };

    // Sets the sink up and reads the per-component levels from the level file
    // (key=value, value an int). 0 on success, -1 on failure.
    static int Initialize(Type type, const std::string& path, const std::string& level_file_path,
                          int rotate_count);
    // Closes the file; every later message is dropped until the next Initialize.
    static void Destroy();
    // True when a message of this level and component would be written.
    static bool IsNeedToLog(Level level, const std::string& component);
    static bool IsNeedToLog(Level level, const char* component);

    // The arguments must already be wide where the format says "%s": narrow
    // texts go through tLogMsg, which widens them.
    static void LogMsg(Level level, const std::string& component, const xchar* format, ...);
    static void LogMsg2(Level level, const std::string& component, const xchar* format, va_list args);

    // Widens narrow and UTF-16 text arguments, then logs.
    template <typename... Args>
    static void tLogMsg(Level level, const std::string& component, const xchar* format,
                        const Args&... args)
    {
        Reaper reaper;
        LogMsg(level, component, format,
               forward_trait<typename std::decay<const Args&>::type>::forward(args, reaper)...);
    }

    // tLogMsg with the source line as the first format argument.
    template <typename... Args>
    static void tLogLine(Level level, const std::string& component, int line, const xchar* format,
                         const Args&... args)
    {
        tLogMsg(level, component, format, line, args...);
    }

    static wchar_t* widen(const char* utf8, Reaper& reaper);
    static wchar_t* widen(const char16_t* utf16, Reaper& reaper);
    static wchar_t* widen(const std::string& utf8, Reaper& reaper);
    static wchar_t* widen(const ustring& text, Reaper& reaper);

private:
    static int Rotate();
    static int GetCompLevel(const char* component);
    static void ReloadLogFile();
    static void WriteMessage(Level level, const char* component, const xchar* format, va_list args);
    // The logger's state (thresholds, sink, counts, lock) lives in log.cpp,
    // built on first use so that static constructors of other files can log.
};

template <> struct Logger::needs_widening<const char*> : std::true_type {};
template <> struct Logger::needs_widening<char*> : std::true_type {};
template <> struct Logger::needs_widening<const char16_t*> : std::true_type {};
template <> struct Logger::needs_widening<char16_t*> : std::true_type {};
template <> struct Logger::needs_widening<std::string> : std::true_type {};
template <> struct Logger::needs_widening<ustring> : std::true_type {};

// For code that has only character pointers and a va_list.
void LogMSG_c(int level, char* component, const wchar_t* format, va_list args);

// The call-site convention: arguments are evaluated only when the message will
// be written, and the source line is the first format argument.
//   QM_LOG(Logger::L_ERR, "channel_debug", L"[ERROR] channel(%d): open %s failed\n", host);
#define QM_LOG(level, component, ...)                                                              \
    do {                                                                                           \
        if (Logger::IsNeedToLog((level), (component)))                                             \
            Logger::tLogLine((level), (component), __LINE__, __VA_ARGS__);                        \
    } while (0)
