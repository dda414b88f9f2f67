#include "kavelin/transfer-service-ipc.h"

#include "channel/channel.h"
#include "log.h"
#include "protocol/stream.h"

namespace {

const char* const kComponent = "default_component";

PObject peerCommand(const char* action, uint64_t peer_id)
{
    PObject cmd;
    cmd["action"] = action;
    cmd["peer_id"] = static_cast<PObject::integer_type>(peer_id);
    return cmd;
}

void fillPeerAddress(PObject& cmd, TransferSide side, ConnectMethod method, const char* ip, int port)
{
    cmd["transfer_side"] = static_cast<int32_t>(side);
    cmd["connect_method"] = static_cast<int32_t>(method);
    cmd["ip"] = ip ? ip : "";
    cmd["port"] = static_cast<int32_t>(port);
}

// The domain-socket transport: one command per connection, like the port.
int sendOverDomainSocket(PObject& cmd, PObject* response)
{
    Channel channel(0);
    PStream stream;
    if (channel.OpenDomain(TransferServiceIpc::kDomainSocketName, true) != 0) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] transfer-service-ipc(%d): Open transfer service ipc domain sock failed %s\n",
               TransferServiceIpc::kDomainSocketName);
        return -1;
    }
    if (stream.Send(channel, cmd) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-ipc(%d): send ipc cmd failed\n");
        return -1;
    }
    if (!response)
        return 0;
    if (stream.Recv(channel, *response) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-ipc(%d): recv ipc rsp failed\n");
        return -1;
    }
    if (response->hasMember("error")) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-ipc(%d): ipc response error: %s\n",
               (*response)["error"].toString());
        return -1;
    }
    return 0;
}

} // namespace

const char* const TransferServiceIpc::kDomainSocketName = "quillmar-file-manager.transfer.service.ipc";

PObject TransferServiceIpc::addPeerCommand(uint64_t peer_id, TransferSide side, ConnectMethod method,
                                           const char* ip, int port)
{
    PObject cmd = peerCommand("add_peer", peer_id);
    fillPeerAddress(cmd, side, method, ip, port);
    return cmd;
}

PObject TransferServiceIpc::setPeerCommand(uint64_t peer_id, int concurrent, uint64_t max_upload,
                                           uint64_t max_download, uint64_t min_upload,
                                           uint64_t min_download, bool encrypted, bool compressed,
                                           const char* ssl_signature)
{
    PObject cmd = peerCommand("set_peer", peer_id);
    cmd["concurrent"] = static_cast<int32_t>(concurrent);
    cmd["max_upload"] = static_cast<PObject::integer_type>(max_upload);
    cmd["max_download"] = static_cast<PObject::integer_type>(max_download);
    cmd["min_upload"] = static_cast<PObject::integer_type>(min_upload);
    cmd["min_download"] = static_cast<PObject::integer_type>(min_download);
    cmd["encrypted"] = encrypted;
    cmd["compressed"] = compressed;
    cmd["ssl_signature"] = ssl_signature ? ssl_signature : "";
    return cmd;
}

PObject TransferServiceIpc::setPeerMtuCommand(uint64_t peer_id, int mtu)
{
    PObject cmd = peerCommand("set_peer_mtu", peer_id);
    cmd["mtu"] = static_cast<int32_t>(mtu);
    return cmd;
}

PObject TransferServiceIpc::setTotalBandwidthCommand(uint64_t max_upload, uint64_t max_download)
{
    PObject cmd;
    cmd["action"] = "set_bandwidth";
    cmd["upload"] = static_cast<PObject::integer_type>(max_upload);
    cmd["download"] = static_cast<PObject::integer_type>(max_download);
    return cmd;
}

PObject TransferServiceIpc::removePeerCommand(uint64_t peer_id, bool remove_info)
{
    PObject cmd = peerCommand("remove_peer", peer_id);
    cmd["remove_info"] = remove_info;
    return cmd;
}

PObject TransferServiceIpc::reconnectPeerCommand(uint64_t peer_id, TransferSide side,
                                                 ConnectMethod method, const char* ip, int port)
{
    PObject cmd = peerCommand("reconnect_peer", peer_id);
    fillPeerAddress(cmd, side, method, ip, port);
    return cmd;
}

PObject TransferServiceIpc::notifyNewCommand(uint64_t peer_id) { return peerCommand("notify_new", peer_id); }

PObject TransferServiceIpc::updateTaskStatusCommand(uint64_t resume_id)
{
    PObject cmd;
    cmd["action"] = "update_task_status";
    cmd["resume_id"] = static_cast<PObject::integer_type>(resume_id);
    return cmd;
}

PObject TransferServiceIpc::checkConnectionCommand(uint64_t peer_id)
{
    return peerCommand("check_connection", peer_id);
}

PObject TransferServiceIpc::debugTransferServiceCommand()
{
    PObject cmd;
    cmd["action"] = "debug_transfer_service";
    return cmd;
}

PObject TransferServiceIpc::RemoveAllConnectionsCommand()
{
    PObject cmd;
    cmd["action"] = "remove_all_connections";
    return cmd;
}

int TransferServiceIpc::sendCommand(PObject& cmd) { return sendOverDomainSocket(cmd, nullptr); }

int TransferServiceIpc::sendCommand(PObject& cmd, PObject& response)
{
    return sendOverDomainSocket(cmd, &response);
}

int TransferServiceIpc::addPeer(uint64_t peer_id, TransferSide side, ConnectMethod method, const char* ip,
                                int port)
{
    PObject cmd = addPeerCommand(peer_id, side, method, ip, port);
    return sendCommand(cmd);
}

int TransferServiceIpc::setPeer(uint64_t peer_id, int concurrent, uint64_t max_upload,
                                uint64_t max_download, uint64_t min_upload, uint64_t min_download,
                                bool encrypted, bool compressed, const char* ssl_signature)
{
    PObject cmd = setPeerCommand(peer_id, concurrent, max_upload, max_download, min_upload, min_download,
                                 encrypted, compressed, ssl_signature);
    return sendCommand(cmd);
}

int TransferServiceIpc::setPeerMtu(uint64_t peer_id, int mtu)
{
    PObject cmd = setPeerMtuCommand(peer_id, mtu);
    return sendCommand(cmd);
}

int TransferServiceIpc::setTotalBandwidth(uint64_t max_upload, uint64_t max_download)
{
    PObject cmd = setTotalBandwidthCommand(max_upload, max_download);
    return sendCommand(cmd);
}

int TransferServiceIpc::removePeer(uint64_t peer_id, bool remove_info)
{
    PObject cmd = removePeerCommand(peer_id, remove_info);
    return sendCommand(cmd);
}

int TransferServiceIpc::reconnectPeer(uint64_t peer_id, TransferSide side, ConnectMethod method,
                                      const char* ip, int port)
{
    PObject cmd = reconnectPeerCommand(peer_id, side, method, ip, port);
    return sendCommand(cmd);
}

int TransferServiceIpc::notifyNew(uint64_t peer_id)
{
    PObject cmd = notifyNewCommand(peer_id);
    return sendCommand(cmd);
}

int TransferServiceIpc::updateTaskStatus(uint64_t resume_id)
{
    PObject cmd = updateTaskStatusCommand(resume_id);
    return sendCommand(cmd);
}

int TransferServiceIpc::debugTransferService(PObject& debug)
{
    PObject cmd = debugTransferServiceCommand();
    return sendCommand(cmd, debug);
}
