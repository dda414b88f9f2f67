#include "peer-monitor.h"

#include <QTimer>

#include <algorithm>
#include <mutex>

#include "client-core-manager.h"
#include "control-channel.h"
#include "core-timing.h"
#include "domain-resolver.h"
#include "global-connecter.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"
#include "protocol/proto-ui.h"
#include "site-info-manager.h"

namespace {

const char kComponent[] = "default_component";
// The first look at a new login's data connection after the one at once;
// each later look waits twice as long.
const int kFirstDataCheckMs = 5;

std::mutex g_method_mutex;
std::function<QString()> g_method_source;  // guarded by g_method_mutex

QString connectMethodText()
{
    std::lock_guard<std::mutex> lock(g_method_mutex);
    return g_method_source ? g_method_source() : QString();
}

}  // namespace

void PeerMonitor::setConnectMethodSource(std::function<QString()> source)
{
    std::lock_guard<std::mutex> lock(g_method_mutex);
    g_method_source = std::move(source);
}

ConnectMethod PeerMonitor::connectMethodFromText(const QString& text)
{
    if (text.compare("tcp", Qt::CaseInsensitive) == 0)
        return CM_TCP;
    if (text.compare("udp", Qt::CaseInsensitive) == 0)
        return CM_UDP;
    return CM_AUTO;
}

PeerMonitor::PeerMonitor(QObject* parent) : QObject(parent), m_closing_all(false)
{
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(hub, &GlobalConnecter::sigConnectSite, this, &PeerMonitor::slotConnectSite);
    connect(hub, &GlobalConnecter::sigRemoveSite, this, &PeerMonitor::slotRemoveSite);
    connect(hub, &GlobalConnecter::sigConnectControlChannelSuccess, this,
            &PeerMonitor::slotConnectControlChannelSuccess);
    connect(hub, &GlobalConnecter::sigCloseAllPeers, this, &PeerMonitor::slotCloseAllPeers);
    connect(hub, &GlobalConnecter::sigClosePeerDone, this, &PeerMonitor::slotClosePeerDone);
    connect(hub, &GlobalConnecter::sigSiteDisconnected, this, &PeerMonitor::slotSiteDisconnected);
    connect(hub, &GlobalConnecter::sigResumeDisconnectedJobs, this, &PeerMonitor::slotResumeDisconnectedJobs);
    connect(hub, &GlobalConnecter::sigDisconnectAllPeers, this, &PeerMonitor::slotDisconnectAllPeers);

    connect(this, &PeerMonitor::sigConnectSiteDone, hub, &GlobalConnecter::sigConnectSiteDone);
    connect(this, &PeerMonitor::sigRemoveSiteDone, hub, &GlobalConnecter::sigRemoveSiteDone);
    connect(this, &PeerMonitor::sigSiteDisconnected, hub, &GlobalConnecter::sigSiteDisconnected);
    connect(this, &PeerMonitor::sigResumeDisconnectedJobsDone, hub, &GlobalConnecter::sigResumeDisconnectedJobsDone);
    connect(this, &PeerMonitor::sigCloseAllPeersDone, hub, &GlobalConnecter::sigCloseAllPeersDone);

    slotCheckChannel();
    slotCheckDisconnected();
}

PeerMonitor::~PeerMonitor()
{
    // The channels are children, but deleting them here keeps the order
    // explicit: each stops and joins its workers.
    for (auto& entry : m_channels)
        delete entry.second;
    m_channels.clear();
}

ControlChannel* PeerMonitor::channel(uint64_t peer_id) const
{
    auto it = m_channels.find(peer_id);
    return it == m_channels.end() ? nullptr : it->second;
}

void PeerMonitor::dropChannel(uint64_t peer_id)
{
    auto it = m_channels.find(peer_id);
    if (it == m_channels.end())
        return;
    ControlChannel* old = it->second;
    m_channels.erase(it);
    delete old;
}

void PeerMonitor::forgetDataWait(uint64_t peer_id)
{
    for (auto it = m_data_channel_connecting.begin(); it != m_data_channel_connecting.end();) {
        if (it->first == peer_id)
            it = m_data_channel_connecting.erase(it);
        else
            ++it;
    }
}

