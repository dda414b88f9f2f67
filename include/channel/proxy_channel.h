#pragma once

#include <cstdint>
#include <string>

#include "channel/channel.h"
#include "proxy-tunnel-info.h"

// A channel to the target through an HTTP proxy (CONNECT).
class ProxyChannel : public Channel {
public:
    explicit ProxyChannel(ProxyInfo proxy_info);
    ~ProxyChannel() override;

    using Channel::Open;
    // ip:port is the final target, as the proxy shall see it. ERR_OK;
    // ERR_PROXY_AUTH_REFUSED when the proxy refused the credentials,
    // ERR_PROXY_AUTH_REQUIRED when it wants authentication the chosen method
    // cannot give, ERR_PROXY_BAD_CHALLENGE when its NTLM challenge cannot be
    // answered; ERR_IO for every other failure (proxy down, bad answer).
    int Open(const char* ip, int port) override;
    int Close() override;

    // ProxyInfo::AuthType to the proxy client's PROXY_AUTH_TYPE; 0 and
    // anything unknown mean automatic.
    static int ConvertAuthType(int auth_type);

protected:
    std::string proxy_address;
    uint16_t proxy_port;
    ProxyInfo::AuthType auth_type;
    std::string user_name;
    std::string user_password;
    std::string user_domain;
    std::string user_host;
};
