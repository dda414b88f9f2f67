#include "login_settings_server.h"

#include "event-generator.h"
#include "event-manager.h"
#include "global-connecter.h"
#include "site-info-manager.h"
#include "login_settings_support.h"
#include "system-db.h"
#include "vexoqelt_test_support.h"

AddSiteRelay::AddSiteRelay()
{
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(hub, &GlobalConnecter::sigConnectSiteDone, hub, &GlobalConnecter::sigAddSiteDone);
}

void AddSiteRelay::startSetUdpPerLogin()
{
    if (m_set_udp)
        return;
    m_set_udp = true;
    // After the added announcement, as the main window does it.
    connect(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectSiteDone, this,
            &AddSiteRelay::slotConnectSiteDone);
}

void AddSiteRelay::slotConnectSiteDone(uint64_t peer_id)
{
    SiteInfo site;
    if (!SiteInfoManager::getInstance()->getSiteInfoByPeerId(peer_id, site) || site.site_error != SITE_ERROR_OK)
        return;
    Event event;
    EventGenerator().createEventFromSetUdp(event, peer_id);
    const uint id = EventManager::getInstance()->pushEvent(event);
    emit GlobalConnecter::getInstance()->sigEventAdded(id);
}

PairedServerTest::PairedServerTest()
{
    lstest::initWidgets();
    StartPaired();
}

PairedServerTest::~PairedServerTest()
{
    EXPECT_TRUE(vexotest::missingNames().isEmpty()) << vexotest::missingNames().join(',').toStdString();
}

void PairedServerTest::StartPaired(const std::function<void(test_server::ServerConfig&)>& edit, bool with_data)
{
    StopServer();
    for (int attempt = 0; attempt < 50; ++attempt) {
        test_server::ServerConfig config;
        config.port = 0;
        config.cert_path = m_cert_file;
        config.key_path = m_key_file;
        config.accounts = {{"alice", "secret", ""}, {"bob", "pw", "123456"}};
        config.shares = {{"docs", Docs(), "rw"}};
        if (edit)
            edit(config);
        std::string error;
        config.on_session_seed = [this](uint64_t seed) {
            if (m_data)
                m_data->AddSession(seed);
        };
        auto control = std::make_unique<test_server::ControlServer>(config);
        if (control->Start(error) != 0)
            continue;
        const unsigned port = control->Port();
        if (port >= 65535) {
            control->Stop();
            continue;
        }
        if (with_data) {
            auto data = std::make_unique<test_server::DataServer>(config.shares);
            if (data->Start(port + 1, config.key_path, config.cert_path, error) != 0) {
                control->Stop();
                continue;
            }
            m_data = std::move(data);
            m_data_port = port + 1;
        }
        m_control = std::move(control);
        m_control_port = port;
        m_config = config;
        return;
    }
    FAIL() << "no free port pair";
}

QString PairedServerTest::Address() const
{
    return QStringLiteral("localhost:%1").arg(m_control_port);
}

void PairedServerTest::StartSetUdpPerLogin()
{
    // Events an earlier scenario announced to peers that are gone now would
    // never be handled.
    std::vector<Event> left;
    EventManager::getInstance()->listEvent(left);
    for (const Event& event : left)
        EventManager::getInstance()->removeEvent(event.id);
    m_relay.startSetUdpPerLogin();
}

bool PairedServerTest::WaitSetUdpDone()
{
    return WaitUntil([] {
        std::vector<Event> events;
        EventManager::getInstance()->listEvent(events);
        for (const Event& event : events)
            if (event.type == EV_SETUDP)
                return false;
        return true;
    });
}

std::list<ConnectionInfo> PairedServerTest::SavedRows()
{
    std::list<ConnectionInfo> rows;
    EXPECT_GE(SystemDB::listConnection(rows), 0);
    return rows;
}
