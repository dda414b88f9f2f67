#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "kavelin/bandwidth-calculator.h"
#include "kavelin/rate-controller.h"
#include "kavelin/resume-info.h"
#include "kavelin/transfer-types.h"
#include "protocol/pobject.h"

class TcpTransfer;
class TransferServiceController;

// The service's record of one peer: its address, the data connections to it
// (owned), the settings every data connection inherits, its two bandwidth
// calculators and the queue of reports for its report connection.
// Everything runs on the service thread.
class PeerConnection : public RateControlledPeer {
public:
    // The data connections of one peer sorted for one decision (not owned).
    struct PeerStatus {
        std::vector<TcpTransfer*> init_active;
        std::vector<TcpTransfer*> init_passive;
        std::vector<TcpTransfer*> init_report;
        std::vector<TcpTransfer*> using_passive;
        std::vector<TcpTransfer*> idle_passive;
        std::vector<TcpTransfer*> using_active;
        std::vector<TcpTransfer*> idle_active;
        std::vector<TcpTransfer*> report;
    };

    // Seconds of the wall clock; replaceable so tests can move time.
    typedef std::function<uint32_t()> Clock;

    // A peer with neither an idle data connection nor traffic for longer
    // than this counts as disconnected.
    static constexpr uint32_t kDisconnectSeconds = 60;
    // The most data connections one peer may have.
    static constexpr size_t kMaxTcpTransfers = 15;
    // After a data connection failed short of a working link, new ones wait
    // this long, doubled after each further failure up to the cap.
    static constexpr uint32_t kFirstBackoffSeconds = 1;
    static constexpr uint32_t kMaxBackoffSeconds = 8;
    // An idle sending or receiving connection the pool can spare is closed
    // only after it has sat idle this long: demand comes in bursts, and each
    // new connection costs a TCP (and TLS) handshake.
    static constexpr uint32_t kSpareIdleSeconds = 10;
    // Downloads asked for while every receiving connection has sat idle this
    // long are asked for again: the server has lost their pulls.
    static constexpr uint32_t kQuietPullSeconds = 5;

    PeerConnection(TransferServiceController* controller, uint64_t peer_id, TransferSide side,
                   ConnectMethod method, const std::string& ip, int port);
    ~PeerConnection() override;
    PeerConnection(const PeerConnection&) = delete;
    PeerConnection& operator=(const PeerConnection&) = delete;

    uint64_t getPeerId() const { return m_peer_id; }
    TransferSide getSide() const { return m_side; }
    ConnectMethod getConnectMethod() const { return m_method; }
    const std::string& getIp() const { return m_ip; }
    int getPort() const { return m_port; }
    int getMtu() const { return m_mtu; }
    void setMtu(int mtu) { m_mtu = mtu; }
    // Data connections that no longer match are aborted by the next
    // checkTransfers or, on the client side, adjustTransfers.
    void setEncrypted(bool encrypted) { m_encrypted = encrypted; }
    void setCompressed(bool compressed) { m_compressed = compressed; }
    void setSSLSignature(const std::string& signature) { m_ssl_signature = signature; }
    bool isEncrypted() const { return m_encrypted; }
    bool isCompressed() const { return m_compressed; }
    uint32_t getMaxTransfer() const { return m_max_transfers; }
    // Also handed to every existing data connection at once.
    void setMaxTransfer(int n);
    void setLocalSpeedLimit(uint64_t output, uint64_t input);
    void setSharedSpeedLimit(uint64_t output, uint64_t input) override;
    uint64_t getOutputLimit() const;
    uint64_t getInputLimit() const;
    uint64_t getCurrentOutputSpeedKBps() override;
    uint64_t getCurrentInputSpeedKBps() override;

    // Takes ownership of an accepted data connection and puts it to use.
    void addTcpTransfer(TcpTransfer* transfer);
    // Per-tick maintenance: drops dead connections, keeps the client's pool
    // (a sending, a receiving and a report connection, and a spare sending or
    // receiving one only while the busy ones leave work waiting) and
    // activates connections that finished their handshake.
    void adjustTransfers();
    // Aborts connections whose encryption or compression differs, then adjustTransfers.
    void checkTransfers();
    // Ready: an idle sending, an idle receiving and a report connection.
    bool checkConnection();
    bool isDisconnected() const;
    void controlWrite(bool on, TransferUse use);
    int abortTask(const token_t& token);
    bool taskIsStillRunning(token_t token);
    // A sending connection is writing the task's header or contents.
    bool taskIsBeingSent(token_t token);
    // A receiving connection is reading the task's file.
    bool taskIsBeingReceived(token_t token);
    void adjustBandwidth(void* transfer, BandwidthType type, BandwidthAction action);
    uint64_t getUsTimeWait(void* transfer, BandwidthType type, uint64_t bytes);

