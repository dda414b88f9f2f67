#include "event-manager.h"


EventManager* EventManager::getInstance()
{
    static EventManager table;
    return &table;
}

uint32_t EventManager::pushEvent(const Event& event)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++counter;
    Event stored = event;
    stored.id = counter;
    event_info[counter] = stored;
    event_status[counter] = EventStatus();
    return counter;
}

int EventManager::getEvent(uint32_t id, Event& event)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = event_info.find(id);
    if (it == event_info.end())
        return -1;
    event = it->second;
    return 0;
}

void EventManager::listEvent(std::vector<Event>& events)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& entry : event_info)
        events.push_back(entry.second);
}

void EventManager::removeEvent(uint32_t id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    event_status.erase(id);
    event_info.erase(id);
}

EventStatus EventManager::getStatus(uint32_t id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = event_status.find(id);
    return it == event_status.end() ? EventStatus() : it->second;
}

void EventManager::setStatus(uint32_t id, EventStatus status)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    event_status[id] = status;
}
