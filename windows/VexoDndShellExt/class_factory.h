#pragma once

#include <atomic>

#include "compat/com.h"

// Makes CShellExt objects for the shell.
class CShellExtClassFactory final : public IClassFactory {
public:
    CShellExtClassFactory();

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    HRESULT LockServer(BOOL lock) override;

    virtual ~CShellExtClassFactory();

private:
    std::atomic<ULONG> m_refs{0};
};
