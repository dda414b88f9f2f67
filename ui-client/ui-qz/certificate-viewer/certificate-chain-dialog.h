#pragma once

#include <QDialog>
#include <QList>
#include <QSslCertificate>

class QPlainTextEdit;
class QTreeWidget;

// One row per level of the chain (subject, issuer, validity) and the full
// text of the chosen certificate below. Every name comes from the server:
// it is shown as plain text, never interpreted.
class CertificateChainDialog : public QDialog {
    Q_OBJECT
public:
    CertificateChainDialog(const QList<QSslCertificate>& chain, QWidget* parent);

    QTreeWidget* levels() const { return m_levels; }
    QPlainTextEdit* details() const { return m_details; }

    // The certificate's names as one line, "CN=..., O=..." in its own order,
    // values escaped as in RFC 4514 ("CN=a\\, O=b" is one attribute).
    static QString distinguishedName(const QSslCertificate& certificate, bool issuer);

private:
    void showLevel(int level);

    QList<QSslCertificate> m_chain;
    QTreeWidget* m_levels;
    QPlainTextEdit* m_details;
};
