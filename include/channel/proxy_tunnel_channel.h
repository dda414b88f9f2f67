#pragma once

#include <cstdint>
#include <string>

#include "channel/proxy_channel.h"

// A channel through an HTTP proxy to the relay, then the relay tunnel to the target.
class ProxyTunnelChannel : public ProxyChannel {
public:
    ProxyTunnelChannel(ProxyInfo proxy_info, TunnelInfo tunnel_info);
    ~ProxyTunnelChannel() override;

    using ProxyChannel::Open;
    // ip:port is the final target. ERR_OK or ERR_IO.
    int Open(const char* ip, int port) override;
    int Close() override;

protected:
    std::string tunnel_address;
    uint16_t tunnel_port;
};
