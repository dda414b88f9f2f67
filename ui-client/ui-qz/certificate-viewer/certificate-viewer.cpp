#include "certificate-viewer.h"

#include <QByteArray>
#include <QSslCertificate>

#include "certificate-chain-dialog.h"

int showCertificateChain(const std::vector<std::string>& chain, QWidget* parent)
{
    if (chain.empty())
        return -1;
    QList<QSslCertificate> certificates;
    for (const std::string& pem : chain) {
        // Any size: large keys and long name lists are valid certificates.
        const QList<QSslCertificate> decoded =
            QSslCertificate::fromData(QByteArray(pem.data(), static_cast<int>(pem.size())), QSsl::Pem);
        if (decoded.size() != 1 || decoded.front().isNull())
            return -1;
        certificates << decoded.front();
    }
    CertificateChainDialog dialog(certificates, parent);
    dialog.exec();
    return 0;
}
