#pragma once
// What the main window does for the site panes, until it lands: the tab area
// makes a pane per connected site and calls it on the site's disconnects,
// logins and resumed jobs, removes it on sigCloseSite; the window re-emits
// each finished event for the views and keeps the failure messages.
#include <QMap>
#include <QStackedWidget>
#include <QStringList>

#include <cstdint>

class SiteWidget;

class SitePaneHost : public QStackedWidget {
    Q_OBJECT
public:
    SitePaneHost();
    ~SitePaneHost() override;

    SiteWidget* pane(uint64_t peer) const { return m_panes.value(peer); }
    // Shows the pane of peer as the current tab.
    void showPane(uint64_t peer);
    // Closes the pane as its tab would.
    void closePane(uint64_t peer);
    // The failure messages of finished events, in order (error codes only).
    QList<int> failedErrors() const { return m_failed; }

signals:
    void sigHandleEventDoneUpdateUI(uint id);

private slots:
    void slotConnectSiteDone(uint64_t peer);
    void slotSiteDisconnected(uint64_t peer, bool reconnect);
    void slotResumeDisconnectedJobsDone(uint64_t peer);
    void slotCloseSite(uint64_t peer);
    void slotHandleEventDone(uint id);

private:
    QMap<uint64_t, SiteWidget*> m_panes;
    QList<int> m_failed;
};
