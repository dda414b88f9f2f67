// The X direct-save drag from the bridge's side, against a fake file manager
// on the test's X server: a window of its own connection that takes part in
// the drag as a drop target does (enter, position, status, drop), writes a
// destination into the source window's property, asks for the data and
// reads the answer. The pointer is moved with real X input (xdotool).
#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QRect>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>
#include <poll.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "dnd_manager.h"
#include "dnd_path.h"
#include "support/temp_dir.h"
#include "ui_path_manager.h"

namespace fs = std::filesystem;

namespace {

const int kWaitMs = 20000;

// A window that starts the bridge's drag at the first move with the left
// button held, as the site views do.
class DragSource : public QWidget {
protected:
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!(event->buttons() & Qt::LeftButton) || m_busy)
            return;
        m_busy = true;
        DndManager::getInstance()->setInnerDrag(true);
        DndManager::getInstance()->execDrag();
        m_busy = false;
    }

private:
    bool m_busy = false;
};

// One of the program's own windows as a drop target: it records the URLs.
class OwnDropTarget : public QWidget {
public:
    OwnDropTarget() { setAcceptDrops(true); }
    QList<QUrl> urls;
    bool dropped = false;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (event->mimeData()->hasUrls())
            event->acceptProposedAction();
    }
    void dragMoveEvent(QDragMoveEvent* event) override { event->acceptProposedAction(); }
    void dropEvent(QDropEvent* event) override
    {
        urls = event->mimeData()->urls();
        dropped = true;
        event->acceptProposedAction();
    }
};

// The drop target's half of the protocol, on a connection and a thread of its own.
class FakeFileManager {
public:
    // `uri`: what the drop writes into the source's property ("" writes nothing).
    FakeFileManager(QRect geometry, std::string uri) : m_uri(std::move(uri))
    {
        m_c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_c))
            return;
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        m_root = screen->root;
        m_window = xcb_generate_id(m_c);
        const uint32_t values[] = {screen->white_pixel, 1, XCB_EVENT_MASK_PROPERTY_CHANGE};
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, m_root, int16_t(geometry.x()), int16_t(geometry.y()),
                          uint16_t(geometry.width()), uint16_t(geometry.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK,
                          values);
        const uint32_t version = 5;
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_window, Atom("XdndAware"), XCB_ATOM_ATOM, 32, 1, &version);
        xcb_map_window(m_c, m_window);
        xcb_flush(m_c);
        m_thread = std::thread([this] { Run(); });
    }
    ~FakeFileManager()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_c)
            xcb_disconnect(m_c);
    }
    bool ok() const { return m_c && !xcb_connection_has_error(m_c) && m_thread.joinable(); }

    bool dragRunning()
    {
        xcb_get_selection_owner_reply_t* reply =
            xcb_get_selection_owner_reply(m_c, xcb_get_selection_owner(m_c, Atom("XdndSelection")), nullptr);
        const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
        std::free(reply);
        return owned;
    }

    std::atomic<bool> positioned{false};
    std::atomic<bool> finished{false};
    std::mutex lock;
    std::vector<std::string> types;  // offered at enter
    std::string offered_name;        // the source's property at the drop
    std::string answer;              // the data the source gave
    std::string left_after;          // the source's property after the answer

