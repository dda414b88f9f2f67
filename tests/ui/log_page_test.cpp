// The Log window end to end over a real log database: the filter bar, the
// filter menu, the view selector, show, reopen and Escape. Runs with
// TZ=Europe/Berlin so that whole days across daylight saving are covered.
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableWidget>
#include <QtTest>

#include "image_manager.h"
#include "log-filter-menu.h"
#include "log-page.h"
#include "log_test_db.h"
#include "misc-log-widget.h"
#include "transfer-log-widget.h"
#include "ui_path_manager.h"
#include "vexo_button.h"
#include "vexo_combo_box.h"
#include "vexo_date_selector.h"
#include "vexo_filter_bar.h"
#include "vexo_line_edit.h"
#include "vexo_table_widget.h"
#include "vexoqelt_test_support.h"

using namespace logtest;

namespace {

uint64_t localMs(const QDate& date, const QTime& time)
{
    return static_cast<uint64_t>(QDateTime(date, time, Qt::LocalTime).toMSecsSinceEpoch());
}

QStringList comboTexts(QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QStringList eventSentences(LogPage& page)
{
    QTableWidget* table = page.miscLogWidget()->table()->getTable();
    QStringList sentences;
    for (int row = 0; row < table->rowCount(); ++row) {
        QLabel* label = qobject_cast<QLabel*>(table->cellWidget(row, 1));
        sentences << (label ? plainText(label->text()) : QString());
    }
    return sentences;
}

QStringList transferNames(LogPage& page)
{
    QTableWidget* table = page.transferLogWidget()->table()->getTable();
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row)
        names << table->item(row, 2)->text();
    return names;
}

void openMenu(LogPage& page)
{
    page.filterMenu()->popup(page.mapToGlobal(QPoint(600, 60)));
    QTRY_VERIFY(page.filterMenu()->isVisible());
}

const QDate kAutumnChange(2016, 10, 30);  // 25 hours in Berlin
const QDate kSpringChange(2016, 3, 27);   // 23 hours in Berlin

}  // namespace

class LogPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void showsEventLogWithEmptyFilter();
    void keywordIgnoresAsciiCaseAndKeepsWildcardsLiteral();
    void keywordTravelsBetweenBarAndMenu();
    void enterAppliesLikeFilter();
    void wholeDaysAcrossDaylightSaving_data();
    void wholeDaysAcrossDaylightSaving();
    void resetDropsTheDateRange();
    void reopenedMenuShowsNoStaleDates();
    void transferTypesPerView();
    void viewSwitchAndReopenEmptyEverything();
    void escapeHides();
    void cleanupTestCase();

private:
    TestLogDb* m_db = nullptr;
    LogPage* m_page = nullptr;
};

void LogPageTest::initTestCase()
{
    QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Berlin"));
    vexotest::initLibrary();
#ifdef QM_STAGE_RESOURCE_DIR
    UIPathManager::getInstance()->setPath("resource_path", QStringLiteral(QM_STAGE_RESOURCE_DIR));
    QCOMPARE(ImageManager::getInstance()->initialize(0), 0);
#endif
    m_db = new TestLogDb();
    QVERIFY(m_db->isOpen());
    for (const char* path : {"/s/Report_1.txt", "/s/reportX1.txt", "/s/100%.txt", "/s/100a.txt"})
        QVERIFY(addMiscLog(4, "tester", path));
    QVERIFY(addMiscLog(5, "tester", "/s/newdir"));
    QVERIFY(addMiscLog(1, "tester", ""));

    // Transfers around the two daylight-saving days, first and last second.
    for (const QDate& day : {kAutumnChange, kSpringChange}) {
        const std::string tag = day.toString(Qt::ISODate).toStdString();
        QVERIFY(addTransfer(makeTransfer(6, "/dst/" + tag + "-before", "C:/x", localMs(day.addDays(-1), QTime(23, 59, 59, 900)))));
        QVERIFY(addTransfer(makeTransfer(6, "/dst/" + tag + "-first", "C:/x", localMs(day, QTime(0, 0, 0, 500)))));
        QVERIFY(addTransfer(makeTransfer(7, "/dst/" + tag + "-last", "C:/x", localMs(day, QTime(23, 59, 59, 500)))));
        QVERIFY(addTransfer(makeTransfer(7, "/dst/" + tag + "-after", "C:/x", localMs(day.addDays(1), QTime(0, 0, 0)))));
    }
    const uint64_t now = static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch());
    QVERIFY(addTransfer(makeTransfer(6, "/share/up.bin", "C:/up.bin", now)));
    QVERIFY(addTransfer(makeTransfer(7, "/share/down.bin", "C:/down.bin", now)));
    QVERIFY(addTransfer(makeTransfer(9, "/share/cancelled.bin", "C:/c.bin", now)));
    m_page = new LogPage(nullptr);
}

void LogPageTest::init()
{
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page));
}

void LogPageTest::cleanup()
{
    m_page->filterMenu()->hide();
    m_page->hide();
}

