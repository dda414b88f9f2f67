#include "proxy_auth.h"

#include <strings.h>

#include <cstdio>
#include <vector>

#include "proxy_http.h"
#include "proxy_log.h"
#include "proxy_text.h"

namespace VexoProxy {

const VEXO_PROXY_AUTH_CONTROL AuthControlList[4] = {
    {PROXY_NO_AUTH, "NO Auth", VEXOProxyClientHandleNoAuth},
    {PROXY_BASIC_AUTH, "BASIC Auth", VEXOProxyClientHandleBASICAuth},
    {PROXY_NTLM_AUTH, "NTLMv1 Auth", VEXOProxyClientHandleNTLMv1Auth},
    {PROXY_NTLMv2_AUTH, "NTLMv2 Auth", VEXOProxyClientHandleNTLMv2Auth},
};

namespace {

const char kNtlmOffer[] = "NTLM ";
const char kBasicScheme[] = "Basic";

bool HasText(const char* s) { return s && *s; }

int auth_parameter_valid_check(const VEXO_PROXY_AUTH_DATA* auth, const PROXY_TARGET_INFO* target)
{
    if (!auth || !target) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Invalid parameter\n");
        return PROXY_RC_PARAM;
    }
    if (!HasText(target->szTargetAddress)) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Invalid parameter\n");
        return PROXY_RC_PARAM;
    }
    if (!HasText(auth->szUserName)) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Need specified user name\n");
        return PROXY_RC_PARAM;
    }
    if (!auth->szUserPasswd) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Need specified password\n");
        return PROXY_RC_PARAM;
    }
    if (!auth->szDomainName || !auth->szHostName) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Need specified domain and host\n");
        return PROXY_RC_PARAM;
    }
    return 0;
}

// Which requests are written to the log, and how.
enum class RequestLog { kNone, kBasic, kNtlmType3 };

// Sends head + "Proxy-Authorization: <scheme> <token>". The logged copy has
// the token hidden: it carries credentials or values derived from them.
int SendAuthorized(int socket, const PROXY_TARGET_INFO* target, const char* scheme, const std::string& token,
                   RequestLog log)
{
    std::string head = BuildConnectHead(target);
    std::string request = head + "Proxy-Authorization: " + scheme + " " + token + "\r\n\r\n";
    if (request.size() >= kRequestLimit)
        return PROXY_RC_ENCODING;
    std::string shown = head + "Proxy-Authorization: " + scheme + " <hidden>\r\n\r\n";
    if (log == RequestLog::kBasic)
        PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient_auth [%d]pkt buf = '%s'\n\n", shown.c_str());
    else if (log == RequestLog::kNtlmType3)
        PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient_auth [%d]%s\n\n", shown.c_str());
    return VEXOProxyClientPacketSend(socket, request.data(), request.size(), kExchangeTimeout) < 0 ? PROXY_RC_IO : 0;
}

int SendNtlmMessage(int socket, const PROXY_TARGET_INFO* target, const std::vector<uint8_t>& message,
                    RequestLog log)
{
    std::string token;
    if (ToBase64(message.data(), message.size(), token) < 0)
        return PROXY_RC_ENCODING;
    return SendAuthorized(socket, target, "NTLM", token, log);
}

