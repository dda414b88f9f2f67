// The extension's log file: off unless LogFile names it, one whole line per
// message in the fixed format, also with two processes writing at once.
#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include <ctime>

#include "file_manager.h"
#include "hook_fixture.h"
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

// Parses "[YYYY-MM-DD HH:MM:SS.mmm][pid:tid] message" (the hour may be
// space-padded, the ids are at least four lower-case hex digits).
bool parseLine(const std::string& line, std::string* pid, std::string* message)
{
    static const char kShape[] = "[dddd-dd-dd hd:dd:dd.ddd][";
    const size_t shape_len = sizeof(kShape) - 1;
    if (line.size() < shape_len)
        return false;
    for (size_t i = 0; i < shape_len; ++i) {
        const char want = kShape[i], got = line[i];
        if (want == 'd' ? !isdigit(static_cast<unsigned char>(got))
                        : want == 'h' ? !(got == ' ' || isdigit(static_cast<unsigned char>(got))) : got != want)
            return false;
    }
    size_t pos = shape_len;
    auto hex = [&](char end, std::string* out) {
        const size_t start = pos;
        while (pos < line.size() && isxdigit(static_cast<unsigned char>(line[pos])) &&
               !isupper(static_cast<unsigned char>(line[pos])))
            ++pos;
        if (pos - start < 4 || pos >= line.size() || line[pos] != end)
            return false;
        if (out)
            *out = line.substr(start, pos - start);
        ++pos;
        return true;
    };
    if (!hex(':', pid) || !hex(']', nullptr) || pos >= line.size() || line[pos] != ' ')
        return false;
    *message = line.substr(pos + 1);
    return true;
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

// "YYYY-MM-DD HH:MM" of the current UTC time, hour space-padded as in the log.
std::string utcMinute()
{
    const time_t now = time(nullptr);
    struct tm utc {};
    gmtime_r(&now, &utc);
    char text[64];
    snprintf(text, sizeof(text), "%4d-%02d-%02d %2d:%02d", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour,
             utc.tm_min);
    return text;
}

TEST_F(ShellExtLog, LinesFollowTheFormat)
{
    // A zone far from UTC, so local time cannot pass for it.
    setenv("TZ", "QMT-5:30", 1);
    tzset();
    const std::string log = env.file("ext.log");
    ASSERT_TRUE(env.setString(HKEY_CURRENT_USER, kSettingsKey, u"LogFile", std::u16string(log.begin(), log.end())));
    const std::string before = utcMinute();
    {
        harness::LoadedServer server;
        ASSERT_TRUE(server.load(QM_SHELLEXT_LIBRARY));
        EXPECT_EQ(server.canUnloadNow(), S_OK);
    }
    const std::string after = utcMinute();
    const std::vector<std::string> lines = linesOf(qm_test::readFile(log));
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], kSeparator);
    std::vector<std::string> messages;
    char pid[16];
    snprintf(pid, sizeof(pid), "%04x", static_cast<unsigned>(getpid()));
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string line_pid, message;
        ASSERT_TRUE(parseLine(lines[i], &line_pid, &message)) << lines[i];
        EXPECT_EQ(line_pid, pid);
        const std::string minute = lines[i].substr(1, 16);
        EXPECT_TRUE(minute == before || minute == after) << lines[i] << " is not UTC " << before;
        messages.push_back(message);
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
    const int kLines = 500;
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
        std::string pid, message;
        ASSERT_TRUE(parseLine(line, &pid, &message)) << line;
        answers += message == "DllCanUnloadNow can";
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

// The path field is logged before it is overwritten, and never read past its
// 260 units, even when the block holds no zero unit at all.
TEST_F(ShellExtLog, PathFieldIsLoggedWithinItsBounds)
{
    const std::string log = env.file("ext.log");
    ASSERT_TRUE(env.setString(HKEY_CURRENT_USER, kSettingsKey, u"LogFile", std::u16string(log.begin(), log.end())));
    hook_test::ClientBlock block;
    ASSERT_TRUE(block.ok());
    block.prepare(1, 1);
    std::memset(block.bytes() + 2, 0x41, 523); // every unit is U+4141, up to the block's end
    {
        harness::LoadedServer server;
        ASSERT_TRUE(server.load(QM_SHELLEXT_LIBRARY));
        IClassFactory* factory = nullptr;
        ASSERT_EQ(server.getClassObject(hook_test::kShellExtClass, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
                  S_OK);
        ICopyHookW* hook = nullptr;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IShellCopyHookW, reinterpret_cast<void**>(&hook)), S_OK);
        factory->Release();
        const std::u16string source = hook_test::kMarkerSource, destination = hook_test::kDestination;
        EXPECT_EQ(hook->CopyCallback(nullptr, FO_COPY, 0, source.c_str(), 0x10, destination.c_str(), 0x10),
                  static_cast<UINT>(IDNO));
        hook->Release();
    }
    const std::vector<std::string> lines = linesOf(qm_test::readFile(log));
    std::string logged;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        std::string pid, message;
        if (parseLine(lines[i], &pid, &message) && message == "Dragged file:") {
            ASSERT_TRUE(parseLine(lines[i + 1], &pid, &logged));
        }
    }
    std::string expected;
    for (int i = 0; i < 260; ++i)
        expected += "\xe4\x85\x81"; // U+4141 in UTF-8
    EXPECT_EQ(logged, expected);
    EXPECT_EQ(block.path(), hook_test::kDestination);
}
