// A user's session with the whole program: qMain runs in this process on
// fresh folders, as the program's main() runs it, against the test file
// server started here; a script drives the real windows with keys and clicks
// and answers sheets through the widget library's responder. Starts that
// need a process of their own (the second start on the same folders, a
// damaged system database) run this program again as a child in a named mode.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "connection-widget.h"
#include "core-timing.h"
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "central-widget.h"
#include "full-queue.h"
#include "simple-queue.h"
#include "log-page.h"
#include "main-window.h"
#include "queue-page.h"
#include "site-detail-widget.h"
#include "site-folder-dialog.h"
#include "site-table-widget.h"
#include "site-widget.h"
#include "tab-button.h"
#include "support/digest.h"
#include "transfer-button.h"
#include "vexo-line-editor.h"
#include "vexo_icon_button.h"
#include "vexo_table_widget.h"
#include "misc-log-widget.h"
#include "vexo_filter_bar.h"
#include <QMenu>
#include <QTableWidget>
#include "global-connecter.h"
#include "login-widget.h"
#include "program-windows.h"
#include "program_script.h"
#include "session_support.h"
#include "sheet_responder.h"
#include "startup-main.h"
#include "str_table.h"
#include "support/temp_dir.h"
#include "vexo_button.h"
#include "vexo_check_box.h"
#include "vexo_message_sheet.h"
#include <QListWidget>
#include "action-bar.h"
#include "client-core-manager.h"
#include "kavelin/transfer-service.h"
#include <QLabel>
#include "kavelin/vardo-core-manager.h"
#include "progress-status-widget.h"
#include "site-info-manager.h"
#include "task-entry.h"
#include "top-tool-bar.h"