int VEXOProxyClientHandleNTLMResponse(int socket, const HttpHeaderList& headers, PROXY_TARGET_INFO* target,
                                      VEXO_PROXY_AUTH_DATA* auth)
{
    int offer = -1;
    while ((offer = headers.GetNextEntryByKey("Proxy-Authenticate", offer)) >= 0)
        if (headers.ValueAt(offer).compare(0, sizeof kNtlmOffer - 1, kNtlmOffer) == 0)
            break;
    if (offer < 0) {
        PROXY_PRINT_MSG(PROXY_ERR,
                        L"[ERROR] lib/vexoproxyclient_auth [%d]No NTLM Proxy-Authenticate, NTLM not supported?\n");
        return PROXY_RC_NEED_AUTH;
    }
    std::string encoded = headers.ValueAt(offer).substr(sizeof kNtlmOffer - 1);
    VEXOProxyClientStrimWhiteSpace(encoded);
    std::vector<uint8_t> type2;
    if (FromBase64(encoded, type2) < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Decode challenge from base64 failed\n");
        return PROXY_RC_BAD_CHALLENGE;
    }
    if (type2.size() < 25) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Proxy server returning invalid challenge!\n");
        return PROXY_RC_BAD_CHALLENGE;
    }
    std::vector<uint8_t> type3;
    int built = VEXOProxyClientNTLMResponseType3Cal(type3, type2.data(), type2.size(), auth);
    if (built == kNtlmErrNoTargetInfo) {
        // The proxy offers NTLM, but not the variant asked for: NTLMv1 (or
        // the automatic choice) would get through.
        PROXY_PRINT_MSG(PROXY_ERR,
                        L"[ERROR] lib/vexoproxyclient_auth [%d]NTLMv2 needs target info, the proxy sent none\n");
        return PROXY_RC_NEED_AUTH;
    }
    if (built == kNtlmErrBadChallenge) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Proxy server returning invalid challenge!\n");
        return PROXY_RC_BAD_CHALLENGE;
    }
    if (built < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]create type 3 message failed\n");
        return PROXY_RC_ENCODING;
    }
    if (SendNtlmMessage(socket, target, type3, RequestLog::kNtlmType3) < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]send fail\n");
        return PROXY_RC_ENCODING;
    }
    int code = 0;
    HttpHeaderList answer;
    int rc = VEXOProxyReadHttpAnswer(socket, code, answer);
    if (rc == 0 && code == 200) {
        PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient_auth [%d]Connection establish OK\n");
        return 0;
    }
    if (rc == 0 && code == 407)
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]phase 2 transaction failed\n");
    else if (rc == 0)
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Unhandled response code: %d\n", code);
    PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]handle pahse 2 http auth failed\n");
    // A 407 to a complete NTLM exchange: the proxy checked our responses and
    // refused them (wrong password, unknown user or domain).
    return rc == 0 && code == 407 ? PROXY_RC_AUTH_REFUSED : PROXY_RC_FAILED;
}

// True when the answer offers Basic: a 407 to Basic credentials then means
// they were refused, not that the proxy wants another scheme. Scheme names
// ignore case (RFC 7235).
bool OffersBasic(const HttpHeaderList& headers)
{
    const size_t n = sizeof kBasicScheme - 1;
    for (int i = -1; (i = headers.GetNextEntryByKey("Proxy-Authenticate", i)) >= 0;) {
        const std::string& offer = headers.ValueAt(i);
        if (offer.size() >= n && strncasecmp(offer.c_str(), kBasicScheme, n) == 0 &&
            (offer.size() == n || offer[n] == ' '))
            return true;
    }
    return false;
}

int HandleNtlm(int socket, VEXO_PROXY_AUTH_DATA* auth, PROXY_TARGET_INFO* target, int auth_type)
{
    int rc = auth_parameter_valid_check(auth, target);
    if (rc < 0)
        return rc;
    std::vector<uint8_t> type1;
    rc = VEXOProxyClientPrepareNTLMRequest(type1, auth);
    if (rc < 0)
        return rc;
    if (SendNtlmMessage(socket, target, type1, RequestLog::kNone) < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Send proxy connect request failed\n");
        return PROXY_RC_IO;
    }
    rc = VEXOProxyClientHandleHttpResponse(socket, auth_type, target, auth);
    if (rc < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Handle http response failed\n");
        return KeepAuthVerdict(rc, PROXY_RC_FAILED);
    }
    return 0;
}

}  // namespace

int KeepAuthVerdict(int rc, int otherwise)
{
    return rc == PROXY_RC_AUTH_REFUSED || rc == PROXY_RC_NEED_AUTH || rc == PROXY_RC_BAD_CHALLENGE ? rc : otherwise;
}

VEXO_PROXY_AUTH_DATA MakeAuthData(const PROXY_AUTH_INFO* info)
{
    VEXO_PROXY_AUTH_DATA data = {nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0};
    if (info) {
        data.szUserName = info->szUserName;
        data.szUserPasswd = info->szUserPasswd;
        data.szDomainName = info->szUserDomain;
        data.szHostName = info->szUserHost;
    }
    return data;
}

std::string BuildConnectHead(const PROXY_TARGET_INFO* target)
{
    std::string host(target->szTargetAddress);
    std::string port = std::to_string(target->TargetPort);
    return "CONNECT " + host + ":" + port + " HTTP/1.1\r\nProxy-Connection: Keep-Alive\r\nHost: " + host + ":" +
           port + "\r\nContent-Length: 0\r\n";
}

