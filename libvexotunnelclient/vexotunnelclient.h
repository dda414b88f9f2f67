#pragma once

#include <sys/time.h>

#include <cstddef>
#include <cstdint>

#include <openssl/ssl.h>

// The relay's statuses, sent in X-Target-Status: 0 accepts, anything from 1
// to VEXOTUNNEL_STATUS_MAX refuses (these four are the known refusals).
enum VEXOTUNNEL_RESULT {
    VEXOTUNNEL_OK = 0,
    VEXOTUNNEL_ERR_UNKNOWN = 400,
    VEXOTUNNEL_ERR_BAD_TARGET = 401,
    VEXOTUNNEL_ERR_CONN_FAILED = 402,
    VEXOTUNNEL_ERR_CONN_TIMEOUT = 403,
};
const int VEXOTUNNEL_STATUS_MAX = 999;

// The client's own failures: always negative, so that no status a relay
// sends can pass for one of them (nor for acceptance).
enum VEXOTUNNEL_CLIENT_ERROR {
    VEXOTUNNEL_ERR_NO_STATUS = -400,        // the answer ended, or stopped, before a status came
    VEXOTUNNEL_ERR_TARGET_TOO_LONG = -401,  // the target does not fit the request
    VEXOTUNNEL_ERR_WRITE_FAILED = -402,     // the request could not be written
    VEXOTUNNEL_ERR_WRITE_TIMEOUT = -403,    // the request could not be written in time
    VEXOTUNNEL_ERR_BAD_STATUS = -404,       // a status that is not a number from 0 to VEXOTUNNEL_STATUS_MAX
    VEXOTUNNEL_ERR_HTTP_REFUSED = -405,     // the answer's status line is not 101 or 2xx, or is no status line
    VEXOTUNNEL_ERR_REPEATED_STATUS = -406,  // more than one X-Target-Status header
};

// The Host header of every upgrade request; the relay expects this name.
extern const char* const kVexoTunnelRelayHost;

// Asks the relay, over an established TLS connection, to forward it to
// target:port. 0 when the relay accepted (an HTTP status of 101 or 2xx and
// exactly one X-Target-Status of 0); the relay's refusal (1 to
// VEXOTUNNEL_STATUS_MAX); or a VEXOTUNNEL_CLIENT_ERROR. `timeout` is the wait
// slice (at least 1 s), channel_timeout the idle limit in seconds.
int VEXOTunnelClientHandshake(SSL* ssl, const char* pszTargetHost, int targetPort, struct timeval timeout,
                              unsigned int channel_timeout);
// The same over a TLS connection whose socket descriptor is given: for TLS
// objects whose transport cannot tell its descriptor (SSL_get_fd < 0).
int VEXOTunnelClientHandshakeOnSocket(SSL* ssl, int fd, const char* pszTargetHost, int targetPort,
                                      struct timeval timeout, unsigned int channel_timeout);
// Writes the whole buffer with one SSL_write when the socket is writable. 0,
// VEXOTUNNEL_ERR_WRITE_FAILED or VEXOTUNNEL_ERR_WRITE_TIMEOUT.
int VEXOTunnelNonBlockingWrite(SSL* ssl, const char* buffer, size_t len, struct timeval m_timeout,
                               uint32_t channel_timeout);
