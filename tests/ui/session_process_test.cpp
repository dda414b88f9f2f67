// The program itself as a separate process on a virtual X server: it starts
// to the login window and ends with 0 when the window is closed the way a
// window manager closes it; a second instance beside it ends at once with 0;
// a data folder that cannot be made shows a message and ends non-zero.
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>
#include <vector>

#include "session_support.h"

namespace {

const char kTitle[] = "Quillmar File Manager";

// The X server the test runs on (xvfb-run); windows found by their title.
class XServer {
public:
    XServer() : m_display(XOpenDisplay(nullptr)) {}
    ~XServer()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool open() const { return m_display != nullptr; }

    // Mapped windows with this title, anywhere in the tree.
    std::vector<Window> windowsTitled(const std::string& title)
    {
        std::vector<Window> found;
        collect(DefaultRootWindow(m_display), title, found);
        return found;
    }

    // What a window manager sends for the close button.
    void askToClose(Window window)
    {
        XEvent event = {};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_display, window, False, NoEventMask, &event);
        XFlush(m_display);
    }

private:
    void collect(Window window, const std::string& title, std::vector<Window>& found)
    {
        XWindowAttributes attributes;
        char* name = nullptr;
        if (XGetWindowAttributes(m_display, window, &attributes) && attributes.map_state == IsViewable &&
            XFetchName(m_display, window, &name) && name) {
            if (title == name)
                found.push_back(window);
        }
        if (name)
            XFree(name);
        Window root, parent;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, window, &root, &parent, &children, &count))
            return;
        for (unsigned i = 0; i < count; ++i)
            collect(children[i], title, found);
        if (children)
            XFree(children);
    }

    Display* m_display;
};

class ProgramProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!m_x.open())
            GTEST_SKIP() << "no X server (run under xvfb-run)";
        m_user.exportEnvironment();
    }

    void start(QProcess& process)
    {
        process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        process.start(QStringLiteral(QM_PROGRAM), QStringList());
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    Window waitForWindow()
    {
        std::vector<Window> windows;
        if (!QTest::qWaitFor([&] { return !(windows = m_x.windowsTitled(kTitle)).empty(); }, 30000))
            return 0;
        return windows.front();
    }

    XServer m_x;
    session::UserFolders m_user;
};

}  // namespace

TEST_F(ProgramProcessTest, StartsToTheLoginWindowEndsWithZeroWhenClosedAndASecondInstanceEndsAtOnce)
{
    QProcess program;
    start(program);
    const Window login = waitForWindow();
    ASSERT_NE(login, 0u) << program.readAllStandardError().toStdString();

    QProcess second;
    start(second);
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(program.state(), QProcess::Running);

    m_x.askToClose(login);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    // Started and ended cleanly: the log holds no error of its own making.
    for (const std::string& line : session::unexpectedErrors(m_user.log() + "/ui.log"))
        ADD_FAILURE() << line;
}

TEST_F(ProgramProcessTest, DataFolderThatCannotBeMadeShowsAMessageAndEndsNonZero)
{
    // A file where a parent folder should be: no user, root included, can make it.
    const std::string blocker = m_user.root() + "/not-a-folder";
    ASSERT_TRUE(qm_test::writeFile(blocker, "x"));
    qputenv("QUILLMAR_DATA_DIR", QByteArray::fromStdString(blocker + "/data"));

    QProcess program;
    start(program);
    const Window message = waitForWindow();
    ASSERT_NE(message, 0u) << program.readAllStandardError().toStdString();
    m_x.askToClose(message);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);  // no crash
    EXPECT_EQ(program.exitCode(), 1);
    const std::string said = program.readAllStandardError().toStdString();
    EXPECT_NE(said.find(blocker + "/data"), std::string::npos) << said;
    EXPECT_NE(said.find("cannot be created"), std::string::npos) << said;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