void PeerMonitor::slotConnectSite(SiteInfo info)
{
    if (info.protocol_error == ProtoUI::ERROR_USER_INVALID_SEED)
        ClientCoreManager::getCoreManager()->resetPeer(info.peer_id);
    SiteInfo site = info;
    site.site_error = SITE_ERROR_OK;
    site.protocol_error = ProtoUI::ERROR_OK;

    std::string name = site.domain_name.toUtf8().toStdString();
    std::vector<std::string> addresses;
    QString ip;
    if (resolveSiteDomainName(name, addresses) < 0 || addresses.empty())
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] peer-monitor(%d): Cannot resolve domain name '%s'\n", name);
    else
        ip = QString::fromStdString(addresses.front());
    site.ip = ip;

    if (site.peer_id == 0)
        ClientCoreManager::getCoreManager()->getNextPeerId(site.peer_id);
    const uint64_t peer = site.peer_id;

    // A peer connecting again must not keep its old channel running beside
    // the new one (both would act on every event), nor an old data wait.
    dropChannel(peer);
    forgetDataWait(peer);
    // A retry sent as soon as a refusal was reported can be here before the
    // refused attempt's lost-site notice has come back through the hub. That
    // notice concerns the old attempt only: do its cleanup now and let it
    // pass by when it arrives.
    auto in_flight = m_notices_in_flight.find(peer);
    if (in_flight != m_notices_in_flight.end()) {
        m_stale_notices[peer] = in_flight->second;
        ClientCoreManager::getTransferService()->removePeer(peer, false);
    }

    if (ip.isEmpty()) {
        site.site_error = SITE_ERROR_PROTOCOL;
        site.protocol_error = ProtoUI::ERROR_CHANNEL_IO;
        SiteInfoManager::getInstance()->setSiteInfo(site);
        emit sigConnectSiteDone(peer);
        reportSiteDisconnected(peer, true);
        return;
    }
    SiteInfoManager::getInstance()->setSiteInfo(site);
    ControlChannel* channel = new ControlChannel(peer, this);
    m_channels[peer] = channel;
    // Counted before the first login runs: a refusal reports at once.
    connect(channel, &ControlChannel::sigSiteDisconnected, this, &PeerMonitor::countNoticeSent);
    channel->start();
}

void PeerMonitor::reportSiteDisconnected(uint64_t peer_id, bool should_reconnect)
{
    countNoticeSent(peer_id);
    emit sigSiteDisconnected(peer_id, should_reconnect);
}

void PeerMonitor::countNoticeSent(uint64_t peer_id)
{
    ++m_notices_in_flight[peer_id];
}

bool PeerMonitor::takeStaleNotice(uint64_t peer_id)
{
    auto in_flight = m_notices_in_flight.find(peer_id);
    if (in_flight == m_notices_in_flight.end())
        return false;  // not one of ours: always acted on
    if (--in_flight->second == 0)
        m_notices_in_flight.erase(in_flight);
    auto stale = m_stale_notices.find(peer_id);
    if (stale == m_stale_notices.end())
        return false;
    if (--stale->second == 0)
        m_stale_notices.erase(stale);
    return true;
}

void PeerMonitor::slotConnectControlChannelSuccess(uint64_t peer_id)
{
    // A late report of a channel that is gone (removed, disconnected or
    // replaced) must not re-add the engine peer.
    ControlChannel* live = channel(peer_id);
    if (!live || live->state() != ControlChannel::CONTROL_CHANNEL_AUTH_SUCCESS)
        return;
    SiteInfo info;
    if (!SiteInfoManager::getInstance()->getSiteInfoByPeerId(peer_id, info))
        return;
    forgetDataWait(peer_id);
    m_data_channel_connecting.emplace_back(peer_id, CoreTiming::nowMs());
    TransferService* engine = ClientCoreManager::getTransferService();
    ConnectMethod method = connectMethodFromText(connectMethodText());
    engine->addPeer(info.peer_id, TRANSFER_SIDE_CLIENT, method, info.ip.toUtf8().constData(), info.transfer_port);
    engine->setPeer(info.peer_id, info.concurrent, info.max_upload, info.max_download, info.min_upload,
                    info.min_download, info.encrypted, info.compressed, info.ssl_signature.toUtf8().constData());
    engine->setPeerMtu(info.peer_id, info.control_mtu);
    // The windows hear of the login only once the data connection is up,
    // which takes some milliseconds, not a whole tick: look at once and
    // then soon after, rather than leave the first listing waiting for the
    // tick.
    if (!takeReadyDataChannel(peer_id))
        checkDataChannelSoon(peer_id, kFirstDataCheckMs);
}

void PeerMonitor::checkDataChannelSoon(uint64_t peer_id, int delay_ms)
{
    if (delay_ms >= CoreTiming::get().channel_tick_ms.load())
        return;
    QTimer::singleShot(delay_ms, this, [this, peer_id, delay_ms] {
        if (!takeReadyDataChannel(peer_id))
            checkDataChannelSoon(peer_id, delay_ms * 2);
    });
}

