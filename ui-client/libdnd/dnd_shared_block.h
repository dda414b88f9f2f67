#pragma once

// DndSharedBlock: the 525 bytes the client shares with the shell extension
// for a drag, addressed by offset on both sides (no structure is declared).
//   0       version, signed byte; the client writes 1
//   1       state: 0 no drag, 1 drag running, 2 target written
//   2..521  the drop's destination, UTF-16LE, at most 260 units, zero-filled
//   522     a zero unit after the path
//   524     spare; the client clears it when it takes a target

#include <cstddef>
#include <cstdint>

namespace dnd_block {

const char16_t kName[] = u"VexoDndShellExtMapping";
const char16_t kMutexName[] = u"VexoDndShellExtMutex";
const char kMarkerFolder[] = "qzdragfolderQZDF";

const size_t kSize = 525;
const size_t kVersionOffset = 0;
const size_t kStateOffset = 1;
const size_t kPathOffset = 2;
const size_t kPathUnits = 260;
const size_t kSpareOffset = 524;

const uint8_t kVersion = 1;
const uint8_t kStateIdle = 0;
const uint8_t kStateDragging = 1;
const uint8_t kStateTargetWritten = 2;

// What the client puts in the path field before a drag ("1234567" as bytes).
const uint8_t kPlaceholder[8] = {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x00};

// The client's waits for the block mutex, in milliseconds.
const uint32_t kClientWaitMs = 250;

} // namespace dnd_block
