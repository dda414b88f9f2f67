#include "vexo_locale.h"

#include <QByteArray>

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(VexoLocaleTest, LocaleNamesMapToTheOfferedLanguages) {
  struct Case {
    const char* name;
    const char* code;
  };
  const Case cases[] = {
      {"zh_CN.UTF-8", "chs"}, {"zh_SG", "chs"},        {"zh", "chs"},          {"zh_TW.UTF-8", "cht"},
      {"zh_HK", "cht"},       {"zh_MO", "cht"},        {"cs_CZ.UTF-8", "csy"}, {"da_DK", "dan"},
      {"de_DE.UTF-8", "deu"}, {"de_AT@euro", "deu"},   {"de_CH", "deu"},       {"en_US.UTF-8", "enu"},
      {"en_GB", "enu"},       {"es_ES", "esn"},        {"es_MX", "esn"},       {"fr_FR", "fra"},
      {"fr_CA", "fra"},       {"hu_HU", "hun"},        {"it_IT", "ita"},       {"ja_JP.eucJP", "jpn"},
      {"ko_KR.UTF-8", "krn"}, {"nl_NL", "nld"},        {"nl_BE", "nld"},       {"nb_NO.UTF-8", "nor"},
      {"nn_NO", "nor"},       {"no_NO", "nor"},        {"pl_PL", "plk"},       {"pt_BR.UTF-8", "ptb"},
      {"pt_PT", "ptg"},       {"pt_AO", "ptg"},        {"ru_RU.KOI8-R", "rus"}, {"sv_SE", "sve"},
      {"sv_FI", "sve"},       {"tr_TR", "trk"},        {"fi_FI", "enu"},       {"el_GR", "enu"},
      {"C", "enu"},           {"POSIX", "enu"},        {"C.UTF-8", "enu"},     {"", "enu"},
      {"garbage!", "enu"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VexoLocale::languageCodeForName(c.name).toStdString(), c.code) << c.name;
  }
}

TEST(VexoLocaleTest, EveryCodeIsOneOfTheTwenty) {
  const QStringList codes = VexoLocale::supportedCodes();
  ASSERT_EQ(codes.size(), 20);
  EXPECT_EQ(codes.first(), "chs");
  EXPECT_EQ(codes.last(), "trk");
  for (const char* name : {"de_DE", "zh_HK", "ar_EG", "pt_BR", "nn_NO"}) {
    EXPECT_TRUE(codes.contains(VexoLocale::languageCodeForName(name))) << name;
  }
}

// Sets the three variables for one case and puts them back afterwards.
class LocaleEnvironment {
public:
  LocaleEnvironment(const char* lc_all, const char* lc_messages, const char* lang) {
    for (const char* var : kVars) {
      m_saved.push_back(qgetenv(var));
      m_was_set.push_back(qEnvironmentVariableIsSet(var));
    }
    set("LC_ALL", lc_all);
    set("LC_MESSAGES", lc_messages);
    set("LANG", lang);
  }
  ~LocaleEnvironment() {
    for (size_t i = 0; i < 3; ++i) {
      if (m_was_set[i]) {
        qputenv(kVars[i], m_saved[i]);
      } else {
        qunsetenv(kVars[i]);
      }
    }
  }

private:
  static void set(const char* var, const char* value) {
    if (value) {
      qputenv(var, value);
    } else {
      qunsetenv(var);
    }
  }
  static constexpr const char* kVars[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::vector<QByteArray> m_saved;
  std::vector<bool> m_was_set;
};

TEST(VexoLocaleTest, DefaultLanguageFollowsTheEnvironmentInTheCLibrarysOrder) {
  struct Case {
    const char* lc_all;
    const char* lc_messages;
    const char* lang;
    const char* code;
  };
  const Case cases[] = {
      {nullptr, nullptr, "de_DE.UTF-8", "deu"},
      {"fr_FR.UTF-8", nullptr, "de_DE.UTF-8", "fra"},     // LC_ALL first
      {nullptr, "ja_JP.UTF-8", "de_DE.UTF-8", "jpn"},     // then LC_MESSAGES
      {"", "", "pt_BR.UTF-8", "ptb"},                     // empty values do not count
      {nullptr, nullptr, "zh_TW.Big5", "cht"},
      {"C", nullptr, "de_DE.UTF-8", "enu"},
      {nullptr, nullptr, "xx_YY", "enu"},
  };
  for (const Case& c : cases) {
    LocaleEnvironment env(c.lc_all, c.lc_messages, c.lang);
    EXPECT_EQ(VexoLocale::getInstance()->getDefaultLanguage().toStdString(), c.code)
        << (c.lc_all ? c.lc_all : "-") << " " << (c.lc_messages ? c.lc_messages : "-") << " " << c.lang;
  }
}

}  // namespace