bool PeerMonitor::takeReadyDataChannel(uint64_t peer_id)
{
    auto waiting = std::find_if(m_data_channel_connecting.begin(), m_data_channel_connecting.end(),
                                [peer_id](const std::pair<uint64_t, int64_t>& entry) { return entry.first == peer_id; });
    // Done already (by the tick), or the site went away meanwhile.
    if (waiting == m_data_channel_connecting.end())
        return true;
    if (ClientCoreManager::getTransferService()->checkConnection(peer_id) != 0)
        return false;
    m_data_channel_connecting.erase(waiting);
    emit sigConnectSiteDone(peer_id);
    return true;
}

void PeerMonitor::checkDataChannel()
{
    TransferService* engine = ClientCoreManager::getTransferService();
    const int64_t limit = CoreTiming::get().data_wait_ms.load();
    std::vector<std::pair<uint64_t, int64_t>> waiting;
    waiting.swap(m_data_channel_connecting);
    for (const auto& entry : waiting) {
        const uint64_t peer = entry.first;
        if (engine->checkConnection(peer) == 0) {
            emit sigConnectSiteDone(peer);
            continue;
        }
        if (CoreTiming::nowMs() - entry.second > limit) {
            bool known = SiteInfoManager::getInstance()->updateSiteInfo(
                peer, [](SiteInfo& info) { info.site_error = SITE_ERROR_DATA_CHANNEL; });
            if (known) {
                emit sigConnectSiteDone(peer);
                reportSiteDisconnected(peer, true);
            }
            continue;
        }
        m_data_channel_connecting.push_back(entry);
    }
}

void PeerMonitor::slotCheckChannel()
{
    checkDataChannel();
    // A tick may delete nothing, but logins inside it run this loop's slots
    // only through queued calls, so the map stays as it is during the walk.
    std::vector<ControlChannel*> channels;
    for (auto& entry : m_channels)
        channels.push_back(entry.second);
    for (ControlChannel* channel : channels)
        channel->adjustChannel();
    // By name, not by member pointer: the first tick is armed on the thread
    // that builds the monitor, before it moves; a name connection delivers
    // to the monitor's thread of the moment, a member pointer would run the
    // tick on the arming thread.
    QTimer::singleShot(CoreTiming::get().channel_tick_ms.load(), this, SLOT(slotCheckChannel()));
}

void PeerMonitor::slotCheckDisconnected()
{
    for (auto& entry : m_channels)
        entry.second->checkDisconnected();
    std::vector<uint64_t> peers;
    ClientCoreManager::getCoreManager()->getDisconnectedPeers(peers);
    for (uint64_t peer : peers) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] peer-monitor(%d): Transfer of peer %llu is disconnected\n",
               static_cast<unsigned long long>(peer));
        reportSiteDisconnected(peer, true);
    }
    QTimer::singleShot(CoreTiming::get().heartbeat_ms.load(), this, SLOT(slotCheckDisconnected()));
}

void PeerMonitor::slotSiteDisconnected(uint64_t peer_id, bool)
{
    if (takeStaleNotice(peer_id)) {
        QM_LOG(Logger::L_DEBUG, kComponent,
               L"[DEBUG] peer-monitor(%d): lost-site notice of an earlier login of peer %llu ignored\n",
               static_cast<unsigned long long>(peer_id));
        return;
    }
    ClientCoreManager::getTransferService()->removePeer(peer_id, false);
    forgetDataWait(peer_id);
    dropChannel(peer_id);
}

void PeerMonitor::slotRemoveSite(uint64_t peer_id)
{
    ControlChannel* live = channel(peer_id);
    if (live)
        live->closePeer();
    else
        slotClosePeerDone(peer_id);
}

void PeerMonitor::slotClosePeerDone(uint64_t peer_id)
{
    dropChannel(peer_id);
    forgetDataWait(peer_id);
    ClientCoreManager::getTransferService()->removePeer(peer_id, true);
    SiteInfoManager::getInstance()->removeSiteInfo(peer_id);
    emit sigRemoveSiteDone();
    if (m_closing_all && m_channels.empty()) {
        m_closing_all = false;
        emit sigCloseAllPeersDone();
    }
}

void PeerMonitor::slotCloseAllPeers()
{
    if (m_channels.empty()) {
        // Nothing to close: the caller still waits for the completion.
        emit sigCloseAllPeersDone();
        return;
    }
    for (auto& entry : m_channels)
        entry.second->closePeer();
    m_closing_all = true;
}

void PeerMonitor::slotDisconnectAllPeers()
{
    std::vector<uint64_t> peers;
    for (auto& entry : m_channels)
        peers.push_back(entry.first);
    for (uint64_t peer : peers)
        reportSiteDisconnected(peer, true);
}

void PeerMonitor::slotResumeDisconnectedJobs(uint64_t peer_id)
{
    ClientCoreManager::getCoreManager()->resumeAllInfoByPeerId(peer_id);
    ClientCoreManager::getTransferService()->notifyNew(peer_id);
    emit sigResumeDisconnectedJobsDone(peer_id);
}