void LogPageTest::showsEventLogWithEmptyFilter()
{
    QCOMPARE(m_page->windowTitle(), QStringLiteral("Log"));
    QVERIFY(m_page->windowModality() == Qt::ApplicationModal);
    QCOMPARE(m_page->viewSelector()->currentIndex(), 0);
    QCOMPARE(m_page->stack()->currentWidget(), static_cast<QWidget*>(m_page->miscLogWidget()));
    QCOMPARE(comboTexts(m_page->viewSelector()), (QStringList{"Event logs", "File transfer log"}));
    QCOMPARE(comboTexts(m_page->filterMenu()->typeChoice()),
             (QStringList{"All Events", "Sign In", "Rename", "Copy", "Delete", "Create Folder", "Upload", "Download"}));
    // 6 operations and the general rows of 11 transfers, newest first.
    QCOMPARE(eventSentences(*m_page).size(), 17);
    QVERIFY(eventSentences(*m_page).contains(QStringLiteral("tester created folder newdir.")));
    // The login row has no paths, so its label has no tooltip at all.
    const int login_row = eventSentences(*m_page).indexOf(QStringLiteral("tester logged in to 192.0.2.7."));
    QVERIFY(login_row >= 0);
    QTableWidget* events = m_page->miscLogWidget()->table()->getTable();
    QVERIFY(qobject_cast<QLabel*>(events->cellWidget(login_row, 1))->toolTip().isEmpty());
    vexotest::saveScreenshot(m_page, QStringLiteral("log_page_events"));
}

void LogPageTest::keywordIgnoresAsciiCaseAndKeepsWildcardsLiteral()
{
    QLineEdit* bar = m_page->filterBar()->lineEdit();
    QTest::keyClicks(bar, QStringLiteral("REPORT_1"));
    QCOMPARE(m_page->filter().keyword, QStringLiteral("REPORT_1"));
    QCOMPARE(eventSentences(*m_page), QStringList{"tester deleted Report_1.txt."});

    bar->clear();
    QTest::keyClicks(bar, QStringLiteral("100%"));
    QCOMPARE(eventSentences(*m_page), QStringList{"tester deleted 100%.txt."});
}

void LogPageTest::keywordTravelsBetweenBarAndMenu()
{
    QTest::keyClicks(m_page->filterBar()->lineEdit(), QStringLiteral("newdir"));
    openMenu(*m_page);
    QCOMPARE(m_page->filterMenu()->keywordEdit()->getEditText(), QStringLiteral("newdir"));
    vexotest::saveScreenshot(m_page->filterMenu(), QStringLiteral("log_filter_menu_open"));

    QLineEdit* keyword = m_page->filterMenu()->keywordEdit()->getLineEdit();
    keyword->setText(QStringLiteral("reportx"));
    m_page->filterMenu()->applyButton()->click();
    QCOMPARE(m_page->filterBar()->text(), QStringLiteral("reportx"));
    QCOMPARE(eventSentences(*m_page), QStringList{"tester deleted reportX1.txt."});
}

void LogPageTest::enterAppliesLikeFilter()
{
    openMenu(*m_page);
    LogFilterMenu* menu = m_page->filterMenu();
    menu->keywordEdit()->getLineEdit()->setText(QStringLiteral("s/"));
    menu->typeChoice()->setCurrentIndex(menu->typeChoice()->findData(5));
    menu->fromDate()->dateSelect(QDate::currentDate());
    QTest::keyClick(menu->keywordEdit()->getLineEdit(), Qt::Key_Return);
    QCOMPARE(m_page->filter().keyword, QStringLiteral("s/"));
    QCOMPARE(m_page->filter().type, std::vector<int>{5});
    QCOMPARE(m_page->filter().date_from, logDayStart(QDate::currentDate()));
    QCOMPARE(m_page->filter().date_to, 0);
    QCOMPARE(eventSentences(*m_page), QStringList{"tester created folder newdir."});
}

void LogPageTest::wholeDaysAcrossDaylightSaving_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<int>("hours");
    QTest::newRow("autumn, 25 hours") << kAutumnChange << 25;
    QTest::newRow("spring, 23 hours") << kSpringChange << 23;
}

void LogPageTest::wholeDaysAcrossDaylightSaving()
{
    QFETCH(QDate, day);
    QFETCH(int, hours);
    m_page->viewSelector()->setCurrentIndex(1);
    openMenu(*m_page);
    LogFilterMenu* menu = m_page->filterMenu();
    menu->fromDate()->dateSelect(day);
    menu->toDate()->dateSelect(day);
    menu->applyButton()->click();
    QCOMPARE(m_page->filter().date_to - m_page->filter().date_from, hours * 3600);
    // The last second of the day counts; the next midnight does not.
    const QString tag = day.toString(Qt::ISODate);
    QCOMPARE(transferNames(*m_page), (QStringList{tag + "-last", tag + "-first"}));

    // The menu opens again on the same days.
    menu->hide();
    menu->fromDate()->clearDate();
    openMenu(*m_page);
    QCOMPARE(menu->fromDate()->selectedDate(), day);
    QCOMPARE(menu->toDate()->selectedDate(), day);
}

