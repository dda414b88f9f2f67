// The path bars, the sort menu and the filter menu of a site pane, over the
// stand-in pane: history, breadcrumb texts and clicks, menu marks and the
// filter record they write.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "image_manager.h"
#include "site-button-path-widget.h"
#include "site-filter-menu.h"
#include "site-sort-menu.h"
#include "site-stack-path-widget.h"
#include "siteview_test_pane.h"
#include "str_table.h"
#include "ui_path_manager.h"
#include "vexo_button.h"
#include "vexo_combo_box.h"
#include "vexo_date_selector.h"
#include "vexo_icon_button.h"
#include "vexo_line_edit.h"
#include "vexoqelt_test_support.h"

class SiteViews2BarsTest : public QObject {
    Q_OBJECT
private:
    // Clicks the breadcrumb button whose text up to it is target.
    static bool clickCrumb(SiteButtonPathWidget& bar, const QString& label)
    {
        for (QPushButton* b : bar.buttons()) {
            if (b->text() == label) {
                QTest::mouseClick(b, Qt::LeftButton);
                return true;
            }
        }
        return false;
    }
    static QStringList labels(const SiteButtonPathWidget& bar)
    {
        QStringList out;
        for (QPushButton* b : bar.buttons())
            out << b->text();
        return out;
    }

private slots:
    void initTestCase()
    {
        vexotest::initLibrary(1.0);
#ifdef QM_STAGE_RESOURCE_DIR
        UIPathManager::getInstance()->setPath(QStringLiteral("resource_path"), QStringLiteral(QM_STAGE_RESOURCE_DIR));
        QCOMPARE(ImageManager::getInstance()->initialize(0), 0);
#endif
    }

    void history_data()
    {
        QTest::addColumn<QStringList>("opened");  // folders the pane opens
        QTest::addColumn<QString>("clicks");      // b back, f forward
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("index");
        QTest::newRow("first") << QStringList{"1:F1"} << "" << QStringList{"1:F1"} << 0;
        QTest::newRow("three") << QStringList{"1:F1", "1:F2", "1:F3"} << "" << QStringList{"1:F1", "1:F2", "1:F3"} << 2;
        QTest::newRow("back twice") << QStringList{"1:F1", "1:F2", "1:F3"} << "bb" << QStringList{"1:F1", "1:F2", "1:F3"}
                                    << 0;
        QTest::newRow("back twice forward") << QStringList{"1:F1", "1:F2", "1:F3"} << "bbf"
                                            << QStringList{"1:F1", "1:F2", "1:F3"} << 1;
        QTest::newRow("same folder again") << QStringList{"1:F1", "1:F1"} << "" << QStringList{"1:F1"} << 0;
        QTest::newRow("twice by different ways") << QStringList{"1:F1", "1:F2", "1:F1"} << "b"
                                                 << QStringList{"1:F1", "1:F2", "1:F1"} << 1;
        QTest::newRow("ends do nothing") << QStringList{"1:F1", "1:F2"} << "fbbb" << QStringList{"1:F1", "1:F2"} << 0;
    }
    void history()
    {
        QFETCH(QStringList, opened);
        QFETCH(QString, clicks);
        QFETCH(QStringList, expected);
        QFETCH(int, index);
        TestPane pane(1);
        SiteStackPathWidget bar(&pane.hub, &pane.data);
        QVERIFY(!bar.prevButton()->isEnabled());
        QVERIFY(!bar.nextButton()->isEnabled());
        for (const QString& path : opened)
            emit pane.hub.sigCurrentPathChanged(path);
        for (QChar c : clicks)
            QTest::mouseClick(c == 'b' ? bar.prevButton() : bar.nextButton(), Qt::LeftButton);
        QStringList history;
        for (const QString& p : bar.history())
            history << p;
        QCOMPARE(history, expected);
        QCOMPARE(bar.currentIndex(), index);
        QCOMPARE(pane.data.m_current_path, expected.at(index));
        QCOMPARE(bar.prevButton()->isEnabled(), index > 0);
        QCOMPARE(bar.nextButton()->isEnabled(), index + 1 < expected.size());
    }

