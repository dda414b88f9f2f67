#pragma once

#include <string>

#include "proxy_ntlm.h"
#include "vexoproxyclient.h"

namespace VexoProxy {

// Results of the handlers and the answer reader.
enum {
    PROXY_RC_IO = -1,          // connection, send or read failure
    PROXY_RC_FAILED = -2,      // answer could not be handled, or NTLM failed
    PROXY_RC_NEED_AUTH = -3,   // the proxy demands what this type cannot give
    PROXY_RC_ENCODING = -4,    // no memory or an encoding failure
    PROXY_RC_UNEXPECTED = -5,  // unexpected status or invalid challenge
    PROXY_RC_PARAM = -6,       // bad parameters
    PROXY_RC_AUTH_REFUSED = -7,  // the proxy answered 407 to the credentials sent
    PROXY_RC_BAD_CHALLENGE = -8,  // the proxy's NTLM challenge cannot be answered
};

// rc itself when it says why the proxy would not authenticate us (refused
// credentials, authentication this type cannot give, or an NTLM challenge
// that cannot be answered), else `otherwise`:
// the callers' own failure code, with which the cause would be lost.
int KeepAuthVerdict(int rc, int otherwise);

typedef int (*PROXY_AUTH_CB)(int socket, VEXO_PROXY_AUTH_DATA* auth, PROXY_TARGET_INFO* target);

struct VEXO_PROXY_AUTH_CONTROL {
    int type;
    const char* auth_str;
    PROXY_AUTH_CB auth_cb;
};

// The four ways to authenticate, in the order the automatic modes prefer them.
extern const VEXO_PROXY_AUTH_CONTROL AuthControlList[4];

VEXO_PROXY_AUTH_DATA MakeAuthData(const PROXY_AUTH_INFO* info);

int VEXOProxyClientHandleNoAuth(int socket, VEXO_PROXY_AUTH_DATA* auth, PROXY_TARGET_INFO* target);
int VEXOProxyClientHandleBASICAuth(int socket, VEXO_PROXY_AUTH_DATA* auth, PROXY_TARGET_INFO* target);
int VEXOProxyClientHandleNTLMv1Auth(int socket, VEXO_PROXY_AUTH_DATA* auth, PROXY_TARGET_INFO* target);
int VEXOProxyClientHandleNTLMv2Auth(int socket, VEXO_PROXY_AUTH_DATA* auth, PROXY_TARGET_INFO* target);

// Reads one answer and decides by its status; runs the NTLM second exchange on a 407.
int VEXOProxyClientHandleHttpResponse(int socket, int auth_type, PROXY_TARGET_INFO* target,
                                      VEXO_PROXY_AUTH_DATA* auth);

// "CONNECT host:port HTTP/1.1" with the fixed headers, not yet closed.
std::string BuildConnectHead(const PROXY_TARGET_INFO* target);

}  // namespace VexoProxy
