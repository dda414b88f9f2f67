#include "kavelin/task-list.h"

#include <iterator>
#include <limits>

namespace {

// Room for 32 halvings between neighbours before a renumbering, and for
// billions of tasks appended at either end.
const uint64_t kOrderGap = uint64_t(1) << 32;
const uint64_t kOrderMiddle = uint64_t(1) << 63;

} // namespace

TaskList::iterator TaskList::pushBack(const ResumeInfo& task)
{
    m_tasks.emplace_back(task);
    iterator added = std::prev(m_tasks.end());
    assignOrder(added);
    return added;
}

void TaskList::moveBefore(iterator task, iterator position)
{
    if (task == position || std::next(task) == position)
        return;
    m_tasks.splice(position, m_tasks, task);
    assignOrder(task);
}

void TaskList::assignOrder(iterator task)
{
    const bool has_prev = task != m_tasks.begin();
    const bool has_next = std::next(task) != m_tasks.end();
    if (!has_prev && !has_next) {
        task->order = kOrderMiddle;
        return;
    }
    if (has_prev && has_next) {
        const uint64_t low = std::prev(task)->order;
        const uint64_t high = std::next(task)->order;
        if (high - low >= 2) {
            task->order = low + (high - low) / 2;
            return;
        }
    } else if (has_prev) {
        const uint64_t low = std::prev(task)->order;
        if (low <= std::numeric_limits<uint64_t>::max() - kOrderGap) {
            task->order = low + kOrderGap;
            return;
        }
    } else {
        const uint64_t high = std::next(task)->order;
        if (high >= kOrderGap) {
            task->order = high - kOrderGap;
            return;
        }
    }
    renumber();
}

void TaskList::renumber()
{
    uint64_t order = kOrderMiddle - static_cast<uint64_t>(m_tasks.size() / 2) * kOrderGap;
    for (TaskNode& node : m_tasks) {
        node.order = order;
        order += kOrderGap;
    }
}