int VEXOProxyClientHandleHttpResponse(int socket, int auth_type, PROXY_TARGET_INFO* target,
                                      VEXO_PROXY_AUTH_DATA* auth)
{
    if ((auth_type != PROXY_NO_AUTH && !auth) || !target || !target->szTargetAddress)
        return PROXY_RC_PARAM;
    int code = 0;
    HttpHeaderList headers;
    if (VEXOProxyReadHttpAnswer(socket, code, headers) < 0)
        return PROXY_RC_IO;
    if (code == 200) {
        PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient_auth [%d]Connection establish OK\n");
        return 0;
    }
    if (code != 407) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Unhandled response code: %d\n", code);
        return PROXY_RC_UNEXPECTED;
    }
    switch (auth_type) {
    case PROXY_NO_AUTH:
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Peer proxy server need authentication\n");
        return PROXY_RC_NEED_AUTH;
    case PROXY_BASIC_AUTH:
        if (OffersBasic(headers)) {
            PROXY_PRINT_MSG(PROXY_ERR,
                            L"[ERROR] lib/vexoproxyclient_auth [%d]Basic proxy auth failed, credentials refused\n");
            return PROXY_RC_AUTH_REFUSED;
        }
        PROXY_PRINT_MSG(PROXY_ERR,
                        L"[ERROR] lib/vexoproxyclient_auth [%d]Basic proxy auth failed, Not support basic auth?\n");
        return PROXY_RC_NEED_AUTH;
    default: {
        int rc = VEXOProxyClientHandleNTLMResponse(socket, headers, target, auth);
        if (rc < 0) {
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]NTLM auth failed\n");
            return KeepAuthVerdict(rc, PROXY_RC_FAILED);
        }
        return 0;
    }
    }
}

int VEXOProxyClientHandleNoAuth(int socket, VEXO_PROXY_AUTH_DATA* auth, PROXY_TARGET_INFO* target)
{
    if (!target || !HasText(target->szTargetAddress))
        return PROXY_RC_PARAM;
    std::string request = BuildConnectHead(target) + "\r\n";
    if (request.size() >= kRequestLimit ||
        VEXOProxyClientPacketSend(socket, request.data(), request.size(), kExchangeTimeout) < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Send proxy connect request failed\n");
        return PROXY_RC_IO;
    }
    int rc = VEXOProxyClientHandleHttpResponse(socket, PROXY_NO_AUTH, target, auth);
    if (rc < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Hanlde http response failed\n");
        return KeepAuthVerdict(rc, PROXY_RC_IO);
    }
    return 0;
}

int VEXOProxyClientHandleBASICAuth(int socket, VEXO_PROXY_AUTH_DATA* auth, PROXY_TARGET_INFO* target)
{
    int rc = auth_parameter_valid_check(auth, target);
    if (rc < 0)
        return rc;
    std::string credentials = std::string(auth->szUserName) + ":" + auth->szUserPasswd;
    std::string token;
    rc = ToBase64(credentials.data(), credentials.size(), token);
    WipeString(credentials);
    if (rc < 0)
        return PROXY_RC_ENCODING;
    rc = SendAuthorized(socket, target, "Basic", token, RequestLog::kBasic);
    WipeString(token);
    if (rc < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Send basic req failed\n");
        return rc == PROXY_RC_ENCODING ? PROXY_RC_ENCODING : PROXY_RC_IO;
    }
    rc = VEXOProxyClientHandleHttpResponse(socket, PROXY_BASIC_AUTH, target, auth);
    if (rc < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Handle http response failed\n");
        return KeepAuthVerdict(rc, PROXY_RC_FAILED);
    }
    return 0;
}

int VEXOProxyClientHandleNTLMv1Auth(int socket, VEXO_PROXY_AUTH_DATA* auth, PROXY_TARGET_INFO* target)
{
    if (!auth)
        return PROXY_RC_PARAM;
    VEXO_PROXY_AUTH_DATA v1 = *auth;
    v1.hashnt = 1;
    v1.hashlm = 1;
    v1.hashntlm2 = 0;
    return HandleNtlm(socket, &v1, target, PROXY_NTLM_AUTH);
}

int VEXOProxyClientHandleNTLMv2Auth(int socket, VEXO_PROXY_AUTH_DATA* auth, PROXY_TARGET_INFO* target)
{
    if (!auth)
        return PROXY_RC_PARAM;
    VEXO_PROXY_AUTH_DATA v2 = *auth;
    v2.hashntlm2 = 1;
    v2.hashnt = 0;
    v2.hashlm = 0;
    return HandleNtlm(socket, &v2, target, PROXY_NTLMv2_AUTH);
}

}  // namespace VexoProxy
