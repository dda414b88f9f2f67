#include "test_windows.h"

#include <atomic>

#include "log.h"
#include "ui_path_manager.h"

namespace {

const char kComponent[] = "default_component";
const char kCopyHookKey[] = "SOFTWARE\\Classes\\Directory\\shellex\\CopyHookHandlers\\QuillmarCopyHook.FileManager";
const char kServerKey[] = "SOFTWARE\\Classes\\CLSID\\{61359716-007D-4490-A3AE-CBE0E414BD28}\\InProcServer32";
const char kClassId[] = "{61359716-007D-4490-A3AE-CBE0E414BD28}";

std::atomic<int> g_restarts{0};

bool sameText(ustring const& a, ustring const& b)
{
    return a.size() == b.size() && std::string(a.c_str_utf8(), a.size()) == std::string(b.c_str_utf8(), b.size());
}

} // namespace

ustring ShellExtensionPath()
{
    const QString program = UIPathManager::getInstance()->getPath(QStringLiteral("application_path"));
    const char* arch = sizeof(void*) == 8 ? "x64" : "x86";
    const QString tail = QStringLiteral("/VexoDndShellExt/0/%1/VexoDndShellExt.so").arg(QLatin1String(arch));
    return ustring((program + tail).toUtf8().toStdString());
}

void RestartExplorer()
{
    QM_LOG(Logger::L_INFO, kComponent, L"[INFO] test_windows(%d): restarting explorer...\n");
    g_restarts.fetch_add(1);
}

int ExplorerRestartCount()
{
    return g_restarts.load();
}

int TestWindows(WindowsRegistry::HKEY_ROOT root)
{
    {
        WindowsRegistry hook;
        if (hook.OpenRead(root, kCopyHookKey) != 0 || !sameText(hook.ReadString(""), kClassId)) {
            WindowsRegistry writer;
            if (writer.OpenWrite(root, kCopyHookKey) != 0 || writer.WriteString("", kClassId) != 0) {
                QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] test_windows(%d): copy hook key: %s\n",
                       writer.GetLastError());
                return -1;
            }
        }
    }

    const ustring dll_path = ShellExtensionPath();
    {
        WindowsRegistry server;
        // Case matters: a path differing only in letter case is written again.
        if (server.OpenRead(root, kServerKey) == 0 && sameText(server.ReadString(""), dll_path))
            return 0;
    }
    WindowsRegistry writer;
    if (writer.OpenWrite(root, kServerKey) != 0 || writer.WriteString("", dll_path) != 0 ||
        writer.WriteString("ThreadingModel", "Apartment") != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] test_windows(%d): InProcServer32 key: %s\n", writer.GetLastError());
        return -1;
    }
    RestartExplorer();
    return 0;
}
