#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Extension to file-type icon: the name of an icon file (with ".png") in the
// "filetype/64" and "filetype/256" image folders. Only names of its own table
// come back, never the extension itself.
class FileTypeMap {
public:
  static FileTypeMap* getInstance();

  // The icon file for ext (without the dot, any case); "xxx.png" for an
  // unknown or empty extension; "folder.png" when is_folder is set.
  QString getFiletypeMapping(const QString& ext, bool is_folder) const;

  // Every icon file name the table can return, "folder.png" and "xxx.png"
  // included.
  QStringList iconNames() const;

  FileTypeMap(const FileTypeMap&) = delete;
  FileTypeMap& operator=(const FileTypeMap&) = delete;

private:
  FileTypeMap();

  QHash<QString, QString> m_map;  // lower-case extension -> icon file; read-only after construction
};
