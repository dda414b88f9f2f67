#pragma once
// A small stand-in for the site pane: it owns the hub and the state and does
// what the pane does on the real application core for the signals these
// views exchange (current path, listings, selections).
#include <QObject>
#include <QString>

#include "global-connecter.h"
#include "site-connecter.h"
#include "site-data.h"
#include "user-action-cache.h"

class TestPane : public QObject {
    Q_OBJECT
public:
    explicit TestPane(uint64_t peer, const QString& site_name = QStringLiteral("Test site"))
    {
        registerHubMetaTypes();
        qRegisterMetaType<SiteItemInfo>("SiteItemInfo");
        qRegisterMetaType<SiteSelectedInfo>("SiteSelectedInfo");
        data.m_peer_id = peer;
        data.m_site_name = site_name;
        connect(&hub, &SiteConnecter::sigCurrentPathChanged, this, [this](QString path) {
            if (path == data.m_current_path)
                return;
            data.m_current_path = path;
            data.m_filter.resetFilter();
            emit hub.sigUpdateCurrentPath(path);
        });
        connect(&hub, &SiteConnecter::sigSelectionChanged, this, [this](SiteSelectedInfo info) {
            UserActionCache::getInstance()->updateSelectedInfo(data.m_peer_id, info);
            last_selection = info;
        });
    }

    // A listing arrives for path: cached, then announced.
    void deliver(const QString& path, const SiteFileList& list)
    {
        data.m_file_cache[path] = list;
        emit hub.sigQueryPathDone(path);
    }

    SiteConnecter hub;
    SiteData data;
    SiteSelectedInfo last_selection;
};

inline SiteFileInfo fileEntry(const QString& name, uint64_t size, bool dir = false, qint64 secs = 1600000000)
{
    SiteFileInfo info;
    info.name = name;
    info.size = size;
    info.is_dir = dir;
    info.mtime = QDateTime::fromSecsSinceEpoch(secs);
    return info;
}

inline SiteFileInfo rootEntry(const QString& name)
{
    SiteFileInfo info;
    info.name = name;
    info.is_dir = true;
    info.is_root = true;
    return info;
}

// Files f0, f1, ... of sizes 0, 1, ...
inline SiteFileList numbered(int count, const QString& prefix = QStringLiteral("f"))
{
    SiteFileList list;
    for (int i = 0; i < count; ++i)
        list << fileEntry(prefix + QString::number(i), static_cast<uint64_t>(i));
    return list;
}

// A slice clock the test steps: each reading advances it by g_step ms.
inline uint64_t g_clock = 0;
inline uint64_t g_step = 0;
inline uint64_t steppedClock()
{
    g_clock += g_step;
    return g_clock;
}
