#pragma once

#include <cstdint>

// HTTP proxy client: opens a TCP connection to an HTTP proxy and asks it with
// CONNECT for a tunnel to a target, authenticating with nothing, Basic,
// NTLMv1 or NTLMv2, or trying all four at once (automatic).

typedef wchar_t vexochar;
// Log hook: level, component, wide printf format, then the format's arguments.
typedef void (*LOGGER_FP)(int level, const vexochar* component, const vexochar* format, ...);

enum PROXY_AUTH_TYPE {
    PROXY_NO_AUTH = 0,
    PROXY_BASIC_AUTH = 1,
    PROXY_NTLM_AUTH = 2,     // NTLMv1
    PROXY_NTLMv2_AUTH = 3,
    PROXY_AUTO_AUTH = 4,
};

// Records handed in by the caller; the client borrows them (never copies or frees).
struct PROXY_SERVER_INFO {
    const char* szProxyAddress;
    uint16_t ProxyPort;
};

struct PROXY_TARGET_INFO {
    const char* szTargetAddress;
    uint16_t TargetPort;
};

struct PROXY_AUTH_INFO {
    const char* szUserName;
    const char* szUserPasswd;
    const char* szUserDomain;
    const char* szUserHost;
    PROXY_AUTH_TYPE AuthType;
};

// Results of ProxyClient::Connect.
enum PROXY_CONNECT_RESULT {
    PROXY_CONNECT_OK = 0,
    PROXY_CONNECT_FAILED = -1,         // no proxy, no connection, or the exchange failed
    PROXY_CONNECT_AUTH_REFUSED = -2,   // the proxy answered 407 to the credentials sent
    PROXY_CONNECT_AUTH_REQUIRED = -3,  // the proxy wants authentication this type cannot give
    PROXY_CONNECT_BAD_CHALLENGE = -4,  // the proxy's NTLM challenge cannot be answered
};

namespace VexoProxy {

class ProxyClient {
public:
    ProxyClient();
    ~ProxyClient();
    ProxyClient(const ProxyClient& other);
    ProxyClient& operator=(const ProxyClient&) = delete;

    void SetInfo(PROXY_SERVER_INFO* server, PROXY_TARGET_INFO* target, PROXY_AUTH_INFO* auth);
    // PROXY_CONNECT_OK when the tunnel stands (the socket is held), else
    // why not: refused credentials and a demand for authentication are told
    // apart from every other failure. The automatic mode reports refused
    // credentials when any attempt had them refused, then a demand.
    int Connect();
    // Gives up the held socket: the caller owns it from now on.
    int Handover();
    void Close();

    // Connects to the proxy within timeout seconds; the socket is kept in `socket`.
    int ConnectToProxy(int timeout_seconds);

private:
    int CheckParameters() const;
    int HandleAutoAuth();

    PROXY_AUTH_TYPE realAuthType;
    PROXY_SERVER_INFO* pProxyServerInfo;
    PROXY_TARGET_INFO* pProxyTargetInfo;
    PROXY_AUTH_INFO* pProxyAuthInfo;
    int socket;
};

}  // namespace VexoProxy

// Plain function interface over the same implementation.
int VEXOProxyConnect(const char* pszProxyServer, uint16_t ProxyPort);
// A socket with the tunnel established; -2 when authentication failed, -6 for bad parameters.
int VEXOProxyTunnelOpen(PROXY_SERVER_INFO* server, PROXY_TARGET_INFO* target, PROXY_AUTH_INFO* auth);
void VEXOProxyTunnelClose(int socket);
void VEXOProxyInitLogger(LOGGER_FP log_func);
