#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "file-op-ex.h"
#include "kavelin/bandwidth-calculator.h"
#include "kavelin/resume-info.h"
#include "kavelin/transfer-types.h"

struct event;
struct event_base;
class ControlConnection;
class FileFinisher;
class PObject;
class PeerConnection;
class TcpTransfer;
class TransferService;
class TransferServiceController;
class VardoCoreManager;
namespace QuillmarFileManager {
class RateController;
}

// Closes every registered socket when it goes out of scope, unless released.
class FdGuard {
public:
    FdGuard() = default;
    ~FdGuard();
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    void add(cross::socket_t fd) { fd_guarded.push_back(fd); }
    void release() { fd_guarded.clear(); }

private:
    std::vector<cross::socket_t> fd_guarded;
};

// The engine's service core: the event base, the loopback control listener,
// the server's data listener, the one-second timer, the peer table and the
// accepted data connections not yet bound to a peer. Everything but the
// constructor, the init operations, wakeUp and the destructor runs on the
// service thread, inside the loop; nothing here takes a lock.
class TransferServiceImpl {
public:
    // How long a command connection may stay silent before it is dropped, so
    // a stuck local client cannot freeze every transfer.
    static const unsigned kCommandIdleSeconds;
    // How long one command (its request and answer) may take in all: a
    // client trickling a byte now and then must not hold the loop either.
    static const unsigned kCommandDeadlineSeconds;
    // Command connections open at once; beyond it a new one is closed on
    // accept, so a flood of local connections cannot grow memory.
    static const size_t kMaxCommandConnections;

    TransferServiceImpl(TransferService* service, VardoCoreManager* manager);
    ~TransferServiceImpl();
    TransferServiceImpl(const TransferServiceImpl&) = delete;
    TransferServiceImpl& operator=(const TransferServiceImpl&) = delete;

    // The bound port (1024..65535) or -1; also starts the timer.
    int initControlService();
    // Server side: the data listener on "::" (IPv4 too). 0 or -1.
    int initTransferService(int bind_port);
    int initTimer();
    // Closes the control listener and the command connections still open;
    // commands are refused from then on.
    void closeControlService();
    // One slice of the loop, at most about 1 s; the dispatch result.
    int accept();
    // Ends the current slice early; callable from any thread.
    void wakeUp();
    // The one-second tick.
    int adjustPeerConnectionTransfers();

    void addPeer(uint64_t peer_id, TransferSide side, ConnectMethod method, const std::string& ip, int port);
    void removePeerConnection(uint64_t peer_id);
    void removeAllConnections();
    PeerConnection* getPeerConnection(uint64_t peer_id);
    void debugTransferService(PObject& debug);
    int handleControlRequest(const PObject& cmd, PObject& response);

    // Reached by data connections through the controller.
    VardoCoreManager* getManager() { return m_manager; }
    event_base* getEventBase() { return ev_base; }
    void pushReport(uint64_t peer_id, PObject& report);
    bool popReport(uint64_t peer_id, PObject& report);
    bool setSocketPeerId(cross::socket_t socket, uint64_t peer_id);
    void controlPeerWrite(uint64_t peer_id, bool on, TransferUse use);
    void adjustBandwidth(uint64_t peer_id, void* transfer, BandwidthType type, BandwidthAction action);
    uint64_t getUsTimeWait(uint64_t peer_id, void* transfer, BandwidthType type, uint64_t bytes);
    bool taskIsStillRunning(uint64_t peer_id, token_t token);
    bool taskIsBeingSent(uint64_t peer_id, token_t token);
    bool taskIsBeingReceived(uint64_t peer_id, token_t token);

    TransferServiceController* getController() { return m_controller; }
    FileFinisher* getFileFinisher() { return m_file_finisher; }
    // When the loop ends: what is being finished is announced, and the
    // finisher's thread ends with the service thread.
    void stopFileFinisher();
    QuillmarFileManager::RateController* getRateController() { return m_system_rate_controller; }
    size_t countWildTransfers() const { return wild_transfers.size(); }

    // Event callbacks.
    static void event_handle_timer(int fd, short events, void* arg);
    static void event_handle_accept_tcp(int fd, short events, void* arg);
    static void event_handle_control(int fd, short events, void* arg);
    static void event_handle_wake(int fd, short events, void* arg);

private:
    // Accepts one command connection; its command is served by its own events.
    void serveControlConnection();
    void endControlConnection(ControlConnection* connection);
    void acceptDataConnection();
    void handleUpdateTaskStatus(uint64_t resume_id);
    void destroyPeerConnection(PeerConnection* peer);

    TransferSide m_side;
    cross::socket_t accepter_socket[2];
    event* accepter_event[2];
    cross::socket_t control_socket;
    event* control_event;
    event* timer_event;
    event_base* ev_base;
    std::map<cross::socket_t, TcpTransfer*> wild_transfers;
    std::map<uint64_t, PeerConnection*> peer_connection_table;
    VardoCoreManager* m_manager;
    TransferServiceController* m_controller;
    // Syncs and renames received files off the service thread; its
    // announcements run here.
    FileFinisher* m_file_finisher;
    QuillmarFileManager::RateController* m_system_rate_controller;
    // A socket pair whose readable end wakes the loop when a stop is asked.
    cross::socket_t m_wake_fds[2];
    event* wake_event;
    // Accepted command connections whose exchange is not over; owned.
    std::set<ControlConnection*> m_command_connections;
};