namespace {

using session::answerCloseQuestion;
using session::typeInto;
using session::visibleWindow;

int g_argc = 0;
char** g_argv = nullptr;
std::string g_self;

const int kWaitMs = 30000;

// Errors the log holds by design when a connection ends or is refused, or
// the server is lost (the server's engine logs into the same file).
const std::vector<std::string> kDisconnectErrors = {
    "remote-login: AuthSession failed (channel error while converting SSL channel)",
    "stream: Error stack:",
    "psocket_stream: recv 0 in socket",
    "tcp-helper: stream recv failed (-2)",
    "tcp-transfer: handle error 2",
    "tcp-transfer: Handle error 2 token ",
    "transfer: abort ",
    // The server gone: the listing it was giving, the logins and data
    // connections refused until it is back.
    // (the request in flight: a listing, a heartbeat)
    " failed (stream error while receiving response)",
    "remote-login: AuthSession failed (channel error while connecting to server code = 111)",
    // (a login the server took as it was being killed, cut before its answer)
    "remote-login: AuthSession failed (Cannot get protocol object , assuming it's other service.)",
    "tcp-client-init-helper: Socket error: 111",
    // (each round of refused data connections, before the next one waits)
    " failed before working, next attempt in ",
    // Back on its ports, the server has forgotten the session: the site's
    // first login presents the old seed and is refused, then logs in afresh.
    "remote-login: AuthSession failed (protocol error, reason = 'invalid session seed')",
    // A connection check that meets the site already closed (slow builds).
    "peer-connection: TCP not available for peer ",
    "transfer-service: ipc response error: \"Data channel not ready\"",
    // A paused download: its data connection is cut under it.
    "psocket_stream: buffer read failed, errcode = 104",
};

QString T(int id) { return StrTable::LoadStr(id); }

// A picture of the widget into build/test-artifacts/session/, numbered in
// the order taken. With QM_UPDATE_DOCS=1 in the environment, `docs_name`
// also puts it under docs/ for the README; a plain test run leaves the
// source tree as it was.
void screenshot(QWidget* widget, const QString& name, const QString& docs_name = QString())
{
    static int count = 0;
    const QString folder = QStringLiteral(QM_TEST_ARTIFACTS_DIR "/session");
    QDir().mkpath(folder);
    const QPixmap picture = widget->window()->grab();
    picture.save(QStringLiteral("%1/%2_%3.png").arg(folder).arg(++count, 2, 10, QLatin1Char('0')).arg(name));
    if (!docs_name.isEmpty() && qgetenv("QM_UPDATE_DOCS") == "1") {
        QDir().mkpath(QStringLiteral(QM_DOCS_DIR));
        picture.save(QStringLiteral(QM_DOCS_DIR "/%1.png").arg(docs_name));
    }
}

int runProgram(std::function<void()> script)
{
    // Also after a failed check, so that the program still ends: the close
    // confirmation is agreed to.
    session::runWhenLoginShown(std::move(script), answerCloseQuestion);
    installProgramWindows();
    return qMain(g_argc, g_argv);
}

// Records every sheet and answers it; busy sheets are left to their owners.
struct Responder {
    explicit Responder(std::function<int(const SheetRequest&)> answer)
    {
        installSheetResponder([this, answer](const SheetRequest& request) {
            if (request.type == VexoMessageSheet::Processing || request.type == VexoMessageSheet::ProcessingWithAnimation)
                return 0;
            seen.append(request);
            return answer(request);
        });
    }
    ~Responder() { installSheetResponder({}); }
    QList<SheetRequest> seen;
};

QString okText(const SheetRequest& request)
{
    for (const auto& button : request.buttons)
        if (button.first == QMessageBox::Ok)
            return button.second;
    return QString();
}

// Runs this program again in a child mode with the current environment;
// its standard output in `output`, its exit code as the result (-1 when it
// did not exit normally).
int runChild(const std::string& mode, std::string& output)
{
    const std::string command = "'" + g_self + "' --child=" + mode;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        output.append(buffer, got);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string valueOf(const std::string& output, const std::string& key)
{
    const std::string marker = key + "=";
    size_t at = output.find(marker);
    if (at == std::string::npos)
        return "<missing>";
    at += marker.size();
    return output.substr(at, output.find('\n', at) - at);
}

bool isSqliteDatabase(const std::string& path)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
              sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}


namespace fs = std::filesystem;

// The row of the details view that shows `name`; -1 when none does.
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

// A double click on a row's name, through the window as a mouse gives it:
// press, release, then a second press that arrives as the double-click.
void openRow(SiteTableWidget* table, int row)
{
    QTest::mouseDClick(table->window()->windowHandle(), Qt::LeftButton, {},
                       table->viewport()->mapTo(table->window(), rowCentre(table, row)));
}

// The tasks the Task Manager shows in its current view.
size_t queuedTasks(QueuePage* queue)
{
    return queue->fullQueue()->resumeInfos().size() + queue->simpleQueue()->resumeInfos().size();
}

// Replaces the text of the in-place editor the view opened and commits it.
void commitEditor(SiteTableWidget* table, const QString& text)
{
    VexoLineEditor* editor = table->editor();
    editor->selectAll();
    // Keys for ASCII; other letters arrive as an input method commits them.
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(editor, c.toLatin1());
        else
            editor->insert(QString(c));
    }
    QTest::keyClick(editor, Qt::Key_Return);
}

// A folder of `count` files over nested folders with names in several
// scripts, and one large file; relative path -> SHA-256.
std::map<std::string, std::string> makeUploadTree(const std::string& root, int count, size_t large_bytes)
{
    std::map<std::string, std::string> digests;
    const char* folders[] = {"", "Ünterordner", "Ünterordner/文档", "Ünterordner/文档/глубже", "plain"};
    for (const char* folder : folders)
        fs::create_directories(root + "/" + folder);
    for (int i = 0; i < count - 1; ++i) {
        const std::string folder = folders[i % 5];
        const std::string rel = (folder.empty() ? "" : folder + "/") + "fichier-" + std::to_string(i) + "-ü.txt";
        std::string data = "file " + std::to_string(i) + "\n";
        data.append(size_t(i * 97 % 5000), char('a' + i % 26));
        qm_test::writeFile(root + "/" + rel, data);
        digests[rel] = qm_test::sha256Hex(data);
    }
    std::string large(large_bytes, '\0');
    uint32_t x = 12345;
    for (char& c : large) {
        x = x * 1103515245u + 12345u;
        c = char(x >> 24);
    }
    qm_test::writeFile(root + "/plain/large.bin", large);
    digests["plain/large.bin"] = qm_test::sha256Hex(large);
    return digests;
}

