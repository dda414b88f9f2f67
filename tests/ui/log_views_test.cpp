// The two log views over a real log database: paging, reloads with fewer
// rows, failed queries, pages past the end and the transfer log's cells.
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QTableWidget>
#include <QtTest>

#include "log-db.h"
#include "log_test_db.h"
#include "misc-log-widget.h"
#include "tool_tip.h"
#include "transfer-log-widget.h"
#include "vexo_paging_bar.h"
#include "vexo_table_widget.h"
#include "vexoqelt_test_support.h"

using namespace logtest;

namespace {

QString footer(VexoPagingBar* bar)
{
    const QList<QLabel*> labels = bar->footerLabels();
    return labels.isEmpty() ? QString() : labels.first()->text();
}

QString sentence(MiscLogWidget& view, int row)
{
    QLabel* label = qobject_cast<QLabel*>(view.table()->getTable()->cellWidget(row, 1));
    return label ? plainText(label->text()) : QString();
}

// The labels still alive in the table, after pending deletions ran.
int liveLabels(QTableWidget* table)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return table->viewport()->findChildren<QLabel*>().size();
}

}  // namespace

class LogViewsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void eventLogPagesOverManyRows();
    void failedQueryKeepsWhatIsShown();
    void pagePastTheEndPullsBack();
    void transferLogDefaultTypes();
    void transferLogCells();
    void emptyResult();
    void hostileRowShowsLiterally();
    void exactMultipleOfThePageHasNoEmptyLastPage();
    void cleanupTestCase() { delete m_db; }

private:
    TestLogDb* m_db = nullptr;
};

void LogViewsTest::initTestCase()
{
    vexotest::initLibrary();
    m_db = new TestLogDb();
    QVERIFY(m_db->isOpen());
    QVERIFY(addRemovals(2500));
    // The transfers write general rows too, of types 6 to 13.
    const uint64_t now_ms = static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch());
    for (int type : {6, 7, 8, 9, 12, 13})
        QVERIFY(addTransfer(makeTransfer(type, "/share/t" + std::to_string(type), "C:/in/t", now_ms)));
}

void LogViewsTest::eventLogPagesOverManyRows()
{
    LogFilter filter;
    filter.type = {4};
    MiscLogWidget view(&filter);
    view.resize(900, 600);
    QTableWidget* table = view.table()->getTable();
    QCOMPARE(table->rowCount(), 0);  // construction runs no query

    view.reset();
    QCOMPARE(table->rowCount(), 1000);
    QCOMPARE(footer(view.pagingBar()), QStringLiteral("2500 item(s)"));
    QCOMPARE(view.pagingBar()->itemCount(), 2500);
    QCOMPARE(sentence(view, 0), QStringLiteral("tester deleted item-2499."));
    QCOMPARE(sentence(view, 999), QStringLiteral("tester deleted item-1500."));
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("192.0.2.7"));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"))
                .match(table->item(0, 2)->text())
                .hasMatch());
    QLabel* first_label = qobject_cast<QLabel*>(table->cellWidget(0, 1));
    QVERIFY(first_label);
    QCOMPARE(first_label->textFormat(), Qt::RichText);
    QCOMPARE(first_label->toolTip(), getHtmlEscapedStringForToolTip(QStringLiteral("/share/item-2499")));
    vexotest::saveScreenshot(&view, QStringLiteral("log_event_view"));

    // Offset 1000 and 2000, limit 1000, through the bar as a user pages.
    view.pagingBar()->pageButton(2)->click();
    QCOMPARE(view.pagingModel()->nowPage(), 2);
    QCOMPARE(table->rowCount(), 1000);
    QCOMPARE(sentence(view, 0), QStringLiteral("tester deleted item-1499."));
    QCOMPARE(table->cellWidget(0, 1), first_label);  // labels are reused
    view.pagingBar()->pageButton(3)->click();
    QCOMPARE(table->rowCount(), 500);
    QCOMPARE(sentence(view, 0), QStringLiteral("tester deleted item-499."));
    QCOMPARE(sentence(view, 499), QStringLiteral("tester deleted item-0."));
    QCOMPARE(liveLabels(table), 500);
    QCOMPARE(footer(view.pagingBar()), QStringLiteral("2500 item(s)"));

    view.reset();
    QCOMPARE(view.pagingModel()->nowPage(), 1);
    QCOMPARE(sentence(view, 0), QStringLiteral("tester deleted item-2499."));

    // A reload with fewer rows: item-24, item-240..249, item-2400..2499.
    filter.keyword = QStringLiteral("item-24");
    view.reset();
    QCOMPARE(table->rowCount(), 111);
    QCOMPARE(footer(view.pagingBar()), QStringLiteral("111 item(s)"));
    QCOMPARE(liveLabels(table), 111);
    QCOMPARE(sentence(view, 110), QStringLiteral("tester deleted item-24."));
}

