#pragma once

#include <cstdint>
#include <list>
#include <string>

// One file operation on a site, from the view that asks for it to the worker
// that carries it out. Plain record, copied by value; paths are UTF-8 without
// the peer prefix of an id path.
enum EventType : int32_t {
    EV_SETUDP = 0,
    EV_LIST = 1,
    EV_MKDIR = 2,
    EV_RENAME = 3,
    EV_REMOVE = 4,
    EV_COPY = 5,
    EV_UPLOAD = 6,
    EV_DOWNLOAD = 7,
    EV_MAX = 8,  // not filled by any builder
};

struct Event {
    EventType type = EV_MAX;
    uint32_t id = 0;             // given by EventManager::pushEvent
    uint64_t trigger_peer = 0;   // the site whose control channel runs it
    uint64_t peer_id = 0;        // the site holding the items (0: this computer)
    std::string parent;          // folder of the items; for a listing the id path
    std::list<std::string> paths;
    std::list<std::string> names;  // parallel to paths
    bool source_is_dir = false;
    uint64_t opt_peer_id = 0;    // destination site; for a rename peer_id
    std::string opt_name;
    std::string opt_path;
    uint64_t resume_id = 0;

    // One line for debug output; not meant to be parsed back.
    std::string toString() const;
};

// The outcome of an event; only `error` carries information.
struct EventStatus {
    bool running = false;
    int error = 0;
    // What the server said about the (first) failure, as it said it; empty
    // when it said nothing or the failure was not the server's.
    std::string reason;
};
