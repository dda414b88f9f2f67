#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// The interface language that follows the system, as one of the 20 language
// codes the client offers ("chs", "cht", "csy", ..., "trk"); "enu" otherwise.
class VexoLocale {
public:
  static VexoLocale* getInstance();

  // The code for the environment's message locale (LC_ALL, LC_MESSAGES,
  // LANG, first one set), else for the system locale.
  QString getDefaultLanguage() const;

  // The code for a POSIX locale name such as "de_DE.UTF-8" or "zh_TW".
  static QString languageCodeForName(const QString& posix_name);
  // The code for a locale.
  static QString languageCodeFor(const QLocale& locale);
  // The 20 codes, in the order the settings page lists them.
  static QStringList supportedCodes();

  VexoLocale(const VexoLocale&) = delete;
  VexoLocale& operator=(const VexoLocale&) = delete;

private:
  VexoLocale() = default;
};
