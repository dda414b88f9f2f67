// TLS and LZ4 set-up of a data connection, shared by the handshake roles.
#include "kavelin/tcp-helper.h"

#include <mutex>

#include <openssl/err.h>
#include <openssl/ssl.h>

#include "channel/channel.h"
#include "kavelin/tcp-transfer.h"
#include "log.h"
#include "lz4-processor.h"
#include "bio/ssl_socket.h"
#include "bio/ssl_bio.h"

namespace {

const char* const kComponent = "default_component";

const char* const kClientCipherList =
    "AES128-GCM-SHA256:AES128-SHA256:AES128-SHA:AES256-GCM-SHA384:AES256-SHA256:AES256-SHA:"
    "ECDHE-RSA-AES128-GCM-SHA256:ECDHE-RSA-AES128-SHA256:ECDHE-RSA-AES128-SHA:"
    "ECDHE-RSA-AES256-GCM-SHA384:ECDHE-RSA-AES256-SHA384:ECDHE-RSA-AES256-SHA:RC4-MD5";

const char* const kServerCipherList = "ECDHE+AESGCM:ECDHE+CHACHA20:ECDHE+AES:!aNULL:!eNULL";

std::mutex g_cert_lock;
std::string g_server_key_path =
    "/usr/local/etc/certificate/QuillmarFileManager/QuillmarFileManager/privkey.pem";
std::string g_server_chain_path =
    "/usr/local/etc/certificate/QuillmarFileManager/QuillmarFileManager/fullchain.pem";

} // namespace

void TcpHelper::setServerCertificatePaths(const std::string& key_path, const std::string& chain_path)
{
    std::lock_guard<std::mutex> guard(g_cert_lock);
    g_server_key_path = key_path;
    g_server_chain_path = chain_path;
}

int TcpHelper::createSsl()
{
    TcpTransfer* t = m_transfer;
    const bool server = t->getTransferSide() == TRANSFER_SIDE_SERVER;
    if (server) {
        std::string key_path;
        std::string chain_path;
        {
            std::lock_guard<std::mutex> guard(g_cert_lock);
            key_path = g_server_key_path;
            chain_path = g_server_chain_path;
        }
        t->m_ssl_ctx = SSL_CTX_new(TLS_server_method());
        if (t->m_ssl_ctx && !qelt::requireModernTls(t->m_ssl_ctx)) {
            SSL_CTX_free(t->m_ssl_ctx);
            t->m_ssl_ctx = nullptr;
        }
        if (t->m_ssl_ctx) {
            // TLS 1.2 only with forward secrecy; TLS 1.3 suites always have it.
            SSL_CTX_set_cipher_list(t->m_ssl_ctx, kServerCipherList);
            SSL_CTX_use_PrivateKey_file(t->m_ssl_ctx, key_path.c_str(), SSL_FILETYPE_PEM);
            SSL_CTX_use_certificate_chain_file(t->m_ssl_ctx, chain_path.c_str());
        }
    } else {
        t->m_ssl_ctx = SSL_CTX_new(TLS_client_method());
        if (t->m_ssl_ctx && !qelt::requireModernTls(t->m_ssl_ctx)) {
            SSL_CTX_free(t->m_ssl_ctx);
            t->m_ssl_ctx = nullptr;
        }
        if (t->m_ssl_ctx) {
            SSL_CTX_set_cipher_list(t->m_ssl_ctx, kClientCipherList);
            const std::string ca_path = Channel::GetVerifyCAPath();
            if (!ca_path.empty())
                SSL_CTX_load_verify_locations(t->m_ssl_ctx, ca_path.c_str(), nullptr);
            // The certificate is judged by its pinned signature, not by a CA.
            SSL_CTX_set_verify(t->m_ssl_ctx, SSL_VERIFY_NONE, nullptr);
        }
    }
    ERR_clear_error();
    if (!t->m_ssl_ctx) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): SSL_new failed\n");
        return -1;
    }
    t->m_ssl = SSL_new(t->m_ssl_ctx);
    if (!t->m_ssl) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): SSL_new failed\n");
        return -1;
    }
    // Sends with MSG_NOSIGNAL, so no TLS write needs SIGPIPE blocked around
    // it; end of input is reported as by the stock socket BIO.
    BIO* bio = qelt::newSocketBio(t->getSocket(), qelt::SocketBioEof::Report);
    if (!bio) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): SSL_set_fd failed\n");
        return -1;
    }
    SSL_set_bio(t->m_ssl, bio, bio);
    if (server)
        SSL_set_accept_state(t->m_ssl);
    else
        SSL_set_connect_state(t->m_ssl);
    return 0;
}

int TcpHelper::doSslHandshake()
{
    SSL* ssl = m_transfer->m_ssl;
    if (!ssl)
        return -1;
    m_handshake_waits_for_read = false;
    ERR_clear_error();  // SSL_get_error reads the thread's queue
    const int r = SSL_do_handshake(ssl);
    if (r == 1)
        return 0;
    switch (SSL_get_error(ssl, r)) {
    case SSL_ERROR_NONE:
        return 0;
    case SSL_ERROR_WANT_READ:
        // Only the peer's next bytes move the handshake on. The read event,
        // which stays armed, resumes it; a write event would fire at once on
        // the writable socket and spin until the peer speaks.
        m_handshake_waits_for_read = true;
        return 1;
    case SSL_ERROR_WANT_X509_LOOKUP:
    case SSL_ERROR_WANT_CONNECT:
    case SSL_ERROR_WANT_ACCEPT:
        return 1;
    case SSL_ERROR_WANT_WRITE:
        m_transfer->controlWrite(true, 0);
        return 1;
    case SSL_ERROR_SYSCALL:
    case SSL_ERROR_ZERO_RETURN:
        ERR_clear_error();
        return -1;
    default: {
        unsigned long e;
        while ((e = ERR_get_error()) != 0)
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): more error %d\n", static_cast<int>(e));
        return -1;
    }
    }
}

int TcpHelper::destroySsl()
{
    if (m_transfer->m_ssl) {
        SSL_free(m_transfer->m_ssl);
        m_transfer->m_ssl = nullptr;
    }
    if (m_transfer->m_ssl_ctx) {
        SSL_CTX_free(m_transfer->m_ssl_ctx);
        m_transfer->m_ssl_ctx = nullptr;
    }
    return 0;
}

int TcpHelper::initializeCompressors()
{
    const size_t block = static_cast<size_t>(cross::getPreferredBlockSize());
    delete m_transfer->m_compressor;
    m_transfer->m_compressor = new LZ4Compressor();
    if (m_transfer->m_compressor->Initialize(block) < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): Cannot initialize compressor\n");
        return -1;
    }
    delete m_transfer->m_decompressor;
    m_transfer->m_decompressor = new LZ4Decompressor();
    if (m_transfer->m_decompressor->Initialize(block) < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): Cannot initialize decompressor\n");
        return -1;
    }
    return 0;
}

int TcpHelper::sslHandshakeStep()
{
    int r = doSslHandshake();
    if (r < 0)
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-helper(%d): handshake failed\n");
    return r;
}

int TcpHelper::attachStreamLayers()
{
    if (m_transfer->isEncrypted()) {
        m_read_context.stream.SetSsl(m_transfer->m_ssl);
        m_write_context.stream.SetSsl(m_transfer->m_ssl);
    }
    if (m_transfer->isCompressed()) {
        if (initializeCompressors() < 0)
            return -1;
        m_write_context.stream.SetCompressor(m_transfer->m_compressor);
        m_read_context.stream.SetDecompressor(m_transfer->m_decompressor);
    }
    return 0;
}
