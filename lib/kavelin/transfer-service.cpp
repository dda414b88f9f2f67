#include "kavelin/transfer-service.h"

#include <cerrno>

#include "channel/channel.h"
#include "kavelin/transfer-service-impl.h"
#include "kavelin/transfer-service-ipc.h"
#include "log.h"
#include "protocol/stream.h"

namespace {

const char* const kComponent = "default_component";

int sendAndMaybeReceive(int port, PObject& cmd, PObject* response)
{
    if (port < 0) {
        // The control listener never opened: nothing to connect to.
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] transfer-service(%d): Open transfer service ipc channel failed %d\n", port);
        return -1;
    }
    Channel channel(0);
    PStream stream;
    if (channel.Open("127.0.0.1", port) != 0) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] transfer-service(%d): Open transfer service ipc channel failed %d\n", port);
        return -1;
    }
    if (stream.Send(channel, cmd) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service(%d): send ipc cmd failed\n");
        return -1;
    }
    if (!response)
        return 0;
    if (stream.Recv(channel, *response) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service(%d): recv ipc rsp failed\n");
        return -1;
    }
    if (response->hasMember("error")) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service(%d): ipc response error: %s\n",
               (*response)["error"].toString());
        return -1;
    }
    return 0;
}

} // namespace

TransferService::TransferService(VardoCoreManager* manager)
    : m_impl(new TransferServiceImpl(this, manager)),
      m_control_port(0),
      m_thread(),
      m_thread_started(false),
      m_run(false),
      m_thread_alive(false)
{
}

TransferService::~TransferService()
{
    // The core must not be freed under a running loop.
    if (m_thread_started)
        stopService();
    delete m_impl;
}

int TransferService::init(TransferSide side, int bind_port)
{
    if (side == TRANSFER_SIDE_SERVER && m_impl->initTransferService(bind_port) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service(%d): Cannot init transfer service.\n");
        return -1;
    }
    int port = m_impl->initControlService();
    m_control_port.store(port);
    if (port < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service(%d): Cannot init control service.\n");
        return -1;
    }
    return 0;
}

int TransferService::startService()
{
    if (m_thread_started) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service(%d): service thread already started\n");
        return EBUSY;
    }
    // Raised before the thread exists, so a stop that comes before the
    // thread's first slice still ends it.
    m_run.store(true);
    m_thread_alive.store(true);
    int result = pthread_create(&m_thread, nullptr, &TransferService::run_service, this);
    if (result != 0) {
        m_run.store(false);
        m_thread_alive.store(false);
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service(%d): Cannot create service thread (%d)\n",
               result);
        return result;
    }
    m_thread_started = true;
    return 0;
}

int TransferService::accept() { return m_impl->accept(); }

void* TransferService::run_service(void* t)
{
    static_cast<TransferService*>(t)->serviceLoop();
    return nullptr;
}

void TransferService::serviceLoop()
{
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service(%d): service started\n");
    while (true) {
        if (accept() < 0) {
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service(%d): event loop failed, service ends\n");
            // Nobody will serve commands any more: refuse them at once instead
            // of letting every waiting sender hang for the channel time-out.
            m_impl->closeControlService();
            // The freed port may soon belong to another engine; later
            // commands must fail here rather than reach that one.
            m_control_port.store(-1);
            break;
        }
        if (!m_run.load())
            break;
    }
    m_impl->stopFileFinisher();
    m_thread_alive.store(false);
}

int TransferService::stopService()
{
    if (!m_thread_started)
        return 0;
    if (m_thread_alive.load()) {
        PObject cmd = TransferServiceIpc::RemoveAllConnectionsCommand();
        PObject response;
        sendCommand(getControlPort(), cmd, response);
    }
    m_run.store(false);
    m_impl->wakeUp();
    int result = pthread_join(m_thread, nullptr);
    m_thread_started = false;
    return result;
}

int TransferService::sendCommand(int port, PObject& cmd) { return sendAndMaybeReceive(port, cmd, nullptr); }

