#pragma once

// Named mutexes and named shared memory over POSIX shared-memory objects.
//
// A Windows name N becomes "/N-<uid><suffix>": objects are per user, and the
// suffix (environment variable QM_IPC_SUFFIX, letters, digits, '.', '_' and
// '-' only) lets parallel tests keep their objects apart. Objects are created
// 0600; one owned by another user, or open to others, is refused with
// ERROR_ACCESS_DENIED. A mutex is a robust, recursive, process-shared pthread
// mutex: when its holder dies, the next wait gets WAIT_ABANDONED and owns it.
// Unlike Windows objects, these outlive their last handle until unlinked.

#include <string>

#include "compat/win_types.h"

struct CompatHandle;
typedef CompatHandle* HANDLE;

#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)
#define INFINITE 0xFFFFFFFFu

#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

#define PAGE_READWRITE 0x04
#define FILE_MAP_WRITE 0x0002
#define FILE_MAP_READ 0x0004
#define FILE_MAP_ALL_ACCESS 0x000F001F

// Creates or opens the named mutex; last error ERROR_ALREADY_EXISTS when it was
// there already. Null on failure. Security attributes are not supported.
HANDLE CreateMutexW(void* security, BOOL initial_owner, LPCWSTR name);
BOOL ReleaseMutex(HANDLE mutex);
// WAIT_OBJECT_0, WAIT_ABANDONED (the previous holder died; the caller owns the
// mutex now), WAIT_TIMEOUT or WAIT_FAILED.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

// Only the paging-file form (file = INVALID_HANDLE_VALUE) with a name.
// A new object is all zero; an existing smaller one of ours is grown.
HANDLE CreateFileMappingW(HANDLE file, void* security, DWORD protect, DWORD size_high, DWORD size_low,
                          LPCWSTR name);
// Null with ERROR_FILE_NOT_FOUND when no such object exists.
HANDLE OpenFileMappingW(DWORD access, BOOL inherit, LPCWSTR name);
// Maps `bytes` from `offset_low`; refuses (ERROR_ACCESS_DENIED) an object
// shorter than the view, since touching past its end raises SIGBUS.
void* MapViewOfFile(HANDLE mapping, DWORD access, DWORD offset_high, DWORD offset_low, size_t bytes);
BOOL UnmapViewOfFile(const void* view);

BOOL CloseHandle(HANDLE handle);

namespace compat {

// The POSIX name a Windows object name maps to.
std::string ipcName(LPCWSTR name);
// Removes the named object (mutex or mapping), as the last Windows handle would.
bool unlinkNamedObject(LPCWSTR name);

} // namespace compat
