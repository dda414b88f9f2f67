#include "registration.h"

#include <string>

#include "compat/com.h"
#include "compat/module.h"
#include "compat/text.h"
#include "module_state.h"
#include "shell_ext_ids.h"
#include "shell_ext_log.h"

namespace shellext {

namespace {

const WCHAR kClasses[] = u"Software\\Classes";
const WCHAR kCopyHookParent[] = u"directory\\shellex\\CopyHookHandlers";
const WCHAR kCopyHookName[] = u"QuillmarCopyHook.FileManager";
const WCHAR kSettingsKey[] = u"Software\\Quillmar\\qzshellext";
const WCHAR kTitle[] = u"Quillmar Kavelin Shell Extension";

// Closes a key when it leaves scope.
class KeyHolder {
public:
    KeyHolder() = default;
    ~KeyHolder()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    KeyHolder(const KeyHolder&) = delete;
    KeyHolder& operator=(const KeyHolder&) = delete;
    HKEY* out() { return &m_key; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

bool createKey(HKEY parent, LPCWSTR name, KeyHolder& key)
{
    return RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.out(), nullptr) ==
           ERROR_SUCCESS;
}

bool openForWrite(HKEY parent, LPCWSTR name, KeyHolder& key)
{
    return RegOpenKeyExW(parent, name, 0, KEY_WRITE, key.out()) == ERROR_SUCCESS;
}

// A string value with its terminating zero unit counted.
bool setString(HKEY key, LPCWSTR name, const std::u16string& text)
{
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(char16_t))) == ERROR_SUCCESS;
}

std::u16string classIdString()
{
    WCHAR text[39];
    StringFromGUID2(CLSID_ShellExtension, text, 39);
    return text;
}

// The class id key, its title, InProcServer32 with this library and the model.
bool writeClassKeys(HKEY clsid_key, const std::u16string& class_id)
{
    KeyHolder class_key;
    if (!createKey(clsid_key, class_id.c_str(), class_key) || !setString(class_key.get(), nullptr, kTitle))
        return false;
    KeyHolder server_key;
    std::u16string module = compat::toUtf16(modulePath());
    if (module.size() > MAX_PATH)
        module.resize(MAX_PATH);
    return createKey(class_key.get(), u"InProcServer32", server_key) && setString(server_key.get(), nullptr, module) &&
           setString(server_key.get(), u"ThreadingModel", u"Apartment");
}

} // namespace

bool RegisterServer(bool all_users)
{
    const HKEY root = all_users ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    WriteLogLine("RegisterServer enter");
    WriteLogLine(all_users ? "RegisterServer all users" : "RegisterServer current users");
    const std::u16string class_id = classIdString();
    bool registered = false;
    KeyHolder classes, clsid;
    if (openForWrite(root, kClasses, classes) && createKey(classes.get(), u"CLSID", clsid)) {
        // A root counts only when the class can really be found through it.
        if (!writeClassKeys(clsid.get(), class_id)) {
            WriteLogLine("create key failed");
        } else {
            WriteLogLine("create key suc");
            KeyHolder classes_again, hook;
            if (openForWrite(root, kClasses, classes_again) &&
                createKey(classes_again.get(), (std::u16string(kCopyHookParent) + u"\\" + kCopyHookName).c_str(), hook)) {
                WriteLogLine("create reg suc innnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn");
                if (!setString(hook.get(), nullptr, class_id)) {
                    WriteLogLine("copy hook value failed");
                } else {
                    KeyHolder settings;
                    if (createKey(root, kSettingsKey, settings)) {
                        WriteLogLine("write value");
                        const DWORD enable = 1;
                        registered = RegSetValueExW(settings.get(), u"Enable", 0, REG_DWORD,
                                                    reinterpret_cast<const BYTE*>(&enable), sizeof(enable)) == ERROR_SUCCESS;
                    }
                    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
                }
            }
        }
    }
    WriteLogLine("RegisterServer leave");
    return registered;
}

bool UnregisterServer(bool all_users)
{
    const HKEY root = all_users ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    WriteLogLine("UnregisterServer enter");
    WriteLogLine(all_users ? "UnregisterServer all users" : "UnregisterServer current users");
    const std::u16string class_id = classIdString();
    // Only what was really deleted counts: keys that merely open prove nothing.
    bool unregistered = false;
    {
        KeyHolder classes, parent;
        if (openForWrite(root, kClasses, classes) && openForWrite(classes.get(), kCopyHookParent, parent))
            unregistered |= RegDeleteKeyW(parent.get(), kCopyHookName) == ERROR_SUCCESS;
    }
    {
        KeyHolder classes, clsid, class_key;
        if (openForWrite(root, kClasses, classes) && openForWrite(classes.get(), u"CLSID", clsid) &&
            openForWrite(clsid.get(), class_id.c_str(), class_key)) {
            unregistered |= RegDeleteKeyW(class_key.get(), u"InProcServer32") == ERROR_SUCCESS;
            KeyHolder classes_again, clsid_again;
            if (openForWrite(root, kClasses, classes_again) && openForWrite(classes_again.get(), u"CLSID", clsid_again))
                unregistered |= RegDeleteKeyW(clsid_again.get(), class_id.c_str()) == ERROR_SUCCESS;
        }
    }
    {
        KeyHolder settings;
        if (openForWrite(root, kSettingsKey, settings))
            unregistered |= RegDeleteValueW(settings.get(), u"Enable") == ERROR_SUCCESS;
    }
    DeleteKeyIfEmpty(root, kSettingsKey);
    DeleteKeyIfEmpty(root, u"Software\\Quillmar");
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    WriteLogLine("UnregisterServer leave");
    return unregistered;
}

bool DeleteKeyIfEmpty(HKEY root, LPCWSTR path)
{
    KeyHolder key;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, key.out()) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 0, values = 0;
    const LONG rc = RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                     nullptr, nullptr, nullptr);
    RegCloseKey(*key.out());
    *key.out() = nullptr;
    if (rc != ERROR_SUCCESS || subkeys != 0 || values != 0)
        return false;
    return RegDeleteKeyW(root, path) == ERROR_SUCCESS;
}

} // namespace shellext
