// The language setting: read once from the system database before the
// upgrade, the list of 20 languages, and how "def" is resolved.
#include <QString>

#include <gtest/gtest.h>

#include "setting/language-setting.h"
#include "startup-sequence.h"
#include "support/temp_dir.h"
#include "system-db.h"
#include "ui_path_manager.h"

namespace {

class LanguageSettingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UIPathManager::getInstance()->setPath("user_data_path", QString::fromStdString(m_dir.path()));
    }
    void storeLanguage(const char* code)
    {
        ASSERT_EQ(SystemDB::initialize(ustring(m_dir.file("sys-db.sqlite"))), 0);
        SystemDB::setConfig(ustring("language"), ustring(code));
        SystemDB::destroy();
    }

    qm_test::TempDir m_dir{"qm-language"};
};

TEST_F(LanguageSettingTest, FreshFolderFollowsTheSystemAndListsTwentyLanguages)
{
    LanguageSetting& setting = LanguageSetting::getInstance();
    EXPECT_EQ(&setting, &LanguageSetting::getInstance());
    EXPECT_EQ(setting.getLanguage(), "def");
    const auto& list = setting.getLanguageList();
    ASSERT_EQ(list.size(), 20);
    EXPECT_EQ(list.front().first, "chs");
    EXPECT_EQ(list[4], LanguageSetting::pair_t("deu", "Deutsch"));
    EXPECT_EQ(list.back(), LanguageSetting::pair_t("trk", QString::fromUtf8("Türkçe")));
}

TEST_F(LanguageSettingTest, StoredCodeIsReadAndTheDatabaseClosedAgain)
{
    storeLanguage("deu");
    EXPECT_EQ(LanguageSetting::getInstance().getLanguage(), "deu");
    // Closed again: a getConfig now has no database to read.
    ustring value;
    EXPECT_LT(SystemDB::getConfig(ustring("language"), value), 0);
}

TEST_F(LanguageSettingTest, UnknownCodeIsKept)
{
    storeLanguage("xyz");
    EXPECT_EQ(LanguageSetting::getInstance().getLanguage(), "xyz");
    EXPECT_EQ(StartupSequence::resolveLanguage("xyz"), "xyz");
}

TEST_F(LanguageSettingTest, SetLanguageStoresInTheOpenDatabase)
{
    LanguageSetting& setting = LanguageSetting::getInstance();
    ASSERT_EQ(SystemDB::initialize(ustring(m_dir.file("sys-db.sqlite"))), 0);
    setting.setLanguage("fra");
    ustring value;
    EXPECT_EQ(SystemDB::getConfig(ustring("language"), value), 0);
    EXPECT_STREQ(value.c_str_utf8(), "fra");
    SystemDB::destroy();
    EXPECT_EQ(setting.getLanguage(), "fra");
}

TEST(LanguageResolve, DefFollowsLangAndOtherCodesStay)
{
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_EQ(StartupSequence::resolveLanguage("def"), "deu");
    EXPECT_EQ(StartupSequence::resolveLanguage("Def"), "Def") << "compared case-sensitively";
    setenv("LANG", "fr_FR.UTF-8", 1);
    EXPECT_EQ(StartupSequence::resolveLanguage("def"), "fra");
    EXPECT_EQ(StartupSequence::resolveLanguage("jpn"), "jpn");
}

TEST(LanguageComponentStrings, EnglishTablePagingTextsCarryFive)
{
    const QMap<QString, QString> strings = StartupSequence::buildComponentStrings();
    EXPECT_EQ(strings.size(), 26);
    EXPECT_EQ(strings.value("prev_5_pages"), "Previous 5 pages");
    EXPECT_EQ(strings.value("next_5_pages"), "Next 5 pages");
    EXPECT_EQ(strings.value("wednesday"), "Wednesday");
    EXPECT_EQ(strings.value("ok"), "OK");
}

}  // namespace
