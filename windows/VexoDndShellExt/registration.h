#pragma once

#include "compat/registry.h"

namespace shellext {

// Writes the class, its in-process server, the copy-hook handler and the
// settings key under HKLM (all_users) or HKCU. True only when every key and
// value was written.
bool RegisterServer(bool all_users);
// Removes what RegisterServer wrote; true when at least one of those keys or
// values was deleted under this root.
bool UnregisterServer(bool all_users);
// Deletes the key when it has neither sub-keys nor values.
bool DeleteKeyIfEmpty(HKEY root, LPCWSTR path);

} // namespace shellext
