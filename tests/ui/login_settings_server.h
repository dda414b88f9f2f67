#pragma once
// The core's end-to-end fixture with the test server's data side on the
// control port + 1, where the login and settings windows expect it, and a
// relay that plays the central widget: every finished login is announced
// as added. Fixtures that count set-udp requests also let it play the main
// window, which starts one set-udp event per successful login.
#include <QObject>

#include <functional>
#include <list>

#include "connection-info.h"
#include "core_fixture.h"

class AddSiteRelay : public QObject {
public:
    AddSiteRelay();
    // From now on a successful login also gets its set-udp event.
    void startSetUdpPerLogin();

private:
    void slotConnectSiteDone(uint64_t peer_id);
    bool m_set_udp = false;
};

class PairedServerTest : public CoreTest {
protected:
    PairedServerTest();
    ~PairedServerTest() override;
    // Both sides again with "alice:secret" and "bob:pw" (code "123456").
    void StartPaired(const std::function<void(test_server::ServerConfig&)>& edit = {}, bool with_data = true);
    QString Address() const;
    // The relay's set-udp part on, with an event table emptied of what
    // earlier scenarios left for peers that are gone.
    void StartSetUdpPerLogin();
    // Waits until the event table holds no set-udp event: each is removed
    // once its request has been answered.
    static bool WaitSetUdpDone();
    static std::list<ConnectionInfo> SavedRows();

    AddSiteRelay m_relay;
};
