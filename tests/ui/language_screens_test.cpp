// The program's windows in a translated language, at 100 % and 150 % scale:
// each run stores the language in the settings and starts the program as a
// user does (start-up installs the translation), logs in to the test file
// server and opens the login window, the main window on the server, the
// Task Manager with a download running and paused, the Log window, both
// filter menus, the settings window with its language page and the about
// box. Every picture lands in build/test-artifacts/languages/; a text that
// does not fit its widget (a label, a button, a field's placeholder, a
// choice, a column header) fails the run. Each language and scale runs the
// program in a child process of its own, as both are fixed for a run.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QSet>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "about-window.h"
#include "action-bar.h"
#include "central-widget.h"
#include "connection-widget.h"
#include "client-core-manager.h"
#include "full-queue.h"
#include "global-setting-page.h"
#include "kavelin/transfer-service.h"
#include "language-setting-page.h"
#include "log-page.h"
#include "login-widget.h"
#include "main-window.h"
#include "misc-log-widget.h"
#include "program-windows.h"
#include "program_script.h"
#include "progress-status-widget.h"
#include "queue-page.h"
#include "session_support.h"
#include "sheet_responder.h"
#include "simple-queue.h"
#include "site-detail-widget.h"
#include "site-info-manager.h"
#include "site-table-widget.h"
#include "site-widget.h"
#include "startup-main.h"
#include "str_table.h"
#include "system-db.h"
#include "task-entry.h"
#include "support/temp_dir.h"
#include "top-tool-bar.h"
#include "transfer-button.h"
#include "vexo_button.h"
#include "vexo_check_box.h"
#include "vexo_filter_bar.h"
#include "vexo_icon_button.h"
#include "vexo_message_sheet.h"
#include "vexo_table_widget.h"

namespace {

using session::typeInto;
using session::visibleWindow;

int g_argc = 0;
char** g_argv = nullptr;
std::string g_self;

const int kWaitMs = 30000;

// ---- the child: one language at one scale ---------------------------------

QString g_prefix;  // "<language>_<scale>"
int g_failures = 0;

void fail(const QString& what)
{
    ++g_failures;
    std::printf("FAIL=%s\n", qUtf8Printable(what));
    std::fflush(stdout);
}

// The widest line of a plain text.
int textWidth(const QFontMetrics& metrics, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    return widest;
}

// The texts of `window` that do not fit the room their widget gives them.
// Labels that wrap or hold markup lay themselves out and are left alone.
QStringList cutTexts(QWidget* window)
{
    QStringList cut;
    auto report = [&](QWidget* widget, const QString& text, int need, int room) {
        cut << QStringLiteral("%1 \"%2\" needs %3 px, has %4").arg(widget->metaObject()->className(), text).arg(need).arg(room);
    };
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || widget->width() <= 0)
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            const QString text = label->text();
            if (text.isEmpty() || label->wordWrap() || Qt::mightBeRichText(text))
                continue;
            const int room = label->contentsRect().width() - 2 * label->margin() - qMax(label->indent(), 0);
            const int need = textWidth(label->fontMetrics(), text);
            if (need > room)
                report(label, text, need, room);
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            if (!check->text().isEmpty() && check->sizeHint().width() > check->width())
                report(check, check->text(), check->sizeHint().width(), check->width());
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            const QString text = button->text();
            if (text.isEmpty())
                continue;
            const int need = textWidth(button->fontMetrics(), text) + button->iconSize().width() * !button->icon().isNull();
            if (need > button->contentsRect().width())
                report(button, text, need, button->contentsRect().width());
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            const QString hint = edit->placeholderText();
            if (hint.isEmpty() || !edit->text().isEmpty())
                continue;
            const QMargins margins = edit->textMargins();
            const int room = edit->contentsRect().width() - margins.left() - margins.right() - 4;
            const int need = edit->fontMetrics().horizontalAdvance(hint);
            if (need > room)
                report(edit, hint, need, room);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            if (combo->isEditable() || combo->currentText().isEmpty())
                continue;
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                               QStyle::SC_ComboBoxEditField, combo);
            const int need = combo->fontMetrics().horizontalAdvance(combo->currentText());
            if (need > field.width())
                report(combo, combo->currentText(), need, field.width());
        } else if (auto* header = qobject_cast<QHeaderView*>(widget)) {
            if (header->orientation() != Qt::Horizontal || !header->model())
                continue;
            const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
            for (int section = 0; section < header->count(); ++section) {
                if (header->isSectionHidden(section) || header->sectionSize(section) <= 0)
                    continue;
                const QString text = header->model()->headerData(section, Qt::Horizontal).toString();
                const int need = header->fontMetrics().horizontalAdvance(text);
                const int room = header->sectionSize(section) - margin;
                if (!text.isEmpty() && need > room)
                    report(header, text, need, room);
            }
        }
    }
    return cut;
}

