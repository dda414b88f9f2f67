#include "vexo_locale.h"

#include <QtGlobal>

namespace {

// Languages with one code whatever the country or script.
struct LanguageCode {
  QLocale::Language language;
  const char* code;
};

const LanguageCode kSimpleCodes[] = {
    {QLocale::Czech, "csy"},     {QLocale::Danish, "dan"},         {QLocale::German, "deu"},
    {QLocale::English, "enu"},   {QLocale::Spanish, "esn"},        {QLocale::French, "fra"},
    {QLocale::Hungarian, "hun"}, {QLocale::Italian, "ita"},        {QLocale::Japanese, "jpn"},
    {QLocale::Korean, "krn"},    {QLocale::Dutch, "nld"},          {QLocale::NorwegianBokmal, "nor"},
    {QLocale::NorwegianNynorsk, "nor"}, {QLocale::Polish, "plk"},  {QLocale::Russian, "rus"},
    {QLocale::Swedish, "sve"},   {QLocale::Turkish, "trk"},
};

const char* const kCodes[] = {"chs", "cht", "csy", "dan", "deu", "enu", "esn", "fra", "hun", "ita",
                              "jpn", "krn", "nld", "nor", "plk", "ptb", "ptg", "rus", "sve", "trk"};

// "de_DE.UTF-8@euro" -> "de_DE"; "C" and "POSIX" stay as they are.
QString stripEncoding(const QString& posix_name) {
  QString name = posix_name.trimmed();
  const int at = name.indexOf(QLatin1Char('@'));
  if (at >= 0) {
    name.truncate(at);
  }
  const int dot = name.indexOf(QLatin1Char('.'));
  if (dot >= 0) {
    name.truncate(dot);
  }
  return name;
}

}  // namespace

VexoLocale* VexoLocale::getInstance() {
  static VexoLocale instance;
  return &instance;
}

QString VexoLocale::getDefaultLanguage() const {
  // The message locale as the C library chooses it: the first one set wins.
  for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const QString value = qEnvironmentVariable(var);
    if (!value.isEmpty()) {
      return languageCodeForName(value);
    }
  }
  return languageCodeFor(QLocale::system());
}

QString VexoLocale::languageCodeForName(const QString& posix_name) {
  const QString name = stripEncoding(posix_name);
  if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX")) {
    return QStringLiteral("enu");
  }
  // "nb"/"nn"/"no" and the plain "zh" forms need no country to be told apart.
  const QString lang = name.section(QLatin1Char('_'), 0, 0).toLower();
  if (lang == QLatin1String("no")) {
    return QStringLiteral("nor");
  }
  const QLocale locale(name);
  if (locale.language() == QLocale::C) {
    return QStringLiteral("enu");  // a name Qt does not know
  }
  return languageCodeFor(locale);
}

QString VexoLocale::languageCodeFor(const QLocale& locale) {
  switch (locale.language()) {
    case QLocale::Chinese: {
      if (locale.script() == QLocale::TraditionalChineseScript) {
        return QStringLiteral("cht");
      }
      if (locale.script() == QLocale::SimplifiedChineseScript) {
        return QStringLiteral("chs");
      }
      const QLocale::Country country = locale.country();
      const bool traditional =
          country == QLocale::Taiwan || country == QLocale::HongKong || country == QLocale::Macau;
      return traditional ? QStringLiteral("cht") : QStringLiteral("chs");
    }
    case QLocale::Portuguese:
      return locale.country() == QLocale::Brazil ? QStringLiteral("ptb") : QStringLiteral("ptg");
    default:
      break;
  }
  for (const LanguageCode& lc : kSimpleCodes) {
    if (lc.language == locale.language()) {
      return QString::fromLatin1(lc.code);
    }
  }
  return QStringLiteral("enu");
}

QStringList VexoLocale::supportedCodes() {
  QStringList out;
  for (const char* code : kCodes) {
    out << QString::fromLatin1(code);
  }
  return out;
}
