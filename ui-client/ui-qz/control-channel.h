#pragma once

#include <QObject>

#include <array>
#include <future>
#include <cstdint>
#include <vector>

#include "event-handler.h"

class QThread;

// The control side of one logged-in site, on the peer-monitor thread: a pool
// of worker threads, each with one EventHandler and its own server
// connection. Hands this site's events to idle workers (queueing the rest),
// keeps one spare, trims surplus idle workers, sends the heartbeat, reports a
// lost site and closes the peer on the server.
class ControlChannel : public QObject {
    Q_OBJECT
public:
    enum ControlChannelState {
        CONTROL_CHANNEL_CONNECTING = 0,
        CONTROL_CHANNEL_AUTH_SUCCESS = 1,
        CONTROL_CHANNEL_AUTH_FAILED = 2,
        CONTROL_CHANNEL_CLOSING = 3,
    };

    struct ControlChannelThread {
        QThread* thread = nullptr;
        EventHandler* handler = nullptr;
        EventHandlerState state = HANDLER_STATE_CONNECTING;
        // Ready once the worker thread has finished its last event: a join
        // that thread checkers can see (Qt's own wait is invisible to them).
        std::shared_future<void> finished;
    };

    ControlChannel(uint64_t peer_id, QObject* parent);
    // Logs the first worker in before it returns; a refusal is reported
    // from inside, so listeners connect before this.
    void start();
    // Raises the abort flag, stops and joins every worker, and completes the
    // events still queued with ERROR_CHANNEL_IO.
    ~ControlChannel() override;

    // Every tick: reaps, adds and trims workers; reports a lost site.
    void adjustChannel();
    // Every heartbeat period: the heartbeat through the single idle worker.
    void checkDisconnected();
    // Asks the server to close the peer; ends in sigClosePeerDone.
    void closePeer();

    uint64_t peerId() const { return m_peer_id; }
    ControlChannelState state() const { return m_state; }
    // Workers per state and queued events, for tests and debugging.
    int countWorkers(EventHandlerState state) const;
    int queuedEventCount() const { return static_cast<int>(m_queued_events.size()); }

signals:
    void sigConnectControlChannelSuccess(uint64_t peer_id);
    void sigConnectSiteDone(uint64_t peer_id);
    void sigSiteDisconnected(uint64_t peer_id, bool should_reconnect);
    void sigHandleEvent(uint id);
    void sigHeartBeat();
    void sigSendClosePeer();
    void sigClosePeerDone(uint64_t peer_id);

public slots:
    void slotEventAdded(uint id);
    void slotCheckQueuedEvent();
    void slotEventHandlerStateChanged(int handler_state);
    void slotSendClosePeerDone();

private:
    void connectOne();
    void abortThread(EventHandlerState state, int count);
    bool processEvent(uint id);
    void summarizeChannel();
    void stopWorker(const ControlChannelThread& entry);
    void armQueueRetry();

    uint64_t m_peer_id;
    std::vector<ControlChannelThread> m_handlers;  // oldest first
    std::vector<uint32_t> m_queued_events;         // oldest first
    ControlChannelState m_state;
    std::array<std::vector<ControlChannelThread>, HANDLER_STATE_MAX> m_cct;
    int64_t m_last_connected_ms;  // monotonic; 0 = never had a live worker
    int m_abort_flag;             // see abort-flag.h
};
