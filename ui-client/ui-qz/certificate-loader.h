#pragma once

#include <QString>

// Writes the certificate authorities this computer trusts into one PEM file,
// which every channel then verifies servers against. Runs once at start-up,
// before any connection exists.
class CertificateLoader {
public:
    CertificateLoader() = default;
    explicit CertificateLoader(const QString& path) : m_store_path(path) {}
    ~CertificateLoader() = default;

    void setStorePath(const QString& path) { m_store_path = path; }

    // Rewrites the file from Qt's system list and OpenSSL's default CA file
    // ($SSL_CERT_FILE when set), less expired certificates. The new content
    // goes to a temporary file renamed over the old one, so a running
    // instance verifying against the file never sees it empty or half
    // written. Never fails toward the caller: a failure is logged and the
    // old file stays.
    void syncNow();

private:
    QString m_store_path;
};
