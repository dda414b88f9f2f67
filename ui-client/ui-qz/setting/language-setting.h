#pragma once

#include <QPair>
#include <QString>
#include <QVector>

// The interface language: the code stored in the system database under
// "language" ("def" follows the system) and the 20 languages offered. A new
// choice takes effect at the next start. GUI thread only.
class LanguageSetting {
public:
    typedef QPair<QString, QString> pair_t;  // code, the language's own name

    // The first call opens "sys-db.sqlite", reads "language" and closes it
    // again, so start-up asks before the upgrade chain runs on that file.
    static LanguageSetting& getInstance();

    QString getLanguage() const { return m_language; }
    // Stores the code in the open system database and, when that worked,
    // takes it; 0 or the database's negative result.
    int setLanguage(const QString& code);
    const QVector<pair_t>& getLanguageList() const { return m_language_list; }

    LanguageSetting(const LanguageSetting&) = delete;
    LanguageSetting& operator=(const LanguageSetting&) = delete;

private:
    LanguageSetting();
    void initialize();
    void addLanguage(const QString& code, const QString& name);

    QString m_language;
    QVector<pair_t> m_language_list;
};
