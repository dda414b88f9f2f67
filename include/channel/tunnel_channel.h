#pragma once

#include <cstdint>
#include <string>

#include "channel/channel.h"
#include "proxy-tunnel-info.h"

// A channel to the target through the relay tunnel: TLS to the relay (not
// verified unless the channel is told to), the tunnel request, then plain
// TCP that the relay forwards. End-to-end TLS is a later ConvertToSSLChannel.
class TunnelChannel : public Channel {
public:
    explicit TunnelChannel(TunnelInfo tunnel_info);
    ~TunnelChannel() override;

    using Channel::Open;
    // ip:port is the final target. ERR_OK or ERR_IO.
    int Open(const char* ip, int port) override;
    int Close() override;

protected:
    std::string tunnel_address;
    uint16_t tunnel_port;
};
