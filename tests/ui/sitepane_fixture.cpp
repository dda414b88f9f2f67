#include "sitepane_fixture.h"

#include <QMessageBox>
#include <QTest>

#include <filesystem>
#include <vector>

#include "connection-info.h"
#include "event-manager.h"
#include "global-connecter.h"
#include "site-connecter.h"
#include "site-data.h"
#include "site-detail-widget.h"
#include "site-table-widget.h"
#include "site-widget.h"
#include "system-db.h"

namespace fs = std::filesystem;

SitePaneTest::SitePaneTest()
{
    for (const char* name : {"rw", "ro", "denied"})
        fs::create_directories(Share(name));
    StartPaired([this](test_server::ServerConfig& config) {
        config.shares = {{"rw", Share("rw"), "rw"}, {"ro", Share("ro"), "ro"}, {"denied", Share("denied"), "denied"}};
    });
    m_sheets = std::make_unique<lstest::ScriptedResponder>();
    m_host = std::make_unique<SitePaneHost>();
    m_host->show();
}

SitePaneTest::~SitePaneTest()
{
    m_host.reset();
    m_sheets.reset();
    // Nobody removes the events of the closed panes: the next test starts clean.
    std::vector<Event> events;
    EventManager::getInstance()->listEvent(events);
    for (const Event& event : events)
        EventManager::getInstance()->removeEvent(event.id);
}

SiteWidget* SitePaneTest::Login(const std::string& user, const std::string& password, const std::string& otp)
{
    const uint64_t peer = ConnectOk([&](SiteInfo& s) {
        s.user_name = QString::fromStdString(user);
        s.password = QString::fromStdString(password);
        s.otp = QString::fromStdString(otp);
        s.transfer_port = static_cast<int32_t>(m_control_port + 1);
    });
    if (peer == 0)
        return nullptr;
    SiteWidget* pane = m_host->pane(peer);
    if (!pane || !WaitUntil([&] { return pane->data()->m_file_cache.contains(QString()); }))
        return nullptr;
    return pane;
}

QString SitePaneTest::Id(SiteWidget* pane, const QString& path)
{
    return QString::number(pane->peerId()) + QLatin1Char(':') + path;
}

bool SitePaneTest::Open(SiteWidget* pane, const QString& id_path)
{
    QSignalSpy done(pane->connecter(), &SiteConnecter::sigQueryPathDone);
    emit pane->connecter()->sigCurrentPathChanged(id_path);
    SiteTableWidget* table = pane->detail()->tableView();
    return WaitUntil([&] {
        for (const auto& args : done)
            if (args.at(0).toString() == id_path)
                return !table->isDrawing();
        return false;
    }) && WaitIdle();
}

QStringList SitePaneTest::Cached(SiteWidget* pane, const QString& id_path)
{
    QStringList names;
    for (const SiteFileInfo& entry : pane->data()->m_file_cache.value(id_path))
        names << entry.name;
    names.sort();
    return names;
}

bool SitePaneTest::Select(SiteWidget* pane, const QStringList& names)
{
    SiteTableWidget* table = pane->detail()->tableView();
    if (!WaitUntil([&] { return !table->isDrawing(); }))
        return false;
    table->setFocus();
    table->clearSelection();
    if (names.isEmpty()) {
        // A click on the background: the folder itself, nothing in it.
        SiteSelectedInfo none;
        none.view_mode = VM_TABLE;
        none.parent = pane->data()->m_current_path;
        emit pane->connecter()->sigSelectionChanged(none);
    }
    int found = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (!table->isRowHidden(row) && names.contains(table->recordOfRow(row).getName())) {
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
            ++found;
        }
    }
    uint64_t peer = 0;
    SiteSelectedInfo info;
    UserActionCache::getInstance()->getSelectedInfo(peer, info);
    return found == names.size() && peer == pane->peerId() && info.children.size() == names.size();
}

void SitePaneTest::Action(int type)
{
    emit GlobalConnecter::getInstance()->sigActionClicked(type);
}

bool SitePaneTest::WaitIdle(int timeout_ms)
{
    return WaitUntil(
        [this] {
            std::vector<Event> events;
            EventManager::getInstance()->listEvent(events);
            for (const Event& event : events)
                if (m_host && m_host->pane(event.trigger_peer))
                    return false;
            return true;
        },
        timeout_ms);
}

void SitePaneTest::SaveConnection(bool remember, const std::string& download_location, const std::string& user)
{
    ConnectionInfo info;
    info.domain_name = "localhost";
    info.username = user;
    info.password = remember ? "secret" : "";
    info.remember_password = remember;
    info.port = static_cast<int>(m_control_port);
    info.download_location = download_location;
    ASSERT_GE(SystemDB::insertNewConnection(info), 0);
}

AddedEvents::AddedEvents()
{
    m_connection = QObject::connect(GlobalConnecter::getInstance(), &GlobalConnecter::sigEventAdded,
                                    GlobalConnecter::getInstance(), [this](uint id) {
                                        Event event;
                                        if (EventManager::getInstance()->getEvent(id, event) >= 0)
                                            events.append(event);
                                    });
}

AddedEvents::~AddedEvents()
{
    QObject::disconnect(m_connection);
}

int AddedEvents::count(EventType type) const
{
    int n = 0;
    for (const Event& event : events)
        n += event.type == type ? 1 : 0;
    return n;
}

QList<Event> AddedEvents::of(EventType type) const
{
    QList<Event> out;
    for (const Event& event : events)
        if (event.type == type)
            out.append(event);
    return out;
}
