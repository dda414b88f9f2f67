#pragma once

#include <cstddef>
#include <cstdint>
#include <list>

#include "kavelin/resume-info.h"

// What a task was filed under in the task indexes when it was last linked,
// so that unlinking never depends on fields changed since.
struct TaskIndexState {
    bool linked = false;
    uint64_t peer_id = 0;
    bool listed = false;              // not aborted: shown by listings
    bool eligible = false;            // waiting and not paused remotely
    bool waiting = false;             // local_state is RI_WAITING
    bool running_incomplete = false;  // counts against the peer's cap
    bool running_pull = false;        // a download asked for and not yet received
    uint64_t riding_bytes = 0;        // a handed-over download's size, counted ahead of the cap
    bool riding = false;              // a handed-over download counted ahead of the cap
    bool has_speed = false;           // may show a speed; keyed by update_time
    uint64_t speed_time = 0;
};

// One entry of the task list. `order` grows strictly along the list and is
// what the indexes sort by, so a task's rank among others is an index lookup
// instead of a walk.
struct TaskNode {
    explicit TaskNode(const ResumeInfo& task) : info(task) {}

    ResumeInfo info;
    uint64_t order = 0;
    // This end's part is on the link (all of an upload's bytes, or a
    // download's request): the task waits only for the other end, and holds
    // no slot of its peer's cap. Kept in memory only; the store clears it
    // whenever the task changes state or token.
    bool handed_over = false;
    TaskIndexState indexed;
};

// The task list in priority order. Positions stay valid while other tasks
// are added, moved or removed. Order keys are spaced so that a move usually
// takes the midpoint of its neighbours; when a gap runs out the keys of a
// neighbourhood (at worst the whole list) are spread out again, which keeps
// every key's relative order (indexes sorted by order stay valid without a
// rebuild).
class TaskList {
public:
    typedef std::list<TaskNode>::iterator iterator;
    typedef std::list<TaskNode>::const_iterator const_iterator;

    iterator pushBack(const ResumeInfo& task);
    // Moves task to just before position (end() for the back). The caller
    // has unlinked the task from every index sorted by order.
    void moveBefore(iterator task, iterator position);
    iterator erase(iterator task) { return m_tasks.erase(task); }

    iterator begin() { return m_tasks.begin(); }
    iterator end() { return m_tasks.end(); }
    const_iterator begin() const { return m_tasks.begin(); }
    const_iterator end() const { return m_tasks.end(); }
    bool empty() const { return m_tasks.empty(); }
    size_t size() const { return m_tasks.size(); }

private:
    void assignOrder(iterator task);
    void relabelAround(iterator task);
    void renumber();

    std::list<TaskNode> m_tasks;
};
