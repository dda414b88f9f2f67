// File actions of the site pane end to end, checked on disk: new folder and
// rename through the table's editor, remove, copy and cut pasted twice, an
// upload from the computer, download and download-to, failures on a
// read-only share, actions that must do nothing, and the refusals of pastes
// that would move another server's files or copy a folder into itself.
#include <QCryptographicHash>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>

#include "event-manager.h"
#include "protocol/proto-ui.h"
#include "global-connecter.h"
#include "site-connecter.h"
#include "site-data.h"
#include "site-detail-widget.h"
#include "site-folder-dialog.h"
#include "site-table-widget.h"
#include "site-widget.h"
#include "sitepane_fixture.h"
#include "support/temp_dir.h"
#include "vexo-line-editor.h"
#include "vexoqelt_test_support.h"

namespace fs = std::filesystem;

namespace {

QByteArray Digest(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5);
}

class SitePaneActionsTest : public SitePaneTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(qm_test::writeFile(Share("rw", "/a.txt"), "alpha"));
        ASSERT_TRUE(qm_test::writeFile(Share("rw", "/b.txt"), "bravo"));
        for (const char* dir : {"/src/inner", "/d1", "/d2", "/d3", "/d4"})
            fs::create_directories(Share("rw", dir));
        ASSERT_TRUE(qm_test::writeFile(Share("rw", "/src/f.txt"), "foxtrot"));
        ASSERT_TRUE(qm_test::writeFile(Share("rw", "/src/g.txt"), "golf"));
        ASSERT_TRUE(qm_test::writeFile(Share("ro", "/r.txt"), "romeo"));
    }
    void TearDown() override { installFolderDialogResponder({}); }

    // Types name into the editor the action opened and commits it.
    static bool Commit(SiteWidget* pane, const QString& name)
    {
        VexoLineEditor* editor = pane->detail()->tableView()->editor();
        if (!editor || !editor->isVisible())
            return false;
        editor->selectAll();
        QTest::keyClicks(editor, name);
        QTest::keyClick(editor, Qt::Key_Return);
        return true;
    }

    bool Exists(const std::string& share, const std::string& rel) const { return fs::exists(Share(share, rel)); }
};

TEST_F(SitePaneActionsTest, NewFolderRenameAndRemoveReachTheDiskAndTheCache)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    const QString rw = Id(pane, "/rw");
    ASSERT_TRUE(Open(pane, rw));

    ASSERT_TRUE(Select(pane, {}));
    Action(UAT_MKDIR);
    ASSERT_TRUE(Commit(pane, "made"));
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(fs::is_directory(Share("rw", "/made")));
    EXPECT_TRUE(Cached(pane, rw).contains("made"));

    ASSERT_TRUE(Select(pane, {"a.txt"}));
    Action(UAT_RENAME);
    ASSERT_TRUE(Commit(pane, "c.txt"));
    ASSERT_TRUE(WaitIdle());
    EXPECT_FALSE(Exists("rw", "/a.txt"));
    EXPECT_EQ(qm_test::readFile(Share("rw", "/c.txt")), "alpha");
    EXPECT_FALSE(Cached(pane, rw).contains("a.txt"));
    EXPECT_TRUE(Cached(pane, rw).contains("c.txt"));

    // Rename needs exactly one entry; remove needs at least one.
    AddedEvents added;
    ASSERT_TRUE(Select(pane, {"b.txt", "c.txt"}));
    Action(UAT_RENAME);
    EXPECT_FALSE(pane->detail()->tableView()->editor()->isVisible());
    ASSERT_TRUE(Select(pane, {}));
    Action(UAT_REMOVE);
    EXPECT_EQ(added.size(), 0);

    QStringList order;
    QObject::connect(pane->connecter(), &SiteConnecter::sigAssignEventId, pane,
                     [&](uint id) { order << QStringLiteral("assign %1").arg(id); });
    QObject::connect(GlobalConnecter::getInstance(), &GlobalConnecter::sigEventAdded, pane,
                     [&](uint id) { order << QStringLiteral("added %1").arg(id); });
    ASSERT_TRUE(Select(pane, {"b.txt", "c.txt"}));
    Action(UAT_REMOVE);
    ASSERT_EQ(added.size(), 1);
    const uint id = added.events.first().id;
    EXPECT_EQ(order, (QStringList{QStringLiteral("assign %1").arg(id), QStringLiteral("added %1").arg(id)}));
    EXPECT_EQ(added.events.first().names, (std::list<std::string>{"b.txt", "c.txt"}));
    ASSERT_TRUE(WaitIdle());
    EXPECT_FALSE(Exists("rw", "/b.txt"));
    EXPECT_FALSE(Exists("rw", "/c.txt"));
    EXPECT_EQ(Cached(pane, rw), (QStringList{"d1", "d2", "d3", "d4", "made", "src"}));
}