void LogViewsTest::failedQueryKeepsWhatIsShown()
{
    LogFilter filter;
    filter.type = {4};
    filter.keyword = QStringLiteral("item-1");
    MiscLogWidget view(&filter);
    view.reset();
    const int rows = view.table()->getTable()->rowCount();
    const QString shown_footer = footer(view.pagingBar());
    const QString first = sentence(view, 0);
    QVERIFY(rows > 0);

    m_db->close();
    filter.keyword = QStringLiteral("item-2");
    view.reset();
    QCOMPARE(view.table()->getTable()->rowCount(), rows);
    QCOMPARE(footer(view.pagingBar()), shown_footer);
    QCOMPARE(sentence(view, 0), first);

    TransferLogWidget transfers(&filter);
    filter.keyword.clear();
    filter.type.clear();
    QVERIFY(m_db->reopen());
    transfers.reset();
    QCOMPARE(transfers.table()->getTable()->rowCount(), 2);
    m_db->close();
    transfers.reset();
    QCOMPARE(transfers.table()->getTable()->rowCount(), 2);
    QCOMPARE(footer(transfers.pagingBar()), QStringLiteral("2 item(s)"));
    QVERIFY(m_db->reopen());
}

void LogViewsTest::pagePastTheEndPullsBack()
{
    // Page 3 was chosen; then the rows behind it went away (here: a narrower
    // filter read without a reset, as a trim by row count leaves it).
    LogFilter filter;
    filter.type = {4};
    MiscLogWidget view(&filter);
    view.reset();
    view.pagingBar()->pageButton(3)->click();
    QCOMPARE(view.pagingModel()->nowPage(), 3);

    filter.keyword = QStringLiteral("item-1");  // 1 + 10 + 100 + 1000 rows
    view.slotRefresh();
    QCOMPARE(view.pagingModel()->nowPage(), 2);
    QCOMPARE(view.table()->getTable()->rowCount(), 111);
    QCOMPARE(footer(view.pagingBar()), QStringLiteral("1111 item(s)"));
    QCOMPARE(sentence(view, 110), QStringLiteral("tester deleted item-1."));

    TransferLogWidget transfers(&filter);
    filter.keyword.clear();
    filter.type.clear();
    transfers.pagingModel()->setNowPage(4);
    transfers.slotRefresh();
    QCOMPARE(transfers.pagingModel()->nowPage(), 1);
    QCOMPARE(transfers.table()->getTable()->rowCount(), 2);
}

void LogViewsTest::transferLogDefaultTypes()
{
    LogFilter filter;
    TransferLogWidget view(&filter);
    view.reset();
    QTableWidget* table = view.table()->getTable();
    QCOMPARE(table->rowCount(), 2);
    QVERIFY(filter.type.empty());  // only the query's copy got 6 and 7
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("Download"));
    QCOMPARE(table->item(1, 3)->text(), QStringLiteral("Upload"));

    filter.type = {9};
    view.reset();
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("Download"));
    QCOMPARE(filter.type, std::vector<int>{9});
    filter.type = {8, 12};
    view.reset();
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("Upload"));
    QCOMPARE(table->item(1, 3)->text(), QStringLiteral("Upload"));
    vexotest::saveScreenshot(&view, QStringLiteral("log_transfer_view"));
}

