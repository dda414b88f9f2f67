#pragma once
// A scratch folder of one fuzzing process under the system's temporary
// folder ($TMPDIR, else /tmp): removed at exit, and, since a run that ends
// on a crash or a time-out skips the exit handlers, folders left by earlier
// processes that are gone are removed when the next run starts.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace fuzz_scratch {

inline std::filesystem::path tempRoot()
{
    const char* tmp = std::getenv("TMPDIR");
    return std::filesystem::path(tmp && *tmp ? tmp : "/tmp");
}

// Removes "<prefix><pid>" folders whose process no longer runs.
inline void removeStale(const std::string& prefix)
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(tempRoot(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string pid_text = name.substr(prefix.size());
        if (pid_text.empty() || pid_text.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const long pid = std::strtol(pid_text.c_str(), nullptr, 10);
        if (pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM))
            continue;
        std::error_code ignored;
        std::filesystem::remove_all(entry.path(), ignored);
    }
}

// The folder "<tmp>/qm-fuzz-<name>-<pid>", made on the first call (the name
// of later calls is not used).
inline const std::string& folder(const char* name)
{
    // Never destroyed: the exit handler below runs after static destructors
    // of objects constructed before it was registered.
    static const std::string* path = [name] {
        const std::string prefix = std::string("qm-fuzz-") + name + "-";
        removeStale(prefix);
        const std::filesystem::path made = tempRoot() / (prefix + std::to_string(::getpid()));
        std::filesystem::create_directories(made);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(*path, ignored);
        });
        return new std::string(made.string());
    }();
    return *path;
}

// Makes the scratch folder the working folder, for code that writes beside
// itself. The fuzzer's own paths (corpus folders, artifacts, dictionary) are
// made absolute first so they still mean the folders they named; artifacts go
// to the original working folder unless a prefix is given.
inline void enterFolder(int* argc, char*** argv, const char* name)
{
    const std::string cwd = std::filesystem::current_path().string() + "/";
    static const char* const kPathFlags[] = {"-artifact_prefix=", "-exact_artifact_path=", "-dict=",
                                             "-features_dir=", "-merge_control_file=", "-seed_inputs=",
                                             "-data_flow_trace=", "-focus_function="};
    static std::vector<std::string> args;
    bool has_prefix = false;
    for (int i = 0; i < *argc; ++i) {
        std::string arg = (*argv)[i];
        if (i > 0 && arg[0] != '-' && arg[0] != '/') {
            arg = cwd + arg;
        } else {
            for (const char* flag : kPathFlags) {
                const size_t n = std::strlen(flag);
                if (arg.compare(0, n, flag) == 0 && arg.size() > n && arg[n] != '/' &&
                    std::strcmp(flag, "-focus_function=") != 0)
                    arg = flag + cwd + arg.substr(n);
            }
        }
        has_prefix = has_prefix || arg.compare(0, 17, "-artifact_prefix=") == 0;
        args.push_back(arg);
    }
    if (!has_prefix)
        args.push_back("-artifact_prefix=" + cwd);
    static std::vector<char*> pointers;
    for (std::string& arg : args)
        pointers.push_back(&arg[0]);
    pointers.push_back(nullptr);
    *argc = static_cast<int>(args.size());
    *argv = pointers.data();
    if (::chdir(folder(name).c_str()) != 0)
        std::abort();
}

} // namespace fuzz_scratch
