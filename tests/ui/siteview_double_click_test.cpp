// A real double-click on an entry of the details view and of the icon view
// reports it to the pane (which opens a folder): on the empty part of the
// viewport, on the widgets drawn over a row, and through the window as the
// windowing system delivers it, with the drag controller watching the viewport.
// QTest::mouseDClick on a widget sends the double-click event alone; an item
// view takes one without a press on the same row for a press, so the widget
// cases click first, as the mouse would.
#include <QSignalSpy>
#include <QWindow>
#include <QtTest>

#include "image_manager.h"
#include "site-list-widget.h"
#include "site-table-widget.h"
#include "site-view-names.h"
#include "siteview_test_pane.h"
#include "ui_path_manager.h"
#include "vexoqelt_test_support.h"

namespace {

enum class View { Details, Icons };
// Where the clicks go: the viewport itself, the deepest widget under the
// pointer (a cell's label, a tile), or the window, which finds that widget
// and turns the second press into a double-click as a real mouse does.
enum class Target { Viewport, WidgetUnderPointer, Window };

}  // namespace
Q_DECLARE_METATYPE(View)
Q_DECLARE_METATYPE(Target)

class SiteViewDoubleClickTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        vexotest::initLibrary(1.0);
        UIPathManager::getInstance()->setPath(QStringLiteral("resource_path"), QStringLiteral(QM_RESOURCE_SOURCE_DIR));
        QCOMPARE(ImageManager::getInstance()->initialize(0), 0);
    }

    void doubleClickReportsTheEntry_data()
    {
        QTest::addColumn<View>("view");
        QTest::addColumn<Target>("target");
        QTest::addColumn<bool>("selectedFirst");  // a selected row is one the drag controller may drag
        for (const auto& [name, view] : {std::pair{"details", View::Details}, std::pair{"icons", View::Icons}}) {
            for (const bool selected : {false, true}) {
                const QByteArray tail = selected ? " selected" : "";
                QTest::newRow(QByteArray(name) + " viewport" + tail) << view << Target::Viewport << selected;
                QTest::newRow(QByteArray(name) + " widget under pointer" + tail) << view << Target::WidgetUnderPointer << selected;
                QTest::newRow(QByteArray(name) + " window" + tail) << view << Target::Window << selected;
            }
        }
    }
    void doubleClickReportsTheEntry()
    {
        QFETCH(View, view);
        QFETCH(Target, target);
        QFETCH(bool, selectedFirst);
        TestPane pane(0);
        pane.data.m_current_path = QStringLiteral("0:/home");
        pane.data.m_filtered_files[pane.data.m_current_path] = {fileEntry(QStringLiteral("a.txt"), 5), fileEntry(QStringLiteral("docs"), 0, true)};
        const int row = 1;

        SiteTableWidget* table = nullptr;
        SiteListWidget* list = nullptr;
        QAbstractItemView* items = nullptr;
        if (view == View::Details)
            items = table = new SiteTableWidget(&pane.hub, &pane.data);
        else
            items = list = new SiteListWidget(&pane.hub, &pane.data);
        QScopedPointer<QAbstractItemView> owner(items);
        items->resize(600, 300);
        items->show();
        QVERIFY(QTest::qWaitForWindowExposed(items));
        emit pane.hub.sigRefreshDetailView();
        QTRY_VERIFY_WITH_TIMEOUT(table ? !table->isDrawing() : !list->isDrawing(), 60000);
        if (selectedFirst)
            items->selectionModel()->select(items->model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

        // The name cell's middle, or the tile's: where a user aims.
        const QPoint pos = items->visualRect(items->model()->index(row, 0)).center();
        QWidget* under = items->viewport()->childAt(pos);
        if (target == Target::WidgetUnderPointer)
            QVERIFY2(under, "no widget drawn over the row");

        QSignalSpy opened(&pane.hub, &SiteConnecter::sigItemDoubleClicked);
        switch (target) {
        case Target::Viewport:
            QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, pos);  // the press a double-click follows
            QTest::mouseDClick(items->viewport(), Qt::LeftButton, {}, pos);
            break;
        case Target::WidgetUnderPointer: {
            const QPoint local = under->mapFrom(items->viewport(), pos);
            QTest::mouseClick(under, Qt::LeftButton, {}, local);
            QTest::mouseDClick(under, Qt::LeftButton, {}, local);
            break;
        }
        case Target::Window:
            QTest::mouseDClick(items->windowHandle(), Qt::LeftButton, {}, items->viewport()->mapTo(items, pos));
            break;
        }
        QCOMPARE(opened.count(), 1);
        const SiteItemInfo record = opened.at(0).at(0).value<SiteItemInfo>();
        QCOMPARE(record.getName(), QStringLiteral("docs"));
        QVERIFY(record.isDir());
    }
};

QTEST_MAIN(SiteViewDoubleClickTest)
#include "siteview_double_click_test.moc"
