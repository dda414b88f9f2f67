#include "file_type_map.h"

#include <gtest/gtest.h>

namespace {

TEST(FileTypeMapTest, ExtensionsMapToTheTablesIconsWhateverTheirCase) {
  struct Case {
    const char* ext;
    const char* icon;
  };
  const Case cases[] = {
      {"pdf", "pdf.png"},     {"PDF", "pdf.png"},     {"Pdf", "pdf.png"},     {"docx", "doc.png"},
      {"XLSX", "xls.png"},    {"ppt", "ppt.png"},     {"jpg", "image.png"},   {"JPEG", "image.png"},
      {"mp3", "audio.png"},   {"mkv", "video.png"},   {"zip", "archive.png"}, {"tar", "archive.png"},
      {"html", "html.png"},   {"cpp", "code.png"},    {"exe", "exe.png"},     {"ttf", "font.png"},
      {"iso", "disc.png"},    {"pem", "cert.png"},    {"txt", "txt.png"},
      // Unknown, empty and hostile extensions get the fallback, never themselves.
      {"", "xxx.png"},        {"unknownext", "xxx.png"}, {"png/../../x", "xxx.png"},
      {"../../etc/passwd", "xxx.png"}, {".pdf", "xxx.png"}, {"pdf ", "xxx.png"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileTypeMap::getInstance()->getFiletypeMapping(c.ext, false).toStdString(), c.icon) << c.ext;
  }
}

TEST(FileTypeMapTest, FolderFlagGivesTheFolderIcon) {
  EXPECT_EQ(FileTypeMap::getInstance()->getFiletypeMapping("pdf", true), "folder.png");
}

TEST(FileTypeMapTest, OnlyNamesOfTheTableComeBack) {
  const QStringList icons = FileTypeMap::getInstance()->iconNames();
  EXPECT_TRUE(icons.contains("xxx.png"));
  EXPECT_TRUE(icons.contains("folder.png"));
  for (const QString& ext : {QString("a/b"), QString("<img src=x>"), QString(5000, 'z'), QString("PDF")}) {
    EXPECT_TRUE(icons.contains(FileTypeMap::getInstance()->getFiletypeMapping(ext, false))) << ext.toStdString();
  }
}

}  // namespace
