#include "central-widget.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>
#include <QSequentialAnimationGroup>
#include <QPalette>
#include <QPushButton>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "certificate-viewer.h"
#include "client-core-manager.h"
#include "global-setting-page.h"
#include "log-page.h"
#include "global-connecter.h"
#include "kavelin/vardo-core-manager.h"
#include "login-utils.h"
#include "queue-page.h"
#include "scaled-size.h"
#include "site-info-manager.h"
#include "site-widget.h"
#include "str_table.h"
#include "system-db.h"
#include "tab-button.h"
#include "tab-share-width.h"
#include "vexo_mask.h"
#include "vexo_message_sheet.h"
#include "windows-top-frame.h"

CentralWidget::CentralWidget() : QWidget(nullptr)
{
    QPalette pal = palette();
    pal.setBrush(QPalette::All, backgroundRole(), QBrush(QColor(QStringLiteral("white")), Qt::SolidPattern));
    setPalette(pal);

    m_buttons_container = new QWidget(this);
    m_pages_container = new QStackedWidget(this);
    m_buttons_container->setFixedHeight(scaledSize(40));
    m_tab_h_layout = new QHBoxLayout(m_buttons_container);
    m_tab_h_layout->setContentsMargins(0, 0, 0, 0);
    m_tab_h_layout->setSpacing(0);

    initializeDefaultTabs();
    initializeAnimation();

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setContentsMargins(0, 0, 0, 0);
    m_main_v_layout->setSpacing(0);
    addWindowsTopFrame(m_main_v_layout);
    m_main_v_layout->addWidget(m_buttons_container);
    m_main_v_layout->addSpacing(scaledSize(8));
    m_main_v_layout->addWidget(m_pages_container);

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &CentralWidget::sigShowLoginWindow, hub, &GlobalConnecter::sigShowLoginWindow);
    connect(this, &CentralWidget::sigShowAboutWindow, hub, &GlobalConnecter::sigShowAboutWindow);
    connect(this, &CentralWidget::sigShowHelpWindow, hub, &GlobalConnecter::sigShowHelpWindow);
    connect(this, &CentralWidget::sigRemoveSite, hub, &GlobalConnecter::sigRemoveSite);
    connect(this, &CentralWidget::sigAddSiteDone, hub, &GlobalConnecter::sigAddSiteDone);
    connect(hub, &GlobalConnecter::sigChangeServerName, this, &CentralWidget::slotChangeServerName);
    connect(hub, &GlobalConnecter::sigResumeDisconnectedJobsDone, this,
            &CentralWidget::slotResumeDisconnectedJobsDone);
}

CentralWidget::~CentralWidget()
{
    // The tool windows have no parent: they go with the widget that opened them.
    delete m_queue_page;
    delete m_log_page;
    delete m_setting_page;
    delete m_help_menu;
    delete m_group_all_animation;
}

void CentralWidget::resizeEvent(QResizeEvent* event)
{
    const double scale = DPIinfo::getInstance()->getDPI();
    m_width_for_tab = static_cast<int>(event->size().width() - 280 * scale);
    rearrangeTabSize();
    QWidget::resizeEvent(event);
}

void CentralWidget::rearrangeTabSize()
{
    int sum = 0;
    for (const TabPage& tp : m_tab_pages)
        sum += tp.btn->getFullWidth();
    const int share = tabShareWidth(m_width_for_tab, sum, m_tab_pages.size());
    for (const TabPage& tp : m_tab_pages)
        tp.btn->setMaxWidth(share);
}

bool CentralWidget::handleConnectSiteDone(uint64_t peer_id)
{
    SiteInfo site;
    if (!SiteInfoManager::getInstance()->getSiteInfoByPeerId(peer_id, site)) {
        // A login that ended after its tab closed: the site is gone, and
        // the window that asked still waits for its answer.
        emit sigAddSiteDone(peer_id);
        return false;
    }

    int found = -1;
    for (int i = 0; i < m_tab_pages.size(); ++i) {
        if (m_tab_pages[i].peer_id == site.peer_id) {
            found = i;
            break;
        }
    }

    if (found >= 0) {
        const TabPage tp = m_tab_pages[found];
        if (!tp.page->handleReconnectDone(site))
            return false;
        tp.btn->setVerified(site.ssl_verified);
        tp.btn->setDisconnected(false);
    } else {
        emit sigAddSiteDone(peer_id);
        if (site.site_error != SITE_ERROR_OK)
            return false;
        const QString name =
            site.server_name.isEmpty() ? getAuthorityString(site, AS_ADDRESS_AND_USER) : site.server_name;
        auto* page = new SiteWidget(site.peer_id, site.connection_id, name, this);
        insertSite(name, page, site.peer_id, site.ssl_verified);
    }
    recordCertificateDecision(site);
    return true;
}

void CentralWidget::recordCertificateDecision(const SiteInfo& site)
{
    ConnectionInfo connection;
    SystemDB::getConnectionByAuthority(site.domain_name.toUtf8().toStdString(), site.user_name.toUtf8().toStdString(),
                                       static_cast<int>(site.control_port), connection);
    // No saved connection leaves id 0, which names no row: nothing changes.
    connection.ssl_signature = site.ssl_signature.toUtf8().toStdString();
    connection.ssl_allow_untrust = site.ssl_allow_untrust;
    SystemDB::updateExistedConnection(connection);
}

