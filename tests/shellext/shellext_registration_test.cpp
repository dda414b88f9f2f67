// Self-registration through DllRegisterServer and DllUnregisterServer.
#include <gtest/gtest.h>


#include "file_manager.h"
#include "shellext_env.h"
#include "support/temp_dir.h"

namespace {

const std::u16string kClassKey = u"Software\\Classes\\CLSID\\{61359716-007D-4490-A3AE-CBE0E414BD28}";
const std::u16string kServerKey = kClassKey + u"\\InProcServer32";
const std::u16string kHookKey = u"Software\\Classes\\directory\\shellex\\CopyHookHandlers\\QuillmarCopyHook.FileManager";
const std::u16string kSettingsKey = u"Software\\Quillmar\\qzshellext";
const char kClassId[] = "{61359716-007D-4490-A3AE-CBE0E414BD28}";

// The extension registers the path its host loaded it by.
std::string libraryPath()
{
    return QM_SHELLEXT_LIBRARY;
}

DWORD readDword(HKEY root, const std::u16string& key, const char16_t* name, LONG* rc)
{
    HKEY opened = nullptr;
    *rc = RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened);
    if (*rc != ERROR_SUCCESS)
        return 0;
    DWORD value = 0, size = sizeof(value), type = 0;
    *rc = RegQueryValueExW(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(opened);
    if (*rc == ERROR_SUCCESS && type != REG_DWORD)
        *rc = ERROR_INVALID_PARAMETER;
    return value;
}

class ShellExtRegistration : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.load(QM_SHELLEXT_LIBRARY)) << server.error(); }

    void expectRegistered(HKEY root)
    {
        EXPECT_EQ(env.getString(root, kClassKey, u""), "Quillmar Kavelin Shell Extension");
        EXPECT_EQ(env.getString(root, kServerKey, u""), libraryPath());
        EXPECT_EQ(env.getString(root, kServerKey, u"ThreadingModel"), "Apartment");
        EXPECT_EQ(env.getString(root, kHookKey, u""), kClassId);
        LONG rc = 0;
        EXPECT_EQ(readDword(root, kSettingsKey, u"Enable", &rc), 1u);
        EXPECT_EQ(rc, ERROR_SUCCESS);
    }

    harness::ShellExtEnv env;
    harness::LoadedServer server;
};

} // namespace

TEST_F(ShellExtRegistration, RegistersForAllUsers)
{
    EXPECT_EQ(server.registerServer(), S_OK);
    expectRegistered(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(env.keyExists(HKEY_CURRENT_USER, kClassKey));
    // The shell finds it through the merged classes view.
    const std::vector<harness::HandlerEntry> handlers = harness::findCopyHookHandlers();
    ASSERT_EQ(handlers.size(), 1u);
    EXPECT_EQ(handlers[0].class_id, kClassId);
    EXPECT_EQ(handlers[0].library, libraryPath());
}

TEST_F(ShellExtRegistration, ReadOnlyMachineRootFallsBackToTheUser)
{
    env.setReadOnly(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(server.registerServer(), S_OK);
    expectRegistered(HKEY_CURRENT_USER);
    EXPECT_FALSE(env.keyExists(HKEY_LOCAL_MACHINE, kClassKey));
}

TEST_F(ShellExtRegistration, NoWritableRootFails)
{
    env.setReadOnly(HKEY_LOCAL_MACHINE);
    env.setReadOnly(HKEY_CURRENT_USER);
    EXPECT_EQ(server.registerServer(), SELFREG_E_CLASS);
}

// A root whose class keys could not be written does not count as registered
// because its settings key could: the class must really be there.
TEST_F(ShellExtRegistration, RootWithoutItsClassKeysDoesNotCount)
{
    ASSERT_TRUE(qm_test::writeFile(env.file("HKLM.deny"),
                                   "Software\\Classes\\CLSID\\{61359716-007D-4490-A3AE-CBE0E414BD28}\\InProcServer32\n"));
    EXPECT_EQ(server.registerServer(), S_OK);
    expectRegistered(HKEY_CURRENT_USER);
    LONG rc = 0;
    readDword(HKEY_LOCAL_MACHINE, kSettingsKey, u"Enable", &rc);
    EXPECT_NE(rc, ERROR_SUCCESS);

    ASSERT_TRUE(qm_test::writeFile(env.file("HKCU.deny"), "Software\\Classes\\directory\\shellex\n"));
    EXPECT_EQ(server.unregisterServer(), S_OK);
    EXPECT_EQ(server.registerServer(), SELFREG_E_CLASS);
}

TEST_F(ShellExtRegistration, UnregisterKeepsTheSettingsKeyWhileItHoldsLogFile)
{
    ASSERT_EQ(server.registerServer(), S_OK);
    ASSERT_TRUE(env.setString(HKEY_LOCAL_MACHINE, kSettingsKey, u"LogFile", u"/nonexistent/ext.log"));
    EXPECT_EQ(server.unregisterServer(), S_OK);
    EXPECT_FALSE(env.keyExists(HKEY_LOCAL_MACHINE, kClassKey));
    EXPECT_FALSE(env.keyExists(HKEY_LOCAL_MACHINE, kHookKey));
    EXPECT_TRUE(env.keyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
    EXPECT_TRUE(env.keyExists(HKEY_LOCAL_MACHINE, u"Software\\Quillmar"));
    LONG rc = 0;
    readDword(HKEY_LOCAL_MACHINE, kSettingsKey, u"Enable", &rc);
    EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(env.getString(HKEY_LOCAL_MACHINE, kSettingsKey, u"LogFile"), "/nonexistent/ext.log");
}

TEST_F(ShellExtRegistration, UnregisterRemovesEmptySettingsKeys)
{
    ASSERT_EQ(server.registerServer(), S_OK);
    EXPECT_EQ(server.unregisterServer(), S_OK);
    EXPECT_FALSE(env.keyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
    EXPECT_FALSE(env.keyExists(HKEY_LOCAL_MACHINE, u"Software\\Quillmar"));
    EXPECT_TRUE(harness::findCopyHookHandlers().empty());
    // Nothing left to remove under either root.
    EXPECT_EQ(server.unregisterServer(), SELFREG_E_CLASS);
}

// Keys that merely open prove nothing: only deletions count.
TEST_F(ShellExtRegistration, UnregisterCountsDeletionsNotOpens)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kClassKey + u"\\Extra").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Classes\\directory\\shellex\\CopyHookHandlers", 0, nullptr,
                              0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSettingsKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(server.unregisterServer(), SELFREG_E_CLASS);
    EXPECT_TRUE(env.keyExists(HKEY_LOCAL_MACHINE, kClassKey + u"\\Extra"));
}
