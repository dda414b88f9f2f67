#include "channel/proxy_tunnel_channel.h"

#include "channel_internal.h"

ProxyTunnelChannel::ProxyTunnelChannel(ProxyInfo proxy_info, TunnelInfo tunnel_info)
    : ProxyChannel(std::move(proxy_info)), tunnel_address(tunnel_info.tunnel_ip), tunnel_port(tunnel_info.tunnel_port)
{
}

ProxyTunnelChannel::~ProxyTunnelChannel() = default;

int ProxyTunnelChannel::Open(const char* ip, int port)
{
    // Without a target the relay request could not even be formed.
    if (!ip || port < 0)
        return ERR_IO;
    int rc = ProxyChannel::Open(tunnel_address.c_str(), tunnel_port);
    if (rc != ERR_OK) {
        QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT, L"[ERROR] proxy_tunnel_channel(%d): Open proxy failed\n");
        // The proxy's verdict on the credentials reaches the caller as it is.
        const bool verdict = rc == ERR_PROXY_AUTH_REFUSED || rc == ERR_PROXY_AUTH_REQUIRED || rc == ERR_PROXY_BAD_CHALLENGE;
        return verdict ? rc : ERR_IO;
    }
    return OpenRelayTunnel(ip, port, true);
}

int ProxyTunnelChannel::Close() { return Channel::Close(); }
