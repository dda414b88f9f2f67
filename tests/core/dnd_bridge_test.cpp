// The drag-and-drop bridge end to end: DndManager registers the copy hook in a
// temporary registry, and its drags run through a runner in which the harness
// plays the file manager dropping the marker folder.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <QDrag>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

#include <cstring>
#include <filesystem>
#include <thread>

#include "compat/sync.h"
#include "dnd_manager.h"
#include "dnd_path.h"
#include "file_manager.h"
#include "log.h"
#include "shellext_env.h"
#include "support/temp_dir.h"
#include "ui_path_manager.h"

// Qt's offscreen platform plugin keeps its screen until the process ends,
// which LeakSanitizer reports in sanitizer builds; only full stacks show that
// the allocations are the plugin's. Unused in other builds.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libqoffscreen.so\n";
}
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

namespace {

const char kMarker[] = "qzdragfolderQZDF";

struct Finished {
    int count = 0;
    QString folder;
    int cleaned = 0;
};

// The state byte and the path field of the block, read as another party would.
struct BlockSnapshot {
    bool exists = false;
    int state = -1;
};

BlockSnapshot snapshot()
{
    BlockSnapshot result;
    HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, u"VexoDndShellExtMapping");
    if (!mapping)
        return result;
    const BYTE* view = static_cast<const BYTE*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 525));
    if (view) {
        result.exists = true;
        result.state = view[1];
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return result;
}

ino_t blockInode()
{
    struct stat st {};
    const std::string path = "/dev/shm" + compat::ipcName(u"VexoDndShellExtMapping");
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

bool exists(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

// The file manager, on a thread of its own as another process would be.
UINT dropOnFileManager(UINT operation, const std::string& source, const std::string& destination)
{
    UINT answer = 0;
    std::thread explorer([&] {
        harness::FileManager manager;
        if (manager.loadHandlers() == 1)
            answer = manager.copyFolder(operation, source, destination);
    });
    explorer.join();
    return answer;
}

class Bridge : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "dnd_bridge_test";
        static char* argv[] = {name, nullptr};
        s_app = new QGuiApplication(argc, argv);
    }
    static void TearDownTestSuite()
    {
        delete s_app;
        s_app = nullptr;
    }

    void SetUp() override
    {
        data = env.file("data");
        drop = env.file("drop");
        std::filesystem::create_directories(data);
        std::filesystem::create_directories(drop);
        UIPathManager::getInstance()->setPath(QStringLiteral("application_path"), QStringLiteral(QM_STAGE_BIN_DIR));
        UIPathManager::getInstance()->setPath(QStringLiteral("user_data_path"), QString::fromStdString(data));
        ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, env.file("ui.log"), "", 50), 0);
    }
    void TearDown() override { Logger::Destroy(); }

    void watch(DndManager& manager)
    {
        QObject::connect(&manager, &DndManager::sigDndFinished, [this](QString folder) {
            ++finished.count;
            finished.folder = folder;
        });
        QObject::connect(&manager, &DndManager::sigCleanDragStyle, [this] { ++finished.cleaned; });
    }
    std::string marker() const { return data + "/" + kMarker; }
    std::string log() const { return qm_test::readFile(env.file("ui.log")); }

    static QGuiApplication* s_app;
    harness::ShellExtEnv env;
    std::string data;
    std::string drop;
    Finished finished;
};

QGuiApplication* Bridge::s_app = nullptr;

} // namespace

