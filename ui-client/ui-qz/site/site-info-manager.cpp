#include "site-info-manager.h"

SiteInfoManager* SiteInfoManager::getInstance()
{
    static SiteInfoManager instance;
    return &instance;
}

void SiteInfoManager::getSiteInfos(QVector<SiteInfo>& infos)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    infos.clear();
    for (const auto& entry : m_site_infos)
        infos.append(entry.second);
}

void SiteInfoManager::getSiteInfosByConnectionId(uint64_t connection_id, QVector<SiteInfo>& infos)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    infos.clear();
    for (const auto& entry : m_site_infos)
        if (entry.second.connection_id == connection_id)
            infos.append(entry.second);
}

void SiteInfoManager::getSiteInfosByDomainUsername(const QString& domain, const QString& username,
                                                   QVector<SiteInfo>& infos)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& entry : m_site_infos)
        if (entry.second.domain_name == domain && entry.second.user_name == username)
            infos.append(entry.second);
}

bool SiteInfoManager::getSiteInfoByPeerId(uint64_t peer_id, SiteInfo& info)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_site_infos.find(peer_id);
    if (it == m_site_infos.end())
        return false;
    info = it->second;
    return true;
}

void SiteInfoManager::setSiteInfo(SiteInfo& info)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_site_infos[info.peer_id] = info;
}

bool SiteInfoManager::updateSiteInfo(uint64_t peer_id, const std::function<void(SiteInfo&)>& change)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_site_infos.find(peer_id);
    if (it == m_site_infos.end())
        return false;
    change(it->second);
    // The key stays the key, whatever the change did to the copy's field.
    it->second.peer_id = peer_id;
    return true;
}

void SiteInfoManager::removeSiteInfo(uint64_t peer_id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_site_infos.erase(peer_id);
}
