#include "log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "foundation/descriptor_exhaustion.h"
#include "support/temp_dir.h"
#include "ustring/ustring.h"

namespace {

const char kComponent[] = "log_test";
const size_t kPrefixChars = 16; // "Jan 02 03:04:05 "

// True when text starts with a time prefix such as "Jan 02 03:04:05 ".
bool has_time_prefix(const std::string& text)
{
    static const char shape[] = "Aaa 99 99:99:99 "; // A upper, a lower, 9 digit
    if (text.size() < kPrefixChars)
        return false;
    for (size_t i = 0; i < kPrefixChars; ++i) {
        const char c = text[i];
        const bool ok = shape[i] == 'A' ? (c >= 'A' && c <= 'Z')
                        : shape[i] == 'a' ? (c >= 'a' && c <= 'z')
                        : shape[i] == '9' ? (c >= '0' && c <= '9')
                                          : c == shape[i];
        if (!ok)
            return false;
    }
    return true;
}

using qm_test::readFile;

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

class LoggerFile : public testing::Test {
protected:
    // The folder outlives TearDown: the logger lets go of its file first.
    void TearDown() override { Logger::Destroy(); }
    void write_levels(const std::string& text) const { std::ofstream(level_path) << text; }
    std::string rotated(int i) const { return log_path + "_" + std::to_string(i); }

    // One message of exactly `chars` wide characters, time prefix included.
    static void log_sized(size_t chars, const std::string& head = "")
    {
        std::wstring body(chars - kPrefixChars - head.size() - 1, L'x');
        Logger::tLogMsg(Logger::L_ERR, kComponent, L"%s%ls\n", head, body.c_str());
    }
    static void log_text(const char* text) { Logger::tLogMsg(Logger::L_ERR, kComponent, L"%s", text); }

    qm_test::TempDir tmp{"log_test"};
    std::string dir = tmp.path();
    std::string log_path = dir + "/ui.log";
    std::string level_path = dir + "/quillmarfilemanager.debug";
};

TEST_F(LoggerFile, LevelsComeFromTheMarkerFile)
{
    write_levels("default_component=7\n"
                 "channel_debug=7\n"
                 "quiet=-1\n"
                 "garbage=abc\n"
                 "partial=6xyz\n"
                 "huge=99999999999\n");
    ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, log_path, level_path, 50), 0);
    struct Case {
        const char* component;
        Logger::Level level;
        bool logged;
    } cases[] = {
        {"unlisted", Logger::L_WARNING, true},
        {"unlisted", Logger::L_NOTICE, false}, // default_component is not a fallback
        {"default_component", Logger::L_DEBUG, true},
        {"channel_debug", Logger::L_DEBUG, true},
        {"Channel_debug", Logger::L_NOTICE, false}, // names are case-sensitive
        {"quiet", Logger::L_EMERG, false},
        {"garbage", Logger::L_EMERG, true},
        {"garbage", Logger::L_ALERT, false},
        {"partial", Logger::L_INFO, true},
        {"partial", Logger::L_DEBUG, false},
        {"huge", Logger::L_DEBUG, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Logger::IsNeedToLog(c.level, c.component), c.logged) << c.component << " " << c.level;
        EXPECT_EQ(Logger::IsNeedToLog(c.level, std::string(c.component)), c.logged);
    }

    Logger::tLogMsg(Logger::L_DEBUG, "quiet", L"[DEBUG] dropped\n");
    Logger::tLogMsg(Logger::L_DEBUG, "channel_debug", L"[DEBUG] kept\n");
    EXPECT_EQ(readFile(log_path).find("dropped"), std::string::npos);
    EXPECT_NE(readFile(log_path).find("kept"), std::string::npos);

    // An invalid marker file contributes nothing; earlier entries are kept.
    write_levels("fresh=7\nnot valid\n");
    ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, log_path, level_path, 50), 0);
    EXPECT_FALSE(Logger::IsNeedToLog(Logger::L_NOTICE, "fresh"));
    EXPECT_TRUE(Logger::IsNeedToLog(Logger::L_WARNING, "fresh"));
    EXPECT_TRUE(Logger::IsNeedToLog(Logger::L_DEBUG, "channel_debug"));
}

