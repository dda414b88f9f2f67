// The clean end of a data connection's compressed sending direction.
#include <sys/socket.h>

#include <openssl/err.h>
#include <openssl/ssl.h>

#include "kavelin/tcp-transfer.h"
#include "log.h"
#include "lz4-processor.h"

namespace {

const char* const kComponent = "default_component";

} // namespace

void TcpTransfer::endCompressedStream()
{
    // Only between objects: an end mark inside a half-sent object (or behind
    // compressed bytes still waiting for the socket) would corrupt it.
    if (m_failed || !m_compressor || m_socket == cross::INVALID_SOCKET_VALUE ||
        m_write_context.stream.IsTransferring())
        return;
    void* bytes = nullptr;
    size_t length = 0;
    if (m_compressor->End(&bytes, &length) < 0 || length == 0)
        return;
    // A few bytes into an idle socket: they fit its buffer, and a peer that
    // stopped reading only loses an end it no longer waits for.
    long sent = 0;
    if (m_ssl) {
        sent = SSL_write(m_ssl, bytes, static_cast<int>(length));
        ERR_clear_error();
    } else {
        sent = ::send(m_socket, bytes, length, MSG_NOSIGNAL | MSG_DONTWAIT);
    }
    if (sent != static_cast<long>(length))
        QM_LOG(Logger::L_INFO, kComponent, L"[INFO] tcp-transfer-stream-end(%d): stream end not sent (%ld of %zu)\n",
               sent, length);
}
