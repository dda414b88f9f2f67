#include "qt_single_application.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QString& keyOverride()
{
    static QString key;
    return key;
}

// One key per user and install: the program's own path, hashed.
QString instanceKey()
{
    if (!keyOverride().isEmpty())
        return keyOverride();
    const QByteArray install = QCoreApplication::applicationFilePath().toUtf8();
    return QString::fromLatin1(
        QCryptographicHash::hash(install, QCryptographicHash::Sha1).toHex().left(16));
}

QString lockFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

}  // namespace

void QtSingleApplication::setInstanceKey(const QString& key)
{
    keyOverride() = key;
}

QtSingleApplication::QtSingleApplication(int& argc, char** argv, bool gui_enabled)
    : QApplication(argc, argv, gui_enabled)
{
    QString key = instanceKey();
    key.replace(QLatin1Char('/'), QLatin1Char('_'));
    m_lock_path = lockFolder() + QStringLiteral("/quillmar-%1-%2.lock").arg(getuid()).arg(key);
    const QByteArray path = QFile::encodeName(m_lock_path);
    m_lock_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lock_fd < 0) {
        // Without a lock file we cannot tell; let the user start the program.
        qWarning("QtSingleApplication: cannot open lock file %s", path.constData());
        return;
    }
    if (::flock(m_lock_fd, LOCK_EX | LOCK_NB) != 0) {
        m_running = (errno == EWOULDBLOCK);
        ::close(m_lock_fd);
        m_lock_fd = -1;
    }
}

QtSingleApplication::~QtSingleApplication()
{
    if (m_lock_fd >= 0)
        ::close(m_lock_fd);  // releases the lock; the file stays for the next start
}
