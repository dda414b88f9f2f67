#include "kavelin/transfer-service-impl.h"

#include <event2/event.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <arpa/inet.h>

#include <cstring>

#include "kavelin/control-connection.h"
#include "kavelin/file-finisher.h"
#include "kavelin/peer-connection.h"
#include "kavelin/rate-controller.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"
#include "protocol/pobject.h"

namespace {

const char* const kComponent = "transfer_service_impl_debug";
const int kFirstControlPort = 1024;
const int kPortLimit = 65536;
const int kControlBacklog = 100;
// Each client opens its sending, receiving and report connections at once;
// a connect that finds the queue full is dropped and retried by the client's
// TCP only a second later, so a burst must fit while the loop is busy.
const int kDataBacklog = 128;

void closeSocket(cross::socket_t& fd)
{
    if (fd != cross::INVALID_SOCKET_VALUE) {
        ::close(fd);
        fd = cross::INVALID_SOCKET_VALUE;
    }
}

void freeEvent(event*& ev)
{
    if (ev) {
        event_free(ev);
        ev = nullptr;
    }
}

} // namespace

const unsigned TransferServiceImpl::kCommandIdleSeconds = 2;
const unsigned TransferServiceImpl::kCommandDeadlineSeconds = 3;
const size_t TransferServiceImpl::kMaxCommandConnections = 64;

FdGuard::~FdGuard()
{
    for (cross::socket_t fd : fd_guarded)
        ::close(fd);
}

TransferServiceImpl::TransferServiceImpl(TransferService* /*service*/, VardoCoreManager* manager)
    : m_side(TRANSFER_SIDE_CLIENT),
      accepter_socket{cross::INVALID_SOCKET_VALUE, cross::INVALID_SOCKET_VALUE},
      accepter_event{nullptr, nullptr},
      control_socket(cross::INVALID_SOCKET_VALUE),
      control_event(nullptr),
      timer_event(nullptr),
      ev_base(nullptr),
      m_manager(manager),
      m_controller(nullptr),
      m_file_finisher(nullptr),
      m_system_rate_controller(nullptr),
      m_wake_fds{cross::INVALID_SOCKET_VALUE, cross::INVALID_SOCKET_VALUE},
      wake_event(nullptr)
{
    m_controller = new TransferServiceController(this);
    ev_base = event_base_new();
    m_system_rate_controller = new QuillmarFileManager::RateController;

    if (!ev_base) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl(%d): Cannot create event base\n");
        return;
    }
    m_file_finisher = new FileFinisher(ev_base);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, m_wake_fds) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl(%d): Cannot create wake-up pair: %d\n",
               cross::getSystemError());
        m_wake_fds[0] = m_wake_fds[1] = cross::INVALID_SOCKET_VALUE;
        return;
    }
    wake_event = event_new(ev_base, m_wake_fds[0], EV_READ | EV_PERSIST, &event_handle_wake, this);
    if (wake_event)
        event_add(wake_event, nullptr);
}

TransferServiceImpl::~TransferServiceImpl()
{
    closeControlService();
    for (int slot = CM_UDP; slot <= CM_TCP; ++slot) {
        closeSocket(accepter_socket[slot]);
        freeEvent(accepter_event[slot]);
    }
    freeEvent(timer_event);
    freeEvent(wake_event);
    removeAllConnections();
    // Connections never bound to a peer are ours too; their events belong to
    // the base, so they go before it.
    for (auto& entry : wild_transfers)
        delete entry.second;
    wild_transfers.clear();
    // Its last announcements reach the task store through the controller,
    // and its event belongs to the base.
    delete m_file_finisher;
    m_file_finisher = nullptr;
    delete m_controller;
    m_controller = nullptr;
    if (ev_base)
        event_base_free(ev_base);
    ev_base = nullptr;
    closeSocket(m_wake_fds[0]);
    closeSocket(m_wake_fds[1]);
    delete m_system_rate_controller;
}

