#include "startup-paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include "file-op.h"
#include "log.h"
#include "ui_path_manager.h"

namespace {

QString environmentFolder(const char* name)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? QString() : QFile::decodeName(value);
}

// $variable when set, else the XDG default below the home folder.
QString xdgFolder(const char* variable, const char* home_relative)
{
    QString folder = environmentFolder(variable);
    if (folder.isEmpty())
        folder = QDir::homePath() + QLatin1Char('/') + QLatin1String(home_relative);
    return folder;
}

}  // namespace

QString userDataFolderFromEnvironment()
{
    QString folder = environmentFolder("QUILLMAR_DATA_DIR");
    if (folder.isEmpty())
        folder = xdgFolder("XDG_DATA_HOME", ".local/share") + QStringLiteral("/quillmar-file-manager");
    return QDir::cleanPath(folder);
}

QString logFolderFromEnvironment()
{
    QString folder = environmentFolder("QUILLMAR_LOG_DIR");
    if (folder.isEmpty())
        folder = xdgFolder("XDG_STATE_HOME", ".local/state") + QStringLiteral("/quillmar-file-manager/log");
    return QDir::cleanPath(folder);
}

void initializePaths()
{
    UIPathManager* paths = UIPathManager::getInstance();
    const QString application = QDir::cleanPath(QCoreApplication::applicationDirPath());
    paths->setPath(QStringLiteral("application_path"), application);
    paths->setPath(QStringLiteral("resource_path"),
                   QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../resource")));
    const QString user_data = userDataFolderFromEnvironment();
    paths->setPath(QStringLiteral("user_data_path"), user_data);
    paths->setPath(QStringLiteral("log_path"), logFolderFromEnvironment());
    QDir().mkpath(user_data);
}

QString checkUserDataFolder()
{
    const QString folder = UIPathManager::getInstance()->getPath(QStringLiteral("user_data_path"));
    QDir().mkpath(folder);
    if (!QFileInfo(folder).isDir())
        return QCoreApplication::translate("global", "The data folder %1 does not exist and cannot be created.")
            .arg(QDir::toNativeSeparators(folder));
    // Permission bits do not tell the whole story (read-only mounts, ACLs):
    // a file is made and removed again.
    QTemporaryFile probe(folder + QStringLiteral("/.write-test-XXXXXX"));
    if (!probe.open())
        return QCoreApplication::translate("global", "The data folder %1 cannot be written to (%2).")
            .arg(QDir::toNativeSeparators(folder), probe.errorString());
    return QString();
}

int backupBrokenDb()
{
    const std::string folder = UIPathManager::getInstance()->getPath(QStringLiteral("user_data_path")).toUtf8().toStdString();
    const std::string db = folder + "/sys-db.sqlite";
    const std::string backup = folder + "/sys-db.sqlite.broken";
    if (FSRemove(ustring(backup)) != 0) {
        QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] startup-paths(%d): Failed to remove bkp system DB at [%s].\n",
               backup);
        return -1;
    }
    if (FSRename(ustring(db), ustring(backup), false) != 0) {
        QM_LOG(Logger::L_ERR, "default_component",
               L"[ERROR] startup-paths(%d): Failed to rename sys.sqlite to sys.sqlite.broken \n.\n");
        return -1;
    }
    // A journal left beside the broken file belongs to it: the new database
    // must not roll it back into itself.
    const std::string journal = db + "-journal";
    if (IsFileExist(ustring(journal), false) &&
        (FSRemove(ustring(backup + "-journal")) != 0 || FSRename(ustring(journal), ustring(backup + "-journal"), false) != 0)) {
        QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] startup-paths(%d): Failed to move the journal %s aside.\n",
               journal);
        return -1;
    }
    return 0;
}
