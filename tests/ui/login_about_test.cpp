// The about box: texts, sizes at two display scales, modality and Escape.
#include <QLabel>
#include <QtTest>

#include "about-window.h"
#include "login_settings_support.h"
#include "str_table.h"
#include "vexoqelt_test_support.h"

class AboutTest : public QObject {
    Q_OBJECT
private slots:
    void textsAndKeys();
    void sizes_data();
    void sizes();
    void cleanupTestCase() { QVERIFY2(vexotest::missingNames().isEmpty(), qPrintable(vexotest::missingNames().join(','))); }
};

void AboutTest::textsAndKeys()
{
    lstest::initWidgets(1.0);
    AboutWindow about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.windowTitle(), StrTable::LoadStr(StrTable::app_name));
    QStringList texts;
    for (QLabel* label : about.findChildren<QLabel*>())
        texts << label->text();
    QVERIFY(texts.contains(QStringLiteral("Quillmar File Manager")));
    QVERIFY(texts.contains(QStringLiteral("Version: 1.0.3-0019")));
    QCOMPARE(about.size(), QSize(440, 148));
    QCOMPARE(QApplication::activeModalWidget(), &about);
    vexotest::saveScreenshot(&about, QStringLiteral("about_box"));
    QTest::keyClick(&about, Qt::Key_A);
    QVERIFY(about.isVisible());
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
}

void AboutTest::sizes_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QSize>("icon");
    QTest::addColumn<QSize>("version");
    QTest::newRow("1.3") << 1.3 << QSize(572, 192) << QSize(93, 93) << QSize(348, 26);
    QTest::newRow("1.5") << 1.5 << QSize(660, 222) << QSize(108, 108) << QSize(402, 30);
    QTest::newRow("1.25") << 1.25 << QSize(550, 185) << QSize(90, 90) << QSize(335, 25);
}

void AboutTest::sizes()
{
    QFETCH(double, scale);
    QFETCH(QSize, window);
    QFETCH(QSize, icon);
    QFETCH(QSize, version);
    lstest::initWidgets(scale);
    AboutWindow about;
    QCOMPARE(about.size(), window);
    const QList<QLabel*> labels = about.findChildren<QLabel*>();
    QCOMPARE(labels.size(), 3);
    QCOMPARE(labels.at(0)->size(), icon);
    QCOMPARE(labels.at(2)->size(), version);
    about.show();
    vexotest::saveScreenshot(&about, QStringLiteral("about_box_%1").arg(scale));
    lstest::initWidgets(1.0);
}

QTEST_MAIN(AboutTest)
#include "login_about_test.moc"