TEST_F(LoggerFile, LineHasTimePrefixAndWindowsStyleFormats)
{
    ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, log_path, "", 50), 0);
    const int line = __LINE__ + 1;
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] log_test(%d): %s|%s|%s|%s|%ls|%I64d|%c|%5.2f|%%s\n",
           "narrow h\xC3\xA9", std::string("std"), ustring("u\xE2\x82\xAC"), u"\U0001F600", L"wide",
           static_cast<long long>(1) << 40, 'x', 3.14159);
    QM_LOG(Logger::L_INFO, kComponent, L"[INFO] log_test(%d): below the threshold\n");

    const std::string text = readFile(log_path);
    ASSERT_GE(text.size(), kPrefixChars);
    EXPECT_TRUE(has_time_prefix(text)) << text;
    EXPECT_EQ(text.substr(kPrefixChars), "[ERROR] log_test(" + std::to_string(line) +
                                             "): narrow h\xC3\xA9|std|u\xE2\x82\xAC|\xF0\x9F\x98\x80|wide|"
                                             "1099511627776|x| 3.14|%s\n");
}

TEST_F(LoggerFile, RotatesAfterTheMessageThatPassesTheLimit)
{
    // Text from an earlier run does not count towards the limit.
    std::ofstream(log_path) << std::string(2 * 1048576, 'o') << "\n";
    ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, log_path, "", 50), 0);

    log_text("a\n");
    log_sized(1048576 - (kPrefixChars + 2)); // exactly at the limit: no rotation yet
    EXPECT_FALSE(exists(rotated(0)));

    log_text("last of the old file\n");
    ASSERT_TRUE(exists(rotated(0)));
    const std::string old_file = readFile(rotated(0));
    EXPECT_EQ(old_file.compare(0, 3, "ooo"), 0);
    EXPECT_EQ(old_file.substr(old_file.size() - 21), "last of the old file\n");
    EXPECT_EQ(readFile(log_path), "");

    log_text("first of the new file\n");
    EXPECT_EQ(readFile(log_path).substr(kPrefixChars), "first of the new file\n");
}

TEST_F(LoggerFile, KeepsFortyNineOlderFiles)
{
    ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, log_path, "", 50), 0);
    for (int i = 0; i < 60; ++i)
        log_sized(1048577, "msg " + std::to_string(i) + " ");

    EXPECT_TRUE(exists(log_path));
    for (int i = 0; i <= 48; ++i)
        EXPECT_TRUE(exists(rotated(i))) << i;
    EXPECT_FALSE(exists(rotated(49)));
    // ui.log_0 is the newest.
    EXPECT_EQ(readFile(rotated(0)).compare(kPrefixChars, 7, "msg 59 "), 0);
    EXPECT_EQ(readFile(rotated(48)).compare(kPrefixChars, 7, "msg 11 "), 0);
}

TEST_F(LoggerFile, FailedRotationKeepsWritingAndReportsOnce)
{
    // A non-empty folder where ui.log_0 should go: neither removed nor replaced.
    ASSERT_EQ(mkdir(rotated(0).c_str(), 0700), 0);
    std::ofstream(rotated(0) + "/keep") << "x";
    ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, log_path, "", 1), 0);

    testing::internal::CaptureStderr();
    log_sized(1048577, "first ");
    log_sized(1048577, "second ");
    log_text("after the failures\n");
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("rotation of " + log_path + " failed"), std::string::npos) << err;
    const std::string text = readFile(log_path);
    EXPECT_NE(text.find("first "), std::string::npos);
    EXPECT_NE(text.find("second "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 19), "after the failures\n");

    // Once the way is clear, rotation works again.
    std::system(("rm -rf '" + rotated(0) + "'").c_str());
    log_sized(1048577, "third ");
    EXPECT_EQ(readFile(rotated(0)).substr(text.size(), kPrefixChars + 6).substr(kPrefixChars), "third ");
    EXPECT_EQ(readFile(log_path), "");
}

