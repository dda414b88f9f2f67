#include "login_settings_server.h"

#include "global-connecter.h"
#include "login_settings_support.h"
#include "system-db.h"
#include "vexoqelt_test_support.h"

AddSiteRelay::AddSiteRelay()
{
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(hub, &GlobalConnecter::sigConnectSiteDone, hub, &GlobalConnecter::sigAddSiteDone);
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

std::list<ConnectionInfo> PairedServerTest::SavedRows()
{
    std::list<ConnectionInfo> rows;
    EXPECT_GE(SystemDB::listConnection(rows), 0);
    return rows;
}
