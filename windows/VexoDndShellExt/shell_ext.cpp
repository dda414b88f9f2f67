#include "shell_ext.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "compat/text.h"
#include "module_state.h"
#include "shell_ext_ids.h"
#include "shell_ext_log.h"

namespace {

bool isSeparator(char16_t c)
{
    return c == u'/' || c == u'\\';
}

// True when the last component of `path` is the client's marker folder.
// Only the client's drag offers that folder; any other copy is the user's own.
bool isMarkerFolder(LPCWSTR path)
{
    std::u16string text = path ? std::u16string(path) : std::u16string();
    while (!text.empty() && isSeparator(text.back()))
        text.pop_back();
    size_t start = text.size();
    while (start > 0 && !isSeparator(text[start - 1]))
        --start;
    return text.compare(start, std::u16string::npos, shellext::kMarkerFolder) == 0;
}

// The block's path field up to its first zero unit, never past its 260 units.
std::u16string readPathField(const BYTE* block)
{
    std::u16string text;
    for (size_t i = 0; i < shellext::kPathUnits; ++i) {
        char16_t unit;
        std::memcpy(&unit, block + shellext::kPathOffset + 2 * i, sizeof(unit));
        if (!unit)
            break;
        text += unit;
    }
    return text;
}

} // namespace

CShellExt::CShellExt()
{
    WriteLogLine("CShellExt enter");
    m_block_mutex = CreateMutexW(nullptr, FALSE, shellext::kBlockMutexName);
    shellext::objectCreated();
    WriteLogLine("CShellExt leave");
}

CShellExt::~CShellExt()
{
    WriteLogLine("~CShellExt enter");
    if (m_data_object)
        m_data_object->Release();
    if (m_block_mutex)
        CloseHandle(m_block_mutex);
    shellext::objectDestroyed();
    WriteLogLine("~CShellExt leave");
}

void CShellExt::destroyUnreferenced()
{
    delete this;
}

HRESULT CShellExt::QueryInterface(REFIID riid, void** ppv)
{
    WriteLogLine("CShellExt::QueryInterface enter");
    if (!ppv) {
        WriteLogLine("CShellExt::QueryInterface leave");
        return E_POINTER;
    }
    *ppv = nullptr;
    if (IsEqualGUID(riid, IID_IShellExtInit) || IsEqualGUID(riid, IID_IUnknown)) {
        WriteLogLine("CShellExt::QueryInterface is IShellExtInit or IUnknown");
        *ppv = static_cast<IShellExtInit*>(this);
    } else if (IsEqualGUID(riid, IID_IShellCopyHookW)) {
        WriteLogLine("CShellExt::QueryInterface is IShellCopyHook");
        *ppv = static_cast<ICopyHookW*>(this);
    }
    HRESULT hr = E_NOINTERFACE;
    if (*ppv) {
        WriteLogLine("CShellExt::AddRef");
        ++m_refs;
        hr = S_OK;
    }
    WriteLogLine("CShellExt::QueryInterface leave");
    return hr;
}

ULONG CShellExt::AddRef()
{
    WriteLogLine("CShellExt::AddRef");
    return ++m_refs;
}

ULONG CShellExt::Release()
{
    WriteLogLine("CShellExt::Release");
    const ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CShellExt::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data_object, HKEY)
{
    WriteLogLine("CShellExt::Initialize enter");
    if (m_data_object) {
        m_data_object->Release();
        m_data_object = nullptr;
    }
    if (data_object) {
        data_object->AddRef();
        m_data_object = data_object;
    }
    WriteLogLine("CShellExt::Initialize leave");
    return S_OK;
}

UINT CShellExt::CopyCallback(HWND, UINT wFunc, UINT, LPCWSTR pszSrcFile, DWORD, LPCWSTR pszDestFile, DWORD)
{
    if (wFunc != FO_MOVE && wFunc != FO_COPY) {
        char line[100];
        snprintf(line, sizeof(line), "CShellExt::CopyCallback return: wFunc is %u, NOT FO_COPY nor FO_MOVE", wFunc);
        WriteLogLine(line);
        return IDYES;
    }
    WriteLogLine(wFunc == FO_COPY ? "CShellExt::CopyCallback: wFunc is FO_COPY" : "CShellExt::CopyCallback: wFunc is FO_MOVE");
    if (!isMarkerFolder(pszSrcFile)) {
        WriteLogLine("CShellExt::CopyCallback return: source is not the drag marker folder");
        return IDYES;
    }

    const DWORD now = shellext::tickNow();
    if (now - m_last_tick < shellext::kRepeatIntervalMs && m_last_tick <= now) {
        WriteLogLine("CShellExt::CopyCallback return; interval NOT elapsed");
        return IDYES;
    }
    m_last_tick = now;

    WriteLogLine("CShellExt::CopyCallback source / dest:");
    WriteLogLineWide(pszSrcFile ? pszSrcFile : u"");
    WriteLogLineWide(pszDestFile ? pszDestFile : u"");

    HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, shellext::kBlockName);
    if (!mapping) {
        WriteLogLine("CShellExt::CopyCallback return: mapfile NOT found");
        return IDYES;
    }
    BYTE* block = static_cast<BYTE*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, shellext::kBlockSize));
    if (!block) {
        WriteLogLine("CShellExt::CopyCallback mapview NOT created");
        CloseHandle(mapping);
        return IDYES;
    }
    WriteLogLine("CShellExt::CopyCallback mapview created");
    const DWORD wait = WaitForSingleObject(m_block_mutex, shellext::kBlockMutexWaitMs);
    if (wait == WAIT_TIMEOUT) {
        WriteLogLine("CShellExt::CopyCallback mutex timeout");
        UnmapViewOfFile(block);
        CloseHandle(mapping);
        return IDYES;
    }
    WriteLogLine("CShellExt::CopyCallback mutex got");
    UINT result = IDYES;
    if (static_cast<int8_t>(block[shellext::kVersionOffset]) < 1) {
        WriteLogLine("CShellExt::CopyCallback unsupported structure version");
    } else {
        WriteLogLine("CShellExt::CopyCallback supported structure version");
        if (block[shellext::kStateOffset] != shellext::kStateDragging)
            WriteLogLine("CShellExt::CopyCallback NOT dragging");
        else
            result = takeDrop(block, pszDestFile);
    }
    ReleaseMutex(m_block_mutex);
    WriteLogLine("CShellExt::CopyCallback mutex released");
    UnmapViewOfFile(block);
    CloseHandle(mapping);
    return result;
}

// Called with the block mutex held and the state at 1.
UINT CShellExt::takeDrop(BYTE* block, LPCWSTR destination)
{
    WriteLogLine("CShellExt::CopyCallback dragging");
    WriteLogLine("Dragged file:");
    WriteLogLineWide(readPathField(block).c_str());
    block[shellext::kStateOffset] = shellext::kStateTargetWritten;
    const size_t units = compat::wideLength(destination);
    if (units <= shellext::kPathUnits) {
        std::memset(block + shellext::kPathOffset, 0, 2 * (shellext::kPathUnits + 1));
        std::memcpy(block + shellext::kPathOffset, destination, 2 * units);
        WriteLogLine("CShellExt::CopyCallback destination written into buffer");
    } else {
        WriteLogLine("CShellExt::CopyCallback length of DestFile exceeding MAX_PATH");
    }
    WriteLogLine("CShellExt::CopyCallback dragging refused");
    return IDNO;
}
