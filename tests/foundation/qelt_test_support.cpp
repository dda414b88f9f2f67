#include "qelt_test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509v3.h>

namespace qelt_test {

TempDir::TempDir()
{
    std::string base = (std::filesystem::temp_directory_path() / "qelt-test-XXXXXX").string();
    if (!mkdtemp(base.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = base;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

Listener::Listener()
{
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(m_fd, 16) != 0
        || ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        throw std::runtime_error("listen on loopback failed");
    m_port = ntohs(addr.sin_port);
}

Listener::~Listener()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int Listener::accept()
{
    return ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
}

TcpPair::TcpPair()
{
    Listener listener;
    client = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(listener.port()));
    if (::connect(client, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        throw std::runtime_error("loopback connect failed");
    server = listener.accept();
    if (server < 0)
        throw std::runtime_error("loopback accept failed");
}

TcpPair::~TcpPair()
{
    if (client >= 0)
        ::close(client);
    if (server >= 0)
        ::close(server);
}

Credentials::~Credentials()
{
    X509_free(cert);
    EVP_PKEY_free(key);
}

Credentials::Credentials(Credentials&& other) noexcept : key(other.key), cert(other.cert)
{
    other.key = nullptr;
    other.cert = nullptr;
}

void Credentials::writeFiles(const std::string& certPath, const std::string& keyPath) const
{
    FILE* f = fopen(certPath.c_str(), "w");
    if (!f || PEM_write_X509(f, cert) != 1)
        throw std::runtime_error("writing " + certPath);
    fclose(f);
    if (keyPath.empty())
        return;
    f = fopen(keyPath.c_str(), "w");
    if (!f || PEM_write_PrivateKey(f, key, nullptr, nullptr, 0, nullptr, nullptr) != 1)
        throw std::runtime_error("writing " + keyPath);
    fclose(f);
}

namespace {

void addExtension(X509* cert, X509* issuer, int nid, const std::string& value)
{
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value.c_str());
    if (!ext)
        throw std::runtime_error("bad extension " + value);
    X509_add_ext(cert, ext, -1);
    X509_EXTENSION_free(ext);
}

Credentials makeCert(const std::string& commonName, const std::vector<std::string>& dnsNames,
                     const Credentials* issuer, bool isCa)
{
    Credentials c;
    c.key = EVP_EC_gen("P-256");
    c.cert = X509_new();
    if (!c.key || !c.cert)
        throw std::runtime_error("key generation failed");
    X509_set_version(c.cert, 2);
    unsigned char serial[8];
    RAND_bytes(serial, sizeof serial);
    serial[0] &= 0x7f;
    BIGNUM* bn = BN_bin2bn(serial, sizeof serial, nullptr);
    BN_to_ASN1_INTEGER(bn, X509_get_serialNumber(c.cert));
    BN_free(bn);
    X509_gmtime_adj(X509_getm_notBefore(c.cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(c.cert), 86400);
    X509_NAME* name = X509_get_subject_name(c.cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1, 0);
    X509* issuerCert = issuer ? issuer->cert : c.cert;
    X509_set_issuer_name(c.cert, X509_get_subject_name(issuerCert));
    X509_set_pubkey(c.cert, c.key);
    addExtension(c.cert, issuerCert, NID_basic_constraints, isCa ? "critical,CA:TRUE" : "CA:FALSE");
    if (isCa)
        addExtension(c.cert, issuerCert, NID_key_usage, "critical,keyCertSign,cRLSign");
    addExtension(c.cert, issuerCert, NID_subject_key_identifier, "hash");
    if (!dnsNames.empty()) {
        std::string san;
        for (const auto& dns : dnsNames)
            san += (san.empty() ? "DNS:" : ",DNS:") + dns;
        addExtension(c.cert, issuerCert, NID_subject_alt_name, san);
    }
    if (!X509_sign(c.cert, issuer ? issuer->key : c.key, EVP_sha256()))
        throw std::runtime_error("signing failed");
    return c;
}

} // namespace

Credentials makeCa(const std::string& commonName)
{
    return makeCert(commonName, {}, nullptr, true);
}

Credentials makeServerCert(const std::string& commonName, const std::vector<std::string>& dnsNames,
                           const Credentials* issuer)
{
    return makeCert(commonName, dnsNames, issuer, false);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::string& path, const std::string& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

std::string patternBytes(size_t n, unsigned seed)
{
    std::string s(n, '\0');
    uint32_t x = seed * 2654435761u + 1;
    for (size_t i = 0; i < n; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        s[i] = static_cast<char>(x);
    }
    return s;
}

} // namespace qelt_test
