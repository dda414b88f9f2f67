// A user's session with the computer's own disks: qMain runs in this process
// on fresh folders (the home folder among them) against the test file
// server, and a script drives the real windows as a user does: My Computer,
// the home folder, a file selected by a click and seen selected, copied with
// Ctrl+C and pasted into a server folder with Ctrl+V, and a server file
// pasted back. A picture at each step goes to build/test-artifacts/session-local/.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "central-widget.h"
#include "connection-widget.h"
#include "global-connecter.h"
#include "login-widget.h"
#include "main-window.h"
#include "program-windows.h"
#include "program_script.h"
#include "session_support.h"
#include "sheet_responder.h"
#include "site-connecter.h"
#include "site-data.h"
#include "site-filter-menu.h"
#include "site-detail-widget.h"
#include "site-list-widget.h"
#include "site-table-cells.h"
#include "site-table-widget.h"
#include "site-tree-widget.h"
#include "site-widget.h"
#include "startup-main.h"
#include "str_table.h"
#include "user-action-cache.h"
#include "support/digest.h"
#include "support/temp_dir.h"
#include "vexo_button.h"
#include "vexo_filter_bar.h"
#include "vexo_combo_box.h"
#include "vexo_icon_button.h"
#include "vexo_line_edit.h"
#include "vexo_message_sheet.h"

namespace {

using session::answerCloseQuestion;
using session::typeInto;
using session::visibleWindow;

namespace fs = std::filesystem;

int g_argc = 0;
char** g_argv = nullptr;

// Each step needs well under a second; the margin is for loaded machines.
const int kWaitMs = 10000;

void screenshot(QWidget* widget, const QString& name)
{
    static int count = 0;
    const QString folder = QStringLiteral(QM_TEST_ARTIFACTS_DIR "/session-local");
    QDir().mkpath(folder);
    widget->window()->grab().save(
        QStringLiteral("%1/%2_%3.png").arg(folder).arg(++count, 2, 10, QLatin1Char('0')).arg(name));
}

int runProgram(std::function<void()> script)
{
    // The close question is agreed to.
    session::runWhenLoginShown(std::move(script), answerCloseQuestion);
    installProgramWindows();
    return qMain(g_argc, g_argv);
}

int rowNamed(SiteTableWidget* table, const QString& name)
{
    for (int row = 0; row < table->rowCount(); ++row)
        if (!table->isRowHidden(row) && table->recordOfRow(row).getName() == name)
            return row;
    return -1;
}

QPoint rowPoint(SiteTableWidget* table, int row)
{
    // Inside the name cell, right of the icon, so the click lands on the row.
    const QRect rect = table->visualRect(table->model()->index(row, 0));
    return table->viewport()->mapTo(table->window(), rect.center());
}

void clickRow(SiteTableWidget* table, int row, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(table->window()->windowHandle(), button, {}, rowPoint(table, row));
}

void openRow(SiteTableWidget* table, int row)
{
    QTest::mouseDClick(table->window()->windowHandle(), Qt::LeftButton, {}, rowPoint(table, row));
}

// Waits until the pane shows `id_path` with its rows drawn.
bool showing(SiteWidget* pane, const QString& id_path, const QString& row_name)
{
    SiteTableWidget* table = pane->detail()->tableView();
    return QTest::qWaitFor(
        [&] {
            return pane->data()->m_current_path == id_path && !table->isDrawing() && rowNamed(table, row_name) >= 0;
        },
        kWaitMs);
}

// The colour most of the rectangle's pixels have: a row's background, which
// its text and icon do not outweigh.
QRgb backgroundOf(const QImage& image, const QRect& rect)
{
    QHash<QRgb, int> counts;
    const QRect inside = rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    return best;
}

// The row's background in the details view as the screen shows it, in
// device pixels (the grab follows the display's scale).
QRgb rowBackground(SiteTableWidget* table, int row)
{
    const QPixmap picture = table->viewport()->grab();
    const qreal ratio = picture.devicePixelRatio();
    QRect rect = table->visualRect(table->model()->index(row, 0));
    rect.setRight(table->viewport()->width() - 1);
    const QRect device(QPoint(int(rect.left() * ratio), int(rect.top() * ratio)),
                       QPoint(int((rect.right() + 1) * ratio) - 1, int((rect.bottom() + 1) * ratio) - 1));
    return backgroundOf(picture.toImage(), device);
}

QRgb tileBackground(SiteListWidget* list, int row)
{
    const QPixmap picture = list->viewport()->grab();
    const qreal ratio = picture.devicePixelRatio();
    const QRect rect = list->visualItemRect(list->item(row));
    const QRect device(QPoint(int(rect.left() * ratio), int(rect.top() * ratio)),
                       QPoint(int((rect.right() + 1) * ratio) - 1, int((rect.bottom() + 1) * ratio) - 1));
    return backgroundOf(picture.toImage(), device);
}

std::string hex(QRgb colour) { return QColor(colour).name().toStdString(); }

}  // namespace

