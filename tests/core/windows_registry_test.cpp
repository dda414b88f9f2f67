// WindowsRegistry over the stand-in registry, and TestWindows, the client's
// check of the copy-hook registration.
#include <gtest/gtest.h>

#include <QString>

#include "compat/registry.h"
#include "file_manager.h"
#include "shellext_env.h"
#include "support/temp_dir.h"
#include "test_windows.h"
#include "ui_path_manager.h"
#include "windows_registry.h"

namespace {

const char kHookKey[] = "SOFTWARE\\Classes\\Directory\\shellex\\CopyHookHandlers\\QuillmarCopyHook.FileManager";
const char kServerKey[] = "SOFTWARE\\Classes\\CLSID\\{61359716-007D-4490-A3AE-CBE0E414BD28}\\InProcServer32";
const char kClassId[] = "{61359716-007D-4490-A3AE-CBE0E414BD28}";

std::string text(const ustring& value)
{
    return std::string(value.c_str_utf8(), value.size());
}

class RegistryFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        UIPathManager::getInstance()->setPath(QStringLiteral("application_path"), QStringLiteral(QM_STAGE_BIN_DIR));
    }
    harness::ShellExtEnv env;
};

} // namespace

TEST_F(RegistryFixture, OpenFailuresNameTheStepAndTheCode)
{
    WindowsRegistry none;
    EXPECT_EQ(none.OpenRead(WindowsRegistry::NO_ROOT, "Software"), -1);
    EXPECT_EQ(text(none.GetLastError()), "RegOpenKeyExW (system error code = 6)");
    EXPECT_FALSE(none.IsValid());
    EXPECT_EQ(none.GetRoot(), WindowsRegistry::NO_ROOT);

    WindowsRegistry missing(WindowsRegistry::HKCU, "Software\\Missing", WindowsRegistry::READ);
    EXPECT_FALSE(missing.IsValid());
    EXPECT_EQ(text(missing.GetLastError()), "RegOpenKeyExW (system error code = 2)");

    env.setReadOnly(HKEY_LOCAL_MACHINE);
    WindowsRegistry denied(WindowsRegistry::HKLM, "Software\\Test", WindowsRegistry::WRITE);
    EXPECT_FALSE(denied.IsValid());
    EXPECT_EQ(text(denied.GetLastError()), "RegCreateKeyExW (system error code = 5)");

    WindowsRegistry closed;
    std::string data;
    EXPECT_EQ(closed.Read("x", data), -1);
    EXPECT_EQ(text(closed.GetLastError()), "invalid argument");
}

TEST_F(RegistryFixture, WriteReadEnumerate)
{
    WindowsRegistry writer(WindowsRegistry::HKCU, "Software\\Quillmar\\Test", WindowsRegistry::WRITE);
    ASSERT_TRUE(writer.IsValid());
    EXPECT_TRUE(writer.IsReadable());
    EXPECT_TRUE(writer.IsWritable());
    EXPECT_EQ(writer.WriteString("", "default text"), 0);
    EXPECT_EQ(writer.WriteString("Name", "Grüße"), 0);
    writer.Close();
    EXPECT_FALSE(writer.IsValid());

    WindowsRegistry reader(WindowsRegistry::HKCU, "software\\quillmar\\TEST", WindowsRegistry::READ);
    ASSERT_TRUE(reader.IsValid());
    EXPECT_FALSE(reader.IsWritable());
    EXPECT_EQ(text(reader.GetSubKey()), "software\\quillmar\\TEST");
    EXPECT_EQ(reader.GetRoot(), WindowsRegistry::HKCU);
    EXPECT_EQ(text(reader.ReadString("")), "default text");
    EXPECT_EQ(text(reader.ReadString("name")), "Grüße");
    std::string raw;
    ASSERT_EQ(reader.Read("", raw), 0);
    EXPECT_EQ(raw.size(), (12 + 1) * 2 + 2u); // the text, its zero unit, then two zero bytes
    EXPECT_EQ(raw.substr(raw.size() - 4), std::string(4, '\0'));
    EXPECT_EQ(text(reader.ReadString("Missing")), "");
    EXPECT_EQ(text(reader.GetLastError()), "RegQueryValueExW (system error code = 2)");
    EXPECT_EQ(reader.WriteString("Name", "x"), -1);
    EXPECT_EQ(text(reader.GetLastError()), "Registry is not writable");

    WindowsRegistry parent(WindowsRegistry::HKCU, "Software", WindowsRegistry::READ);
    std::vector<ustring> names = {"stale"};
    ASSERT_EQ(parent.EnumSubKeys(names), 0);
    std::vector<std::string> plain;
    for (const ustring& name : names)
        plain.push_back(text(name));
    EXPECT_EQ(plain, (std::vector<std::string>{"Classes", "Quillmar"}));
}

TEST_F(RegistryFixture, ExtensionPathIsTheStagedLibrary)
{
    EXPECT_EQ(text(ShellExtensionPath()), QM_SHELLEXT_LIBRARY);
}

