#include <gtest/gtest.h>

#include <QMetaType>
#include <QVariant>

#include <atomic>
#include <thread>
#include <vector>

#include "site-file-info.h"
#include "site-info-manager.h"

namespace {

SiteInfo makeSite(uint64_t peer_id, const QString& domain = "nas", const QString& user = "alice",
                  uint64_t connection_id = 1)
{
    SiteInfo info;
    info.peer_id = peer_id;
    info.domain_name = domain;
    info.user_name = user;
    info.connection_id = connection_id;
    return info;
}

// The table is process-wide: each test empties it first.
class SiteInfoManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QVector<SiteInfo> all;
        table()->getSiteInfos(all);
        for (const SiteInfo& info : all)
            table()->removeSiteInfo(info.peer_id);
    }
    static SiteInfoManager* table() { return SiteInfoManager::getInstance(); }
    static std::vector<uint64_t> peers(const QVector<SiteInfo>& infos)
    {
        std::vector<uint64_t> ids;
        for (const SiteInfo& info : infos)
            ids.push_back(info.peer_id);
        return ids;
    }
};

TEST(SiteInfoTest, DefaultRecordIsAllZeroFalseOrEmpty)
{
    SiteInfo info;
    EXPECT_EQ(info.site_error, SITE_ERROR_OK);
    EXPECT_EQ(info.protocol_error, ProtoUI::ERROR_OK);
    EXPECT_EQ(info.peer_id + info.peer_seed + info.connection_id, 0u);
    EXPECT_EQ(info.control_port, 0);
    EXPECT_EQ(info.transfer_port, 0);
    EXPECT_EQ(info.control_mtu, 0);
    EXPECT_EQ(info.concurrent, 0);
    EXPECT_EQ(info.max_upload + info.min_upload + info.max_download + info.min_download, 0u);
    EXPECT_FALSE(info.is_reconnect || info.encrypted || info.compressed || info.ssl_allow_untrust ||
                 info.ssl_verified || info.support_minimum_bandwidth);
    EXPECT_TRUE(info.domain_name.isEmpty() && info.ip.isEmpty() && info.ssl_signature.isEmpty());
    EXPECT_TRUE(info.certificate_chain.empty());
    // Ports are signed 32-bit.
    info.control_port = -1;
    EXPECT_LT(info.control_port, 0);
}

TEST(SiteInfoTest, MetaTypesAreRegisteredUnderTheirNames)
{
    registerSiteMetaTypes();
    EXPECT_NE(QMetaType::type("SiteFileList"), QMetaType::UnknownType);
    EXPECT_NE(QMetaType::type("SiteInfo"), QMetaType::UnknownType);
    SiteInfo info = makeSite(7);
    info.certificate_chain = {"pem-a", "pem-b"};
    QVariant carried = QVariant::fromValue(info);
    EXPECT_EQ(carried.value<SiteInfo>().certificate_chain, info.certificate_chain);
}

TEST_F(SiteInfoManagerTest, TableEdgeCases)
{
    SiteInfo untouched = makeSite(99, "keep");
    QVector<SiteInfo> all;

    // An empty table.
    table()->getSiteInfos(all);
    EXPECT_TRUE(all.isEmpty());
    EXPECT_FALSE(table()->getSiteInfoByPeerId(5, untouched));
    EXPECT_EQ(untouched.peer_id, 99u);
    EXPECT_EQ(untouched.domain_name, "keep");

    // Records come back ascending by peer id, whatever the order of insertion.
    for (uint64_t id : {30u, 10u, 20u}) {
        SiteInfo info = makeSite(id, "nas", "alice", id == 20 ? 2 : 1);
        table()->setSiteInfo(info);
    }
    table()->getSiteInfos(all);
    EXPECT_EQ(peers(all), (std::vector<uint64_t>{10, 20, 30}));

    // A second set under one peer id leaves one record, equal to the second.
    SiteInfo second = makeSite(10, "other", "bob");
    table()->setSiteInfo(second);
    table()->getSiteInfos(all);
    EXPECT_EQ(all.size(), 3);
    SiteInfo read;
    ASSERT_TRUE(table()->getSiteInfoByPeerId(10, read));
    EXPECT_EQ(read.domain_name, "other");
    EXPECT_EQ(read.user_name, "bob");

    // Removing an unknown peer changes nothing.
    table()->removeSiteInfo(12345);
    table()->getSiteInfos(all);
    EXPECT_EQ(all.size(), 3);

    // By connection id: emptied first.
    QVector<SiteInfo> by_connection{makeSite(1000)};
    table()->getSiteInfosByConnectionId(1, by_connection);
    EXPECT_EQ(peers(by_connection), (std::vector<uint64_t>{10, 30}));

    // By domain and user: case-sensitive, appended after existing elements.
    QVector<SiteInfo> by_user{makeSite(1000)};
    table()->getSiteInfosByDomainUsername("NAS", "alice", by_user);
    EXPECT_EQ(peers(by_user), (std::vector<uint64_t>{1000}));
    table()->getSiteInfosByDomainUsername("nas", "alice", by_user);
    EXPECT_EQ(peers(by_user), (std::vector<uint64_t>{1000, 20, 30}));
}

TEST_F(SiteInfoManagerTest, UpdateChangesOnlyWhatItTouchesAndNeverRevives)
{
    SiteInfo info = makeSite(4);
    info.max_upload = 500;
    table()->setSiteInfo(info);
    EXPECT_TRUE(table()->updateSiteInfo(4, [](SiteInfo& stored) {
        stored.peer_seed = 77;
        stored.peer_id = 9;  // the key cannot be moved by a change
    }));
    SiteInfo read;
    ASSERT_TRUE(table()->getSiteInfoByPeerId(4, read));
    EXPECT_EQ(read.peer_seed, 77u);
    EXPECT_EQ(read.max_upload, 500u);
    EXPECT_EQ(read.peer_id, 4u);
    EXPECT_FALSE(table()->getSiteInfoByPeerId(9, read));

    table()->removeSiteInfo(4);
    bool called = false;
    EXPECT_FALSE(table()->updateSiteInfo(4, [&](SiteInfo&) { called = true; }));
    EXPECT_FALSE(called);
    EXPECT_FALSE(table()->getSiteInfoByPeerId(4, read));
}

TEST_F(SiteInfoManagerTest, ConcurrentSetGetUpdateAndRemove)
{
    const int kThreads = 6;
    const int kRounds = 400;
    std::atomic<int> torn{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kRounds; ++i) {
                uint64_t peer = static_cast<uint64_t>(i % 8);
                SiteInfo info = makeSite(peer, QString("d%1").arg(t));
                info.max_upload = static_cast<uint64_t>(t);
                info.min_upload = static_cast<uint64_t>(t);
                table()->setSiteInfo(info);
                table()->updateSiteInfo(peer, [](SiteInfo& stored) { stored.min_upload = stored.max_upload; });
                SiteInfo read;
                if (table()->getSiteInfoByPeerId(peer, read) &&
                    (read.max_upload != read.min_upload || read.domain_name != QString("d%1").arg(read.max_upload)))
                    ++torn;
                QVector<SiteInfo> all;
                table()->getSiteInfos(all);
                if (i % 5 == 0)
                    table()->removeSiteInfo(peer);
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(torn.load(), 0);
}

}  // namespace
