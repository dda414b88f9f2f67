#include "certificate-chain-dialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <openssl/bio.h>
#include <openssl/x509.h>

#include "str_table.h"

CertificateChainDialog::CertificateChainDialog(const QList<QSslCertificate>& chain, QWidget* parent)
    : QDialog(parent), m_chain(chain), m_levels(new QTreeWidget(this)), m_details(new QPlainTextEdit(this))
{
    setWindowTitle(tr("Certificate"));
    m_levels->setColumnCount(4);
    m_levels->setHeaderLabels({tr("Level"), tr("Subject"), tr("Issuer"), tr("Valid")});
    m_levels->setRootIsDecorated(false);
    m_levels->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (int level = 0; level < m_chain.size(); ++level) {
        const QSslCertificate& certificate = m_chain.at(level);
        // QTreeWidgetItem texts are plain text: a name like "<img src=x>"
        // shows as typed.
        auto* item = new QTreeWidgetItem(m_levels);
        item->setText(0, QString::number(level));
        item->setText(1, distinguishedName(certificate, false));
        item->setText(2, distinguishedName(certificate, true));
        //: The validity period of a certificate: its first and its last day.
        item->setText(3, tr("%1 to %2")
                             .arg(certificate.effectiveDate().toUTC().toString(Qt::ISODate),
                                  certificate.expiryDate().toUTC().toString(Qt::ISODate)));
    }
    m_details->setReadOnly(true);
    m_details->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    // Qt's own button texts are not translated in this program.
    buttons->button(QDialogButtonBox::Close)->setText(StrTable::LoadStr(StrTable::button_close));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_levels);
    layout->addWidget(m_details, 1);
    layout->addWidget(buttons);

    connect(m_levels, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { showLevel(current ? m_levels->indexOfTopLevelItem(current) : -1); });
    m_levels->setCurrentItem(m_levels->topLevelItem(0));
    resize(720, 520);
}

void CertificateChainDialog::showLevel(int level)
{
    m_details->setPlainText(level >= 0 && level < m_chain.size() ? m_chain.at(level).toText() : QString());
}

QString CertificateChainDialog::distinguishedName(const QSslCertificate& certificate, bool issuer)
{
    // OpenSSL prints the name in the certificate's own order with values
    // escaped as RFC 4514 does, so a comma inside a value ("evil.example,
    // O=Trusted Bank") cannot pass for another attribute. Non-ASCII text
    // stays readable UTF-8; control characters are escaped.
    const QByteArray der = certificate.toDer();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(der.constData());
    X509* x509 = d2i_X509(nullptr, &p, der.size());
    if (!x509)
        return QString();
    const unsigned long flags =
        (XN_FLAG_RFC2253 & ~(XN_FLAG_DN_REV | XN_FLAG_SEP_MASK | ASN1_STRFLGS_ESC_MSB)) | XN_FLAG_SEP_CPLUS_SPC;
    BIO* out = BIO_new(BIO_s_mem());
    QString text;
    if (out && X509_NAME_print_ex(out, issuer ? X509_get_issuer_name(x509) : X509_get_subject_name(x509), 0, flags) >= 0) {
        char* data = nullptr;
        const long length = BIO_get_mem_data(out, &data);
        text = QString::fromUtf8(data, static_cast<int>(length));
    }
    BIO_free(out);
    X509_free(x509);
    return text;
}
