// Fills the month and weekday names of the translation files from Qt's own
// locale data (QLocale::standaloneMonthName / standaloneDayName), so those
// texts are translated in every language without a translator's work.
// Every other message is left as it is.
//
// Usage: qm-ts-calendar-names <folder with <code>.ts files>
// The update_translations target runs it after lupdate.

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QLocale>
#include <QMap>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

struct LanguageFile {
  const char* code;
  const char* locale;
};

// The translation files and the locale whose names they take; "enu" is the
// source language and gets none.
const LanguageFile kFiles[] = {
    {"chs", "zh_CN"}, {"cht", "zh_TW"}, {"csy", "cs_CZ"}, {"dan", "da_DK"}, {"deu", "de_DE"},
    {"enu", "en_US"}, {"esn", "es_ES"}, {"fra", "fr_FR"}, {"hun", "hu_HU"}, {"ita", "it_IT"},
    {"jpn", "ja_JP"}, {"krn", "ko_KR"}, {"nld", "nl_NL"}, {"nor", "nb_NO"}, {"plk", "pl_PL"},
    {"ptb", "pt_BR"}, {"ptg", "pt_PT"}, {"rus", "ru_RU"}, {"sve", "sv_SE"}, {"trk", "tr_TR"},
};

// The names stand alone as headings of the date selector ("Dezember 2026",
// a row of weekdays), where languages that write them in lower case inside
// a sentence still begin them with a capital.
QString asHeading(const QLocale& locale, const QString& name) {
  if (name.isEmpty()) {
    return name;
  }
  return locale.toUpper(name.left(1)) + name.mid(1);
}

// English source text -> the same name in locale.
QMap<QString, QString> calendarNames(const QLocale& locale) {
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  QMap<QString, QString> names;
  for (int month = 1; month <= 12; ++month) {
    names.insert(english.standaloneMonthName(month, QLocale::LongFormat),
                 asHeading(locale, locale.standaloneMonthName(month, QLocale::LongFormat)));
  }
  for (int day = 1; day <= 7; ++day) {
    names.insert(english.standaloneDayName(day, QLocale::LongFormat),
                 asHeading(locale, locale.standaloneDayName(day, QLocale::LongFormat)));
  }
  return names;
}

// Returns the number of messages filled, or -1 on an error (reported).
int fillFile(const QString& path, const LanguageFile& lf) {
  QFile in(path);
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s: %s\n", qUtf8Printable(path), qUtf8Printable(in.errorString()));
    return -1;
  }
  QDomDocument doc;
  QString error;
  int line = 0;
  if (!doc.setContent(&in, &error, &line)) {
    std::fprintf(stderr, "%s:%d: %s\n", qUtf8Printable(path), line, qUtf8Printable(error));
    return -1;
  }
  in.close();

  QDomElement ts = doc.documentElement();
  ts.setAttribute(QStringLiteral("language"), QString::fromLatin1(lf.locale));
  ts.setAttribute(QStringLiteral("sourcelanguage"), QStringLiteral("en_US"));
  const bool is_source_language = QString::fromLatin1(lf.code) == QLatin1String("enu");
  const QMap<QString, QString> names = calendarNames(QLocale(QString::fromLatin1(lf.locale)));

  int filled = 0;
  const QDomNodeList messages = doc.elementsByTagName(QStringLiteral("message"));
  for (int i = 0; i < messages.count(); ++i) {
    QDomElement message = messages.at(i).toElement();
    const QString source = message.firstChildElement(QStringLiteral("source")).text();
    if (is_source_language || !names.contains(source)) {
      continue;
    }
    QDomElement translation = message.firstChildElement(QStringLiteral("translation"));
    if (translation.isNull()) {
      translation = doc.createElement(QStringLiteral("translation"));
      message.appendChild(translation);
    }
    while (translation.hasChildNodes()) {
      translation.removeChild(translation.firstChild());
    }
    translation.appendChild(doc.createTextNode(names.value(source)));
    translation.removeAttribute(QStringLiteral("type"));
    ++filled;
  }

  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "cannot write %s: %s\n", qUtf8Printable(path), qUtf8Printable(out.errorString()));
    return -1;
  }
  out.write(doc.toByteArray(4));
  if (!out.commit()) {
    std::fprintf(stderr, "cannot write %s: %s\n", qUtf8Printable(path), qUtf8Printable(out.errorString()));
    return -1;
  }
  return filled;
}

}  // namespace

int main(int argc, char** argv) {
  // A fixed hash seed keeps the order in which the attributes of <TS> are
  // written the same from run to run, so the files change only where a text did.
  qSetGlobalQHashSeed(0);
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <translations folder>\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  int status = 0;
  for (const LanguageFile& lf : kFiles) {
    const QString path = folder.filePath(QString::fromLatin1(lf.code) + QStringLiteral(".ts"));
    const int filled = fillFile(path, lf);
    if (filled < 0) {
      status = 1;
      continue;
    }
    std::printf("%s: %d calendar names\n", qUtf8Printable(path), filled);
  }
  return status;
}