// A picture of the window that holds `widget`, then the check of its texts.
void shoot(QWidget* widget, const QString& name)
{
    QWidget* window = widget->window();
    const QString folder = QStringLiteral(QM_TEST_ARTIFACTS_DIR "/languages");
    QDir().mkpath(folder);
    const QString path = QStringLiteral("%1/%2_%3.png").arg(folder, g_prefix, name);
    const QImage picture = window->grab().toImage();
    if (!picture.save(path)) {
        fail(QStringLiteral("cannot save ") + path);
        return;
    }
    std::printf("SHOT=%s\n", qUtf8Printable(path));
    std::fflush(stdout);
    for (const QString& cut : cutTexts(window))
        fail(name + QStringLiteral(": ") + cut);
}

int rowNamed(SiteTableWidget* table, const QString& name)
{
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->recordOfRow(row).getName() == name)
            return row;
    return -1;
}

QPoint rowCentre(SiteTableWidget* table, int row)
{
    return table->visualRect(table->model()->index(row, 0)).center();
}

void openRow(SiteTableWidget* table, int row)
{
    QTest::mouseDClick(table->window()->windowHandle(), Qt::LeftButton, {},
                       table->viewport()->mapTo(table->window(), rowCentre(table, row)));
}

// Slows the site's downloads so that the Task Manager shows one running.
bool limitSite(uint64_t peer_id, uint64_t kbps)
{
    SiteInfoManager::getInstance()->updateSiteInfo(peer_id, [kbps](SiteInfo& info) {
        info.max_download = kbps;
        info.max_upload = kbps;
    });
    SiteInfo info;
    return SiteInfoManager::getInstance()->getSiteInfoByPeerId(peer_id, info) &&
           ClientCoreManager::getTransferService()->setPeer(peer_id, info.concurrent, kbps, kbps, 0, 0, info.encrypted,
                                                            info.compressed,
                                                            info.ssl_signature.toUtf8().constData()) == 0;
}

// Fails the run with `what` when `done` does not come true in time.
bool waitFor(const std::function<bool()>& done, const char* what)
{
    if (QTest::qWaitFor(done, kWaitMs))
        return true;
    fail(QString::fromLatin1(what));
    return false;
}

// The filter menu of a filter bar, opened as a click on its button opens it.
bool shootMenu(VexoFilterBar* bar, const QString& name)
{
    QTest::mouseClick(bar->menuButton(), Qt::LeftButton);
    QMenu* menu = bar->menu();
    if (!waitFor([&] { return menu && menu->isVisible(); }, "no filter menu"))
        return false;
    shoot(menu, name);
    menu->hide();
    return true;
}