void LogPageTest::resetDropsTheDateRange()
{
    m_page->viewSelector()->setCurrentIndex(1);
    openMenu(*m_page);
    LogFilterMenu* menu = m_page->filterMenu();
    menu->fromDate()->dateSelect(kAutumnChange);
    menu->toDate()->dateSelect(kAutumnChange);
    menu->typeChoice()->setCurrentIndex(1);
    menu->applyButton()->click();
    QCOMPARE(transferNames(*m_page).size(), 1);

    menu->resetButton()->click();
    QCOMPARE(m_page->filter().date_from, 0);
    QCOMPARE(m_page->filter().date_to, 0);
    QVERIFY(m_page->filter().type.empty());
    QVERIFY(m_page->filter().keyword.isEmpty());
    QCOMPARE(menu->typeChoice()->currentIndex(), 0);
    QCOMPARE(transferNames(*m_page).size(), 10);  // every upload and download
}

void LogPageTest::reopenedMenuShowsNoStaleDates()
{
    openMenu(*m_page);
    LogFilterMenu* menu = m_page->filterMenu();
    menu->fromDate()->dateSelect(kAutumnChange);
    menu->toDate()->dateSelect(kAutumnChange);
    menu->applyButton()->click();
    menu->hide();
    // The switch empties the filter; the panel must not bring the days back.
    m_page->viewSelector()->setCurrentIndex(1);
    QCOMPARE(m_page->filter().date_from, 0);
    openMenu(*m_page);
    QVERIFY(!menu->fromDate()->selectedDate().isValid());
    QVERIFY(!menu->toDate()->selectedDate().isValid());
    menu->applyButton()->click();
    QCOMPARE(m_page->filter().date_from, 0);
    QCOMPARE(m_page->filter().date_to, 0);
    QCOMPARE(transferNames(*m_page).size(), 10);
}

void LogPageTest::transferTypesPerView()
{
    m_page->viewSelector()->setCurrentIndex(1);
    QCOMPARE(m_page->stack()->currentWidget(), static_cast<QWidget*>(m_page->transferLogWidget()));
    LogFilterMenu* menu = m_page->filterMenu();
    QCOMPARE(comboTexts(menu->typeChoice()), (QStringList{"All Events", "Upload", "Download"}));
    // No type chosen: uploads and downloads only, the record keeps its empty list.
    QCOMPARE(transferNames(*m_page).size(), 10);
    QVERIFY(!transferNames(*m_page).contains(QStringLiteral("cancelled.bin")));
    QVERIFY(m_page->filter().type.empty());
    vexotest::saveScreenshot(m_page, QStringLiteral("log_page_transfers"));

    openMenu(*m_page);
    menu->typeChoice()->setCurrentIndex(1);
    menu->applyButton()->click();
    QCOMPARE(m_page->filter().type, std::vector<int>{6});
    const QStringList uploads = transferNames(*m_page);
    QCOMPARE(uploads.size(), 5);
    QVERIFY(uploads.contains(QStringLiteral("up.bin")));
}

void LogPageTest::viewSwitchAndReopenEmptyEverything()
{
    QTest::keyClicks(m_page->filterBar()->lineEdit(), QStringLiteral("bin"));
    openMenu(*m_page);
    LogFilterMenu* menu = m_page->filterMenu();
    menu->fromDate()->dateSelect(QDate::currentDate());
    menu->typeChoice()->setCurrentIndex(menu->typeChoice()->findData(7));
    menu->applyButton()->click();
    menu->hide();
    QVERIFY(!m_page->filter().type.empty());

    m_page->viewSelector()->setCurrentIndex(1);
    QVERIFY(m_page->filter().keyword.isEmpty());
    QCOMPARE(m_page->filter().date_from, 0);
    QVERIFY(m_page->filter().type.empty());
    QVERIFY(m_page->filterBar()->text().isEmpty());
    QCOMPARE(menu->typeChoice()->currentIndex(), 0);
    QCOMPARE(m_page->transferLogWidget()->pagingModel()->nowPage(), 1);

    QTest::keyClicks(m_page->filterBar()->lineEdit(), QStringLiteral("up"));
    m_page->hide();
    m_page->show();
    QCOMPARE(m_page->viewSelector()->currentIndex(), 0);
    QVERIFY(m_page->filter().keyword.isEmpty());
    QVERIFY(m_page->filterBar()->text().isEmpty());
    QCOMPARE(comboTexts(menu->typeChoice()).size(), 8);
    QCOMPARE(eventSentences(*m_page).size(), 17);
}

void LogPageTest::escapeHides()
{
    m_page->activateWindow();
    QTest::keyClick(m_page, Qt::Key_Escape);
    QVERIFY(!m_page->isVisible());
}

void LogPageTest::cleanupTestCase()
{
    // Every style sheet and image the window asked for is shipped.
    QCOMPARE(vexotest::missingNames(), QStringList());
    delete m_page;
    delete m_db;
}

QTEST_MAIN(LogPageTest)
#include "log_page_test.moc"
