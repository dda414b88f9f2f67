#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "kavelin/transfer-service.h"
#include "site-info.h"

class ControlChannel;

// Owns the logged-in sites' control channels on the peer-monitor thread and
// registers each site with the transfer engine. Hears connect, remove,
// close and resume requests through the hub and answers through it. Two
// self-re-arming timers: the channel tick (data connections awaited, worker
// pools) and the heartbeat period (heartbeats, engine-lost peers).
class PeerMonitor : public QObject {
    Q_OBJECT
public:
    // Runs the first check of each kind at once, on the constructing thread.
    explicit PeerMonitor(QObject* parent);
    ~PeerMonitor() override;

    // Where the "connect_method" setting comes from ("tcp", "udp", else auto).
    static void setConnectMethodSource(std::function<QString()> source);
    static ConnectMethod connectMethodFromText(const QString& text);

    // For tests: the channel of a peer (null when none). Peer-monitor thread only.
    ControlChannel* channel(uint64_t peer_id) const;

signals:
    void sigConnectSiteDone(uint64_t peer_id);
    void sigRemoveSiteDone();
    void sigSiteDisconnected(uint64_t peer_id, bool should_reconnect);
    void sigResumeDisconnectedJobsDone(uint64_t peer_id);
    void sigCloseAllPeersDone();

public slots:
    void slotConnectSite(SiteInfo info);
    void slotRemoveSite(uint64_t peer_id);
    void slotSiteDisconnected(uint64_t peer_id, bool should_reconnect);
    void slotResumeDisconnectedJobs(uint64_t peer_id);
    void slotConnectControlChannelSuccess(uint64_t peer_id);
    void slotCloseAllPeers();
    void slotClosePeerDone(uint64_t peer_id);
    void slotCheckChannel();
    void slotCheckDisconnected();
    void slotDisconnectAllPeers();

private:
    void checkDataChannel();
    // The login's own checks of its data connection, at growing delays from
    // `delay_ms`, until it is ready or the next step would reach the channel
    // tick, which goes on checking (and ends the wait) as before.
    void checkDataChannelSoon(uint64_t peer_id, int delay_ms);
    // True (and the wait ended with sigConnectSiteDone) when ready.
    bool takeReadyDataChannel(uint64_t peer_id);
    void dropChannel(uint64_t peer_id);
    void forgetDataWait(uint64_t peer_id);
    // Every lost-site notice of ours goes out through here (or, for a
    // channel's, is counted on its way): it comes back to
    // slotSiteDisconnected through the hub, later.
    void reportSiteDisconnected(uint64_t peer_id, bool should_reconnect);
    void countNoticeSent(uint64_t peer_id);
    // True when the notice arriving now was sent before the peer's latest login.
    bool takeStaleNotice(uint64_t peer_id);

    std::map<uint64_t, ControlChannel*> m_channels;
    std::vector<std::pair<uint64_t, int64_t>> m_data_channel_connecting;  // peer, monotonic ms
    bool m_closing_all;
    // Lost-site notices per peer sent and not yet heard back, and how many
    // of them were sent before the peer's latest login: those describe an
    // earlier attempt and must not end the new one.
    std::map<uint64_t, int> m_notices_in_flight;
    std::map<uint64_t, int> m_stale_notices;
};
