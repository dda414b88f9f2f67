#include "simple-queue.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

#include "client-core-manager.h"
#include "dpi_info.h"
#include "kavelin/vardo-core-manager.h"
#include "queue-rules.h"
#include "str_table.h"
#include "style_manager.h"
#include "task-entry.h"

namespace {

int scaled(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}

}  // namespace

SimpleQueue::SimpleQueue(QWidget* parent) : BaseQueue(parent)
{
    initialize();
}

void SimpleQueue::initialize()
{
    m_list_widget = new QListWidget(this);
    m_list_widget->setFocusPolicy(Qt::NoFocus);
    m_list_widget->setStyleSheet(getStyleSheet("simple_queue_list", false));
    m_list_widget->setSelectionMode(QAbstractItemView::ExtendedSelection);

    m_footer = new QLabel(this);
    m_footer->setTextFormat(Qt::PlainText);
    m_footer->setStyleSheet(getStyleSheet("simple_queue_footer", false));
    m_footer->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_footer->setFixedHeight(scaled(24));

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setSpacing(0);
    m_main_v_layout->setContentsMargins(0, 0, 0, 0);
    m_main_v_layout->addWidget(m_list_widget);
    m_main_v_layout->addWidget(m_footer);

    m_list_widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list_widget->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    connect(m_list_widget, &QListWidget::itemSelectionChanged, this, &SimpleQueue::slotItemSelectionChanged);
}

TaskEntry* SimpleQueue::entryAt(int row) const
{
    QListWidgetItem* item = m_list_widget->item(row);
    return item ? qobject_cast<TaskEntry*>(m_list_widget->itemWidget(item)) : nullptr;
}

void SimpleQueue::reloadTasks()
{
    // Rows are reused by position: the selection follows the tasks, not the
    // rows, so an action never hits a task that moved into a selected row.
    std::vector<uint64_t> selected;
    getSelectedResumeIds(selected);
    m_reloading = true;

    clearTasks();
    ResumeFilter filter;
    filter.offset = 0;
    filter.limit = queue_rules::kSimpleRows;
    int total = 0;
    uint64_t download_speed = 0;
    uint64_t upload_speed = 0;
    ClientCoreManager::getCoreManager()->getInfos(filter, m_resume_infos, total, download_speed, upload_speed);
    // The store's page is trusted no further than the rows this view has.
    if (m_resume_infos.size() > static_cast<size_t>(queue_rules::kSimpleRows))
        m_resume_infos.resize(queue_rules::kSimpleRows);

    const int count = static_cast<int>(m_resume_infos.size());
    for (int i = 0; i < count; ++i) {
        if (i >= m_list_widget->count()) {
            auto* entry = new TaskEntry();
            auto* item = new QListWidgetItem();
            item->setSizeHint(entry->size());
            m_list_widget->addItem(item);
            m_list_widget->setItemWidget(item, entry);
        }
        TaskEntry* entry = entryAt(i);
        if (entry) {
            entry->setResumeInfo(m_resume_infos[static_cast<size_t>(i)]);
            m_resume_id_map[m_resume_infos[static_cast<size_t>(i)].resume_id] = &m_resume_infos[static_cast<size_t>(i)];
        }
    }
    while (m_list_widget->count() > count)
        delete m_list_widget->takeItem(count);

    m_footer->setText(QStringLiteral("%1 ").arg(total) + StrTable::LoadStr(StrTable::paging_items));
    restoreSelection(selected);
    m_reloading = false;
    if (!isHidden())
        summarizeActionButtonStatus();
}

void SimpleQueue::restoreSelection(const std::vector<uint64_t>& ids)
{
    const std::set<uint64_t> wanted(ids.begin(), ids.end());
    for (int row = 0; row < m_list_widget->count(); ++row) {
        QListWidgetItem* item = m_list_widget->item(row);
        const bool select = row < static_cast<int>(m_resume_infos.size()) &&
                            wanted.count(m_resume_infos[static_cast<size_t>(row)].resume_id) > 0;
        if (item->isSelected() != select)
            item->setSelected(select);
    }
}

void SimpleQueue::getSelectedResumeIds(std::vector<uint64_t>& ids)
{
    ids.clear();
    std::vector<int> rows;
    const int count = static_cast<int>(m_resume_infos.size());
    for (QListWidgetItem* item : m_list_widget->selectedItems()) {
        const int row = m_list_widget->row(item);
        if (row >= 0 && row < count)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    for (int row : rows)
        ids.push_back(m_resume_infos[static_cast<size_t>(row)].resume_id);
}

void SimpleQueue::setSelectedResumeIds(const std::vector<uint64_t>& ids)
{
    size_t cursor = 0;
    for (int row = 0; row < m_list_widget->count(); ++row) {
        QListWidgetItem* item = m_list_widget->item(row);
        const bool matches = cursor < ids.size() && row < static_cast<int>(m_resume_infos.size()) &&
                             ids[cursor] == m_resume_infos[static_cast<size_t>(row)].resume_id;
        item->setSelected(matches);
        if (matches)
            ++cursor;
    }
}

void SimpleQueue::slotItemSelectionChanged()
{
    if (!m_reloading)
        summarizeActionButtonStatus();
}

void SimpleQueue::showEvent(QShowEvent* event)
{
    reloadTasks();
    BaseQueue::showEvent(event);
}
