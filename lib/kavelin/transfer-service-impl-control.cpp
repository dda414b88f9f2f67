// Serving the loopback command connections and acting on each command.
#include <sys/socket.h>
#include <unistd.h>

#include "kavelin/control-connection.h"
#include "kavelin/error-code.h"
#include "kavelin/peer-connection.h"
#include "kavelin/rate-controller.h"
#include "kavelin/transfer-service-impl.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"
#include "protocol/pobject.h"

namespace {
const char* const kComponent = "transfer_service_impl_debug";

// Enumerations travel as 64-bit integers; narrowed to their 32 bits first so
// that any value from the wire converts to the enumeration's type.
TransferSide readSide(const PObject& cmd)
{
    return static_cast<TransferSide>(static_cast<int32_t>(cmd["transfer_side"].asInteger()));
}

ConnectMethod readMethod(const PObject& cmd)
{
    return static_cast<ConnectMethod>(static_cast<int32_t>(cmd["connect_method"].asInteger()));
}
constexpr uint64_t kCommandMaxBytes = 16u << 20;
constexpr size_t kCommandMaxValues = 1u << 20;
} // namespace

void TransferServiceImpl::serveControlConnection()
{
    sockaddr_storage peer_address;
    socklen_t length = sizeof(peer_address);
    cross::socket_t fd = ::accept4(control_socket, reinterpret_cast<sockaddr*>(&peer_address), &length,
                                   SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        // Also when the connection went away before it was taken.
        if (!cross::isErrorWouldBlock(cross::getSocketError()))
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] transfer-service-impl-control(%d): Cannot accept control channel.\n");
        return;
    }
    if (m_command_connections.size() >= kMaxCommandConnections) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] transfer-service-impl-control(%d): %zu command connections open, closing a new one.\n",
               m_command_connections.size());
        ::close(fd);
        return;
    }
    // Commands are small maps: any local process can connect here, so it
    // must not make the engine write files, hold unbounded memory or wait.
    ControlConnection::Limits limits;
    limits.max_bytes = kCommandMaxBytes;
    limits.max_values = kCommandMaxValues;
    limits.idle_seconds = kCommandIdleSeconds;
    limits.deadline_seconds = kCommandDeadlineSeconds;
    ControlConnection* connection = new ControlConnection(
        ev_base, fd, limits, [this](const PObject& cmd, PObject& response) { handleControlRequest(cmd, response); },
        [this](ControlConnection* done) { endControlConnection(done); });
    if (connection->start() != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl-control(%d): Cannot open control channel.\n");
        delete connection;
        return;
    }
    m_command_connections.insert(connection);
}

void TransferServiceImpl::endControlConnection(ControlConnection* connection)
{
    m_command_connections.erase(connection);
    delete connection;
}

