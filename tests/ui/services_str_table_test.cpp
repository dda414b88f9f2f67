#include "str_table.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QTranslator>

#include <climits>
#include <memory>

#include <gtest/gtest.h>

namespace {

// A translator installed for one test and removed again.
class InstalledTranslator {
public:
  explicit InstalledTranslator(const QString& file) {
    m_ok = m_translator.load(file) && QCoreApplication::installTranslator(&m_translator);
  }
  ~InstalledTranslator() { QCoreApplication::removeTranslator(&m_translator); }
  bool ok() const { return m_ok; }

private:
  QTranslator m_translator;
  bool m_ok = false;
};

TEST(StrTableTest, EveryIdButThirtyHasATextAndAUniqueKey) {
  StrTable::InitStrTable();
  QSet<QString> keys;
  for (int id = StrTable::kFirstStrID; id <= StrTable::kLastStrID; ++id) {
    if (id == 30) {
      continue;
    }
    EXPECT_FALSE(StrTable::LoadStr(id).isEmpty()) << id;
    const QString key = StrTable::LoadKey(id);
    ASSERT_FALSE(key.isEmpty()) << id;
    EXPECT_FALSE(keys.contains(key.toLower())) << key.toStdString();
    keys.insert(key.toLower());
  }
  EXPECT_EQ(keys.size(), 208);
}

TEST(StrTableTest, IdsWithoutAnEntryGiveEmptyText) {
  for (int id : {30, -1, 209, INT_MAX, INT_MIN}) {
    EXPECT_EQ(StrTable::LoadStr(id), "") << id;
    EXPECT_EQ(StrTable::LoadKey(id), "") << id;
  }
}

TEST(StrTableTest, EnglishTexts) {
  struct Case {
    int id;
    const char* text;
  };
  const Case cases[] = {
      {StrTable::setting_tip_concurrent, "Please enter a valid number between 1 and 10."},
      {StrTable::button_ok, "OK"},
      {StrTable::tooltip_display, "Display mode\u00A0"},
      {StrTable::tooltip_helpabout, "Help\u00A0/ About\u00A0"},
      {StrTable::tooltip_sort, "Sort by\u00A0"},
      {StrTable::action_download_to, "Download to \u2026"},
      {StrTable::wrong_port,
       "The connection cannot be established with wrong port number. Please check the port number and try again. "},
      {StrTable::koralt_attempt,
       "Failed to connect to this Koralt File Server due to compatibility issues. Please go to Download Center to "
       "download Koralt desktop client and connect it to this Koralt File Server.  "},
      {StrTable::month_jan, "January"},
      {StrTable::log_filter_login, "Sign In"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StrTable::LoadStr(c.id).toStdString(), c.text) << c.id;
  }
  EXPECT_TRUE(StrTable::LoadStr(StrTable::about_msg).contains("%1"));
}

TEST(StrTableTest, LookupIgnoresCaseAndRoundTripsEveryKey) {
  EXPECT_EQ(StrTable::LookupStrID("BUTTON_OK"), 56);
  EXPECT_EQ(StrTable::LookupStrID("button_login"), 0);
  EXPECT_EQ(StrTable::LookupStrID("Log_Filter_Login"), 200);
  for (const char* key : {"no_such_key", "", "button_ok ", "button_o", "\xc3\xa4"}) {
    EXPECT_EQ(StrTable::LookupStrID(QString::fromUtf8(key)), -1) << key;
  }
  for (int id = StrTable::kFirstStrID; id <= StrTable::kLastStrID; ++id) {
    if (id != 30) {
      EXPECT_EQ(StrTable::LookupStrID(StrTable::LoadKey(id)), id) << id;
    }
  }
}

TEST(StrTableTest, TranslatedLineBreakAndTabEscapesBecomeCharacters) {
  InstalledTranslator t(QStringLiteral(QM_ESCAPES_QM));
  ASSERT_TRUE(t.ok());
  EXPECT_EQ(StrTable::LoadStr(StrTable::error_list_node_general), "Erste Zeile\nzweite\tZeile");
  EXPECT_EQ(StrTable::LoadStr(StrTable::error_login_system), "Nur \\N und \\T bleiben");  // case-sensitive
}

TEST(TranslationsTest, EveryLanguageHasItsFileInTheProgram) {
  const char* const codes[] = {"chs", "cht", "csy", "dan", "deu", "enu", "esn", "fra", "hun", "ita",
                               "jpn", "krn", "nld", "nor", "plk", "ptb", "ptg", "rus", "sve", "trk"};
  for (const char* code : codes) {
    const QString file = QStringLiteral(":/%1.qm").arg(code);
    EXPECT_TRUE(QFile::exists(file)) << code;
    if (QString(code) == "enu") {
      continue;  // the source language: nothing to translate
    }
    QTranslator translator;
    EXPECT_TRUE(translator.load(file)) << code;
    EXPECT_FALSE(translator.isEmpty()) << code;
    EXPECT_FALSE(translator.translate("global", "January").isEmpty()) << code;
  }
}

}  // namespace
