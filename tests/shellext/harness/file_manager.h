#pragma once

// A stand-in for the file manager that hosts the copy-hook handler: it finds
// the handler as the shell does (the copy-hook key in the merged classes view,
// the class id, the class's InProcServer32), loads it, asks its factory for a
// copy hook, and consults the hook before each folder copy or move, which it
// then performs itself only when the hook answers IDYES.

#include <string>
#include <vector>

#include "compat/com.h"

namespace harness {

struct HandlerEntry {
    std::string name;      // the handler's key under CopyHookHandlers
    std::string class_id;  // its default value
    std::string library;   // InProcServer32's default value; "" when missing
};

// The copy-hook handlers of folders, as the shell finds them.
std::vector<HandlerEntry> findCopyHookHandlers();

// One loaded in-process server.
class LoadedServer {
public:
    LoadedServer() = default;
    ~LoadedServer();
    LoadedServer(const LoadedServer&) = delete;
    LoadedServer& operator=(const LoadedServer&) = delete;

    // dlopen and look up the four entry points; false with error() set.
    bool load(const std::string& path);
    bool loaded() const { return m_handle != nullptr; }
    const std::string& error() const { return m_error; }

    HRESULT canUnloadNow() const;
    HRESULT getClassObject(REFCLSID clsid, REFIID iid, void** ppv) const;
    HRESULT registerServer() const;
    HRESULT unregisterServer() const;
    // The test build's tick hook; false when this build has none.
    bool setTickSource(DWORD (*source)()) const;

    // dlclose only when DllCanUnloadNow allows it; true when unloaded.
    bool unloadIfAllowed();

private:
    void* m_handle = nullptr;
    std::string m_error;
    PFN_DllCanUnloadNow m_can_unload = nullptr;
    PFN_DllGetClassObject m_get_class_object = nullptr;
    PFN_DllRegisterServer m_register = nullptr;
    PFN_DllUnregisterServer m_unregister = nullptr;
};

// The file manager: loads every registered copy-hook handler it can.
class FileManager {
public:
    FileManager() = default;
    ~FileManager();
    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    // Loads the handlers found in the registry; the number of hooks obtained.
    int loadHandlers();
    int hookCount() const { return static_cast<int>(m_hooks.size()); }
    const std::string& error() const { return m_error; }

    // Asks every hook; performs the copy (FO_COPY) or the move (FO_MOVE) of the
    // folder when all say IDYES. Returns the first answer other than IDYES, or IDYES.
    UINT copyFolder(UINT operation, const std::string& source, const std::string& destination);

    // Releases the hooks, then unloads the libraries that allow it.
    void releaseAll();

private:
    std::vector<LoadedServer*> m_servers;
    std::vector<ICopyHookW*> m_hooks;
    std::string m_error;
};

} // namespace harness
