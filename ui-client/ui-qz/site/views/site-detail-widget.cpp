#include "site-detail-widget.h"

#include <QRegularExpression>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "global-connecter.h"
#include "site-connecter.h"
#include "site-context-menu.h"
#include "site-list-widget.h"
#include "site-path.h"
#include "site-table-cells.h"
#include "site-table-widget.h"
#include "str_table.h"
#include "style_manager.h"
#include "user-action-cache.h"
#include "vexo_paging_bar.h"

SiteDetailWidget::SiteDetailWidget(SiteConnecter* connecter, SiteData* data, SiteContextMenu* menu, QWidget* parent)
    : QWidget(parent), m_connecter(connecter), m_data(data), m_menu(menu)
{
    setStyleSheet(getStyleSheet("site_detail_widget", false));
    setContextMenuPolicy(Qt::CustomContextMenu);

    // The model is owned by the widget so it outlives the bar's use of it.
    m_paging_model = new VexoPagingModel(1000, this);
    m_paging_bar = new VexoPagingBar(m_paging_model, nullptr);
    m_table = new SiteTableWidget(connecter, data, nullptr);
    m_list = new SiteListWidget(connecter, data, nullptr);
    m_stack = new QStackedWidget;
    m_stack->addWidget(m_list);
    m_stack->addWidget(m_table);
    m_stack->setCurrentWidget(m_table);
    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setSpacing(0);
    m_main_v_layout->setContentsMargins(scaledPixels(16), 0, 0, scaledPixels(12));
    m_main_v_layout->addWidget(m_stack);
    m_main_v_layout->addWidget(m_paging_bar);
    m_paging_bar->reset();

    connect(connecter, &SiteConnecter::sigQueryPathDone, this, &SiteDetailWidget::slotQueryPathDone);
    connect(connecter, &SiteConnecter::sigUpdateCurrentPath, this, &SiteDetailWidget::slotUpdateCurrentPath);
    connect(connecter, &SiteConnecter::sigChangeView, this, &SiteDetailWidget::slotChangeView);
    connect(connecter, &SiteConnecter::sigItemDoubleClicked, this, &SiteDetailWidget::slotItemDoubleClicked);
    connect(m_paging_bar, &VexoPagingBar::sigPageChanged, this, &SiteDetailWidget::slotChangePage);
    connect(m_paging_bar, &VexoPagingBar::sigRefresh, this, &SiteDetailWidget::slotRefresh);
    connect(this, &SiteDetailWidget::sigQueryPath, connecter, &SiteConnecter::sigQueryPath);
    connect(this, &SiteDetailWidget::sigRefreshDetailView, connecter, &SiteConnecter::sigRefreshDetailView);
    connect(this, &SiteDetailWidget::sigCurrentPathChanged, connecter, &SiteConnecter::sigCurrentPathChanged);
    connect(this, &SiteDetailWidget::sigActionClicked, GlobalConnecter::getInstance(),
            &GlobalConnecter::sigActionClicked);
    connect(this, &QWidget::customContextMenuRequested, this, &SiteDetailWidget::slotCustomContextMenuRequested);
}

SiteDetailWidget::~SiteDetailWidget() = default;

void SiteDetailWidget::resetPage()
{
    SiteFileList all = m_data->m_file_cache.value(m_data->m_current_path);
    // Below a site's top every name must stand for one item of the folder;
    // the site model drops others, and a row of one would aim an operation
    // at the folder itself or beyond it. (The computer's top level names its
    // entries by absolute path.)
    QString id, path;
    splitIdPath(m_data->m_current_path, id, path);
    // Checked on the shared list first: a clean listing is neither copied
    // nor converted.
    const auto unfit = [](const SiteFileInfo& e) {
        return e.name.isEmpty() || e.name == QLatin1String(".") || e.name == QLatin1String("..") ||
               e.name.contains(QLatin1Char('/')) || e.name.contains(QChar(0));
    };
    if (!path.isEmpty() && std::any_of(all.cbegin(), all.cend(), unfit))
        all.erase(std::remove_if(all.begin(), all.end(), unfit), all.end());
    SiteFileList filtered;
    filterAndSortSiteFileList(all, m_data->m_filter, filtered);
    const int count = filtered.size();
    const int limit = m_paging_model->rowLimit();
    const int pages = std::max(1, static_cast<int>(std::ceil(static_cast<double>(count) / limit)));
    if (m_paging_model->nowPage() > pages)
        m_paging_model->setNowPage(pages);
    SiteFileList& page = m_data->m_filtered_files[m_data->m_current_path];
    page.clear();
    const int first = (m_paging_model->nowPage() - 1) * limit;
    const int end = std::min(first + limit, count);
    for (int i = first; i < end; ++i)
        page.append(filtered.at(i));
    m_paging_bar->setItemCount(count);
    m_footer = QString::number(count) + QLatin1Char(' ') + StrTable::LoadStr(StrTable::paging_items);
    m_paging_bar->setFooterText(m_footer);
    emit sigRefreshDetailView();
}

void SiteDetailWidget::slotUpdateCurrentPath(QString path)
{
    m_paging_model->setNowPage(1);
    resetPage();
    m_list->clearSelection();
    m_table->clearSelection();
    emit sigQueryPath(path, false);
}

void SiteDetailWidget::slotQueryPathDone(QString path)
{
    if (path == m_data->m_current_path)
        resetPage();
}

void SiteDetailWidget::slotChangePage() { resetPage(); }

void SiteDetailWidget::slotRefresh() { emit sigQueryPath(m_data->m_current_path, false); }

void SiteDetailWidget::slotChangeView()
{
    if (m_stack->currentWidget() == m_table)
        m_stack->setCurrentWidget(m_list);
    else
        m_stack->setCurrentWidget(m_table);
}

void SiteDetailWidget::slotItemDoubleClicked(SiteItemInfo info)
{
    if (info.getName().isEmpty())
        return;  // a row without a record opens nothing
    if (!info.isDir()) {
        emit sigActionClicked(UAT_DOWNLOAD);
        return;
    }
    if (info.isRoot()) {
        emit sigCurrentPathChanged(info.getName() + QLatin1Char(':'));
        return;
    }
    QString id, path;
    splitIdPath(m_data->m_current_path, id, path);
    if (path.isEmpty())
        emit sigCurrentPathChanged(m_data->m_current_path + info.getName());
    else
        emit sigCurrentPathChanged(combinePath(m_data->m_current_path, info.getName()));
}

void SiteDetailWidget::slotCustomContextMenuRequested(QPoint p)
{
    uint64_t peer = 0;
    SiteSelectedInfo info;
    UserActionCache::getInstance()->getSelectedInfo(peer, info);
    static const QRegularExpression kPeerTop(QStringLiteral("^[0-9]+:$"));
    if (info.parent.isEmpty() || kPeerTop.match(info.parent).hasMatch())
        return;
    SiteMenuType type = MENU_BACKGROUND;
    if (info.children.size() == 1)
        type = MENU_SINGLE_SELECTION;
    else if (info.children.size() > 1)
        type = MENU_MULTIPLE_SELECTIONS;
    if (m_menu) {
        m_menu->changeMenuType(type);
        m_menu->popup(mapToGlobal(p));
    }
    if (QWidget* view = m_stack->currentWidget())
        view->setFocus(Qt::OtherFocusReason);
}
