#pragma once
// A data connection driven against a scripted peer on loopback: the service
// core as far as one connection needs it, a listener, and blocking object I/O
// for the peer's side.
#include <deque>
#include <functional>
#include <memory>
#include <set>

#include <event2/event.h>

#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager-impl-lock.h"
#include "kavelin/vardo-core-manager.h"
#include "protocol/pobject.h"

namespace tcp_transfer_test {

// The service core as far as one data connection needs it.
class TestController : public TransferController {
public:
    TestController() : m_manager(new VardoCoreManagerImplLock), m_base(event_base_new()) {}
    ~TestController() override { event_base_free(m_base); }

    VardoCoreManager* getManager() override { return &m_manager; }
    event_base* getEventBase() override { return m_base; }
    void pushReport(uint64_t, PObject& report) override;
    bool popReport(uint64_t, PObject& report) override;
    bool setSocketPeerId(cross::socket_t, uint64_t) override { return true; }
    void controlPeerWrite(uint64_t, bool, TransferUse) override {}
    void adjustBandwidth(uint64_t, void*, BandwidthType, BandwidthAction) override {}
    uint64_t getUsTimeWait(uint64_t, void*, BandwidthType, uint64_t) override { return 0; }
    bool taskIsStillRunning(uint64_t, token_t) override { return false; }
    bool taskIsBeingSent(uint64_t, token_t token) override { return being_sent.count(token) != 0; }

    // Turns the loop until the condition holds; false after the time-out.
    bool pumpUntil(const std::function<bool()>& condition, int timeout_ms = 20000);

    std::deque<PObject> reports;
    // Tokens a sending connection is writing right now.
    std::set<token_t> being_sent;

private:
    VardoCoreManager m_manager;
    event_base* m_base;
};

// A loopback listener on a port of the system's choosing.
struct Listener {
    explicit Listener(int backlog = 8);
    ~Listener();
    // The next connection, or -1 after the time-out.
    int acceptOne(int timeout_ms = 20000) const;
    int fd;
    int port;
};

int connectTo(int port);

// Blocking object I/O for the scripted peer.
bool readObject(int fd, PObject& out);
bool writeObject(int fd, const PObject& object);

// Bytes the peer sent before it closed (-1 on a read error).
long drainUntilClosed(int fd);

TcpTransfer* clientTransfer(TestController& controller, uint64_t peer_id, bool encrypted);

// A report connection accepted from a raw peer.
struct ReportLink {
    explicit ReportLink(TestController& controller);
    ~ReportLink();
    Listener listener;
    std::unique_ptr<TcpTransfer> transfer;
    int peer;
};

}  // namespace tcp_transfer_test
