#include "file_manager.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "compat/registry.h"
#include "compat/text.h"

namespace harness {

namespace {

std::string readDefault(HKEY root, const std::u16string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::string();
    WCHAR buffer[1024] = {};
    DWORD size = sizeof(buffer) - sizeof(WCHAR);
    DWORD type = REG_NONE;
    const LONG rc = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ)
        return std::string();
    return compat::toUtf8(buffer);
}

} // namespace

std::vector<HandlerEntry> findCopyHookHandlers()
{
    std::vector<HandlerEntry> handlers;
    const std::u16string parent = u"Directory\\shellex\\CopyHookHandlers";
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, parent.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return handlers;
    for (DWORD i = 0;; ++i) {
        WCHAR name[256];
        DWORD units = 256;
        if (RegEnumKeyExW(key, i, name, &units, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HandlerEntry entry;
        entry.name = compat::toUtf8(name);
        entry.class_id = readDefault(HKEY_CLASSES_ROOT, parent + u"\\" + name);
        if (!entry.class_id.empty())
            entry.library = readDefault(HKEY_CLASSES_ROOT, u"CLSID\\" + compat::toUtf16(entry.class_id) + u"\\InProcServer32");
        handlers.push_back(entry);
    }
    RegCloseKey(key);
    return handlers;
}

LoadedServer::~LoadedServer()
{
    // A server still in use stays mapped, as a host would leave it.
    unloadIfAllowed();
}

bool LoadedServer::load(const std::string& path)
{
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const char* why = dlerror();
        m_error = why ? why : "dlopen failed";
        return false;
    }
    m_can_unload = reinterpret_cast<PFN_DllCanUnloadNow>(dlsym(m_handle, "DllCanUnloadNow"));
    m_get_class_object = reinterpret_cast<PFN_DllGetClassObject>(dlsym(m_handle, "DllGetClassObject"));
    m_register = reinterpret_cast<PFN_DllRegisterServer>(dlsym(m_handle, "DllRegisterServer"));
    m_unregister = reinterpret_cast<PFN_DllUnregisterServer>(dlsym(m_handle, "DllUnregisterServer"));
    if (!m_can_unload || !m_get_class_object || !m_register || !m_unregister) {
        m_error = "missing entry point in " + path;
        dlclose(m_handle);
        m_handle = nullptr;
        return false;
    }
    return true;
}

HRESULT LoadedServer::canUnloadNow() const
{
    return m_can_unload();
}

HRESULT LoadedServer::getClassObject(REFCLSID clsid, REFIID iid, void** ppv) const
{
    return m_get_class_object(clsid, iid, ppv);
}

HRESULT LoadedServer::registerServer() const
{
    return m_register();
}

HRESULT LoadedServer::unregisterServer() const
{
    return m_unregister();
}

bool LoadedServer::setTickSource(DWORD (*source)()) const
{
    typedef void (*SetTick)(DWORD (*)());
    SetTick set = reinterpret_cast<SetTick>(dlsym(m_handle, "QmShellExtTestSetTickSource"));
    if (!set)
        return false;
    set(source);
    return true;
}

bool LoadedServer::unloadIfAllowed()
{
    if (!m_handle || m_can_unload() != S_OK)
        return false;
    dlclose(m_handle);
    m_handle = nullptr;
    return true;
}

FileManager::~FileManager()
{
    releaseAll();
}

int FileManager::loadHandlers()
{
    for (const HandlerEntry& entry : findCopyHookHandlers()) {
        CLSID clsid;
        if (entry.library.empty() || !compat::guidFromString(compat::toUtf16(entry.class_id).c_str(), &clsid)) {
            m_error = "handler " + entry.name + " is not registered completely";
            continue;
        }
        LoadedServer* server = new LoadedServer();
        if (!server->load(entry.library)) {
            m_error = server->error();
            delete server;
            continue;
        }
        m_servers.push_back(server);
        IClassFactory* factory = nullptr;
        if (FAILED(server->getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory))) || !factory) {
            m_error = "no class factory in " + entry.library;
            continue;
        }
        ICopyHookW* hook = nullptr;
        const HRESULT hr = factory->CreateInstance(nullptr, IID_IShellCopyHookW, reinterpret_cast<void**>(&hook));
        factory->Release();
        if (FAILED(hr) || !hook) {
            m_error = "no copy hook in " + entry.library;
            continue;
        }
        m_hooks.push_back(hook);
    }
    return hookCount();
}

UINT FileManager::copyFolder(UINT operation, const std::string& source, const std::string& destination)
{
    const std::u16string from = compat::toUtf16(source);
    const std::u16string to = compat::toUtf16(destination);
    const DWORD kDirectory = 0x10;
    for (ICopyHookW* hook : m_hooks) {
        const UINT answer = hook->CopyCallback(nullptr, operation, 0, from.c_str(), kDirectory, to.c_str(), kDirectory);
        if (answer != IDYES)
            return answer;
    }
    std::error_code ec;
    if (operation == FO_MOVE)
        std::filesystem::rename(source, destination, ec);
    else if (operation == FO_COPY)
        std::filesystem::copy(source, destination, std::filesystem::copy_options::recursive, ec);
    if (ec) {
        m_error = ec.message();
        return IDCANCEL;
    }
    return IDYES;
}

void FileManager::releaseAll()
{
    for (ICopyHookW* hook : m_hooks)
        hook->Release();
    m_hooks.clear();
    for (LoadedServer* server : m_servers)
        delete server;
    m_servers.clear();
}

} // namespace harness
