#pragma once

#include <cstdint>
#include <string>

#include "kavelin/bandwidth-calculator.h"
#include "kavelin/error-code.h"
#include "kavelin/resume-info.h"
#include "kavelin/transfer.h"

typedef struct ssl_ctx_st SSL_CTX;
typedef struct ssl_st SSL;
class LZ4Compressor;
class LZ4Decompressor;
class TcpHelper;

// The TCP data connection: one PSocketStream per direction, optionally over
// one TLS session and an LZ4 pair, and exactly one role at a time that gives
// the bytes their meaning.
class TcpTransfer : public Transfer {
public:
    // A connection whose connect (connecting end) and handshake have not
    // completed by then is given up, so a stalled peer cannot hold the slot
    // or the accepting end's resources for ever.
    static constexpr unsigned int kDefaultHandshakeTimeoutMs = 30000;
    // A wake-up moves at most this many steps of a file (1 MiB in 64 KiB
    // steps) before other connections on the loop get their turn.
    static constexpr int kMaxPassesPerWakeup = 16;

    explicit TcpTransfer(TransferController* controller);
    ~TcpTransfer() override;

    int accept(cross::socket_t listen_socket) override;
    int connect(const std::string& ip, int port) override;
    int handleRead() override;
    int handleWrite() override;
    int abortTask(uint64_t token) override;
    // Hands the report role's unsent reports back to the peer first.
    void abort() override;
    void debugTransfer(PObject& out) override;

    int handleError();
    int abortTransfer();
    void changeHelper(TransferUse use);
    void adjustBandwidth(BandwidthType type, BandwidthAction action);
    void setExpectedUse(int use) { m_expected_use = static_cast<TransferUse>(use); }
    TransferUse getExpectedUse() const { return m_expected_use; }
    TransferUse getTransferUse() const;
    bool isIdle();
    uint64_t getProcessingToken();
    // The sending role is writing this task's header or contents.
    bool isSendingTask(uint64_t token);
    // Client side: every download of the peer that is running while no
    // receiving connection has it (but except_resume_id) goes back to wait,
    // so that it is asked for again.
    static void askRunningPullsAgain(TransferController* controller, uint64_t peer_id,
                                     uint64_t except_resume_id);
    // The receiving role is reading this task's file.
    bool isReceivingTask(uint64_t token);
    ProjectVardo::ErrorCode getLastError() const;
    bool hasMoreToRead();
    void setMaxReadWrite(uint64_t max_read, uint64_t max_write);
    // Applies to the next connect or accept.
    void setHandshakeTimeout(unsigned int ms) { m_handshake_timeout_ms = ms; }
    TcpHelper* getHelper() { return m_helper; }
    // The link works: past its handshake, the connection moved a file's
    // bytes or stayed up in its role for kProvenAfterMs. A connection that
    // ends short of that counts as a failed attempt to connect.
    bool hasProvenLink() const;
    static constexpr unsigned int kProvenAfterMs = 2000;

    // Read by the roles, which set up TLS and compression on the connection.
    SocketStreamContext m_write_context;
    SocketStreamContext m_read_context;
    SSL_CTX* m_ssl_ctx;
    SSL* m_ssl;
    LZ4Compressor* m_compressor;
    LZ4Decompressor* m_decompressor;

private:
    // What a read step can move: a step that changes none of it made no
    // progress.
    struct ReadMark {
        uint64_t received = 0;
        size_t buffered = 0;
        int state = 0;
        const TcpHelper* helper = nullptr;
        bool operator==(const ReadMark& o) const
        {
            return received == o.received && buffered == o.buffered && state == o.state && helper == o.helper;
        }
    };
    ReadMark readMark();
    // One read pass: the role reads until its stream has nothing parsed left
    // or a step makes no progress; negative after a failure that ends the
    // connection.
    int readPass();
    // The receiving role reads on after a pass that took bytes in: more of
    // the file, or the next task behind a finished one.
    bool mayReadOn(bool pass_took_bytes);
    bool sslHasPending() const;
    // A timer of its own: the write event is re-armed without a time-out by
    // whoever wakes the connection, which would cancel a deadline kept there.
    void armHandshakeDeadline();
    // Counts a broken connection against the task's retries; true when the
    // task was given up (left failed with a connection error).
    bool giveUpAfterFailure(const ResumeInfo& info, TransferUse use);
    // Client side: downloads whose file may have been lost with a broken
    // receiving connection are asked for again.
    void pullOrphansAgain(uint64_t current_resume_id);
    // The file of the failed task changed while it was sent: the other end
    // is told; the client starts the task again or fails it.
    void sourceChanged(const ResumeInfo& info);
    void releaseHandshakeDeadline();
    static void event_handle_handshake_deadline(int fd, short events, void* arg);
    // At a clean end (nothing failed, nothing half-sent) ends the LZ4 frame
    // of the sending direction, so the peer and any capture see a complete
    // stream. Best effort: the socket is about to close.
    void endCompressedStream();

    TcpHelper* m_helper;
    TransferUse m_expected_use;
    bool m_bandwidth_registered[BT_MAX];
    unsigned int m_handshake_timeout_ms;
    event* m_handshake_deadline_event;
    // A read or write pass failed: the streams are not to be ended cleanly.
    bool m_failed = false;
    // Steady-clock microseconds when the working role began; 0 before.
    uint64_t m_role_started_us = 0;
    // A file's bytes went through in the working role.
    bool m_moved_payload = false;
};
