#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "event.h"

// The process-wide table of events between the view that pushes one and the
// view that removes it when done. Every call holds the lock for its whole run
// and copies records in or out; nothing outside the table is called under it.
class EventManager {
public:
    static EventManager* getInstance();

    // Stores a copy under a new id (1, 2, ...) and returns the id; emits nothing.
    uint32_t pushEvent(const Event& event);
    // 0 and a copy, or -1 (event untouched) for an unknown id.
    int getEvent(uint32_t id, Event& event);
    // Appends every event, ascending by id.
    void listEvent(std::vector<Event>& events);
    void removeEvent(uint32_t id);
    // running false, error 0 for an unknown id.
    EventStatus getStatus(uint32_t id);
    void setStatus(uint32_t id, EventStatus status);

private:
    EventManager() = default;
    EventManager(const EventManager&) = delete;
    EventManager& operator=(const EventManager&) = delete;

    std::map<uint32_t, EventStatus> event_status;
    std::map<uint32_t, Event> event_info;
    uint32_t counter = 0;
    std::mutex m_mutex;  // guards the three above; not recursive
};
