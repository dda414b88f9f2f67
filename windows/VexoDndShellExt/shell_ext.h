#pragma once

#include <atomic>

#include "compat/com.h"
#include "compat/sync.h"

// The copy-hook object. While the client drags its marker folder (block state
// 1), the first copy or move of that folder that the file manager reports is
// taken as the drop: its destination goes into the block and the copy is
// refused, so no marker folder lands.
class CShellExt final : public IShellExtInit, public ICopyHookW {
public:
    CShellExt();

    // IUnknown, shared by both interfaces.
    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data_object, HKEY prog_id_key) override;

    // IDYES lets the operation go on, IDNO refuses it.
    UINT CopyCallback(HWND hwnd, UINT wFunc, UINT wFlags, LPCWSTR pszSrcFile, DWORD dwSrcAttribs, LPCWSTR pszDestFile,
                      DWORD dwDestAttribs) override;

    // Frees an object that never handed out an interface.
    void destroyUnreferenced();

    virtual ~CShellExt();

private:
    UINT takeDrop(BYTE* block, LPCWSTR destination);

    std::atomic<ULONG> m_refs{0};
    IDataObject* m_data_object = nullptr;
    HANDLE m_block_mutex = nullptr;
    DWORD m_last_tick = 0;
};
