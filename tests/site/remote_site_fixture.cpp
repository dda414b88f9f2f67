#include "remote_site_fixture.h"

#include <QVector>

#include "client-core-manager.h"
#include "domain-resolver.h"
#include "kavelin/vardo-core-manager.h"
#include "log-db.h"
#include "site-info-manager.h"

RemoteSiteTest::RemoteSiteTest()
{
    m_log_path = m_dir.file("log-db.sqlite");
    EXPECT_EQ(LogDB::initialize(m_log_path), 0);
    SetAddresses("localhost", {"127.0.0.1"});
    setSiteDomainResolver([this](const std::string& name, std::vector<std::string>& out) {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_addresses.find(name);
        if (it == m_addresses.end())
            return -1;
        out.insert(out.end(), it->second.begin(), it->second.end());
        return 0;
    });
}

RemoteSiteTest::~RemoteSiteTest()
{
    setSiteDomainResolver({});
    LogDB::destroy();
    QVector<SiteInfo> all;
    SiteInfoManager::getInstance()->getSiteInfos(all);
    for (const SiteInfo& info : all)
        SiteInfoManager::getInstance()->removeSiteInfo(info.peer_id);
}

void RemoteSiteTest::SetAddresses(const std::string& name, const std::vector<std::string>& addresses)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_addresses[name] = addresses;
}

uint64_t RemoteSiteTest::AddSite(const std::function<void(SiteInfo&)>& edit)
{
    SiteInfo info;
    EXPECT_TRUE(ClientCoreManager::getCoreManager()->getNextPeerId(info.peer_id));
    info.connection_id = 42;
    info.server_name = "Test NAS";
    info.domain_name = "localhost";
    info.user_name = "alice";
    info.password = "pw";
    info.control_port = static_cast<int32_t>(Server().Port());
    info.transfer_port = info.control_port + 1;
    info.concurrent = 3;
    if (edit)
        edit(info);
    SiteInfoManager::getInstance()->setSiteInfo(info);
    return info.peer_id;
}

uint64_t RemoteSiteTest::LoggedInSite(const std::function<void(SiteInfo&)>& edit)
{
    uint64_t peer = AddSite(edit);
    std::unique_ptr<RemoteSiteHelper> helper = Helper(peer);
    EXPECT_EQ(helper->auth(), 0) << "protocol error " << Site(peer).protocol_error;
    return peer;
}

std::unique_ptr<RemoteSiteHelper> RemoteSiteTest::Helper(uint64_t peer_id)
{
    return std::unique_ptr<RemoteSiteHelper>(new RemoteSiteHelper(peer_id, &m_abort, nullptr));
}

SiteInfo RemoteSiteTest::Site(uint64_t peer_id)
{
    SiteInfo info;
    EXPECT_TRUE(SiteInfoManager::getInstance()->getSiteInfoByPeerId(peer_id, info)) << peer_id;
    return info;
}

std::vector<MiscLog> RemoteSiteTest::Rows(uint32_t type)
{
    MiscLogFilter filter;
    if (type != 0)
        filter.log_type = {static_cast<int>(type)};
    std::vector<MiscLog> newest_first;
    unsigned int total = 0;
    EXPECT_EQ(LogDB::searchLog(filter, newest_first, total), 0);
    return std::vector<MiscLog>(newest_first.rbegin(), newest_first.rend());
}
