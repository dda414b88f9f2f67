#pragma once

#include <string>
#include <vector>

#include <openssl/evp.h>
#include <openssl/x509.h>

// Small fixtures for the support library's tests and benchmark: a temporary
// folder, a connected loopback TCP pair and certificates made on the spot.
namespace qelt_test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// A listening socket on 127.0.0.1 with an ephemeral port.
class Listener {
public:
    Listener();
    ~Listener();
    int port() const { return m_port; }
    int accept(); // a connected descriptor or -1

private:
    int m_fd = -1;
    int m_port = 0;
};

// Both ends of one loopback TCP connection; closed by the destructor unless released.
struct TcpPair {
    TcpPair();
    ~TcpPair();
    int client = -1;
    int server = -1;
};

// A key and a certificate; PEM files are written on request.
struct Credentials {
    Credentials() = default;
    ~Credentials();
    Credentials(const Credentials&) = delete;
    Credentials& operator=(const Credentials&) = delete;
    Credentials(Credentials&& other) noexcept;

    void writeFiles(const std::string& certPath, const std::string& keyPath) const;

    EVP_PKEY* key = nullptr;
    X509* cert = nullptr;
};

Credentials makeCa(const std::string& commonName);
// A server certificate with the given common name and DNS names, signed by
// `issuer` or self-signed when issuer is null.
Credentials makeServerCert(const std::string& commonName, const std::vector<std::string>& dnsNames,
                           const Credentials* issuer);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& data);
// Deterministic, non-repeating-looking bytes.
std::string patternBytes(size_t n, unsigned seed);

} // namespace qelt_test
