// The staged extension exports the four entry points of an in-process server
// and nothing else, and takes nothing from the client's libraries.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace {

// Symbol names `nm -D` lists with the given option.
std::set<std::string> dynamicSymbols(const std::string& library, const char* option)
{
    std::set<std::string> names;
    const std::string command = std::string("nm -D ") + option + " '" + library + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return names;
    char line[1024];
    while (fgets(line, sizeof(line), pipe)) {
        std::istringstream fields(line);
        std::string a, b, c;
        fields >> a >> b;
        // "<address> <type> <name>" for defined symbols, "<type> <name>" for undefined ones.
        names.insert(fields >> c ? c : b);
    }
    pclose(pipe);
    return names;
}

} // namespace

TEST(ShellExtExports, StagedWhereTheClientRegistersIt)
{
    struct stat st {};
    EXPECT_EQ(stat(QM_STAGE_BIN_DIR "/VexoDndShellExt/0/x64/VexoDndShellExt.so", &st), 0);
    EXPECT_EQ(std::string(QM_SHELLEXT_LIBRARY), QM_STAGE_BIN_DIR "/VexoDndShellExt/0/x64/VexoDndShellExt.so");
}

TEST(ShellExtExports, ExactlyTheFourEntryPoints)
{
    const std::set<std::string> expected = {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                            "DllUnregisterServer"};
    EXPECT_EQ(dynamicSymbols(QM_SHELLEXT_LIBRARY, "--defined-only"), expected);
}

TEST(ShellExtExports, TakesNothingFromTheClient)
{
    for (const std::string& name : dynamicSymbols(QM_SHELLEXT_LIBRARY, "--undefined-only")) {
        EXPECT_EQ(name.find("Logger"), std::string::npos) << name;
        EXPECT_EQ(name.find("ustring"), std::string::npos) << name;
        EXPECT_EQ(name.find("QString"), std::string::npos) << name;
    }
}
