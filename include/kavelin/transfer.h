#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "file-op-ex.h"
#include "psocket_stream.h"
#include "kavelin/transfer-types.h"

struct event;
class PObject;
class TransferController;
class VardoCoreManager;

// What one direction of a data connection is doing.
enum TransferState : int32_t {
    TRANSFER_HEADER = 0,  // a header object is being read or written
    TRANSFER_FILE = 1,    // file contents follow the header
    TRANSFER_DONE = 2,    // nothing to do in this direction
};

// One direction of a data connection: its codec and its pacing.
struct SocketStreamContext {
    PSocketStream stream;
    TransferState state = TRANSFER_DONE;
    // Second (wall clock) in which progress last reached the task store.
    time_t last_update_time = 0;
    // Cap of one step in KiB; 0 means no cap (a step of 64 KiB).
    uint64_t max_speed = 0;
};

// Bytes one step of a direction may move: max_speed KiB, or 64 KiB without a
// cap. Computed in 64 bits so that a large limit never truncates to 0 and
// stalls the connection.
size_t transferStepSize(uint64_t max_speed_kib);

// One data connection between the two ends of the engine. Lives on the
// service thread and is driven by its libevent loop; reaches the rest of the
// engine only through its controller and the task store.
class Transfer {
public:
    explicit Transfer(TransferController* controller);
    virtual ~Transfer();
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    virtual int accept(cross::socket_t listen_socket) = 0;
    virtual int connect(const std::string& ip, int port) = 0;
    virtual int handleRead() = 0;
    virtual int handleWrite() = 0;
    virtual int abortTask(uint64_t token) = 0;
    // Marks the connection aborted and releases its seed, events and socket.
    virtual void abort();
    virtual void debugTransfer(PObject& out);

    void setTransferSide(TransferSide side) { m_transfer_side = side; }
    TransferSide getTransferSide() const { return m_transfer_side; }
    void setConcurrent(int concurrent) { m_concurrent = concurrent; }
    int getConcurrent() const { return m_concurrent; }
    void setEncrypted(bool encrypted) { m_encrypted = encrypted; }
    bool isEncrypted() const { return m_encrypted; }
    void setCompressed(bool compressed) { m_compressed = compressed; }
    bool isCompressed() const { return m_compressed; }
    void setSSLSignature(const std::string& signature) { m_ssl_signature = signature; }
    const std::string& getSSLSignature() const { return m_ssl_signature; }
    cross::socket_t getSocket() const { return m_socket; }
    std::string& getIp() { return m_ip; }
    int getPort() const { return m_port; }
    void setPeerId(uint64_t peer_id) { m_peer_id = peer_id; }
    uint64_t getPeerId() const { return m_peer_id; }
    void setTransferSeed(uint64_t seed) { m_transfer_seed = seed; }
    uint64_t getTransferSeed() const { return m_transfer_seed; }
    void setActivated(bool activated) { m_activated = activated; }
    bool isActivated() const { return m_activated; }
    bool isAborted() const { return m_abort; }
    void setUsername(const std::string& name) { m_username = name; }
    const std::string& getUsername() const { return m_username; }
    int checkUser() { return 0; }

    TransferController* getController() { return m_controller; }
    VardoCoreManager* getManager() { return m_manager; }

    // Creates the four events on the controller's base and arms reading.
    void initEvent();
    // Arms (at once, or after us_wait microseconds) or disarms one direction.
    void controlRead(bool enable, unsigned int us_wait);
    void controlWrite(bool enable, unsigned int us_wait);
    // Runs the read handler once more from the loop although the socket may
    // show nothing: bytes wait inside the TLS layer.
    void wakeRead();
    // New work to send: the write handler runs in this turn of the loop
    // without waiting for the socket to be reported writable (it mostly is);
    // a write that would block arms the event as usual.
    void kickWrite();
    // Releases the transfer seed, the events and the socket; may run twice.
    void clear();

protected:
    uint64_t m_peer_id;
    uint64_t m_transfer_seed;
    std::string m_username;
    cross::socket_t m_socket;
    std::string m_ip;
    int m_port;
    TransferSide m_transfer_side;
    bool m_activated;
    bool m_abort;
    int m_concurrent;
    bool m_encrypted;
    bool m_compressed;
    std::string m_ssl_signature;
    event* m_read_event;
    event* m_read_timer_event;
    event* m_write_event;
    event* m_write_timer_event;
    TransferController* m_controller;
    VardoCoreManager* m_manager;

private:
    static void event_handle_read(int fd, short events, void* arg);
    static void event_handle_write(int fd, short events, void* arg);
    static void event_handle_time_read(int fd, short events, void* arg);
    static void event_handle_time_write(int fd, short events, void* arg);
};