private:
    xcb_atom_t Atom(const char* name)
    {
        xcb_intern_atom_reply_t* reply =
            xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    }
    std::string Name(xcb_atom_t atom)
    {
        xcb_get_atom_name_reply_t* reply = xcb_get_atom_name_reply(m_c, xcb_get_atom_name(m_c, atom), nullptr);
        std::string name = reply ? std::string(xcb_get_atom_name_name(reply), xcb_get_atom_name_name_length(reply)) : "";
        std::free(reply);
        return name;
    }
    std::string Property(xcb_window_t window, xcb_atom_t property, bool remove)
    {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            m_c, xcb_get_property(m_c, remove, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096), nullptr);
        std::string value;
        if (reply && reply->format == 8)
            value.assign(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
        std::free(reply);
        return value;
    }
    void Send(const char* type, const uint32_t (&data)[5])
    {
        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = m_source;
        message.type = Atom(type);
        std::memcpy(message.data.data32, data, sizeof data);
        xcb_send_event(m_c, 0, m_source, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
        xcb_flush(m_c);
    }
    void OnMessage(const xcb_client_message_event_t* message)
    {
        const std::string type = Name(message->type);
        const uint32_t* data = message->data.data32;
        if (type == "XdndEnter") {
            m_source = data[0];
            std::vector<std::string> names;
            if (data[1] & 1) {
                xcb_get_property_reply_t* reply = xcb_get_property_reply(
                    m_c, xcb_get_property(m_c, 0, m_source, Atom("XdndTypeList"), XCB_ATOM_ATOM, 0, 64), nullptr);
                const xcb_atom_t* atoms = reply ? static_cast<const xcb_atom_t*>(xcb_get_property_value(reply)) : nullptr;
                for (int i = 0; reply && i < xcb_get_property_value_length(reply) / 4; ++i)
                    names.push_back(Name(atoms[i]));
                std::free(reply);
            } else {
                for (int i = 2; i < 5; ++i)
                    if (data[i])
                        names.push_back(Name(data[i]));
            }
            std::lock_guard<std::mutex> guard(lock);
            types = names;
        } else if (type == "XdndPosition") {
            Send("XdndStatus", {m_window, 1, 0, 0, Atom("XdndActionCopy")});
            positioned = true;
        } else if (type == "XdndDrop") {
            const std::string name = Property(m_source, Atom("XdndDirectSave0"), false);
            {
                std::lock_guard<std::mutex> guard(lock);
                offered_name = name;
            }
            if (!m_uri.empty())
                xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_source, Atom("XdndDirectSave0"), Atom("text/plain"),
                                    8, uint32_t(m_uri.size()), m_uri.data());
            xcb_convert_selection(m_c, m_window, Atom("XdndSelection"), Atom("XdndDirectSave0"), Atom("XDS_ANSWER"),
                                  data[2]);
            xcb_flush(m_c);
        }
    }
    void Run()
    {
        pollfd fd = {xcb_get_file_descriptor(m_c), POLLIN, 0};
        while (!m_stop) {
            xcb_generic_event_t* event = xcb_poll_for_event(m_c);
            if (!event) {
                if (xcb_connection_has_error(m_c))
                    return;
                poll(&fd, 1, 50);
                continue;
            }
            const uint8_t kind = event->response_type & 0x7f;
            if (kind == XCB_CLIENT_MESSAGE) {
                OnMessage(reinterpret_cast<xcb_client_message_event_t*>(event));
            } else if (kind == XCB_SELECTION_NOTIFY) {
                const std::string data = Property(m_window, Atom("XDS_ANSWER"), true);
                const std::string left = Property(m_source, Atom("XdndDirectSave0"), false);
                {
                    std::lock_guard<std::mutex> guard(lock);
                    answer = data;
                    left_after = left;
                }
                Send("XdndFinished", {m_window, data == "S" ? 1u : 0u, Atom("XdndActionCopy"), 0, 0});
                finished = true;
            }
            std::free(event);
        }
    }

    std::string m_uri;
    xcb_connection_t* m_c = nullptr;
    xcb_window_t m_root = 0;
    xcb_window_t m_window = 0;
    xcb_window_t m_source = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

bool WaitFor(const std::function<bool()>& condition)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

class DirectSaveDrag : public ::testing::Test {
protected:
    DirectSaveDrag()
    {
        UIPathManager::getInstance()->setPath(QStringLiteral("user_data_path"), QString::fromStdString(m_data.path()));
        fs::create_directories(DndManager::markerFolderPath().toStdString());
        m_source.setGeometry(0, 0, 200, 200);
        m_source.show();
    }

    // Drags from the source onto the fake file manager with a real pointer;
    // returns when the drag and the file manager's exchange are over.
    void DragOnto(FakeFileManager& target)
    {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_source));
        bool driven = false;
        std::thread pointer([&] {
            driven = std::system("xdotool mousemove 100 100 mousedown 1 mousemove 110 110 mousemove 120 120") == 0 &&
                     WaitFor([&] { return target.dragRunning(); }) &&
                     std::system("xdotool mousemove 350 100 sleep 0.1 mousemove 360 110") == 0 &&
                     WaitFor([&] { return target.positioned.load(); }) &&
                     std::system("xdotool mousemove 370 120 sleep 0.1 mouseup 1") == 0;
        });
        const bool over = QTest::qWaitFor([&] { return target.finished.load(); }, kWaitMs);
        pointer.join();
        ASSERT_TRUE(driven) << "xdotool could not drive the pointer";
        ASSERT_TRUE(over) << "the fake file manager got no answer";
    }

    qm_test::TempDir m_data{"qm-dnd-xds"};
    DragSource m_source;
};