TEST_F(SitePaneActionsTest, CopyPastesTwiceCutOnce)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    auto pasteInto = [&](const char* folder) {
        if (!Open(pane, Id(pane, folder)) || !Select(pane, {}))
            return false;
        Action(UAT_PASTE);
        return WaitIdle();
    };
    ASSERT_TRUE(Open(pane, Id(pane, "/rw/src")));
    ASSERT_TRUE(Select(pane, {"f.txt"}));
    Action(UAT_COPY);
    ASSERT_TRUE(pasteInto("/rw/d1"));
    ASSERT_TRUE(pasteInto("/rw/d2"));
    EXPECT_EQ(qm_test::readFile(Share("rw", "/d1/f.txt")), "foxtrot");
    EXPECT_EQ(qm_test::readFile(Share("rw", "/d2/f.txt")), "foxtrot");
    EXPECT_TRUE(Exists("rw", "/src/f.txt"));
    EXPECT_TRUE(Cached(pane, Id(pane, "/rw/d2")).contains("f.txt"));

    ASSERT_TRUE(Open(pane, Id(pane, "/rw/src")));
    ASSERT_TRUE(Select(pane, {"g.txt"}));
    Action(UAT_CUT);
    AddedEvents added;
    ASSERT_TRUE(pasteInto("/rw/d3"));
    ASSERT_TRUE(pasteInto("/rw/d4"));
    EXPECT_EQ(added.count(EV_RENAME), 1);
    EXPECT_EQ(qm_test::readFile(Share("rw", "/d3/g.txt")), "golf");
    EXPECT_FALSE(Exists("rw", "/d4/g.txt"));
    EXPECT_FALSE(Exists("rw", "/src/g.txt"));
}

TEST_F(SitePaneActionsTest, UploadFromTheComputerAndDownloads)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    qm_test::TempDir local("qm-sitepane-local");
    std::string payload;
    for (int i = 0; i < 300000; ++i)
        payload += static_cast<char>('a' + (i * 7) % 26);
    ASSERT_TRUE(qm_test::writeFile(local.file("up.bin"), payload));
    QSignalSpy queued(GlobalConnecter::getInstance(), &GlobalConnecter::sigTransferTaskAdded);

    // The computer's folder in the server's pane: copy there, paste on the server.
    const QString computer = QStringLiteral("0:") + QString::fromStdString(local.path());
    ASSERT_TRUE(Open(pane, computer));
    ASSERT_TRUE(Select(pane, {"up.bin"}));
    AddedEvents added;
    Action(UAT_DOWNLOAD);  // nothing to download from the computer
    EXPECT_EQ(added.size(), 0);
    Action(UAT_COPY);
    ASSERT_TRUE(Open(pane, Id(pane, "/rw")));
    ASSERT_TRUE(Select(pane, {}));
    Action(UAT_PASTE);
    EXPECT_EQ(added.count(EV_UPLOAD), 1);
    ASSERT_TRUE(WaitUntil([&] { return Digest(Share("rw", "/up.bin")) == Digest(local.file("up.bin")); }, 60000));
    ASSERT_EQ(queued.count(), 1);
    EXPECT_EQ(queued.at(0).at(0).toString(), "up.bin");
    EXPECT_FALSE(queued.at(0).at(2).toBool());
    EXPECT_TRUE(fs::exists(local.file("up.bin")));

    // No saved connection, so no default folder: nothing is queued.
    ASSERT_TRUE(Select(pane, {"a.txt"}));
    const int before = added.size();
    Action(UAT_DOWNLOAD);
    EXPECT_EQ(added.size(), before);

    qm_test::TempDir down("qm-sitepane-down");
    SaveConnection(true, down.path());
    Action(UAT_DOWNLOAD);
    ASSERT_TRUE(WaitUntil([&] { return Digest(down.file("a.txt")) == Digest(Share("rw", "/a.txt")); }, 60000));

    qm_test::TempDir chosen("qm-sitepane-chosen");
    QString asked;
    installFolderDialogResponder([&](const QString& start) {
        asked = start;
        return QString::fromStdString(chosen.path());
    });
    ASSERT_TRUE(Select(pane, {"a.txt", "b.txt"}));
    Action(UAT_DOWNLOAD_TO);
    EXPECT_EQ(asked, QString::fromStdString(down.path()));
    ASSERT_TRUE(WaitUntil([&] {
        return Digest(chosen.file("a.txt")) == Digest(Share("rw", "/a.txt")) &&
               Digest(chosen.file("b.txt")) == Digest(Share("rw", "/b.txt"));
    }, 60000));
    uint64_t peer = 0;
    SiteSelectedInfo selected;
    UserActionCache::getInstance()->getSelectedInfo(peer, selected);
    ASSERT_EQ(queued.count(), 3);
    EXPECT_EQ(queued.at(2).at(0).toString(), selected.children.last().name);
    EXPECT_TRUE(queued.at(2).at(2).toBool());

    installFolderDialogResponder([](const QString&) { return QString(); });  // cancelled
    const int after = added.size();
    Action(UAT_DOWNLOAD_TO);
    EXPECT_EQ(added.size(), after);
}

