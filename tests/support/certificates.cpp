#include "support/certificates.h"

#include <cstdio>
#include <stdexcept>

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509v3.h>

namespace qm_test {

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
    FILE* f = std::fopen(certPath.c_str(), "w");
    const bool certWritten = f && PEM_write_X509(f, cert) == 1;
    if (f)
        std::fclose(f);
    if (!certWritten)
        throw std::runtime_error("writing " + certPath);
    if (keyPath.empty())
        return;
    f = std::fopen(keyPath.c_str(), "w");
    const bool keyWritten = f && PEM_write_PrivateKey(f, key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
    if (f)
        std::fclose(f);
    if (!keyWritten)
        throw std::runtime_error("writing " + keyPath);
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

EVP_PKEY* generateKey(KeyType type)
{
    return type == KeyType::Rsa2048 ? EVP_RSA_gen(2048) : EVP_EC_gen("P-256");
}

} // namespace

Credentials makeCert(const CertRequest& request)
{
    Credentials c;
    c.key = generateKey(request.key_type);
    c.cert = X509_new();
    if (!c.key || !c.cert)
        throw std::runtime_error("key generation failed");
    X509_set_version(c.cert, 2);
    // A random positive serial: certificates made in one run never collide.
    unsigned char serial[8];
    RAND_bytes(serial, sizeof serial);
    serial[0] &= 0x7f;
    BIGNUM* bn = BN_bin2bn(serial, sizeof serial, nullptr);
    BN_to_ASN1_INTEGER(bn, X509_get_serialNumber(c.cert));
    BN_free(bn);
    X509_gmtime_adj(X509_getm_notBefore(c.cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(c.cert), request.valid_seconds);
    X509_NAME* name = X509_get_subject_name(c.cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>(request.common_name.c_str()), -1, -1, 0);
    for (const auto& [field, value] : request.more_subject)
        if (!X509_NAME_add_entry_by_txt(name, field.c_str(), MBSTRING_UTF8,
                                        reinterpret_cast<const unsigned char*>(value.c_str()), -1, -1, 0))
            throw std::runtime_error("bad subject attribute " + field);
    X509* issuerCert = request.issuer ? request.issuer->cert : c.cert;
    X509_set_issuer_name(c.cert, X509_get_subject_name(issuerCert));
    X509_set_pubkey(c.cert, c.key);
    addExtension(c.cert, issuerCert, NID_basic_constraints, request.ca ? "critical,CA:TRUE" : "CA:FALSE");
    if (request.signing_only)
        addExtension(c.cert, issuerCert, NID_key_usage, "critical,keyCertSign,cRLSign");
    addExtension(c.cert, issuerCert, NID_subject_key_identifier, "hash");
    if (!request.dns_names.empty() || !request.ip_addresses.empty()) {
        std::string san;
        for (const auto& dns : request.dns_names)
            san += (san.empty() ? "DNS:" : ",DNS:") + dns;
        for (const auto& ip : request.ip_addresses)
            san += (san.empty() ? "IP:" : ",IP:") + ip;
        addExtension(c.cert, issuerCert, NID_subject_alt_name, san);
    }
    if (!X509_sign(c.cert, request.issuer ? request.issuer->key : c.key, EVP_sha256()))
        throw std::runtime_error("signing failed");
    return c;
}

Credentials makeCa(const std::string& commonName)
{
    CertRequest request;
    request.common_name = commonName;
    request.ca = true;
    request.signing_only = true;
    return makeCert(request);
}

Credentials makeServerCert(const std::string& commonName, const std::vector<std::string>& dnsNames,
                           const Credentials* issuer)
{
    CertRequest request;
    request.common_name = commonName;
    request.dns_names = dnsNames;
    request.issuer = issuer;
    return makeCert(request);
}

std::string signatureText(const X509* cert)
{
    const ASN1_BIT_STRING* sig = nullptr;
    const X509_ALGOR* alg = nullptr;
    X509_get0_signature(&sig, &alg, cert);
    BIO* mem = BIO_new(BIO_s_mem());
    X509_signature_dump(mem, sig, 0);
    char* data = nullptr;
    const long len = BIO_get_mem_data(mem, &data);
    std::string text;
    for (long i = 0; i < len; ++i)
        if (data[i] != '\n')
            text.push_back(data[i]);
    BIO_free(mem);
    return text;
}

} // namespace qm_test
