#include "certificate-loader.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <QSslCertificate>
#include <QSslConfiguration>

#include <openssl/x509.h>

#include <algorithm>
#include <cstdlib>

#include "log.h"

namespace {

const char kCertComponent[] = "cert_debug";

// Stands in for the Windows stores "CA" and "MY": OpenSSL's default CA file,
// or the file $SSL_CERT_FILE names. "MY" (the user's own certificates) has
// no counterpart here.
QList<QSslCertificate> getOtherCerts()
{
    const char* env_file = std::getenv(X509_get_default_cert_file_env());
    const QString path = QFile::decodeName(env_file && *env_file ? env_file : X509_get_default_cert_file());
    if (!QFile::exists(path))
        return {};
    return QSslCertificate::fromPath(path, QSsl::Pem, QSslCertificate::PatternSyntax::FixedString);
}

// Expired when the expiry date falls on a calendar day before today: one
// that expires today is kept for the rest of the day.
bool isExpired(const QSslCertificate& certificate)
{
    return QDateTime::currentDateTime().daysTo(certificate.expiryDate()) < 0;
}

}  // namespace

void CertificateLoader::syncNow()
{
    // Qt gathers the system folder through a hash: its order changes from run
    // to run. Sorted, the same authorities give the same file every time.
    QList<QSslCertificate> certificates = QSslConfiguration::systemCaCertificates();
    std::sort(certificates.begin(), certificates.end(),
              [](const QSslCertificate& a, const QSslCertificate& b) { return a.toDer() < b.toDer(); });
    certificates += getOtherCerts();

    QByteArray pem;
    for (const QSslCertificate& certificate : certificates) {
        if (isExpired(certificate)) {
            if (Logger::IsNeedToLog(Logger::L_DEBUG, kCertComponent))
                Logger::tLogLine(Logger::L_DEBUG, kCertComponent, __LINE__,
                                 L"[DEBUG] certificate-loader(%d): Certificate %s is expired. Drop at load time\n",
                                 certificate.toText().toUtf8().toStdString());
            continue;
        }
        pem += certificate.toPem();
    }

    // QSaveFile writes beside the target and renames over it on commit.
    QSaveFile file(m_store_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pem) != pem.size() || !file.commit()) {
        QM_LOG(Logger::L_ERR, kCertComponent, L"[ERROR] certificate-loader(%d): Cannot write certificate file [%s]: %s\n",
               m_store_path.toUtf8().toStdString(), file.errorString().toUtf8().toStdString());
    }
}
