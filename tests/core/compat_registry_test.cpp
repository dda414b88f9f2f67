// The file-backed registry: one key whatever the letter case, the merged
// classes view, read-only roots, corrupt files, and concurrent writers.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "compat/registry.h"
#include "compat/text.h"
#include "shellext_env.h"
#include "support/temp_dir.h"

namespace {

class CompatRegistry : public ::testing::Test {
protected:
    harness::ShellExtEnv env;
};

std::vector<std::string> subkeys(HKEY root, const std::u16string& path)
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        WCHAR name[256];
        DWORD units = 256;
        if (RegEnumKeyExW(key, i, name, &units, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(compat::toUtf8(name));
    }
    RegCloseKey(key);
    return names;
}

} // namespace

TEST_F(CompatRegistry, KeysAndNamesMeetWhateverTheirCase)
{
    ASSERT_TRUE(env.setString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Classes\\Directory\\shellex\\CopyHookHandlers\\Hook", u"",
                              u"first"));
    ASSERT_TRUE(env.setString(HKEY_LOCAL_MACHINE, u"Software\\Classes\\directory\\shellex\\CopyHookHandlers\\HOOK",
                              u"Extra", u"second"));
    EXPECT_EQ(env.getString(HKEY_LOCAL_MACHINE, u"software\\classes\\DIRECTORY\\SHELLEX\\copyhookhandlers\\hook", u""),
              "first");
    EXPECT_EQ(env.getString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\CLASSES\\Directory\\shellex\\CopyHookHandlers\\Hook",
                            u"EXTRA"),
              "second");
    // One key, with the spelling it was created with.
    EXPECT_EQ(subkeys(HKEY_LOCAL_MACHINE, u"Software\\Classes"), std::vector<std::string>{"Directory"});
    EXPECT_EQ(subkeys(HKEY_LOCAL_MACHINE, u"Software\\Classes\\Directory\\shellex\\CopyHookHandlers"),
              std::vector<std::string>{"Hook"});
}

TEST_F(CompatRegistry, ClassesRootMergesTheUserOverTheMachine)
{
    ASSERT_TRUE(env.setString(HKEY_LOCAL_MACHINE, u"Software\\Classes\\CLSID\\{A}", u"", u"machine"));
    ASSERT_TRUE(env.setString(HKEY_LOCAL_MACHINE, u"Software\\Classes\\CLSID\\{B}", u"", u"machine"));
    ASSERT_TRUE(env.setString(HKEY_CURRENT_USER, u"Software\\Classes\\CLSID\\{a}", u"", u"user"));
    ASSERT_TRUE(env.setString(HKEY_CURRENT_USER, u"Software\\Classes\\CLSID\\{C}", u"", u"user"));
    EXPECT_EQ(env.getString(HKEY_CLASSES_ROOT, u"CLSID\\{A}", u""), "user");
    EXPECT_EQ(env.getString(HKEY_CLASSES_ROOT, u"CLSID\\{B}", u""), "machine");
    EXPECT_EQ(env.getString(HKEY_CLASSES_ROOT, u"CLSID\\{C}", u""), "user");
    EXPECT_EQ(subkeys(HKEY_CLASSES_ROOT, u"CLSID"), (std::vector<std::string>{"{a}", "{C}", "{B}"}));
}

TEST_F(CompatRegistry, ReadOnlyRootRefusesEveryWrite)
{
    ASSERT_TRUE(env.setString(HKEY_LOCAL_MACHINE, u"Software\\Test", u"Name", u"kept"));
    env.setReadOnly(HKEY_LOCAL_MACHINE);
    const std::string before = qm_test::readFile(compat::registryFile(HKEY_LOCAL_MACHINE));
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Other", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Test", 0, KEY_WRITE, &key), ERROR_ACCESS_DENIED);
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Test", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"Software\\Test"), ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    EXPECT_EQ(env.getString(HKEY_LOCAL_MACHINE, u"Software\\Test", u"Name"), "kept");
    EXPECT_EQ(qm_test::readFile(compat::registryFile(HKEY_LOCAL_MACHINE)), before);
}

TEST_F(CompatRegistry, CorruptFileFailsAndIsNeverOverwritten)
{
    const std::string corrupt = "QMREG 1\nK\tSoftware\\Test\nV\tName\tnot-a-type\t00\n";
    ASSERT_TRUE(qm_test::writeFile(compat::registryFile(HKEY_CURRENT_USER), corrupt));
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Test", 0, KEY_READ, &key), ERROR_REGISTRY_CORRUPT);
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\New", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_REGISTRY_CORRUPT);
    EXPECT_EQ(qm_test::readFile(compat::registryFile(HKEY_CURRENT_USER)), corrupt);
    // Another root is not affected.
    EXPECT_TRUE(env.setString(HKEY_LOCAL_MACHINE, u"Software\\Test", u"", u"fine"));
}

TEST_F(CompatRegistry, ValuesAndKeys)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\A\\B", 0, nullptr, 0, KEY_WRITE | KEY_READ, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    const char16_t text[] = u"a longer text";
    ASSERT_EQ(RegSetValueExW(key, u"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text)), ERROR_SUCCESS);
    const DWORD number = 0x01020304;
    ASSERT_EQ(RegSetValueExW(key, u"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);

    BYTE small[4];
    DWORD size = sizeof(small), type = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"Text", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, sizeof(text));
    char ansi[64];
    size = sizeof(ansi);
    ASSERT_EQ(RegQueryValueExA(key, "text", nullptr, &type, reinterpret_cast<BYTE*>(ansi), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(ansi, "a longer text");
    DWORD read_number = 0;
    size = 4;
    ASSERT_EQ(RegQueryValueExW(key, u"NUMBER", nullptr, &type, reinterpret_cast<BYTE*>(&read_number), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(read_number, number);
    EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);

    DWORD subkeys = 9, values = 9;
    ASSERT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeys, 0u);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(RegDeleteValueW(key, u"text"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(key, u"text"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);

    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\A"), ERROR_ACCESS_DENIED); // it has a sub-key
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\A\\B"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\A"), ERROR_SUCCESS);
    EXPECT_FALSE(env.keyExists(HKEY_CURRENT_USER, u"Software\\A"));
    EXPECT_EQ(RegOpenKeyExW(reinterpret_cast<HKEY>(0), u"Software", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(0x1234)), ERROR_INVALID_HANDLE);
}

// Every change is a read-modify-write under the root's lock: none is lost.
TEST_F(CompatRegistry, ConcurrentWritersLoseNothing)
{
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([this, t] {
            for (int i = 0; i < 25; ++i) {
                const std::string name = "v" + std::to_string(t) + "_" + std::to_string(i);
                env.setString(HKEY_CURRENT_USER, u"Software\\Many", compat::toUtf16(name), u"x");
            }
        });
    }
    for (std::thread& writer : writers)
        writer.join();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Many", 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD values = 0;
    ASSERT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(values, 100u);
}
