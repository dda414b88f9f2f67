#include "compat/trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace compat {

namespace {
std::atomic<TraceSink> g_sink{nullptr};
}

void setTraceSink(TraceSink sink)
{
    g_sink.store(sink);
}

void trace(TraceLevel level, const char* format, ...)
{
    char message[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof(message), format, args);
    va_end(args);
    TraceSink sink = g_sink.load();
    if (sink)
        sink(level, message);
    else if (level == TRACE_ERROR)
        fprintf(stderr, "vexo-compat: %s\n", message);
}

} // namespace compat
