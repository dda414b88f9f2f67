#include "component_strings.h"
#include "ui_path_manager.h"

#include <gtest/gtest.h>

namespace {

TEST(ComponentStringsTest, TheTwentySixKeysHaveEnglishTexts) {
  const QStringList keys = ComponentStrings::keys();
  ASSERT_EQ(keys.size(), 26);
  EXPECT_EQ(ComponentStrings::englishString("month_jan"), "January");
  EXPECT_EQ(ComponentStrings::englishString("sunday"), "Sunday");
  EXPECT_EQ(ComponentStrings::englishString("ok"), "OK");
  EXPECT_EQ(ComponentStrings::englishString("prev_5_pages"), "Previous 5 pages");
  EXPECT_EQ(ComponentStrings::englishString("next_5_pages"), "Next 5 pages");
  for (const QString& key : keys) {
    EXPECT_FALSE(ComponentStrings::englishString(key).isEmpty()) << key.toStdString();
  }
}

TEST(ComponentStringsTest, InstalledTextsWinAndMissingOnesAreEnglish) {
  ComponentStrings* strings = ComponentStrings::getInstance();
  strings->installStrings({{"month_jan", "Januar"}, {"ok", ""}, {"not_a_key", "x"}});
  EXPECT_EQ(strings->getString("month_jan"), "Januar");
  EXPECT_EQ(strings->getString("ok"), "OK");          // an empty text counts as missing
  EXPECT_EQ(strings->getString("today"), "Today");    // not installed
  EXPECT_EQ(strings->getString("not_a_key"), "");
  strings->installStrings({});
  EXPECT_EQ(strings->getString("month_jan"), "January");
}

TEST(UIPathManagerTest, GetPathReturnsWhatWasStored) {
  UIPathManager* paths = UIPathManager::getInstance();
  paths->setPath("log_path", "/a/log");
  EXPECT_EQ(paths->getPath("log_path"), "/a/log");
  paths->setPath("log_path", "/b/log");
  EXPECT_EQ(paths->getPath("log_path"), "/b/log");
  EXPECT_EQ(paths->getPath("never_set"), "");
}

}  // namespace
