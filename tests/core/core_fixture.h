#pragma once
// The application core end to end: the test file server (control side over
// TLS with a "localhost" certificate from a test CA, data side on its own
// engine) with shares in a temporary folder, the client engine started as
// the client manager starts it, both databases in the same folder, and the
// PeerMonitor on its own thread. The test's main thread plays the views.

#include <QObject>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "control_server.h"
#include "data_server.h"
#include "core-timing.h"
#include "event.h"
#include "global-connecter.h"
#include "misc-log.h"
#include "site-info.h"
#include "support/temp_dir.h"

class PeerMonitor;

// What the views emit, relayed into the hub like theirs.
class ViewRelay : public QObject {
    Q_OBJECT
public:
    ViewRelay();
signals:
    void sigConnectSite(SiteInfo info);
    void sigEventAdded(uint id);
    void sigRemoveSite(uint64_t peer_id);
    void sigCloseAllPeers();
    void sigResumeDisconnectedJobs(uint64_t peer_id);
};

// Runs queued calls on the thread it lives on. The call travels in a
// locked slot of its own rather than inside Qt's queued event, so a thread
// checker sees the hand-over (Qt's own event queue is not instrumented).
class ThreadRunner : public QObject {
    Q_OBJECT
public:
    // Runs call on the runner's thread and waits for it.
    void run(std::function<void()> call);
public slots:
    void runPending();

private:
    std::mutex m_mutex;  // guards m_pending
    std::vector<std::pair<std::function<void()>, std::shared_ptr<std::promise<void>>>> m_pending;
};

class CoreTest : public ::testing::Test {
protected:
    CoreTest();
    ~CoreTest() override;

    // Starts (or starts again) both sides of the server; edit changes the config.
    void StartServer(const std::function<void(test_server::ServerConfig&)>& edit = {});
    // Stops both sides (the control side stays to be restarted).
    void KillServer();
    // Brings both sides back on the ports they had.
    void RestartServer();
    void StopServer();
    test_server::ControlServer& Server() { return *m_control; }

    // A login request for alice at "localhost", changed by edit.
    SiteInfo Request(const std::function<void(SiteInfo&)>& edit = {});
    // Emits sigConnectSite and waits for the hub's sigConnectSiteDone; the peer id (0: none came).
    uint64_t Connect(const SiteInfo& request);
    uint64_t ConnectOk(const std::function<void(SiteInfo&)>& edit = {});
    // Pushes the event, announces it and waits for its sigHandleEventDone; its recorded error.
    int Run(Event event, uint32_t* id_out = nullptr);
    uint32_t Push(Event event);
    bool WaitDone(uint32_t id, int timeout_ms = 30000);
    // Runs the main loop until the condition holds; false on time-out.
    static bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = 30000);
    // Runs a function on the peer-monitor thread and waits for it.
    void OnMonitor(const std::function<void(PeerMonitor&)>& call);

    SiteInfo Site(uint64_t peer_id);
    bool HasSite(uint64_t peer_id);
    std::vector<MiscLog> Rows(uint32_t type = 0);
    int TaskCount(uint64_t peer_id = 0);
    // The peer's tasks in the store, in their order.
    static std::vector<ResumeInfo> TasksOf(uint64_t peer_id);

    std::string Docs(const std::string& rel = "") const { return m_dir.file("docs") + rel; }
    std::string Local(const std::string& rel = "") const { return m_dir.file("local") + rel; }

    qm_test::TempDir m_dir;
    std::string m_ca_file, m_cert_file, m_key_file, m_self_cert_file, m_self_key_file;
    std::unique_ptr<test_server::DataServer> m_data;
    std::unique_ptr<test_server::ControlServer> m_control;
    test_server::ServerConfig m_config;
    unsigned m_control_port = 0;
    unsigned m_data_port = 0;
    ViewRelay m_views;
    QThread m_monitor_thread;
    PeerMonitor* m_monitor = nullptr;
    ThreadRunner* m_monitor_context = nullptr;  // on the monitor's thread, for calls there
    std::unique_ptr<QSignalSpy> m_done_spy;       // sigHandleEventDone
    std::unique_ptr<QSignalSpy> m_connected_spy;  // sigConnectSiteDone
    std::unique_ptr<QSignalSpy> m_disconnected_spy;
    std::unique_ptr<QSignalSpy> m_update_spy;     // sigUpdatePath
};

// Name of a listing entry, for comparisons.
std::vector<std::string> Names(const SiteFileList& list);