TEST_F(SitePaneActionsTest, TheComputersFolderInThePane)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    qm_test::TempDir local("qm-sitepane-local");
    ASSERT_TRUE(qm_test::writeFile(local.file("one.txt"), "one"));
    fs::create_directories(local.file("keep"));
    const QString folder = QStringLiteral("0:") + QString::fromStdString(local.path());
    ASSERT_TRUE(Open(pane, folder));
    EXPECT_EQ(Cached(pane, folder), (QStringList{"keep", "one.txt"}));

    ASSERT_TRUE(Select(pane, {}));
    Action(UAT_MKDIR);
    ASSERT_TRUE(Commit(pane, "made"));
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(fs::is_directory(local.file("made")));
    ASSERT_TRUE(Select(pane, {"one.txt"}));
    Action(UAT_RENAME);
    ASSERT_TRUE(Commit(pane, "two.txt"));
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(qm_test::readFile(local.file("two.txt")), "one");
    ASSERT_TRUE(Select(pane, {"two.txt"}));
    Action(UAT_COPY);
    ASSERT_TRUE(Open(pane, folder + "/keep"));
    ASSERT_TRUE(Select(pane, {}));
    Action(UAT_PASTE);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(qm_test::readFile(local.file("keep/two.txt")), "one");
    ASSERT_TRUE(Open(pane, folder));
    ASSERT_TRUE(Select(pane, {"made", "two.txt"}));
    Action(UAT_REMOVE);
    ASSERT_TRUE(WaitIdle());
    EXPECT_FALSE(fs::exists(local.file("made")));
    EXPECT_FALSE(fs::exists(local.file("two.txt")));
    EXPECT_EQ(Cached(pane, folder), QStringList{"keep"});
    vexotest::saveScreenshot(m_host.get(), "sitepane_computer_folder");
}

