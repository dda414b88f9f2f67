// The extension's log file: off unless LogFile names it, one whole line per
// message in the fixed format, also with two processes writing at once.
#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "file_manager.h"
#include "shellext_env.h"
#include "support/temp_dir.h"

namespace {

const std::u16string kSettingsKey = u"Software\\Quillmar\\qzshellext";
const char kSeparator[] = "----------------------------";

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

const std::regex& lineFormat()
{
    static const std::regex format(R"(^\[\d{4}-\d{2}-\d{2} [ \d]\d:\d{2}:\d{2}\.\d{3}\]\[([0-9a-f]{4,}):[0-9a-f]{4,}\] (.*)$)");
    return format;
}

std::vector<std::string> entriesOf(const std::string& dir)
{
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(d);
    }
    return names;
}

class ShellExtLog : public ::testing::Test {
protected:
    harness::ShellExtEnv env;
};

} // namespace

TEST_F(ShellExtLog, LinesFollowTheFormat)
{
    const std::string log = env.file("ext.log");
    ASSERT_TRUE(env.setString(HKEY_CURRENT_USER, kSettingsKey, u"LogFile", std::u16string(log.begin(), log.end())));
    {
        harness::LoadedServer server;
        ASSERT_TRUE(server.load(QM_SHELLEXT_LIBRARY));
        EXPECT_EQ(server.canUnloadNow(), S_OK);
    }
    const std::vector<std::string> lines = linesOf(qm_test::readFile(log));
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], kSeparator);
    std::vector<std::string> messages;
    char pid[16];
    snprintf(pid, sizeof(pid), "%04x", static_cast<unsigned>(getpid()));
    for (size_t i = 1; i < lines.size(); ++i) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(lines[i], match, lineFormat())) << lines[i];
        EXPECT_EQ(match[1].str(), pid);
        messages.push_back(match[2].str());
    }
    // Logging comes on with LogFile, so the lines before it are not written.
    const std::vector<std::string> expected_start = {"DllMain loaded settings, extension is enabled",
                                                     QM_SHELLEXT_LIBRARY, "LogVersion 1.0.0.0", "DllMain leave",
                                                     "DllCanUnloadNow can"};
    ASSERT_GE(messages.size(), expected_start.size());
    for (size_t i = 0; i < expected_start.size(); ++i)
        EXPECT_EQ(messages[i], expected_start[i]);
    EXPECT_EQ(messages.back(), "DllMain detaching process");
}

TEST_F(ShellExtLog, TwoProcessesLeaveWholeLines)
{
    const std::string log = env.file("ext.log");
    ASSERT_TRUE(env.setString(HKEY_LOCAL_MACHINE, kSettingsKey, u"LogFile", std::u16string(log.begin(), log.end())));
    const int kLines = 1500;
    harness::ChildProcess first({QM_SHELLEXT_HARNESS, "log", QM_SHELLEXT_LIBRARY, std::to_string(kLines)});
    harness::ChildProcess second({QM_SHELLEXT_HARNESS, "log", QM_SHELLEXT_LIBRARY, std::to_string(kLines)});
    EXPECT_EQ(first.wait(), 0);
    EXPECT_EQ(second.wait(), 0);
    int separators = 0, answers = 0;
    for (const std::string& line : linesOf(qm_test::readFile(log))) {
        if (line == kSeparator) {
            ++separators;
            continue;
        }
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, lineFormat())) << line;
        answers += match[2].str() == "DllCanUnloadNow can";
    }
    EXPECT_EQ(separators, 2);
    // Each harness asks once more when it unloads the library.
    EXPECT_EQ(answers, 2 * (kLines + 1));
}

// Without LogFile nothing is written anywhere, not even a stray file in the
// working folder; a LogFile of another type does not turn logging on either.
TEST_F(ShellExtLog, NoLogFileNoFile)
{
    qm_test::TempDir cwd("qm-shellext-cwd");
    char old_cwd[4096];
    ASSERT_NE(getcwd(old_cwd, sizeof(old_cwd)), nullptr);
    ASSERT_EQ(chdir(cwd.path().c_str()), 0);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD not_a_path = 7;
    ASSERT_EQ(RegSetValueExW(key, u"LogFile", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&not_a_path), 4),
              ERROR_SUCCESS);
    RegCloseKey(key);
    {
        harness::LoadedServer server;
        ASSERT_TRUE(server.load(QM_SHELLEXT_LIBRARY));
        ASSERT_EQ(server.registerServer(), S_OK);
        EXPECT_EQ(server.canUnloadNow(), S_OK);
    }
    EXPECT_EQ(chdir(old_cwd), 0);
    EXPECT_TRUE(entriesOf(cwd.path()).empty());
    for (const std::string& name : entriesOf(env.dir()))
        EXPECT_TRUE(name.rfind("HK", 0) == 0) << name;
}
