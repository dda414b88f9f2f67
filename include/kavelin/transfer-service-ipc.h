#pragma once

#include <cstdint>
#include <string>

#include "kavelin/transfer-types.h"
#include "protocol/pobject.h"

// The engine's command set: builders of the command maps, and the senders of
// the local domain-socket variant used by a server-side process.
class TransferServiceIpc {
public:
    static const char* const kDomainSocketName;

    static PObject addPeerCommand(uint64_t peer_id, TransferSide side, ConnectMethod method,
                                  const char* ip, int port);
    static PObject setPeerCommand(uint64_t peer_id, int concurrent, uint64_t max_upload,
                                  uint64_t max_download, uint64_t min_upload, uint64_t min_download,
                                  bool encrypted, bool compressed, const char* ssl_signature);
    static PObject setPeerMtuCommand(uint64_t peer_id, int mtu);
    static PObject setTotalBandwidthCommand(uint64_t max_upload, uint64_t max_download);
    static PObject removePeerCommand(uint64_t peer_id, bool remove_info);
    static PObject reconnectPeerCommand(uint64_t peer_id, TransferSide side, ConnectMethod method,
                                        const char* ip, int port);
    static PObject notifyNewCommand(uint64_t peer_id);
    static PObject updateTaskStatusCommand(uint64_t resume_id);
    static PObject checkConnectionCommand(uint64_t peer_id);
    static PObject debugTransferServiceCommand();
    static PObject RemoveAllConnectionsCommand();

    // Over the local domain socket; 0 or -1.
    static int sendCommand(PObject& cmd);
    static int sendCommand(PObject& cmd, PObject& response);

    static int addPeer(uint64_t peer_id, TransferSide side, ConnectMethod method, const char* ip,
                       int port);
    static int setPeer(uint64_t peer_id, int concurrent, uint64_t max_upload, uint64_t max_download,
                       uint64_t min_upload, uint64_t min_download, bool encrypted, bool compressed,
                       const char* ssl_signature);
    static int setPeerMtu(uint64_t peer_id, int mtu);
    static int setTotalBandwidth(uint64_t max_upload, uint64_t max_download);
    static int removePeer(uint64_t peer_id, bool remove_info);
    static int reconnectPeer(uint64_t peer_id, TransferSide side, ConnectMethod method,
                             const char* ip, int port);
    static int notifyNew(uint64_t peer_id);
    static int updateTaskStatus(uint64_t resume_id);
    static int debugTransferService(PObject& debug);
};
