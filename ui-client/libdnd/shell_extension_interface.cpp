#include "shell_extension_interface.h"

#include <cstring>

#include "dnd_shared_block.h"
#include "log.h"

namespace {

const char kComponent[] = "default_component";

bool obtained(DWORD wait)
{
    // An abandoned mutex is ours now; the block is rewritten or checked anyway.
    return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

} // namespace

CShellExtensionInterface::CShellExtensionInterface()
    : m_hMutex(CreateMutexW(nullptr, FALSE, dnd_block::kMutexName)), m_hMapping(nullptr)
{
    if (!m_hMutex)
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] shell_extension_interface(%d): CreateMutexW: Error code = %d\n",
               static_cast<int>(::GetLastError()));
}

CShellExtensionInterface::~CShellExtensionInterface()
{
    DropBlock();
    if (m_hMutex)
        CloseHandle(m_hMutex);
}

void CShellExtensionInterface::DropBlock()
{
    if (!m_hMapping)
        return;
    CloseHandle(m_hMapping);
    m_hMapping = nullptr;
    compat::unlinkNamedObject(dnd_block::kName);
}

void CShellExtensionInterface::InitDrag()
{
    DropBlock();
    if (!m_hMutex)
        return;
    m_hMapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    static_cast<DWORD>(dnd_block::kSize), dnd_block::kName);
    if (!m_hMapping) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] shell_extension_interface(%d): CreateFileMappingW: Error code = %d\n",
               static_cast<int>(::GetLastError()));
        return;
    }
    BYTE* block = static_cast<BYTE*>(MapViewOfFile(m_hMapping, FILE_MAP_ALL_ACCESS, 0, 0, dnd_block::kSize));
    if (!block) {
        CloseHandle(m_hMapping);
        m_hMapping = nullptr;
        return;
    }
    if (obtained(WaitForSingleObject(m_hMutex, dnd_block::kClientWaitMs))) {
        // The whole block: one left by a client that died keeps an old path
        // past the placeholder, and a later read must never see it.
        std::memset(block, 0, dnd_block::kSize);
        block[dnd_block::kVersionOffset] = dnd_block::kVersion;
        block[dnd_block::kStateOffset] = dnd_block::kStateDragging;
        std::memcpy(block + dnd_block::kPathOffset, dnd_block::kPlaceholder, sizeof(dnd_block::kPlaceholder));
        ReleaseMutex(m_hMutex);
    } else {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] shell_extension_interface(%d): block mutex busy before the drag\n");
    }
    UnmapViewOfFile(block);
}

QString CShellExtensionInterface::GetTarget()
{
    if (!m_hMutex || !m_hMapping)
        return QString();
    BYTE* block = static_cast<BYTE*>(MapViewOfFile(m_hMapping, FILE_MAP_ALL_ACCESS, 0, 0, dnd_block::kSize));
    if (!block) {
        DropBlock();
        return QString();
    }
    if (!obtained(WaitForSingleObject(m_hMutex, dnd_block::kClientWaitMs))) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] shell_extension_interface(%d): block mutex busy after the drag\n");
        UnmapViewOfFile(block);
        return QString();
    }
    QString path;
    if (block[dnd_block::kStateOffset] == dnd_block::kStateTargetWritten) {
        block[dnd_block::kSpareOffset] = 0;
        // Never past the field's 260 units, whatever the block holds.
        for (size_t i = 0; i < dnd_block::kPathUnits; ++i) {
            char16_t unit;
            std::memcpy(&unit, block + dnd_block::kPathOffset + 2 * i, sizeof(unit));
            if (!unit)
                break;
            path += QChar(unit);
        }
    }
    block[dnd_block::kStateOffset] = dnd_block::kStateIdle;
    ReleaseMutex(m_hMutex);
    UnmapViewOfFile(block);
    return path;
}
