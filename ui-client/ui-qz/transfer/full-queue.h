#pragma once

#include <QString>

#include <vector>

#include "base-queue.h"
#include "vexo_paging_bar.h"

class QVBoxLayout;
class VexoTableWidget;

// The table mode of the Task Manager: the queue 100 tasks a page, filtered to
// one account at one server when the tool bar's site filter says so, with the
// task count and the download and upload rates in the paging footer.
class FullQueue : public BaseQueue {
    Q_OBJECT
public:
    enum Column {
        COL_NAME = 0,
        COL_SIZE,
        COL_DIRECTION,
        COL_STATUS,
        COL_SPEED,
        COL_ELAPSED,
        COL_REMAINING,
        COL_LOCAL_PATH,
        COL_REMOTE_PATH,
        COL_COUNT,
    };

    explicit FullQueue(QWidget* parent = nullptr);

    void reloadTasks() override;
    // Appends the ids of the selected rows that hold tasks, top row first.
    void getSelectedResumeIds(std::vector<uint64_t>& ids) override;
    // Selects the rows of ids, matched in row order.
    void setSelectedResumeIds(const std::vector<uint64_t>& ids) override;

    VexoTableWidget* table() const { return m_table; }
    VexoPagingBar* pagingBar() const { return m_paging_bar; }
    VexoPagingModel* pagingModel() const { return m_paging_model; }
    const QString& currentDomainUser() const { return m_current_domain_user; }

signals:
    // Relayed to the hub's signal of the same name: the tool bar refills its filter.
    void sigUpdateTopToolBar();

public slots:
    void slotItemSelectionChanged();
    void slotTopToolBarItemChanged(const QString& text);
    void slotAddSiteDone(const uint64_t& peer_id);
    void slotRemoveSiteDone();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void initialize();
    // Loads one page; false when the page lay beyond the last and was moved.
    bool loadPage(int& total, uint64_t& download_speed, uint64_t& upload_speed);
    void fillRow(int row, const ResumeInfo& info);
    void ensureRow(int row);
    void updateFooter(int total, uint64_t download_speed, uint64_t upload_speed);
    // Selects the rows of the tasks that were selected before a reload, by id.
    void restoreSelection(const std::vector<uint64_t>& ids);

    QString m_current_domain_user;
    VexoPagingBar* m_paging_bar = nullptr;
    VexoPagingModel* m_paging_model = nullptr;
    VexoTableWidget* m_table = nullptr;
    QVBoxLayout* m_main_v_layout = nullptr;
    std::vector<std::pair<QString, int>> m_footer;  // the footer last handed to the bar
    bool m_reloading = false;
};