    void historyDropsForwardPart()
    {
        TestPane pane(1);
        SiteStackPathWidget bar(&pane.hub, &pane.data);
        for (const char* p : {"1:F1", "1:F2", "1:F3", "1:F4"})
            emit pane.hub.sigCurrentPathChanged(QString::fromLatin1(p));
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(bar.prevButton(), Qt::LeftButton);
        QCOMPARE(pane.data.m_current_path, QStringLiteral("1:F1"));
        emit pane.hub.sigCurrentPathChanged(QStringLiteral("1:F5"));
        QCOMPARE(bar.history(), (std::vector<QString>{"1:F1", "1:F5"}));
        QVERIFY(!bar.nextButton()->isEnabled());
        QSignalSpy asked(&pane.hub, &SiteConnecter::sigCurrentPathChanged);
        QTest::mouseClick(bar.prevButton(), Qt::LeftButton);
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.at(0).at(0).toString(), QStringLiteral("1:F1"));
        QVERIFY(vexotest::saveScreenshot(&bar, QStringLiteral("siteview2_stack_path")));
    }

    void breadcrumb_data()
    {
        QTest::addColumn<quint64>("peer");
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("click");
        QTest::addColumn<QString>("opens");
        const QString mc = StrTable::LoadStr(StrTable::my_computer);
        QTest::newRow("server") << quint64(5) << "NAS" << "5:photos/2019" << QStringList{"NAS", "photos", "2019"}
                                << "photos" << "5:photos";
        QTest::newRow("server top") << quint64(5) << "NAS" << "5:photos/2019" << QStringList{"NAS", "photos", "2019"}
                                    << "NAS" << "5:";
        QTest::newRow("drive") << quint64(5) << "NAS" << "0:C:/Users" << QStringList{mc, "C:", "Users"} << mc << "0:";
        QTest::newRow("linux") << quint64(5) << "NAS" << "0:/home/u" << QStringList{mc, "/", "home", "u"} << "home"
                               << "0:/home";
        // A server whose name is the computer's, or holds separators, is
        // still read back by the peer it shows.
        QTest::newRow("server named My Computer") << quint64(5) << mc << "5:share/a" << QStringList{mc, "share", "a"}
                                                  << "share" << "5:share";
        QTest::newRow("server named My Computer top") << quint64(5) << mc << "5:share/a"
                                                      << QStringList{mc, "share", "a"} << mc << "5:";
    }
    void breadcrumb()
    {
        QFETCH(quint64, peer);
        QFETCH(QString, site);
        QFETCH(QString, path);
        QFETCH(QStringList, shown);
        QFETCH(QString, click);
        QFETCH(QString, opens);
        TestPane pane(peer, site);
        SiteButtonPathWidget bar(&pane.hub, &pane.data);
        bar.resize(600, 30);
        emit pane.hub.sigCurrentPathChanged(path);
        QCOMPARE(labels(bar), shown);
        QSignalSpy asked(&pane.hub, &SiteConnecter::sigCurrentPathChanged);
        QVERIFY(clickCrumb(bar, click));
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.at(0).at(0).toString(), opens);
    }

    void breadcrumbNameWithSeparator()
    {
        TestPane pane(7, QStringLiteral("a/b"));
        SiteButtonPathWidget bar(&pane.hub, &pane.data);
        emit pane.hub.sigCurrentPathChanged(QStringLiteral("7:share/x"));
        QSignalSpy asked(&pane.hub, &SiteConnecter::sigCurrentPathChanged);
        emit bar.sigUpdatePath(QStringLiteral("a/b/share"));
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.at(0).at(0).toString(), QStringLiteral("7:share"));
        emit bar.sigUpdatePath(QStringLiteral("a/b"));
        QCOMPARE(asked.at(1).at(0).toString(), QStringLiteral("7:"));
    }

    void breadcrumbRenamesAndSiteName()
    {
        TestPane pane(5, QStringLiteral("NAS"));
        SiteButtonPathWidget bar(&pane.hub, &pane.data);
        bar.resize(600, 30);
        emit pane.hub.sigCurrentPathChanged(QStringLiteral("5:photos/2019"));
        emit pane.hub.sigUpdateItem(QStringLiteral("5:photos"), QStringLiteral("other"), QStringLiteral("x"));
        QCOMPARE(labels(bar), (QStringList{"NAS", "photos", "2019"}));
        emit pane.hub.sigUpdateItem(QStringLiteral("5:photos"), QStringLiteral("2019"), QStringLiteral("2020"));
        QCOMPARE(labels(bar), (QStringList{"NAS", "photos", "2020"}));
        pane.data.m_site_name = QStringLiteral("Archive");
        emit pane.hub.sigChangeSiteName();
        QCOMPARE(labels(bar).first(), QStringLiteral("Archive"));
        QVERIFY(vexotest::saveScreenshot(&bar, QStringLiteral("siteview2_breadcrumb")));

        TestPane local(0, QStringLiteral("ignored"));
        SiteButtonPathWidget mine(&local.hub, &local.data);
        emit local.hub.sigCurrentPathChanged(QStringLiteral("0:/home"));
        local.data.m_site_name = QStringLiteral("changed");
        emit local.hub.sigChangeSiteName();
        QCOMPARE(labels(mine).first(), StrTable::LoadStr(StrTable::my_computer));
    }

    void sortMenu()
    {
        SiteFileFilter filter;
        SiteSortMenu menu(&filter);
        QSignalSpy changed(&menu, &SiteSortMenu::sigSortInfoChanged);
        menu.popup(QPoint(10, 10));
        QTRY_VERIFY(menu.isVisible());
        for (int i = 0; i < 4; ++i)
            QVERIFY(!menu.columnAction(i)->isChecked());
        QVERIFY(menu.directionAction(0)->isChecked());
        QVERIFY(!menu.directionAction(1)->isChecked());
        QVERIFY(vexotest::saveScreenshot(&menu, QStringLiteral("siteview2_sort_menu")));
        QCOMPARE(changed.count(), 0);

        // Descending with no column: stored, column stays -1.
        menu.directionAction(1)->trigger();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(filter.sort_asc, false);
        QCOMPARE(filter.sort_column, -1);
        QVERIFY(!menu.directionAction(0)->isChecked());

        menu.columnAction(1)->trigger();
        QCOMPARE(filter.sort_column, 1);
        // Re-clicking the checked column keeps it and signals once more.
        menu.columnAction(1)->trigger();
        QCOMPARE(changed.count(), 3);
        QCOMPARE(filter.sort_column, 1);
        QVERIFY(menu.columnAction(1)->isChecked());
        menu.hide();

        // The header changed the sort: the next opening shows it, silently.
        filter.sort_column = 3;
        filter.sort_asc = true;
        menu.popup(QPoint(10, 10));
        QTRY_VERIFY(menu.isVisible());
        QVERIFY(menu.columnAction(3)->isChecked());
        QVERIFY(!menu.columnAction(1)->isChecked());
        QVERIFY(menu.directionAction(0)->isChecked());
        QCOMPARE(changed.count(), 3);
    }

    void filterNewPanel()
    {
        SiteFileFilter filter;
        filter.keyword = "old";
        filter.sort_column = 2;
        SiteFilterMenu menu(&filter);
        QCOMPARE(filter.keyword, QString());
        QCOMPARE(filter.sfa, SiteFileFilter::SIZE_NONE);
        QCOMPARE(filter.size, QString());
        QCOMPARE(filter.sort_column, 2);
        QCOMPARE(menu.sizeCombo()->currentIndex(), 0);
        QVERIFY(!menu.sizeEdit()->getLineEdit()->isEnabled());
        QCOMPARE(menu.width(), 368);
        QCOMPARE(menu.height(), 256);
    }

    void sizeValidator_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("10k") << "10k" << "10k";
        QTest::newRow("5M") << "5M" << "5M";
        QTest::newRow("1g") << "1g" << "1g";
        QTest::newRow("300") << "300" << "300";
        QTest::newRow("k10") << "k10" << "10";
        QTest::newRow("10kb") << "10kb" << "10k";
        QTest::newRow("1.5m") << "1.5m" << "15m";
        QTest::newRow("space") << "1 0" << "10";
    }
    void sizeValidator()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        SiteFileFilter filter;
        SiteFilterMenu menu(&filter);
        menu.sizeCombo()->setCurrentIndex(3);
        QLineEdit* edit = menu.sizeEdit()->getLineEdit();
        QVERIFY(edit->isEnabled());
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
    }

    void filterSizeField()
    {
        SiteFileFilter filter;
        SiteFilterMenu menu(&filter);
        QLineEdit* edit = menu.sizeEdit()->getLineEdit();
        menu.sizeCombo()->setCurrentIndex(3);
        // Greater than with no value: no size condition.
        menu.slotApplyStatus();
        QCOMPARE(filter.sfa, SiteFileFilter::SIZE_NONE);
        QCOMPARE(filter.size, QString());
        QTest::keyClicks(edit, "5M");
        menu.sizeCombo()->setCurrentIndex(1);
        QCOMPARE(edit->text(), QStringLiteral("5M"));
        menu.slotApplyStatus();
        QCOMPARE(filter.sfa, SiteFileFilter::SIZE_EQUAL);
        QCOMPARE(filter.size, QStringLiteral("5M"));
        menu.sizeCombo()->setCurrentIndex(0);
        QCOMPARE(edit->text(), QString());
        QVERIFY(!edit->isEnabled());
    }

    void filterDatesAndApply()
    {
        SiteFileFilter filter;
        SiteFilterMenu menu(&filter);
        QSignalSpy changed(&menu, &SiteFilterMenu::sigFileFilterChanged);
        const QDate day(2026, 3, 29);  // a daylight-saving change in Berlin
        menu.fromDate()->dateSelect(day);
        menu.toDate()->dateSelect(day);
        QTest::mouseClick(menu.applyButton(), Qt::LeftButton);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(qint64(filter.mtime_from), QDateTime(day, QTime(0, 0)).toSecsSinceEpoch());
        QCOMPARE(QDateTime::fromSecsSinceEpoch(filter.mtime_to).time(), QTime(23, 59, 59));
        QCOMPARE(QDateTime::fromSecsSinceEpoch(filter.mtime_to).date(), day);

        SiteFileList all;
        for (QTime t : {QTime(0, 0), QTime(23, 59, 59)}) {
            SiteFileInfo f;
            f.name = t.toString();
            f.mtime = QDateTime(day, t);
            all.push_back(f);
        }
        SiteFileInfo next;
        next.name = "next";
        next.mtime = QDateTime(day.addDays(1), QTime(0, 0));
        all.push_back(next);
        SiteFileList out;
        filterAndSortSiteFileList(all, filter, out);
        QCOMPARE(int(out.size()), 2);

        // Enter in the keyword field applies as "Filter" does.
        menu.keywordEdit()->getLineEdit()->setText("abc");
        QTest::keyClick(menu.keywordEdit()->getLineEdit(), Qt::Key_Return);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(filter.keyword, QStringLiteral("abc"));

        // Reset clears the bounds in force, not only the panel.
        QTest::mouseClick(menu.resetButton(), Qt::LeftButton);
        QCOMPARE(changed.count(), 3);
        QCOMPARE(filter.mtime_from, 0u);
        QCOMPARE(filter.mtime_to, 0u);
        QCOMPARE(filter.keyword, QString());
        filterAndSortSiteFileList(all, filter, out);
        QCOMPARE(int(out.size()), 3);
    }

    void filterOpening()
    {
        SiteFileFilter filter;
        SiteFilterMenu menu(&filter);
        menu.fromDate()->dateSelect(QDate(2020, 1, 1));
        filter.keyword = "typed in bar";
        filter.mtime_from = 0;
        filter.mtime_to = QDateTime(QDate(2021, 5, 6), QTime(0, 0)).toSecsSinceEpoch() + 86399;
        filter.sfa = SiteFileFilter::SIZE_SMALLER;
        filter.size = "10k";
        menu.popup(QPoint(10, 10));
        QTRY_VERIFY(menu.isVisible());
        QCOMPARE(menu.keywordEdit()->getEditText(), QStringLiteral("typed in bar"));
        QVERIFY(!menu.fromDate()->currentData().toDate().isValid());
        QCOMPARE(menu.toDate()->currentData().toDate(), QDate(2021, 5, 6));
        QCOMPARE(menu.sizeCombo()->currentIndex(), 2);
        QCOMPARE(menu.sizeEdit()->getLineEdit()->text(), QStringLiteral("10k"));
        QVERIFY(menu.sizeEdit()->getLineEdit()->isEnabled());
        QVERIFY(vexotest::saveScreenshot(&menu, QStringLiteral("siteview2_filter_menu")));
        QVERIFY(vexotest::missingNames().isEmpty());
    }
};

QTEST_MAIN(SiteViews2BarsTest)
#include "siteview2_bars_test.moc"
