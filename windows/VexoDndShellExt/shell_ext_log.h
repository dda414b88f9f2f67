#pragma once

// The extension's diagnostic log: off until a REG_SZ value LogFile under
// Software\Quillmar\qzshellext (HKLM, then HKCU) names a file. Lines of every
// process go through one named mutex, so they never interleave.

#include "compat/win_types.h"

namespace shellext {

// Reads the settings key and writes the load lines (process attach).
void logProcessAttach();
void logProcessDetach();
bool loggingEnabled();

} // namespace shellext

// One line, as "[yyyy-mm-dd hh:mm:ss.mmm][pid:tid] message" (UTC).
void WriteLogLine(const char* message);
// A UTF-16 text, logged as UTF-8.
void WriteLogLineWide(const WCHAR* text);
// printf-style convenience over WriteLogLine.
void WriteLogLineF(const char* format, ...) __attribute__((format(printf, 1, 2)));
