#include "dpi_info.h"
#include "style_manager.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DpiInfoTest, ScreenValuesArePositive) {
  DPIinfo::getInstance()->setScaleForTest(0, 0);
  EXPECT_GT(DPIinfo::getInstance()->getDPI(), 0.0);
  EXPECT_GT(DPIinfo::getInstance()->getDPR(), 0.0);
}

TEST(DpiInfoTest, PixelSizesAreScaledAndTruncated) {
  struct Case {
    const char* in;
    double scale;
    const char* want;
  };
  const Case cases[] = {
      {"width: 12px;", 1.25, "width: 15px;"},
      {"margin: 3px;", 1.5, "margin: 4px;"},
      {"margin: 3px;", 1.0, "margin: 3px;"},
      {"border: 1px solid #D7E1EB; height: 28px;", 2.0, "border: 2px solid #D7E1EB; height: 56px;"},
      {"padding: 0px 6px 1px 7px;", 1.25, "padding: 0px 7px 1px 8px;"},
      {"width: 1.5px;", 2.0, "width: 3px;"},
      {"left: -3px;", 1.5, "left: -4px;"},           // the sign stays, the size scales
      {"font-size: 9pt;", 2.0, "font-size: 9pt;"},   // points are left alone
      {"image: url(a12px.png);", 2.0, "image: url(a12px.png);"},  // not a size
      {"QWidget { %1 }", 2.0, "QWidget { %1 }"},
      {"", 2.0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DPIinfo::scaleStyleSheet(c.in, c.scale).toStdString(), c.want) << c.in << " x" << c.scale;
  }
  DPIinfo::getInstance()->setScaleForTest(1.25, 1.0);
  EXPECT_EQ(DPIinfo::getScaledStyleSheet("height: 12px;"), "height: 15px;");
  DPIinfo::getInstance()->setScaleForTest(0, 0);
}

class StyleManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    DPIinfo::getInstance()->setScaleForTest(1.0, 1.0);
  }
  void TearDown() override {
    DPIinfo::getInstance()->setScaleForTest(0, 0);
    StyleManager::getInstance()->initialize({});
    StyleManager::getInstance()->clearMissingNames();
  }
  QString write(const QString& name, const QByteArray& text) {
    const QString path = m_dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    return path;
  }
  QTemporaryDir m_dir;
};

TEST_F(StyleManagerTest, SheetsAreReadByNameAndTheLaterFileWins) {
  const QString first = write("first", "/* comment before the first sheet */\n"
                                       "@sheet shared\nQLabel { color: red; }\n"
                                       "@sheet only_first\nQLabel { margin: 2px; }\n"
                                       "@sheet twice\nold\n@sheet twice\nnew\n");
  const QString second = write("second", "@sheet shared\r\nQLabel { color: blue; }\r\n\r\n"
                                         "@sheet tab\nQWidget {\n%1}\n");
  EXPECT_EQ(StyleManager::getInstance()->initialize({first, second}), 4);
  EXPECT_EQ(getStyleSheet("shared", false), "QLabel { color: blue; }");
  EXPECT_EQ(getStyleSheet(QString("only_first"), false), "QLabel { margin: 2px; }");
  EXPECT_EQ(getStyleSheet("twice"), "new");
  EXPECT_EQ(getStyleSheet("tab").arg("border: 0;"), "QWidget {\nborder: 0;}");
  EXPECT_TRUE(StyleManager::getInstance()->missingNames().isEmpty());
}

TEST_F(StyleManagerTest, PixelSizesAreScaledWhenTheFilesAreRead) {
  const QString path = write("sheets", "@sheet box\nQWidget { width: 12px; }\n");
  DPIinfo::getInstance()->setScaleForTest(1.25, 1.0);
  ASSERT_EQ(StyleManager::getInstance()->initialize({path}), 1);
  DPIinfo::getInstance()->setScaleForTest(2.0, 1.0);  // a later change is not followed
  EXPECT_EQ(getStyleSheet("box", false), "QWidget { width: 15px; }");
  EXPECT_EQ(getStyleSheet("box", true), "QWidget { width: 12px; }");
}

TEST_F(StyleManagerTest, UnknownNamesGiveEmptyTextAndAreRecordedOnce) {
  const QString path = write("sheets", "@sheet known\nQLabel {}\n");
  ASSERT_EQ(StyleManager::getInstance()->initialize({path}), 1);
  EXPECT_EQ(getStyleSheet("unknown", false), "");
  EXPECT_EQ(getStyleSheet("unknown", false), "");
  EXPECT_EQ(getStyleSheet("", false), "");
  EXPECT_EQ(StyleManager::getInstance()->missingNames(), QStringList({"unknown", ""}));
}

TEST_F(StyleManagerTest, AnUnreadableFileIsReportedAndTheOthersStillLoad) {
  const QString path = write("sheets", "@sheet known\nQLabel {}\n");
  EXPECT_EQ(StyleManager::getInstance()->initialize({m_dir.filePath("missing"), path}), -1);
  EXPECT_EQ(getStyleSheet("known"), "QLabel {}");
}

}  // namespace
