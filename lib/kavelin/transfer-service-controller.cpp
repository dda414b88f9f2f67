#include "kavelin/transfer-service-controller.h"

#include "kavelin/file-finisher.h"
#include "kavelin/transfer-service-impl.h"

TransferController::~TransferController() = default;

TransferServiceController::TransferServiceController(TransferServiceImpl* service_impl)
    : m_service_impl(service_impl)
{
}

TransferServiceController::~TransferServiceController() = default;

VardoCoreManager* TransferServiceController::getManager() { return m_service_impl->getManager(); }

event_base* TransferServiceController::getEventBase() { return m_service_impl->getEventBase(); }

void TransferServiceController::pushReport(uint64_t peer_id, PObject& report)
{
    m_service_impl->pushReport(peer_id, report);
}

bool TransferServiceController::popReport(uint64_t peer_id, PObject& report)
{
    return m_service_impl->popReport(peer_id, report);
}

bool TransferServiceController::setSocketPeerId(cross::socket_t socket, uint64_t peer_id)
{
    return m_service_impl->setSocketPeerId(socket, peer_id);
}

void TransferServiceController::controlPeerWrite(uint64_t peer_id, bool on, TransferUse use)
{
    m_service_impl->controlPeerWrite(peer_id, on, use);
}

void TransferServiceController::adjustBandwidth(uint64_t peer_id, void* transfer, BandwidthType type,
                                                BandwidthAction action)
{
    m_service_impl->adjustBandwidth(peer_id, transfer, type, action);
}

uint64_t TransferServiceController::getUsTimeWait(uint64_t peer_id, void* transfer, BandwidthType type,
                                                  uint64_t bytes)
{
    return m_service_impl->getUsTimeWait(peer_id, transfer, type, bytes);
}

bool TransferServiceController::taskIsStillRunning(uint64_t peer_id, token_t token)
{
    return m_service_impl->taskIsStillRunning(peer_id, token);
}

bool TransferController::taskIsBeingSent(uint64_t, token_t)
{
    return false;
}

bool TransferController::taskIsBeingReceived(uint64_t, token_t)
{
    return false;
}

FileFinisher* TransferController::getFileFinisher()
{
    return nullptr;
}

void TransferController::settleFinishedFiles()
{
    if (FileFinisher* finisher = getFileFinisher())
        finisher->settle();
}

FileFinisher* TransferServiceController::getFileFinisher()
{
    return m_service_impl->getFileFinisher();
}

bool TransferServiceController::taskIsBeingReceived(uint64_t peer_id, token_t token)
{
    return m_service_impl->taskIsBeingReceived(peer_id, token);
}

bool TransferServiceController::taskIsBeingSent(uint64_t peer_id, token_t token)
{
    return m_service_impl->taskIsBeingSent(peer_id, token);
}
