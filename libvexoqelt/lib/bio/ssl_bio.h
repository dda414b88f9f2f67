#pragma once

#include <openssl/bio.h>

namespace qelt {

// Whether the BIO answers BIO_CTRL_EOF as the stock socket BIO does (OpenSSL
// then fails a read cut without close_notify with SSL_ERROR_SSL, "unexpected
// eof") or stays silent (the cut shows as SSL_ERROR_SYSCALL with an empty
// error queue, which the qelt TLS streams rely on).
enum class SocketBioEof { Silent, Report };

// An OpenSSL BIO over a socket descriptor that sends with MSG_NOSIGNAL: the
// stock socket BIO writes with write(2), which raises SIGPIPE on a closed
// peer. The descriptor is not closed with the BIO; BIO_get_fd (and so
// SSL_get_fd) reports it.
BIO* newSocketBio(int fd, SocketBioEof eof = SocketBioEof::Silent);

} // namespace qelt