// The files under `root` whose digest differs from or is missing against `want`.
int digestMismatches(const std::string& root, const std::map<std::string, std::string>& want)
{
    int bad = 0;
    for (const auto& entry : want)
        if (qm_test::sha256OfFile(root + "/" + entry.first) != entry.second)
            ++bad;
    return bad;
}

// ---- a slowed download in the Task Manager ---------------------------------

// Slows the site's transfers in the engine to `kbps` KB/s, as its connection
// settings do, so that a transfer over loopback stays on screen; the site's
// saved settings hold it too, for the login after a lost server.
void limitSite(uint64_t peer_id, uint64_t kbps)
{
    SiteInfoManager::getInstance()->updateSiteInfo(peer_id, [kbps](SiteInfo& info) {
        info.max_download = kbps;
        info.max_upload = kbps;
    });
    SiteInfo info;
    ASSERT_TRUE(SiteInfoManager::getInstance()->getSiteInfoByPeerId(peer_id, info));
    ASSERT_EQ(ClientCoreManager::getTransferService()->setPeer(peer_id, info.concurrent, kbps, kbps, 0, 0,
                                                               info.encrypted, info.compressed,
                                                               info.ssl_signature.toUtf8().constData()), 0);
}

// The simple view's row of the task whose source ends with `name`; -1 when none.
int taskRowNamed(QueuePage* queue, const std::string& name)
{
    const std::vector<ResumeInfo>& infos = queue->simpleQueue()->resumeInfos();
    for (size_t i = 0; i < infos.size(); ++i) {
        const std::string from = infos[i].path_from.c_str_utf8();
        if (from.size() >= name.size() && from.compare(from.size() - name.size(), name.size(), name) == 0)
            return int(i);
    }
    return -1;
}

// The engine's record of a task; resume_id 0 once it is done or gone.
ResumeInfo storedTask(uint64_t resume_id)
{
    ResumeInfo info;
    if (!ClientCoreManager::getCoreManager()->getResumeInfoFromResumeId(resume_id, info))
        info.resume_id = 0;
    return info;
}

uintmax_t fileSize(const std::string& path)
{
    std::error_code error;
    const uintmax_t size = fs::file_size(path, error);
    return error ? 0 : size;
}

// Pseudo-random bytes, so that a resumed transfer that skipped or repeated a
// block shows in the digest.
std::string noise(size_t bytes, uint32_t seed)
{
    std::string data(bytes, '\0');
    for (char& c : data) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    return data;
}

// The Task Manager through the main window's button, its simple view showing
// the task of `name` once it has moved; that task's id (0 when it never showed).
uint64_t showRunningTask(CentralWidget* central, const std::string& name, QueuePage** shown)
{
    if (!central->queuePage() || !central->queuePage()->isVisible())
        QTest::mouseClick(central->transferButton(), Qt::LeftButton);
    QueuePage* queue = central->queuePage();
    *shown = queue;
    uint64_t id = 0;
    if (!queue || !QTest::qWaitFor(
                      [&] {
                          const int row = taskRowNamed(queue, name);
                          id = row < 0 ? 0 : queue->simpleQueue()->resumeInfos()[size_t(row)].resume_id;
                          return id && storedTask(id).progress > 0;
                      },
                      kWaitMs))
        return 0;
    return id;
}

// ---- child modes --------------------------------------------------------

