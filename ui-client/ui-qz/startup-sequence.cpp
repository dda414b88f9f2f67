#include "startup-sequence.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTranslator>

#include <openssl/ssl.h>
#include <signal.h>

#include <cstdio>

#include "certificate-loader.h"
#include "channel/channel.h"
#include "client-manager.h"
#include "component_strings.h"
#include "image_manager.h"
#include "log-db.h"
#include "log.h"
#include "setting/language-setting.h"
#include "startup-crash-handler.h"
#include "startup-paths.h"
#include "str_table.h"
#include "style_manager.h"
#include "system-db.h"
#include "ui_path_manager.h"
#include "vexo_locale.h"

namespace {

const int kAnswerOk = 1024;  // QMessageBox::Ok

QString namedPath(const char* key)
{
    return UIPathManager::getInstance()->getPath(QLatin1String(key));
}

struct ComponentString {
    const char* key;
    int id;
};

const ComponentString kComponentStrings[] = {
    {"today", 151},      {"month_jan", 109}, {"month_feb", 108},  {"month_mar", 111},     {"month_apr", 105},
    {"month_may", 112},  {"month_jun", 110}, {"month_jul", 97},   {"month_aug", 106},     {"month_sep", 115},
    {"month_oct", 114},  {"month_nov", 113}, {"month_dec", 107},  {"sunday", 149},        {"monday", 104},
    {"tuesday", 152},    {"wednesday", 35},  {"thursday", 150},   {"friday", 27},         {"saturday", 129},
    {"ok", 56},          {"cancel", 54},     {"first_page", 38},  {"last_page", 16},      {"prev_5_pages", 39},
    {"next_5_pages", 40},
};

}  // namespace

StartupSequence::StartupSequence(StartupHooks hooks) : m_hooks(std::move(hooks)) {}

StartupSequence::~StartupSequence()
{
    if (m_translator_installed)
        QCoreApplication::removeTranslator(m_translator.get());
}

bool StartupSequence::run()
{
    initializePaths();
    // Nothing to start for sockets; a peer closing under a write must not
    // end the process.
    ::signal(SIGPIPE, SIG_IGN);
    installCrashHandler();
    setUpCertificates();
    // OpenSSL 3 sets itself up and locks itself; the strings are loaded for
    // readable errors.
    OPENSSL_init_ssl(OPENSSL_INIT_LOAD_SSL_STRINGS | OPENSSL_INIT_LOAD_CRYPTO_STRINGS, nullptr);
    if (m_hooks.applyLook)
        m_hooks.applyLook();
    setUpLogging();

    if (m_hooks.isRunning && m_hooks.isRunning())
        return false;

    LogDB::initialize((namedPath("user_data_path") + QStringLiteral("/log-db.sqlite")).toUtf8().toStdString());
    ImageManager::getInstance()->initialize(0);
    const QString resources = namedPath("resource_path");
    StyleManager::getInstance()->initialize(
        {resources + QStringLiteral("/qz.stylesheet"), resources + QStringLiteral("/component.business.stylesheet")});

    setUpLanguage();
    StrTable::InitStrTable();
    m_component_strings = buildComponentStrings();
    ComponentStrings::getInstance()->installStrings(m_component_strings);
    if (m_hooks.setWindowIcon)
        m_hooks.setWindowIcon();

    // The databases and settings need the data folder; without it the user
    // is told why, in the program's look and language, rather than left with
    // a client that fails at every step.
    m_failure = checkUserDataFolder();
    if (!m_failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", m_failure.toLocal8Bit().constData());
        return false;
    }

    if (!openSystemDatabase())
        return false;
    SystemDB::initializeDefaultDownloadLocation(
        QStandardPaths::writableLocation(QStandardPaths::DownloadLocation).toUtf8().toStdString());
    m_databases_open = true;
    return true;
}

void StartupSequence::closeDatabases()
{
    SystemDB::destroy();
    LogDB::destroy();
    m_databases_open = false;
}

void StartupSequence::setUpCertificates()
{
    const QString path = namedPath("user_data_path") + QStringLiteral("/certs.pem");
    m_certificate_loader.reset(new CertificateLoader(path));
    m_certificate_loader->syncNow();
    Channel::SetVerifyCAPath(path.toUtf8().toStdString());
}

void StartupSequence::setUpLogging()
{
    const QString log_folder = namedPath("log_path");
    QDir().mkpath(log_folder);
    Logger::Initialize(Logger::FILE_LOGGER, (log_folder + QStringLiteral("/ui.log")).toUtf8().toStdString(),
                       (namedPath("resource_path") + QStringLiteral("/quillmarfilemanager.debug")).toUtf8().toStdString(),
                       50);
}

QString StartupSequence::resolveLanguage(const QString& code)
{
    if (code == QLatin1String("def"))
        return VexoLocale::getInstance()->getDefaultLanguage();
    return code;
}

void StartupSequence::setUpLanguage()
{
    // The first use of the setting reads "sys-db.sqlite" and closes it again,
    // before the upgrade chain runs on that file.
    m_language = resolveLanguage(LanguageSetting::getInstance().getLanguage());
    m_translator.reset(new QTranslator);
    if (m_translator->load(QStringLiteral(":/") + m_language + QStringLiteral(".qm")) && !m_translator->isEmpty())
        m_translator_installed = QCoreApplication::installTranslator(m_translator.get());
}

QMap<QString, QString> StartupSequence::buildComponentStrings()
{
    QMap<QString, QString> strings;
    for (const ComponentString& entry : kComponentStrings) {
        QString text = StrTable::LoadStr(entry.id);
        if (entry.id == 39 || entry.id == 40)
            text = text.arg(5);
        strings.insert(QLatin1String(entry.key), text);
    }
    return strings;
}

bool StartupSequence::openSystemDatabase()
{
    const ustring path((namedPath("user_data_path") + QStringLiteral("/sys-db.sqlite")).toUtf8().toStdString());
    // A file that cannot be upgraded, or that opens but fails its check (a
    // damaged file, tables without the columns the program reads), is set
    // aside on the user's consent and replaced by a new one.
    if (ClientManager::updateClient() < 0) {
        QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] startup-sequence(%d): Update Failed.\n");
    } else if (SystemDB::initialize(path) == 0) {
        return true;
    } else {
        QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] startup-sequence(%d): System database unusable.\n");
    }
    const int answer = m_hooks.askConfirm ? m_hooks.askConfirm(StrTable::LoadStr(190), StrTable::LoadStr(26)) : 0;
    if (answer != kAnswerOk)
        return false;
    if (backupBrokenDb() < 0) {
        QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] startup-sequence(%d): Failed to backup broken data.\n");
        return false;
    }
    if (SystemDB::initialize(path) != 0) {
        QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] startup-sequence(%d): New system database failed.\n");
        return false;
    }
    return true;
}
