#pragma once

#include <openssl/bio.h>

namespace qelt {

// An OpenSSL BIO over a socket descriptor that sends with MSG_NOSIGNAL: the
// stock socket BIO writes with write(2), which raises SIGPIPE on a closed
// peer. The descriptor is not closed with the BIO; BIO_get_fd (and so
// SSL_get_fd) reports it.
BIO* newSocketBio(int fd);

} // namespace qelt
