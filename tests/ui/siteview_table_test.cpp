// The details view over a stand-in pane: top level, cells, the row pool and
// its selection, time slices on a stepped clock, header clicks, column
// widths, cut marks and the marks of pending operations.
#include <QGraphicsOpacityEffect>
#include <QHeaderView>
#include <QLabel>
#include <QTextDocument>
#include <QSignalSpy>
#include <QtTest>

#include "event-manager.h"
#include "image_manager.h"
#include "site-table-cells.h"
#include "site-table-widget.h"
#include "site-view-names.h"
#include "siteview_test_pane.h"
#include "ui_path_manager.h"
#include "vexoqelt_test_support.h"


class SiteViewTableTest : public QObject {
    Q_OBJECT

    // Puts the page under the current path and draws it to the end.
    void draw(TestPane& pane, SiteTableWidget& table, const SiteFileList& page)
    {
        pane.data.m_filtered_files[pane.data.m_current_path] = page;
        emit pane.hub.sigRefreshDetailView();
        QTRY_VERIFY_WITH_TIMEOUT(!table.isDrawing(), 60000);
    }

    void selectRows(SiteTableWidget& table, const QList<int>& rows)
    {
        table.clearSelection();
        for (int row : rows)
            table.selectionModel()->select(table.model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

private slots:
    void initTestCase()
    {
        vexotest::initLibrary(1.0);
        UIPathManager::getInstance()->setPath(QStringLiteral("resource_path"), QStringLiteral(QM_RESOURCE_SOURCE_DIR));
        QCOMPARE(ImageManager::getInstance()->initialize(0), 0);
    }
    void cleanup()
    {
        siteviews::setSliceClock(nullptr);
        g_step = 0;
    }
    void cleanupTestCase() { QVERIFY2(vexotest::missingNames().isEmpty(), qPrintable(vexotest::missingNames().join(","))); }

    void topLevel()
    {
        TestPane pane(17, QStringLiteral("Photo site"));
        SiteTableWidget table(&pane.hub, &pane.data);
        table.resize(700, 300);
        table.show();
        draw(pane, table, {rootEntry(QStringLiteral("17")), rootEntry(QStringLiteral("0"))});
        QCOMPARE(table.nameCell(0)->getInfo().name, QStringLiteral("Photo site"));
        QCOMPARE(table.nameCell(1)->getInfo().name, QStringLiteral("My Computer"));
        for (int row = 0; row < 2; ++row)
            for (int c = COL_SIZE; c < COL_MAX; ++c)
                QVERIFY(table.textCell(row, c)->text().isEmpty());
        QCOMPARE(table.recordOfRow(0).getName(), QStringLiteral("17"));
        QCOMPARE(table.recordOfRow(1).getName(), QStringLiteral("0"));
        QVERIFY(table.recordOfRow(1).isRoot());
        // A new site name redraws the top level.
        pane.data.m_site_name = QStringLiteral("Renamed");
        emit pane.hub.sigChangeSiteName();
        QTRY_COMPARE(table.nameCell(0)->getInfo().name, QStringLiteral("Renamed"));
        vexotest::saveScreenshot(&table, QStringLiteral("siteview_table_top"));
    }

    void cells_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qulonglong>("size");
        QTest::addColumn<bool>("dir");
        QTest::addColumn<QString>("sizeText");
        QTest::addColumn<int>("tipLines");
        QTest::newRow("empty file") << "zero.bin" << 0ULL << false << "0 B" << 3;
        QTest::newRow("one byte") << "one.txt" << 1ULL << false << "1 B" << 3;
        QTest::newRow("1023 bytes") << "a.txt" << 1023ULL << false << "0.999 KB" << 3;
        QTest::newRow("folder") << "docs" << 4096ULL << true << "" << 2;
        QTest::newRow("spaces") << "  two  spaces .txt" << 10ULL << false << "10 B" << 3;
        QTest::newRow("non-ASCII") << QString::fromUtf8("résumé 文件.pdf") << 10ULL << false << "10 B" << 3;
        QTest::newRow("markup") << "<b>bold</b>.<font size=7>x" << 5ULL << false << "5 B" << 3;
        QTest::newRow("300 chars") << QString(296, QLatin1Char('n')) + ".txt" << 5ULL << false << "5 B" << 3;
    }
    void cells()
    {
        QFETCH(QString, name);
        QFETCH(qulonglong, size);
        QFETCH(bool, dir);
        QFETCH(QString, sizeText);
        QFETCH(int, tipLines);
        TestPane pane(0);
        pane.data.m_current_path = QStringLiteral("0:/tmp");
        SiteTableWidget table(&pane.hub, &pane.data);
        table.resize(600, 200);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        draw(pane, table, {fileEntry(name, size, dir)});
        SiteTableIconWidget* cell = table.nameCell(0);
        QCOMPARE(cell->getInfo().name, name);
        QCOMPARE(table.recordOfRow(0).getName(), name);
        QCOMPARE(table.textCell(0, COL_SIZE)->text(), sizeText);
        QCOMPARE(table.textCell(0, COL_TYPE)->text(), cell->getType());
        QVERIFY(!table.textCell(0, COL_MTIME)->text().isEmpty());
        // Every label shows plain text: markup is never interpreted.
        for (QLabel* label : table.findChildren<QLabel*>())
            if (!label->text().isEmpty())
                QCOMPARE(label->textFormat(), Qt::PlainText);
        // The tool tip holds the whole name, exactly as typed, and its lines.
        const QString tip_text = siteEntryToolTipText(cell->getInfo());
        QVERIFY(tip_text.startsWith(QStringLiteral("File Name: ") + name));
        QCOMPARE(tip_text.split(QLatin1Char('\n')).size(), tipLines);
        QTextDocument doc;
        doc.setHtml(cell->toolTip());
        QCOMPARE(doc.toPlainText().split(QChar(0x2029)).join(QLatin1Char('\n')).replace(QChar(0x2028), QLatin1Char('\n')).replace(QChar(0xA0), QLatin1Char(' ')),
                 tip_text);
        if (name.size() > 200) {
            QVERIFY(cell->shownText().contains(QChar(0x2026)));
            QVERIFY(cell->shownText().startsWith(QLatin1Char('n')));
            QVERIFY(cell->shownText().endsWith(QStringLiteral(".txt")));
        } else if (name.size() < 20) {
            QTRY_COMPARE(cell->shownText(), name);
        }
        vexotest::saveScreenshot(&table, QStringLiteral("siteview_table_cell_") + QString(QTest::currentDataTag()).replace(' ', '_'));
    }

    void rowPoolAndSelection()
    {
        TestPane pane(0);
        pane.data.m_current_path = QStringLiteral("0:/tmp");
        SiteTableWidget table(&pane.hub, &pane.data);
        table.show();
        draw(pane, table, numbered(5));
        QCOMPARE(table.rowCount(), 5);
        selectRows(table, {1, 4});
        QCOMPARE(pane.last_selection.children.size(), 2);
        // The same page again keeps the selection.
        draw(pane, table, numbered(5));
        QCOMPARE(table.selectionModel()->selectedRows().size(), 2);
        // A shorter page hides rows, keeps the count and deselects the hidden
        // one; the pane hears the new selection without it.
        draw(pane, table, numbered(3));
        QCOMPARE(table.rowCount(), 5);
        QVERIFY(table.isRowHidden(3) && table.isRowHidden(4));
        QCOMPARE(table.item(4, 0)->flags(), Qt::NoItemFlags);
        QCOMPARE(table.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(pane.last_selection.children.size(), 1);
        QCOMPARE(pane.last_selection.children.first().name, QStringLiteral("f1"));
        QCOMPARE(table.recordCount(), 3);
        // Select all never reaches the hidden rows.
        table.selectAll();
        QCOMPARE(pane.last_selection.children.size(), 3);
        for (const NodeInfo& node : pane.last_selection.children)
            QVERIFY(!node.name.isEmpty());
        // A page whose rows show other names clears the selection once.
        QSignalSpy reports(&table, &SiteTableWidget::sigSelectionChanged);
        draw(pane, table, numbered(3, QStringLiteral("g")));
        QVERIFY(table.selectionModel()->selectedRows().isEmpty());
        QVERIFY(reports.count() >= 1);
        QVERIFY(pane.last_selection.children.isEmpty());
        // An empty page hides every row and keeps no record.
        draw(pane, table, {});
        QCOMPARE(table.recordCount(), 0);
        for (int row = 0; row < table.rowCount(); ++row)
            QVERIFY(table.isRowHidden(row));
    }

    // Cell widgets exist for the rows in sight only; rows scrolled into
    // sight take pooled widgets with their own entry, cut look included.
    void cellsOnlyInSight()
    {
        TestPane pane(0);
        pane.data.m_current_path = QStringLiteral("0:/big");
        SiteTableWidget table(&pane.hub, &pane.data);
        table.resize(700, 300);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        draw(pane, table, numbered(1000));
        const int in_sight = table.viewport()->height() / table.rowHeight(0) + 2;
        auto cellCount = [&] { return table.viewport()->findChildren<SiteTableIconWidget*>().size(); };
        QVERIFY2(cellCount() <= in_sight, qPrintable(QString::number(cellCount())));
        QCOMPARE(table.nameCell(0)->getInfo().name, QStringLiteral("f0"));
        QVERIFY(table.nameCell(999) == nullptr);
        QCOMPARE(table.recordOfRow(999).getName(), QStringLiteral("f999"));
        // A drop-target highlight stays with its row, not with pooled cells.
        table.nameCell(0)->setStyleSheet(QStringLiteral("QWidget { background-color: #E6F5FF; }"));
        // A cut of the first and last rows: the last is dimmed once in sight.
        selectRows(table, {0, 999});
        UserActionCache::getInstance()->keepCopyInfo(true);
        emit pane.hub.sigUpdateCutStatus();
        table.scrollToBottom();
        SiteTableIconWidget* last = table.nameCell(999);
        QVERIFY(last);
        QCOMPARE(last->getInfo().name, QStringLiteral("f999"));
        QCOMPARE(table.textCell(999, COL_SIZE)->text(), QStringLiteral("999 B"));
        QCOMPARE(last->geometry(), table.visualRect(table.model()->index(999, COL_NAME)));
        auto* effect = qobject_cast<QGraphicsOpacityEffect*>(last->graphicsEffect());
        QVERIFY(effect && effect->opacity() == 0.5);
        QVERIFY(table.nameCell(0) == nullptr);
        QVERIFY(cellCount() <= in_sight);
        for (SiteTableIconWidget* cell : table.viewport()->findChildren<SiteTableIconWidget*>())
            QVERIFY(cell->styleSheet().isEmpty());
        // A row in sight that shows another row's widgets now is not dimmed.
        table.scrollToTop();
        QVERIFY(table.nameCell(1));
        effect = qobject_cast<QGraphicsOpacityEffect*>(table.nameCell(1)->graphicsEffect());
        QVERIFY(!effect || effect->opacity() == 1.0);
        vexotest::saveScreenshot(&table, QStringLiteral("siteview_table_in_sight"));
        UserActionCache::getInstance()->keepCopyInfo(false);
        // A redraw of a shorter page frees the widgets of hidden rows.
        table.scrollToBottom();
        draw(pane, table, numbered(3));
        QVERIFY(table.nameCell(999) == nullptr);
        QCOMPARE(table.nameCell(2)->getInfo().name, QStringLiteral("f2"));
    }

    void slices()
    {
        TestPane pane(0);
        pane.data.m_current_path = QStringLiteral("0:/tmp");
        SiteTableWidget table(&pane.hub, &pane.data);
        table.show();
        siteviews::setSliceClock(&steppedClock);
        g_step = 30;  // each reading advances 30 ms: two rows per slice
        pane.data.m_filtered_files[pane.data.m_current_path] = numbered(7);
        emit pane.hub.sigRefreshDetailView();
        QVERIFY(table.isDrawing());
        QVERIFY(table.recordCount() < 7);
        // A focus for a row not drawn yet makes nothing current.
        emit pane.hub.sigFocusTableItem(QStringLiteral("f6"));
        QVERIFY(table.currentItem() == nullptr || table.currentRow() != 6);
        // A redraw started while a slice is pending: every entry once.
        emit pane.hub.sigRefreshDetailView();
        QTRY_VERIFY_WITH_TIMEOUT(!table.isDrawing(), 60000);
        QCOMPARE(table.rowCount(), 7);
        QCOMPARE(table.recordCount(), 7);
        QStringList names;
        for (int row = 0; row < table.rowCount(); ++row)
            names << table.recordOfRow(row).getName();
        QCOMPARE(names.size(), 7);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 7);
        // A clock far ahead still draws one row per slice and finishes.
        g_step = 1000;
        draw(pane, table, numbered(4, QStringLiteral("h")));
        QCOMPARE(table.recordOfRow(3).getName(), QStringLiteral("h3"));
    }

    void headerClicks()
    {
        TestPane pane(0);
        pane.data.m_current_path = QStringLiteral("0:/tmp");
        SiteTableWidget table(&pane.hub, &pane.data);
        table.resize(700, 300);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QSignalSpy sorts(&pane.hub, &SiteConnecter::sigSortInfoChanged);
        auto click = [&](int column) {
            QHeaderView* header = table.horizontalHeader();
            const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        };
        click(COL_SIZE);
        QCOMPARE(pane.data.m_filter.sort_column, 1);
        QVERIFY(pane.data.m_filter.sort_asc);
        click(COL_SIZE);
        QVERIFY(!pane.data.m_filter.sort_asc);
        click(COL_TYPE);
        QCOMPARE(pane.data.m_filter.sort_column, 2);
        QVERIFY(pane.data.m_filter.sort_asc);
        QCOMPARE(sorts.count(), 3);
    }

    void columnWidths()
    {
        TestPane pane(0);
        SiteTableWidget table(&pane.hub, &pane.data);
        table.resize(700, 300);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        const int w0 = table.columnWidth(0);
        QCOMPARE(w0 + 100 + 100 + 160, table.width());
        table.resize(740, 300);
        QTRY_COMPARE(table.columnWidth(0), w0 + 40);
        table.resize(700, 300);
        QTRY_COMPARE(table.columnWidth(0), w0);
        table.resize(700, 400);
        QCOMPARE(table.columnWidth(0), w0);
        QCOMPARE(table.columnWidth(3), 160);
    }

    void doubleClickReportsRecord()
    {
        TestPane pane(0);
        pane.data.m_current_path = QStringLiteral("0:/tmp");
        SiteTableWidget table(&pane.hub, &pane.data);
        table.show();
        draw(pane, table, {fileEntry(QStringLiteral("docs"), 0, true)});
        QSignalSpy clicks(&pane.hub, &SiteConnecter::sigItemDoubleClicked);
        emit table.cellDoubleClicked(0, COL_MTIME);
        emit table.cellDoubleClicked(0, COL_NAME);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(clicks.at(0).at(0).value<SiteItemInfo>().getName(), QStringLiteral("docs"));
        QVERIFY(clicks.at(0).at(0).value<SiteItemInfo>().isDir());
    }

    void eventMarks()
    {
        TestPane pane(0);
        pane.data.m_current_path = QStringLiteral("0:/tmp");
        SiteTableWidget table(&pane.hub, &pane.data);
        table.show();
        draw(pane, table, {fileEntry("a", 1), fileEntry("b", 1), fileEntry("c", 1), fileEntry("b", 2)});
        auto push = [](EventType type, const std::string& parent, std::list<std::string> names) {
            Event e;
            e.type = type;
            e.peer_id = 0;
            e.parent = parent;
            e.names = names;
            return EventManager::getInstance()->pushEvent(e);
        };
        const uint32_t other = push(EV_REMOVE, "/elsewhere", {"a"});
        emit pane.hub.sigAssignEventId(other);
        for (int row = 0; row < 4; ++row)
            QCOMPARE(table.recordOfRow(row).getEventId(), 0u);
        emit pane.hub.sigAssignEventId(987654);  // unknown: nothing
        const uint32_t remove = push(EV_REMOVE, "/tmp", {"a", "b"});
        emit pane.hub.sigAssignEventId(remove);
        QCOMPARE(table.recordOfRow(0).getEventId(), remove);
        QCOMPARE(table.recordOfRow(1).getEventId(), remove);
        QCOMPARE(table.recordOfRow(3).getEventId(), remove);
        QCOMPARE(table.recordOfRow(2).getEventId(), 0u);
        // Rename of a name two rows share: only the first changes.
        emit pane.hub.sigUpdateItem(QStringLiteral("0:/tmp"), QStringLiteral("b"), QStringLiteral("B"));
        QCOMPARE(table.recordOfRow(1).getName(), QStringLiteral("B"));
        QCOMPARE(table.nameCell(1)->getInfo().name, QStringLiteral("B"));
        QCOMPARE(table.recordOfRow(3).getName(), QStringLiteral("b"));
        emit pane.hub.sigUpdateItem(QStringLiteral("0:/other"), QStringLiteral("c"), QStringLiteral("C"));
        QCOMPARE(table.recordOfRow(2).getName(), QStringLiteral("c"));
        // Adjacent marked rows all go, and their records with them.
        emit pane.hub.sigRemoveItemWithEventId(remove);
        QCOMPARE(table.rowCount(), 1);
        QCOMPARE(table.recordCount(), 1);
        QCOMPARE(table.recordOfRow(0).getName(), QStringLiteral("c"));
        // A fresh drawing drops marks; the later clear finds nothing.
        const uint32_t rm_c = push(EV_REMOVE, "/tmp", {"c"});
        emit pane.hub.sigAssignEventId(rm_c);
        draw(pane, table, {fileEntry("c", 1)});
        QCOMPARE(table.recordOfRow(0).getEventId(), 0u);
        emit pane.hub.sigClearItemEventId(rm_c);
        QCOMPARE(table.recordOfRow(0).getEventId(), 0u);
    }

    void cutMarks()
    {
        TestPane pane(0);
        pane.data.m_current_path = QStringLiteral("0:/cut");
        SiteTableWidget table(&pane.hub, &pane.data);
        table.show();
        draw(pane, table, numbered(3));
        selectRows(table, {0, 2});
        UserActionCache::getInstance()->keepCopyInfo(true);
        emit pane.hub.sigUpdateCutStatus();
        auto opacity = [&](int row) {
            auto* effect = qobject_cast<QGraphicsOpacityEffect*>(table.nameCell(row)->graphicsEffect());
            return effect ? effect->opacity() : 1.0;
        };
        QCOMPARE(opacity(0), 0.5);
        QCOMPARE(opacity(1), 1.0);
        QCOMPARE(opacity(2), 0.5);
        selectRows(table, {1});
        UserActionCache::getInstance()->keepCopyInfo(false);
        emit pane.hub.sigUpdateCutStatus();
        QCOMPARE(opacity(0), 1.0);
        QCOMPARE(opacity(2), 1.0);
    }
};

QTEST_MAIN(SiteViewTableTest)
#include "siteview_table_test.moc"