void script(const QString& address)
{
    // Every sheet is agreed to: the untrusted certificate, the closing.
    installSheetResponder([](const SheetRequest& request) {
        return request.type == VexoMessageSheet::Processing || request.type == VexoMessageSheet::ProcessingWithAnimation
                   ? 0
                   : int(QMessageBox::Ok);
    });
    LoginWidget* login = visibleWindow<LoginWidget>();
    // The translation is in place: the window's button is not the English one.
    if (login->connectButton()->text() != StrTable::LoadStr(StrTable::button_connect) ||
        login->connectButton()->text() == QLatin1String("Connect"))
        fail(QStringLiteral("the login window is not translated: ") + login->connectButton()->text());
    shoot(login, QStringLiteral("login_empty"));
    typeInto(login->form()->addressBox()->lineEdit(), address);
    typeInto(login->form()->usernameEdit(), QStringLiteral("alice"));
    typeInto(login->form()->passwordEdit(), QStringLiteral("secret"));
    shoot(login, QStringLiteral("login"));
    QTest::mouseClick(login->connectButton(), Qt::LeftButton);

    MainWindow* main = nullptr;
    if (!waitFor([&] { return (main = visibleWindow<MainWindow>()) != nullptr; }, "no main window"))
        return;
    CentralWidget* central = main->centralWidgetOfSites();
    SiteWidget* pane = central->tabPages().at(0).page;
    SiteTableWidget* table = pane->detail()->tableView();
    if (!waitFor([&] { return table->rowCount() == 2; }, "the server's top level never listed"))
        return;
    shoot(main, QStringLiteral("main_top"));
    openRow(table, 0);
    if (!waitFor([&] { return rowNamed(table, QStringLiteral("docs")) >= 0; }, "no share"))
        return;
    openRow(table, rowNamed(table, QStringLiteral("docs")));
    if (!waitFor([&] { return rowNamed(table, QStringLiteral("slow.bin")) >= 0; }, "the share never listed"))
        return;
    shoot(main, QStringLiteral("main_share"));
    if (!shootMenu(pane->filterBar(), QStringLiteral("main_filter")))
        return;

    // A slowed download to the default folder keeps a task in the Task Manager.
    if (!limitSite(pane->peerId(), 64))
        fail(QStringLiteral("cannot slow the site"));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowCentre(table, rowNamed(table, QStringLiteral("slow.bin"))));
    QTest::keyClick(main, Qt::Key_F4);
    if (!waitFor([&] { return central->transferButton()->isEnabled(); }, "no transfer"))
        return;
    QTest::mouseClick(central->transferButton(), Qt::LeftButton);
    QueuePage* queue = central->queuePage();
    if (!waitFor([&] { return queue && queue->isVisible() && !queue->simpleQueue()->resumeInfos().empty(); },
                 "the Task Manager shows no task"))
        return;
    shoot(queue, QStringLiteral("task_manager"));
    // Paused, the task shows its state in words.
    queue->simpleQueue()->listWidget()->item(0)->setSelected(true);
    QTest::mouseClick(queue->topToolBar()->actionBar()->button(ActionBar::BA_PAUSE), Qt::LeftButton);
    if (!waitFor(
            [&] {
                TaskEntry* entry = queue->simpleQueue()->entryAt(0);
                return entry && entry->progressStatus()->statusLabel()->text() ==
                                    StrTable::LoadStr(StrTable::status_paused);
            },
            "the task never showed paused"))
        return;
    shoot(queue, QStringLiteral("task_manager_paused"));
    QTest::mouseClick(queue->topToolBar()->windowButton(), Qt::LeftButton);
    if (!waitFor([&] { return queue->topToolBar()->isFullMode(); }, "no full view"))
        return;
    if (!waitFor([&] { return !queue->fullQueue()->resumeInfos().empty(); }, "the full view shows no task"))
        return;
    shoot(queue, QStringLiteral("task_manager_full"));
    queue->close();

    QTest::mouseClick(central->logButton(), Qt::LeftButton);
    LogPage* log = central->logPage();
    if (!waitFor([&] { return log && log->isVisible(); }, "no Log window"))
        return;
    if (!waitFor([&] { return log->miscLogWidget()->table()->getTable()->rowCount() > 0; }, "the log is empty"))
        return;
    shoot(log, QStringLiteral("log"));
    if (!shootMenu(log->filterBar(), QStringLiteral("log_filter")))
        return;
    log->close();

    central->settingButton()->click();
    GlobalSettingPage* settings = central->settingPage();
    if (!waitFor([&] { return settings && settings->isVisible(); }, "no settings window"))
        return;
    shoot(settings, QStringLiteral("settings"));
    settings->settingButton()->click();
    LanguageSettingPage* language = settings->languagePage();
    if (!waitFor([&] { return language && language->isVisible(); }, "no language page"))
        return;
    shoot(language, QStringLiteral("settings_language"));
    language->close();
    settings->close();

    emit central->sigShowAboutWindow();
    AboutWindow* about = nullptr;
    if (!waitFor([&] { return (about = visibleWindow<AboutWindow>()) != nullptr; }, "no about box"))
        return;
    shoot(about, QStringLiteral("about"));
    about->close();
}

