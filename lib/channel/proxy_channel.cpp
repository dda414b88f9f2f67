#include "channel/proxy_channel.h"

#include <openssl/crypto.h>

#include "channel_internal.h"
#include "io/socket.h"
#include "vexoproxyclient.h"

namespace {

// The proxy channels' buffer capacity argument.
const size_t kRelayChannelCapacity = 0x14000;

void Wipe(std::string& secret)
{
    if (!secret.empty())
        OPENSSL_cleanse(&secret[0], secret.size());
}

}  // namespace

ProxyChannel::ProxyChannel(ProxyInfo proxy_info)
    : Channel(kRelayChannelCapacity),
      proxy_address(proxy_info.proxy_ip),
      proxy_port(proxy_info.proxy_port),
      auth_type(proxy_info.auth_type),
      user_name(proxy_info.user_name),
      user_password(proxy_info.password),
      user_domain(proxy_info.domain),
      user_host(proxy_info.host)
{
    Wipe(proxy_info.password);
}

ProxyChannel::~ProxyChannel() { Wipe(user_password); }

int ProxyChannel::ConvertAuthType(int type)
{
    switch (type) {
    case ProxyInfo::AUTH_NONE:
        return PROXY_NO_AUTH;
    case ProxyInfo::AUTH_BASIC:
        return PROXY_BASIC_AUTH;
    case ProxyInfo::AUTH_NTLMv1:
        return PROXY_NTLM_AUTH;
    case ProxyInfo::AUTH_NTLMv2:
        return PROXY_NTLMv2_AUTH;
    default:
        return PROXY_AUTO_AUTH;
    }
}

int ProxyChannel::Open(const char* ip, int port)
{
    if (!ip || port < 0)
        return ERR_IO;
    PROXY_SERVER_INFO server = {proxy_address.c_str(), proxy_port};
    PROXY_TARGET_INFO target = {ip, static_cast<uint16_t>(port)};
    PROXY_AUTH_INFO auth = {user_name.c_str(), user_password.c_str(), user_domain.c_str(), user_host.c_str(),
                            static_cast<PROXY_AUTH_TYPE>(ConvertAuthType(auth_type))};
    VexoProxy::ProxyClient client;
    client.SetInfo(&server, &target, &auth);
    switch (client.Connect()) {
    case PROXY_CONNECT_OK:
        break;
    case PROXY_CONNECT_AUTH_REFUSED:
        QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT,
               L"[ERROR] proxy_channel(%d): ProxyChannel: proxy refused the credentials\n");
        return ERR_PROXY_AUTH_REFUSED;
    case PROXY_CONNECT_AUTH_REQUIRED:
        QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT,
               L"[ERROR] proxy_channel(%d): ProxyChannel: proxy requires authentication "
               L"the chosen method cannot give\n");
        return ERR_PROXY_AUTH_REQUIRED;
    case PROXY_CONNECT_BAD_CHALLENGE:
        QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT,
               L"[ERROR] proxy_channel(%d): ProxyChannel: proxy sent an NTLM challenge that cannot be answered\n");
        return ERR_PROXY_BAD_CHALLENGE;
    default:
        QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT, L"[ERROR] proxy_channel(%d): ProxyChannel: cannot connect to proxy\n");
        return ERR_IO;
    }
    ClearRead();
    ClearWrite();
    CloseSocket();
    m_socket = new qelt::Socket(client.Handover());
    if (SetupTcpKeepAlive(m_socket->fd()) != 0)
        QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT,
               L"[ERROR] proxy_channel(%d): ProxyChannel::Open: SetupTcpKeepAlive failed (ignoring)\n");
    return CreateBufferIO() == 0 ? ERR_OK : ERR_IO;
}

int ProxyChannel::Close() { return Channel::Close(); }
