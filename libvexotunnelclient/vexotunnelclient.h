#pragma once

#include <sys/time.h>

#include <cstddef>
#include <cstdint>

#include <openssl/ssl.h>

// Results of the relay handshake. The relay sends the positive values in
// X-Target-Status; the client's own failures are their negatives.
enum VEXOTUNNEL_RESULT {
    VEXOTUNNEL_OK = 0,
    VEXOTUNNEL_ERR_UNKNOWN = 400,
    VEXOTUNNEL_ERR_BAD_TARGET = 401,
    VEXOTUNNEL_ERR_CONN_FAILED = 402,
    VEXOTUNNEL_ERR_CONN_TIMEOUT = 403,
};

// The Host header of every upgrade request; the relay expects this name.
extern const char* const kVexoTunnelRelayHost;

// Asks the relay, over an established TLS connection, to forward it to
// target:port. 0 when the relay accepted; the relay's non-zero status;
// -400 when the relay's answer ended without a status; -401 for a target
// that does not fit the request; -402/-403 when the request could not be
// written. `timeout` is the wait slice (at least 1 s), channel_timeout the
// idle limit in seconds.
int VEXOTunnelClientHandshake(SSL* ssl, const char* pszTargetHost, int targetPort, struct timeval timeout,
                              unsigned int channel_timeout);
// The same over a TLS connection whose socket descriptor is given: for TLS
// objects whose transport cannot tell its descriptor (SSL_get_fd < 0).
int VEXOTunnelClientHandshakeOnSocket(SSL* ssl, int fd, const char* pszTargetHost, int targetPort,
                                      struct timeval timeout, unsigned int channel_timeout);
// Writes the whole buffer with one SSL_write when the socket is writable. 0, -402 or -403.
int VEXOTunnelNonBlockingWrite(SSL* ssl, const char* buffer, size_t len, struct timeval m_timeout,
                               uint32_t channel_timeout);