TEST(SessionLocal, MyComputerBrowsedSelectionSeenAndFilesCopiedBothWaysByCopyAndPaste)
{
    session::UserFolders user;
    user.exportEnvironment();
    const std::string home = user.root() + "/home";
    fs::create_directories(home + "/Documents");
    const std::string report = std::string(300000, 'r') + "end of report";
    ASSERT_TRUE(qm_test::writeFile(home + "/Documents/report.txt", report));
    ASSERT_TRUE(qm_test::writeFile(home + "/Documents/notes.txt", "notes"));
    ASSERT_TRUE(qm_test::writeFile(home + "/Documents/plan.txt", "plan"));
    // Names that show the icon view's two lines and a font for every script.
    ASSERT_TRUE(qm_test::writeFile(home + "/Documents/Quarterly report for the board 2026.pdf", "pdf"));
    fs::create_directories(home + "/Documents/\xc3\x9c" "bersicht \xe5\x90\x8d\xe5\x89\x8d");
    session::Server server;
    ASSERT_TRUE(server.start()) << "no free port pair";
    const std::string welcome = "welcome from the server\n";
    ASSERT_TRUE(qm_test::writeFile(server.shareFolder() + "/Welcome.txt", welcome));

    // A local name a server cannot take: "\\" is a letter here, a separator there.
    const std::string odd = user.local() + "/a\\b:c*?<>|.txt";
    ASSERT_TRUE(qm_test::writeFile(odd, "odd"));

    bool script_done = false;
    QStringList sheets;
    const int result = runProgram([&] {
        installSheetResponder([&sheets](const SheetRequest& request) {
            if (request.type == VexoMessageSheet::Processing ||
                request.type == VexoMessageSheet::ProcessingWithAnimation)
                return 0;
            sheets << request.text;
            return int(QMessageBox::Ok);  // the certificate question: "Proceed anyway"
        });
        LoginWidget* login = visibleWindow<LoginWidget>();
        typeInto(login->form()->addressBox()->lineEdit(), QString::fromStdString(server.address()));
        typeInto(login->form()->usernameEdit(), QStringLiteral("alice"));
        typeInto(login->form()->passwordEdit(), QStringLiteral("secret"));
        QTest::mouseClick(login->connectButton(), Qt::LeftButton);

        MainWindow* main = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (main = visibleWindow<MainWindow>()) != nullptr; }, kWaitMs));
        CentralWidget* central = main->centralWidgetOfSites();
        ASSERT_EQ(central->tabPages().size(), 1);
        SiteWidget* pane = central->tabPages().at(0).page;
        SiteTableWidget* table = pane->detail()->tableView();
        const QString peer = QString::number(pane->peerId());

        // 1. The pane's top level: the server, then My Computer ("0").
        ASSERT_TRUE(showing(pane, QString(), QStringLiteral("0")));
        screenshot(main, "top_level");

        // 2. My Computer: the root and the home folder, each by its path.
        openRow(table, rowNamed(table, QStringLiteral("0")));
        const QString home_name = QString::fromStdString(home);
        const bool computer_shown = showing(pane, QStringLiteral("0:"), home_name);
        screenshot(main, "my_computer");
        ASSERT_TRUE(computer_shown) << table->rowCount() << " rows";
        EXPECT_GE(rowNamed(table, QStringLiteral("/")), 0);

        // 3. The home folder, then Documents in it.
        openRow(table, rowNamed(table, home_name));
        ASSERT_TRUE(showing(pane, "0:" + home_name, QStringLiteral("Documents")));
        openRow(table, rowNamed(table, QStringLiteral("Documents")));
        const QString documents = "0:" + home_name + "/Documents";
        ASSERT_TRUE(showing(pane, documents, QStringLiteral("report.txt")));
        screenshot(main, "home_documents");

        // 4. A click selects report.txt, and the row is drawn selected: its
        // background differs from its neighbours', with the focus in the
        // view and with the focus elsewhere.
        const int selected = rowNamed(table, QStringLiteral("report.txt"));
        const int other = rowNamed(table, QStringLiteral("notes.txt"));
        const QRgb plain = rowBackground(table, selected);
        clickRow(table, selected);
        ASSERT_TRUE(QTest::qWaitFor([&] { return table->selectionModel()->selectedRows().size() == 1; }, kWaitMs));
        screenshot(main, "report_selected");
        EXPECT_NE(rowBackground(table, selected), rowBackground(table, other))
            << hex(rowBackground(table, selected)) << " against " << hex(rowBackground(table, other));
        EXPECT_NE(rowBackground(table, selected), plain);
        pane->filterBar()->lineEdit()->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !table->hasFocus(); }, kWaitMs));
        EXPECT_NE(rowBackground(table, selected), rowBackground(table, other)) << "without focus";
        screenshot(main, "report_selected_unfocused");

        // Ctrl+A selects every row, and every row shows it.
        table->setFocus();
        QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return table->selectionModel()->selectedRows().size() == 5; }, kWaitMs));
        EXPECT_EQ(rowBackground(table, other), rowBackground(table, selected));
        EXPECT_NE(rowBackground(table, other), plain);
        screenshot(main, "all_selected");

        // A right click on empty space clears the selection: the menu that
        // follows is about the folder.
        const QPoint empty(table->viewport()->width() / 2, table->viewport()->height() - 5);
        QTest::mouseClick(table->viewport(), Qt::RightButton, {}, empty);
        QContextMenuEvent menu_event(QContextMenuEvent::Mouse, empty, table->viewport()->mapToGlobal(empty));
        QApplication::sendEvent(table->viewport(), &menu_event);
        EXPECT_TRUE(QApplication::activePopupWidget() != nullptr);
        screenshot(main, "right_click_on_empty_space");
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        EXPECT_TRUE(table->selectionModel()->selectedRows().isEmpty());
        uint64_t selection_peer = 1;
        SiteSelectedInfo selection;
        UserActionCache::getInstance()->getSelectedInfo(selection_peer, selection);
        EXPECT_TRUE(selection.children.isEmpty()) << "Delete would remove what no longer shows selected";
        EXPECT_EQ(rowBackground(table, selected), plain);

        // The icon view shows the selection too.
        clickRow(table, selected);
        ASSERT_TRUE(QTest::qWaitFor([&] { return table->selectionModel()->selectedRows().size() == 1; }, kWaitMs));
        QTest::mouseClick(pane->viewButton(), Qt::LeftButton);
        SiteListWidget* list = pane->detail()->listView();
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible() && list->count() >= 5; }, kWaitMs));
        list->clearSelection();
        const QRgb tile_plain = tileBackground(list, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->selectedItems().size() == 1; }, kWaitMs));
        screenshot(main, "icon_view_selected");
        EXPECT_NE(tileBackground(list, 0), tile_plain) << hex(tile_plain);
        QTest::mouseClick(pane->viewButton(), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return table->isVisible(); }, kWaitMs));

        // An advanced filter leaves its mark on the filter button while it
        // applies: only the files over 100 KB, then everything again.
        QToolButton* filter_button = pane->filterBar()->menuButton();
        const QImage unmarked = filter_button->grab().toImage();
        QTest::mouseClick(filter_button, Qt::LeftButton);
        SiteFilterMenu* filter_menu = pane->filterMenu();
        ASSERT_TRUE(QTest::qWaitFor([&] { return filter_menu->isVisible(); }, kWaitMs));
        filter_menu->sizeCombo()->setCurrentIndex(3);  // greater than
        QTest::keyClicks(filter_menu->sizeEdit()->getLineEdit(), QStringLiteral("100k"));
        QTest::mouseClick(filter_menu->applyButton(), Qt::LeftButton);
        filter_menu->close();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return !table->isDrawing() && rowNamed(table, QStringLiteral("notes.txt")) < 0; }, kWaitMs));
        // The row's cells came from another row's: the longer size shows whole.
        const int filtered = rowNamed(table, QStringLiteral("report.txt"));
        ASSERT_GE(filtered, 0);
        QLabel* size_label = table->textCell(filtered, COL_SIZE)->findChild<QLabel*>();
        ASSERT_TRUE(size_label);
        EXPECT_GE(size_label->width(), size_label->fontMetrics().horizontalAdvance(size_label->text()))
            << size_label->text().toStdString();
        EXPECT_TRUE(pane->filterBar()->isMenuActive());
        EXPECT_NE(filter_button->grab().toImage(), unmarked);
        screenshot(main, "filtered_by_size");
        QTest::mouseClick(filter_button, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return filter_menu->isVisible(); }, kWaitMs));
        QTest::mouseClick(filter_menu->resetButton(), Qt::LeftButton);
        filter_menu->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return rowNamed(table, QStringLiteral("notes.txt")) >= 0; }, kWaitMs));
        EXPECT_FALSE(pane->filterBar()->isMenuActive());
        EXPECT_EQ(filter_button->grab().toImage(), unmarked);

        // 5. Ctrl+C on report.txt, back to the top, into the share, Ctrl+V.
        clickRow(table, rowNamed(table, QStringLiteral("report.txt")));
        QTest::keyClick(main, Qt::Key_C, Qt::ControlModifier);
        // The server's item at the top of the folder tree opens its shares.
        SiteTreeWidget* tree = pane->tree();
        QTreeWidgetItem* site_item = tree->topLevelItem(0);
        ASSERT_TRUE(site_item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(site_item).center());
        ASSERT_TRUE(showing(pane, peer + ":", QStringLiteral("docs")));
        openRow(table, rowNamed(table, QStringLiteral("docs")));
        ASSERT_TRUE(showing(pane, peer + ":docs", QStringLiteral("Welcome.txt")));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, empty);
        QTest::keyClick(main, Qt::Key_V, Qt::ControlModifier);
        const std::string uploaded = server.shareFolder() + "/report.txt";
        ASSERT_TRUE(QTest::qWaitFor([&] { return qm_test::sha256OfFile(uploaded) == qm_test::sha256Hex(report); },
                                    kWaitMs));
        ASSERT_TRUE(showing(pane, peer + ":docs", QStringLiteral("report.txt")));
        screenshot(main, "uploaded_by_paste");

        // The odd name dropped from a file manager: refused with its reason,
        // and nothing made on the server in its place.
        {
            QMimeData mime;
            mime.setData(QStringLiteral("text/uri-list"),
                         QUrl::fromLocalFile(QString::fromStdString(odd)).toEncoded() + "\r\n");
            QDragEnterEvent enter(empty, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(table->viewport(), &enter);
            QDragMoveEvent move(empty, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(table->viewport(), &move);
            ASSERT_TRUE(move.isAccepted());
            QDropEvent drop(empty, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(table->viewport(), &drop);
        }
        const QString refusal = StrTable::LoadStr(StrTable::error_upload_name).arg(QStringLiteral("a\\b:c*?<>|.txt"));
        // The sheet reads its text as markup: the name comes escaped.
        ASSERT_TRUE(QTest::qWaitFor([&] { return sheets.contains(refusal.toHtmlEscaped()); }, kWaitMs))
            << sheets.join('|').toStdString();
        EXPECT_EQ(std::distance(fs::directory_iterator(server.shareFolder()), fs::directory_iterator()), 2);

        // 6. The reverse: Welcome.txt copied on the server, pasted into Documents.
        clickRow(table, rowNamed(table, QStringLiteral("Welcome.txt")));
        QTest::keyClick(main, Qt::Key_C, Qt::ControlModifier);
        emit pane->connecter()->sigCurrentPathChanged(documents);  // as the path bar's text does
        ASSERT_TRUE(showing(pane, documents, QStringLiteral("report.txt")));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, empty);
        QTest::keyClick(main, Qt::Key_V, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return qm_test::sha256OfFile(home + "/Documents/Welcome.txt") == qm_test::sha256Hex(welcome); },
            kWaitMs));
        ASSERT_TRUE(showing(pane, documents, QStringLiteral("Welcome.txt")));
        screenshot(main, "downloaded_by_paste");
        script_done = true;
    });
    EXPECT_TRUE(script_done);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(qm_test::readFile(home + "/Documents/report.txt"), report);  // the source stays
}

int main(int argc, char** argv)
{
    g_argc = argc;
    g_argv = argv;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
