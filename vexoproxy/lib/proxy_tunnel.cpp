// The plain function interface of the proxy client.
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "proxy_auth.h"
#include "proxy_connect.h"
#include "proxy_http.h"
#include "proxy_log.h"
#include "vexoproxyclient.h"

using namespace VexoProxy;

namespace {

struct PROXY_AUTH_INFO_PACK {
    int auth_type;
    PROXY_SERVER_INFO server_info;
    PROXY_TARGET_INFO target_info;
    VEXO_PROXY_AUTH_DATA auth_info;
};

bool HasText(const char* s) { return s && *s; }

// One authentication type on a fresh connection: the socket, or a negative code.
int HandleProxyAuthByProto(PROXY_AUTH_INFO_PACK* pack)
{
    if (!HasText(pack->server_info.szProxyAddress) || !HasText(pack->target_info.szTargetAddress) ||
        !pack->auth_info.szUserName || !pack->auth_info.szUserPasswd || !pack->auth_info.szDomainName ||
        !pack->auth_info.szHostName)
        return PROXY_RC_PARAM;
    int fd = VEXOProxyConnect(pack->server_info.szProxyAddress, pack->server_info.ProxyPort);
    if (fd < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]Connect to proxy server phase1 failed\n");
        return PROXY_RC_IO;
    }
    if (pack->auth_type < PROXY_NO_AUTH || pack->auth_type > PROXY_NTLMv2_AUTH) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]auth not support\n");
        VEXOProxyTunnelClose(fd);
        return PROXY_RC_NEED_AUTH;
    }
    if (AuthControlList[pack->auth_type].auth_cb(fd, &pack->auth_info, &pack->target_info) < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]authentication for (%d) fail\n", pack->auth_type);
        VEXOProxyTunnelClose(fd);
        return PROXY_RC_FAILED;
    }
    return fd;
}

int RunAutoAuth(const PROXY_AUTH_INFO_PACK& base)
{
    struct Attempt {
        PROXY_AUTH_INFO_PACK pack;
        std::thread thread;
        int result = -1;
        bool ran = false;
    };
    std::vector<std::unique_ptr<Attempt>> attempts;
    for (const VEXO_PROXY_AUTH_CONTROL& row : AuthControlList) {
        attempts.emplace_back(new Attempt);
        Attempt* attempt = attempts.back().get();
        attempt->pack = base;
        attempt->pack.auth_type = row.type;
        PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient [%d]Try %s (%d), type = %d...\n", row.auth_str,
                        row.type, row.type);
        try {
            attempt->thread = std::thread([attempt] {
                attempt->result = HandleProxyAuthByProto(&attempt->pack);
                attempt->ran = true;
                PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient [%d]auth process for type %d done, ret = %d\n",
                                attempt->pack.auth_type, attempt->result);
            });
        } catch (const std::system_error&) {
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]Run %s auth failed\n", row.auth_str);
        }
    }
    int chosen = -1;
    for (size_t i = 0; i < attempts.size(); ++i) {
        Attempt& attempt = *attempts[i];
        const VEXO_PROXY_AUTH_CONTROL& row = AuthControlList[i];
        if (attempt.thread.joinable())
            attempt.thread.join();
        if (!attempt.ran) {
            PROXY_PRINT_MSG(PROXY_ERR,
                            L"[ERROR] lib/vexoproxyclient [%d]auth process for %s get null return value, continue\n",
                            row.auth_str);
            continue;
        }
        PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient [%d]auth process for %s return val %d\n",
                        row.auth_str, attempt.result);
        if (attempt.result < 0) {
            PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient [%d]Try %s (%d) failed\n", row.auth_str, row.type);
            continue;
        }
        PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient [%d]Try %s (%d) success\n", row.auth_str, row.type);
        if (chosen < 0) {
            PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient [%d]Use %s (%d) as first result\n", row.auth_str,
                            row.type);
            chosen = attempt.result;
        } else {
            PROXY_PRINT_MSG(PROXY_WARNING,
                            L"[WARN]lib/vexoproxyclient [%d]Discard %s (%d) as result and close socket %d\n",
                            row.auth_str, row.type, attempt.result);
            VEXOProxyTunnelClose(attempt.result);
        }
    }
    return chosen;
}

}  // namespace

int VEXOProxyConnect(const char* pszProxyServer, uint16_t ProxyPort)
{
    if (!HasText(pszProxyServer)) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]Bad parameter\n");
        return -1;
    }
    PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient [%d]Connect to proxy server '%s:%d'\n", pszProxyServer,
                    static_cast<int>(ProxyPort));
    // Six waits of 2 s for the connect.
    int fd = ConnectNonBlocking(pszProxyServer, ProxyPort, 2000, 6, ConnectFace::kFunction);
    if (fd >= 0)
        PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient [%d]Connect success\n");
    return fd;
}

int VEXOProxyTunnelOpen(PROXY_SERVER_INFO* server, PROXY_TARGET_INFO* target, PROXY_AUTH_INFO* auth)
{
    if (!server || !target || !HasText(server->szProxyAddress) || !HasText(target->szTargetAddress) || !auth ||
        !auth->szUserName || !auth->szUserPasswd || !auth->szUserDomain || !auth->szUserHost) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]Bad parameter\n");
        return PROXY_RC_PARAM;
    }
    // The password stays out of the log.
    PROXY_PRINT_MSG(PROXY_INFO, L"[INFO]lib/vexoproxyclient [%d]UserName:%s\n\n", auth->szUserName);
    PROXY_PRINT_MSG(PROXY_INFO, L"[INFO]lib/vexoproxyclient [%d]Domain:%s\n\n", auth->szUserDomain);
    PROXY_PRINT_MSG(PROXY_INFO, L"[INFO]lib/vexoproxyclient [%d]Host:%s\n\n", auth->szUserHost);

    PROXY_AUTH_INFO_PACK pack;
    pack.auth_type = auth->AuthType;
    pack.server_info = *server;
    pack.target_info = *target;
    pack.auth_info = MakeAuthData(auth);
    int fd = auth->AuthType == PROXY_AUTO_AUTH ? RunAutoAuth(pack) : HandleProxyAuthByProto(&pack);
    if (fd < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]authentication for (%d) fail,ret = %d\n",
                        static_cast<int>(auth->AuthType), fd);
        return PROXY_RC_FAILED;
    }
    PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient [%d]Connect to proxy server success\n");
    return fd;
}

void VEXOProxyTunnelClose(int socket) { CloseSocket(socket); }

void VEXOProxyInitLogger(LOGGER_FP func) { VexoProxy::log_func.store(func, std::memory_order_release); }
