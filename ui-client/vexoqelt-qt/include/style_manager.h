#pragma once

#include <QMap>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QStringList>

// Named style sheets read from style-sheet files. A file holds sections, each
// starting with a line "@sheet <name>"; the lines up to the next such line are
// that sheet. Text before the first section is a comment. Pixel sizes are
// scaled by the display scale when the files are read. A name found again,
// in the same or a later file, replaces the earlier sheet.
class StyleManager {
public:
  static StyleManager* getInstance();

  // Forgets every sheet and reads files in order. Returns the number of
  // sheets, or -1 when a file could not be read (the others are still read).
  int initialize(const QStringList& files);

  // The sheet registered under name; "" (and recorded in missingNames()) when
  // there is none. unscaled: the text as written in the file.
  QString getSheet(const QString& name, bool unscaled = false);
  // Every registered name.
  QStringList sheetNames() const;

  // Names asked for that have no sheet, in the order first asked.
  QStringList missingNames() const;
  void clearMissingNames();

  StyleManager(const StyleManager&) = delete;
  StyleManager& operator=(const StyleManager&) = delete;

private:
  StyleManager() = default;

  mutable QMutex m_mutex;
  QMap<QString, QString> m_sheets;      // scaled
  QMap<QString, QString> m_raw_sheets;  // as written
  QStringList m_missing;
  QSet<QString> m_missing_set;
};

// The style sheet registered under name (see StyleManager::getSheet).
QString getStyleSheet(const char* name, bool unscaled = false);
QString getStyleSheet(const QString& name, bool unscaled = false);
