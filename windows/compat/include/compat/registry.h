#pragma once

// A file-backed registry with the Win32 calls the bridge and the extension use.
//
// One file per root: HKEY_LOCAL_MACHINE in a machine-wide folder
// (/var/lib/quillmar/registry), HKEY_CURRENT_USER under
// $XDG_CONFIG_HOME/quillmar/registry (~/.config when unset); QM_REGISTRY_DIR,
// read at every call, moves both (tests). HKEY_CLASSES_ROOT is the merged
// view of Software\Classes, the current user's entries over the machine's.
// Key paths and value names compare case-insensitively (ASCII letters) and keep
// the spelling they were first created with. Every change is a
// read-modify-write of the root's file under a lock, written to a temporary
// file and renamed over it. A file "<ROOT>.readonly" beside a root's file makes
// that root refuse every write with ERROR_ACCESS_DENIED, as a machine-wide
// root does for a user without rights (file modes refuse nothing to root);
// a file "<ROOT>.deny" lists key paths, one a line, refused the same way with
// everything below them, as a key's own access rights would.
// A file that cannot be parsed fails every call on its root with
// ERROR_REGISTRY_CORRUPT and is never written over.

#include <string>

#include "compat/win_types.h"

struct CompatRegKey;
typedef CompatRegKey* HKEY;
typedef HKEY* PHKEY;

#define HKEY_CLASSES_ROOT ((HKEY)(uintptr_t)0x80000000u)
#define HKEY_CURRENT_USER ((HKEY)(uintptr_t)0x80000001u)
#define HKEY_LOCAL_MACHINE ((HKEY)(uintptr_t)0x80000002u)

#define REG_NONE 0
#define REG_SZ 1
#define REG_BINARY 3
#define REG_DWORD 4

#define REG_OPTION_NON_VOLATILE 0
#define REG_CREATED_NEW_KEY 1
#define REG_OPENED_EXISTING_KEY 2

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define STANDARD_RIGHTS_READ 0x20000
#define STANDARD_RIGHTS_WRITE 0x20000
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

LONG RegOpenKeyExW(HKEY key, LPCWSTR subkey, DWORD options, REGSAM sam, PHKEY result);
LONG RegCreateKeyExW(HKEY key, LPCWSTR subkey, DWORD reserved, LPWSTR key_class, DWORD options, REGSAM sam,
                     void* security, PHKEY result, DWORD* disposition);
LONG RegCloseKey(HKEY key);
// Data null: only the size and type. ERROR_MORE_DATA with the size needed when
// the buffer is short; ERROR_FILE_NOT_FOUND when there is no such value.
LONG RegQueryValueExW(HKEY key, LPCWSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
// The ANSI form: REG_SZ data comes back as UTF-8 with its zero byte.
LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
// The ANSI form: REG_SZ data is UTF-8 and stored as UTF-16.
LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LONG RegDeleteValueW(HKEY key, LPCWSTR name);
// Refuses (ERROR_ACCESS_DENIED) a key that still has sub-keys.
LONG RegDeleteKeyW(HKEY key, LPCWSTR subkey);
LONG RegQueryInfoKeyW(HKEY key, LPWSTR key_class, DWORD* class_units, DWORD* reserved, DWORD* subkeys,
                      DWORD* max_subkey_len, DWORD* max_class_len, DWORD* values, DWORD* max_value_name_len,
                      DWORD* max_value_len, DWORD* security_descriptor, void* last_write_time);
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, DWORD* name_units, DWORD* reserved, LPWSTR key_class,
                   DWORD* class_units, void* last_write_time);

namespace compat {

// The folder holding a root's file ("HKLM" or "HKCU"), as the calls above find it.
std::string registryDir(HKEY root);
// The path of a root's file.
std::string registryFile(HKEY root);

} // namespace compat
