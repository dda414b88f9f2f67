// The paging bar: pages and buttons for item counts and row limits, moves
// chosen by clicks (the model holds the page before the one signal), and no
// signal from the program's own calls.
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include "vexo_paging_bar.h"
#include "vexoqelt_test_support.h"

class PagingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { vexotest::initLibrary(1.0); }
    void cleanupTestCase() { QCOMPARE(vexotest::missingNames(), QStringList()); }

    void pagesAndButtons_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("pages");
        const int items[] = {0, 1, 1000, 1001, 2500};
        for (int limit : {100, 1000}) {
            for (int n : items) {
                const int pages = n == 0 ? 1 : (n + limit - 1) / limit;
                QTest::addRow("%d items, %d a page", n, limit) << n << limit << pages;
            }
        }
    }
    void pagesAndButtons()
    {
        QFETCH(int, items);
        QFETCH(int, limit);
        QFETCH(int, pages);
        VexoPagingModel model(limit);
        VexoPagingBar bar(&model);
        QSignalSpy changed(&bar, &VexoPagingBar::sigPageChanged);
        bar.reset();
        bar.setItemCount(items);
        QCOMPARE(bar.pageCount(), pages);
        QList<int> shown;
        for (int p = 1; p <= qMin(5, pages); ++p)
            shown << p;
        QCOMPARE(bar.shownPages(), shown);
        QVERIFY(bar.pageButton(1)->isChecked());
        QVERIFY(!bar.firstButton()->isEnabled());
        QVERIFY(!bar.previousFiveButton()->isEnabled());
        QCOMPARE(bar.nextFiveButton()->isEnabled(), pages > 1);
        QCOMPARE(bar.lastButton()->isEnabled(), pages > 1);

        // Last, then first: each moves the model, then emits once.
        if (pages > 1) {
            int seen_page = 0;
            connect(&bar, &VexoPagingBar::sigPageChanged, this, [&] { seen_page = model.nowPage(); });
            QTest::mouseClick(bar.lastButton(), Qt::LeftButton);
            QCOMPARE(changed.count(), 1);
            QCOMPARE(seen_page, pages);
            QVERIFY(bar.pageButton(pages)->isChecked());
            QTest::mouseClick(bar.firstButton(), Qt::LeftButton);
            QCOMPARE(changed.count(), 2);
            QCOMPARE(seen_page, 1);
        }
        QCOMPARE(changed.count(), pages > 1 ? 2 : 0);
    }

    void userMoves_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QList<int>>("shown");
        // 2500 items at 100 a page: 25 pages.
        QTest::newRow("next 5 from 1") << 1 << "next5" << 6 << QList<int>{6, 7, 8, 9, 10};
        QTest::newRow("next 5 near the end") << 23 << "next5" << 25 << QList<int>{21, 22, 23, 24, 25};
        QTest::newRow("previous 5 from 25") << 25 << "prev5" << 20 << QList<int>{16, 17, 18, 19, 20};
        QTest::newRow("previous 5 from 3") << 3 << "prev5" << 1 << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("last") << 1 << "last" << 25 << QList<int>{21, 22, 23, 24, 25};
        QTest::newRow("first") << 17 << "first" << 1 << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("number 4") << 1 << "4" << 4 << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("current number") << 3 << "3" << 3 << QList<int>{1, 2, 3, 4, 5};
    }
    void userMoves()
    {
        QFETCH(int, start);
        QFETCH(QString, button);
        QFETCH(int, expected);
        QFETCH(QList<int>, shown);
        VexoPagingModel model(100);
        VexoPagingBar bar(&model);
        bar.setItemCount(2500);
        model.setNowPage(start);
        QSignalSpy changed(&bar, &VexoPagingBar::sigPageChanged);
        int page_at_signal = 0;
        connect(&bar, &VexoPagingBar::sigPageChanged, this, [&] {
            page_at_signal = model.nowPage();
            bar.setItemCount(2500);  // as the details view does inside its page slot
        });
        QAbstractButton* target = nullptr;
        if (button == QLatin1String("next5"))
            target = bar.nextFiveButton();
        else if (button == QLatin1String("prev5"))
            target = bar.previousFiveButton();
        else if (button == QLatin1String("last"))
            target = bar.lastButton();
        else if (button == QLatin1String("first"))
            target = bar.firstButton();
        else
            target = bar.pageButton(button.toInt());
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(model.nowPage(), expected);
        QCOMPARE(changed.count(), expected == start ? 0 : 1);
        if (expected != start)
            QCOMPARE(page_at_signal, expected);
        QCOMPARE(bar.shownPages(), shown);
        QVERIFY(bar.pageButton(expected)->isChecked());
    }

    void programCallsEmitNothing()
    {
        VexoPagingModel model(1000);
        VexoPagingBar bar(&model);
        QSignalSpy changed(&bar, &VexoPagingBar::sigPageChanged);
        QSignalSpy refresh(&bar, &VexoPagingBar::sigRefresh);
        bar.setItemCount(7500);
        model.setNowPage(7);
        QCOMPARE(bar.shownPages(), (QList<int>{6, 7, 8}));
        QVERIFY(bar.pageButton(7)->isChecked());
        bar.setItemCount(2100);  // fewer pages: the model moves to the last one, silently
        QCOMPARE(model.nowPage(), 3);
        QCOMPARE(bar.shownPages(), (QList<int>{1, 2, 3}));
        bar.reset();
        QCOMPARE(model.nowPage(), 1);
        QCOMPARE(bar.pageCount(), 1);
        bar.setItemCount(-5);
        QCOMPARE(bar.pageCount(), 1);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(refresh.count(), 0);

        QTest::mouseClick(bar.refreshButton(), Qt::LeftButton);
        QCOMPARE(refresh.count(), 1);
        QCOMPARE(changed.count(), 0);
        bar.setRefreshButtonHidden(true);
        QVERIFY(bar.refreshButton()->isHidden());
    }

    void footer_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("width");
        QTest::newRow("scale 1") << 1.0 << 120;
        QTest::newRow("scale 1.25") << 1.25 << 150;
        QTest::newRow("scale 2") << 2.0 << 240;
    }
    void footer()
    {
        QFETCH(double, scale);
        QFETCH(int, width);
        vexotest::initLibrary(scale);
        VexoPagingModel model(100);
        VexoPagingBar bar(&model);
        bar.setFooterInfos({{QStringLiteral("12 item(s)"), 120}, {QStringLiteral("<b>Download</b> 1 KB/s"), 120}});
        QCOMPARE(bar.footerLabels().size(), 2);
        QCOMPARE(bar.footerLabels()[0]->width(), width);
        QCOMPARE(bar.footerLabels()[1]->text(), QStringLiteral("<b>Download</b> 1 KB/s"));
        QCOMPARE(bar.footerLabels()[1]->textFormat(), Qt::PlainText);
        bar.setFooterText(QStringLiteral("1250 item(s)"));
        QCOMPARE(bar.footerLabels().size(), 1);
        QCOMPARE(bar.footerLabels()[0]->text(), QStringLiteral("1250 item(s)"));
        QCOMPARE(bar.firstButton()->width(), int(24 * scale));
        vexotest::initLibrary(1.0);
    }
};

QTEST_MAIN(PagingTest)
#include "vexoqelt_paging_test.moc"
