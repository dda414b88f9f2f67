// The library's plain widgets: tool-tip escaping, table column widths at
// several scales, the line edit's validator and error look, icon buttons'
// four pictures, the foot bar's order, the tree's row colours, scrolling and
// editor, and the help window's page and links.
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

#include "help_window.h"
#include "image_manager.h"
#include "tool_tip.h"
#include "ui_path_manager.h"
#include "vexo_button.h"
#include "vexo_check_box.h"
#include "vexo_combo_box.h"
#include "vexo_footbar.h"
#include "vexo_icon_button.h"
#include "vexo_line_edit.h"
#include "vexo_table_widget.h"
#include "vexo_tree_widget.h"
#include "vexoqelt_test_support.h"

namespace {

bool writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QPixmap solid(const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return pixmap;
}

}  // namespace

class WidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { vexotest::initLibrary(1.0); }
    void cleanupTestCase() { QCOMPARE(vexotest::missingNames(), QStringList()); }

    void toolTipEscaping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("ampersand") << "Tom & Jerry";
        QTest::newRow("entity lookalike") << "a&amp;b";
        QTest::newRow("bold tag") << "<b>bold</b>";
        QTest::newRow("image tag") << "<img src=\"http://x/y.png\">";
        QTest::newRow("quotes") << "\"double\" and 'single'";
        QTest::newRow("line break") << "first line\nsecond line";
        QTest::newRow("spaces") << "two  spaces";
        QTest::newRow("non-ascii") << QStringLiteral("Größe 日本語 файл");
        QTest::newRow("plain") << "report.pdf";
    }
    void toolTipEscaping()
    {
        QFETCH(QString, text);
        const QString tip = getHtmlEscapedStringForToolTip(text);
        QVERIFY(Qt::mightBeRichText(tip));  // else Qt shows "&amp;" literally
        QTextDocument doc;
        doc.setHtml(tip);
        QCOMPARE(doc.toPlainText(), text);
    }

    void tableWidths_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QList<int>>("base");
        QTest::newRow("scale 1") << 1.0 << QList<int>{133, 65, 54, 100, 150};
        QTest::newRow("scale 1.25") << 1.25 << QList<int>{166, 81, 67, 125, 187};
        QTest::newRow("scale 2") << 2.0 << QList<int>{266, 130, 108, 200, 300};
    }
    void tableWidths()
    {
        QFETCH(double, scale);
        QFETCH(QList<int>, base);
        vexotest::initLibrary(scale);
        VexoTableColumnsInfo columns;
        columns.addColumn(QStringLiteral("File Name"), 133, false, 0.0);
        columns.addColumn(QStringLiteral("Size"), 65, false, 0.0);
        columns.addColumn(QStringLiteral("UL/DL"), 54, true, 0.0);
        columns.addColumn(QStringLiteral("Local Path"), 100, true, 1.0);
        columns.addColumn(QStringLiteral("Remote Path"), 150, true, 3.0);
        VexoTableWidget table(columns);
        QTableWidget* inner = table.getTable();
        QCOMPARE(inner->columnCount(), 5);
        QCOMPARE(inner->horizontalHeaderItem(3)->text(), QStringLiteral("Local Path"));
        QCOMPARE(table.getHeader(), inner->horizontalHeader());
        QCOMPARE(inner->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(inner->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(inner->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(inner->verticalHeader()->isHidden());
        QCOMPARE(table.getHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QCOMPARE(table.getHeader()->sectionResizeMode(4), QHeaderView::Interactive);

        // Too narrow: every column keeps its scaled width.
        table.resize(200, 200);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(inner->columnWidth(i), base[i]);

        // Wide: the spare width goes 1:3 to the two sharing columns.
        table.resize(int(1200 * scale), 300);
        QTRY_COMPARE(inner->columnWidth(0), base[0]);
        const int spare = inner->viewport()->width() - (base[0] + base[1] + base[2] + base[3] + base[4]);
        QVERIFY(spare > 0);
        QCOMPARE(inner->columnWidth(1), base[1]);
        QCOMPARE(inner->columnWidth(2), base[2]);
        QCOMPARE(inner->columnWidth(3), base[3] + int(spare * 0.25));
        QCOMPARE(inner->columnWidth(3) + inner->columnWidth(4), base[3] + base[4] + spare);
        vexotest::initLibrary(1.0);
    }

    void lineEditValidatorAndError_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("port") << "3362" << true;
        QTest::newRow("letters") << "33a" << false;
        QTest::newRow("empty") << "" << false;
    }
    void lineEditValidatorAndError()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        VexoLineEdit edit;
        edit.getLineEdit()->setText(text);
        QVERIFY(edit.validate());  // no validator: always true
        edit.setValidator([](const QString& t) {
            bool ok = false;
            t.toInt(&ok);
            return ok;
        });
        QCOMPARE(edit.validate(), valid);
        QCOMPARE(edit.getEditText(), text);
        edit.getPreLabel()->setText(QStringLiteral("Port"));
        edit.getPostLabel()->hide();

        // The error look shows at once, without any other event.
        edit.resize(200, 30);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QLineEdit* inner = edit.getLineEdit();
        const QPoint inside = inner->rect().center() + QPoint(inner->width() / 3, 0);
        const QColor normal = inner->grab().toImage().pixelColor(inside);
        edit.setError(true);
        QCOMPARE(inner->property("error").toBool(), true);
        const QColor error = inner->grab().toImage().pixelColor(inside);
        QVERIFY2(error != normal, qPrintable(error.name()));
        edit.setError(false);
        QCOMPARE(inner->grab().toImage().pixelColor(inside), normal);
    }

    void iconButtonStates()
    {
        QTemporaryDir resources;
        QVERIFY(resources.isValid());
        QVERIFY(QDir(resources.path()).mkpath(QStringLiteral("images")));
        const struct { const char* file; QColor color; } images[] = {
            {"images/probe_icon.png", Qt::red},      {"images/probe_icon_hover.png", Qt::green},
            {"images/probe_icon_click.png", Qt::blue}, {"images/probe_icon_disable.png", Qt::gray},
            {"images/probe_plain.png", Qt::yellow}};
        for (const auto& image : images)
            QVERIFY(solid(image.color).save(resources.filePath(QString::fromLatin1(image.file))));
        UIPathManager::getInstance()->setPath(QStringLiteral("resource_path"), resources.path());
        QCOMPARE(ImageManager::getInstance()->initialize(0), 0);

        auto color_of = [](const QPixmap& p) { return p.toImage().pixelColor(2, 2); };
        VexoIconButton button("probe_icon");
        button.setFixedSize(32, 28);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QCOMPARE(color_of(button.currentPixmap()), QColor(Qt::red));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&button, &enter);
        QCOMPARE(color_of(button.currentPixmap()), QColor(Qt::green));
        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(color_of(button.currentPixmap()), QColor(Qt::blue));
        QSignalSpy clicked(&button, &VexoIconButton::clicked);
        QTest::mouseRelease(&button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(color_of(button.currentPixmap()), QColor(Qt::green));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&button, &leave);
        button.setDisabled(true);
        QCOMPARE(color_of(button.currentPixmap()), QColor(Qt::gray));
        button.setEnabled(true);
        QCOMPARE(color_of(button.currentPixmap()), QColor(Qt::red));

        // A picture with its own disabled picture, and a name without state images.
        VexoIconButton from_pixmap(solid(Qt::cyan));
        from_pixmap.setDisableIcon(solid(Qt::black));
        QCOMPARE(color_of(from_pixmap.currentPixmap()), QColor(Qt::cyan));
        from_pixmap.setDisabled(true);
        QCOMPARE(color_of(from_pixmap.currentPixmap()), QColor(Qt::black));
        VexoIconButton plain(QStringLiteral("probe_plain"));
        plain.setAllIcon(QStringLiteral("probe_plain"));
        QCOMPARE(color_of(plain.currentPixmap()), QColor(Qt::yellow));
        plain.setDefaultIcon(solid(Qt::magenta));
        QCOMPARE(color_of(plain.currentPixmap()), QColor(Qt::magenta));
        UIPathManager::getInstance()->setPath(QStringLiteral("resource_path"), QString());
    }

    void simpleWidgets()
    {
        VexoButton main_button(QStringLiteral("Filter"), 0);
        VexoButton second(QStringLiteral("Reset"), 1);
        QCOMPARE(main_button.buttonStyle(), 0);
        QCOMPARE(second.property("vexo_style").toInt(), 1);
        QVERIFY(main_button.styleSheet() != second.styleSheet());
        QSignalSpy clicked(&second, &VexoButton::clicked);
        QTest::mouseClick(&second, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);

        VexoCheckBox box(QStringLiteral("Enable"));
        QCOMPARE(box.text(), QStringLiteral("Enable"));
        VexoComboBox combo;
        QVERIFY(qobject_cast<QStyledItemDelegate*>(combo.view()->itemDelegate()));
    }

    void footbarKeepsPushOrder()
    {
        VexoFootbar bar;
        bar.setMargins(10, 5, 10, 5);
        auto* help = new QLabel(QStringLiteral("help"));
        auto* info = new QLabel(QStringLiteral("info"));
        auto* ok = new VexoButton(QStringLiteral("OK"), 0);
        auto* cancel = new VexoButton(QStringLiteral("Cancel"), 1);
        bar.pushLeftWidget(help);
        bar.pushRightWidget(ok);
        bar.pushLeftWidget(info);
        bar.pushRightWidget(cancel);
        bar.init();
        bar.resize(600, 40);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QCOMPARE(help->x(), 10);
        QVERIFY(help->x() < info->x());
        QVERIFY(info->geometry().right() < ok->x());
        QVERIFY(ok->x() < cancel->x());
        QCOMPARE(cancel->geometry().right(), 600 - 10 - 1);
    }

    void treeRowColoursAndScrolling()
    {
        VexoTreeWidget tree;
        const QColor selected("#2A588C");
        const QColor hover("#EDF5FF");
        tree.setBackgroundColor(selected, hover);
        QList<QTreeWidgetItem*> items;
        auto* root = new QTreeWidgetItem(&tree, {QStringLiteral("root")});
        QTreeWidgetItem* parent = root;
        for (int depth = 0; depth < 12; ++depth) {  // deep, so the text starts far right
            parent = new QTreeWidgetItem(parent, {QStringLiteral("level %1 with a long folder name").arg(depth)});
            for (int i = 0; i < 20; ++i)
                items << new QTreeWidgetItem(parent, {QStringLiteral("item %1.%2").arg(depth).arg(i)});
        }
        tree.expandAll();
        tree.resize(220, 160);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));

        QTreeWidgetItem* deep = items.last();
        tree.setCurrentItem(deep);
        tree.updateScrollArea(deep);
        const QRect rect = tree.visualItemRect(deep);
        QVERIFY(tree.viewport()->rect().intersects(rect));
        QVERIFY(rect.left() >= 0 && rect.left() < tree.viewport()->width());
        // The selected row is painted across the full width, branch area included.
        const QImage shot = tree.viewport()->grab().toImage();
        // (The style may shade its own selection by a step; the colour must be ours.)
        auto near = [](const QColor& a, const QColor& b) {
            return qAbs(a.red() - b.red()) <= 6 && qAbs(a.green() - b.green()) <= 6 && qAbs(a.blue() - b.blue()) <= 6;
        };
        QVERIFY2(near(shot.pixelColor(1, rect.center().y()), selected),
                 qPrintable(shot.pixelColor(1, rect.center().y()).name()));
        QVERIFY(near(shot.pixelColor(tree.viewport()->width() - 2, rect.center().y()), selected));
        // A row under the mouse gets the hover colour across the row.
        QTreeWidgetItem* other = tree.itemAbove(deep);
        const QRect other_rect = tree.visualItemRect(other);
        QTest::mouseMove(tree.viewport(), QPoint(tree.viewport()->width() - 5, other_rect.center().y()));
        QTRY_VERIFY(near(tree.viewport()->grab().toImage().pixelColor(1, other_rect.center().y()), hover));
    }

    void delegateEditorEndsWithHint_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("enter commits") << false;
        QTest::newRow("escape reverts") << true;
    }
    void delegateEditorEndsWithHint()
    {
        QFETCH(bool, escape);
        VexoTreeWidget tree;
        auto* delegate = new ItemDelegate(&tree);
        tree.setItemDelegate(delegate);
        auto* item = new QTreeWidgetItem(&tree, {QStringLiteral("old name")});
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        QList<QAbstractItemDelegate::EndEditHint> closed;
        connect(delegate, &QAbstractItemDelegate::closeEditor, this,
                [&closed](QWidget*, QAbstractItemDelegate::EndEditHint hint) { closed << hint; });
        tree.editItem(item, 0);
        auto* editor = tree.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QVERIFY(!editor->hasFrame());
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("new name"));
        QTest::keyClick(editor, escape ? Qt::Key_Escape : Qt::Key_Return);
        QTRY_COMPARE(closed.count(), 1);
        QCOMPARE(closed.first() == QAbstractItemDelegate::RevertModelCache, escape);
        QCOMPARE(item->text(0), escape ? QStringLiteral("old name") : QStringLiteral("new name"));
    }

    void helpWindow_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("expectedFolder");
        QTest::newRow("english") << "enu" << true << "enu";
        QTest::newRow("german falls back") << "deu" << true << "enu";
        QTest::newRow("own page") << "fra" << true << "fra";
        QTest::newRow("hostile language") << "../secret" << true << "enu";
        QTest::newRow("not installed") << "enu" << false << "";
    }
    void helpWindow()
    {
        QFETCH(QString, language);
        QFETCH(bool, installed);
        QFETCH(QString, expectedFolder);
        QTemporaryDir root;
        const QString help = root.filePath(QStringLiteral("help"));
        const QString page = QStringLiteral("zuzevazozuruvirezirederir.iraz");
        if (installed) {
            QVERIFY(writeFile(help + "/enu/" + page,
                              "<html><body><h1>Help</h1><a href=\"second.html\">more</a> "
                              "<a href=\"../../secret.html\">out</a> <a href=\"http://example.com/\">web</a>"
                              "</body></html>"));
            QVERIFY(writeFile(help + "/enu/second.html", "<html><body>Second page</body></html>"));
            QVERIFY(writeFile(help + "/fra/" + page, "<html><body>Aide</body></html>"));
            QVERIFY(writeFile(root.filePath(QStringLiteral("secret.html")), "<html><body>Secret</body></html>"));
            QVERIFY(writeFile(help + "/secret/" + page, "<html><body>Wrong</body></html>"));
        }
        HelpContext context{language, help, page, QStringLiteral("QuillmarFileManager"), QStringLiteral("1.0")};
        HelpWindow window(context, nullptr);
        if (!installed) {
            QVERIFY(window.currentFile().isEmpty());
            QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("not installed")));
            return;
        }
        QCOMPARE(QFileInfo(window.currentFile()).dir().dirName(), expectedFolder);
        if (expectedFolder != QLatin1String("enu"))
            return;
        QTextBrowser* browser = window.browser();
        emit browser->anchorClicked(QUrl(QStringLiteral("../../secret.html")));
        QCOMPARE(QFileInfo(window.currentFile()).fileName(), page);  // outside the help: ignored
        emit browser->anchorClicked(QUrl(QStringLiteral("http://example.com/")));
        QCOMPARE(QFileInfo(window.currentFile()).fileName(), page);
        emit browser->anchorClicked(QUrl(QStringLiteral("second.html")));
        QCOMPARE(QFileInfo(window.currentFile()).fileName(), QStringLiteral("second.html"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Second page")));
    }

    void shippedHelpFallsBackToEnglish()
    {
#ifdef QM_STAGE_RESOURCE_DIR
        const QString prefix = QStringLiteral(QM_STAGE_RESOURCE_DIR "/help");
        HelpContext context{QStringLiteral("deu"), prefix, QStringLiteral("zuzevazozuruvirezirederir.iraz"),
                            QStringLiteral("QuillmarFileManager"), QStringLiteral("1.0")};
        HelpWindow window(context, nullptr);
        QCOMPARE(QFileInfo(window.currentFile()).dir().dirName(), QStringLiteral("enu"));
        QVERIFY(!window.browser()->toPlainText().trimmed().isEmpty());
#else
        QSKIP("the program's resources are not part of this build");
#endif
    }
};

QTEST_MAIN(WidgetsTest)
#include "vexoqelt_widgets_test.moc"
