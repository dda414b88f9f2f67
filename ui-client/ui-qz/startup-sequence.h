#pragma once

#include <QMap>
#include <QString>

#include <functional>
#include <memory>

class CertificateLoader;
class QTranslator;

// What start-up asks of the windows side. The non-widget steps run in a
// QCoreApplication; the program fills these from the widget library.
struct StartupHooks {
    // True when another instance runs on the same user data folder.
    std::function<bool()> isRunning;
    // The question after a failed upgrade; 1024 (QMessageBox::Ok) agrees to
    // move the database aside. Without it the answer is "no".
    std::function<int(const QString& title, const QString& text)> askConfirm;
    // Application style sheet, font and high-DPI pixmaps (optional).
    std::function<void()> applyLook;
    // The application's window icon (optional).
    std::function<void()> setWindowIcon;
};

// The process-wide set-up before the client manager exists, in order:
// paths, SIGPIPE, crash handler, "certs.pem" and the channels' verification
// file, OpenSSL, look, log folder and logger, instance check, log database,
// images and styles, language and translator, string table and component
// strings, icon, upgrade, system database and download folder. Its
// destructor removes the translator it installed.
class StartupSequence {
public:
    explicit StartupSequence(StartupHooks hooks);
    ~StartupSequence();

    // True when the program goes on to the client manager; false for an
    // early exit (another instance, or the upgrade failed and the database
    // was not moved aside), after which qMain returns 0.
    bool run();

    // Why the last run() could not start the program (for the user), or ""
    // when it did or when it ended early on purpose (another instance, a
    // declined upgrade).
    QString failure() const { return m_failure; }

    // Shut-down after the client manager was deleted: the system database,
    // then the log database.
    void closeDatabases();

    // The interface language after "def" was resolved.
    QString language() const { return m_language; }
    const QMap<QString, QString>& componentStrings() const { return m_component_strings; }
    bool translatorInstalled() const { return m_translator_installed; }

    // "def" becomes the system's language; any other code stays.
    static QString resolveLanguage(const QString& code);
    // The texts handed to the widget library's own widgets, from the string
    // table as translated now.
    static QMap<QString, QString> buildComponentStrings();

private:
    void setUpCertificates();
    void setUpLogging();
    void setUpLanguage();
    // Upgrades and opens sys-db.sqlite; offers to set aside a file it cannot use.
    bool openSystemDatabase();

    StartupHooks m_hooks;
    std::unique_ptr<CertificateLoader> m_certificate_loader;
    std::unique_ptr<QTranslator> m_translator;
    bool m_translator_installed = false;
    QMap<QString, QString> m_component_strings;
    QString m_language;
    QString m_failure;
    bool m_databases_open = false;
};
