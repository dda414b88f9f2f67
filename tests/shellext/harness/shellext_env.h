#pragma once

// Test isolation for the registry and the named objects, plus a child-process
// helper for the tests that need a second process.

#include <sys/types.h>

#include <string>
#include <vector>

#include "compat/registry.h"
#include "support/temp_dir.h"

namespace harness {

// A temporary registry (QM_REGISTRY_DIR) and a suffix for named objects
// (QM_IPC_SUFFIX) unique to this process, so parallel tests share nothing.
// The destructor removes the block and the mutexes and restores both variables.
class ShellExtEnv {
public:
    ShellExtEnv();
    ~ShellExtEnv();
    ShellExtEnv(const ShellExtEnv&) = delete;
    ShellExtEnv& operator=(const ShellExtEnv&) = delete;

    const std::string& dir() const { return m_dir.path(); }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    // Makes the root refuse writes, as HKLM does for a user without rights.
    void setReadOnly(HKEY root);
    // Writes a REG_SZ value (creating the key); false on failure.
    bool setString(HKEY root, const std::u16string& key, const std::u16string& name, const std::u16string& value);
    // The REG_SZ value, or "<missing>".
    std::string getString(HKEY root, const std::u16string& key, const std::u16string& name);
    bool keyExists(HKEY root, const std::u16string& key);

private:
    qm_test::TempDir m_dir;
    std::string m_old_registry;
    std::string m_old_suffix;
    bool m_had_registry = false;
    bool m_had_suffix = false;
};

// A child process with its standard input and output on pipes.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return m_pid > 0; }
    pid_t pid() const { return m_pid; }
    // The next line of its output without the line break; "" at its end.
    std::string readLine();
    // Closes its input (a holder lets go of its mutex then).
    void closeInput();
    void kill(int signal);
    // Waits for it; its exit code, or 128 + the signal that ended it.
    int wait();

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_pending;
};

} // namespace harness
