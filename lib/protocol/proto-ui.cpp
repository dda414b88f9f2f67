// ProtoUI: settings, accessors and the choice of channel.
#include "protocol/proto-ui.h"

#include <string>

#include "channel/channel.h"
#include "channel/proxy_channel.h"
#include "channel/proxy_tunnel_channel.h"
#include "channel/tunnel_channel.h"
#include "file-op-ex.h"
#include "log.h"
#include "proto-ui-log.h"

namespace {

const unsigned kDefaultTimeout = 10;
const unsigned kDefaultPort = 3362;
const size_t kPlainChannelCapacity = 81920;

}  // namespace

ProtoUI::ProtoUI()
    : m_seed(0),
      m_channel(nullptr),
      m_ssl_encrypt_channel(true),
      m_ssl_verify_server(false),
      m_timeout(kDefaultTimeout),
      m_port(kDefaultPort),
      m_server_build_version(0),
      m_proxy(nullptr),
      m_tunnel(nullptr),
      m_abort_flag(nullptr),
      m_error(ERROR_OK),
      m_connection_broken(false),
      m_connection_timeout(0),
      m_cycle_seconds(0)
{
    Clear();
}

ProtoUI::~ProtoUI()
{
    Clear();
}

void ProtoUI::DestroyChannel()
{
    delete m_channel;
    m_channel = nullptr;
}

void ProtoUI::Clear()
{
    DestroyChannel();
    m_connection_broken = false;
    delete m_proxy;
    m_proxy = nullptr;
    delete m_tunnel;
    m_tunnel = nullptr;
    m_abort_flag = nullptr;
    m_seed = 0;
    m_user.clear();
    m_password.clear();
    m_otp.clear();
    m_ssl_server_hostname.clear();
    m_ssl_orig_signature.clear();
    m_ssl_current_signature.clear();
    m_ip.clear();
    m_ssl_encrypt_channel = true;
    m_ssl_verify_server = false;
    m_timeout = kDefaultTimeout;
    m_port = kDefaultPort;
    ClearError();
}

void ProtoUI::SetSeed(uint64_t seed)
{
    m_seed = seed;
}

void ProtoUI::SetUser(const std::string& user, const std::string& password, const std::string& otp)
{
    m_user = user;
    m_password = password;
    m_otp = otp;
}

void ProtoUI::SetSSL(bool encrypt_channel, bool verify_server, const std::string& hostname,
                     const std::string& signature)
{
    m_ssl_encrypt_channel = encrypt_channel;
    m_ssl_verify_server = verify_server;
    m_ssl_server_hostname = hostname;
    m_ssl_orig_signature = signature;
}

void ProtoUI::SetTimeout(unsigned seconds)
{
    m_timeout = seconds;
}

void ProtoUI::SetServer(const std::string& ip, unsigned port)
{
    m_ip = ip;
    m_port = port;
}

void ProtoUI::SetAbortFlag(int* flag)
{
    m_abort_flag = flag;
}

void ProtoUI::SetProxy(const ProxyInfo& proxy)
{
    ProxyInfo* copy = new ProxyInfo(proxy);
    delete m_proxy;
    m_proxy = copy;
}

void ProtoUI::SetTunnel(const TunnelInfo& tunnel)
{
    TunnelInfo* copy = new TunnelInfo(tunnel);
    delete m_tunnel;
    m_tunnel = copy;
}

std::string ProtoUI::GetCurrentSSLSignature()
{
    return m_ssl_current_signature;
}

std::vector<std::string> ProtoUI::GetSSLCertificateChain()
{
    return m_ssl_certificate_chain;
}

bool ProtoUI::GetSSLVerified()
{
    if (!m_channel)
        return false;
    return m_channel->GetPeerVerified();
}

int ProtoUI::getChannelMtu()
{
    if (!m_channel) {
        QM_LOG(Logger::L_ERR, PROTO_UI_COMPONENT, L"[ERROR] proto-ui(%d): Channel is not ready\n");
        return -1;
    }
    return cross::getExpectedMtuFromConnectedTcpSocket(m_channel->getNativeHandle());
}

int ProtoUI::GetServerBuildVersion()
{
    return m_server_build_version;
}

Channel* ProtoUI::CreateChannel() const
{
    Channel* channel;
    if (m_proxy && m_tunnel)
        channel = new ProxyTunnelChannel(*m_proxy, *m_tunnel);
    else if (m_proxy)
        channel = new ProxyChannel(*m_proxy);
    else if (m_tunnel)
        channel = new TunnelChannel(*m_tunnel);
    else
        channel = new Channel(kPlainChannelCapacity);
    if (m_timeout != 0)
        channel->SetTimeout(m_timeout);
    if (m_abort_flag)
        channel->SetFlag(m_abort_flag);
    return channel;
}
