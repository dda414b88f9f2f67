#include "setting/language-setting.h"

#include "system-db.h"
#include "ui_path_manager.h"

LanguageSetting& LanguageSetting::getInstance()
{
    static LanguageSetting instance;
    return instance;
}

LanguageSetting::LanguageSetting()
{
    initialize();
}

void LanguageSetting::initialize()
{
    const QString db_path =
        UIPathManager::getInstance()->getPath(QStringLiteral("user_data_path")) + QStringLiteral("/sys-db.sqlite");
    // Read before the upgrade chain has seen the file: nothing may be created
    // or stamped in it yet.
    ustring value;
    if (SystemDB::peekConfig(ustring(db_path.toUtf8().toStdString()), ustring("language"), value) < 0 ||
        *value.c_str_utf8() == 0)
        value = ustring("def");
    m_language = QString::fromUtf8(value.c_str_utf8());

    addLanguage(QStringLiteral("chs"), QString::fromUtf8("简体中文"));
    addLanguage(QStringLiteral("cht"), QString::fromUtf8("繁體中文"));
    addLanguage(QStringLiteral("csy"), QString::fromUtf8("Český"));
    addLanguage(QStringLiteral("dan"), QString::fromUtf8("Dansk"));
    addLanguage(QStringLiteral("deu"), QString::fromUtf8("Deutsch"));
    addLanguage(QStringLiteral("enu"), QString::fromUtf8("English"));
    addLanguage(QStringLiteral("esn"), QString::fromUtf8("Español"));
    addLanguage(QStringLiteral("fra"), QString::fromUtf8("Français"));
    addLanguage(QStringLiteral("hun"), QString::fromUtf8("Magyar"));
    addLanguage(QStringLiteral("ita"), QString::fromUtf8("Italiano"));
    addLanguage(QStringLiteral("jpn"), QString::fromUtf8("日本語"));
    addLanguage(QStringLiteral("krn"), QString::fromUtf8("한국어"));
    addLanguage(QStringLiteral("nld"), QString::fromUtf8("Nederlands"));
    addLanguage(QStringLiteral("nor"), QString::fromUtf8("Norsk"));
    addLanguage(QStringLiteral("plk"), QString::fromUtf8("Polski"));
    addLanguage(QStringLiteral("ptb"), QString::fromUtf8("Português do Brasil"));
    addLanguage(QStringLiteral("ptg"), QString::fromUtf8("Português Europeu"));
    addLanguage(QStringLiteral("rus"), QString::fromUtf8("Русский"));
    addLanguage(QStringLiteral("sve"), QString::fromUtf8("Svenska"));
    addLanguage(QStringLiteral("trk"), QString::fromUtf8("Türkçe"));
}

int LanguageSetting::setLanguage(const QString& code)
{
    // The code in use follows the database: a refused store changes nothing.
    const int ret = SystemDB::setConfig(ustring("language"), ustring(code.toUtf8().toStdString()));
    if (ret == 0)
        m_language = code;
    return ret;
}

void LanguageSetting::addLanguage(const QString& code, const QString& name)
{
    m_language_list.append(pair_t(code, name));
}
