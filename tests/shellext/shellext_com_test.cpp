// The class factory and the copy-hook object as a host sees them through
// DllGetClassObject: identities, refusals, and the object count that decides
// whether the library may be unloaded.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "file_manager.h"
#include "shellext_env.h"

namespace {

const CLSID kShellExtClass = {0x61359716, 0x007D, 0x4490, {0xA3, 0xAE, 0xCB, 0xE0, 0xE4, 0x14, 0xBD, 0x28}};
const CLSID kOtherClass = {0x61359716, 0x007D, 0x4490, {0xA3, 0xAE, 0xCB, 0xE0, 0xE4, 0x14, 0xBD, 0x29}};

// A data object that counts its references.
class CountingDataObject : public IDataObject {
public:
    HRESULT QueryInterface(REFIID, void** ppv) override
    {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    std::atomic<ULONG> refs{1};
};

class ShellExtCom : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.load(QM_SHELLEXT_LIBRARY)) << server.error(); }

    IClassFactory* factory()
    {
        IClassFactory* f = nullptr;
        EXPECT_EQ(server.getClassObject(kShellExtClass, IID_IClassFactory, reinterpret_cast<void**>(&f)), S_OK);
        return f;
    }

    harness::ShellExtEnv env;
    harness::LoadedServer server;
};

} // namespace

TEST_F(ShellExtCom, AnotherClassIsNotAvailable)
{
    void* ppv = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(server.getClassObject(kOtherClass, IID_IClassFactory, &ppv), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(ppv, nullptr);
    EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST_F(ShellExtCom, FactoryIdentityAndRefusals)
{
    IClassFactory* f = factory();
    ASSERT_NE(f, nullptr);
    void* unknown = nullptr;
    ASSERT_EQ(f->QueryInterface(IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(unknown, static_cast<void*>(f));
    static_cast<IUnknown*>(unknown)->Release();

    void* other = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(f->QueryInterface(IID_IShellExtInit, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(f->LockServer(TRUE), S_OK);
    EXPECT_EQ(f->Release(), 0u);
    EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST_F(ShellExtCom, FactoryRefusedAtItsFirstInterfaceIsFreed)
{
    void* ppv = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(server.getClassObject(kShellExtClass, IID_IShellCopyHookW, &ppv), E_NOINTERFACE);
    EXPECT_EQ(ppv, nullptr);
    EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST_F(ShellExtCom, ObjectIdentityFromEitherInterface)
{
    IClassFactory* f = factory();
    ASSERT_NE(f, nullptr);
    ICopyHookW* hook = nullptr;
    ASSERT_EQ(f->CreateInstance(nullptr, IID_IShellCopyHookW, reinterpret_cast<void**>(&hook)), S_OK);
    f->Release();
    IShellExtInit* init = nullptr;
    ASSERT_EQ(hook->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init)), S_OK);
    void* unknown_from_hook = nullptr;
    void* unknown_from_init = nullptr;
    ASSERT_EQ(hook->QueryInterface(IID_IUnknown, &unknown_from_hook), S_OK);
    ASSERT_EQ(init->QueryInterface(IID_IUnknown, &unknown_from_init), S_OK);
    EXPECT_EQ(unknown_from_hook, unknown_from_init);
    EXPECT_EQ(unknown_from_init, static_cast<void*>(init));

    void* other = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(init->QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);

    static_cast<IUnknown*>(unknown_from_hook)->Release();
    static_cast<IUnknown*>(unknown_from_init)->Release();
    init->Release();
    EXPECT_EQ(server.canUnloadNow(), S_FALSE);
    EXPECT_EQ(hook->Release(), 0u);
    EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST_F(ShellExtCom, AggregationAndUnknownInterfacesAreRefused)
{
    IClassFactory* f = factory();
    ASSERT_NE(f, nullptr);
    void* ppv = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(f->CreateInstance(f, IID_IShellCopyHookW, &ppv), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(ppv, nullptr);
    ppv = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(f->CreateInstance(nullptr, IID_IClassFactory, &ppv), E_NOINTERFACE);
    EXPECT_EQ(ppv, nullptr);
    f->Release();
    // The refused object was freed with its count.
    EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST_F(ShellExtCom, UnloadOnlyWhenNothingLives)
{
    IClassFactory* f = factory();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(server.canUnloadNow(), S_FALSE); // a factory without any object
    ICopyHookW* hook = nullptr;
    ASSERT_EQ(f->CreateInstance(nullptr, IID_IShellCopyHookW, reinterpret_cast<void**>(&hook)), S_OK);
    f->Release();
    EXPECT_EQ(server.canUnloadNow(), S_FALSE); // an object without its factory
    EXPECT_FALSE(server.unloadIfAllowed());
    hook->Release();
    EXPECT_EQ(server.canUnloadNow(), S_OK);
    EXPECT_TRUE(server.unloadIfAllowed());
}

TEST_F(ShellExtCom, InitializeHoldsTheDataObjectUntilTheEnd)
{
    IClassFactory* f = factory();
    ASSERT_NE(f, nullptr);
    IShellExtInit* init = nullptr;
    ASSERT_EQ(f->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&init)), S_OK);
    f->Release();
    CountingDataObject first, second;
    EXPECT_EQ(init->Initialize(nullptr, &first, nullptr), S_OK);
    EXPECT_EQ(first.refs, 2u);
    EXPECT_EQ(init->Initialize(nullptr, &second, nullptr), S_OK);
    EXPECT_EQ(first.refs, 1u);
    EXPECT_EQ(second.refs, 2u);
    init->Release();
    EXPECT_EQ(second.refs, 1u);
}

// Create, query and release cycles on several threads, as a host's apartments
// do; the count must come back to 0 (run under ASan for the memory side).
TEST_F(ShellExtCom, CreateQueryReleaseCycles)
{
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                IClassFactory* f = nullptr;
                if (server.getClassObject(kShellExtClass, IID_IClassFactory, reinterpret_cast<void**>(&f)) != S_OK) {
                    ++failures;
                    continue;
                }
                ICopyHookW* hook = nullptr;
                void* refused = nullptr;
                if (f->CreateInstance(nullptr, IID_IShellCopyHookW, reinterpret_cast<void**>(&hook)) != S_OK ||
                    f->CreateInstance(nullptr, IID_IClassFactory, &refused) != E_NOINTERFACE)
                    ++failures;
                f->Release();
                if (!hook)
                    continue;
                IShellExtInit* init = nullptr;
                if (hook->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init)) == S_OK)
                    init->Release();
                else
                    ++failures;
                hook->Release();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(server.canUnloadNow(), S_OK);
}
