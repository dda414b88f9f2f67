#pragma once

#include <cstdint>
#include <string>

// Settings of a connection through an HTTP proxy. Copied by value.
struct ProxyInfo {
    enum AuthType {
        AUTH_AUTO = 0,
        AUTH_NONE = 1,
        AUTH_BASIC = 2,
        AUTH_NTLMv1 = 3,
        AUTH_NTLMv2 = 4,
    };

    bool use_proxy = false;
    bool use_sys_proxy = false;
    std::string proxy_ip;      // host name or address of the proxy
    uint16_t proxy_port = 0;
    std::string user_name;
    std::string password;
    std::string domain;        // NTLM domain
    std::string host;          // NTLM workstation name
    AuthType auth_type = AUTH_AUTO;
};

// Settings of a connection through the relay tunnel. Copied by value.
struct TunnelInfo {
    bool use_tunnel = false;
    std::string tunnel_ip;     // literal IPv4 or IPv6 address of the relay
    uint16_t tunnel_port = 0;
};
