// The signal hub: it belongs to the main thread whoever asks first, and
// every one of its signals can be queued across threads.
#include <QCoreApplication>
#include <QMetaMethod>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "global-connecter.h"

namespace {

std::atomic<int> g_queue_failures{0};

void failOnQueueWarning(QtMsgType, const QMessageLogContext&, const QString& message)
{
    if (message.contains("Cannot queue arguments"))
        ++g_queue_failures;
}

class Counter : public QObject {
    Q_OBJECT
public:
    std::atomic<int> hits{0};
public slots:
    void hit() { ++hits; }
};

}  // namespace

TEST(CoreHub, LivesOnTheMainThreadWhenAWorkerAsksFirst)
{
    GlobalConnecter* seen = nullptr;
    std::thread worker([&] { seen = GlobalConnecter::getInstance(); });
    worker.join();
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen->thread(), QCoreApplication::instance()->thread());
    EXPECT_EQ(seen, GlobalConnecter::getInstance());
}

TEST(CoreHub, EverySignalCrossesAThread)
{
    qInstallMessageHandler(failOnQueueWarning);
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    QThread worker;
    Counter counter;
    counter.moveToThread(&worker);
    worker.start();

    const QMetaObject* meta = hub->metaObject();
    int slot = counter.metaObject()->indexOfSlot("hit()");
    std::vector<QMetaMethod> signals_list;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        QMetaMethod method = meta->method(i);
        if (method.methodType() != QMetaMethod::Signal)
            continue;
        signals_list.push_back(method);
        ASSERT_TRUE(QMetaObject::connect(hub, i, &counter, slot, Qt::QueuedConnection)) << method.methodSignature().data();
    }
    EXPECT_EQ(signals_list.size(), 35u);

    for (const QMetaMethod& method : signals_list) {
        // Default values of each parameter type, built by the meta-type system.
        std::vector<QVariant> values(static_cast<size_t>(method.parameterCount()));
        QGenericArgument args[10];
        for (int p = 0; p < method.parameterCount(); ++p) {
            int type = method.parameterType(p);
            ASSERT_NE(type, QMetaType::UnknownType) << method.methodSignature().data();
            values[p] = QVariant(type, nullptr);
            args[p] = QGenericArgument(QMetaType::typeName(type), values[p].data());
        }
        EXPECT_TRUE(method.invoke(hub, Qt::DirectConnection, args[0], args[1], args[2], args[3], args[4], args[5],
                                  args[6], args[7], args[8], args[9]))
            << method.methodSignature().data();
    }
    QElapsedTimer clock;
    clock.start();
    while (counter.hits.load() < static_cast<int>(signals_list.size()) && clock.elapsed() < 30000) {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    EXPECT_EQ(counter.hits.load(), static_cast<int>(signals_list.size()));
    EXPECT_EQ(g_queue_failures.load(), 0);
    worker.quit();
    worker.wait();
    qInstallMessageHandler(nullptr);
}

#include "core_hub_test.moc"
