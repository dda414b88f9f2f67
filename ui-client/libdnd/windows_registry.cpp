#include "windows_registry.h"

#include <cstdlib>
#include <cstring>

#include "compat/text.h"

namespace {

// All bits set: no key is open.
HKEY invalidHandle()
{
    return reinterpret_cast<HKEY>(~static_cast<uintptr_t>(0));
}

// Roots outside 1 to 3 go to the system as they are, which refuses them.
HKEY systemRoot(WindowsRegistry::HKEY_ROOT root)
{
    switch (root) {
    case WindowsRegistry::HKCR:
        return HKEY_CLASSES_ROOT;
    case WindowsRegistry::HKCU:
        return HKEY_CURRENT_USER;
    case WindowsRegistry::HKLM:
        return HKEY_LOCAL_MACHINE;
    default:
        return reinterpret_cast<HKEY>(static_cast<uintptr_t>(root));
    }
}

const REGSAM kReadAccess = KEY_READ | KEY_WOW64_64KEY;              // 0x20119
const REGSAM kWriteAccess = KEY_READ | KEY_WRITE | KEY_WOW64_64KEY; // 0x2011F

// A value name for the system: null for the default value.
const WCHAR* valueName(ustring const& name)
{
    return name.empty() ? nullptr : name.c_str();
}

} // namespace

WindowsRegistry::WindowsRegistry()
{
    Reset();
}

WindowsRegistry::WindowsRegistry(HKEY_ROOT root_, ustring const& subkey_, ACCESS_PERM perm_)
{
    Reset();
    if (perm_ == READ)
        OpenRead(root_, subkey_);
    else
        OpenWrite(root_, subkey_);
}

WindowsRegistry::~WindowsRegistry()
{
    Close();
}

void WindowsRegistry::SetError(const char* step, long code)
{
    std::string text = step;
    if (code != 0)
        text += " (system error code = " + std::to_string(code) + ")";
    last_error = text;
}

int WindowsRegistry::OpenRead(HKEY_ROOT root_, ustring const& subkey_)
{
    Close();
    HKEY opened = nullptr;
    const LONG rc = RegOpenKeyExW(systemRoot(root_), subkey_.c_str(), 0, kReadAccess, &opened);
    if (rc != ERROR_SUCCESS) {
        Reset();
        SetError("RegOpenKeyExW", rc);
        return -1;
    }
    handle = opened;
    root = root_;
    subkey = subkey_;
    perm = READ;
    return 0;
}

int WindowsRegistry::OpenWrite(HKEY_ROOT root_, ustring const& subkey_)
{
    Close();
    HKEY opened = nullptr;
    const LONG rc = RegCreateKeyExW(systemRoot(root_), subkey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    kWriteAccess, nullptr, &opened, nullptr);
    if (rc != ERROR_SUCCESS) {
        Reset();
        SetError("RegCreateKeyExW", rc);
        return -1;
    }
    handle = opened;
    root = root_;
    subkey = subkey_;
    perm = WRITE;
    return 0;
}

int WindowsRegistry::Read(ustring const& name, std::string& data)
{
    if (!IsValid()) {
        SetError("invalid argument", 0);
        return -1;
    }
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(handle, valueName(name), nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) {
        SetError("RegQueryValueExW", rc);
        return -1;
    }
    for (;;) {
        // Room to spare, and the value may grow between the two calls.
        DWORD capacity = size + 10;
        BYTE* buffer = static_cast<BYTE*>(malloc(capacity));
        if (!buffer) {
            SetError("malloc", ::GetLastError());
            return -1;
        }
        rc = RegQueryValueExW(handle, valueName(name), nullptr, &type, buffer, &capacity);
        if (rc == ERROR_SUCCESS) {
            data.assign(reinterpret_cast<const char*>(buffer), capacity);
            data.append(2, '\0');
            free(buffer);
            return 0;
        }
        free(buffer);
        if (rc != ERROR_MORE_DATA) {
            SetError("ReqQueryValueExW", rc);
            return -1;
        }
        rc = RegQueryValueExW(handle, valueName(name), nullptr, &type, nullptr, &size);
        if (rc != ERROR_SUCCESS) {
            SetError("RegQueryValueExW", rc);
            return -1;
        }
    }
}

ustring WindowsRegistry::ReadString(ustring const& name)
{
    std::string data;
    if (Read(name, data) != 0)
        return ustring();
    std::u16string text;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(data[i]) |
                                                    (static_cast<unsigned char>(data[i + 1]) << 8));
        if (!unit)
            break;
        text += unit;
    }
    return ustring(compat::toUtf8(text));
}

int WindowsRegistry::WriteString(ustring const& name, ustring const& value)
{
    if (!IsValid()) {
        SetError("invalid argument", 0);
        return -1;
    }
    if (!IsWritable()) {
        SetError("Registry is not writable", 0);
        return -1;
    }
    const WCHAR* text = value.c_str();
    const DWORD bytes = static_cast<DWORD>(compat::wideLength(text) * 2 + 2);
    const LONG rc = RegSetValueExW(handle, valueName(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
    if (rc != ERROR_SUCCESS) {
        SetError("RegSetValueExW", rc);
        return -1;
    }
    return 0;
}

int WindowsRegistry::EnumSubKeys(std::vector<ustring>& names)
{
    if (!IsValid()) {
        SetError("invalid argument", 0);
        return -1;
    }
    DWORD count = 0;
    DWORD longest = 0;
    LONG rc = RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr);
    if (rc != ERROR_SUCCESS) {
        SetError("RegQueryInfoKey", rc);
        return -1;
    }
    std::vector<WCHAR> buffer(longest + 1);
    std::vector<ustring> found;
    for (DWORD i = 0; i < count; ++i) {
        DWORD units = static_cast<DWORD>(buffer.size());
        rc = RegEnumKeyExW(handle, i, buffer.data(), &units, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break; // a key was removed meanwhile
        if (rc != ERROR_SUCCESS) {
            SetError("RegEnumKeyExW", rc);
            return -1;
        }
        found.push_back(ustring(compat::toUtf8(std::u16string(buffer.data(), units))));
    }
    names.swap(found);
    return 0;
}

void WindowsRegistry::Close()
{
    if (IsValid())
        RegCloseKey(handle);
    Reset();
}

void WindowsRegistry::Reset()
{
    handle = invalidHandle();
    root = NO_ROOT;
    subkey = ustring();
    perm = NO_PERM;
    last_error = ustring();
}

bool WindowsRegistry::IsValid() const
{
    return handle != invalidHandle();
}

bool WindowsRegistry::IsReadable() const
{
    return perm == READ || perm == WRITE;
}

bool WindowsRegistry::IsWritable() const
{
    return perm == WRITE;
}

WindowsRegistry::HKEY_ROOT WindowsRegistry::GetRoot() const
{
    return root;
}

ustring WindowsRegistry::GetSubKey() const
{
    return subkey;
}

ustring WindowsRegistry::GetLastError() const
{
    return last_error;
}
