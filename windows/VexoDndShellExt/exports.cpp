// The four entry points of the in-process server; nothing else is exported.
#include <new>

#include "class_factory.h"
#include "compat/com.h"
#include "module_state.h"
#include "registration.h"
#include "shell_ext_ids.h"
#include "shell_ext_log.h"

#define VEXO_EXPORT extern "C" __attribute__((visibility("default")))

VEXO_EXPORT HRESULT DllCanUnloadNow()
{
    if (shellext::objectCount() == 0) {
        WriteLogLine("DllCanUnloadNow can");
        return S_OK;
    }
    WriteLogLine("DllCanUnloadNow cannot");
    return S_FALSE;
}

VEXO_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    WriteLogLine("DllGetClassObject");
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualGUID(rclsid, shellext::CLSID_ShellExtension))
        return CLASS_E_CLASSNOTAVAILABLE;
    WriteLogLine("DllGetClassObject is ShellExtension");
    CShellExtClassFactory* factory = new (std::nothrow) CShellExtClassFactory();
    if (!factory)
        return CLASS_E_CLASSNOTAVAILABLE;
    WriteLogLine("CShellExtClassFactory");
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    // A factory nobody holds must not keep the object count above 0.
    if (FAILED(hr))
        delete factory;
    return hr;
}

VEXO_EXPORT HRESULT DllRegisterServer()
{
    WriteLogLine("DllRegisterServer enter");
    const bool ok = shellext::RegisterServer(true) || shellext::RegisterServer(false);
    WriteLogLine("DllRegisterServer leave");
    return ok ? S_OK : SELFREG_E_CLASS;
}

VEXO_EXPORT HRESULT DllUnregisterServer()
{
    WriteLogLine("DllUnregisterServer enter");
    const bool all_users = shellext::UnregisterServer(true);
    const bool current_user = shellext::UnregisterServer(false);
    WriteLogLine("DllUnregisterServer leave");
    return (all_users || current_user) ? S_OK : SELFREG_E_CLASS;
}
