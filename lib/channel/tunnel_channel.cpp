#include "channel/tunnel_channel.h"

#include "channel_internal.h"

namespace {
const size_t kRelayChannelCapacity = 0x14000;
}

TunnelChannel::TunnelChannel(TunnelInfo tunnel_info)
    : Channel(kRelayChannelCapacity), tunnel_address(tunnel_info.tunnel_ip), tunnel_port(tunnel_info.tunnel_port)
{
}

TunnelChannel::~TunnelChannel() = default;

int TunnelChannel::Open(const char* ip, int port)
{
    // Without a target there is nothing to open: that is a failure, not success.
    if (!ip || port < 0)
        return ERR_IO;
    if (Channel::Open(tunnel_address.c_str(), tunnel_port) != ERR_OK) {
        QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT, L"[ERROR] tunnel_channel(%d): Connect failed\n");
        return ERR_IO;
    }
    return OpenRelayTunnel(ip, port, false);
}

int TunnelChannel::Close() { return Channel::Close(); }
