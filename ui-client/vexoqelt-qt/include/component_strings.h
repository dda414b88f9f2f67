#pragma once

#include <QMap>
#include <QMutex>
#include <QString>
#include <QStringList>

// The texts the library's own widgets show (calendar names, paging buttons,
// Ok and Cancel), by key. Start-up installs the translated texts; a key that
// was not installed gives its English text.
class ComponentStrings {
public:
  static ComponentStrings* getInstance();

  // Replaces the installed texts by map; keys outside keys() are ignored.
  void installStrings(const QMap<QString, QString>& map);
  // The installed text of key, else its English text, else "".
  QString getString(const QString& key) const;

  // The 26 keys, in the order: today, months, weekdays (Sunday first), ok,
  // cancel, first_page, last_page, prev_5_pages, next_5_pages.
  static QStringList keys();
  // The English text of key, or "".
  static QString englishString(const QString& key);

  ComponentStrings(const ComponentStrings&) = delete;
  ComponentStrings& operator=(const ComponentStrings&) = delete;

private:
  ComponentStrings() = default;

  mutable QMutex m_mutex;
  QMap<QString, QString> m_strings;
};