// My Computer as a user meets it: its top level lists the root and the home
// folder by absolute path, each opens its folder, and files go both ways
// between a folder under the home and a server folder by copy and paste.
TEST_F(SitePaneActionsTest, MyComputerOpensTheHomeAndCopiesBothWays)
{
    qm_test::TempDir home("qm-sitepane-home");
    const QByteArray old_home = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home.path()));
    struct RestoreHome {
        QByteArray value;
        ~RestoreHome() { qputenv("HOME", value); }
    } restore{old_home};
    const std::string payload = std::string(200000, 'm') + "end";
    fs::create_directories(home.file("Docs"));
    ASSERT_TRUE(qm_test::writeFile(home.file("Docs/up.bin"), payload));

    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    SiteTableWidget* table = pane->detail()->tableView();
    ASSERT_TRUE(Open(pane, "0:"));
    const QString home_name = QString::fromStdString(home.path());
    const QStringList top = Cached(pane, "0:");
    EXPECT_TRUE(top.contains("/")) << top.join(", ").toStdString();
    ASSERT_TRUE(top.contains(home_name)) << top.join(", ").toStdString();
    EXPECT_TRUE(WaitUntil([&] {
        for (int row = 0; row < table->rowCount(); ++row)
            if (!table->isRowHidden(row) && table->recordOfRow(row).getName() == home_name)
                return true;
        return false;
    }));

    // Each entry opens its folder, as a double-click does.
    auto openRow = [&](const QString& name, const QString& expected) {
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->isRowHidden(row) || table->recordOfRow(row).getName() != name)
                continue;
            QSignalSpy done(pane->connecter(), &SiteConnecter::sigQueryPathDone);
            emit table->cellDoubleClicked(row, 0);
            return pane->data()->m_current_path == expected &&
                   WaitUntil([&] { return !done.isEmpty() && done.last().at(0).toString() == expected; }) &&
                   WaitIdle() && WaitUntil([&] { return !table->isDrawing(); });
        }
        return false;
    };
    ASSERT_TRUE(openRow("/", "0:/"));
    EXPECT_TRUE(Cached(pane, "0:/").contains("tmp"));
    ASSERT_TRUE(Open(pane, "0:"));
    ASSERT_TRUE(openRow(home_name, "0:" + home_name));
    EXPECT_EQ(Cached(pane, "0:" + home_name), QStringList{"Docs"});
    ASSERT_TRUE(openRow("Docs", "0:" + home_name + "/Docs"));
    const QString docs = "0:" + home_name + "/Docs";

    ASSERT_TRUE(Select(pane, {"up.bin"}));
    Action(UAT_COPY);
    ASSERT_TRUE(Open(pane, Id(pane, "/rw")));
    ASSERT_TRUE(Select(pane, {}));
    Action(UAT_PASTE);
    ASSERT_TRUE(WaitUntil([&] { return Digest(Share("rw", "/up.bin")) == Digest(home.file("Docs/up.bin")); },
                          30000));

    ASSERT_TRUE(Select(pane, {"a.txt"}));
    Action(UAT_COPY);
    ASSERT_TRUE(Open(pane, docs));
    ASSERT_TRUE(Select(pane, {}));
    Action(UAT_PASTE);
    ASSERT_TRUE(WaitUntil([&] { return Digest(home.file("Docs/a.txt")) == Digest(Share("rw", "/a.txt")); }, 30000));
    EXPECT_TRUE(m_host->failedErrors().isEmpty());
}

// A "\\" is an ordinary letter of a local name, but a server reads it as a
// separator: such an upload is refused with its reason and makes nothing on
// the server, alone or inside a folder whose other files still go up.
TEST_F(SitePaneActionsTest, ALocalNameWithABackslashIsRefusedByTheServerSide)
{
    qm_test::TempDir local("qm-sitepane-local");
    const std::string odd = "a\\b:c*?<>|.txt";
    fs::create_directories(local.file("box"));
    ASSERT_TRUE(qm_test::writeFile(local.file(odd), "odd"));
    ASSERT_TRUE(qm_test::writeFile(local.file("box/" + odd), "odd"));
    ASSERT_TRUE(qm_test::writeFile(local.file("box/fine.txt"), "fine"));
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    const QString folder = QStringLiteral("0:") + QString::fromStdString(local.path());
    ASSERT_TRUE(Open(pane, folder));
    EXPECT_EQ(Cached(pane, folder), (QStringList{QString::fromStdString(odd), "box"}));

    for (const char* item : {"a\\b:c*?<>|.txt", "box"}) {
        SCOPED_TRACE(item);
        const int failed = m_host->failedErrors().size();
        if (pane->data()->m_current_path != folder) {
            ASSERT_TRUE(Open(pane, folder));
        }
        ASSERT_TRUE(Select(pane, {QString::fromUtf8(item)}));
        Action(UAT_COPY);
        ASSERT_TRUE(Open(pane, Id(pane, "/rw")));
        ASSERT_TRUE(Select(pane, {}));
        Action(UAT_PASTE);
        ASSERT_TRUE(WaitUntil([&] { return m_host->failedErrors().size() == failed + 1; }));
        EXPECT_EQ(m_host->failedErrors().last(), int(ProtoUI::ERROR_INVALID_ARGUMENT));
    }
    ASSERT_TRUE(WaitUntil([&] { return Digest(Share("rw", "/box/fine.txt")) == Digest(local.file("box/fine.txt")); },
                          30000));
    // Nothing stands for the refused file: no folder "a", no cut name.
    EXPECT_FALSE(Exists("rw", "/a"));
    EXPECT_FALSE(Exists("rw", "/b:c*?<>|.txt"));
    EXPECT_FALSE(Exists("rw", "/box/a"));
    EXPECT_FALSE(Exists("rw", "/box/b:c*?<>|.txt"));
    EXPECT_FALSE(Exists("rw", "/" + odd));
}

