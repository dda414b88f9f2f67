#pragma once

#include "compat/com.h"

namespace shellext {

// {61359716-007D-4490-A3AE-CBE0E414BD28}
extern const CLSID CLSID_ShellExtension;

// Shared with the client by name only.
extern const WCHAR kBlockName[];      // the block the client creates for a drag
extern const WCHAR kBlockMutexName[]; // guards the block
extern const WCHAR kLogMutexName[];   // serialises log writers of every process
extern const char16_t kMarkerFolder[]; // the folder the client offers in a drag

// Layout of the block (owned by the client).
const size_t kBlockSize = 525;
const size_t kVersionOffset = 0;
const size_t kStateOffset = 1;
const size_t kPathOffset = 2;
const size_t kPathUnits = 260;
const uint8_t kStateDragging = 1;
const uint8_t kStateTargetWritten = 2;

// Block waits, in milliseconds.
const DWORD kBlockMutexWaitMs = 1000;
const DWORD kLogMutexWaitMs = 1000;
// A second copy call on one object within this time is let through unseen.
const DWORD kRepeatIntervalMs = 100;

} // namespace shellext