void LogViewsTest::transferLogCells()
{
    const uint64_t end_ms = 1500000000999ULL;
    TransferLog record = makeTransfer(9, "C:/a/b.txt", "", end_ms);
    record.start_time = 1500000000000ULL - 2000;
    record.elapsed_time = 1999;
    record.avg_speed = 0;
    record.file_name = "b.txt";
    QVERIFY(addTransfer(record));

    LogFilter filter;
    filter.type = {9};
    filter.keyword = QStringLiteral("C:/a/b.txt");
    TransferLogWidget view(&filter);
    view.reset();
    QTableWidget* table = view.table()->getTable();
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("192.0.2.8"));
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("tester"));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("b.txt"));
    QCOMPARE(table->item(0, 2)->toolTip(), getHtmlEscapedStringForToolTip(QStringLiteral("C:/a/b.txt -> ")));
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("Download"));
    // Milliseconds are dropped, not rounded.
    const QString end = QDateTime::fromSecsSinceEpoch(1500000000).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    const QString start = QDateTime::fromSecsSinceEpoch(1499999998).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QCOMPARE(table->item(0, 4)->text(), start);
    QCOMPARE(table->item(0, 5)->text(), end);
    QCOMPARE(table->item(0, 6)->text(), QStringLiteral("00:00:01"));
    QCOMPARE(table->item(0, 7)->text(), QStringLiteral("0 B/s"));
    QCOMPARE(footer(view.pagingBar()), QStringLiteral("1 item(s)"));
}

void LogViewsTest::emptyResult()
{
    LogFilter filter;
    filter.keyword = QStringLiteral("no such row anywhere");
    MiscLogWidget view(&filter);
    view.reset();
    QCOMPARE(view.table()->getTable()->rowCount(), 0);
    QCOMPARE(view.pagingBar()->itemCount(), 0);
    QCOMPARE(footer(view.pagingBar()), QStringLiteral("0 item(s)"));
}

void LogViewsTest::hostileRowShowsLiterally()
{
    const std::string path = "/share/<img src=x>&amp;\"%2" + std::string(5000, 'z');
    QVERIFY(addMiscLog(5, "<b>x", path));
    LogFilter filter;
    filter.type = {5};
    MiscLogWidget view(&filter);
    view.reset();
    QCOMPARE(view.table()->getTable()->rowCount(), 1);
    auto* label = qobject_cast<QLabel*>(view.table()->getTable()->cellWidget(0, 1));
    QVERIFY(label);
    const QString name = QString::fromStdString(path).mid(7);
    QCOMPARE(plainText(label->text()), QStringLiteral("<b>x created folder ") + name + QLatin1Char('.'));
    QCOMPARE(label->toolTip(), getHtmlEscapedStringForToolTip(QString::fromStdString(path)));
    QVERIFY(!label->toolTip().contains(QStringLiteral("<img")));
    QVERIFY(!label->toolTip().contains(QStringLiteral("<b>x")));
}

// Last: the rows it adds would change the counts the others expect.
void LogViewsTest::exactMultipleOfThePageHasNoEmptyLastPage()
{
    for (int i = 0; i < 2 * BaseLogWidget::kPageSize; ++i)
        QVERIFY(addMiscLog(4, "pager", "/share/whole-" + std::to_string(i)));
    LogFilter filter;
    filter.type = {4};
    filter.keyword = QStringLiteral("whole-");
    MiscLogWidget view(&filter);
    view.reset();
    QTableWidget* table = view.table()->getTable();
    QCOMPARE(footer(view.pagingBar()), QStringLiteral("2000 item(s)"));
    QCOMPARE(view.pagingBar()->pageCount(), 2);
    view.pagingBar()->lastButton()->click();
    QCOMPARE(view.pagingModel()->nowPage(), 2);
    QCOMPARE(table->rowCount(), 1000);
    QCOMPARE(sentence(view, 999), QStringLiteral("pager deleted whole-0."));
    // A page past the end (chosen before a trim) comes back to the full last page.
    view.pagingModel()->setNowPage(3);
    view.slotRefresh();
    QCOMPARE(view.pagingModel()->nowPage(), 2);
    QCOMPARE(table->rowCount(), 1000);
    QCOMPARE(sentence(view, 0), QStringLiteral("pager deleted whole-999."));
}

QTEST_MAIN(LogViewsTest)
#include "log_views_test.moc"