// --child=<language>: the language stored as the settings window stores it,
// then the program started; the address of the server in QM_SHOTS_ADDRESS.
int childRun(const QString& language)
{
    const char* data = std::getenv("QUILLMAR_DATA_DIR");
    const char* scale = std::getenv("QT_SCALE_FACTOR");
    g_prefix = language + QLatin1Char('_') + QString::number(qRound((scale ? std::atof(scale) : 1.0) * 100));
    if (!data || SystemDB::initialize(ustring(std::string(data) + "/sys-db.sqlite")) != 0 ||
        SystemDB::setConfig(ustring("language"), ustring(language.toStdString())) != 0) {
        std::printf("FAIL=cannot store the language\n");
        return 1;
    }
    SystemDB::destroy();
    const QString address = QString::fromLocal8Bit(std::getenv("QM_SHOTS_ADDRESS"));
    session::runWhenLoginShown([address] { script(address); });
    installProgramWindows();
    const int result = qMain(g_argc, g_argv);
    std::printf("RESULT=%d\nFAILURES=%d\n", result, g_failures);
    return result == 0 && g_failures == 0 ? 0 : 1;
}

// ---- the parent -------------------------------------------------------------

struct Run {
    const char* language;
    const char* scale;
};

void PrintTo(const Run& run, std::ostream* out)
{
    *out << run.language << " at " << run.scale;
}

class LanguageScreens : public ::testing::TestWithParam<Run> {};

TEST_P(LanguageScreens, WindowsShowTheTranslationWithEveryTextInItsWidget)
{
    session::UserFolders user;
    user.exportEnvironment();
    session::Server server;
    ASSERT_TRUE(server.start()) << "no free port pair";
    std::string slow(size_t(1) << 20, 'x');
    ASSERT_TRUE(qm_test::writeFile(server.shareFolder() + "/slow.bin", slow));
    ASSERT_TRUE(qm_test::writeFile(server.shareFolder() + "/report-2026.txt", "numbers\n"));
    std::filesystem::create_directories(server.shareFolder() + "/Projects");
    setenv("QM_SHOTS_ADDRESS", server.address().c_str(), 1);
    setenv("QT_SCALE_FACTOR", GetParam().scale, 1);

    const std::string command = "'" + g_self + "' --child=" + GetParam().language;
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        output.append(buffer, got);
    const int status = pclose(pipe);
    unsetenv("QT_SCALE_FACTOR");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;

    // Each picture on disk shows a window with something drawn in it: texts
    // and frames give many colours, an empty surface one or two.
    int shots = 0;
    for (size_t at = output.find("SHOT="); at != std::string::npos; at = output.find("SHOT=", at + 1)) {
        const std::string path = output.substr(at + 5, output.find('\n', at) - at - 5);
        const QImage image(QString::fromStdString(path));
        ASSERT_FALSE(image.isNull()) << path;
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 8) << path;
        ++shots;
    }
    EXPECT_EQ(shots, 13) << output;
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageScreens,
                         ::testing::Values(Run{"deu", "1"}, Run{"deu", "1.5"}, Run{"jpn", "1"}, Run{"jpn", "1.5"},
                                           Run{"rus", "1"}, Run{"rus", "1.5"}, Run{"fra", "1"}, Run{"fra", "1.5"},
                                           Run{"esn", "1"}, Run{"esn", "1.5"}, Run{"ita", "1"}, Run{"ita", "1.5"},
                                           Run{"nld", "1"}, Run{"nld", "1.5"}, Run{"plk", "1"}, Run{"plk", "1.5"},
                                           Run{"csy", "1"}, Run{"csy", "1.5"}),
                         [](const ::testing::TestParamInfo<Run>& info) {
                             return std::string(info.param.language) +
                                    (std::string(info.param.scale) == "1" ? "_100" : "_150");
                         });

}  // namespace

int main(int argc, char** argv)
{
    g_argc = argc;
    g_argv = argv;
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    g_self = n > 0 ? std::string(self, size_t(n)) : std::string(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--child=", 0) == 0)
            return childRun(QString::fromStdString(arg.substr(8)));
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
