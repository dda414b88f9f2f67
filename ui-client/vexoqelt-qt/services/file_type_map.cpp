#include "file_type_map.h"

#include <QSet>

namespace {

struct Category {
  const char* icon;
  const char* extensions;  // blank-separated, lower case
};

// One icon per kind of file; an extension not listed gets "xxx.png".
const Category kCategories[] = {
    {"txt.png", "txt text log md markdown ini cfg conf nfo readme"},
    {"doc.png", "doc docx docm dot dotx odt rtf wpd pages"},
    {"xls.png", "xls xlsx xlsm xlt xltx ods csv tsv numbers"},
    {"ppt.png", "ppt pptx pptm pps ppsx pot potx odp key"},
    {"pdf.png", "pdf"},
    {"image.png", "jpg jpeg jpe png gif bmp tif tiff svg webp ico heic heif psd raw cr2 nef dng xcf"},
    {"audio.png", "mp3 wav flac aac ogg oga opus m4a wma aif aiff mid midi ape"},
    {"video.png", "mp4 m4v avi mkv mov wmv mpg mpeg flv webm 3gp ts m2ts vob rm rmvb"},
    {"archive.png", "zip rar 7z tar gz tgz bz2 tbz xz txz lz4 zst cab arj lzh"},
    {"html.png", "htm html xhtml mht mhtml css"},
    {"code.png", "c cc cpp cxx h hh hpp hxx py js ts java sh bash pl rb go rs php cs json xml yml yaml sql bat cmd ps1 lua swift kt"},
    {"exe.png", "exe msi com dll so bin app apk deb rpm jar"},
    {"font.png", "ttf otf woff woff2 fon ttc"},
    {"disc.png", "iso img dmg vhd vmdk"},
    {"cert.png", "crt cer pem der p12 pfx csr"},
};

const QString kUnknownIcon = QStringLiteral("xxx.png");
const QString kFolderIcon = QStringLiteral("folder.png");

}  // namespace

FileTypeMap* FileTypeMap::getInstance() {
  static FileTypeMap instance;
  return &instance;
}

FileTypeMap::FileTypeMap() {
  for (const Category& c : kCategories) {
    const QString icon = QString::fromLatin1(c.icon);
    const QStringList exts = QString::fromLatin1(c.extensions).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& ext : exts) {
      m_map.insert(ext, icon);
    }
  }
}

QString FileTypeMap::getFiletypeMapping(const QString& ext, bool is_folder) const {
  if (is_folder) {
    return kFolderIcon;
  }
  // Only the table's own names come back, so a hostile extension never
  // reaches a file path.
  return m_map.value(ext.toLower(), kUnknownIcon);
}

QStringList FileTypeMap::iconNames() const {
  QStringList out;
  for (const Category& c : kCategories) {
    out << QString::fromLatin1(c.icon);
  }
  out << kFolderIcon << kUnknownIcon;
  return out;
}