int TransferServiceImpl::initControlService()
{
    if (control_socket != cross::INVALID_SOCKET_VALUE) {
        // Already listening: a second init must not leak the first listener.
        sockaddr_in bound;
        socklen_t len = sizeof(bound);
        if (::getsockname(control_socket, reinterpret_cast<sockaddr*>(&bound), &len) == 0)
            return ntohs(bound.sin_port);
        return -1;
    }
    if (!ev_base)
        return -1;
    // Non-blocking: a connection that is gone by the time the loop accepts
    // it must not leave the loop waiting in accept for the next one.
    control_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
    if (control_socket < 0) {
        control_socket = cross::INVALID_SOCKET_VALUE;
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl(%d): Error at socket(): %d\n",
               cross::getSystemError());
        return -1;
    }
    sockaddr_in addr;
    std::memset(&addr, 0, sizeof(addr));
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = inet_addr("127.0.0.1");

    // Exclusive use: no SO_REUSEADDR/SO_REUSEPORT, so a port someone else
    // holds is never shared and the scan moves on.
    int port = kFirstControlPort;
    for (;; ++port) {
        QM_LOG(Logger::L_INFO, kComponent, L"[INFO] transfer-service-impl(%d): Try to bind port: %d\n", port);
        if (port >= kPortLimit) {
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl(%d): Port number exceeds 65536\n");
            return -1;
        }
        addr.sin_port = htons(static_cast<uint16_t>(port));
        if (::bind(control_socket, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0)
            break;
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] transfer-service-impl(%d): Bind port %d failed (%d), try next one\n", port,
               cross::getSystemError());
    }
    QM_LOG(Logger::L_INFO, kComponent, L"[INFO] transfer-service-impl(%d): Bind port %d success\n", port);

    if (::listen(control_socket, kControlBacklog) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl(%d): listen control socket failed %d.\n",
               cross::getSystemError());
        closeSocket(control_socket);
        return -1;
    }
    control_event = event_new(ev_base, control_socket, EV_READ | EV_PERSIST, &event_handle_control, this);
    if (!control_event || event_add(control_event, nullptr) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl(%d): Cannot register control socket\n");
        freeEvent(control_event);
        closeSocket(control_socket);
        return -1;
    }
    initTimer();
    return port;
}

void TransferServiceImpl::closeControlService()
{
    freeEvent(control_event);
    closeSocket(control_socket);
    // Their events belong to the base, so they go before it.
    for (ControlConnection* connection : m_command_connections)
        delete connection;
    m_command_connections.clear();
}

int TransferServiceImpl::initTimer()
{
    if (timer_event)
        return 0;
    timer_event = event_new(ev_base, -1, EV_PERSIST, &event_handle_timer, this);
    timeval period = {1, 0};
    if (timer_event)
        event_add(timer_event, &period);
    return 0;
}

int TransferServiceImpl::initTransferService(int bind_port)
{
    if (!ev_base)
        return -1;
    m_side = TRANSFER_SIDE_SERVER;
    if (accepter_socket[CM_TCP] != cross::INVALID_SOCKET_VALUE)
        return 0;
    cross::socket_t fd = ::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl(%d): Error at socket(): %d\n",
               cross::getSystemError());
        return -1;
    }
    FdGuard guard;
    guard.add(fd);

    sockaddr_in6 addr;
    std::memset(&addr, 0, sizeof(addr));
    addr.sin6_family = AF_INET6;
    addr.sin6_port = htons(static_cast<uint16_t>(bind_port));
    addr.sin6_addr = in6addr_any;

    int on = 1;
    if (::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on)) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl(%d): (tcp)setsockopt SO_REUSEADDR: %d\n",
               cross::getSystemError());
        return -1;
    }
    // IPv4 clients reach the same listener as mapped addresses.
    int off = 0;
    if (::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof(off)) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl(%d): (tcp)setsockopt IPV6_V6ONLY: %d\n",
               cross::getSystemError());
        return -1;
    }
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0) {
        // The established text of this line; it names 3363 whatever the port.
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl(%d): bind(CM_TCP) 3363 port failed %d.\n",
               cross::getSystemError());
        return -1;
    }
    if (::listen(fd, kDataBacklog) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl(%d): listen(CM_TCP) failed %d.\n",
               cross::getSystemError());
        return -1;
    }
    event* ev = event_new(ev_base, fd, EV_READ | EV_PERSIST, &event_handle_accept_tcp, this);
    if (!ev || event_add(ev, nullptr) != 0) {
        if (ev)
            event_free(ev);
        return -1;
    }
    accepter_socket[CM_TCP] = fd;
    accepter_event[CM_TCP] = ev;
    guard.release();
    return 0;
}

int TransferServiceImpl::accept()
{
    if (!ev_base)
        return -1;
    timeval slice = {1, 0};
    event_base_loopexit(ev_base, &slice);
    return event_base_dispatch(ev_base);
}

