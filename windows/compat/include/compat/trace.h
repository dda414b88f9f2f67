#pragma once

// Diagnostics of the stand-ins themselves (a corrupt registry file, a shared
// object refused). The host decides where they go: the client hands them to
// its logger, the extension to its log file. Without a sink, errors go to
// standard error and information is dropped.

namespace compat {

enum TraceLevel { TRACE_ERROR = 0, TRACE_INFO = 1 };
typedef void (*TraceSink)(TraceLevel level, const char* message);

void setTraceSink(TraceSink sink);
void trace(TraceLevel level, const char* format, ...) __attribute__((format(printf, 2, 3)));

} // namespace compat