int TransferService::sendCommand(int port, PObject& cmd, PObject& response)
{
    return sendAndMaybeReceive(port, cmd, &response);
}

int TransferService::addPeer(int control_port, uint64_t peer_id, TransferSide side, ConnectMethod method,
                             const char* ip, int port)
{
    PObject cmd = TransferServiceIpc::addPeerCommand(peer_id, side, method, ip, port);
    return sendCommand(control_port, cmd);
}

int TransferService::setPeer(int control_port, uint64_t peer_id, int concurrent, uint64_t max_upload,
                             uint64_t max_download, uint64_t min_upload, uint64_t min_download,
                             bool encrypted, bool compressed, const char* ssl_signature)
{
    PObject cmd = TransferServiceIpc::setPeerCommand(peer_id, concurrent, max_upload, max_download,
                                                     min_upload, min_download, encrypted, compressed,
                                                     ssl_signature);
    return sendCommand(control_port, cmd);
}

int TransferService::setPeerMtu(int control_port, uint64_t peer_id, int mtu)
{
    PObject cmd = TransferServiceIpc::setPeerMtuCommand(peer_id, mtu);
    return sendCommand(control_port, cmd);
}

int TransferService::setTotalBandwidth(int control_port, uint64_t max_upload, uint64_t max_download)
{
    PObject cmd = TransferServiceIpc::setTotalBandwidthCommand(max_upload, max_download);
    return sendCommand(control_port, cmd);
}

int TransferService::removePeer(int control_port, uint64_t peer_id, bool remove_info)
{
    PObject cmd = TransferServiceIpc::removePeerCommand(peer_id, remove_info);
    return sendCommand(control_port, cmd);
}

int TransferService::notifyNew(int control_port, uint64_t peer_id)
{
    PObject cmd = TransferServiceIpc::notifyNewCommand(peer_id);
    return sendCommand(control_port, cmd);
}

int TransferService::updateTaskStatus(int control_port, uint64_t resume_id)
{
    PObject cmd = TransferServiceIpc::updateTaskStatusCommand(resume_id);
    return sendCommand(control_port, cmd);
}

int TransferService::checkConnection(int control_port, uint64_t peer_id)
{
    PObject cmd = TransferServiceIpc::checkConnectionCommand(peer_id);
    PObject response;
    return sendCommand(control_port, cmd, response);
}

int TransferService::debugTransferService(int control_port, PObject& debug)
{
    PObject cmd = TransferServiceIpc::debugTransferServiceCommand();
    return sendCommand(control_port, cmd, debug);
}

int TransferService::addPeer(uint64_t peer_id, TransferSide side, ConnectMethod method, const char* ip, int port)
{
    return addPeer(getControlPort(), peer_id, side, method, ip, port);
}

int TransferService::setPeer(uint64_t peer_id, int concurrent, uint64_t max_upload, uint64_t max_download,
                             uint64_t min_upload, uint64_t min_download, bool encrypted, bool compressed,
                             const char* ssl_signature)
{
    return setPeer(getControlPort(), peer_id, concurrent, max_upload, max_download, min_upload, min_download,
                   encrypted, compressed, ssl_signature);
}

int TransferService::setPeerMtu(uint64_t peer_id, int mtu) { return setPeerMtu(getControlPort(), peer_id, mtu); }

int TransferService::setTotalBandwidth(uint64_t max_upload, uint64_t max_download)
{
    return setTotalBandwidth(getControlPort(), max_upload, max_download);
}

int TransferService::removePeer(uint64_t peer_id, bool remove_info)
{
    return removePeer(getControlPort(), peer_id, remove_info);
}

int TransferService::notifyNew(uint64_t peer_id) { return notifyNew(getControlPort(), peer_id); }

int TransferService::updateTaskStatus(uint64_t resume_id) { return updateTaskStatus(getControlPort(), resume_id); }

int TransferService::checkConnection(uint64_t peer_id) { return checkConnection(getControlPort(), peer_id); }

int TransferService::debugTransferService(PObject& debug) { return debugTransferService(getControlPort(), debug); }
