// Display texts that use the string table, and file-type icons from a
// temporary image folder under an offscreen QGuiApplication.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <memory>

#include "dpi_info.h"
#include "file-type-icon.h"
#include "file_type_map.h"
#include "image_manager.h"
#include "site-display.h"
#include "str_table.h"
#include "support/temp_dir.h"
#include "ui_path_manager.h"

namespace {

TEST(SiteDurationTest, DaysAndClockTime)
{
    const QString day = StrTable::LoadStr(StrTable::days);
    EXPECT_EQ(day, "day(s)");
    EXPECT_EQ(getHumanReadableDuration(0), "00:00:00");
    EXPECT_EQ(getHumanReadableDuration(86399), "23:59:59");
    EXPECT_EQ(getHumanReadableDuration(86400), "1 " + day + " 00:00:00");
    EXPECT_EQ(getHumanReadableDuration(86400 + 3661), "1 " + day + " 01:01:01");
    EXPECT_EQ(getHumanReadableDuration(100 * 86400 + 59), "100 " + day + " 00:00:59");
    EXPECT_EQ(getHumanReadableDuration(-1), "");
}

class FileTypeIconTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "site_texts_icons_test";
        static char* argv[] = {name, nullptr};
        s_app = new QGuiApplication(argc, argv);
        s_dir = new qm_test::TempDir("qm-site-icons");
        const QString images = QString::fromStdString(s_dir->file("images"));
        // 64-pixel and 256-pixel pictures of distinct colours per file.
        writeImage(images + "/filetype/64/pdf.png", 64, Qt::red);
        writeImage(images + "/filetype/64/xxx.png", 64, Qt::gray);
        writeImage(images + "/filetype/64/folder.png", 64, Qt::yellow);
        writeImage(images + "/filetype/256/pdf.png", 256, Qt::darkRed);
        writeImage(images + "/files.png", 128, Qt::blue);
        UIPathManager::getInstance()->setPath("resource_path", QString::fromStdString(s_dir->path()));
        ASSERT_EQ(ImageManager::getInstance()->initialize(0), 0);
        DPIinfo::getInstance()->setScaleForTest(1.5, 2.0);
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        delete s_app;
    }
    static void writeImage(const QString& path, int edge, Qt::GlobalColor colour)
    {
        QDir().mkpath(QFileInfo(path).path());
        QImage image(edge, edge, QImage::Format_ARGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(path));
    }
    static QColor centre(const QPixmap& pixmap)
    {
        const QImage image = pixmap.toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }

    static QGuiApplication* s_app;
    static qm_test::TempDir* s_dir;
};

QGuiApplication* FileTypeIconTest::s_app = nullptr;
qm_test::TempDir* FileTypeIconTest::s_dir = nullptr;

TEST_F(FileTypeIconTest, TypesIconsSizesAndTheCache)
{
    const QString file_text = StrTable::LoadStr(StrTable::file);
    QString type;
    QPixmap img;

    // "PDF File": the type keeps the extension's case; the icon is the table's.
    getFileTypeIcon("Report.PDF", false, false, false, type, img);
    EXPECT_EQ(type, "PDF " + file_text);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 48);  // 16 points x scale 1.5 x ratio 2
    EXPECT_DOUBLE_EQ(img.devicePixelRatio(), 2.0);
    EXPECT_EQ(centre(img), QColor(Qt::red));
    const int cached = fileTypeIconCacheSize();

    // A cache hit: the same picture, no new entry.
    QPixmap again;
    getFileTypeIcon("other.pdf", false, false, false, type, again);
    EXPECT_EQ(again.cacheKey(), img.cacheKey());
    EXPECT_EQ(fileTypeIconCacheSize(), cached);

    // big_img reads the other size folder and makes an entry of its own.
    QPixmap big;
    getFileTypeIcon("Report.PDF", false, false, true, type, big);
    EXPECT_EQ(big.width(), 192);  // 64 x 1.5 x 2
    EXPECT_EQ(centre(big), QColor(Qt::darkRed));
    EXPECT_EQ(fileTypeIconCacheSize(), cached + 1);

    // Several items: files.png, the type as chosen before.
    QPixmap multi;
    getFileTypeIcon("Report.PDF", false, true, false, type, multi);
    EXPECT_EQ(type, "PDF " + file_text);
    EXPECT_EQ(centre(multi), QColor(Qt::blue));

    // Folders, and names without a dot.
    QPixmap folder;
    getFileTypeIcon("x.pdf", true, false, false, type, folder);
    EXPECT_EQ(type, StrTable::LoadStr(StrTable::folder));
    EXPECT_EQ(centre(folder), QColor(Qt::yellow));
    QPixmap plain;
    getFileTypeIcon("Makefile", false, false, false, type, plain);
    EXPECT_EQ(type, file_text);
    EXPECT_EQ(centre(plain), QColor(Qt::gray));
}

TEST_F(FileTypeIconTest, MissingIconIsCachedEmptyAndExtensionsNeverNameFiles)
{
    QString type;
    QPixmap img;
    // The table names an icon for doc files, but this folder has no picture of it.
    const QString doc_icon = FileTypeMap::getInstance()->getFiletypeMapping("doc", false);
    ASSERT_NE(doc_icon, "xxx.png");
    getFileTypeIcon("letter.doc", false, false, false, type, img);
    EXPECT_TRUE(img.isNull());
    const int cached = fileTypeIconCacheSize();
    const QString missing = QString::fromStdString(s_dir->file("images/filetype/64/")) + doc_icon;
    writeImage(missing, 64, Qt::green);
    getFileTypeIcon("letter.doc", false, false, false, type, img);
    EXPECT_TRUE(img.isNull());  // not tried again
    EXPECT_EQ(fileTypeIconCacheSize(), cached);

    // Any number of unknown or hostile extensions share the table's fallback.
    getFileTypeIcon("seed.zz0", false, false, false, type, img);
    const int after_first = fileTypeIconCacheSize();
    for (const char* name : {"a.zz1", "b.zz2", "c.../../../etc/passwd", "d.png/..", "e.%s%s"})
        getFileTypeIcon(name, false, false, false, type, img);
    EXPECT_EQ(fileTypeIconCacheSize(), after_first);
}

}  // namespace