TEST_F(SitePaneActionsTest, ReadOnlyFailuresLeaveTheCacheAsItWas)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    const QString ro = Id(pane, "/ro");
    ASSERT_TRUE(Open(pane, ro));
    ASSERT_TRUE(Select(pane, {}));
    Action(UAT_MKDIR);
    ASSERT_TRUE(Commit(pane, "x"));
    ASSERT_TRUE(WaitIdle());
    ASSERT_TRUE(Select(pane, {"r.txt"}));
    Action(UAT_RENAME);
    ASSERT_TRUE(Commit(pane, "s.txt"));
    ASSERT_TRUE(WaitIdle());
    ASSERT_TRUE(Select(pane, {"r.txt"}));
    Action(UAT_REMOVE);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(m_host->failedErrors().size(), 3);
    EXPECT_EQ(Cached(pane, ro), QStringList{"r.txt"});
    SiteTableWidget* table = pane->detail()->tableView();
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row)
        if (!table->isRowHidden(row))  // pooled rows stay, hidden
            rows << table->recordOfRow(row).getName();
    EXPECT_EQ(rows, QStringList{"r.txt"});
    EXPECT_TRUE(Exists("ro", "/r.txt"));
}

TEST_F(SitePaneActionsTest, RootListsAndOtherPanesSelectionsDoNothing)
{
    SiteWidget* first = Login();
    SiteWidget* second = Login();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    AddedEvents added;
    ASSERT_TRUE(Open(second, Id(second, "")));
    ASSERT_TRUE(Select(second, {"rw"}));
    for (int action : {UAT_MKDIR, UAT_RENAME, UAT_COPY, UAT_REMOVE, UAT_DOWNLOAD, UAT_CUT})
        Action(action);
    EXPECT_FALSE(second->detail()->tableView()->editor()->isVisible());
    EXPECT_EQ(added.count(EV_REMOVE) + added.count(EV_DOWNLOAD), 0);
    uint64_t peer = 0;
    SiteSelectedInfo kept;
    if (UserActionCache::getInstance()->getCopyInfo(peer, kept) >= 0) {
        EXPECT_NE(kept.parent, Id(second, ""));
    }

    // The last selection is the first pane's: only that pane removes.
    ASSERT_TRUE(Open(first, Id(first, "/rw")));
    ASSERT_TRUE(Open(second, Id(second, "/rw")));
    ASSERT_TRUE(Select(first, {"a.txt"}));
    Action(UAT_REMOVE);
    ASSERT_EQ(added.count(EV_REMOVE), 1);
    EXPECT_EQ(added.events.last().trigger_peer, first->peerId());
    ASSERT_TRUE(WaitIdle());
    EXPECT_FALSE(Exists("rw", "/a.txt"));
}