int TransferServiceImpl::handleControlRequest(const PObject& cmd, PObject& response)
{
    const std::string action = cmd["action"].asString();
    QM_LOG(Logger::L_DEBUG, kComponent, L"[DEBUG] transfer-service-impl-control(%d): control channel cmd %s\n",
           cmd.toString());

    if (action == "add_peer") {
        addPeer(cmd["peer_id"].asUInt64(), readSide(cmd), readMethod(cmd), cmd["ip"].asString(),
                static_cast<int>(cmd["port"].asInteger()));
    } else if (action == "set_peer") {
        uint64_t peer_id = cmd["peer_id"].asUInt64();
        PeerConnection* peer = getPeerConnection(peer_id);
        if (peer) {
            peer->setMaxTransfer(static_cast<int>(cmd["concurrent"].asInteger()));
            peer->setLocalSpeedLimit(cmd["max_upload"].asUInt64(), cmd["max_download"].asUInt64());
            peer->setEncrypted(cmd["encrypted"].asBool());
            peer->setCompressed(cmd["compressed"].asBool());
            peer->setSSLSignature(cmd["ssl_signature"].asString());
            peer->checkTransfers();
            controlPeerWrite(peer_id, true, TRANSFER_USE_ACTIVE);
        }
    } else if (action == "set_peer_mtu") {
        PeerConnection* peer = getPeerConnection(cmd["peer_id"].asUInt64());
        if (peer)
            peer->setMtu(static_cast<int>(cmd["mtu"].asInteger()));
    } else if (action == "set_bandwidth") {
        uint64_t upload = cmd["upload"].asInteger();
        uint64_t download = cmd["download"].asInteger();
        QM_LOG(Logger::L_INFO, kComponent, L"[INFO] transfer-service-impl-control(%d): User set bandwidth to %llu, %llu\n",
               static_cast<unsigned long long>(upload), static_cast<unsigned long long>(download));
        m_system_rate_controller->setConfigLimit(upload, download);
    } else if (action == "remove_peer") {
        uint64_t peer_id = cmd["peer_id"].asUInt64();
        removePeerConnection(peer_id);
        QM_LOG(Logger::L_INFO, kComponent, L"[INFO] transfer-service-impl-control(%d): Removing peer %llu\n",
               static_cast<unsigned long long>(peer_id));
        if (m_manager) {
            if (cmd["remove_info"].asBool())
                m_manager->removePeer(peer_id);
            else
                m_manager->updateDisconnectedInfo(peer_id);
        }
        response["success"] = true;
    } else if (action == "reconnect_peer") {
        uint64_t peer_id = cmd["peer_id"].asUInt64();
        removePeerConnection(peer_id);
        if (m_manager)
            m_manager->updateDisconnectedInfo(peer_id);
        addPeer(peer_id, readSide(cmd), readMethod(cmd), cmd["ip"].asString(),
                static_cast<int>(cmd["port"].asInteger()));
    } else if (action == "remove_all_connections") {
        removeAllConnections();
        response["success"] = true;
    } else if (action == "check_connection") {
        PeerConnection* peer = getPeerConnection(cmd["peer_id"].asUInt64());
        if (peer && peer->checkConnection())
            response["success"] = true;
        else
            response["error"] = "Data channel not ready";
    } else if (action == "notify_new") {
        controlPeerWrite(cmd["peer_id"].asUInt64(), true, TRANSFER_USE_ACTIVE);
    } else if (action == "update_task_status") {
        handleUpdateTaskStatus(cmd["resume_id"].asUInt64());
    } else if (action == "debug_transfer_service") {
        debugTransferService(response);
    }
    return 0;
}

void TransferServiceImpl::handleUpdateTaskStatus(uint64_t resume_id)
{
    if (!m_manager)
        return;
    ResumeInfo info;
    // An unknown id leaves the record empty, whose user action is UA_NONE.
    m_manager->getResumeInfoFromResumeId(resume_id, info);
    PeerConnection* peer = getPeerConnection(info.peer_id);

    switch (info.user_action) {
    case ResumeInfo::UA_START: {
        PObject update;
        update["resume_id"] = static_cast<PObject::integer_type>(resume_id);
        update["user_action"] = static_cast<int32_t>(ResumeInfo::UA_NONE);
        if (info.local_state != ResumeInfo::RI_RUNNING) {
            if (!peer) {
                update["local_state"] = static_cast<int32_t>(ResumeInfo::RI_ERROR);
                update["error"] = static_cast<int32_t>(ProjectVardo::ERR_CONNECTION_LOST);
            } else {
                update["local_state"] = static_cast<int32_t>(ResumeInfo::RI_WAITING);
                update["remote_state"] = static_cast<int32_t>(ResumeInfo::RI_WAITING);
                update["error"] = static_cast<int32_t>(ProjectVardo::ERR_OK);
                controlPeerWrite(info.peer_id, true, TRANSFER_USE_ACTIVE);
            }
        }
        m_manager->updatePartialInfo(update);
        break;
    }
    case ResumeInfo::UA_PAUSE:
    case ResumeInfo::UA_ABORT: {
        const bool is_pause = info.user_action == ResumeInfo::UA_PAUSE;
        if (peer && info.token != 0)
            peer->abortTask(info.token);
        if (is_pause) {
            PObject update;
            update["resume_id"] = static_cast<PObject::integer_type>(resume_id);
            update["local_state"] = static_cast<int32_t>(ResumeInfo::RI_PAUSED);
            update["user_action"] = static_cast<int32_t>(ResumeInfo::UA_NONE);
            m_manager->updatePartialInfo(update);
        } else {
            m_manager->removeInfo(resume_id);
        }
        if (peer) {
            controlPeerWrite(info.peer_id, true, TRANSFER_USE_ACTIVE);
            peer->reportAbort(info.token, is_pause);
        }
        break;
    }
    default:
        break;
    }
}
