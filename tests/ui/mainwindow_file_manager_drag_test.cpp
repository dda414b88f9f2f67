// A drag out of the main window onto a real file manager: Thunar, in a D-Bus
// session of its own on the test's X server, shows a temporary folder; a
// server file and then a server folder are dragged from the details view
// onto it with real X input (xdotool). Thunar speaks the X direct-save
// protocol, so each drag ends in a download into the folder it shows,
// checked by digest; no marker folder is left there.
#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "central-widget.h"
#include "main-window.h"
#include "mainwindow_session_fixture.h"
#include "site-detail-widget.h"
#include "site-table-widget.h"
#include "site-widget.h"
#include "support/digest.h"
#include "support/temp_dir.h"
#include "vexoqelt_test_support.h"

namespace fs = std::filesystem;
using namespace mwtest;

namespace {

const int kWaitMs = 60000;

std::string Bytes(size_t n, unsigned seed)
{
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = char(seed >> 16);
    }
    return bytes;
}

// The output of a command, "" when it fails.
std::string Output(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        if (pclose(pipe) != 0)
            text.clear();
    }
    return text;
}

// Thunar on `folder` in a process group of its own (its D-Bus session and
// settings daemon with it), ended as a whole.
class Thunar {
public:
    Thunar(const std::string& folder, const std::string& home)
    {
        m_pid = fork();
        if (m_pid == 0) {
            setpgid(0, 0);
            for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
                const std::string dir = home + "/" + name;
                fs::create_directories(dir);
                fs::permissions(dir, fs::perms::owner_all);
                setenv(name, dir.c_str(), 1);
            }
            setenv("HOME", home.c_str(), 1);
            execlp("dbus-run-session", "dbus-run-session", "--", "thunar", folder.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        if (m_pid > 0)
            setpgid(m_pid, m_pid);
    }
    ~Thunar()
    {
        if (m_pid <= 0)
            return;
        kill(-m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        kill(-m_pid, SIGKILL);
    }
    // The id of Thunar's visible window, once it shows one.
    std::string WaitForWindow()
    {
        std::string id;
        (void)QTest::qWaitFor([&] {
            id = Output("xdotool search --onlyvisible --class Thunar 2>/dev/null | head -n 1");
            return !id.empty();
        }, kWaitMs);
        while (!id.empty() && (id.back() == '\n' || id.back() == ' '))
            id.pop_back();
        return id;
    }

private:
    pid_t m_pid = -1;
};

int RowNamed(SiteTableWidget* table, const QString& name)
{
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->recordOfRow(row).getName() == name)
            return row;
    return -1;
}

QPoint RowCentre(SiteTableWidget* table, int row)
{
    return table->visualRect(table->model()->index(row, 0)).center();
}

void OpenRow(SiteTableWidget* table, int row)
{
    QTest::mouseDClick(table->window()->windowHandle(), Qt::LeftButton, {},
                       table->viewport()->mapTo(table->window(), RowCentre(table, row)));
}

void SaveScreen(const QString& name)
{
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    shot.save(vexotest::artifactsDir() + QLatin1Char('/') + name + QStringLiteral(".png"));
}

class FileManagerDrag : public MainWindowSession {
protected:
    // Drags the row from its centre onto `drop` (global) with the real
    // pointer; the steps are paced so that both toolkits see each move.
    bool DragRow(SiteTableWidget* table, const QString& name, QPoint drop)
    {
        const int row = RowNamed(table, name);
        if (row < 0)
            return false;
        const QPoint from = table->viewport()->mapToGlobal(RowCentre(table, row));
        char script[512];
        std::snprintf(script, sizeof script,
                      "xdotool mousemove %d %d sleep 0.2 mousedown 1 sleep 0.2 mousemove %d %d sleep 0.2 "
                      "mousemove %d %d sleep 0.3 mousemove %d %d sleep 0.3 mousemove %d %d sleep 0.5 "
                      "mousemove %d %d sleep 0.5 mouseup 1",
                      from.x(), from.y(), from.x() + 6, from.y() + 2, (from.x() + drop.x()) / 2,
                      (from.y() + drop.y()) / 2, drop.x() + 20, drop.y(), drop.x() + 5, drop.y(), drop.x(), drop.y());
        std::atomic<bool> ok{false};
        std::atomic<bool> ended{false};
        std::thread pointer([&] {
            ok = std::system(script) == 0;
            ended = true;
        });
        // The drag runs in this thread's event loop; the pointer script ends first.
        (void)QTest::qWaitFor([&] { return ended.load(); }, kWaitMs);
        pointer.join();
        return ok;
    }
};

TEST_F(FileManagerDrag, ServerFileAndFolderDroppedOnThunarAreDownloadedThere)
{
    if (QStandardPaths::findExecutable(QStringLiteral("thunar")).isEmpty())
        GTEST_SKIP() << "no file manager to drop on: Thunar (Debian package thunar) is not installed";
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) << "xdotool is missing";
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty())
        << "dbus-run-session is missing";

    const std::string file_name = "report \xC3\xA9 #1.bin";
    ASSERT_TRUE(qm_test::writeFile(Docs("/" + file_name), Bytes(700000, 3)));
    fs::create_directories(Docs("/folder/deeper"));
    ASSERT_TRUE(qm_test::writeFile(Docs("/folder/b.bin"), Bytes(90000, 5)));
    ASSERT_TRUE(qm_test::writeFile(Docs("/folder/deeper/inner.txt"), "inner"));
    qm_test::TempDir shown("qm-thunar-drop");
    qm_test::TempDir home("qm-thunar-home");

    const uint64_t peer = LoginAs("alice", "secret");
    ASSERT_NE(peer, 0u);
    MainWindow* main = Window();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main->isVisible(); }, kWaitMs));
    main->move(700, 0);
    SiteTableWidget* table = Central()->tabPages().at(0).page->detail()->tableView();
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->rowCount() == 2; }, kWaitMs));
    OpenRow(table, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return RowNamed(table, "docs") >= 0; }, kWaitMs));
    OpenRow(table, RowNamed(table, "docs"));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return RowNamed(table, QString::fromStdString(file_name)) >= 0 && RowNamed(table, "folder") >= 0;
    }, kWaitMs));

    Thunar thunar(shown.path(), home.path());
    const std::string window = thunar.WaitForWindow();
    ASSERT_FALSE(window.empty()) << "Thunar showed no window";
    ASSERT_EQ(std::system(("xdotool windowmove " + window + " 0 0 windowsize " + window + " 660 600").c_str()), 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    // Thunar's folder view, right of its side pane, below its tool bar,
    // away from the icons it lays out from the top left.
    const QPoint drop(450, 420);

    QSignalSpy tasks(GlobalConnecter::getInstance(), &GlobalConnecter::sigTransferTaskAdded);
    ASSERT_TRUE(DragRow(table, QString::fromStdString(file_name), drop)) << "xdotool could not drive the pointer";
    const std::string digest = qm_test::sha256OfFile(Docs("/" + file_name));
    const bool file_arrived = QTest::qWaitFor(
        [&] { return qm_test::sha256OfFile(shown.file(file_name)) == digest; }, kWaitMs);
    ASSERT_TRUE(file_arrived) << "nothing downloaded into the folder Thunar shows";
    EXPECT_GE(tasks.count(), 1);

    ASSERT_TRUE(DragRow(table, QStringLiteral("folder"), drop));
    const bool folder_arrived = QTest::qWaitFor([&] {
        return qm_test::sha256OfFile(shown.file("folder/b.bin")) == qm_test::sha256OfFile(Docs("/folder/b.bin")) &&
               qm_test::sha256OfFile(shown.file("folder/deeper/inner.txt")) ==
                   qm_test::sha256OfFile(Docs("/folder/deeper/inner.txt"));
    }, kWaitMs);
    // Both items in Thunar's view beside the list they came from.
    SaveScreen(QStringLiteral("file_manager_drag"));
    ASSERT_TRUE(folder_arrived) << "the folder did not arrive whole";
    EXPECT_FALSE(fs::exists(shown.file("qzdragfolderQZDF")));
    EXPECT_EQ(tasks.count(), 2);
}

} // namespace

int main(int argc, char** argv)
{
    return runSessionTests(argc, argv, "qm-mainwindow-thunar");
}