    // Queues the report (the argument is left null) and wakes the report connection.
    void pushReport(PObject& report);
    // Takes the oldest report; false when the queue is empty.
    bool popReport(PObject& report);
    void reportAbort(token_t token, bool pause);
    void debugPeerConnection(PObject& out);

    size_t countTcpTransfers() const { return m_tcp_transfers.size(); }
    const std::list<TcpTransfer*>& getTcpTransfers() const { return m_tcp_transfers; }
    size_t countReports() const { return m_report_queue.size(); }
    BandwidthCalculator& getBandwidth(BandwidthType type) { return m_bandwidths[type]; }
    void setClock(Clock clock);
    // Seconds new data connections still wait after failed attempts; 0 when
    // they may be opened now.
    uint32_t connectBackoffLeft() const;
    // Applies to the data connections opened from now on.
    void setHandshakeTimeout(unsigned int ms) { m_handshake_timeout_ms = ms; }

private:
    void setSpeedLimit();
    // Sets the activated flag and wakes the connection's writing, unless a
    // changed certificate stopped this peer.
    void activate(TcpTransfer* transfer);
    // What the peer's tasks ask of its connections now.
    struct TaskDemand {
        // Waiting tasks the concurrency cap lets start at once.
        size_t startable = 0;
        // Downloads asked for and not finished: the server may be sending
        // any of them on any receiving connection.
        size_t pulls_out = 0;
    };

    void countTransfers(PeerStatus& status);
    // Client side: the pool of each use (see adjustTransfers).
    void keepClientPool(const PeerStatus& status);
    // Another sending connection would get work: every sending connection has
    // been writing one task since an earlier tick and tasks that may start wait.
    bool needsAnotherSender(const PeerStatus& status, const std::function<const TaskDemand&()>& demand) const;
    // Another receiving connection would get a file: every busy receiving
    // connection has been reading one file since an earlier tick and more
    // downloads are out than they read.
    bool needsAnotherReceiver(const PeerStatus& status, const std::function<const TaskDemand&()>& demand) const;
    // The connection was on the same task at an earlier tick and still is:
    // a long file or a slow link, not a short one caught in passing.
    bool isHeldByOneTask(const TcpTransfer* transfer) const;
    bool readTaskDemand(TaskDemand& demand);
    // Opens one connection that will take the use after its handshake,
    // unless connects back off or the peer has its most connections.
    void openTcpTransfer(TransferUse use);
    // Closes the connections of idle after the first keep; with linger, only
    // those idle for kSpareIdleSeconds.
    void closeSpareTcpTransfers(const std::vector<TcpTransfer*>& idle, size_t keep, bool linger);
    // Idle for kSpareIdleSeconds since it joined or was last busy.
    bool hasSatIdle(const TcpTransfer* transfer) const;
    // Client side: downloads still asked for while the receiving connections
    // have sat idle kQuietPullSeconds are asked for again.
    void askQuietPullsAgain(const PeerStatus& status, const std::function<const TaskDemand&()>& demand);
    // Remembers when each connection was last busy (or joined) and since
    // when it works on its current task.
    void noteBusy(const PeerStatus& status);
    void removeTcpTransfer(TcpTransfer* transfer);
    // Attempts to connect that ended short of a working link: the next
    // attempt backs off, and the peer's tasks that wait for data
    // connections spend their retry budget; those that spent it fail.
    void noteConnectFailure(size_t failed);
    void giveUpWaitingTasks();
    // A working link: attempts go at once again.
    void noteConnectSuccess();
    void touch() { m_last_read_time = m_clock(); }

    // When downloads were last asked for again after a quiet while.
    uint32_t m_pulls_asked_again = 0;
    uint64_t m_peer_id;
    TransferSide m_side;
    ConnectMethod m_method;
    std::string m_ip;
    int m_port;
    int m_mtu;
    uint32_t m_max_transfers;
    uint64_t m_local_max_output;
    uint64_t m_local_max_input;
    uint64_t m_shared_max_output;
    uint64_t m_shared_max_input;
    bool m_encrypted;
    bool m_compressed;
    bool m_ssl_changed;
    std::string m_ssl_signature;
    uint32_t m_last_read_time;
    TransferServiceController* m_controller;
    std::list<TcpTransfer*> m_tcp_transfers;
    // What the ticks saw a connection do, in seconds of m_clock.
    struct Activity {
        uint32_t last_busy = 0;   // last seen busy or in its handshake, or joined
        uint32_t task_since = 0;  // first seen on its current task; 0: idle
        uint64_t task = 0;        // that task's token
    };
    // Kept for the connections of m_tcp_transfers only.
    std::unordered_map<const TcpTransfer*, Activity> m_activity;
    std::deque<PObject> m_report_queue;
    BandwidthCalculator m_bandwidths[BT_MAX];
    Clock m_clock;
    unsigned int m_handshake_timeout_ms = 0;  // 0: the connection's default
    uint32_t m_backoff_seconds = 0;
    uint32_t m_next_connect_time = 0;
};
