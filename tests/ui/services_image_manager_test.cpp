#include "dpi_info.h"
#include "image_manager.h"
#include "ui_path_manager.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A resource folder with a few images made here, set as the program's.
class ImageManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    m_images = m_dir.path() + "/resource/images";
    ASSERT_TRUE(QDir().mkpath(m_images + "/sub"));
    UIPathManager::getInstance()->setPath("resource_path", m_dir.path() + "/resource/");
    DPIinfo::getInstance()->setScaleForTest(1.0, 1.0);
  }
  void TearDown() override {
    DPIinfo::getInstance()->setScaleForTest(0, 0);
    ImageManager::getInstance()->clearMissingNames();
  }

  void write(const QString& name, QColor colour, int edge = 8) {
    QImage img(edge, edge, QImage::Format_ARGB32);
    img.fill(colour);
    ASSERT_TRUE(img.save(m_images + "/" + name, "PNG")) << name.toStdString();
  }
  void start() {
    ASSERT_EQ(ImageManager::getInstance()->initialize(0), 0);
    ImageManager::getInstance()->clearMissingNames();
  }
  static QRgb centre(const QPixmap& pm) {
    const QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    return img.pixel(img.width() / 2, img.height() / 2);
  }

  QTemporaryDir m_dir;
  QString m_images;
};

TEST_F(ImageManagerTest, ImageFolderIsTheResourceFolderWithoutTrailingSlash) {
  start();
  EXPECT_EQ(ImageManager::getInstance()->getImageFolder(), QDir::cleanPath(m_images));
  EXPECT_FALSE(ImageManager::getInstance()->getImageFolder().endsWith('/'));
}

TEST_F(ImageManagerTest, InitializeReportsAMissingFolder) {
  UIPathManager::getInstance()->setPath("resource_path", m_dir.path() + "/nowhere");
  EXPECT_EQ(ImageManager::getInstance()->initialize(0), -1);
}

TEST_F(ImageManagerTest, StateImagesFallBackToTheNormalOneAndDisabledIsGreyed) {
  write("a.png", Qt::red);
  write("a_hover.png", Qt::green);
  write("b.png", Qt::red);
  write("b_disable.png", Qt::blue);
  start();

  struct Case {
    const char* name;
    int type;
    QRgb want;
  };
  const Case cases[] = {
      {"a", ImageManager::IT_NORMAL, qRgba(255, 0, 0, 255)},
      {"a", ImageManager::IT_HOVER, qRgba(0, 255, 0, 255)},
      {"a", ImageManager::IT_CLICK, qRgba(255, 0, 0, 255)},    // no a_click.png
      {"a", ImageManager::IT_DISABLE, qRgba(87, 87, 87, 127)},  // red greyed, half transparent
      {"b", ImageManager::IT_DISABLE, qRgba(0, 0, 255, 255)},   // its own disabled image
      {"a", 7, qRgba(255, 0, 0, 255)},                          // an unknown state: the normal one
  };
  for (const Case& c : cases) {
    const QPixmap pm = getGlobalImage(c.name, c.type);
    ASSERT_FALSE(pm.isNull()) << c.name << " " << c.type;
    const QRgb got = centre(pm);
    EXPECT_NEAR(qRed(got), qRed(c.want), 1) << c.name << " " << c.type;
    EXPECT_NEAR(qGreen(got), qGreen(c.want), 1) << c.name << " " << c.type;
    EXPECT_NEAR(qBlue(got), qBlue(c.want), 1) << c.name << " " << c.type;
    EXPECT_NEAR(qAlpha(got), qAlpha(c.want), 1) << c.name << " " << c.type;
  }
  EXPECT_TRUE(ImageManager::getInstance()->missingNames().isEmpty());
}

TEST_F(ImageManagerTest, BothOverloadsTakeAnIntOrAnImageType) {
  write("c.png", Qt::red);
  start();
  EXPECT_FALSE(getGlobalImage("c", 0).isNull());
  EXPECT_FALSE(getGlobalImage(QString("c"), ImageManager::IT_NORMAL).isNull());
  EXPECT_FALSE(getGlobalImage(QStringLiteral("c"), ImageManager::IT_HOVER).isNull());
}

TEST_F(ImageManagerTest, DoubleSizeImageIsUsedAtPixelRatioTwo) {
  write("d.png", Qt::red, 8);
  write("d@2x.png", Qt::green, 16);
  write("e.png", Qt::red, 8);  // no @2x
  write("d_hover@2x.png", Qt::blue, 16);  // no 1x hover
  start();

  const QPixmap normal = getGlobalImage("d", 0);
  EXPECT_EQ(normal.size(), QSize(8, 8));
  EXPECT_EQ(normal.devicePixelRatio(), 1.0);

  DPIinfo::getInstance()->setScaleForTest(2.0, 2.0);
  const QPixmap hi = getGlobalImage("d", 0);
  EXPECT_EQ(hi.size(), QSize(16, 16));
  EXPECT_EQ(hi.devicePixelRatio(), 2.0);
  EXPECT_EQ(QColor(centre(hi)), QColor(Qt::green));
  EXPECT_EQ(QColor(centre(getGlobalImage("d", ImageManager::IT_HOVER))), QColor(Qt::blue));

  const QPixmap only_1x = getGlobalImage("e", 0);
  EXPECT_EQ(only_1x.size(), QSize(8, 8));
  EXPECT_EQ(only_1x.devicePixelRatio(), 1.0);
  // Greying keeps the ratio of the image it greys.
  EXPECT_EQ(getGlobalImage("d", ImageManager::IT_DISABLE).devicePixelRatio(), 2.0);
}

TEST_F(ImageManagerTest, SubFoldersAreAllowed) {
  write("sub/f.png", Qt::red);
  start();
  EXPECT_FALSE(getGlobalImage("sub/f", 0).isNull());
}

TEST_F(ImageManagerTest, UnknownAndHostileNamesGiveNothingAndAreRecordedOnce) {
  write("g.png", Qt::red);
  start();
  // A file outside the image folder that a name might try to reach.
  QImage outside(4, 4, QImage::Format_ARGB32);
  outside.fill(Qt::red);
  ASSERT_TRUE(outside.save(m_dir.path() + "/resource/secret.png"));

  const QStringList names = {"nope", "../secret", "/etc/passwd", "sub/../g", "a\\b", "", "C:/x"};
  for (const QString& name : names) {
    EXPECT_TRUE(getGlobalImage(name, 0).isNull()) << name.toStdString();
    EXPECT_TRUE(getGlobalImage(name, ImageManager::IT_HOVER).isNull()) << name.toStdString();
  }
  EXPECT_EQ(ImageManager::getInstance()->missingNames(), names);
}
}  // namespace