// The login window of a later start: what its form holds, then closed.
int childSecondStart()
{
    const int result = runProgram([] {
        LoginWidget* login = visibleWindow<LoginWidget>();
        screenshot(login, "second_start_login");
        std::printf("ADDRESS=%s\nUSER=%s\nPASSWORD=%s\nREMEMBER=%d\n",
                    qPrintable(login->form()->addressBox()->currentText()),
                    qPrintable(login->form()->usernameEdit()->text()),
                    qPrintable(login->form()->passwordEdit()->text()), login->form()->rememberBox()->isChecked());
        std::fflush(stdout);
        login->close();
    });
    std::printf("RESULT=%d\n", result);
    return result;
}

// A damaged system database: the question is answered yes; then the login window.
int childDamagedDatabase()
{
    // The question comes before the login window, so the responder is
    // installed as soon as the application object exists.
    static Responder* s_responder = nullptr;
    qAddPreRoutine([] {
        s_responder = new Responder([](const SheetRequest&) { return int(QMessageBox::Ok); });
    });
    const int result = runProgram([] {
        std::printf("LOGIN_SHOWN=1\n");
        for (const SheetRequest& sheet : s_responder->seen)
            std::printf("QUESTION=%s\n", qPrintable(sheet.text));
        std::fflush(stdout);
        visibleWindow<LoginWidget>()->close();
    });
    delete s_responder;
    std::printf("RESULT=%d\n", result);
    return result;
}

}  // namespace

// ---- the session ----------------------------------------------------------