TEST_F(DirectSaveDrag, DropIntoAFolderAnswersSavedAndReportsTheFolder)
{
    qm_test::TempDir drop("qm-dnd-xds drop ü");
    const std::string uri =
        QUrl::fromLocalFile(QString::fromStdString(drop.path()) + "/qzdragfolderQZDF").toEncoded().toStdString();
    FakeFileManager target(QRect(300, 0, 200, 200), uri);
    ASSERT_TRUE(target.ok());
    QSignalSpy finished(DndManager::getInstance(), &DndManager::sigDndFinished);
    DragOnto(target);

    std::lock_guard<std::mutex> guard(target.lock);
    // The file manager is offered the direct save alone: given the marker's
    // URL list as well, it would copy the empty folder instead.
    EXPECT_NE(std::find(target.types.begin(), target.types.end(), "XdndDirectSave0"), target.types.end());
    EXPECT_EQ(std::find(target.types.begin(), target.types.end(), "text/uri-list"), target.types.end());
    EXPECT_EQ(target.offered_name, "qzdragfolderQZDF");
    EXPECT_EQ(target.answer, "S");
    EXPECT_EQ(target.left_after, "");
    // The drag's own report is empty (no copy hook answered); the direct
    // save reports the folder from the event loop.
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 2; }, kWaitMs));
    QStringList reported;
    for (const QList<QVariant>& args : finished)
        reported << args.at(0).toString();
    reported.sort();
    EXPECT_EQ(reported, QStringList() << QString() << QString::fromStdString(drop.path()));
    EXPECT_FALSE(fs::exists(drop.file("qzdragfolderQZDF")));
    EXPECT_FALSE(DndManager::getInstance()->isInnerDrag());
}

TEST_F(DirectSaveDrag, RefusedDestinationAnswersErrorAndReportsNothing)
{
    const struct {
        const char* name;
        std::string uri;
    } rows[] = {
        {"missing folder", "file:///nonexistent-qm-folder/qzdragfolderQZDF"},
        {"nothing written", ""},
    };
    for (const auto& row : rows) {
        FakeFileManager target(QRect(300, 0, 200, 200), row.uri);
        ASSERT_TRUE(target.ok());
        QSignalSpy finished(DndManager::getInstance(), &DndManager::sigDndFinished);
        DragOnto(target);
        std::lock_guard<std::mutex> guard(target.lock);
        EXPECT_EQ(target.answer, "E") << row.name;
        QTest::qWait(0);
        for (const QList<QVariant>& args : finished)
            EXPECT_EQ(args.at(0).toString(), QString()) << row.name;
    }
}

// The program's own views are no file manager: they still get the marker.
TEST_F(DirectSaveDrag, OwnWindowsStillReceiveTheMarkerFolder)
{
    OwnDropTarget target;
    target.setGeometry(300, 0, 200, 200);
    target.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_source));
    QSignalSpy finished(DndManager::getInstance(), &DndManager::sigDndFinished);
    bool driven = false;
    std::thread pointer([&] {
        driven = std::system("xdotool mousemove 100 100 mousedown 1 mousemove 110 110 sleep 0.2 mousemove 350 100 "
                             "sleep 0.2 mousemove 360 110 sleep 0.2 mouseup 1") == 0;
    });
    const bool dropped = QTest::qWaitFor([&] { return target.dropped; }, kWaitMs);
    pointer.join();
    ASSERT_TRUE(driven);
    ASSERT_TRUE(dropped);
    EXPECT_EQ(target.urls, QList<QUrl>() << QUrl::fromLocalFile(DndManager::markerFolderPath()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, kWaitMs));
    EXPECT_EQ(finished.at(0).at(0).toString(), QString());
}

// What a file manager writes is checked before any download starts.
TEST(DirectSaveUri, OnlyALocalAbsoluteFileUriOfAnExistingFolderIsTaken)
{
    qm_test::TempDir dir("qm-dnd-uri");
    fs::create_directories(dir.file("a b%c é"));
    ASSERT_TRUE(qm_test::writeFile(dir.file("f"), "f"));
    const QByteArray base = QUrl::fromLocalFile(QString::fromStdString(dir.path())).toEncoded();
    const struct {
        const char* name;
        QByteArray uri;
        std::string folder;  // "" when refused
    } rows[] = {
        {"plain", base + "/qzdragfolderQZDF", dir.path()},
        {"localhost", "file://localhost" + base.mid(7) + "/x", dir.path()},
        {"encoded names", base + "/a%20b%25c%20%C3%A9/qzdragfolderQZDF", dir.file("a b%c é")},
        {"root", "file:///qzdragfolderQZDF", "/"},
        {"other host", "file://elsewhere" + base.mid(7) + "/x", ""},
        {"other scheme", "sftp://host" + base.mid(7) + "/x", ""},
        {"relative", "file:tmp/x", ""},
        {"no name", base + "/", ""},
        {"missing folder", base + "/none/x", ""},
        {"a file as folder", base + "/f/x", ""},
        {"dot dot", base + "/a%20b%25c%20%C3%A9/../x", ""},
        {"encoded dot dot", base + "/%2E%2E/x", ""},
        {"NUL", base + "/x%00y", ""},
        {"NUL hiding the name", base + "%00/x", ""},
        {"not UTF-8", base + "/%FF/x", ""},
        {"query", base + "/x?y", ""},
        {"fragment", base + "/x#y", ""},
        {"empty", "", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(dropFolderFromSaveUri(row.uri).toStdString(), row.folder) << row.name;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QM_IPC_SUFFIX", ("-dnd-xds-" + std::to_string(getpid())).c_str(), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
