// The single-instance test across processes: a second start sees the first,
// a start after the first ended (normally or by SIGKILL) does not, and
// different keys do not meet. The program runs itself as the instances:
//   --hold <key>   makes the application, prints "held <running>", waits for stdin to close
//   --probe <key>  makes the application, prints "probe <running>", exits
#include <QProcess>
#include <QUuid>
#include <QtTest>

#include <unistd.h>

#include <cstring>
#include <iostream>
#include <string>

#include "qt_single_application.h"

namespace {

int runInstance(int argc, char** argv)
{
    const bool hold = std::strcmp(argv[1], "--hold") == 0;
    QtSingleApplication::setInstanceKey(QString::fromUtf8(argv[2]));
    int app_argc = 1;
    QtSingleApplication app(app_argc, argv, true);
    std::cout << (hold ? "held " : "probe ") << (app.isRunning() ? "running" : "free") << std::endl;
    if (hold) {
        std::string line;
        std::getline(std::cin, line);  // until the test closes our stdin (or kills us)
    }
    (void)argc;
    return 0;
}

}  // namespace

class SingleApplicationTest : public QObject {
    Q_OBJECT
private:
    QString m_key;

    QString probe()
    {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--probe"), m_key});
        if (!process.waitForFinished(30000))
            return QStringLiteral("timeout");
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }
    bool startHolder(QProcess& holder, QString* said)
    {
        holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold"), m_key});
        if (!holder.waitForStarted(30000))
            return false;
        while (!holder.canReadLine()) {
            if (!holder.waitForReadyRead(30000))
                return false;
        }
        *said = QString::fromUtf8(holder.readLine()).trimmed();
        return true;
    }

private slots:
    void init() { m_key = QStringLiteral("test-") + QUuid::createUuid().toString(QUuid::Id128); }
    void cleanup()
    {
        // The lock files stay for the next start of a real program; a test's own go.
        QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (folder.isEmpty())
            folder = QDir::tempPath();
        for (const QString& key : {m_key, m_key + QStringLiteral("-other")})
            QFile::remove(folder + QStringLiteral("/quillmar-%1-%2.lock").arg(getuid()).arg(key));
    }

    void secondInstanceSeesFirst_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("first ends normally") << "normal";
        QTest::newRow("first killed with SIGKILL") << "kill";
    }
    void secondInstanceSeesFirst()
    {
        QFETCH(QString, ending);
        QCOMPARE(probe(), QStringLiteral("probe free"));  // nobody holds a new key
        QProcess holder;
        QString said;
        QVERIFY(startHolder(holder, &said));
        QCOMPARE(said, QStringLiteral("held free"));
        QCOMPARE(probe(), QStringLiteral("probe running"));
        // Another key (another install or user) is not disturbed.
        const QString own_key = m_key;
        m_key += QStringLiteral("-other");
        QCOMPARE(probe(), QStringLiteral("probe free"));
        m_key = own_key;

        if (ending == QLatin1String("kill"))
            holder.kill();  // SIGKILL: no destructor runs
        else
            holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(30000));
        QCOMPARE(probe(), QStringLiteral("probe free"));
        // And the next start holds it again.
        QProcess next;
        QVERIFY(startHolder(next, &said));
        QCOMPARE(said, QStringLiteral("held free"));
        QCOMPARE(probe(), QStringLiteral("probe running"));
        next.closeWriteChannel();
        QVERIFY(next.waitForFinished(30000));
    }
};

int main(int argc, char** argv)
{
    if (argc >= 3 && (std::strcmp(argv[1], "--hold") == 0 || std::strcmp(argv[1], "--probe") == 0))
        return runInstance(argc, argv);
    QCoreApplication app(argc, argv);
    SingleApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "vexoqelt_single_app_test.moc"
