// End to end on the computer's own files: a pane over a temporary folder
// (the stand-in pane lists through LocalSiteHelper and applies renames and
// new folders with it, as the workers do), F2 and F3 typed into the details
// view change the folder on disk and the view shows the result.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "event-manager.h"
#include "image_manager.h"
#include "local-site-helper.h"
#include "site-context-menu.h"
#include "site-detail-widget.h"
#include "site-path.h"
#include "site-table-widget.h"
#include "siteview_test_pane.h"
#include "ui_path_manager.h"
#include "vexo-line-editor.h"
#include "vexoqelt_test_support.h"

class SiteViewLocalTest : public QObject {
    Q_OBJECT

    struct LocalPane : TestPane {
        LocalPane() : TestPane(0), helper(nullptr)
        {
            connect(&hub, &SiteConnecter::sigQueryPath, &hub, [this](QString path, bool) { list(path); });
            connect(&hub, &SiteConnecter::sigRenameDone, &hub, [this](QString name) {
                const QString parent = pathPart(last_selection.parent);
                const QString from = combinePath(parent, last_selection.children.first().name);
                const int rc = rename_rc = helper.rename(from.toStdString(), combinePath(parent, name).toStdString());
                if (rc == 0)
                    emit hub.sigUpdateItem(last_selection.parent, last_selection.children.first().name, name);
                list(data.m_current_path);
            });
            connect(&hub, &SiteConnecter::sigMkdirDone, &hub, [this](QString name) {
                Event e;
                e.type = EV_MKDIR;
                e.peer_id = 0;
                e.parent = pathPart(data.m_current_path).toStdString();
                e.names = {name.toStdString()};
                const uint32_t id = EventManager::getInstance()->pushEvent(e);
                emit hub.sigAssignEventId(id);
                mkdir_rc = helper.mkdir(combinePath(pathPart(data.m_current_path), name).toStdString());
                emit hub.sigRemoveItemWithEventId(id);
                list(data.m_current_path);
                if (mkdir_rc == 0)
                    emit hub.sigFocusTableItem(name);
            });
        }
        static QString pathPart(const QString& id_path)
        {
            QString id, path;
            splitIdPath(id_path, id, path);
            return path;
        }
        void list(const QString& id_path)
        {
            bool is_dir = false;
            SiteFileList entries;
            if (helper.listNode(pathPart(id_path).toStdString(), is_dir, entries) == 0)
                deliver(id_path, entries);
        }
        LocalSiteHelper helper;
        int mkdir_rc = 0;
        int rename_rc = 0;
    };

    static int rowOf(SiteTableWidget* table, const QString& name)
    {
        for (int row = 0; row < table->rowCount(); ++row)
            if (!table->isRowHidden(row) && table->recordOfRow(row).getName() == name)
                return row;
        return -1;
    }

private slots:
    void initTestCase()
    {
        vexotest::initLibrary(1.0);
        UIPathManager::getInstance()->setPath(QStringLiteral("resource_path"), QStringLiteral(QM_RESOURCE_SOURCE_DIR));
        QCOMPARE(ImageManager::getInstance()->initialize(0), 0);
    }

    void renameAndCreateOnDisk()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("a.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("abc");
        file.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("docs")));

        LocalPane pane;
        SiteContextMenu menu;
        SiteDetailWidget detail(&pane.hub, &pane.data, &menu);
        detail.resize(800, 400);
        detail.show();
        QVERIFY(QTest::qWaitForWindowExposed(&detail));
        const QString folder = QStringLiteral("0:") + dir.path();
        emit pane.hub.sigCurrentPathChanged(folder);
        SiteTableWidget* table = detail.tableView();
        QTRY_VERIFY(rowOf(table, QStringLiteral("a.txt")) >= 0);

        // F2 on a.txt, typed b.txt, Enter.
        const int row = rowOf(table, QStringLiteral("a.txt"));
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        emit pane.hub.sigStartRename();
        QVERIFY(table->editor()->isVisible());
        table->editor()->selectAll();
        QTest::keyClicks(table->editor(), QStringLiteral("b.txt"));
        QTest::keyClick(table->editor(), Qt::Key_Return);
        QVERIFY2(QFile::exists(dir.filePath(QStringLiteral("b.txt"))), qPrintable(QDir(dir.path()).entryList().join(",")));
        QVERIFY2(!QFile::exists(dir.filePath(QStringLiteral("a.txt"))), qPrintable(QDir(dir.path()).entryList().join(",") + " rc " + QString::number(pane.rename_rc)));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("a.txt"))));
        QTRY_VERIFY(rowOf(table, QStringLiteral("b.txt")) >= 0);
        QCOMPARE(rowOf(table, QStringLiteral("a.txt")), -1);

        // F3, typed "made", Enter: on disk, shown and current.
        emit pane.hub.sigStartMkdir();
        table->editor()->selectAll();
        QTest::keyClicks(table->editor(), QStringLiteral("made"));
        QTest::keyClick(table->editor(), Qt::Key_Return);
        QCOMPARE(pane.mkdir_rc, 0);
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("made"))).isDir());
        QTRY_VERIFY(rowOf(table, QStringLiteral("made")) >= 0);
        QTRY_COMPARE(table->currentRow(), rowOf(table, QStringLiteral("made")));
        // No row stands for the pending folder any more.
        QCOMPARE(rowOf(table, QStringLiteral("New Folder")), -1);

        // F3 with the name of an existing folder: the failure takes only the
        // pending row; the listed folder stays.
        emit pane.hub.sigStartMkdir();
        table->editor()->selectAll();
        QTest::keyClicks(table->editor(), QStringLiteral("docs"));
        QTest::keyClick(table->editor(), Qt::Key_Return);
        QTRY_VERIFY(rowOf(table, QStringLiteral("docs")) >= 0);
        vexotest::saveScreenshot(&detail, QStringLiteral("siteview_local_after_edits"));
    }
};

QTEST_MAIN(SiteViewLocalTest)
#include "siteview_local_test.moc"