void TransferServiceImpl::wakeUp()
{
    if (m_wake_fds[1] == cross::INVALID_SOCKET_VALUE)
        return;
    char byte = 1;
    // A full pair already holds a wake-up; nothing to add.
    ssize_t ignored = ::send(m_wake_fds[1], &byte, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    (void)ignored;
}

void TransferServiceImpl::event_handle_wake(int fd, short, void* arg)
{
    char buf[64];
    while (::recv(fd, buf, sizeof(buf), MSG_DONTWAIT) > 0) {
    }
    event_base_loopbreak(static_cast<TransferServiceImpl*>(arg)->ev_base);
}

void TransferServiceImpl::event_handle_timer(int, short, void* arg)
{
    static_cast<TransferServiceImpl*>(arg)->adjustPeerConnectionTransfers();
}

void TransferServiceImpl::event_handle_accept_tcp(int, short, void* arg)
{
    static_cast<TransferServiceImpl*>(arg)->acceptDataConnection();
}

void TransferServiceImpl::event_handle_control(int, short, void* arg)
{
    static_cast<TransferServiceImpl*>(arg)->serveControlConnection();
}

int TransferServiceImpl::adjustPeerConnectionTransfers()
{
    for (auto it = wild_transfers.begin(); it != wild_transfers.end();) {
        if (it->second->isAborted()) {
            delete it->second;
            it = wild_transfers.erase(it);
        } else {
            ++it;
        }
    }
    std::vector<uint64_t> disconnected;
    for (auto& entry : peer_connection_table) {
        entry.second->adjustTransfers();
        if (entry.second->isDisconnected())
            disconnected.push_back(entry.first);
    }
    m_system_rate_controller->recalculateSpeed();
    if (m_manager)
        m_manager->setDisconnectedPeers(disconnected);
    return 0;
}

void TransferServiceImpl::acceptDataConnection()
{
    TcpTransfer* transfer = new TcpTransfer(m_controller);
    transfer->setTransferSide(TRANSFER_SIDE_SERVER);
    if (transfer->accept(accepter_socket[CM_TCP]) < 0) {
        delete transfer;
        return;
    }
    cross::socket_t fd = transfer->getSocket();
    auto it = wild_transfers.find(fd);
    if (it != wild_transfers.end()) {
        // The descriptor was reused after an aborted connection closed it;
        // the old object would otherwise be lost.
        delete it->second;
        it->second = transfer;
    } else {
        wild_transfers.emplace(fd, transfer);
    }
}

bool TransferServiceImpl::setSocketPeerId(cross::socket_t socket, uint64_t peer_id)
{
    auto wild = wild_transfers.find(socket);
    if (wild == wild_transfers.end()) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] transfer-service-impl(%d): Cannot setSocketPeerId %d: no such connection\n", socket);
        return false;
    }
    PeerConnection* peer = getPeerConnection(peer_id);
    if (!peer) {
        // A login records its seed before it adds its peer here: a data
        // connection that comes in between is refused, and its end retries.
        QM_LOG(Logger::L_WARNING, kComponent,
               L"[WARNING] transfer-service-impl(%d): connection %d refused: peer %llu is not ready\n", socket,
               static_cast<unsigned long long>(peer_id));
        return false;
    }
    peer->addTcpTransfer(wild->second);
    wild_transfers.erase(wild);
    return true;
}

void TransferServiceImpl::addPeer(uint64_t peer_id, TransferSide side, ConnectMethod method, const std::string& ip,
                                  int port)
{
    if (peer_connection_table.count(peer_id))
        return;
    PeerConnection* peer = new PeerConnection(m_controller, peer_id, side, method, ip, port);
    peer_connection_table.emplace(peer_id, peer);
    if (side == TRANSFER_SIDE_SERVER)
        m_system_rate_controller->registerConnection(peer);
}

void TransferServiceImpl::stopFileFinisher()
{
    if (m_file_finisher)
        m_file_finisher->stop();
}

void TransferServiceImpl::destroyPeerConnection(PeerConnection* peer)
{
    // Files of the peer still being finished are announced while its report
    // queue is there to take their word.
    if (m_file_finisher)
        m_file_finisher->settle();
    m_system_rate_controller->unregisterConnection(peer);
    // The entry stays in the table while the peer is deleted: its data
    // connections unregister their bandwidth through us on the way out.
    delete peer;
}

