#pragma once

#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

#include "site-info.h"

// The process-wide table of logged-in sites, keyed by peer id. Every call
// takes the table's lock for its whole run and works on copies; none calls
// out of the table while holding it (updateSiteInfo's change excepted, which
// must only edit the record).
class SiteInfoManager {
public:
    static SiteInfoManager* getInstance();

    // Every record, ascending by peer id; `infos` is emptied first.
    void getSiteInfos(QVector<SiteInfo>& infos);
    // Records of one saved connection, ascending by peer id; `infos` is emptied first.
    void getSiteInfosByConnectionId(uint64_t connection_id, QVector<SiteInfo>& infos);
    // Appends (without emptying) the records of that exact domain and user.
    void getSiteInfosByDomainUsername(const QString& domain, const QString& username, QVector<SiteInfo>& infos);
    // false and `info` untouched when the peer is unknown.
    bool getSiteInfoByPeerId(uint64_t peer_id, SiteInfo& info);
    // Inserts or replaces the whole record of info.peer_id.
    void setSiteInfo(SiteInfo& info);
    // Applies `change` to the stored record under the lock, so that fields
    // other threads stored meanwhile survive; false when the record is missing.
    bool updateSiteInfo(uint64_t peer_id, const std::function<void(SiteInfo&)>& change);
    void removeSiteInfo(uint64_t peer_id);

private:
    SiteInfoManager() = default;
    SiteInfoManager(const SiteInfoManager&) = delete;
    SiteInfoManager& operator=(const SiteInfoManager&) = delete;

    std::map<uint64_t, SiteInfo> m_site_infos;
    std::mutex m_mutex;  // guards m_site_infos
};
