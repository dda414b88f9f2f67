// The icon view over a stand-in pane: tiles of every kind of entry, the
// row pool with its spare row and its selection, tiles only in sight, time
// slices on a stepped clock, cut and event marks, and in-place rename and
// new folder with the wrapping editor.
#include <QApplication>
#include <QClipboard>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QSignalSpy>
#include <QTextDocument>
#include <QtTest>

#include "event-manager.h"
#include "image_manager.h"
#include "site-list-icon-widget.h"
#include "site-list-widget.h"
#include "site-table-cells.h"
#include "site-view-names.h"
#include "siteview_test_pane.h"
#include "ui_path_manager.h"
#include "vexo-text-editor.h"
#include "vexoqelt_test_support.h"

namespace {

uint32_t pushEvent(EventType type, const std::string& parent, std::list<std::string> names)
{
    Event e;
    e.type = type;
    e.peer_id = 0;
    e.parent = parent;
    e.names = std::move(names);
    return EventManager::getInstance()->pushEvent(e);
}

double opacityOf(QWidget* widget)
{
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(widget->graphicsEffect());
    return effect ? effect->opacity() : 1.0;
}
}  // namespace

class SiteViewListTest : public QObject {
    Q_OBJECT

    struct Fixture {
        explicit Fixture(const QString& path = QStringLiteral("0:/icons")) : pane(0, QStringLiteral("Photo site")), list(&pane.hub, &pane.data)
        {
            pane.data.m_current_path = path;
            list.resize(500, 300);
            list.show();
            const bool exposed = QTest::qWaitForWindowExposed(&list);
            Q_UNUSED(exposed);
            list.activateWindow();
        }
        void draw(const SiteFileList& page)
        {
            pane.data.m_filtered_files[pane.data.m_current_path] = page;
            emit pane.hub.sigRefreshDetailView();
            QTRY_VERIFY_WITH_TIMEOUT(!list.isDrawing(), 60000);
        }
        void select(const QList<int>& rows)
        {
            list.clearSelection();
            for (int row : rows)
                list.selectionModel()->select(list.model()->index(row, 0), QItemSelectionModel::Select);
        }
        TestPane pane;
        SiteListWidget list;
    };

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

