#pragma once

#include <QObject>
#include <QString>

#include <memory>

class PeerMonitor;
class QThread;
class TaskMonitor;

// The windows the client manager shows on the hub's requests. The main-window
// part implements them with the widgets; without them the client manager
// runs its workers only (tests, a client without windows).
class ClientWindows {
public:
    virtual ~ClientWindows() = default;
    // Builds the main window hidden, 1000 x 612 scaled.
    virtual void createMainWindow() = 0;
    virtual void showMainWindow() = 0;
    // Each of these replaces an earlier window of its kind by a new one.
    virtual void showLoginWindow() = 0;
    virtual void showAboutWindow() = 0;
    virtual void showHelpWindow() = 0;
    // The task store's and the engine's debug dumps, written to the log folder.
    virtual void generateDebugDump() = 0;
};

// Starts and stops the transfer engine; its thread carries no work.
class TransferServiceHandler : public QObject {
    Q_OBJECT
public:
    // Initialises the engine (loopback command port) and starts its thread.
    int startService();
    int stopService();
};

// The long-lived workers of the client (peer monitor, engine, task monitor),
// each on a thread of its own, and the top-level windows shown on request.
// Made by start-up after the databases are open; deleting it stops the
// workers in order: the peer monitor first, so that no control channel
// hands work to the engine while it stops, then the engine, then the task
// monitor.
class ClientManager : public QObject {
    Q_OBJECT
public:
    // Takes windows (may be null).
    explicit ClientManager(ClientWindows* windows = nullptr);
    ~ClientManager() override;

    void showLoginWindow();

    // Runs the system database's upgrade chain on the user data folder;
    // negative on failure. Start-up calls it before opening the database.
    static int updateClient();
    // The help pages' language: the setting, "def" resolved to the system's.
    static QString helpLanguage();

public slots:
    void slotShowMainWindow();
    void slotShowLoginWindow();
    void slotShowAboutWindow();
    void slotShowHelpWindow();
    void slotShowEggWindow();

private:
    std::unique_ptr<ClientWindows> m_windows;
    PeerMonitor* m_control_channel_monitor = nullptr;
    QThread* m_control_channel_monitor_thread = nullptr;
    TransferServiceHandler* m_transfer_service_handler = nullptr;
    QThread* m_transfer_service_handler_thread = nullptr;
    TaskMonitor* m_task_monitor = nullptr;
    QThread* m_task_monitor_thread = nullptr;
};
