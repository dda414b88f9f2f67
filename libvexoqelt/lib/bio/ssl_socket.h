#pragma once

#include <memory>
#include <string>
#include <vector>

#include <openssl/ssl.h>

#include "bio/buffered_io_base.h"
#include "bio/line_buffer.h"

namespace qelt {

// Makes ctx refuse every protocol below TLS 1.2, whatever the system's
// OpenSSL configuration allows: TLS 1.0 and 1.1 rest on MD5 and SHA-1 and
// allow downgrades. Every context we make, client or server, goes through
// this. False when OpenSSL refuses the setting.
bool requireModernTls(SSL_CTX* ctx);

// A TLS stream over an already connected Socket. Writes are gathered into
// records of up to 16 KiB and go out when full or on flush(), as with the
// plain stream.
class SslSocket : public BufferedIOBase {
public:
    enum ssl_error {
        error_invalid_fd = -100,
        error_verify = -101,
        error_change = -102,
    };

    ~SslSocket() override;

    void unload() override;
    size_t read(void* buf, size_t n) override;
    size_t write(const void* buf, size_t n) override;
    int flush() override;
    // Decrypted bytes not yet read, or record bytes OpenSSL holds unprocessed.
    bool hasUnreadInput() const override;
    // The generic copy loop, flushed at the end so the region leaves at once.
    int64_t sendfile(File& file, offset_type off, uint64_t len) override;

    // The peer certificate's signature as X509_signature_dump prints it
    // without newlines ("3a:0f:..."); out is untouched without a certificate. 0.
    int getPeerSSLSignature(std::string& out) const;
    // The peer chain as PEM texts.
    void getPeerCertificateChain(std::vector<std::string>& out) const;
    // 0 when OpenSSL's verification result is OK, else -1.
    int verifyResult() const;
    SSL* getSsl() const { return m_ssl; }
    SSL_CTX* getSslCtx() const { return m_ssl_ctx; }

protected:
    explicit SslSocket(SSL_CTX* ctx);

    // Drops any earlier connection, attaches a new one to the socket and runs
    // the handshake (connect or accept state). 0 or -1.
    int loadAndHandshake(IOBase& io, bool server);
    void dropConnection();

    SSL_CTX* m_ssl_ctx = nullptr;
    SSL* m_ssl = nullptr;

private:
    enum class Step { Done, Retry, Fail };
    // Classifies a failed OpenSSL call and waits when it asks to. Sets the
    // error or the no-read/no-write flags on Fail.
    Step handleSslResult(int ret, int64_t idleStartUs);
    bool waitFor(int mode, int64_t idleStartUs);
    size_t writeRecords(const char* buf, size_t n);

    std::unique_ptr<LineBuffer<char>> m_wbuf;
    bool m_fatal = false; // no close_notify after a fatal error
};

// The client side: checks the server against a CA file plus host name, or
// against a pinned certificate signature.
class SslClientSocket : public SslSocket {
public:
    SslClientSocket();

    // io must be a Socket (else error_invalid_fd). After the handshake:
    // with verification on, the chain must verify and the host name match
    // (error_verify); with it off, a non-empty pinned signature must equal
    // the peer's exactly (error_change). 0 or -1.
    int load(IOBase& io) override;

    void setVerify(bool b) { m_need_verify = b; }
    // Loads a PEM CA file (UTF-8 path, at most 4096 bytes). 0 or -1.
    int setVerifyCa(const std::string& path);
    // Verification mode "none" with cb: the handshake never fails on the
    // certificate; the checks of load() follow it.
    void setVerifyCallback(int (*cb)(int, X509_STORE_CTX*));
    void setVerifyHostname(const std::string& s) { m_hostname = s; }
    void setVerifySignature(const std::string& s) { m_signature = s; }
    const std::string& verifyHostnameValue() const { return m_hostname; }

    // 0 when no host name is expected, or when the certificate names it
    // (OpenSSL's host and address checks); -1 otherwise, and always -1 when a
    // host name is expected but there is no certificate.
    int verifyHostname() const;
    // 0 when no signature is pinned or the peer's equals it byte for byte.
    int verifySignature() const;

private:
    bool m_need_verify = true;
    std::string m_hostname;
    std::string m_signature;
};

// The server side: certificate and key files, handshake in accept state.
class SslServerSocket : public SslSocket {
public:
    SslServerSocket();

    int load(IOBase& io) override;

    // 0 or -1.
    int setCipherList(const std::string& s);
    // OpenSSL's results: 1 on success, 0 or less on failure.
    int setCertificate(const std::string& path);
    int setPrivateKey(const std::string& path);
};

} // namespace qelt
