#include "bio/ssl_socket.h"

#include <algorithm>
#include <cerrno>
#include <climits>

#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include "bio/ssl_bio.h"
#include "io/socket.h"
#include "utils/elapsed_timer.h"

namespace qelt {

namespace {
constexpr size_t kRecordSize = 16384; // the largest TLS record payload
constexpr unsigned kDefaultTimeout = 60;
} // namespace

bool requireModernTls(SSL_CTX* ctx)
{
    return ctx && SSL_CTX_set_min_proto_version(ctx, TLS1_2_VERSION) == 1;
}

SslSocket::SslSocket(SSL_CTX* ctx) : m_ssl_ctx(ctx)
{
    m_timeout = kDefaultTimeout;
}

SslSocket::~SslSocket()
{
    SslSocket::unload();
    SSL_CTX_free(m_ssl_ctx);
}

void SslSocket::dropConnection()
{
    if (m_ssl) {
        // Say goodbye properly when the session is healthy; never wait for it.
        if (!m_fatal && SSL_is_init_finished(m_ssl) && !(SSL_get_shutdown(m_ssl) & SSL_SENT_SHUTDOWN))
            SSL_shutdown(m_ssl);
        SSL_free(m_ssl);
        m_ssl = nullptr;
    }
    delete m_io;
    m_io = nullptr;
    m_wbuf.reset();
    m_fatal = false;
}

void SslSocket::unload()
{
    dropConnection();
    clear();
}

int SslSocket::loadAndHandshake(IOBase& io, bool server)
{
    Socket* socket = dynamic_cast<Socket*>(&io);
    dropConnection();
    clear();
    if (!socket || !socket->isValid() || !m_ssl_ctx) {
        m_error = error_invalid_fd;
        return -1;
    }
    m_io = socket->clone();
    m_ssl = SSL_new(m_ssl_ctx);
    BIO* bio = m_ssl ? newSocketBio(socket->fd()) : nullptr;
    if (!bio) {
        setSyscallError(ENOMEM);
        dropConnection();
        return -1;
    }
    SSL_set_bio(m_ssl, bio, bio);
    SSL_set_mode(m_ssl, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    m_wbuf.reset(new LineBuffer<char>(kRecordSize));
    if (server)
        SSL_set_accept_state(m_ssl);
    else
        SSL_set_connect_state(m_ssl);

    int64_t idleStart = monotonicMicroseconds();
    while (true) {
        if (functionAbort()) {
            m_error = error_abort;
            break;
        }
        int r = SSL_do_handshake(m_ssl);
        if (r == 1)
            return 0;
        if (handleSslResult(r, idleStart) == Step::Fail)
            break;
    }
    dropConnection();
    return -1;
}

bool SslSocket::waitFor(int mode, int64_t idleStartUs)
{
    return waitReady(mode, idleStartUs);
}

SslSocket::Step SslSocket::handleSslResult(int ret, int64_t idleStartUs)
{
    int err = SSL_get_error(m_ssl, ret);
    switch (err) {
    case SSL_ERROR_WANT_READ:
        return waitFor(IOBase::MODE_READ, idleStartUs) ? Step::Retry : Step::Fail;
    case SSL_ERROR_WANT_WRITE:
        return waitFor(IOBase::MODE_WRITE, idleStartUs) ? Step::Retry : Step::Fail;
    case SSL_ERROR_WANT_X509_LOOKUP:
    case SSL_ERROR_WANT_CONNECT:
    case SSL_ERROR_WANT_ACCEPT:
        return Step::Retry;
    case SSL_ERROR_ZERO_RETURN:
        setNoRead();
        setNoWrite();
        return Step::Fail;
    default:
        break;
    }
    unsigned long queued = ERR_peek_error();
    bool endOfInput = (err == SSL_ERROR_SYSCALL && queued == 0 && ret == 0)
        || (err == SSL_ERROR_SSL && ERR_GET_REASON(queued) == SSL_R_UNEXPECTED_EOF_WHILE_READING);
    ERR_clear_error();
    m_fatal = true;
    if (endOfInput) {
        // The peer went away without close_notify: an end of input like a plain EOF.
        setNoRead();
        setNoWrite();
        return Step::Fail;
    }
    setSyscallError(err == SSL_ERROR_SYSCALL ? errno : EPROTO);
    return Step::Fail;
}

size_t SslSocket::read(void* buf, size_t n)
{
    if (!m_ssl || n == 0)
        return 0;
    // Whatever was written before a read is what the peer answers to.
    if (m_wbuf && !m_wbuf->empty() && flush() != 0)
        return 0;
    char* out = static_cast<char*>(buf);
    size_t done = 0;
    // The bytes asked for are decrypted already: nothing to wait for, so no
    // clock and no abort check (the next wait makes both). A decoder reads a
    // large answer a few bytes at a time, and those were most of its cost.
    if (isGoodToRead() && m_error == error_none && n <= static_cast<size_t>(SSL_pending(m_ssl)) &&
        (!m_controller || m_controller->controlReadSize(n) >= n)) {
        int r = SSL_read(m_ssl, out, static_cast<int>(n));
        if (r > 0) {
            done = static_cast<size_t>(r);
            if (m_controller)
                m_controller->handleAfterRead(done);
            if (done == n)
                return done;
        }
        // Anything else goes the common way below, which reads it again.
    }
    int64_t idleStart = monotonicMicroseconds();
    while (isGoodToRead() && m_error == error_none && done < n) {
        size_t chunk = m_controller ? std::clamp<size_t>(m_controller->controlReadSize(n - done), 1, n - done) : n - done;
        if (functionAbort()) {
            m_error = error_abort;
            break;
        }
        // Wait here, where the idle timeout and abort apply, rather than
        // inside OpenSSL on a blocking socket.
        if (!SSL_has_pending(m_ssl) && !waitFor(IOBase::MODE_READ, idleStart))
            break;
        int r = SSL_read(m_ssl, out + done, static_cast<int>(std::min<size_t>(chunk, INT_MAX)));
        if (r > 0) {
            done += static_cast<size_t>(r);
            idleStart = monotonicMicroseconds();
            if (m_controller)
                m_controller->handleAfterRead(static_cast<size_t>(r));
            continue;
        }
        if (handleSslResult(r, idleStart) == Step::Fail)
            break;
    }
    return done;
}

size_t SslSocket::writeRecords(const char* buf, size_t n)
{
    size_t done = 0;
    size_t retryLength = 0; // OpenSSL wants a retried write repeated with the same length
    int64_t idleStart = monotonicMicroseconds();
    while (isGoodToWrite() && m_error == error_none && done < n) {
        size_t chunk = retryLength;
        if (chunk == 0)
            chunk = m_controller ? std::clamp<size_t>(m_controller->controlWriteSize(n - done), 1, n - done) : n - done;
        chunk = std::min<size_t>(chunk, INT_MAX);
        if (functionAbort()) {
            m_error = error_abort;
            break;
        }
        int r = SSL_write(m_ssl, buf + done, static_cast<int>(chunk));
        if (r > 0) {
            retryLength = 0;
            done += static_cast<size_t>(r);
            idleStart = monotonicMicroseconds();
            if (m_controller)
                m_controller->handleAfterWrite(static_cast<size_t>(r));
            continue;
        }
        retryLength = chunk;
        if (handleSslResult(r, idleStart) == Step::Fail)
            break;
    }
    return done;
}

size_t SslSocket::write(const void* buf, size_t n)
{
    if (!m_ssl || !m_wbuf)
        return 0;
    return writeThroughBuffer(
        *m_wbuf, static_cast<const char*>(buf), n, [this] { return flush(); },
        [this](const char* in, size_t count) { return writeRecords(in, count); });
}

int SslSocket::flush()
{
    if (!m_ssl || !m_wbuf)
        return -1;
    if (!m_wbuf->empty()) {
        size_t pending = m_wbuf->size();
        size_t written = writeRecords(m_wbuf->data(), pending);
        m_wbuf->consume(written);
        if (written != pending)
            return -1;
    }
    BIO* wbio = SSL_get_wbio(m_ssl);
    return wbio && BIO_flush(wbio) == 1 ? 0 : -1;
}

bool SslSocket::hasUnreadInput() const
{
    return m_ssl && (SSL_pending(m_ssl) > 0 || SSL_has_pending(m_ssl));
}

int64_t SslSocket::sendfile(File& file, offset_type off, uint64_t len)
{
    int64_t sent = copyFileToStream(file, off, len);
    // Over a plain socket the region leaves at once; keep that promise here.
    if (sent >= 0 && flush() != 0)
        return -1;
    return sent;
}

int SslSocket::getPeerSSLSignature(std::string& out) const
{
    X509* cert = m_ssl ? SSL_get0_peer_certificate(m_ssl) : nullptr;
    if (!cert)
        return 0;
    const ASN1_BIT_STRING* signature = nullptr;
    X509_get0_signature(&signature, nullptr, cert);
    BIO* mem = BIO_new(BIO_s_mem());
    if (!mem || !signature || X509_signature_dump(mem, signature, 0) != 1) {
        BIO_free(mem);
        return 0;
    }
    char* data = nullptr;
    long len = BIO_get_mem_data(mem, &data);
    std::string text;
    text.reserve(static_cast<size_t>(len));
    for (long i = 0; i < len; ++i) {
        if (data[i] != '\n')
            text.push_back(data[i]);
    }
    BIO_free(mem);
    out = text;
    return 0;
}

void SslSocket::getPeerCertificateChain(std::vector<std::string>& out) const
{
    out.clear();
    STACK_OF(X509)* chain = m_ssl ? SSL_get_peer_cert_chain(m_ssl) : nullptr;
    if (!chain)
        return;
    for (int i = 0; i < sk_X509_num(chain); ++i) {
        BIO* mem = BIO_new(BIO_s_mem());
        if (!mem || PEM_write_bio_X509(mem, sk_X509_value(chain, i)) != 1) {
            BIO_free(mem);
            return;
        }
        char* data = nullptr;
        long len = BIO_get_mem_data(mem, &data);
        out.emplace_back(data, static_cast<size_t>(len));
        BIO_free(mem);
    }
}

int SslSocket::verifyResult() const
{
    return m_ssl && SSL_get_verify_result(m_ssl) == X509_V_OK ? 0 : -1;
}

} // namespace qelt
