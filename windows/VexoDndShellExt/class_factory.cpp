#include "class_factory.h"

#include <new>

#include "module_state.h"
#include "shell_ext.h"
#include "shell_ext_log.h"

CShellExtClassFactory::CShellExtClassFactory()
{
    shellext::objectCreated();
}

CShellExtClassFactory::~CShellExtClassFactory()
{
    WriteLogLine("~CShellExtClassFactory");
    shellext::objectDestroyed();
}

HRESULT CShellExtClassFactory::QueryInterface(REFIID riid, void** ppv)
{
    WriteLogLine("QueryInterface");
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IClassFactory)) {
        WriteLogLine("QueryInterface is IUnknown or IClassFactory");
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG CShellExtClassFactory::AddRef()
{
    WriteLogLine("AddRef");
    return ++m_refs;
}

ULONG CShellExtClassFactory::Release()
{
    WriteLogLine("Release");
    const ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CShellExtClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    WriteLogLine("CreateInstance");
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    CShellExt* object = new (std::nothrow) CShellExt();
    if (!object)
        return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(riid, ppv);
    // Nobody holds an object whose first interface was refused: free it, or
    // the object count never returns to 0 and the library stays loaded.
    if (FAILED(hr))
        object->destroyUnreferenced();
    return hr;
}

HRESULT CShellExtClassFactory::LockServer(BOOL)
{
    WriteLogLine("LockServer");
    return S_OK;
}