void TransferServiceImpl::removePeerConnection(uint64_t peer_id)
{
    auto it = peer_connection_table.find(peer_id);
    if (it == peer_connection_table.end())
        return;
    destroyPeerConnection(it->second);
    peer_connection_table.erase(it);
}

void TransferServiceImpl::removeAllConnections()
{
    for (auto& entry : peer_connection_table)
        destroyPeerConnection(entry.second);
    peer_connection_table.clear();
}

PeerConnection* TransferServiceImpl::getPeerConnection(uint64_t peer_id)
{
    auto it = peer_connection_table.find(peer_id);
    return it == peer_connection_table.end() ? nullptr : it->second;
}

void TransferServiceImpl::pushReport(uint64_t peer_id, PObject& report)
{
    PeerConnection* peer = getPeerConnection(peer_id);
    if (!peer) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl(%d): Cannot pushReport to an unknown peer %llu\n",
               static_cast<unsigned long long>(peer_id));
        return;
    }
    peer->pushReport(report);
}

bool TransferServiceImpl::popReport(uint64_t peer_id, PObject& report)
{
    PeerConnection* peer = getPeerConnection(peer_id);
    if (!peer) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] transfer-service-impl(%d): Cannot popReport from an unknown peer %llu\n",
               static_cast<unsigned long long>(peer_id));
        return false;
    }
    return peer->popReport(report);
}

void TransferServiceImpl::controlPeerWrite(uint64_t peer_id, bool on, TransferUse use)
{
    PeerConnection* peer = getPeerConnection(peer_id);
    if (!peer) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] transfer-service-impl(%d): Cannot controlPeerWrite to an unknown peer %llu\n",
               static_cast<unsigned long long>(peer_id));
        return;
    }
    peer->controlWrite(on, use);
}

void TransferServiceImpl::adjustBandwidth(uint64_t peer_id, void* transfer, BandwidthType type, BandwidthAction action)
{
    PeerConnection* peer = getPeerConnection(peer_id);
    if (!peer) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] transfer-service-impl(%d): Cannot adjustBandwidth to an unknown peer %llu\n",
               static_cast<unsigned long long>(peer_id));
        return;
    }
    peer->adjustBandwidth(transfer, type, action);
}

uint64_t TransferServiceImpl::getUsTimeWait(uint64_t peer_id, void* transfer, BandwidthType type, uint64_t bytes)
{
    PeerConnection* peer = getPeerConnection(peer_id);
    if (!peer) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] transfer-service-impl(%d): Cannot getUsTimeWait to an unknown peer %llu\n",
               static_cast<unsigned long long>(peer_id));
        return 0;
    }
    return peer->getUsTimeWait(transfer, type, bytes);
}

bool TransferServiceImpl::taskIsStillRunning(uint64_t peer_id, token_t token)
{
    PeerConnection* peer = getPeerConnection(peer_id);
    return peer ? peer->taskIsStillRunning(token) : false;
}

bool TransferServiceImpl::taskIsBeingReceived(uint64_t peer_id, token_t token)
{
    if (m_file_finisher && m_file_finisher->isFinishing(peer_id, token))
        return true;
    PeerConnection* peer = getPeerConnection(peer_id);
    return peer ? peer->taskIsBeingReceived(token) : false;
}

bool TransferServiceImpl::taskIsBeingSent(uint64_t peer_id, token_t token)
{
    PeerConnection* peer = getPeerConnection(peer_id);
    return peer ? peer->taskIsBeingSent(token) : false;
}

void TransferServiceImpl::debugTransferService(PObject& debug)
{
    debug["01. m_side"] = m_side == TRANSFER_SIDE_CLIENT ? "client" : "server";
    PObject accepter;
    accepter["TCP"] = static_cast<uint32_t>(accepter_socket[CM_TCP]);
    debug["02. accepter_socket"] = accepter;
    debug["03. control_socket"] = static_cast<uint32_t>(control_socket);
    PObject wild;
    wild.asArray();
    for (auto& entry : wild_transfers) {
        PObject item;
        item["socket"] = static_cast<uint32_t>(entry.first);
        item["pointer"] = entry.second != nullptr;
        wild.asArray().push_back(item);
    }
    debug["04. wild_transfers"] = wild;
    PObject peers;
    peers.asArray();
    for (auto& entry : peer_connection_table) {
        PObject item;
        entry.second->debugPeerConnection(item);
        peers.asArray().push_back(item);
    }
    debug["05. peer_connection_table"] = peers;
}
