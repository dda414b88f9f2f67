#include "client-manager.h"

#include <QThread>

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
    auto* starter = new QObject;
    starter->moveToThread(m_control_channel_monitor_thread);
    PeerMonitor* monitor = nullptr;
    QMetaObject::invokeMethod(
        starter,
        [starter, &monitor] {
            monitor = new PeerMonitor(nullptr);
            starter->deleteLater();
        },
        Qt::BlockingQueuedConnection);
    m_control_channel_monitor = monitor;

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
    m_control_channel_monitor_thread->exit(0);
    m_control_channel_monitor_thread->wait();
    delete m_control_channel_monitor;
    delete m_control_channel_monitor_thread;

    ClientCoreManager::getTransferService()->stopService();
    m_transfer_service_handler_thread->exit(0);
    m_transfer_service_handler_thread->wait();
    delete m_transfer_service_handler;
    delete m_transfer_service_handler_thread;

    // On its own thread, between passes: no pass is armed after this one.
    TaskMonitor* task_monitor = m_task_monitor;
    QMetaObject::invokeMethod(
        task_monitor, [task_monitor] { task_monitor->stopService(); }, Qt::BlockingQueuedConnection);
    m_task_monitor_thread->exit(0);
    m_task_monitor_thread->wait();
    delete m_task_monitor;
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
