#include "site-widget.h"

#include "global-connecter.h"

SiteWidget::SiteWidget(uint64_t peer_id, uint64_t, const QString& name, QWidget* parent)
    : QWidget(parent), m_peer_id(peer_id), m_name(name)
{
    connect(this, &SiteWidget::sigCloseSite, GlobalConnecter::getInstance(), &GlobalConnecter::sigCloseSite);
}

void SiteWidget::handleDisconnected(bool)
{
    m_disconnected = true;
}

bool SiteWidget::handleReconnectDone(SiteInfo site)
{
    if (site.site_error != SITE_ERROR_OK)
        return false;
    m_disconnected = false;
    return true;
}
