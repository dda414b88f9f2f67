#pragma once

#include "base-queue.h"

class QLabel;
class QListWidget;
class QVBoxLayout;
class TaskEntry;

// The compact mode of the Task Manager: the first eight tasks of the whole
// queue, one card per task, and a footer counting all tasks.
class SimpleQueue : public BaseQueue {
    Q_OBJECT
public:
    explicit SimpleQueue(QWidget* parent = nullptr);

    void reloadTasks() override;
    // Replaces ids with the resume ids of the selected rows, top row first.
    void getSelectedResumeIds(std::vector<uint64_t>& ids) override;
    // Selects exactly the rows matching ids in row order, deselects the rest.
    void setSelectedResumeIds(const std::vector<uint64_t>& ids) override;

    QListWidget* listWidget() const { return m_list_widget; }
    QLabel* footer() const { return m_footer; }
    TaskEntry* entryAt(int row) const;

public slots:
    void slotItemSelectionChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void initialize();
    // Selects the rows of the tasks that were selected before a reload, by id.
    void restoreSelection(const std::vector<uint64_t>& ids);

    QVBoxLayout* m_main_v_layout = nullptr;
    QListWidget* m_list_widget = nullptr;
    QLabel* m_footer = nullptr;
    bool m_reloading = false;
};
