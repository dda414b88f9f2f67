#pragma once

#include <string>
#include <vector>

#include "compat/registry.h"
#include "ustring/ustring.h"

// One registry key, opened for reading or for writing, always in the 64-bit
// view. Operations return 0 or -1 and keep the failing step in GetLastError(),
// with " (system error code = N)" when the system gave a code.
class WindowsRegistry {
public:
    enum HKEY_ROOT { NO_ROOT = 0, HKCR = 1, HKCU = 2, HKLM = 3 };
    enum ACCESS_PERM { NO_PERM = 0, READ = 1, WRITE = 2 };

    WindowsRegistry();
    // OpenRead for READ, OpenWrite for any other mode.
    WindowsRegistry(HKEY_ROOT root, ustring const& subkey, ACCESS_PERM perm);
    ~WindowsRegistry();
    WindowsRegistry(const WindowsRegistry&) = delete;
    WindowsRegistry& operator=(const WindowsRegistry&) = delete;

    int OpenRead(HKEY_ROOT root, ustring const& subkey);
    // Opens the key, creating it (and its parents) when missing.
    int OpenWrite(HKEY_ROOT root, ustring const& subkey);
    // The value's raw bytes followed by two zero bytes.
    int Read(ustring const& name, std::string& data);
    // The value as zero-terminated UTF-16 text; "" on failure.
    ustring ReadString(ustring const& name);
    // REG_SZ; an empty name is the key's default value.
    int WriteString(ustring const& name, ustring const& value);
    // Replaces names by the key's direct sub-keys; unchanged on failure.
    int EnumSubKeys(std::vector<ustring>& names);
    void Close();
    void Reset();

    bool IsValid() const;
    bool IsReadable() const;
    bool IsWritable() const;
    HKEY_ROOT GetRoot() const;
    ustring GetSubKey() const;
    ustring GetLastError() const;

private:
    void SetError(const char* step, long code);

    HKEY handle;
    HKEY_ROOT root;
    ustring subkey;
    ACCESS_PERM perm;
    ustring last_error;
};
