#pragma once
// Until the site pane lands: a pane with the interface the main window uses.
#include <QPoint>
#include <QWidget>

#include <cstdint>

#include "site-info.h"

class SiteWidget : public QWidget {
    Q_OBJECT
public:
    SiteWidget(uint64_t peer_id, uint64_t connection_id, const QString& name, QWidget* parent = nullptr);
    QPoint getCentralPoint() const { return rect().center(); }
    void handleDisconnected(bool should_reconnect);
    bool handleReconnectDone(SiteInfo site);
    void handleResumeDisconnectedJobsDone() {}
    void updateSiteName(const QString& name) { m_name = name; }
    QString siteName() const { return m_name; }
    bool disconnected() const { return m_disconnected; }
    uint64_t peerId() const { return m_peer_id; }
signals:
    void sigCloseSite(uint64_t peer_id);
private:
    uint64_t m_peer_id;
    QString m_name;
    bool m_disconnected = false;
};