    // A name wider than the tile takes a second line before it is cut; a
    // break at a space or a dot is preferred to one inside a word.
    void tileNamesUseTwoLines_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("first");
        QTest::addColumn<bool>("elided");
        QTest::newRow("fits") << "a.txt" << "a.txt" << false;
        QTest::newRow("at a space") << "Quarterly report.pdf" << "Quarterly " << false;
        QTest::newRow("in a word") << "Abcdefghijklmnopq" << QString() << false;
        QTest::newRow("too long") << QString(300, QLatin1Char('n')) << QString() << true;
        QTest::newRow("wide letters") << QString::fromUtf8("写真アルバム二〇二六年夏休み旅行記録") << QString() << true;
    }
    void tileNamesUseTwoLines()
    {
        QFETCH(QString, name);
        QFETCH(QString, first);
        QFETCH(bool, elided);
        QFont font;
        font.setPixelSize(12);
        const QFontMetrics metrics(font);
        const int width = 76;
        const QString text = tileNameLines(name, metrics, width);
        const QStringList lines = text.split(QLatin1Char('\n'));
        QVERIFY(lines.size() <= 2);
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(line));
        if (!first.isEmpty())
            QCOMPARE(lines.first(), first);
        QCOMPARE(text.endsWith(QChar(0x2026)), elided);
        if (!elided)
            QCOMPARE(QString(text).remove(QLatin1Char('\n')), name);
        // The first line is used to the full before a word is split.
        if (lines.size() == 2 && first.isEmpty())
            QVERIFY(metrics.horizontalAdvance(lines.first() + lines.last().at(0)) > width);
    }

    void tiles_data()
    {
        QTest::addColumn<SiteFileInfo>("entry");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("tipLines");  // 0: the bare name
        QTest::newRow("computer") << rootEntry(QStringLiteral("0")) << "My Computer" << 0;
        QTest::newRow("site") << rootEntry(QStringLiteral("17")) << "Photo site" << 0;
        QTest::newRow("empty file") << fileEntry(QStringLiteral("zero"), 0) << "zero" << 3;
        QTest::newRow("1023 bytes") << fileEntry(QStringLiteral("k"), 1023) << "k" << 3;
        QTest::newRow("folder") << fileEntry(QStringLiteral("docs"), 0, true) << "docs" << 2;
        QTest::newRow("markup") << fileEntry(QStringLiteral("<b>x</b>.<font size=7>y"), 1) << "<b>x</b>.<font size=7>y" << 3;
        QTest::newRow("non-ASCII") << fileEntry(QString::fromUtf8("文件"), 1) << QString::fromUtf8("文件") << 3;
        QTest::newRow("300 chars") << fileEntry(QString(300, QLatin1Char('n')), 1) << QString(300, QLatin1Char('n')) << 3;
    }
    void tiles()
    {
        QFETCH(SiteFileInfo, entry);
        QFETCH(QString, shown);
        QFETCH(int, tipLines);
        Fixture f(entry.is_root ? QString() : QStringLiteral("0:/icons"));
        f.draw({entry});
        SiteListIconWidget* tile = f.list.tileOfRow(0);
        QVERIFY(tile);
        QCOMPARE(tile->getInfo().name, shown);
        QCOMPARE(tile->size(), QSize(kTileWidth, kTileHeight));
        QCOMPARE(tile->pos(), f.list.visualItemRect(f.list.item(0)).topLeft());
        // The record keeps the listed name ("0", the peer id).
        QCOMPARE(f.list.recordOfRow(0).getName(), entry.name);
        QCOMPARE(f.list.recordOfRow(0).isRoot(), entry.is_root);
        for (QLabel* label : tile->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                QCOMPARE(label->textFormat(), Qt::PlainText);
        if (shown.size() > 100)
            QVERIFY(tile->shownText().endsWith(QChar(0x2026)));
        else if (shown.size() < 5)
            QCOMPARE(tile->shownText(), shown);
        // The tip shows exactly the typed lines, whole name included.
        QTextDocument doc;
        doc.setHtml(tile->toolTip());
        const QString tip = doc.toPlainText().replace(QChar(0x2029), QLatin1Char('\n')).replace(QChar(0x2028), QLatin1Char('\n')).replace(QChar(0xA0), QLatin1Char(' '));
        if (tipLines == 0) {
            QCOMPARE(tip, shown);
        } else {
            QCOMPARE(tip, siteEntryToolTipText(tile->getInfo()));
            QCOMPARE(tip.split(QLatin1Char('\n')).size(), tipLines);
            QVERIFY(tip.startsWith(QStringLiteral("File Name: ") + shown + (tipLines > 1 ? "\n" : "")));
        }
        // A double-click reports the record.
        QSignalSpy clicks(&f.pane.hub, &SiteConnecter::sigItemDoubleClicked);
        const QPoint centre = f.list.visualItemRect(f.list.item(0)).center();
        QTest::mouseClick(f.list.viewport(), Qt::LeftButton, {}, centre);  // the press a double-click follows
        QTest::mouseDClick(f.list.viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(0).value<SiteItemInfo>().getName(), entry.name);
        vexotest::saveScreenshot(&f.list, QStringLiteral("siteview_list_tile_") + QString(QTest::currentDataTag()).replace(' ', '_'));
    }

    void siteNameChange()
    {
        Fixture f{QString()};
        f.draw({rootEntry(QStringLiteral("17")), rootEntry(QStringLiteral("0"))});
        f.pane.data.m_site_name = QStringLiteral("Renamed");
        emit f.pane.hub.sigChangeSiteName();
        QCOMPARE(f.list.tileOfRow(0)->getInfo().name, QStringLiteral("Renamed"));
        // Elsewhere a new site name changes nothing.
        Fixture g;
        g.draw({fileEntry(QStringLiteral("17"), 1)});
        g.pane.data.m_site_name = QStringLiteral("Other");
        emit g.pane.hub.sigChangeSiteName();
        QCOMPARE(g.list.tileOfRow(0)->getInfo().name, QStringLiteral("17"));
    }

    void rowPoolSpareRowAndSelection()
    {
        Fixture f;
        f.draw({});
        QCOMPARE(f.list.count(), 1);  // the spare row alone
        QVERIFY(f.list.item(0)->isHidden());
        f.draw(numbered(3));
        QCOMPARE(f.list.count(), 4);
        QVERIFY(f.list.item(3)->isHidden());
        QCOMPARE(f.list.recordCount(), 3);
        // Ctrl+A never reaches the spare row: no child with an empty name.
        f.list.setFocus();
        QTest::keyClick(&f.list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(f.pane.last_selection.children.size(), 3);
        for (const NodeInfo& node : f.pane.last_selection.children)
            QVERIFY(!node.name.isEmpty());
        // The same names again keep the selection.
        f.select({0, 2});
        f.draw(numbered(3));
        QCOMPARE(f.list.selectionModel()->selectedRows().size(), 2);
        // A shorter page hides and deselects, and the pane hears it.
        f.draw(numbered(2));
        QCOMPARE(f.list.count(), 4);
        QVERIFY(!f.list.item(1)->isHidden() && f.list.item(2)->isHidden() && f.list.item(3)->isHidden());
        QCOMPARE(f.pane.last_selection.children.size(), 1);
        QCOMPARE(f.pane.last_selection.children.first().name, QStringLiteral("f0"));
        QVERIFY(f.list.tileOfRow(2) == nullptr);
        // Another name at a reused row clears the selection once.
        f.draw(numbered(2, QStringLiteral("g")));
        QVERIFY(f.list.selectionModel()->selectedRows().isEmpty());
        QVERIFY(f.pane.last_selection.children.isEmpty());
        QCOMPARE(f.list.tileOfRow(1)->getInfo().name, QStringLiteral("g1"));
    }

    void tilesOnlyInSight()
    {
        Fixture f(QStringLiteral("0:/big"));
        f.draw(numbered(1000));
        auto tiles = [&] {
            int shown = 0;
            for (SiteListIconWidget* tile : f.list.viewport()->findChildren<SiteListIconWidget*>())
                shown += tile->isVisible() ? 1 : 0;
            return shown;
        };
        const int in_sight = tiles();
        QVERIFY(in_sight > 0 && in_sight < 40);
        QVERIFY(f.list.viewport()->findChildren<SiteListIconWidget*>().size() < 40);
        QVERIFY(f.list.tileOfRow(999) == nullptr);
        QCOMPARE(f.list.recordOfRow(999).getName(), QStringLiteral("f999"));
        f.select({999});
        UserActionCache::getInstance()->keepCopyInfo(true);
        emit f.pane.hub.sigUpdateCutStatus();
        f.list.scrollToBottom();
        SiteListIconWidget* last = f.list.tileOfRow(999);
        QVERIFY(last);
        QCOMPARE(last->getInfo().name, QStringLiteral("f999"));
        QCOMPARE(last->pos(), f.list.visualItemRect(f.list.item(999)).topLeft());
        QCOMPARE(opacityOf(last), 0.5);
        QVERIFY(f.list.viewport()->findChildren<SiteListIconWidget*>().size() < 40);
        f.list.scrollToTop();
        QCOMPARE(opacityOf(f.list.tileOfRow(0)), 1.0);
        UserActionCache::getInstance()->keepCopyInfo(false);
        vexotest::saveScreenshot(&f.list, QStringLiteral("siteview_list_big"));
    }

    void slices()
    {
        Fixture f;
        siteviews::setSliceClock(&steppedClock);
        g_step = 30;  // two entries per slice
        f.pane.data.m_filtered_files[f.pane.data.m_current_path] = numbered(7);
        emit f.pane.hub.sigRefreshDetailView();
        QVERIFY(f.list.isDrawing());
        QVERIFY(f.list.recordCount() < 7);
        emit f.pane.hub.sigRefreshDetailView();  // while a slice is pending
        QTRY_VERIFY_WITH_TIMEOUT(!f.list.isDrawing(), 60000);
        QStringList names;
        for (int row = 0; row < 7; ++row)
            names << f.list.recordOfRow(row).getName();
        QCOMPARE(names, QStringList({"f0", "f1", "f2", "f3", "f4", "f5", "f6"}));
        QCOMPARE(f.list.count(), 8);
        g_step = 1000;  // a clock far ahead: one entry per slice, still done
        f.draw(numbered(3, QStringLiteral("h")));
        QCOMPARE(f.list.recordOfRow(2).getName(), QStringLiteral("h2"));
    }

    void cutAndEventMarks()
    {
        Fixture f;
        f.draw({fileEntry("a", 1), fileEntry("b", 1), fileEntry("c", 1), fileEntry("b", 2)});
        f.select({0, 2});
        UserActionCache::getInstance()->keepCopyInfo(true);
        emit f.pane.hub.sigUpdateCutStatus();
        QCOMPARE(opacityOf(f.list.tileOfRow(0)), 0.5);
        QCOMPARE(opacityOf(f.list.tileOfRow(1)), 1.0);
        QCOMPARE(opacityOf(f.list.tileOfRow(2)), 0.5);
        f.select({1});
        UserActionCache::getInstance()->keepCopyInfo(false);
        emit f.pane.hub.sigUpdateCutStatus();
        QCOMPARE(opacityOf(f.list.tileOfRow(0)), 1.0);
        QCOMPARE(opacityOf(f.list.tileOfRow(2)), 1.0);

        emit f.pane.hub.sigAssignEventId(pushEvent(EV_REMOVE, "/elsewhere", {"a"}));
        emit f.pane.hub.sigAssignEventId(987654);
        for (int row = 0; row < 4; ++row)
            QCOMPARE(f.list.recordOfRow(row).getEventId(), 0u);
        const uint32_t remove = pushEvent(EV_REMOVE, "/icons", {"a", "b"});
        emit f.pane.hub.sigAssignEventId(remove);
        QCOMPARE(f.list.recordOfRow(0).getEventId(), remove);
        QCOMPARE(f.list.recordOfRow(1).getEventId(), remove);
        QCOMPARE(f.list.recordOfRow(2).getEventId(), 0u);
        QCOMPARE(f.list.recordOfRow(3).getEventId(), remove);
        // A rename of a name two rows share changes the first only, with
        // signals unblocked afterwards, also for a name no row carries.
        emit f.pane.hub.sigUpdateItem(QStringLiteral("0:/icons"), QStringLiteral("b"), QStringLiteral("B"));
        QCOMPARE(f.list.tileOfRow(1)->getInfo().name, QStringLiteral("B"));
        QCOMPARE(f.list.recordOfRow(3).getName(), QStringLiteral("b"));
        emit f.pane.hub.sigUpdateItem(QStringLiteral("0:/icons"), QStringLiteral("zz"), QStringLiteral("y"));
        emit f.pane.hub.sigUpdateItem(QStringLiteral("0:/other"), QStringLiteral("c"), QStringLiteral("C"));
        QVERIFY(!f.list.signalsBlocked());
        QCOMPARE(f.list.recordOfRow(2).getName(), QStringLiteral("c"));
        // Adjacent marked rows go with their records; the rest keep theirs.
        emit f.pane.hub.sigRemoveItemWithEventId(remove);
        QCOMPARE(f.list.recordCount(), 1);
        QCOMPARE(f.list.recordOfRow(0).getName(), QStringLiteral("c"));
        QCOMPARE(f.list.tileOfRow(0)->getInfo().name, QStringLiteral("c"));
        QCOMPARE(f.list.tileOfRow(0)->pos(), f.list.visualItemRect(f.list.item(0)).topLeft());
        emit f.pane.hub.sigFocusListItem(QStringLiteral("c"));
        QCOMPARE(f.list.currentRow(), 0);
    }

    void rename_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("sent");  // "" : nothing sent
        QTest::newRow("Esc") << "other" << int(Qt::Key_Escape) << "";
        QTest::newRow("Enter unchanged") << "" << int(Qt::Key_Enter) << "";
        QTest::newRow("new name") << "gamma" << int(Qt::Key_Return) << "gamma";
        QTest::newRow("blank") << "   " << int(Qt::Key_Return) << "";
        QTest::newRow("dot dot") << ".." << int(Qt::Key_Return) << "";
        QTest::newRow("slash typed") << "ab/c" << int(Qt::Key_Return) << "abc";
        QTest::newRow("backslash typed") << "d\\e" << int(Qt::Key_Return) << "de";
    }
    void rename()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, sent);
        Fixture f;
        f.draw({fileEntry(QStringLiteral("alpha"), 1), fileEntry(QStringLiteral("beta"), 1)});
        // Current row 0, selection row 1: the selected row is edited.
        f.list.setCurrentRow(0, QItemSelectionModel::NoUpdate);
        f.select({1});
        QSignalSpy blocks(GlobalConnecter::getInstance(), &GlobalConnecter::sigBlockKeyPress);
        QSignalSpy renames(&f.pane.hub, &SiteConnecter::sigRenameDone);
        emit f.pane.hub.sigStartRename();
        VexoTextEditor* editor = f.list.editor();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("beta"));
        QCOMPARE(editor->pos(), f.list.tileOfRow(1)->pos() + QPoint(0, 72));
        QCOMPARE(blocks.count(), 1);
        if (!typed.isEmpty()) {
            editor->selectAll();
            QTest::keyClicks(editor, typed);
        }
        QTest::keyClick(editor, Qt::Key(key));
        QVERIFY(!editor->isVisible());
        QCOMPARE(blocks.count(), 2);
        QVERIFY(!blocks.at(1).at(0).toBool());
        QCOMPARE(renames.count(), sent.isEmpty() ? 0 : 1);
        if (!sent.isEmpty())
            QCOMPARE(renames.at(0).at(0).toString(), sent);
        QCOMPARE(f.list.recordOfRow(1).getName(), QStringLiteral("beta"));
    }

    void editorPasteTabSizesAndClick()
    {
        Fixture f;
        f.draw({fileEntry(QStringLiteral("alpha"), 1), fileEntry(QStringLiteral("beta"), 1)});
        f.select({0});
        QSignalSpy renames(&f.pane.hub, &SiteConnecter::sigRenameDone);
        emit f.pane.hub.sigStartRename();
        VexoTextEditor* editor = f.list.editor();
        QCOMPARE(editor->width(), 80);
        // One line: the document's height plus one, at least 24.
        const int one_line = editor->height();
        QVERIFY(one_line >= 24 && one_line < 48);
        QApplication::clipboard()->setText(QStringLiteral("x/y\\z\nw"));
        editor->selectAll();
        editor->paste();
        QCOMPARE(editor->text(), QStringLiteral("xyzw"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("xyzw"));
        // Long names wrap: the editor grows by lines, up to 120.
        editor->selectAll();
        QTest::keyClicks(editor, QString(30, QLatin1Char('w')));
        QVERIFY(editor->height() > one_line);
        QTest::keyClicks(editor, QString(400, QLatin1Char('w')));
        QCOMPARE(editor->height(), 120);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("ren"));
        QCOMPARE(editor->height(), one_line);
        // A click on another tile commits and selects it.
        QTest::mouseClick(f.list.viewport(), Qt::LeftButton, {}, f.list.visualItemRect(f.list.item(1)).center());
        QCOMPARE(renames.count(), 1);
        QCOMPARE(renames.at(0).at(0).toString(), QStringLiteral("ren"));
        QVERIFY(!editor->isVisible());
        QCOMPARE(f.pane.last_selection.children.size(), 1);
        QCOMPARE(f.pane.last_selection.children.front().name, QStringLiteral("beta"));
    }

    void newFolder()
    {
        Fixture f;
        f.draw({fileEntry(QStringLiteral("a"), 1), fileEntry(QStringLiteral("New Folder"), 0, true)});
        const int rows = f.list.count();  // two entries and the spare row
        f.select({0});
        emit f.pane.hub.sigStartMkdir();
        QCOMPARE(f.list.count(), rows + 1);
        QCOMPARE(f.list.tileOfRow(rows)->getInfo().name, QStringLiteral("New Folder"));
        QVERIFY(f.list.tileOfRow(rows)->getInfo().is_dir);
        QCOMPARE(f.list.editor()->text(), QStringLiteral("New Folder"));
        vexotest::saveScreenshot(&f.list, QStringLiteral("siteview_list_new_folder"));
        QTest::keyClick(f.list.editor(), Qt::Key_Escape);
        QCOMPARE(f.list.count(), rows);
        QCOMPARE(f.list.recordCount(), 2);
        // A blank name does the same.
        f.select({0});
        emit f.pane.hub.sigStartMkdir();
        f.list.editor()->selectAll();
        QTest::keyClicks(f.list.editor(), QStringLiteral("  "));
        QTest::keyClick(f.list.editor(), Qt::Key_Return);
        QCOMPARE(f.list.count(), rows);
        // The unchanged proposal is sent; its failed event takes only the
        // pending item, not the listed folder of that name.
        f.select({0});
        QSignalSpy mkdirs(&f.pane.hub, &SiteConnecter::sigMkdirDone);
        emit f.pane.hub.sigStartMkdir();
        QTest::keyClick(f.list.editor(), Qt::Key_Return);
        QCOMPARE(mkdirs.count(), 1);
        QCOMPARE(mkdirs.at(0).at(0).toString(), QStringLiteral("New Folder"));
        const uint32_t id = pushEvent(EV_MKDIR, "/icons", {"New Folder"});
        emit f.pane.hub.sigAssignEventId(id);
        QCOMPARE(f.list.recordOfRow(1).getEventId(), 0u);
        QCOMPARE(f.list.recordOfRow(rows).getEventId(), id);
        emit f.pane.hub.sigRemoveItemWithEventId(id);
        QCOMPARE(f.list.count(), rows);
        QCOMPARE(f.list.recordOfRow(1).getName(), QStringLiteral("New Folder"));
        QCOMPARE(f.list.recordCount(), 2);
        // Another view's selection: nothing starts here.
        SiteSelectedInfo tree;
        tree.view_mode = VM_TREE;
        tree.parent = QStringLiteral("0:/icons");
        UserActionCache::getInstance()->updateSelectedInfo(0, tree);
        emit f.pane.hub.sigStartMkdir();
        emit f.pane.hub.sigStartRename();
        QVERIFY(!f.list.editor()->isVisible());
        QCOMPARE(f.list.count(), rows);
    }
};

QTEST_MAIN(SiteViewListTest)
#include "siteview_list_test.moc"