void CentralWidget::insertSite(const QString& name, SiteWidget* page, uint64_t id, bool ssl_verified)
{
    auto* tab = new TabButton(ssl_verified, nullptr);
    tab->setName(name);
    connect(tab, &TabButton::clicked, this, &CentralWidget::slotTabClicked);
    connect(tab, &TabButton::sigCertificateClicked, this, &CentralWidget::slotCertificateClicked);
    connect(tab, &TabButton::sigCloseButtonClicked, this, &CentralWidget::slotCloseButtonClicked);
    m_tab_h_layout->insertWidget(m_tab_pages.size() + 1, tab, 0);
    m_pages_container->addWidget(page);

    TabPage tp;
    tp.peer_id = id;
    tp.btn = tab;
    tp.page = page;
    m_tab_pages.append(tp);
    rearrangeTabSize();

    tab->click();
    page->setFocus(Qt::OtherFocusReason);
}

void CentralWidget::removeSite(const TabPage& entry, int idx)
{
    // A copy: the entry may live in the list it is removed from.
    const TabPage tp = entry;
    // The request may come from the tab's own close button or from the
    // pane's own sheet, both still on the call stack: take them out of row
    // and stack now, and delete them once control is back in the loop.
    m_tab_h_layout->removeWidget(tp.btn);
    tp.btn->hide();
    tp.btn->disconnect(this);
    tp.btn->deleteLater();
    m_pages_container->removeWidget(tp.page);
    tp.page->hide();
    tp.page->deleteLater();

    m_tab_pages.remove(idx);
    rearrangeTabSize();
    emit sigRemoveSite(tp.peer_id);

    if (!m_tab_pages.isEmpty()) {
        const int next = idx < m_tab_pages.size() ? idx : m_tab_pages.size() - 1;
        m_tab_pages[next].btn->click();
        return;
    }
    if (m_queue_page)
        m_queue_page->hide();
    emit sigShowLoginWindow();
    window()->hide();
}

int CentralWidget::tabIndexOfSender() const
{
    const QObject* from = sender();
    for (int i = 0; i < m_tab_pages.size(); ++i)
        if (m_tab_pages[i].btn == from)
            return i;
    return -1;
}

void CentralWidget::slotTabClicked()
{
    const QObject* from = sender();
    for (const TabPage& tp : m_tab_pages) {
        if (tp.btn == from) {
            m_pages_container->setCurrentWidget(tp.page);
            tp.btn->setSelected(true);
        } else {
            tp.btn->setSelected(false);
        }
    }
}

void CentralWidget::slotCloseButtonClicked()
{
    const int idx = tabIndexOfSender();
    if (idx < 0)
        return;
    const QVector<TabPage> pages = m_tab_pages;
    const TabPage tp = pages[idx];

    ResumeFilter filter;
    filter.offset = 0;
    filter.limit = -1;
    filter.check_peer_id = true;
    filter.peer_ids = {tp.peer_id};
    std::vector<ResumeInfo> infos;
    int total = 0;
    uint64_t download_speed = 0;
    uint64_t upload_speed = 0;
    ClientCoreManager::getCoreManager()->getInfos(filter, infos, total, download_speed, upload_speed);

    if (total != 0) {
        auto* sheet = new VexoMessageSheet(VexoMessageSheet::Confirming,
                                           StrTable::LoadStr(StrTable::close_connection_hint), this);
        VexoMask::createMask(sheet, window(), QColor(0, 0, 0, 20));
        sheet->button(QMessageBox::Ok)->setText(StrTable::LoadStr(StrTable::button_ok));
        sheet->button(QMessageBox::Discard)->setText(StrTable::LoadStr(StrTable::button_cancel));
        const int answer = sheet->exec();
        sheet->deleteLater();
        if (answer != QMessageBox::Ok)
            return;
    }
    // The list may have changed while the question was open.
    for (int i = 0; i < m_tab_pages.size(); ++i) {
        if (m_tab_pages[i].btn == tp.btn) {
            removeSite(tp, i);
            return;
        }
    }
}

void CentralWidget::slotCloseSite(uint64_t peer_id)
{
    const QVector<TabPage> pages = m_tab_pages;
    for (int i = 0; i < pages.size(); ++i) {
        if (pages[i].peer_id == peer_id) {
            removeSite(pages[i], i);
            return;
        }
    }
}

void CentralWidget::slotCertificateClicked()
{
    const int idx = tabIndexOfSender();
    if (idx < 0)
        return;
    SiteInfo site;
    SiteInfoManager::getInstance()->getSiteInfoByPeerId(m_tab_pages[idx].peer_id, site);
    showCertificateChain(site.certificate_chain, this);
}

void CentralWidget::slotSiteDisconnected(uint64_t peer_id, bool should_reconnect)
{
    if (m_tab_pages.isEmpty())
        return;
    for (const TabPage& tp : m_tab_pages) {
        if (tp.peer_id != peer_id)
            continue;
        tp.btn->setDisconnected(true);
        tp.page->handleDisconnected(should_reconnect);
    }
    rearrangeTabSize();
}

void CentralWidget::slotResumeDisconnectedJobsDone(uint64_t peer_id)
{
    for (const TabPage& tp : m_tab_pages)
        if (tp.peer_id == peer_id)
            tp.page->handleResumeDisconnectedJobsDone();
}

void CentralWidget::slotChangeServerName(uint64_t peer_id, QString new_name)
{
    for (const TabPage& tp : m_tab_pages) {
        if (tp.peer_id != peer_id)
            continue;
        tp.btn->setName(new_name);
        tp.page->updateSiteName(new_name);
    }
    rearrangeTabSize();
}
