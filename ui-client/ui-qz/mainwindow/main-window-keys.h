#pragma once
// The main window's keyboard commands: the file action of each key, and the
// F12 pair that asks for the engine state dumps.
#include <cstdint>

class QKeyEvent;

// The UserActionType of a key (key codes first, then the standard Copy,
// Paste and Cut sequences); -1 when the key has none. F12 has none.
int userActionForKey(const QKeyEvent* event);

// One F12 press at time `now` (ms) against the first press of a pending
// pair in `first_press` (0: none). True when it completes a pair within
// 499 ms, which also clears the pair; otherwise this press starts a pair.
bool completesKeyPair(uint64_t& first_press, uint64_t now);