TEST_F(SitePaneActionsTest, CutOnOneServerPastedOnAnotherIsRefused)
{
    SiteWidget* first = Login();
    SiteWidget* second = Login();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(Open(first, Id(first, "/rw")));
    ASSERT_TRUE(Open(second, Id(second, "/rw/d1")));
    for (int kind : {UAT_CUT, UAT_COPY}) {
        SCOPED_TRACE(kind);
        ASSERT_TRUE(Select(first, {"a.txt"}));
        Action(kind);
        ASSERT_TRUE(Select(second, {}));
        AddedEvents added;
        Action(UAT_PASTE);
        EXPECT_EQ(added.size(), 0);
        ASSERT_TRUE(WaitIdle());
    }
    EXPECT_TRUE(Exists("rw", "/a.txt"));
    EXPECT_FALSE(Exists("rw", "/d1/a.txt"));
}

TEST_F(SitePaneActionsTest, AFolderPastedIntoItselfIsRefused)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    for (int kind : {UAT_COPY, UAT_CUT}) {
        for (const char* into : {"/rw/src", "/rw/src/inner"}) {
            SCOPED_TRACE(into);
            ASSERT_TRUE(Open(pane, Id(pane, "/rw")));
            ASSERT_TRUE(Select(pane, {"src"}));
            Action(kind);
            ASSERT_TRUE(Open(pane, Id(pane, into)));
            ASSERT_TRUE(Select(pane, {}));
            AddedEvents added;
            Action(UAT_PASTE);
            EXPECT_EQ(added.size(), 0);
        }
    }
    // Next to itself is fine: the same folder pasted into its sibling.
    ASSERT_TRUE(Open(pane, Id(pane, "/rw")));
    ASSERT_TRUE(Select(pane, {"src"}));
    Action(UAT_COPY);
    ASSERT_TRUE(Open(pane, Id(pane, "/rw/d1")));
    ASSERT_TRUE(Select(pane, {}));
    Action(UAT_PASTE);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(qm_test::readFile(Share("rw", "/d1/src/f.txt")), "foxtrot");
    EXPECT_FALSE(Exists("rw", "/src/src"));
}

TEST_F(SitePaneActionsTest, AnEditorCommittedAfterTheSelectionMovedIsDropped)
{
    SiteWidget* first = Login();
    SiteWidget* second = Login();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(Open(first, Id(first, "/rw")));
    ASSERT_TRUE(Open(second, Id(second, "/rw/d1")));
    m_host->showPane(first->peerId());
    ASSERT_TRUE(Select(first, {}));
    Action(UAT_MKDIR);
    ASSERT_TRUE(first->detail()->tableView()->editor()->isVisible());
    ASSERT_TRUE(Select(second, {}));
    AddedEvents added;
    ASSERT_TRUE(Commit(first, "late"));
    EXPECT_EQ(added.size(), 0);
    ASSERT_TRUE(WaitIdle());
    EXPECT_FALSE(Exists("rw", "/late"));
    EXPECT_FALSE(Exists("rw", "/d1/late"));
}

TEST_F(SitePaneActionsTest, ARemoveThatFailsHalfwayListsTheFolderAgain)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    const QString rw = Id(pane, "/rw");
    ASSERT_TRUE(Open(pane, rw));
    ASSERT_TRUE(Select(pane, {"a.txt", "b.txt"}));
    uint64_t peer = 0;
    SiteSelectedInfo selected;
    UserActionCache::getInstance()->getSelectedInfo(peer, selected);
    const QString first = selected.children.first().name;
    const QString second = selected.children.last().name;
    // The server removes the first entry and then reports a failure: the
    // remove stops there, with one entry gone and one left.
    test_server::Fault fault;
    fault.kind = test_server::Fault::ERROR;
    fault.count = 24576;  // the general remove error
    fault.reason = "injected";
    Server().SetFault("remove", fault, "/" + first.toStdString());  // the path inside the share
    AddedEvents added;
    Action(UAT_REMOVE);
    ASSERT_TRUE(WaitIdle());
    Server().ClearFaults();
    EXPECT_EQ(m_host->failedErrors().size(), 1);
    EXPECT_FALSE(Exists("rw", "/" + first.toStdString()));
    EXPECT_TRUE(Exists("rw", "/" + second.toStdString()));
    EXPECT_EQ(added.count(EV_LIST), 1);
    EXPECT_FALSE(Cached(pane, rw).contains(first));
    EXPECT_TRUE(Cached(pane, rw).contains(second));
}

}  // namespace
