// In-place rename and new folder in the details view: Esc, Enter, blank and
// refused names, separators typed and pasted, Tab, a click elsewhere, the
// key block, editor sizes, the edited row after a Ctrl-click, and the marks
// of a new-folder event.
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QtTest>

#include "event-manager.h"
#include "image_manager.h"
#include "site-table-cells.h"
#include "site-table-widget.h"
#include "site-view-names.h"
#include "siteview_test_pane.h"
#include "ui_path_manager.h"
#include "vexo-line-editor.h"
#include "vexoqelt_test_support.h"

class SiteViewEditTest : public QObject {
    Q_OBJECT

    struct Fixture {
        Fixture() : pane(0), table(&pane.hub, &pane.data)
        {
            pane.data.m_current_path = QStringLiteral("0:/edit");
            table.resize(700, 300);
            table.show();
            const bool exposed = QTest::qWaitForWindowExposed(&table);
            Q_UNUSED(exposed);
            table.activateWindow();
            pane.data.m_filtered_files[pane.data.m_current_path] = {
                fileEntry(QStringLiteral("alpha.txt"), 3), fileEntry(QStringLiteral("beta"), 0, true),
                fileEntry(QStringLiteral("New Folder"), 0, true)};
            emit pane.hub.sigRefreshDetailView();
        }
        void selectRow(int row)
        {
            table.selectionModel()->select(table.model()->index(row, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        TestPane pane;
        SiteTableWidget table;
    };

private slots:
    void initTestCase()
    {
        vexotest::initLibrary(1.0);
        UIPathManager::getInstance()->setPath(QStringLiteral("resource_path"), QStringLiteral(QM_RESOURCE_SOURCE_DIR));
        QCOMPARE(ImageManager::getInstance()->initialize(0), 0);
    }

    void rename_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("sent");  // "" : nothing sent
        QTest::newRow("Esc") << "other" << int(Qt::Key_Escape) << "";
        QTest::newRow("Enter unchanged") << "" << int(Qt::Key_Enter) << "";
        QTest::newRow("Return new name") << "gamma.txt" << int(Qt::Key_Return) << "gamma.txt";
        QTest::newRow("blank") << "   " << int(Qt::Key_Return) << "";
        QTest::newRow("dot") << "." << int(Qt::Key_Return) << "";
        QTest::newRow("dot dot") << ".." << int(Qt::Key_Return) << "";
        QTest::newRow("slash typed") << "a/b" << int(Qt::Key_Return) << "ab";
        QTest::newRow("backslash typed") << "c\\d" << int(Qt::Key_Return) << "cd";
        QTest::newRow("markup") << "<i>x</i>" << int(Qt::Key_Return) << "<i>x<i>";
    }
    void rename()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, sent);
        Fixture f;
        f.selectRow(0);
        QSignalSpy blocks(GlobalConnecter::getInstance(), &GlobalConnecter::sigBlockKeyPress);
        QSignalSpy renames(&f.pane.hub, &SiteConnecter::sigRenameDone);
        emit f.pane.hub.sigStartRename();
        VexoLineEditor* editor = f.table.editor();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("alpha.txt"));
        QCOMPARE(blocks.count(), 1);
        QVERIFY(blocks.at(0).at(0).toBool());
        if (!typed.isEmpty()) {
            editor->selectAll();
            QTest::keyClicks(editor, typed);
        }
        QTest::keyClick(editor, Qt::Key(key));
        QVERIFY(!editor->isVisible());
        QCOMPARE(blocks.count(), 2);
        QVERIFY(!blocks.at(1).at(0).toBool());
        if (sent.isEmpty()) {
            QCOMPARE(renames.count(), 0);
        } else {
            QCOMPARE(renames.count(), 1);
            QCOMPARE(renames.at(0).at(0).toString(), sent);
        }
        QCOMPARE(f.table.recordOfRow(0).getName(), QStringLiteral("alpha.txt"));
    }

    void pasteTabAndSizes()
    {
        Fixture f;
        f.selectRow(0);
        emit f.pane.hub.sigStartRename();
        VexoLineEditor* editor = f.table.editor();
        QCOMPARE(editor->width(), 120);
        QCOMPARE(editor->height(), 27);
        QApplication::clipboard()->setText(QStringLiteral("x/y\\z"));
        editor->selectAll();
        editor->paste();
        QCOMPARE(editor->text(), QStringLiteral("xyz"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("xyz"));
        editor->setText(QString(200, QLatin1Char('w')));
        QCOMPARE(editor->width(), 300);
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!editor->isVisible());
    }

    void clickElsewhereCommitsAndSelects()
    {
        Fixture f;
        f.selectRow(0);
        QSignalSpy renames(&f.pane.hub, &SiteConnecter::sigRenameDone);
        emit f.pane.hub.sigStartRename();
        f.table.editor()->selectAll();
        QTest::keyClicks(f.table.editor(), QStringLiteral("renamed"));
        const QRect second = f.table.visualRect(f.table.model()->index(1, COL_SIZE));
        QTest::mouseClick(f.table.viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(renames.count(), 1);
        QCOMPARE(renames.at(0).at(0).toString(), QStringLiteral("renamed"));
        QVERIFY(!f.table.editor()->isVisible());
        QCOMPARE(f.pane.last_selection.children.size(), 1);
        QCOMPARE(f.pane.last_selection.children.first().name, QStringLiteral("beta"));
    }

    void editsTheSelectedRowNotTheCurrent()
    {
        Fixture f;
        // Current row 2, selection only row 1 (a Ctrl-click took row 2 out).
        f.table.setCurrentCell(2, 0, QItemSelectionModel::NoUpdate);
        f.selectRow(1);
        QCOMPARE(f.table.currentRow(), 2);
        emit f.pane.hub.sigStartRename();
        QCOMPARE(f.table.editor()->text(), QStringLiteral("beta"));
        QTest::keyClick(f.table.editor(), Qt::Key_Escape);
        // Two rows selected: no rename starts.
        f.table.selectAll();
        emit f.pane.hub.sigStartRename();
        QVERIFY(!f.table.editor()->isVisible());
    }

    void newFolder()
    {
        Fixture f;
        f.selectRow(0);
        const int rows = f.table.rowCount();
        // Esc takes the pending row away.
        emit f.pane.hub.sigStartMkdir();
        QCOMPARE(f.table.rowCount(), rows + 1);
        QCOMPARE(f.table.nameCell(rows)->getInfo().name, QStringLiteral("New Folder"));
        QVERIFY(f.table.textCell(rows, COL_SIZE)->text().isEmpty());
        QTest::keyClick(f.table.editor(), Qt::Key_Escape);
        QCOMPARE(f.table.rowCount(), rows);
        QCOMPARE(f.table.recordCount(), 3);
        // A blank name does the same.
        f.selectRow(0);
        emit f.pane.hub.sigStartMkdir();
        f.table.editor()->selectAll();
        QTest::keyClicks(f.table.editor(), QStringLiteral("  "));
        QTest::keyClick(f.table.editor(), Qt::Key_Return);
        QCOMPARE(f.table.rowCount(), rows);
        // Enter on the unchanged proposal asks for "New Folder", which the
        // folder already holds: the failed event must take only the pending row.
        f.selectRow(0);
        QSignalSpy mkdirs(&f.pane.hub, &SiteConnecter::sigMkdirDone);
        emit f.pane.hub.sigStartMkdir();
        QTest::keyClick(f.table.editor(), Qt::Key_Return);
        QCOMPARE(mkdirs.count(), 1);
        QCOMPARE(mkdirs.at(0).at(0).toString(), QStringLiteral("New Folder"));
        Event e;
        e.type = EV_MKDIR;
        e.peer_id = 0;
        e.parent = "/edit";
        e.names = {"New Folder"};
        const uint32_t id = EventManager::getInstance()->pushEvent(e);
        emit f.pane.hub.sigAssignEventId(id);
        QCOMPARE(f.table.recordOfRow(2).getEventId(), 0u);
        QCOMPARE(f.table.recordOfRow(rows).getEventId(), id);
        emit f.pane.hub.sigRemoveItemWithEventId(id);
        QCOMPARE(f.table.rowCount(), rows);
        QCOMPARE(f.table.recordOfRow(2).getName(), QStringLiteral("New Folder"));
        QCOMPARE(f.table.recordCount(), 3);
        vexotest::saveScreenshot(&f.table, QStringLiteral("siteview_edit_table"));
    }

    void otherViewsSelectionStartsNothing()
    {
        Fixture f;
        f.selectRow(0);
        SiteSelectedInfo tree;
        tree.view_mode = VM_TREE;
        tree.parent = QStringLiteral("0:/edit");
        UserActionCache::getInstance()->updateSelectedInfo(0, tree);
        emit f.pane.hub.sigStartRename();
        emit f.pane.hub.sigStartMkdir();
        QVERIFY(!f.table.editor()->isVisible());
        QCOMPARE(f.table.recordCount(), 3);
    }

    void acceptableNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("ok");
        QTest::newRow("plain") << "a" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("spaces") << " \t " << false;
        QTest::newRow(".") << "." << false;
        QTest::newRow("..") << ".." << false;
        QTest::newRow("...") << "..." << true;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("nul") << QString(QStringLiteral("a")) + QChar(0) << false;
    }
    void acceptableNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, ok);
        QCOMPARE(siteviews::isAcceptableNewName(name), ok);
    }
};

QTEST_MAIN(SiteViewEditTest)
#include "siteview_edit_test.moc"
