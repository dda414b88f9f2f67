#include "client-manager.h"

#include <QThread>

#include <functional>
#include <future>

#include "client-core-manager.h"
#include "client-updater-core.h"
#include "config-manager.h"
#include "global-connecter.h"
#include "kavelin/transfer-service.h"
#include "peer-monitor.h"
#include "setting/language-setting.h"
#include "startup-sequence.h"
#include "task-monitor.h"
#include "ui_path_manager.h"

namespace {

// Runs work on a running thread's event loop and waits for its result. The
// hand-over goes through a future, which every tool can see, rather than
// Qt's blocking queued call.
template <typename Result>
Result runOnThread(QThread* thread, const std::function<Result()>& work)
{
    std::promise<Result> done;
    auto* anchor = new QObject;
    anchor->moveToThread(thread);
    QMetaObject::invokeMethod(
        anchor,
        [anchor, &work, &done] {
            done.set_value(work());
            anchor->deleteLater();
        },
        Qt::QueuedConnection);
    return done.get_future().get();
}

}  // namespace

int TransferServiceHandler::startService()
{
    // The port matters for the server side only; the client opens the
    // engine's loopback command port.
    ClientCoreManager::getTransferService()->init(TRANSFER_SIDE_CLIENT, 3363);
    ClientCoreManager::getTransferService()->startService();
    return 0;
}

int TransferServiceHandler::stopService()
{
    ClientCoreManager::getTransferService()->stopService();
    return 0;
}

ClientManager::ClientManager(ClientWindows* windows) : m_windows(windows)
{
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(hub, &GlobalConnecter::sigShowMainWindow, this, &ClientManager::slotShowMainWindow);
    connect(hub, &GlobalConnecter::sigShowLoginWindow, this, &ClientManager::slotShowLoginWindow);
    connect(hub, &GlobalConnecter::sigShowAboutWindow, this, &ClientManager::slotShowAboutWindow);
    connect(hub, &GlobalConnecter::sigShowHelpWindow, this, &ClientManager::slotShowHelpWindow);
    connect(hub, &GlobalConnecter::sigShowEggWindow, this, &ClientManager::slotShowEggWindow);

    // The peer monitor reads "connect_method" on its thread whenever it adds
    // a site to the engine; the settings file guards itself.
    PeerMonitor::setConnectMethodSource(
        [] { return ConfigManager::getInstance()->getValue(QStringLiteral("connect_method")); });
    m_control_channel_monitor_thread = new QThread;
    m_control_channel_monitor_thread->start(QThread::InheritPriority);
    // Built on its own thread: its first checks run at once and arm their
    // single-shot timers there. Built here and moved, the first timers would
    // stay on this thread and run the next checks here, beside the monitor's
    // own thread.
    m_control_channel_monitor = runOnThread<PeerMonitor*>(m_control_channel_monitor_thread, [] {
        return new PeerMonitor(nullptr);
    });

    m_transfer_service_handler_thread = new QThread;
    m_transfer_service_handler = new TransferServiceHandler;
    m_transfer_service_handler->moveToThread(m_transfer_service_handler_thread);
    m_transfer_service_handler_thread->start(QThread::InheritPriority);
    // From this thread, so the engine is ready when the constructor returns.
    m_transfer_service_handler->startService();

    m_task_monitor_thread = new QThread;
    m_task_monitor = new TaskMonitor(nullptr);
    m_task_monitor->moveToThread(m_task_monitor_thread);
    m_task_monitor_thread->start(QThread::InheritPriority);
    m_task_monitor->startService();

    if (m_windows)
        m_windows->createMainWindow();
}

ClientManager::~ClientManager()
{
    // Each worker is deleted on its own thread, which then ends: the worker's
    // state is never touched from this thread, and the stop is seen by every
    // tool as an ordinary hand-over.
    PeerMonitor* monitor = m_control_channel_monitor;
    runOnThread<bool>(m_control_channel_monitor_thread, [monitor] {
        delete monitor;  // stops and joins every site's workers
        return true;
    });
    m_control_channel_monitor = nullptr;
    m_control_channel_monitor_thread->exit(0);
    m_control_channel_monitor_thread->wait();
    delete m_control_channel_monitor_thread;

    ClientCoreManager::getTransferService()->stopService();
    TransferServiceHandler* handler = m_transfer_service_handler;
    runOnThread<bool>(m_transfer_service_handler_thread, [handler] {
        delete handler;
        return true;
    });
    m_transfer_service_handler = nullptr;
    m_transfer_service_handler_thread->exit(0);
    m_transfer_service_handler_thread->wait();
    delete m_transfer_service_handler_thread;

    // Between passes: no pass is armed after this one.
    TaskMonitor* task_monitor = m_task_monitor;
    runOnThread<bool>(m_task_monitor_thread, [task_monitor] {
        task_monitor->stopService();
        delete task_monitor;
        return true;
    });
    m_task_monitor = nullptr;
    m_task_monitor_thread->exit(0);
    m_task_monitor_thread->wait();
    delete m_task_monitor_thread;
    PeerMonitor::setConnectMethodSource({});
}

void ClientManager::showLoginWindow()
{
    if (m_windows)
        m_windows->showLoginWindow();
}

int ClientManager::updateClient()
{
    ClientUpdaterCore updater(
        UIPathManager::getInstance()->getPath(QStringLiteral("user_data_path")).toUtf8().toStdString());
    return updater.Update();
}

QString ClientManager::helpLanguage()
{
    return StartupSequence::resolveLanguage(LanguageSetting::getInstance().getLanguage());
}

void ClientManager::slotShowMainWindow()
{
    if (m_windows)
        m_windows->showMainWindow();
}

void ClientManager::slotShowLoginWindow()
{
    showLoginWindow();
}

void ClientManager::slotShowAboutWindow()
{
    if (m_windows)
        m_windows->showAboutWindow();
}

void ClientManager::slotShowHelpWindow()
{
    if (m_windows)
        m_windows->showHelpWindow();
}

void ClientManager::slotShowEggWindow()
{
    if (m_windows)
        m_windows->generateDebugDump();
}
