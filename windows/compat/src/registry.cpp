#include "compat/registry.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>
#include <vector>

#include "compat/text.h"
#include "registry_store.h"

using compat::reg::Hive;
using compat::reg::Key;
using compat::reg::RootId;
using compat::reg::Value;

// An open key: a view (HKCR, HKCU or HKLM) and a path inside it.
struct CompatRegKey {
    int view;
    std::u16string path;
    REGSAM sam;
};

namespace {

enum View { VIEW_HKCR = 0, VIEW_HKCU = 1, VIEW_HKLM = 2 };

const REGSAM kWriteAccess = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK;
const char16_t kClasses[] = u"Software\\Classes";

// Handles handed out and not closed yet: anything else is an invalid handle.
// Built on first use (see the note in sync.cpp).
std::mutex g_handles_lock;

std::set<CompatRegKey*>& handles()
{
    static std::set<CompatRegKey*> table;
    return table;
}

struct Place {
    RootId root;
    std::u16string path;
};

struct Resolved {
    int view;
    std::u16string path;
    REGSAM sam;
};

bool resolve(HKEY key, Resolved* out)
{
    if (key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) {
        out->view = key == HKEY_CLASSES_ROOT ? VIEW_HKCR : key == HKEY_CURRENT_USER ? VIEW_HKCU : VIEW_HKLM;
        out->path.clear();
        out->sam = KEY_ALL_ACCESS;
        return true;
    }
    std::lock_guard<std::mutex> guard(g_handles_lock);
    if (!handles().count(key))
        return false;
    out->view = key->view;
    out->path = key->path;
    out->sam = key->sam;
    return true;
}

// Where a view's path lives, in the order reads consult them; writes go to the first.
std::vector<Place> places(int view, const std::u16string& path)
{
    switch (view) {
    case VIEW_HKCR:
        return {{compat::reg::ROOT_HKCU, compat::reg::joinPath(kClasses, path)},
                {compat::reg::ROOT_HKLM, compat::reg::joinPath(kClasses, path)}};
    case VIEW_HKCU:
        return {{compat::reg::ROOT_HKCU, path}};
    default:
        return {{compat::reg::ROOT_HKLM, path}};
    }
}

std::u16string wide(LPCWSTR text)
{
    return text ? std::u16string(text) : std::u16string();
}

HKEY newHandle(int view, const std::u16string& path, REGSAM sam)
{
    CompatRegKey* key = new CompatRegKey{view, path, sam};
    std::lock_guard<std::mutex> guard(g_handles_lock);
    handles().insert(key);
    return key;
}

// The key's spelling as stored in the view, given its spelling in one place.
std::u16string viewPath(int view, const std::u16string& stored)
{
    if (view != VIEW_HKCR)
        return stored;
    const size_t prefix = std::char_traits<char16_t>::length(kClasses);
    return stored.size() > prefix ? stored.substr(prefix + 1) : std::u16string();
}

// Finds the value through the view's places; ERROR_SUCCESS with *found filled.
LONG lookupValue(const Resolved& key, const std::u16string& name, Value* found)
{
    for (const Place& place : places(key.view, key.path)) {
        Hive hive;
        const LONG rc = compat::reg::loadHive(place.root, hive);
        if (rc != ERROR_SUCCESS)
            return rc;
        Key* stored = hive.find(place.path);
        if (!stored)
            continue;
        if (Value* value = stored->findValue(name)) {
            *found = *value;
            return ERROR_SUCCESS;
        }
    }
    return ERROR_FILE_NOT_FOUND;
}

LONG copyOut(const std::string& bytes, DWORD type, DWORD* type_out, BYTE* data, DWORD* size)
{
    if (type_out)
        *type_out = type;
    if (!data) {
        if (size)
            *size = static_cast<DWORD>(bytes.size());
        return ERROR_SUCCESS;
    }
    if (!size)
        return ERROR_INVALID_PARAMETER;
    if (*size < bytes.size()) {
        *size = static_cast<DWORD>(bytes.size());
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    *size = static_cast<DWORD>(bytes.size());
    return ERROR_SUCCESS;
}

// The text of REG_SZ bytes up to the first zero unit.
std::u16string textOf(const std::string& bytes)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                    (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (!unit)
            break;
        text += unit;
    }
    return text;
}

std::string bytesOf(const std::u16string& text)
{
    std::string bytes;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    bytes.append(2, '\0');
    return bytes;
}

LONG setValue(HKEY handle, const std::u16string& name, DWORD type, const std::string& bytes)
{
    Resolved key;
    if (!resolve(handle, &key))
        return ERROR_INVALID_HANDLE;
    if (!(key.sam & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    const Place place = places(key.view, key.path).front();
    if (compat::reg::isDenied(place.root, place.path))
        return ERROR_ACCESS_DENIED;
    return compat::reg::modifyHive(place.root, [&](Hive& hive) -> LONG {
        Key* stored = hive.find(place.path);
        if (!stored)
            return ERROR_FILE_NOT_FOUND;
        if (Value* value = stored->findValue(name)) {
            value->type = type;
            value->data = bytes;
        } else {
            Value fresh;
            fresh.name = name;
            fresh.type = type;
            fresh.data = bytes;
            stored->values.push_back(fresh);
        }
        return ERROR_SUCCESS;
    });
}

struct KeyFacts {
    std::vector<std::u16string> subkeys;
    std::vector<Value> values;
};

// Sub-keys and values of a key through its view (the user's over the machine's).
LONG gatherFacts(const Resolved& key, KeyFacts* facts)
{
    bool found = false;
    for (const Place& place : places(key.view, key.path)) {
        Hive hive;
        const LONG rc = compat::reg::loadHive(place.root, hive);
        if (rc != ERROR_SUCCESS)
            return rc;
        Key* stored = hive.find(place.path);
        if (!stored)
            continue;
        found = true;
        for (const std::u16string& name : hive.children(stored->path)) {
            bool dup = false;
            for (const std::u16string& have : facts->subkeys)
                dup = dup || compat::equalNoCase(have, name);
            if (!dup)
                facts->subkeys.push_back(name);
        }
        for (const Value& value : stored->values) {
            bool dup = false;
            for (const Value& have : facts->values)
                dup = dup || compat::equalNoCase(have.name, value.name);
            if (!dup)
                facts->values.push_back(value);
        }
    }
    return found ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

} // namespace

LONG RegOpenKeyExW(HKEY handle, LPCWSTR subkey, DWORD, REGSAM sam, PHKEY result)
{
    Resolved key;
    if (!resolve(handle, &key))
        return ERROR_INVALID_HANDLE;
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    const std::u16string path = compat::reg::normalisePath(compat::reg::joinPath(key.path, wide(subkey)));
    const std::vector<Place> where = places(key.view, path);
    if ((sam & kWriteAccess) &&
        (compat::reg::isReadOnly(where.front().root) || compat::reg::isDenied(where.front().root, where.front().path)))
        return ERROR_ACCESS_DENIED;
    for (const Place& place : where) {
        Hive hive;
        const LONG rc = compat::reg::loadHive(place.root, hive);
        if (rc != ERROR_SUCCESS)
            return rc;
        if (Key* stored = hive.find(place.path)) {
            *result = newHandle(key.view, viewPath(key.view, stored->path), sam);
            return ERROR_SUCCESS;
        }
    }
    return ERROR_FILE_NOT_FOUND;
}

LONG RegCreateKeyExW(HKEY handle, LPCWSTR subkey, DWORD, LPWSTR, DWORD, REGSAM sam, void*, PHKEY result,
                     DWORD* disposition)
{
    Resolved key;
    if (!resolve(handle, &key))
        return ERROR_INVALID_HANDLE;
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    const std::u16string path = compat::reg::normalisePath(compat::reg::joinPath(key.path, wide(subkey)));
    const Place place = places(key.view, path).front();
    if (compat::reg::isDenied(place.root, place.path))
        return ERROR_ACCESS_DENIED;
    bool created = false;
    std::u16string spelled;
    const LONG rc = compat::reg::modifyHive(place.root, [&](Hive& hive) -> LONG {
        spelled = hive.create(place.path, &created).path;
        return ERROR_SUCCESS;
    });
    if (rc != ERROR_SUCCESS)
        return rc;
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = newHandle(key.view, viewPath(key.view, spelled), sam);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY handle)
{
    if (handle == HKEY_CLASSES_ROOT || handle == HKEY_CURRENT_USER || handle == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    std::lock_guard<std::mutex> guard(g_handles_lock);
    if (!handles().erase(handle))
        return ERROR_INVALID_HANDLE;
    delete handle;
    return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY handle, LPCWSTR name, DWORD*, DWORD* type, BYTE* data, DWORD* size)
{
    Resolved key;
    if (!resolve(handle, &key))
        return ERROR_INVALID_HANDLE;
    Value value;
    const LONG rc = lookupValue(key, wide(name), &value);
    if (rc != ERROR_SUCCESS)
        return rc;
    return copyOut(value.data, value.type, type, data, size);
}

LONG RegQueryValueExA(HKEY handle, const char* name, DWORD*, DWORD* type, BYTE* data, DWORD* size)
{
    Resolved key;
    if (!resolve(handle, &key))
        return ERROR_INVALID_HANDLE;
    Value value;
    const LONG rc = lookupValue(key, compat::toUtf16(name ? name : ""), &value);
    if (rc != ERROR_SUCCESS)
        return rc;
    std::string bytes = value.data;
    if (value.type == REG_SZ) {
        bytes = compat::toUtf8(textOf(value.data));
        bytes += '\0';
    }
    return copyOut(bytes, value.type, type, data, size);
}

LONG RegSetValueExW(HKEY handle, LPCWSTR name, DWORD, DWORD type, const BYTE* data, DWORD size)
{
    if (!data && size)
        return ERROR_INVALID_PARAMETER;
    return setValue(handle, wide(name), type, std::string(reinterpret_cast<const char*>(data), data ? size : 0));
}

LONG RegSetValueExA(HKEY handle, const char* name, DWORD, DWORD type, const BYTE* data, DWORD size)
{
    if (!data && size)
        return ERROR_INVALID_PARAMETER;
    std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
    if (type == REG_SZ)
        bytes = bytesOf(compat::toUtf16(std::string(bytes.c_str())));
    return setValue(handle, compat::toUtf16(name ? name : ""), type, bytes);
}

LONG RegDeleteValueW(HKEY handle, LPCWSTR name)
{
    Resolved key;
    if (!resolve(handle, &key))
        return ERROR_INVALID_HANDLE;
    if (!(key.sam & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    const Place place = places(key.view, key.path).front();
    if (compat::reg::isDenied(place.root, place.path))
        return ERROR_ACCESS_DENIED;
    const std::u16string value_name = wide(name);
    return compat::reg::modifyHive(place.root, [&](Hive& hive) -> LONG {
        Key* stored = hive.find(place.path);
        if (!stored)
            return ERROR_FILE_NOT_FOUND;
        for (size_t i = 0; i < stored->values.size(); ++i) {
            if (compat::equalNoCase(stored->values[i].name, value_name)) {
                stored->values.erase(stored->values.begin() + static_cast<long>(i));
                return ERROR_SUCCESS;
            }
        }
        return ERROR_FILE_NOT_FOUND;
    });
}

LONG RegDeleteKeyW(HKEY handle, LPCWSTR subkey)
{
    Resolved key;
    if (!resolve(handle, &key))
        return ERROR_INVALID_HANDLE;
    const std::u16string path = compat::reg::normalisePath(compat::reg::joinPath(key.path, wide(subkey)));
    const Place place = places(key.view, path).front();
    if (place.path.empty() || compat::reg::isDenied(place.root, place.path))
        return ERROR_ACCESS_DENIED;
    return compat::reg::modifyHive(place.root, [&](Hive& hive) -> LONG {
        Key* stored = hive.find(place.path);
        if (!stored)
            return ERROR_FILE_NOT_FOUND;
        if (!hive.children(stored->path).empty())
            return ERROR_ACCESS_DENIED;
        hive.remove(stored->path);
        return ERROR_SUCCESS;
    });
}

LONG RegQueryInfoKeyW(HKEY handle, LPWSTR key_class, DWORD* class_units, DWORD*, DWORD* subkeys,
                      DWORD* max_subkey_len, DWORD* max_class_len, DWORD* values, DWORD* max_value_name_len,
                      DWORD* max_value_len, DWORD* security_descriptor, void*)
{
    Resolved key;
    if (!resolve(handle, &key))
        return ERROR_INVALID_HANDLE;
    KeyFacts facts;
    const LONG rc = gatherFacts(key, &facts);
    if (rc != ERROR_SUCCESS)
        return rc;
    DWORD longest_key = 0, longest_name = 0, longest_data = 0;
    for (const std::u16string& name : facts.subkeys)
        longest_key = std::max<DWORD>(longest_key, static_cast<DWORD>(name.size()));
    for (const Value& value : facts.values) {
        longest_name = std::max<DWORD>(longest_name, static_cast<DWORD>(value.name.size()));
        longest_data = std::max<DWORD>(longest_data, static_cast<DWORD>(value.data.size()));
    }
    if (key_class && class_units && *class_units)
        key_class[0] = 0;
    if (class_units)
        *class_units = 0;
    if (subkeys)
        *subkeys = static_cast<DWORD>(facts.subkeys.size());
    if (max_subkey_len)
        *max_subkey_len = longest_key;
    if (max_class_len)
        *max_class_len = 0;
    if (values)
        *values = static_cast<DWORD>(facts.values.size());
    if (max_value_name_len)
        *max_value_name_len = longest_name;
    if (max_value_len)
        *max_value_len = longest_data;
    if (security_descriptor)
        *security_descriptor = 0;
    return ERROR_SUCCESS;
}

LONG RegEnumKeyExW(HKEY handle, DWORD index, LPWSTR name, DWORD* name_units, DWORD*, LPWSTR key_class,
                   DWORD* class_units, void*)
{
    Resolved key;
    if (!resolve(handle, &key))
        return ERROR_INVALID_HANDLE;
    if (!name || !name_units)
        return ERROR_INVALID_PARAMETER;
    KeyFacts facts;
    const LONG rc = gatherFacts(key, &facts);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (index >= facts.subkeys.size())
        return ERROR_NO_MORE_ITEMS;
    const std::u16string& found = facts.subkeys[index];
    if (*name_units < found.size() + 1)
        return ERROR_MORE_DATA;
    std::memcpy(name, found.data(), found.size() * sizeof(char16_t));
    name[found.size()] = 0;
    *name_units = static_cast<DWORD>(found.size());
    if (key_class && class_units && *class_units)
        key_class[0] = 0;
    if (class_units)
        *class_units = 0;
    return ERROR_SUCCESS;
}

namespace compat {

std::string registryDir(HKEY root)
{
    return reg::rootDir(root == HKEY_LOCAL_MACHINE ? reg::ROOT_HKLM : reg::ROOT_HKCU);
}

std::string registryFile(HKEY root)
{
    return reg::rootFile(root == HKEY_LOCAL_MACHINE ? reg::ROOT_HKLM : reg::ROOT_HKCU);
}

} // namespace compat
