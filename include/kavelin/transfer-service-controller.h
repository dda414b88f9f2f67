#pragma once

#include <cstdint>

#include "file-op-ex.h"
#include "kavelin/bandwidth-calculator.h"
#include "kavelin/resume-info.h"
#include "kavelin/transfer-types.h"

struct event_base;
class FileFinisher;
class PObject;
class TransferServiceImpl;
class VardoCoreManager;

// What a data connection may ask of the service core. Data connections never
// hold the core itself; everything runs on the service thread.
class TransferController {
public:
    virtual ~TransferController();
    virtual VardoCoreManager* getManager() = 0;
    virtual event_base* getEventBase() = 0;
    // Queues a report for the peer's report connection; report is left null.
    virtual void pushReport(uint64_t peer_id, PObject& report) = 0;
    // Takes the oldest queued report of the peer; false when there is none.
    virtual bool popReport(uint64_t peer_id, PObject& report) = 0;
    // Binds an accepted (wild) data connection to its peer (server side);
    // false when the connection or the peer is not known here.
    virtual bool setSocketPeerId(cross::socket_t socket, uint64_t peer_id) = 0;
    // Turns write events on or off for every data connection of the peer in that use.
    virtual void controlPeerWrite(uint64_t peer_id, bool on, TransferUse use) = 0;
    virtual void adjustBandwidth(uint64_t peer_id, void* transfer, BandwidthType type,
                                 BandwidthAction action) = 0;
    // Microseconds the data connection must wait after moving bytes.
    virtual uint64_t getUsTimeWait(uint64_t peer_id, void* transfer, BandwidthType type,
                                   uint64_t bytes) = 0;
    virtual bool taskIsStillRunning(uint64_t peer_id, token_t token) = 0;
    // Whether a sending connection of the peer is writing that task's header
    // or contents right now.
    virtual bool taskIsBeingSent(uint64_t peer_id, token_t token);
    // Whether a receiving connection of the peer is reading that task's
    // file, or the file is received whole and not yet announced.
    virtual bool taskIsBeingReceived(uint64_t peer_id, token_t token);
    // Where received files are synced and renamed; null: on this thread,
    // as each read wake-up ends.
    virtual FileFinisher* getFileFinisher();
    // Every received file handed over so far is finished and announced
    // when this returns.
    void settleFinishedFiles();
};

// The controller of the service core: forwards every call to the core.
class TransferServiceController : public TransferController {
public:
    explicit TransferServiceController(TransferServiceImpl* service_impl);
    ~TransferServiceController() override;

    VardoCoreManager* getManager() override;
    event_base* getEventBase() override;
    void pushReport(uint64_t peer_id, PObject& report) override;
    bool popReport(uint64_t peer_id, PObject& report) override;
    bool setSocketPeerId(cross::socket_t socket, uint64_t peer_id) override;
    void controlPeerWrite(uint64_t peer_id, bool on, TransferUse use) override;
    void adjustBandwidth(uint64_t peer_id, void* transfer, BandwidthType type,
                         BandwidthAction action) override;
    uint64_t getUsTimeWait(uint64_t peer_id, void* transfer, BandwidthType type,
                           uint64_t bytes) override;
    bool taskIsStillRunning(uint64_t peer_id, token_t token) override;
    bool taskIsBeingSent(uint64_t peer_id, token_t token) override;
    bool taskIsBeingReceived(uint64_t peer_id, token_t token) override;
    FileFinisher* getFileFinisher() override;

private:
    TransferServiceImpl* m_service_impl;
};
