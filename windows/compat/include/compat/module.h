#pragma once

// Process, time and shell services: the module path from dladdr, the tick
// count from the monotonic clock, UTC system time, ids for log lines, and the
// shell's change notification, which has nothing to notify on Linux.

#include <string>

#include "compat/win_types.h"

typedef struct {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME;

// Milliseconds of the monotonic clock, wrapping at 2^32 like Windows' count.
DWORD GetTickCount();
// The current UTC date and time.
void GetSystemTime(SYSTEMTIME* st);
DWORD GetCurrentProcessId();
DWORD GetCurrentThreadId();

#define SHCNE_ASSOCCHANGED 0x08000000L
#define SHCNF_IDLIST 0x0000
// No shell listens on Linux: the call is traced and does nothing.
void SHChangeNotify(LONG event_id, UINT flags, const void* item1, const void* item2);

namespace compat {

// Path of the shared object or program that holds `address`, as it was
// loaded (made absolute when it was relative); "" when dladdr cannot tell.
std::string modulePathOf(const void* address);

} // namespace compat
