#pragma once

#include <QPoint>
#include <QWidget>

#include "site-data.h"
#include "site-item-info.h"

class QStackedWidget;
class QVBoxLayout;
class SiteConnecter;
class SiteContextMenu;
class SiteListWidget;
class SiteTableWidget;
class VexoPagingBar;
class VexoPagingModel;

// The right-hand side of a site pane: the icon and details views stacked
// over a paging bar. It filters, sorts and pages the cached listing of the
// current path into SiteData::m_filtered_files and turns double-clicks into
// opening a folder or downloading a file.
class SiteDetailWidget : public QWidget {
    Q_OBJECT
public:
    SiteDetailWidget(SiteConnecter* connecter, SiteData* data, SiteContextMenu* menu, QWidget* parent = nullptr);
    ~SiteDetailWidget() override;

    // Builds the current page again (after a filter or sort change); the
    // page number is kept, clamped to the last page.
    void resetPage();

    SiteTableWidget* tableView() const { return m_table; }
    SiteListWidget* listView() const { return m_list; }
    QStackedWidget* stack() const { return m_stack; }
    VexoPagingBar* pagingBar() const { return m_paging_bar; }
    VexoPagingModel* pagingModel() const { return m_paging_model; }
    QString footerText() const { return m_footer; }

signals:
    void sigQueryPath(QString path, bool use_cache);
    void sigRefreshDetailView();
    void sigCurrentPathChanged(QString path);
    void sigActionClicked(int type);

public slots:
    void slotQueryPathDone(QString path);
    void slotUpdateCurrentPath(QString path);
    void slotChangeView();
    void slotItemDoubleClicked(SiteItemInfo info);
    void slotChangePage();
    void slotRefresh();
    void slotCustomContextMenuRequested(QPoint p);

private:
    SiteConnecter* m_connecter;
    SiteData* m_data;
    SiteContextMenu* m_menu;
    SiteTableWidget* m_table = nullptr;
    SiteListWidget* m_list = nullptr;
    QStackedWidget* m_stack = nullptr;
    QVBoxLayout* m_main_v_layout = nullptr;
    VexoPagingBar* m_paging_bar = nullptr;
    VexoPagingModel* m_paging_model = nullptr;
    QString m_footer;
};
