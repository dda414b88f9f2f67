// The login form's label column at several display scales: every label's
// text fits its width in the font in use (the column widens when a label
// needs it), and the fields give up that width so the form's right edge
// stays where it was designed.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "connection-widget.h"
#include "login_settings_support.h"
#include "str_table.h"
#include "vexoqelt_test_support.h"

class LoginFormLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void labelsFit_data();
    void labelsFit();
    void cleanupTestCase() { QVERIFY2(vexotest::missingNames().isEmpty(), qPrintable(vexotest::missingNames().join(','))); }
};

void LoginFormLayoutTest::labelsFit_data()
{
    QTest::addColumn<double>("scale");
    QTest::newRow("1.0") << 1.0;
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2.0") << 2.0;
}

void LoginFormLayoutTest::labelsFit()
{
    QFETCH(double, scale);
    lstest::initWidgets(scale);
    ConnectionWidget form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QList<QLabel*> labels = form.findChildren<QLabel*>();
    QStringList texts;
    for (QLabel* label : labels) {
        texts << label->text();
        const int needed = label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(needed <= label->contentsRect().width(),
                 qPrintable(QStringLiteral("\"%1\" needs %2, has %3")
                                .arg(label->text())
                                .arg(needed)
                                .arg(label->contentsRect().width())));
    }
    QVERIFY(texts.contains(StrTable::LoadStr(StrTable::address)));
    // Designed: margin 20, label 112, spacing 4 (unscaled), field 284.
    const int right = int(20 * scale) + int(112 * scale) + 4 + int(284 * scale);
    for (QWidget* field : {static_cast<QWidget*>(form.addressBox()), static_cast<QWidget*>(form.usernameEdit()),
                           static_cast<QWidget*>(form.passwordEdit())}) {
        QCOMPARE(field->geometry().right() + 1, right);
        QCOMPARE(field->height(), int(28 * scale));
    }
    vexotest::saveScreenshot(&form, QStringLiteral("login_form_labels_%1").arg(scale));
    lstest::initWidgets(1.0);
}

QTEST_MAIN(LoginFormLayoutTest)
#include "login_form_layout_test.moc"
