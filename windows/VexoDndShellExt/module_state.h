#pragma once

// What one process that loaded the extension shares between its objects.

#include "compat/win_types.h"

namespace shellext {

// Live factories plus live objects; the library may be unloaded at 0.
void objectCreated();
void objectDestroyed();
long objectCount();

// Milliseconds for the copy hook's repeat check (GetTickCount unless a test
// build replaced it).
DWORD tickNow();
typedef DWORD (*TickSource)();
void setTickSource(TickSource source);

// Full path of this library.
const char* modulePath();

} // namespace shellext