TEST_F(LoggerFile, FailedReopenKeepsTheFileUnderItsName)
{
    ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, log_path, "", 2), 0);
    testing::internal::CaptureStderr();
    {
        // Renames still work, but the new file cannot be opened.
        DescriptorExhaustion no_descriptors;
        if (!no_descriptors.limited()) {
            testing::internal::GetCapturedStderr();
            GTEST_SKIP() << "cannot lower the descriptor limit";
        }
        log_sized(1048577, "first ");
        log_sized(1048577, "second ");
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("reopen"), std::string::npos) << err;

    // Both messages are in ui.log; no rotated file took them away.
    const std::string text = readFile(log_path);
    EXPECT_NE(text.find("first "), std::string::npos);
    EXPECT_NE(text.find("second "), std::string::npos);
    EXPECT_FALSE(exists(rotated(0)));
    EXPECT_FALSE(exists(rotated(1)));

    log_sized(1048577, "third ");
    EXPECT_NE(readFile(rotated(0)).find("third "), std::string::npos);
    EXPECT_EQ(readFile(log_path), "");
}

TEST_F(LoggerFile, ConcurrentWritersNeverInterleave)
{
    ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, log_path, "", 50), 0);
    const int kThreads = 8, kEach = 300;
    const int line = __LINE__ + 5;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < kEach; ++i)
                QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] log_test(%d): thread %d message %d %s\n", t, i,
                       "payload");
        });
    for (std::thread& t : threads)
        t.join();

    std::set<std::string> expected, seen;
    for (int t = 0; t < kThreads; ++t)
        for (int i = 0; i < kEach; ++i)
            expected.insert("[WARNING] log_test(" + std::to_string(line) + "): thread " + std::to_string(t) +
                            " message " + std::to_string(i) + " payload");
    std::istringstream lines(readFile(log_path));
    for (std::string text; std::getline(lines, text);) {
        ASSERT_TRUE(has_time_prefix(text)) << text;
        seen.insert(text.substr(kPrefixChars));
    }
    EXPECT_EQ(seen, expected);
}

TEST_F(LoggerFile, OtherSinksAndFailedSetUp)
{
    testing::internal::CaptureStderr();
    // Without a file the messages still reach standard error.
    EXPECT_EQ(Logger::Initialize(Logger::FILE_LOGGER, dir + "/missing/ui.log", "", 50), -1);
    log_text("to stderr\n");
    EXPECT_EQ(Logger::Initialize(Logger::SYSLOG_LOGGER, "", "", 50), 0);
    log_text("no prefix\n");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(has_time_prefix(err)) << err;
    EXPECT_EQ(err.substr(kPrefixChars), "to stderr\nno prefix\n");

    ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, log_path, "", 50), 0);
    Logger::Destroy();
    EXPECT_FALSE(Logger::IsNeedToLog(Logger::L_EMERG, kComponent));
    log_text("after destroy\n");
    EXPECT_EQ(readFile(log_path), "");
}

// Runs in a fresh process, so the logger has never been initialised.
TEST(LoggerBeforeInitialize, ErrorsGoToStandardErrorWithPrefix)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            char tmpl[] = "/tmp/log_test_stderr.XXXXXX";
            const int fd = mkstemp(tmpl);
            dup2(fd, 2);
            const int line = __LINE__ + 1;
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] log_test(%d): early %s\n", "error");
            QM_LOG(Logger::L_INFO, kComponent, L"[INFO] log_test(%d): early info\n");
            const std::string err = readFile(tmpl);
            unlink(tmpl);
            const std::string want = "[ERROR] log_test(" + std::to_string(line) + "): early error\n";
            const bool ok = has_time_prefix(err) && err.substr(kPrefixChars) == want;
            std::_Exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
