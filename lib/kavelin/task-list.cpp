#include "kavelin/task-list.h"

#include <iterator>
#include <limits>

namespace {

// Room for 32 halvings between neighbours before a relabelling, and for
// billions of tasks appended at either end.
const uint64_t kOrderGap = uint64_t(1) << 32;
const uint64_t kOrderMiddle = uint64_t(1) << 63;
// A relabelled neighbourhood leaves at least this much room between keys,
// so the next moves into the same spot find a midpoint again.
const uint64_t kMinRelabelSpacing = uint64_t(1) << 12;

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
    relabelAround(task);
}

void TaskList::relabelAround(iterator task)
{
    // Widen a window around the task, doubling each time, until the keys
    // just outside it leave enough room to spread the window evenly. Moves
    // that keep landing in one spot thus relabel a few neighbours, not the
    // whole list.
    iterator first = task;
    iterator last = task;
    uint64_t count = 1;
    for (uint64_t reach = 1;; reach *= 2) {
        for (uint64_t i = 0; i < reach && first != m_tasks.begin(); ++i, ++count)
            --first;
        for (uint64_t i = 0; i < reach && std::next(last) != m_tasks.end(); ++i, ++count)
            ++last;
        const bool at_front = first == m_tasks.begin();
        const bool at_back = std::next(last) == m_tasks.end();
        if (at_front && at_back) {
            renumber();
            return;
        }
        const uint64_t low = at_front ? 0 : std::prev(first)->order;
        const uint64_t high = at_back ? std::numeric_limits<uint64_t>::max() : std::next(last)->order;
        const uint64_t spacing = (high - low) / (count + 1);
        if (spacing >= kMinRelabelSpacing) {
            uint64_t order = low;
            for (iterator it = first;; ++it) {
                order += spacing;
                it->order = order;
                if (it == last)
                    break;
            }
            return;
        }
    }
}

void TaskList::renumber()
{
    uint64_t order = kOrderMiddle - static_cast<uint64_t>(m_tasks.size() / 2) * kOrderGap;
    for (TaskNode& node : m_tasks) {
        node.order = order;
        order += kOrderGap;
    }
}
