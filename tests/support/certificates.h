#pragma once

#include <string>
#include <utility>
#include <vector>

#include <openssl/evp.h>
#include <openssl/x509.h>

namespace qm_test {

// A key and its certificate, freed together.
struct Credentials {
    Credentials() = default;
    ~Credentials();
    Credentials(const Credentials&) = delete;
    Credentials& operator=(const Credentials&) = delete;
    Credentials(Credentials&& other) noexcept;

    // PEM files; the key is not written when keyPath is empty. Throws on failure.
    void writeFiles(const std::string& certPath, const std::string& keyPath) const;

    EVP_PKEY* key = nullptr;
    X509* cert = nullptr;
};

enum class KeyType { EcP256, Rsa2048 };

// What a made certificate holds. The defaults give a self-signed P-256
// end-entity certificate valid from an hour ago for a day.
struct CertRequest {
    std::string common_name;
    std::vector<std::string> dns_names;  // subjectAltName DNS entries
    std::vector<std::string> ip_addresses; // subjectAltName IP entries
    // Subject attributes after the common name, in this order ("O", "OU", ...).
    std::vector<std::pair<std::string, std::string>> more_subject;
    const Credentials* issuer = nullptr; // null: self-signed
    bool ca = false;                     // basicConstraints CA:TRUE (critical)
    // keyUsage keyCertSign and cRLSign only: an authority that never serves
    // TLS itself (a server certificate with this usage is refused by peers).
    bool signing_only = false;
    KeyType key_type = KeyType::EcP256;
    long valid_seconds = 86400;
};

// Makes a certificate with the OpenSSL API; throws std::runtime_error on failure.
Credentials makeCert(const CertRequest& request);
// A P-256 certificate authority that only signs.
Credentials makeCa(const std::string& commonName);
// A P-256 server certificate with the given common name and DNS names,
// signed by `issuer` or self-signed when issuer is null.
Credentials makeServerCert(const std::string& commonName, const std::vector<std::string>& dnsNames,
                           const Credentials* issuer);

// The certificate's signature as X509_signature_dump prints it, without
// newlines: the form a client pins a server's certificate by.
std::string signatureText(const X509* cert);

} // namespace qm_test
