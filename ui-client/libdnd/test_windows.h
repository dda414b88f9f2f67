#pragma once

#include "ustring/ustring.h"
#include "windows_registry.h"

// Makes sure the copy-hook handler is registered under `root`: the copy-hook
// key names the class, and the class's InProcServer32 names the extension the
// build staged beside the program. 0 when in place (already, or written now),
// -1 when a key could not be opened for writing or a value not written.
int TestWindows(WindowsRegistry::HKEY_ROOT root);

// The extension's path for this program: the program folder +
// "/VexoDndShellExt/0/x64/VexoDndShellExt.so" ("x86" in a 32-bit build).
ustring ShellExtensionPath();

// On Windows a newly written handler path needs Explorer restarted. No
// process is ever ended here: the restart only logs "restarting explorer...".
void RestartExplorer();
// How many restarts this process asked for (for tests).
int ExplorerRestartCount();