TEST(DndPath, ParentPath)
{
    const struct {
        const char* path;
        const char* parent;
    } cases[] = {
        {"C:\\Users\\u\\Desktop\\qzdragfolderQZDF", "C:\\Users\\u\\Desktop"},
        {"C:\\qzdragfolderQZDF", "C:"},
        {"C:/Users/u/qzdragfolderQZDF", "C:/Users/u"},
        {"/home/u/Desktop/qzdragfolderQZDF", "/home/u/Desktop"},
        {"/qzdragfolderQZDF", "/"},
        {"a/b\\c", "a/b"},
        {"1234567", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(getParentPath(QString::fromUtf8(c.path)), QString::fromUtf8(c.parent)) << c.path;
}

TEST(DndPath, DropFolderOnlyFromAMarkerInAnExistingFolder)
{
    qm_test::TempDir dir("qm-dnd-path");
    ASSERT_TRUE(qm_test::writeFile(dir.file("file"), "x"));
    const QString d = QString::fromStdString(dir.path());
    const struct {
        QString target;
        QString folder;
    } cases[] = {
        {d + "/qzdragfolderQZDF", d},
        {"/qzdragfolderQZDF", "/"},
        {"relative/qzdragfolderQZDF", ""},
        {"C:\\Users\\qzdragfolderQZDF", ""},
        {d + "/other", ""},
        {d + "/qzdragfolderQZDF/", ""},
        {d + "/missing/qzdragfolderQZDF", ""},
        {d + "/file/qzdragfolderQZDF", ""},
        {d + "\\qzdragfolderQZDF", ""},
        {"1234567", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dropFolderFromTarget(c.target), c.folder) << c.target.toStdString();
}

TEST_F(Bridge, OneManagerPerProcess)
{
    EXPECT_EQ(DndManager::getInstance(), DndManager::getInstance());
}

TEST_F(Bridge, InitializeRegistersAndMakesTheMarker)
{
    DndManager manager;
    manager.initialize();
    EXPECT_NE(log().find("registry HKLM success"), std::string::npos) << log();
    EXPECT_TRUE(std::filesystem::is_directory(marker()));
    const std::vector<harness::HandlerEntry> handlers = harness::findCopyHookHandlers();
    ASSERT_EQ(handlers.size(), 1u);
    EXPECT_EQ(handlers[0].library, QM_SHELLEXT_LIBRARY);
    manager.initialize(); // a second start finds everything in place
    EXPECT_TRUE(std::filesystem::is_directory(marker()));
}

TEST_F(Bridge, InitializeFallsBackToTheUserRoot)
{
    env.setReadOnly(HKEY_LOCAL_MACHINE);
    DndManager manager;
    manager.initialize();
    EXPECT_NE(log().find("registry HKLM failed. try HKCU"), std::string::npos);
    EXPECT_NE(log().find("registry HKCU success"), std::string::npos);
    EXPECT_EQ(harness::findCopyHookHandlers().size(), 1u);
}

// A registry file that cannot be read is reported in the client's log and
// left as it is; the user's root takes the registration instead.
TEST_F(Bridge, CorruptMachineRegistryIsLoggedAndKept)
{
    const std::string corrupt = "not a registry file\n";
    ASSERT_TRUE(qm_test::writeFile(env.file("HKLM.reg"), corrupt));
    DndManager manager;
    manager.initialize();
    EXPECT_NE(log().find("is corrupt"), std::string::npos) << log();
    EXPECT_NE(log().find("registry HKCU success"), std::string::npos);
    EXPECT_EQ(qm_test::readFile(env.file("HKLM.reg")), corrupt);
}

TEST_F(Bridge, InitializeWithNoWritableRootStillMakesTheMarker)
{
    env.setReadOnly(HKEY_LOCAL_MACHINE);
    env.setReadOnly(HKEY_CURRENT_USER);
    DndManager manager;
    manager.initialize();
    EXPECT_NE(log().find("registry HKCU failed"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(marker()));
}

TEST_F(Bridge, DropEndsInTheFolder)
{
    DndManager manager;
    manager.initialize();
    watch(manager);
    UINT answer = 0;
    QList<QUrl> urls;
    manager.setDragRunner([&](QDrag* drag) {
        urls = drag->mimeData()->urls();
        EXPECT_EQ(snapshot().state, 1);
        answer = dropOnFileManager(FO_COPY, marker(), drop + "/" + kMarker);
        return Qt::CopyAction;
    });
    manager.setInnerDrag(true);
    EXPECT_EQ(manager.execDrag(), 0);
    EXPECT_EQ(urls, QList<QUrl>() << QUrl::fromLocalFile(QString::fromStdString(marker())));
    EXPECT_EQ(answer, static_cast<UINT>(IDNO));
    EXPECT_EQ(finished.count, 1);
    EXPECT_EQ(finished.folder, QString::fromStdString(drop));
    EXPECT_FALSE(exists(drop + "/" + kMarker));
    EXPECT_EQ(snapshot().state, 0);
    EXPECT_EQ(finished.cleaned, 1);
    EXPECT_FALSE(manager.isInnerDrag());
}

TEST_F(Bridge, CancelledDragLeavesLaterCopiesAlone)
{
    DndManager manager;
    manager.initialize();
    watch(manager);
    manager.setDragRunner([](QDrag*) { return Qt::IgnoreAction; });
    manager.execDrag();
    EXPECT_EQ(finished.count, 1);
    EXPECT_EQ(finished.folder, QString());
    EXPECT_EQ(snapshot().state, 0);

    const std::string photos = env.file("photos");
    std::filesystem::create_directories(photos);
    ASSERT_TRUE(qm_test::writeFile(photos + "/a.jpg", "jpg"));
    EXPECT_EQ(dropOnFileManager(FO_COPY, photos, drop + "/photos"), static_cast<UINT>(IDYES));
    EXPECT_EQ(qm_test::readFile(drop + "/photos/a.jpg"), "jpg");
    // With no drag running even the marker folder is copied (the failure path).
    EXPECT_EQ(dropOnFileManager(FO_COPY, marker(), drop + "/" + kMarker), static_cast<UINT>(IDYES));
    EXPECT_TRUE(std::filesystem::is_directory(drop + "/" + kMarker));
}

// While a drag runs, a copy of the user's own folder is not taken for the drop.
TEST_F(Bridge, UsersOwnCopyDuringADragGoesThrough)
{
    DndManager manager;
    manager.initialize();
    watch(manager);
    const std::string photos = env.file("photos");
    std::filesystem::create_directories(photos);
    UINT own = 0, dropped = 0;
    manager.setDragRunner([&](QDrag*) {
        own = dropOnFileManager(FO_COPY, photos, drop + "/photos");
        dropped = dropOnFileManager(FO_MOVE, marker(), drop + "/" + kMarker);
        return Qt::CopyAction;
    });
    manager.execDrag();
    EXPECT_EQ(own, static_cast<UINT>(IDYES));
    EXPECT_TRUE(std::filesystem::is_directory(drop + "/photos"));
    EXPECT_EQ(dropped, static_cast<UINT>(IDNO));
    EXPECT_EQ(finished.folder, QString::fromStdString(drop));
    EXPECT_TRUE(std::filesystem::is_directory(marker()));
}

// Each drag makes a fresh block; after a long path, a destination too long to
// write leaves nothing of the earlier path to be read back.
TEST_F(Bridge, SecondDragMakesAFreshBlock)
{
    DndManager manager;
    manager.initialize();
    watch(manager);
    const std::string deep = drop + "/" + std::string(200, 'a');
    std::filesystem::create_directories(deep);
    ino_t first = 0, second = 0;
    manager.setDragRunner([&](QDrag*) {
        first = blockInode();
        dropOnFileManager(FO_COPY, marker(), deep + "/" + kMarker);
        return Qt::CopyAction;
    });
    manager.execDrag();
    EXPECT_EQ(finished.folder, QString::fromStdString(deep));

    const std::string too_long = "/" + std::string(260, 'b') + "/" + kMarker;
    manager.setDragRunner([&](QDrag*) {
        second = blockInode();
        EXPECT_EQ(dropOnFileManager(FO_COPY, marker(), too_long), static_cast<UINT>(IDNO));
        return Qt::CopyAction;
    });
    manager.execDrag();
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, 0u);
    EXPECT_NE(first, second);
    EXPECT_EQ(finished.count, 2);
    EXPECT_EQ(finished.folder, QString());
    EXPECT_EQ(snapshot().state, 0);
}

// A block left behind by a client that died is wiped before it is used again.
TEST_F(Bridge, StaleBlockIsClearedBeforeADrag)
{
    HANDLE stale = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 525, u"VexoDndShellExtMapping");
    ASSERT_NE(stale, nullptr);
    BYTE* view = static_cast<BYTE*>(MapViewOfFile(stale, FILE_MAP_ALL_ACCESS, 0, 0, 525));
    ASSERT_NE(view, nullptr);
    view[0] = 1;
    view[1] = 2;
    const std::u16string old_path = u"/" + std::u16string(drop.begin(), drop.end()).substr(1) + u"/qzdragfolderQZDF";
    std::memcpy(view + 10, old_path.data(), old_path.size() * 2);
    UnmapViewOfFile(view);
    CloseHandle(stale);

    DndManager manager;
    manager.initialize();
    watch(manager);
    manager.setDragRunner([&](QDrag*) {
        dropOnFileManager(FO_COPY, marker(), "/" + std::string(300, 'c') + "/" + kMarker);
        return Qt::CopyAction;
    });
    manager.execDrag();
    EXPECT_EQ(finished.count, 1);
    EXPECT_EQ(finished.folder, QString());
}

TEST_F(Bridge, BadTargetsGiveNoFolder)
{
    DndManager manager;
    manager.initialize();
    watch(manager);
    const std::string targets[] = {"relative/qzdragfolderQZDF", drop + "/not-the-marker",
                                   drop + "/missing/qzdragfolderQZDF"};
    for (const std::string& target : targets) {
        manager.setDragRunner([&](QDrag*) {
            EXPECT_EQ(dropOnFileManager(FO_COPY, marker(), target), static_cast<UINT>(IDNO));
            return Qt::CopyAction;
        });
        manager.execDrag();
        EXPECT_EQ(finished.folder, QString()) << target;
    }
    EXPECT_EQ(finished.count, 3);
}

// The client waits 250 ms for the block mutex after the drag and gives up,
// leaving the block as it was.
TEST_F(Bridge, MutexHeldAfterTheDragGivesNoFolder)
{
    DndManager manager;
    manager.initialize();
    watch(manager);
    std::unique_ptr<harness::ChildProcess> holder;
    manager.setDragRunner([&](QDrag*) {
        holder.reset(new harness::ChildProcess({QM_SHELLEXT_HARNESS, "hold-mutex", "VexoDndShellExtMutex"}));
        EXPECT_EQ(holder->readLine(), "held");
        return Qt::CopyAction;
    });
    manager.execDrag();
    EXPECT_EQ(finished.count, 1);
    EXPECT_EQ(finished.folder, QString());
    holder->closeInput();
    EXPECT_EQ(holder->wait(), 0);
    EXPECT_EQ(snapshot().state, 1);
}

TEST_F(Bridge, HolderKilledMidDragDoesNotBlock)
{
    DndManager manager;
    manager.initialize();
    watch(manager);
    manager.setDragRunner([&](QDrag*) {
        harness::ChildProcess holder({QM_SHELLEXT_HARNESS, "hold-mutex", "VexoDndShellExtMutex"});
        EXPECT_EQ(holder.readLine(), "held");
        holder.kill(SIGKILL);
        EXPECT_EQ(holder.wait(), 128 + SIGKILL);
        EXPECT_EQ(dropOnFileManager(FO_COPY, marker(), drop + "/" + kMarker), static_cast<UINT>(IDNO));
        return Qt::CopyAction;
    });
    manager.execDrag();
    EXPECT_EQ(finished.folder, QString::fromStdString(drop));
}

TEST_F(Bridge, ClientRemovesItsBlockWhenItEnds)
{
    {
        DndManager manager;
        manager.setDragRunner([](QDrag*) { return Qt::IgnoreAction; });
        manager.execDrag();
        EXPECT_TRUE(snapshot().exists);
    }
    EXPECT_FALSE(snapshot().exists);
}

// The client reads at most the field's 260 units, whatever the block holds.
TEST_F(Bridge, TargetIsReadWithinTheField)
{
    CShellExtensionInterface csei;
    csei.InitDrag();
    HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, u"VexoDndShellExtMapping");
    ASSERT_NE(mapping, nullptr);
    BYTE* view = static_cast<BYTE*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 525));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view[0], 1);
    EXPECT_EQ(view[1], 1);
    const BYTE placeholder[8] = {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x00};
    EXPECT_EQ(std::memcmp(view + 2, placeholder, 8), 0);
    view[1] = 2;
    view[524] = 9;
    std::memset(view + 2, 0x41, 522);
    const QString target = csei.GetTarget();
    EXPECT_EQ(target, QString(260, QChar(0x4141)));
    EXPECT_EQ(view[1], 0);
    EXPECT_EQ(view[524], 0);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
}
