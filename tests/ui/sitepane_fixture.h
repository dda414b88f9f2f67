#pragma once
// The site pane end to end: the test file server over TLS with the shares
// "rw", "ro" and "denied", the real application core, and the stand-in for
// the main window's tab area (SitePaneHost). Logins make panes as the tab
// area would; the test drives the panes' own widgets and the hub.
#include <QStringList>

#include <ostream>

#include <memory>
#include <string>

#include "event.h"
#include "login_settings_server.h"
#include "login_settings_support.h"
#include "sitepane_host.h"

class SiteWidget;

// Readable failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* out) { *out << '{' << list.join(", ").toStdString() << '}'; }

class SitePaneTest : public PairedServerTest {
protected:
    SitePaneTest();
    ~SitePaneTest() override;

    // Logs alice in (or the given account) and waits for her pane's root listing.
    SiteWidget* Login(const std::string& user = "alice", const std::string& password = "secret",
                      const std::string& otp = "");
    // The id path of a path on the pane's server.
    static QString Id(SiteWidget* pane, const QString& path);
    // Makes path the pane's current folder as a path bar would, and waits for its listing.
    bool Open(SiteWidget* pane, const QString& id_path);
    // Names in the pane's cached listing of id_path.
    static QStringList Cached(SiteWidget* pane, const QString& id_path);
    // Selects the named rows of the current folder in the pane's table, or clears the selection.
    bool Select(SiteWidget* pane, const QStringList& names);
    static void Action(int type);
    // Until the event table holds no event of an open pane: every event
    // pushed ran and its pane removed it. (Events of closed panes stay.)
    bool WaitIdle(int timeout_ms = 30000);
    // Saves alice's connection with the password remembered or not.
    void SaveConnection(bool remember, const std::string& download_location, const std::string& user = "alice");

    std::string Share(const std::string& name, const std::string& rel = "") const
    {
        return m_dir.file("share-" + name) + rel;
    }

    std::unique_ptr<SitePaneHost> m_host;
    std::unique_ptr<lstest::ScriptedResponder> m_sheets;
};

// Every event announced on the hub while it lives, copied as announced
// (the pane that runs it removes it from the table when it is done).
class AddedEvents {
public:
    AddedEvents();
    ~AddedEvents();
    int count(EventType type) const;
    // The events of one type, in the order announced.
    QList<Event> of(EventType type) const;
    int size() const { return events.size(); }
    QList<Event> events;

private:
    QMetaObject::Connection m_connection;
};