TEST(Session, FirstStartLogsInThroughTheCertificateQuestionAndTheNextStartRemembersTheConnection)
{
    session::UserFolders user;
    user.exportEnvironment();
    session::Server server;
    ASSERT_TRUE(server.start()) << "no free port pair";
    // Two downloads that are slowed to stay on screen: one paused and
    // started again, one cut by the lost server.
    const std::string paused_bytes = noise(size_t(3) << 20, 7), lost_bytes = noise(size_t(3) << 20, 11);
    ASSERT_TRUE(qm_test::writeFile(server.shareFolder() + "/paused.bin", paused_bytes));
    ASSERT_TRUE(qm_test::writeFile(server.shareFolder() + "/lost.bin", lost_bytes));

    // The core's checks run every 100 ms and the heartbeat every second, so
    // that a lost server is noticed in a second; the countdown to the next
    // login ticks every 200 ms. A site without a live worker is given up on
    // after the product's minute: a lost server must show well before that.
    CoreTiming& timing = CoreTiming::get();
    timing.channel_tick_ms = 100;
    timing.queue_retry_ms = 100;
    timing.heartbeat_ms = 1000;
    SiteWidget::setReconnectTickForTest(200);

    bool script_done = false;
    const int result = runProgram([&] {
        // Every question is answered yes, except the disconnected sheet: a
        // user who leaves it alone sees its countdown end in a login.
        const QString disconnected = T(StrTable::error_disconnected);
        Responder responder([disconnected](const SheetRequest& sheet) {
            return sheet.text.startsWith(disconnected) ? 0 : int(QMessageBox::Ok);
        });
        LoginWidget* login = visibleWindow<LoginWidget>();
        screenshot(login, "first_start_login");
        // A first start: nothing saved, an empty form.
        EXPECT_TRUE(login->form()->addressBox()->currentText().isEmpty());
        EXPECT_FALSE(login->connectButton()->isEnabled());

        typeInto(login->form()->addressBox()->lineEdit(), QString::fromStdString(server.address()));
        typeInto(login->form()->usernameEdit(), QStringLiteral("alice"));
        typeInto(login->form()->passwordEdit(), QStringLiteral("secret"));
        // The password is remembered (the box's default): a lost server is
        // then logged in to again by itself, and the next start fills it in.
        EXPECT_TRUE(login->form()->rememberBox()->isChecked());
        ASSERT_TRUE(login->connectButton()->isEnabled());
        screenshot(login, "login_typed");

        QSignalSpy connected(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectSiteDone);
        QTest::mouseClick(login->connectButton(), Qt::LeftButton);
        // The certificate no authority signed is asked about; "Proceed" lets
        // the login through, and the server sees it.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !responder.seen.isEmpty(); }, kWaitMs));
        EXPECT_EQ(responder.seen.at(0).text, T(StrTable::msg_ssl_error));
        EXPECT_EQ(okText(responder.seen.at(0)), T(StrTable::btn_ssl_continue));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !server.control().LastRequest("auth").isNull(); }, kWaitMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return connected.count() >= 2; }, kWaitMs));
        EXPECT_EQ(responder.seen.size(), 1);

        // 1. The main window with the site's tab; the pane lists the shares.
        MainWindow* main = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (main = visibleWindow<MainWindow>()) != nullptr; }, kWaitMs));
        CentralWidget* central = main->centralWidgetOfSites();
        ASSERT_EQ(central->tabPages().size(), 1);
        SiteWidget* pane = central->tabPages().at(0).page;
        SiteTableWidget* table = pane->detail()->tableView();
        // The pane's top level: the server and the computer; the server holds the shares.
        // The server is the first row, the computer the second.
        ASSERT_TRUE(QTest::qWaitFor([&] { return table->rowCount() == 2; }, kWaitMs));
        openRow(table, 0);
        const bool shares_listed = QTest::qWaitFor([&] { return rowNamed(table, "docs") >= 0; }, kWaitMs);
        screenshot(main, "main_window_shares");
        ASSERT_TRUE(shares_listed) << table->rowCount() << " rows; first "
                                   << table->recordOfRow(0).getName().toStdString();

        // 2. Into the share; a new folder, renamed.
        openRow(table, rowNamed(table, "docs"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return pane->data()->m_current_path.endsWith("docs"); }, kWaitMs))
            << pane->data()->m_current_path.toStdString();
        const std::string share = server.shareFolder();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(table->viewport()->width() / 2,
                                                                           table->viewport()->height() - 5));
        QTest::keyClick(main, Qt::Key_F3);
        ASSERT_TRUE(QTest::qWaitFor([&] { return table->editor()->isVisible(); }, kWaitMs));
        commitEditor(table, "Reports");
        ASSERT_TRUE(QTest::qWaitFor([&] { return fs::is_directory(share + "/Reports"); }, kWaitMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return rowNamed(table, "Reports") >= 0; }, kWaitMs));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowCentre(table, rowNamed(table, "Reports")));
        QTest::keyClick(main, Qt::Key_F2);
        ASSERT_TRUE(QTest::qWaitFor([&] { return table->editor()->isVisible(); }, kWaitMs));
        commitEditor(table, "Reports 2026 – Übersicht");
        ASSERT_TRUE(QTest::qWaitFor([&] { return fs::is_directory(share + "/Reports 2026 – Übersicht"); }, kWaitMs));
        EXPECT_FALSE(fs::exists(share + "/Reports"));
        screenshot(main, "folder_renamed");

        // The upload: a folder dropped from a file manager onto the view.
        limitSite(pane->peerId(), 8192);
        const std::string local_tree = user.local() + "/Upload ü";
        const auto digests = makeUploadTree(local_tree, 200, size_t(50) << 20);
        {
            QMimeData mime;
            mime.setData(QStringLiteral("text/uri-list"),
                         QUrl::fromLocalFile(QString::fromStdString(local_tree)).toEncoded() + "\r\n");
            const QPoint empty(table->viewport()->width() / 2, table->viewport()->height() - 5);
            QDragEnterEvent enter(empty, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(table->viewport(), &enter);
            QDragMoveEvent move(empty, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(table->viewport(), &move);
            ASSERT_TRUE(move.isAccepted());
            QDropEvent drop(empty, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(table->viewport(), &drop);
        }
        // The Task Manager shows the queue while it runs and ends empty.
        ASSERT_TRUE(QTest::qWaitFor([&] { return central->transferButton()->isEnabled(); }, kWaitMs));
        QTest::mouseClick(central->transferButton(), Qt::LeftButton);
        QueuePage* queue = central->queuePage();
        ASSERT_NE(queue, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return queue->isVisible(); }, kWaitMs));
        // The upload is slowed (the large file takes seconds) so that the
        // window's polls see it; then it runs at full speed.
        ASSERT_TRUE(QTest::qWaitFor([&] { return queuedTasks(queue) > 0; }, 10000));
        screenshot(queue, "task_manager", "task-manager");
        limitSite(pane->peerId(), 0);
        const std::string uploaded = share + "/Upload ü";
        ASSERT_TRUE(QTest::qWaitFor([&] { return digestMismatches(uploaded, digests) == 0; }, kWaitMs))
            << digestMismatches(uploaded, digests) << " files differ";
        EXPECT_TRUE(QTest::qWaitFor([&] { return queuedTasks(queue) == 0; }, kWaitMs));
        screenshot(queue, "task_manager_empty");
        queue->close();

        // 3. The folder back to this computer through "Download to", the
        // folder question answered with a local folder.
        const std::string downloads = user.local() + "/Downloads";
        fs::create_directories(downloads);
        installFolderDialogResponder([&](const QString&) { return QString::fromStdString(downloads); });
        ASSERT_TRUE(QTest::qWaitFor([&] { return rowNamed(table, "Upload ü") >= 0; }, kWaitMs));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowCentre(table, rowNamed(table, "Upload ü")));
        QTest::keyClick(main, Qt::Key_F6);
        const std::string downloaded = downloads + "/Upload ü";
        EXPECT_TRUE(QTest::qWaitFor([&] { return digestMismatches(downloaded, digests) == 0; }, kWaitMs))
            << digestMismatches(downloaded, digests) << " files differ";
        screenshot(main, "folder_downloaded");

        // 3a. A large download paused and started again in the Task Manager:
        // "Paused" and the partial file no longer grows; then it ends whole.
        limitSite(pane->peerId(), 1024);
        ASSERT_TRUE(QTest::qWaitFor([&] { return rowNamed(table, "paused.bin") >= 0; }, kWaitMs));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowCentre(table, rowNamed(table, "paused.bin")));
        QTest::keyClick(main, Qt::Key_F6);
        QueuePage* tasks = nullptr;
        const uint64_t paused_id = showRunningTask(central, "paused.bin", &tasks);
        ASSERT_NE(paused_id, 0u) << "the download never showed moving";
        QListWidget* task_rows = tasks->simpleQueue()->listWidget();
        task_rows->clearSelection();
        task_rows->item(taskRowNamed(tasks, "paused.bin"))->setSelected(true);
        QTest::mouseClick(tasks->topToolBar()->actionBar()->button(ActionBar::BA_PAUSE), Qt::LeftButton);
        auto statusText = [&](const std::string& name) {
            const int row = taskRowNamed(tasks, name);
            TaskEntry* entry = row < 0 ? nullptr : tasks->simpleQueue()->entryAt(row);
            return entry ? entry->progressStatus()->statusLabel()->text() : QString();
        };
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return storedTask(paused_id).local_state == ResumeInfo::RI_PAUSED &&
                       statusText("paused.bin") == QStringLiteral("Paused");
            },
            kWaitMs))
            << statusText("paused.bin").toStdString();
        screenshot(tasks, "task_paused");
        const std::string partial = storedTask(paused_id).temp_path.c_str_utf8();
        const uintmax_t paused_size = fileSize(partial);
        {
            // Two more polls of the window: nothing arrives meanwhile.
            QSignalSpy polls(GlobalConnecter::getInstance(), &GlobalConnecter::sigUpdateActionBarButton);
            ASSERT_TRUE(QTest::qWaitFor([&] { return polls.count() >= 2; }, kWaitMs));
        }
        EXPECT_EQ(fileSize(partial), paused_size);
        EXPECT_LT(paused_size, paused_bytes.size());
        task_rows->clearSelection();
        task_rows->item(taskRowNamed(tasks, "paused.bin"))->setSelected(true);
        QTest::mouseClick(tasks->topToolBar()->actionBar()->button(ActionBar::BA_START), Qt::LeftButton);
        // 3 MiB at 1 MiB/s, part of it already here.
        ASSERT_TRUE(QTest::qWaitFor([&] { return storedTask(paused_id).resume_id == 0; }, 15000))
            << statusText("paused.bin").toStdString();
        EXPECT_EQ(qm_test::sha256OfFile(downloads + "/paused.bin"), qm_test::sha256Hex(paused_bytes));
        tasks->close();
        installFolderDialogResponder({});

        // 4. The Log window: the login, the folder operations and the transfer.
        QTest::mouseClick(central->logButton(), Qt::LeftButton);
        LogPage* log = central->logPage();
        ASSERT_NE(log, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return log->isVisible(); }, kWaitMs));
        // The keyword finds the new folder and its rename, and nothing else.
        QTableWidget* rows = log->miscLogWidget()->table()->getTable();
        // The login, the new folder and its rename at least.
        ASSERT_TRUE(QTest::qWaitFor([&] { return rows->rowCount() >= 3; }, 5000)) << rows->rowCount();
        screenshot(log, "log_window", "log-window");
        const int all_rows = rows->rowCount();
        typeInto(log->filterBar()->lineEdit(), QStringLiteral("Reports"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return rows->rowCount() == 2; }, kWaitMs))
            << rows->rowCount() << " of " << all_rows << " rows";
        screenshot(log, "log_window_keyword");
        log->close();
        screenshot(main, "main_window", "main-window");

        // 5. The server goes away while a slowed download runs: the next
        // heartbeat finds it gone and the tab shows the disconnected sheet
        // within seconds (not after the minute a site may go without a
        // worker), counting down to a login; the download waits, keeping
        // what it has. Back on its ports, the server has forgotten the
        // session: the site logs in afresh at once and the download goes on.
        installFolderDialogResponder([&](const QString&) { return QString::fromStdString(downloads); });
        ASSERT_TRUE(QTest::qWaitFor([&] { return rowNamed(table, "lost.bin") >= 0; }, kWaitMs));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowCentre(table, rowNamed(table, "lost.bin")));
        QTest::keyClick(main, Qt::Key_F6);
        const uint64_t lost_id = showRunningTask(central, "lost.bin", &tasks);
        ASSERT_NE(lost_id, 0u) << "the download never showed moving";
        installFolderDialogResponder({});
        screenshot(tasks, "task_manager_before_lost_server");
        server.kill();
        auto sheetShown = [](VexoMessageSheet* sheet) { return sheet && sheet->isVisible(); };
        // A heartbeat period and a login refused: a few seconds at most.
        ASSERT_TRUE(QTest::qWaitFor([&] { return sheetShown(pane->disconnectedSheet()); }, 8000))
            << "no disconnected sheet";
        screenshot(main, "server_lost");
        EXPECT_EQ(pane->reconnectingState(), SiteWidget::RS_AUTO_RETRY);
        EXPECT_TRUE(central->tabPages().at(0).btn->isDisconnected());
        screenshot(tasks, "task_manager_server_lost");
        // The countdown (2 s here) ends in a login, which finds no server.
        ASSERT_TRUE(QTest::qWaitFor([&] { return sheetShown(pane->connectingSheet()); }, 8000))
            << "state " << pane->reconnectingState();
        ASSERT_TRUE(QTest::qWaitFor([&] { return sheetShown(pane->disconnectedSheet()); }, 8000))
            << "the refused login did not come back to the countdown";
        ASSERT_TRUE(server.restart());
        // The next countdown, one login refused for its old seed, one fresh login.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return pane->reconnectingState() == SiteWidget::RS_NONE && !sheetShown(pane->connectingSheet()) &&
                       !sheetShown(pane->disconnectedSheet());
            },
            10000))
            << "state " << pane->reconnectingState() << ", connecting " << sheetShown(pane->connectingSheet())
            << ", disconnected " << sheetShown(pane->disconnectedSheet());
        EXPECT_FALSE(central->tabPages().at(0).btn->isDisconnected());
        screenshot(main, "server_back");
        // The cut download goes on after the new login and ends whole.
        ASSERT_TRUE(QTest::qWaitFor([&] { return storedTask(lost_id).resume_id == 0; }, 15000))
            << storedTask(lost_id).local_state << " " << statusText("lost.bin").toStdString();
        EXPECT_EQ(qm_test::sha256OfFile(downloads + "/lost.bin"), qm_test::sha256Hex(lost_bytes));
        // The picture once the window's next poll has taken the finished task away.
        EXPECT_TRUE(QTest::qWaitFor([&] { return queuedTasks(tasks) == 0; }, 5000));
        screenshot(tasks, "task_manager_after_lost_server");
        tasks->close();

        // 6. Closing: the confirmation, then every site closed at the server.
        Responder closing([](const SheetRequest&) { return int(QMessageBox::Ok); });
        main->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !server.control().LastRequest("close_peer").isNull(); }, kWaitMs));
        ASSERT_EQ(closing.seen.size(), 1);
        EXPECT_EQ(closing.seen.at(0).text, T(StrTable::close_app_hint));
        script_done = true;
    });
    EXPECT_TRUE(script_done);
    EXPECT_EQ(result, 0);
    // Beyond the refused first handshake, only the data connections cut at
    // the end (the server's engine logs into the same file) are errors.
    for (const std::string& line : session::unexpectedErrors(user.log() + "/ui.log", kDisconnectErrors))
        ADD_FAILURE() << line;
    if (::testing::Test::HasFailure())
        std::fprintf(stderr, "ui.log:\n%s\n", qm_test::readFile(user.log() + "/ui.log").c_str());

    // The second start on the same folders remembers the connection and the
    // password that was to be remembered.
    std::string output;
    EXPECT_EQ(runChild("second-start", output), 0) << output;
    EXPECT_EQ(valueOf(output, "RESULT"), "0");
    EXPECT_EQ(valueOf(output, "USER"), "alice");
    EXPECT_EQ(valueOf(output, "ADDRESS"), server.address());
    // The field holds a stand-in for the saved password, never the password.
    EXPECT_FALSE(valueOf(output, "PASSWORD").empty());
    EXPECT_NE(valueOf(output, "PASSWORD"), "secret");
    EXPECT_EQ(valueOf(output, "REMEMBER"), "1");
}

TEST(Session, DamagedSystemDatabaseIsMovedAsideOnConsentAndTheProgramStartsFresh)
{
    session::UserFolders user;
    user.exportEnvironment();
    const std::string damaged = "this is not a database, only bytes in its place\n";
    ASSERT_TRUE(qm_test::writeFile(user.data() + "/sys-db.sqlite", damaged));

    std::string output;
    EXPECT_EQ(runChild("damaged-database", output), 0) << output;
    EXPECT_EQ(valueOf(output, "LOGIN_SHOWN"), "1");
    EXPECT_EQ(valueOf(output, "QUESTION"), T(StrTable::upgrade_failed).toStdString());
    EXPECT_EQ(qm_test::readFile(user.data() + "/sys-db.sqlite.broken"), damaged);
    EXPECT_TRUE(isSqliteDatabase(user.data() + "/sys-db.sqlite"));
}

int main(int argc, char** argv)
{
    g_argc = argc;
    g_argv = argv;
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    g_self = n > 0 ? std::string(self, size_t(n)) : std::string(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--child=second-start")
            return childSecondStart();
        if (arg == "--child=damaged-database")
            return childDamagedDatabase();
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
