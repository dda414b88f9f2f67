#include "shellext_env.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "compat/sync.h"
#include "compat/text.h"
#include "support/temp_dir.h"

namespace harness {

namespace {

void remember(const char* name, std::string* value, bool* had)
{
    const char* current = getenv(name);
    *had = current != nullptr;
    if (current)
        *value = current;
}

void restore(const char* name, const std::string& value, bool had)
{
    if (had)
        setenv(name, value.c_str(), 1);
    else
        unsetenv(name);
}

} // namespace

ShellExtEnv::ShellExtEnv() : m_dir("qm-shellext")
{
    remember("QM_REGISTRY_DIR", &m_old_registry, &m_had_registry);
    remember("QM_IPC_SUFFIX", &m_old_suffix, &m_had_suffix);
    setenv("QM_REGISTRY_DIR", m_dir.path().c_str(), 1);
    setenv("QM_IPC_SUFFIX", ("-test" + std::to_string(getpid())).c_str(), 1);
}

ShellExtEnv::~ShellExtEnv()
{
    compat::unlinkNamedObject(u"VexoDndShellExtMapping");
    compat::unlinkNamedObject(u"VexoDndShellExtMutex");
    compat::unlinkNamedObject(u"VexoDndShellExtLogMutex");
    restore("QM_REGISTRY_DIR", m_old_registry, m_had_registry);
    restore("QM_IPC_SUFFIX", m_old_suffix, m_had_suffix);
}

void ShellExtEnv::setReadOnly(HKEY root)
{
    qm_test::writeFile(m_dir.file(root == HKEY_LOCAL_MACHINE ? "HKLM.readonly" : "HKCU.readonly"), "");
}

bool ShellExtEnv::setString(HKEY root, const std::u16string& key, const std::u16string& name, const std::u16string& value)
{
    HKEY opened = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG rc = RegSetValueExW(opened, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
    RegCloseKey(opened);
    return rc == ERROR_SUCCESS;
}

std::string ShellExtEnv::getString(HKEY root, const std::u16string& key, const std::u16string& name)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return "<missing>";
    WCHAR buffer[1024] = {};
    DWORD size = sizeof(buffer) - sizeof(WCHAR);
    DWORD type = 0;
    const LONG rc = RegQueryValueExW(opened, name.empty() ? nullptr : name.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(opened);
    if (rc != ERROR_SUCCESS || type != REG_SZ)
        return "<missing>";
    return compat::toUtf8(buffer);
}

bool ShellExtEnv::keyExists(HKEY root, const std::u16string& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv)
{
    int to_child[2], from_child[2];
    if (pipe2(to_child, O_CLOEXEC) != 0)
        return;
    if (pipe2(from_child, O_CLOEXEC) != 0) {
        close(to_child[0]);
        close(to_child[1]);
        return;
    }
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    m_pid = fork();
    if (m_pid == 0) {
        dup2(to_child[0], STDIN_FILENO);
        dup2(from_child[1], STDOUT_FILENO);
        execv(args[0], args.data());
        _exit(127);
    }
    close(to_child[0]);
    close(from_child[1]);
    m_in = to_child[1];
    m_out = from_child[0];
}

ChildProcess::~ChildProcess()
{
    closeInput();
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        wait();
    }
    if (m_out >= 0)
        close(m_out);
}

std::string ChildProcess::readLine()
{
    for (;;) {
        const size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            const std::string line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return line;
        }
        char buffer[256];
        const ssize_t n = read(m_out, buffer, sizeof(buffer));
        if (n <= 0) {
            std::string rest;
            rest.swap(m_pending);
            return rest;
        }
        m_pending.append(buffer, static_cast<size_t>(n));
    }
}

void ChildProcess::closeInput()
{
    if (m_in >= 0)
        close(m_in);
    m_in = -1;
}

void ChildProcess::kill(int signal)
{
    if (m_pid > 0)
        ::kill(m_pid, signal);
}

int ChildProcess::wait()
{
    if (m_pid <= 0)
        return -1;
    int status = 0;
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + WTERMSIG(status);
}

} // namespace harness
