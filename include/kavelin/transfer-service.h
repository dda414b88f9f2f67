#pragma once

#include <pthread.h>

#include <atomic>
#include <cstdint>

#include "kavelin/transfer-types.h"
#include "protocol/pobject.h"

class TransferServiceImpl;
class VardoCoreManager;

// The engine's front: sets up the listeners of one side, runs the service
// thread that turns the event loop, stops it, and sends the engine's
// commands. Senders may be called from any thread except the service thread.
class TransferService {
public:
    explicit TransferService(VardoCoreManager* manager);
    // Stops the service thread first if it still runs.
    ~TransferService();
    TransferService(const TransferService&) = delete;
    TransferService& operator=(const TransferService&) = delete;

    // Opens the data listener (server side only) and the control listener. 0 or -1.
    int init(TransferSide side, int bind_port);
    int getControlPort() const { return m_control_port.load(); }
    // 0, or the thread library's error number (EBUSY when already running).
    int startService();
    // One slice (about 1 s) of the event loop: the loop's result, negative on failure.
    int accept();
    // Removes every connection, ends the service thread and joins it; the join's result.
    int stopService();
    static void* run_service(void* t);
    // True while the service thread turns the loop.
    bool isServiceRunning() const { return m_thread_alive.load(); }

    // Senders to a given control port; 0 or -1.
    static int addPeer(int control_port, uint64_t peer_id, TransferSide side, ConnectMethod method,
                       const char* ip, int port);
    static int setPeer(int control_port, uint64_t peer_id, int concurrent, uint64_t max_upload,
                       uint64_t max_download, uint64_t min_upload, uint64_t min_download,
                       bool encrypted, bool compressed, const char* ssl_signature);
    static int setPeerMtu(int control_port, uint64_t peer_id, int mtu);
    static int setTotalBandwidth(int control_port, uint64_t max_upload, uint64_t max_download);
    static int removePeer(int control_port, uint64_t peer_id, bool remove_info);
    static int notifyNew(int control_port, uint64_t peer_id);
    static int updateTaskStatus(int control_port, uint64_t resume_id);
    // 0 when the peer's data connections are ready.
    static int checkConnection(int control_port, uint64_t peer_id);
    // Leaves the engine's dump in debug.
    static int debugTransferService(int control_port, PObject& debug);

    // The same senders to this service's control port.
    int addPeer(uint64_t peer_id, TransferSide side, ConnectMethod method, const char* ip, int port);
    int setPeer(uint64_t peer_id, int concurrent, uint64_t max_upload, uint64_t max_download,
                uint64_t min_upload, uint64_t min_download, bool encrypted, bool compressed,
                const char* ssl_signature);
    int setPeerMtu(uint64_t peer_id, int mtu);
    int setTotalBandwidth(uint64_t max_upload, uint64_t max_download);
    int removePeer(uint64_t peer_id, bool remove_info);
    int notifyNew(uint64_t peer_id);
    int updateTaskStatus(uint64_t resume_id);
    int checkConnection(uint64_t peer_id);
    int debugTransferService(PObject& debug);

    // One command per loopback connection to port; the second form reads one
    // answer and fails on an answer carrying "error" (left in response).
    static int sendCommand(int port, PObject& cmd);
    static int sendCommand(int port, PObject& cmd, PObject& response);

private:
    void serviceLoop();

    TransferServiceImpl* m_impl;
    // Written by init before the service thread starts, read by senders on
    // any thread; set to -1 by the service thread when its loop fails and the
    // listener is closed.
    std::atomic<int> m_control_port;
    // The service thread's handle; valid while m_thread_started.
    pthread_t m_thread;
    bool m_thread_started;
    // Cleared by stopService; the service thread looks at it between slices.
    std::atomic<bool> m_run;
    // Set while the service thread is inside its loop; a thread that left
    // on a loop failure answers no command, so stopService does not ask it.
    std::atomic<bool> m_thread_alive;
};
