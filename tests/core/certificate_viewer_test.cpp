// The certificate chain viewer under the offscreen platform: levels of a
// chain, any certificate size, names shown as typed, and refusals without a
// dialog.
#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <string>
#include <vector>

#include "certificate-chain-dialog.h"
#include "certificate-viewer.h"
#include "support/certificates.h"
#include "support/temp_dir.h"

namespace {

std::string pemOf(const qm_test::Credentials& credentials)
{
    qm_test::TempDir dir("qm-viewer");
    credentials.writeFiles(dir.file("cert.pem"), "");
    return qm_test::readFile(dir.file("cert.pem"));
}

// What the dialog showed, read while it is open, then closed.
struct Seen {
    bool shown = false;
    QStringList subjects;
    QStringList issuers;
    QString details;
};

// Closes the modal dialog as soon as it shows, recording what it showed.
void watchNextDialog(Seen* seen)
{
    QTimer::singleShot(0, [seen] {
        auto* dialog = qobject_cast<CertificateChainDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            watchNextDialog(seen);
            return;
        }
        seen->shown = true;
        QTreeWidget* levels = dialog->levels();
        for (int i = 0; i < levels->topLevelItemCount(); ++i) {
            seen->subjects << levels->topLevelItem(i)->text(1);
            seen->issuers << levels->topLevelItem(i)->text(2);
        }
        seen->details = dialog->details()->toPlainText();
        dialog->reject();
    });
}

}  // namespace

class CertificateViewerTest : public QObject {
    Q_OBJECT
private slots:
    void chainOfThreeShowsThreeLevels()
    {
        qm_test::Credentials root = qm_test::makeCa("Viewer Root");
        qm_test::CertRequest middle_request;
        middle_request.common_name = "Viewer Intermediate";
        middle_request.ca = true;
        middle_request.issuer = &root;
        qm_test::Credentials middle = qm_test::makeCert(middle_request);
        qm_test::Credentials server = qm_test::makeServerCert("server.example", {"server.example"}, &middle);

        Seen seen;
        watchNextDialog(&seen);
        QCOMPARE(showCertificateChain({pemOf(server), pemOf(middle), pemOf(root)}, nullptr), 0);
        QVERIFY(seen.shown);
        QCOMPARE(seen.subjects.size(), 3);
        QCOMPARE(seen.subjects.at(0), QStringLiteral("CN=server.example"));
        QCOMPARE(seen.issuers.at(0), QStringLiteral("CN=Viewer Intermediate"));
        QCOMPARE(seen.subjects.at(2), QStringLiteral("CN=Viewer Root"));
        QVERIFY(seen.details.contains(QStringLiteral("server.example")));
    }

    // A certificate of more than 2048 bytes, whose name is markup: shown,
    // and shown as text (its angle brackets escaped as in any one-line name).
    void largeCertificateWithMarkupNameIsShownAsTyped()
    {
        qm_test::CertRequest request;
        request.common_name = "<img src=x>";
        request.key_type = qm_test::KeyType::Rsa2048;
        for (int i = 0; i < 60; ++i)
            request.dns_names.push_back("host-number-" + std::to_string(i) + ".long-domain-name.example");
        qm_test::Credentials big = qm_test::makeCert(request);
        QVERIFY(i2d_X509(big.cert, nullptr) > 2048);

        Seen seen;
        watchNextDialog(&seen);
        QCOMPARE(showCertificateChain({pemOf(big)}, nullptr), 0);
        QVERIFY(seen.shown);
        QCOMPARE(seen.subjects.value(0), QStringLiteral("CN=\\<img src=x\\>"));
        QVERIFY(seen.details.contains(QStringLiteral("<img src=x>")));
    }

    // A comma inside a value is escaped, and repeated attributes keep the
    // certificate's order: the name cannot pose as a different organisation.
    void namesAreEscapedInTheCertificatesOrder()
    {
        qm_test::CertRequest request;
        request.common_name = "evil.example, O=Trusted Bank";
        request.more_subject = {{"O", "Evil Corp"}, {"OU", "Zeta"}, {"OU", "Alpha"}, {"OU", "+\"Ünïcode\";"}};
        qm_test::Credentials evil = qm_test::makeCert(request);

        Seen seen;
        watchNextDialog(&seen);
        QCOMPARE(showCertificateChain({pemOf(evil)}, nullptr), 0);
        QVERIFY(seen.shown);
        const QString expected = QStringLiteral(
            "CN=evil.example\\, O=Trusted Bank, O=Evil Corp, OU=Zeta, OU=Alpha, OU=\\+\\\"\u00dcn\u00efcode\\\"\\;");
        QCOMPARE(seen.subjects.value(0), expected);
        QCOMPARE(seen.issuers.value(0), expected);
    }

    void refusalsShowNoDialog_data()
    {
        QTest::addColumn<int>("case_number");
        QTest::newRow("empty chain") << 0;
        QTest::newRow("second text not a certificate") << 1;
        QTest::newRow("two certificates in one text") << 2;
    }

    void refusalsShowNoDialog()
    {
        QFETCH(int, case_number);
        const std::string good = pemOf(qm_test::makeCa("Viewer Refusal"));
        std::vector<std::string> chain;
        if (case_number == 1)
            chain = {good, "-----BEGIN CERTIFICATE-----\nbm90IGEgY2VydGlmaWNhdGU=\n-----END CERTIFICATE-----\n"};
        else if (case_number == 2)
            chain = {good + good};
        Seen seen;
        watchNextDialog(&seen);
        QCOMPARE(showCertificateChain(chain, nullptr), -1);
        QCoreApplication::processEvents();
        QVERIFY(!seen.shown);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(CertificateViewerTest)
#include "certificate_viewer_test.moc"
