#pragma once

#include <cstdint>

// What the system-wide rate controller needs of a peer: its measured speeds
// and a place to put its share. PeerConnection is the one implementation.
class RateControlledPeer {
public:
    virtual ~RateControlledPeer();
    virtual uint64_t getCurrentOutputSpeedKBps() = 0;
    virtual uint64_t getCurrentInputSpeedKBps() = 0;
    virtual void setSharedSpeedLimit(uint64_t output, uint64_t input) = 0;
};

namespace QuillmarFileManager {

enum RateControlDirection : int32_t {
    PRC_OUTPUT = 0,
    PRC_BEGIN = 0,
    PRC_INPUT = 1,
    PRC_END = 2,
    PRC_LENGTH = 2,
};

class RateControllerPrivate;

// Shares a configured system-wide limit per direction (KB/s, 0 = none) among
// the registered peers once per tick, with a floor of 128 KB/s per peer.
// Peers are not owned. Used on the service thread only.
class RateController {
public:
    RateController();
    ~RateController();
    RateController(const RateController&) = delete;
    RateController& operator=(const RateController&) = delete;

    // Takes effect at the next recalculateSpeed.
    void setConfigLimit(uint64_t output, uint64_t input);
    // False, and no change, when the peer is already registered.
    bool registerConnection(RateControlledPeer* peer);
    // False when the peer was not registered.
    bool unregisterConnection(RateControlledPeer* peer);
    void recalculateSpeed();
    uint64_t countRegistered() const;

private:
    RateControllerPrivate* m_private;
};

} // namespace QuillmarFileManager
