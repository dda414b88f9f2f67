// The breadcrumb: how texts split into buttons and what each click reports,
// and the collapse of long paths at the left.
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include "vexo_button_path.h"
#include "vexoqelt_test_support.h"

class ButtonPathTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { vexotest::initLibrary(1.0); }
    void cleanupTestCase() { QCOMPARE(vexotest::missingNames(), QStringList()); }

    void buttonsAndClicks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("clicks");
        QTest::newRow("windows drive")
            << "My Computer/C:/Users" << QStringList{"My Computer", "C:", "Users"}
            << QStringList{"My Computer", "My Computer/C:", "My Computer/C:/Users"};
        QTest::newRow("linux root")
            << "My Computer//home/ann" << QStringList{"My Computer", "/", "home", "ann"}
            << QStringList{"My Computer", "My Computer//", "My Computer//home", "My Computer//home/ann"};
        QTest::newRow("linux root alone")
            << "My Computer//" << QStringList{"My Computer", "/"} << QStringList{"My Computer", "My Computer//"};
        QTest::newRow("server share")
            << "Site/photos/2019" << QStringList{"Site", "photos", "2019"}
            << QStringList{"Site", "Site/photos", "Site/photos/2019"};
        QTest::newRow("backslashes")
            << "My Computer\\C:\\Users\\ann" << QStringList{"My Computer", "C:", "Users", "ann"}
            << QStringList{"My Computer", "My Computer\\C:", "My Computer\\C:\\Users", "My Computer\\C:\\Users\\ann"};
        QTest::newRow("mixed separators")
            << "Site/share\\a b" << QStringList{"Site", "share", "a b"}
            << QStringList{"Site", "Site/share", "Site/share\\a b"};
        QTest::newRow("trailing separator")
            << "Site/photos/" << QStringList{"Site", "photos"} << QStringList{"Site", "Site/photos"};
        QTest::newRow("doubled inside")
            << "Site/a//b" << QStringList{"Site", "a", "b"} << QStringList{"Site", "Site/a", "Site/a//b"};
        QTest::newRow("site top") << "Site" << QStringList{"Site"} << QStringList{"Site"};
        QTest::newRow("empty") << "" << QStringList{} << QStringList{};
    }
    void buttonsAndClicks()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, clicks);
        VexoButtonPath path;
        path.resize(2000, 30);
        path.show();
        path.refresh(QStringLiteral("Old/text/replaced"));
        path.refresh(text);
        QStringList shown;
        for (QPushButton* b : path.buttons())
            shown << b->text();
        QCOMPARE(shown, labels);
        QVERIFY(!path.collapsedButton()->isVisible());
        QSignalSpy spy(&path, &VexoButtonPath::sigUpdatePath);
        for (int i = 0; i < path.buttons().size(); ++i) {
            QVERIFY(path.buttons()[i]->isVisible());
            QTest::mouseClick(path.buttons()[i], Qt::LeftButton);
            QCOMPARE(spy.count(), i + 1);
            QCOMPARE(spy.last().first().toString(), clicks[i]);
        }
    }

    void longPathCollapsesAtLeft()
    {
        VexoButtonPath path;
        path.resize(220, 30);
        path.show();
        path.refresh(QStringLiteral("My Computer//home/ann/projects/quarterly-reports/2019/final"));
        const QList<QPushButton*> buttons = path.buttons();
        QCOMPARE(buttons.size(), 8);
        QVERIFY(path.collapsedButton()->isVisible());
        QVERIFY(!buttons.first()->isVisible());
        QVERIFY(buttons.last()->isVisible());
        // The hidden components are offered in the collapse menu, in order.
        QList<QAction*> actions = path.collapsedButton()->menu()->actions();
        QVERIFY(!actions.isEmpty());
        QCOMPARE(actions.first()->text(), QStringLiteral("My Computer"));
        QSignalSpy spy(&path, &VexoButtonPath::sigUpdatePath);
        actions.first()->trigger();
        QCOMPARE(spy.last().first().toString(), QStringLiteral("My Computer"));
        if (actions.size() > 1) {
            actions[1]->trigger();
            QCOMPARE(spy.last().first().toString(), QStringLiteral("My Computer//"));
        }
        path.resize(3000, 30);  // room again: everything shows
        QVERIFY(!path.collapsedButton()->isVisible());
        QVERIFY(buttons.first()->isVisible());
    }
};

QTEST_MAIN(ButtonPathTest)
#include "vexoqelt_button_path_test.moc"
