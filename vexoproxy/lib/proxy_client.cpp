#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "proxy_auth.h"
#include "proxy_connect.h"
#include "proxy_http.h"
#include "proxy_log.h"
#include "vexoproxyclient.h"

namespace VexoProxy {

std::atomic<LOGGER_FP> log_func{nullptr};

namespace {

// Logs a failure of the function interface's connect with the system's reason.
void LogFunctionConnectFailure(int err)
{
    PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]Connect failed:%s\n", std::strerror(err));
}

// Resolves host to its first IPv4 address. False when it cannot.
bool ResolveIPv4(const char* host, uint16_t port, ConnectFace face, struct sockaddr_in& addr)
{
    struct addrinfo hints;
    std::memset(&hints, 0, sizeof hints);
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    struct addrinfo* result = nullptr;
    int rc = getaddrinfo(host, nullptr, &hints, &result);
    if (rc != 0 || !result) {
        if (face == ConnectFace::kFunction)
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]Proxy server could not be resolved.\n");
        else if (rc != 0)
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]getaddrinfo failed\n");
        else
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]Failed to resolve proxy\n");
        if (result)
            freeaddrinfo(result);
        return false;
    }
    std::memcpy(&addr, result->ai_addr, sizeof addr);
    freeaddrinfo(result);
    addr.sin_port = htons(port);
    return true;
}

// Linger 1 s, non-blocking, and for the function interface no Nagle delay. False on failure.
bool SetupProxySocket(int fd, ConnectFace face)
{
    const bool cls = face == ConnectFace::kClass;
    struct linger lg = {1, 1};
    if (setsockopt(fd, SOL_SOCKET, SO_LINGER, &lg, sizeof lg) != 0) {
        if (cls)
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]Set linger failed\n");
        return false;
    }
    int fl = fcntl(fd, F_GETFL, 0);
    if (fl < 0 || fcntl(fd, F_SETFL, fl | O_NONBLOCK) != 0) {
        if (cls)
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]Set non-blocking failed\n");
        return false;
    }
    int on = 1;
    return cls || setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) == 0;
}

// Waits for a connect in progress. 0 connected, else the failure's errno (or ETIMEDOUT).
int WaitConnected(int fd, int slice_ms, int slices, ConnectFace face)
{
    const bool cls = face == ConnectFace::kClass;
    for (int i = 0; i < slices; ++i) {
        int r = WaitSocket(fd, true, slice_ms);
        if (r < 0) {
            int err = errno;
            if (cls)
                PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]Select failed\n");
            else
                PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]Select interrupt\n");
            return err;
        }
        if (r == 0) {
            if (!cls)
                PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]Socket connect timeout\n");
            continue;
        }
        // Writable also means "failed" (e.g. refused): the pending error decides.
        int err = 0;
        socklen_t len = sizeof err;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0)
            err = errno;
        if (err != 0) {
            if (cls)
                PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]Failed to connect '%d'\n", err);
            else
                PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]Error in connection() %d - %s\n", err,
                                std::strerror(err));
        }
        return err;
    }
    if (cls)
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]Select timed out\n");
    else
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]connect retry %d times and fail\n", slices - 1);
    return ETIMEDOUT;
}

}  // namespace

int ConnectNonBlocking(const char* host, uint16_t port, int slice_ms, int slices, ConnectFace face)
{
    const bool cls = face == ConnectFace::kClass;
    struct sockaddr_in addr;
    if (!ResolveIPv4(host, port, face, addr))
        return -1;
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        if (cls)
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]Cannot create proxy socket\n");
        else
            LogFunctionConnectFailure(errno);
        return -1;
    }
    int err = 0;
    if (!SetupProxySocket(fd, face)) {
        err = errno != 0 ? errno : EINVAL;
    } else if (::connect(fd, reinterpret_cast<struct sockaddr*>(&addr), sizeof addr) != 0) {
        err = errno;
        if (err == EINPROGRESS)
            err = WaitConnected(fd, slice_ms, slices, face);
        else if (cls)
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]Failed to connect '%d'\n", err);
    }
    if (err == 0)
        return fd;
    if (!cls)
        LogFunctionConnectFailure(err);
    close(fd);
    return -1;
}

ProxyClient::ProxyClient()
    : realAuthType(PROXY_AUTO_AUTH),
      pProxyServerInfo(nullptr),
      pProxyTargetInfo(nullptr),
      pProxyAuthInfo(nullptr),
      socket(-1)
{
}

ProxyClient::ProxyClient(const ProxyClient& other)
    : realAuthType(other.realAuthType),
      pProxyServerInfo(other.pProxyServerInfo),
      pProxyTargetInfo(other.pProxyTargetInfo),
      pProxyAuthInfo(other.pProxyAuthInfo),
      socket(-1)
{
}

ProxyClient::~ProxyClient() { Close(); }

void ProxyClient::SetInfo(PROXY_SERVER_INFO* server, PROXY_TARGET_INFO* target, PROXY_AUTH_INFO* auth)
{
    pProxyServerInfo = server;
    pProxyTargetInfo = target;
    pProxyAuthInfo = auth;
    realAuthType = auth ? auth->AuthType : PROXY_AUTO_AUTH;
}

int ProxyClient::Handover()
{
    int fd = socket;
    socket = -1;
    return fd;
}

void ProxyClient::Close()
{
    if (socket >= 0)
        CloseSocket(socket);
    socket = -1;
}

