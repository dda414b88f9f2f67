#include "sitepane_host.h"

#include "event-manager.h"
#include "global-connecter.h"
#include "site-info-manager.h"
#include "site-widget.h"

SitePaneHost::SitePaneHost()
{
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(hub, &GlobalConnecter::sigConnectSiteDone, this, &SitePaneHost::slotConnectSiteDone);
    connect(hub, &GlobalConnecter::sigSiteDisconnected, this, &SitePaneHost::slotSiteDisconnected);
    connect(hub, &GlobalConnecter::sigResumeDisconnectedJobsDone, this,
            &SitePaneHost::slotResumeDisconnectedJobsDone);
    connect(hub, &GlobalConnecter::sigCloseSite, this, &SitePaneHost::slotCloseSite);
    connect(hub, &GlobalConnecter::sigHandleEventDone, this, &SitePaneHost::slotHandleEventDone);
    connect(this, &SitePaneHost::sigHandleEventDoneUpdateUI, hub, &GlobalConnecter::sigHandleEventDoneUpdateUI);
    resize(1000, 640);
}

SitePaneHost::~SitePaneHost()
{
    for (SiteWidget* pane : m_panes)
        delete pane;
}

void SitePaneHost::showPane(uint64_t peer)
{
    if (SiteWidget* p = pane(peer))
        setCurrentWidget(p);
}

void SitePaneHost::closePane(uint64_t peer)
{
    delete m_panes.take(peer);
}

void SitePaneHost::slotConnectSiteDone(uint64_t peer)
{
    SiteInfo info;
    if (!SiteInfoManager::getInstance()->getSiteInfoByPeerId(peer, info))
        return;
    if (SiteWidget* existing = pane(peer)) {
        existing->handleReconnectDone(info);
        return;
    }
    if (info.site_error != SITE_ERROR_OK)
        return;
    auto* created = new SiteWidget(peer, info.connection_id, info.server_name, this);
    m_panes.insert(peer, created);
    addWidget(created);
    setCurrentWidget(created);
}

void SitePaneHost::slotSiteDisconnected(uint64_t peer, bool reconnect)
{
    if (SiteWidget* p = pane(peer))
        p->handleDisconnected(reconnect);
}

void SitePaneHost::slotResumeDisconnectedJobsDone(uint64_t peer)
{
    if (SiteWidget* p = pane(peer))
        p->handleResumeDisconnectedJobsDone();
}

void SitePaneHost::slotCloseSite(uint64_t peer)
{
    // Later: the pane is still inside the slot that emitted the signal.
    if (SiteWidget* p = m_panes.take(peer))
        p->deleteLater();
}

void SitePaneHost::slotHandleEventDone(uint id)
{
    const EventStatus status = EventManager::getInstance()->getStatus(id);
    if (status.error == 0) {
        emit sigHandleEventDoneUpdateUI(id);
        return;
    }
    Event event;
    if (EventManager::getInstance()->getEvent(id, event) < 0)
        return;
    emit sigHandleEventDoneUpdateUI(id);
    m_failed.append(status.error);
}
