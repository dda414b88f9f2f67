#pragma once

// The minimal COM of an in-process copy-hook server: GUIDs, result codes, and
// the interfaces as abstract C++ classes in the slot order the shell uses.

#include <cstring>

#include "compat/registry.h"
#include "compat/win_types.h"

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

inline bool IsEqualGUID(REFGUID a, REFGUID b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}
inline bool operator==(REFGUID a, REFGUID b)
{
    return IsEqualGUID(a, b);
}
inline bool operator!=(REFGUID a, REFGUID b)
{
    return !IsEqualGUID(a, b);
}

// Writes the 38-character registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
// (upper case) and a zero unit; returns 39, or 0 when max_units is too small.
int StringFromGUID2(REFGUID guid, LPWSTR out, int max_units);

namespace compat {
// Parses the 38-character form, either letter case; false when malformed.
bool guidFromString(const char16_t* text, GUID* guid);
} // namespace compat

// Result codes.
#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define E_POINTER ((HRESULT)0x80004003L)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)
#define CLASS_E_CLASSNOTAVAILABLE ((HRESULT)0x80040111L)
#define SELFREG_E_CLASS ((HRESULT)0x80040201L)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

// Shell file operations (SHFileOperation's wFunc).
#define FO_MOVE 0x0001
#define FO_COPY 0x0002
#define FO_DELETE 0x0003
#define FO_RENAME 0x0004

// Message box answers a copy hook gives.
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

typedef void* HWND;
typedef const void* PCIDLIST_ABSOLUTE;

extern const IID IID_IUnknown;
extern const IID IID_IClassFactory;
extern const IID IID_IShellExtInit;
extern const IID IID_IShellCopyHookW;

class IUnknown {
public:
    virtual HRESULT QueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

class IClassFactory : public IUnknown {
public:
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) = 0;
    virtual HRESULT LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};

// The shell's data object; the copy hook only holds a reference to it.
class IDataObject : public IUnknown {
protected:
    ~IDataObject() = default;
};

class IShellExtInit : public IUnknown {
public:
    virtual HRESULT Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data_object, HKEY prog_id_key) = 0;

protected:
    ~IShellExtInit() = default;
};

class ICopyHookW : public IUnknown {
public:
    virtual UINT CopyCallback(HWND hwnd, UINT wFunc, UINT wFlags, LPCWSTR pszSrcFile, DWORD dwSrcAttribs,
                              LPCWSTR pszDestFile, DWORD dwDestAttribs) = 0;

protected:
    ~ICopyHookW() = default;
};

// The entry points a COM server exports, as a host looks them up.
typedef HRESULT (*PFN_DllCanUnloadNow)();
typedef HRESULT (*PFN_DllGetClassObject)(REFCLSID rclsid, REFIID riid, void** ppv);
typedef HRESULT (*PFN_DllRegisterServer)();
typedef HRESULT (*PFN_DllUnregisterServer)();
