// A client start-up without windows, driven by the start-up tests: each run
// is a process of its own, as the program's are. It lies in the staged
// program folder, so its resource folder is the program's.
//   startup_child crash     installs the crash handler and dereferences null
//   startup_child startup   runs the start-up steps, then shuts down
//   startup_child workers   the same with the client manager's workers between
// Environment: QM_TEST_OTHER_INSTANCE=1 (another instance runs),
// QM_TEST_ANSWER (the answer to the upgrade question), QM_TEST_RUN_AS_UID
// (switch to that user first). Results go to standard output as KEY=VALUE.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTcpSocket>

#include <cstdio>
#include <thread>
#include <unistd.h>

#include "client-core-manager.h"
#include "client-manager.h"
#include "global-connecter.h"
#include "kavelin/transfer-service.h"
#include "startup-crash-handler.h"
#include "startup-sequence.h"
#include "system-db.h"

namespace {

void report(const char* key, const QString& value)
{
    std::printf("%s=%s\n", key, value.toUtf8().constData());
    std::fflush(stdout);
}

int threadCount()
{
    return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

// The names of the process's threads, for a failure's message.
QString threadNames()
{
    QStringList names;
    for (const QString& task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(QStringLiteral("/proc/self/task/") + task + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly))
            names << QString::fromUtf8(comm.readAll()).trimmed();
    }
    return names.join(QLatin1Char(','));
}

bool portAnswers(int port)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
    return socket.waitForConnected(5000);
}

void runWorkers()
{
    int task_passes = 0;
    QObject::connect(GlobalConnecter::getInstance(), &GlobalConnecter::sigTaskCountChanged,
                     [&task_passes](int) { ++task_passes; });
    // A thread started and joined first, so that a sanitizer's own helper
    // thread, made with the first thread of the process, is in the baseline.
    std::thread([] {}).join();
    const int baseline = threadCount();
    report("THREADS_BEFORE", threadNames());
    auto* manager = new ClientManager(nullptr);
    const int port = ClientCoreManager::getTransferService()->getControlPort();
    report("ENGINE_PORT_ANSWERS", portAnswers(port) ? "1" : "0");
    // The first pass ran in the constructor, on this thread; the second runs
    // on the task monitor's thread and reaches us through the hub's queue.
    QElapsedTimer passes;
    passes.start();
    while (task_passes < 2 && passes.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    report("TASK_PASSES", QString::number(task_passes));
    report("THREADS_RUNNING", QString::number(threadCount() - baseline));
    delete manager;
    // Qt's threads are detached: a joined thread leaves the kernel's list a
    // moment after wait() returned.
    QElapsedTimer waited;
    waited.start();
    while (threadCount() > baseline && waited.elapsed() < 10000)
        std::this_thread::yield();
    report("THREADS_LEFT", QString::number(threadCount() - baseline));
    report("THREADS_AFTER", threadNames());
    report("ENGINE_STOPPED", ClientCoreManager::getTransferService()->isServiceRunning() ? "0" : "1");
}

}  // namespace

int main(int argc, char** argv)
{
    const QByteArray uid = qgetenv("QM_TEST_RUN_AS_UID");
    if (!uid.isEmpty() && (::setgid(static_cast<gid_t>(uid.toInt())) != 0 || ::setuid(static_cast<uid_t>(uid.toInt())) != 0))
        return 3;
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray("startup");
    if (mode == "crash") {
        installCrashHandler();
        volatile int* null_pointer = nullptr;
        *null_pointer = 1;
        return 2;
    }

    QCoreApplication app(argc, argv);
    bool asked = false;
    StartupHooks hooks;
    hooks.isRunning = [] { return qgetenv("QM_TEST_OTHER_INSTANCE") == "1"; };
    hooks.askConfirm = [&asked](const QString& title, const QString& text) {
        asked = true;
        report("QUESTION_TITLE", title);
        report("QUESTION_TEXT", text);
        return qgetenv("QM_TEST_ANSWER").toInt();
    };
    int result = 0;
    {
        StartupSequence startup(hooks);
        const bool go_on = startup.run();
        report("ASKED", asked ? "1" : "0");
        report("LANGUAGE", startup.language());
        report("TRANSLATOR", startup.translatorInstalled() ? "1" : "0");
        report("MONTH_JAN", startup.componentStrings().value(QStringLiteral("month_jan")));
        report("PREV_PAGES", startup.componentStrings().value(QStringLiteral("prev_5_pages")));
        if (!go_on) {
            report("EARLY_EXIT", "1");
            return 0;
        }
        if (mode == "workers")
            runWorkers();
        startup.closeDatabases();
        ustring language;
        report("DATABASES_CLOSED", SystemDB::getConfig(ustring("language"), language) < 0 ? "1" : "0");
        report("DONE", "1");
    }
    return result;
}
