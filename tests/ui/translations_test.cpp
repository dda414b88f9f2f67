// The translation files of the 20 interface languages: every text of the
// program is there and finished, each translation keeps what the program
// fills in or acts on (placeholders, escapes, markup, no-break spaces), and
// the compiled file in the program gives the translated texts through the
// string table. One row per language, so a run shows which are complete.
#include "str_table.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>

#include <map>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace {

// (context, source) of one message.
using MessageKey = std::pair<QString, QString>;

struct Message {
  QString translation;
  bool finished = false;
};

std::map<MessageKey, Message> readTs(const QString& path, QString& error) {
  std::map<MessageKey, Message> out;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    error = path + ": " + f.errorString();
    return out;
  }
  QXmlStreamReader xml(&f);
  QString context;
  QString source;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) {
      continue;
    }
    if (xml.name() == QLatin1String("name")) {
      context = xml.readElementText();
    } else if (xml.name() == QLatin1String("source")) {
      source = xml.readElementText();
    } else if (xml.name() == QLatin1String("translation")) {
      const QStringRef type = xml.attributes().value("type");
      Message m;
      m.finished = type.isEmpty();
      m.translation = xml.readElementText();
      out[{context, source}] = m;
    }
  }
  if (xml.hasError()) {
    error = path + ": " + xml.errorString();
  }
  return out;
}

QString tsPath(const QString& code) {
  return QStringLiteral(QM_TRANSLATIONS_DIR "/%1.ts").arg(code);
}

// What a translation must carry over from its source, in order of
// appearance within each kind: numbered placeholders, the escapes the string
// table turns into a line feed or a tab, markup tags, and no-break spaces
// (the tool tips that end in one are followed by more text).
QStringList carried(const QString& text) {
  static const QRegularExpression kinds[] = {
      QRegularExpression(QStringLiteral("%\\d+")),
      QRegularExpression(QStringLiteral("\\\\[nt]")),
      QRegularExpression(QStringLiteral("<[^<>]*>")),
      QRegularExpression(QStringLiteral("\\x{00A0}")),
  };
  QStringList out;
  for (const QRegularExpression& kind : kinds) {
    QStringList found;
    auto it = kind.globalMatch(text);
    while (it.hasNext()) {
      found << it.next().captured();
    }
    found.sort();  // a language may need the placeholders in another order
    out << found.join(QLatin1Char(' '));
  }
  return out;
}

std::string show(const MessageKey& key) {
  return (key.first + " / " + key.second).toStdString();
}

class LanguageFile : public ::testing::TestWithParam<const char*> {
protected:
  QString code() const { return QString::fromLatin1(GetParam()); }
};

TEST_P(LanguageFile, HoldsEveryTextOfTheProgramFinished) {
  QString error;
  const auto source = readTs(tsPath(QStringLiteral("enu")), error);
  const auto messages = readTs(tsPath(code()), error);
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();

  // The English file is the list of texts: the string table's and the few
  // shown by windows that do not use it.
  QSet<QString> table;
  for (int id = StrTable::kFirstStrID; id <= StrTable::kLastStrID; ++id) {
    if (id != 30) {
      table.insert(StrTable::LoadStr(id));  // no translator installed: the source texts
    }
  }
  QSet<QString> global;
  for (const auto& m : source) {
    if (m.first.first == QLatin1String("global")) {
      global.insert(m.first.second);
    }
  }
  EXPECT_TRUE(global.contains(table)) << "the English file misses texts of the string table";
  EXPECT_TRUE(source.count({QStringLiteral("CertificateChainDialog"), QStringLiteral("Certificate")}));
  EXPECT_TRUE(source.count({QStringLiteral("HelpWindow"), QStringLiteral("The help is not installed.")}));

  int unfinished = 0;
  for (const auto& m : source) {
    const auto it = messages.find(m.first);
    if (it == messages.end()) {
      ADD_FAILURE() << "missing: " << show(m.first);
      continue;
    }
    if (!it->second.finished || it->second.translation.isEmpty()) {
      ++unfinished;
      ADD_FAILURE() << "unfinished: " << show(m.first);
    }
  }
  EXPECT_EQ(messages.size(), source.size()) << "texts the program no longer shows";
  EXPECT_EQ(unfinished, 0);
}

TEST_P(LanguageFile, TranslationsKeepPlaceholdersEscapesAndMarkup) {
  QString error;
  const auto messages = readTs(tsPath(code()), error);
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();
  for (const auto& m : messages) {
    if (m.second.translation.isEmpty()) {
      continue;  // unfinished: reported by the test above
    }
    EXPECT_EQ(carried(m.second.translation), carried(m.first.second))
        << show(m.first) << " -> " << m.second.translation.toStdString();
  }
}

TEST_P(LanguageFile, CompiledFileGivesTheTranslationsThroughTheStringTable) {
  QString error;
  const auto messages = readTs(tsPath(code()), error);
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();
  // A button, a menu entry, a settings heading and a message with
  // placeholders: each differs from the English in every language.
  const int ids[] = {StrTable::button_cancel, StrTable::action_create_folder, StrTable::setting_language_title,
                     StrTable::error_copy_general};
  std::map<int, QString> english;
  for (int id : ids) {
    english[id] = StrTable::LoadStr(id);
  }

  QTranslator translator;
  ASSERT_TRUE(translator.load(QStringLiteral(":/%1.qm").arg(code())));
  ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
  for (int id : ids) {
    const auto it = messages.find({QStringLiteral("global"), english[id]});
    ASSERT_NE(it, messages.end()) << id;
    const QString loaded = StrTable::LoadStr(id);
    EXPECT_NE(loaded, english[id]) << id;
    EXPECT_EQ(loaded, it->second.translation) << id;
  }
  // Entry 25 is shown in English in every language, with its no-break space.
  EXPECT_EQ(StrTable::LoadStr(StrTable::tooltip_display), QString::fromUtf8("Display mode\u00A0"));
  EXPECT_NE(QCoreApplication::translate("CertificateChainDialog", "Certificate"), "Certificate");
  EXPECT_NE(QCoreApplication::translate("HelpWindow", "The help is not installed."), "The help is not installed.");
  QCoreApplication::removeTranslator(&translator);
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageFile,
                         ::testing::Values("chs", "cht", "csy", "dan", "deu", "esn", "fra", "hun", "ita", "jpn",
                                           "krn", "nld", "nor", "plk", "ptb", "ptg", "rus", "sve", "trk"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
