// RemoteSiteHelper::auth: the first login of a site with its password over
// the resolved addresses, and the seed logins of later workers and reconnects.
// Only the login's outcome goes back into the site record, field by field, so
// settings stored meanwhile survive and a site closed meanwhile stays closed.
#include <algorithm>
#include <vector>

#include "client-core-manager.h"
#include "db-util.h"
#include "domain-resolver.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"
#include "remote-site-helper.h"
#include "site-info-manager.h"
#include "site-log-row.h"
#include "utils/abort_flag.h"

namespace {

const char kComponent[] = "default_component";
const unsigned kSessionTimeout = 60;
// Servers after this build take minimum-rate settings.
const int kLastBuildWithoutMinimumBandwidth = 156;

}  // namespace

int RemoteSiteHelper::auth()
{
    SiteInfo info;
    if (!SiteInfoManager::getInstance()->getSiteInfoByPeerId(m_peer_id, info)) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] remote-login(%d): Cannot find peer_id %llu in SiteInfoManager\n",
               static_cast<unsigned long long>(m_peer_id));
        return -1;
    }
    return info.peer_seed != 0 ? seedLogin(info) : firstLogin(info);
}

int RemoteSiteHelper::failLogin(int line, SiteError site_error, ProtoUI::Error protocol_error,
                                const std::string& message)
{
    if (site_error == SITE_ERROR_SYSTEM) {
        if (Logger::IsNeedToLog(Logger::L_ERR, kComponent))
            Logger::tLogMsg(Logger::L_ERR, kComponent, L"[ERROR] remote-login(%d): Cannot set seeds of peer %llu\n",
                            line, static_cast<unsigned long long>(m_peer_id));
    } else if (Logger::IsNeedToLog(Logger::L_ERR, kComponent)) {
        Logger::tLogMsg(Logger::L_ERR, kComponent, L"[ERROR] remote-login(%d): AuthSession failed (%s)\n", line,
                        message);
    }
    SiteInfoManager::getInstance()->updateSiteInfo(m_peer_id, [&](SiteInfo& stored) {
        stored.site_error = site_error;
        if (site_error == SITE_ERROR_PROTOCOL)
            stored.protocol_error = protocol_error;
    });
    return -1;
}

int RemoteSiteHelper::seedLogin(const SiteInfo& info)
{
    // A fresh client each time: a connection that broke earlier is never reused.
    m_connection->Clear();
    m_connection->SetAbortFlag(m_abort_flag);
    configure(info);
    m_connection->SetSeed(info.peer_seed);
    uint64_t seed = 0;
    if (m_connection->Auth(seed, info.is_reconnect) < 0)
        return failLogin(__LINE__, SITE_ERROR_PROTOCOL, m_connection->GetLastError(),
                         m_connection->GetLastErrorMessage());

    const bool was_reconnect = info.is_reconnect;
    const bool verified = was_reconnect && m_connection->GetSSLVerified();
    m_connection->SetTimeout(kSessionTimeout);
    const bool stored = SiteInfoManager::getInstance()->updateSiteInfo(m_peer_id, [&](SiteInfo& record) {
        if (was_reconnect)
            record.ssl_verified = verified;
        record.is_reconnect = false;
    });
    if (!stored) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] remote-login(%d): Cannot find peer_id %llu in SiteInfoManager\n",
               static_cast<unsigned long long>(m_peer_id));
        return -1;
    }
    return 0;
}

int RemoteSiteHelper::firstLogin(const SiteInfo& info)
{
    const std::string domain = info.domain_name.toStdString();
    std::vector<std::string> addresses;
    resolveSiteDomainName(domain, addresses);
    // The resolver names an address once per socket type, one after the other.
    addresses.erase(std::unique(addresses.begin(), addresses.end()), addresses.end());

    uint64_t seed = 0;
    std::string answered;
    bool tried = false;
    for (size_t i = 0; i < addresses.size(); ++i) {
        // The client never reconnects a failed connection by itself: each
        // address gets a client configured anew, abort flag included.
        m_connection->Clear();
        m_connection->SetAbortFlag(m_abort_flag);
        configure(info);
        m_connection->SetServer(addresses[i], static_cast<unsigned>(info.control_port));
        tried = true;
        seed = 0;
        if (m_connection->Auth(seed, false) == 0) {
            answered = addresses[i];
            break;
        }
        // Only a connection that could not be made or broke moves on; a
        // refusal, a certificate problem or another service ends the login.
        if (m_connection->GetLastError() != ProtoUI::ERROR_CHANNEL_IO ||
            qelt::AbortFlag(static_cast<const int*>(m_abort_flag)).isSet())
            break;
    }
    if (!tried)
        return failLogin(__LINE__, SITE_ERROR_PROTOCOL, ProtoUI::ERROR_CHANNEL_IO,
                         "no address found for " + domain);
    if (answered.empty())
        return failLogin(__LINE__, SITE_ERROR_PROTOCOL, m_connection->GetLastError(),
                         m_connection->GetLastErrorMessage());
    // Seed 0 means "not logged in" to the site and the engine alike.
    if (seed == 0)
        return failLogin(__LINE__, SITE_ERROR_PROTOCOL, ProtoUI::ERROR_PROTOCOL_MISMATCH,
                         "the server handed out the session seed 0");

    if (!ClientCoreManager::getCoreManager()->setPeerSeed(m_peer_id, seed))
        return failLogin(__LINE__, SITE_ERROR_SYSTEM, ProtoUI::ERROR_OK, std::string());

    m_connection->SetTimeout(kSessionTimeout);
    const QString signature = QString::fromStdString(m_connection->GetCurrentSSLSignature());
    const int mtu = m_connection->getChannelMtu();
    const std::vector<std::string> chain = m_connection->GetSSLCertificateChain();
    const bool verified = m_connection->GetSSLVerified();
    const bool minimum_bandwidth = m_connection->GetServerBuildVersion() > kLastBuildWithoutMinimumBandwidth;
    const QString ip = QString::fromStdString(answered);
    const bool stored = SiteInfoManager::getInstance()->updateSiteInfo(m_peer_id, [&](SiteInfo& record) {
        record.peer_seed = seed;
        record.ip = ip;
        record.ssl_signature = signature;
        record.control_mtu = mtu;
        record.certificate_chain = chain;
        record.ssl_verified = verified;
        record.support_minimum_bandwidth = minimum_bandwidth;
        record.is_reconnect = false;
    });
    if (!stored) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] remote-login(%d): Cannot find peer_id %llu in SiteInfoManager\n",
               static_cast<unsigned long long>(m_peer_id));
        return -1;
    }
    writeSiteLogRow(info, LOG_LOGIN, {});
    return 0;
}
