#pragma once

// The copy hook of the extension's test build, with the client's side of the
// block played by the stand-ins directly and a tick source the test sets.

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>

#include "compat/sync.h"
#include "file_manager.h"
#include "shellext_env.h"

namespace hook_test {

const CLSID kShellExtClass = {0x61359716, 0x007D, 0x4490, {0xA3, 0xAE, 0xCB, 0xE0, 0xE4, 0x14, 0xBD, 0x28}};
const size_t kBlockSize = 525;
const char16_t kMarkerSource[] = u"/home/user/.local/share/quillmar/data/qzdragfolderQZDF";
const char16_t kDestination[] = u"/home/user/Desktop/qzdragfolderQZDF";
const uint8_t kPlaceholder[8] = {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x00};

inline std::atomic<DWORD>& fakeTick()
{
    static std::atomic<DWORD> tick{50000};
    return tick;
}

inline DWORD readFakeTick()
{
    return fakeTick().load();
}

// The block as the client makes it before a drag.
class ClientBlock {
public:
    ClientBlock()
    {
        m_mutex = CreateMutexW(nullptr, FALSE, u"VexoDndShellExtMutex");
        m_mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBlockSize,
                                       u"VexoDndShellExtMapping");
        if (m_mapping)
            m_view = static_cast<BYTE*>(MapViewOfFile(m_mapping, FILE_MAP_ALL_ACCESS, 0, 0, kBlockSize));
    }
    ~ClientBlock()
    {
        if (m_view)
            UnmapViewOfFile(m_view);
        if (m_mapping)
            CloseHandle(m_mapping);
        if (m_mutex)
            CloseHandle(m_mutex);
    }
    bool ok() const { return m_mutex && m_view; }
    void prepare(uint8_t version, uint8_t state)
    {
        std::memset(m_view, 0, kBlockSize);
        m_view[0] = version;
        m_view[1] = state;
        std::memcpy(m_view + 2, kPlaceholder, sizeof(kPlaceholder));
    }
    uint8_t state() const { return m_view[1]; }
    void setState(uint8_t state) { m_view[1] = state; }
    BYTE* bytes() { return m_view; }
    std::u16string path() const
    {
        std::u16string text;
        for (size_t i = 0; i < 260; ++i) {
            char16_t unit;
            std::memcpy(&unit, m_view + 2 + 2 * i, 2);
            if (!unit)
                break;
            text += unit;
        }
        return text;
    }
    bool placeholderIntact() const { return std::memcmp(m_view + 2, kPlaceholder, sizeof(kPlaceholder)) == 0; }

private:
    HANDLE m_mutex = nullptr;
    HANDLE m_mapping = nullptr;
    BYTE* m_view = nullptr;
};

class HookFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.load(QM_SHELLEXT_TEST_LIBRARY)) << server.error();
        ASSERT_TRUE(server.setTickSource(&readFakeTick));
        fakeTick() = 50000;
        ASSERT_TRUE(block.ok());
        block.prepare(1, 1);
        hook = makeHook();
        ASSERT_NE(hook, nullptr);
    }
    void TearDown() override
    {
        if (hook)
            hook->Release();
    }
    ICopyHookW* makeHook()
    {
        IClassFactory* factory = nullptr;
        if (server.getClassObject(kShellExtClass, IID_IClassFactory, reinterpret_cast<void**>(&factory)) != S_OK)
            return nullptr;
        ICopyHookW* made = nullptr;
        factory->CreateInstance(nullptr, IID_IShellCopyHookW, reinterpret_cast<void**>(&made));
        factory->Release();
        return made;
    }
    UINT copy(UINT operation, const std::u16string& source, const std::u16string& destination)
    {
        return hook->CopyCallback(nullptr, operation, 0, source.c_str(), 0x10, destination.c_str(), 0x10);
    }

    harness::ShellExtEnv env;
    harness::LoadedServer server;
    ClientBlock block;
    ICopyHookW* hook = nullptr;
};

} // namespace hook_test