int ProxyClient::CheckParameters() const
{
    if (!pProxyServerInfo) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]proxy not set\n");
        return -1;
    }
    if (!pProxyServerInfo->szProxyAddress || !*pProxyServerInfo->szProxyAddress) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]proxy ip is not set\n");
        return -1;
    }
    if (pProxyServerInfo->ProxyPort == 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]proxy port is not valid: '%u'\n", 0u);
        return -1;
    }
    if (!pProxyTargetInfo) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]target not set\n");
        return -1;
    }
    if (!pProxyTargetInfo->szTargetAddress || !*pProxyTargetInfo->szTargetAddress) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]target ip is not set\n");
        return -1;
    }
    if (pProxyTargetInfo->TargetPort == 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]target port is not valid: '%u'\n", 0u);
        return -1;
    }
    return 0;
}

int ProxyClient::ConnectToProxy(int timeout_seconds)
{
    // 800 ms slices within the budget: 13 slices for 10 s.
    int slices = timeout_seconds * 1000000 / 800000 + 1;
    socket = ConnectNonBlocking(pProxyServerInfo->szProxyAddress, pProxyServerInfo->ProxyPort, 800, slices,
                                ConnectFace::kClass);
    return socket < 0 ? -1 : 0;
}

namespace {

// The result of Connect for a handler's result.
int ConnectResultOf(int handler_rc)
{
    if (handler_rc >= 0)
        return PROXY_CONNECT_OK;
    if (handler_rc == PROXY_RC_AUTH_REFUSED)
        return PROXY_CONNECT_AUTH_REFUSED;
    if (handler_rc == PROXY_RC_NEED_AUTH)
        return PROXY_CONNECT_AUTH_REQUIRED;
    if (handler_rc == PROXY_RC_BAD_CHALLENGE)
        return PROXY_CONNECT_BAD_CHALLENGE;
    return PROXY_CONNECT_FAILED;
}

// Of two failures, the one that tells the user more: refused credentials,
// then an NTLM challenge that cannot be answered (the proxy offered NTLM, so
// a demand from the other methods says less), then a demand for
// authentication, then anything else.
int MoreTelling(int a, int b)
{
    for (int verdict : {PROXY_CONNECT_AUTH_REFUSED, PROXY_CONNECT_BAD_CHALLENGE, PROXY_CONNECT_AUTH_REQUIRED})
        if (a == verdict || b == verdict)
            return verdict;
    return PROXY_CONNECT_FAILED;
}

}  // namespace

int ProxyClient::Connect()
{
    if (CheckParameters() < 0)
        return PROXY_CONNECT_FAILED;
    Close();
    if (realAuthType == PROXY_AUTO_AUTH)
        return HandleAutoAuth();
    if (ConnectToProxy(10) < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]Failed to establish a connection to proxy\n");
        return PROXY_CONNECT_FAILED;
    }
    if (realAuthType < PROXY_NO_AUTH || realAuthType > PROXY_NTLMv2_AUTH) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]Invalid auth type: %d\n",
                        static_cast<int>(realAuthType));
        return PROXY_CONNECT_FAILED;
    }
    VEXO_PROXY_AUTH_DATA auth = MakeAuthData(pProxyAuthInfo);
    int rc = AuthControlList[realAuthType].auth_cb(socket, &auth, pProxyTargetInfo);
    if (rc < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_cpp [%d]Auth failed; rc='%d'; auth_type = '%d'\n", rc,
                        static_cast<int>(realAuthType));
        return ConnectResultOf(rc);
    }
    return PROXY_CONNECT_OK;
}

int ProxyClient::HandleAutoAuth()
{
    PROXY_PRINT_MSG(PROXY_INFO, L"[INFO]lib/vexoproxyclient_cpp [%d]ProxyClient::HandleAutoAuth entering\n");
    struct AuthThreadInfo {
        explicit AuthThreadInfo(const ProxyClient& base) : proxy(base), result(-1) {}
        ProxyClient proxy;
        std::thread thread_id;
        int result;
    };
    std::vector<std::unique_ptr<AuthThreadInfo>> attempts;
    for (int type = PROXY_NO_AUTH; type <= PROXY_NTLMv2_AUTH; ++type) {
        attempts.emplace_back(new AuthThreadInfo(*this));
        AuthThreadInfo* attempt = attempts.back().get();
        attempt->proxy.realAuthType = static_cast<PROXY_AUTH_TYPE>(type);
        try {
            attempt->thread_id = std::thread([attempt] { attempt->result = attempt->proxy.Connect(); });
        } catch (const std::system_error&) {
            attempt->result = PROXY_CONNECT_FAILED;  // counts as a failed attempt
        }
    }
    socket = -1;
    int failure = PROXY_CONNECT_FAILED;
    for (size_t type = 0; type < attempts.size(); ++type) {
        AuthThreadInfo& attempt = *attempts[type];
        if (attempt.thread_id.joinable())
            attempt.thread_id.join();
        if (attempt.result < 0) {
            PROXY_PRINT_MSG(PROXY_INFO, L"[INFO]lib/vexoproxyclient_cpp [%d]Connect fail for auth type '%d'\n",
                            static_cast<int>(type));
            failure = MoreTelling(failure, attempt.result);
        } else if (socket < 0) {
            PROXY_PRINT_MSG(PROXY_INFO, L"[INFO]lib/vexoproxyclient_cpp [%d]Use proxy auth '%d' as result\n",
                            static_cast<int>(type));
            socket = attempt.proxy.Handover();
        } else {
            PROXY_PRINT_MSG(PROXY_INFO, L"[INFO]lib/vexoproxyclient_cpp [%d]Discard proxy auth '%d'\n",
                            static_cast<int>(type));
        }
        attempt.proxy.Close();
    }
    return socket < 0 ? failure : PROXY_CONNECT_OK;
}

}  // namespace VexoProxy