TEST_F(RegistryFixture, FirstRegistrationWritesAndRestartsOnce)
{
    const int restarts = ExplorerRestartCount();
    EXPECT_EQ(TestWindows(WindowsRegistry::HKLM), 0);
    EXPECT_EQ(env.getString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Classes\\Directory\\shellex\\CopyHookHandlers\\"
                                                u"QuillmarCopyHook.FileManager",
                            u""),
              kClassId);
    WindowsRegistry server(WindowsRegistry::HKLM, kServerKey, WindowsRegistry::READ);
    EXPECT_EQ(text(server.ReadString("")), QM_SHELLEXT_LIBRARY);
    EXPECT_EQ(text(server.ReadString("ThreadingModel")), "Apartment");
    EXPECT_EQ(ExplorerRestartCount(), restarts + 1);
}

TEST_F(RegistryFixture, RegistrationInPlaceChangesNothing)
{
    ASSERT_EQ(TestWindows(WindowsRegistry::HKLM), 0);
    const int restarts = ExplorerRestartCount();
    const std::string before = qm_test::readFile(compat::registryFile(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(TestWindows(WindowsRegistry::HKLM), 0);
    EXPECT_EQ(qm_test::readFile(compat::registryFile(HKEY_LOCAL_MACHINE)), before);
    EXPECT_EQ(ExplorerRestartCount(), restarts);
}

TEST_F(RegistryFixture, MissingCopyHookValueIsWrittenWithoutRestart)
{
    ASSERT_EQ(TestWindows(WindowsRegistry::HKLM), 0);
    {
        WindowsRegistry hook(WindowsRegistry::HKLM, kHookKey, WindowsRegistry::WRITE);
        ASSERT_EQ(hook.WriteString("", ""), 0);
    }
    const int restarts = ExplorerRestartCount();
    EXPECT_EQ(TestWindows(WindowsRegistry::HKLM), 0);
    WindowsRegistry hook(WindowsRegistry::HKLM, kHookKey, WindowsRegistry::READ);
    EXPECT_EQ(text(hook.ReadString("")), kClassId);
    EXPECT_EQ(ExplorerRestartCount(), restarts);
}

TEST_F(RegistryFixture, PathDifferingInCaseIsRewrittenWithOneRestart)
{
    {
        WindowsRegistry server(WindowsRegistry::HKLM, kServerKey, WindowsRegistry::WRITE);
        ASSERT_EQ(server.WriteString("", QString(QM_SHELLEXT_LIBRARY).toUpper().toUtf8().toStdString()), 0);
    }
    {
        WindowsRegistry hook(WindowsRegistry::HKLM, kHookKey, WindowsRegistry::WRITE);
        ASSERT_EQ(hook.WriteString("", kClassId), 0);
    }
    const int restarts = ExplorerRestartCount();
    EXPECT_EQ(TestWindows(WindowsRegistry::HKLM), 0);
    WindowsRegistry server(WindowsRegistry::HKLM, kServerKey, WindowsRegistry::READ);
    EXPECT_EQ(text(server.ReadString("")), QM_SHELLEXT_LIBRARY);
    EXPECT_EQ(ExplorerRestartCount(), restarts + 1);
}

TEST_F(RegistryFixture, ReadOnlyRootFails)
{
    env.setReadOnly(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(TestWindows(WindowsRegistry::HKLM), -1);
    EXPECT_EQ(TestWindows(WindowsRegistry::HKCU), 0);
}

// The client writes "SOFTWARE\Classes\Directory\...", the extension
// "Software\Classes\directory\...": both land in one key, the shell finds one
// handler, and the client then finds its registration in place.
TEST_F(RegistryFixture, ClientAndExtensionMeetInOneKey)
{
    ASSERT_EQ(TestWindows(WindowsRegistry::HKLM), 0);
    harness::LoadedServer extension;
    ASSERT_TRUE(extension.load(QM_SHELLEXT_LIBRARY));
    ASSERT_EQ(extension.registerServer(), S_OK);
    const std::vector<harness::HandlerEntry> handlers = harness::findCopyHookHandlers();
    ASSERT_EQ(handlers.size(), 1u);
    EXPECT_EQ(handlers[0].name, "QuillmarCopyHook.FileManager");
    EXPECT_EQ(handlers[0].library, QM_SHELLEXT_LIBRARY);
    WindowsRegistry classes(WindowsRegistry::HKLM, "Software\\Classes", WindowsRegistry::READ);
    std::vector<ustring> names;
    ASSERT_EQ(classes.EnumSubKeys(names), 0);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(text(names[0]), "Directory");
    EXPECT_EQ(text(names[1]), "CLSID");
    const int restarts = ExplorerRestartCount();
    EXPECT_EQ(TestWindows(WindowsRegistry::HKLM), 0);
    EXPECT_EQ(ExplorerRestartCount(), restarts);
}
