// The settings file "config": first start, quoting, unknown keys, and the
// store shared by the peer-monitor and GUI threads. Each test is a process
// of its own, so each gets a fresh singleton.
#include <QString>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>
#include <vector>

#include "config-manager.h"
#include "support/temp_dir.h"
#include "ui_path_manager.h"

namespace {

class ConfigManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UIPathManager::getInstance()->setPath("user_data_path", QString::fromStdString(m_dir.path()));
    }
    std::string configText() const { return qm_test::readFile(m_dir.file("config")); }

    qm_test::TempDir m_dir{"qm-config"};
};

TEST_F(ConfigManagerTest, FirstStartWritesAutomaticConnectMethod)
{
    ConfigManager* config = ConfigManager::getInstance();
    EXPECT_EQ(configText(), "connect_method=\"auto\"\n");
    EXPECT_EQ(config->getValue("connect_method"), "auto");
}

TEST_F(ConfigManagerTest, ExistingFileIsReadAndNotRewritten)
{
    ASSERT_TRUE(qm_test::writeFile(m_dir.file("config"), "connect_method=tcp\n"));
    EXPECT_EQ(ConfigManager::getInstance()->getValue("connect_method"), "tcp");
    EXPECT_EQ(configText(), "connect_method=tcp\n");
}

TEST_F(ConfigManagerTest, QuotingAndUnknownKeys)
{
    ConfigManager* config = ConfigManager::getInstance();
    EXPECT_EQ(config->getValue("never_set"), "");
    config->setValue("label", "say \"hi\"");
    EXPECT_EQ(configText(), "connect_method=\"auto\"\nlabel='say \"hi\"'\nnever_set=\"\"\n")
        << "a double quote gives single quotes; the unknown key read earlier is written empty";
    EXPECT_EQ(config->getValue("label"), "say \"hi\"");
}

TEST_F(ConfigManagerTest, ChangeReplacesTheFileWhole)
{
    ConfigManager* config = ConfigManager::getInstance();
    const std::string path = m_dir.file("config");
    struct stat before;
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    const int old_fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(old_fd, 0);
    config->setValue("connect_method", "udp");
    struct stat after;
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
    char old_text[64] = {};
    ASSERT_GT(::pread(old_fd, old_text, sizeof(old_text) - 1, 0), 0);
    ::close(old_fd);
    EXPECT_STREQ(old_text, "connect_method=\"auto\"\n") << "a reader of the old file sees it whole";
    EXPECT_EQ(configText(), "connect_method=\"udp\"\n");
}

TEST_F(ConfigManagerTest, ReadsAndWritesFromTwoThreads)
{
    ConfigManager* config = ConfigManager::getInstance();
    std::atomic<bool> stop{false};
    // The peer-monitor thread reads (and inserts unknown keys) while the GUI
    // thread writes.
    std::thread reader([&] {
        int round = 0;
        while (!stop.load()) {
            const QString method = config->getValue("connect_method");
            EXPECT_TRUE(method == "auto" || method == "tcp" || method == "udp") << method.toStdString();
            config->getValue(QString("probe_%1").arg(round++ % 50));
        }
    });
    const char* methods[] = {"tcp", "udp", "auto"};
    for (int i = 0; i < 300; ++i)
        config->setValue("connect_method", methods[i % 3]);
    stop = true;
    reader.join();
    EXPECT_EQ(config->getValue("connect_method"), "auto");
    EXPECT_EQ(configText().rfind("connect_method=\"auto\"\n", 0), 0u);
}

}  // namespace
