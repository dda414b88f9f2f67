#pragma once

#include <cstdint>
#include <vector>

#include "ustring/ustring.h"

class PObject;

typedef uint64_t token_t;
typedef ustring path_t;

// Names a task's direction and the headers of the data protocol.
enum Command : int32_t {
    C_PULL = 1,      // download: the file comes from the remote side
    C_PUSH = 2,      // upload
    C_REPORT = 3,
    C_FRAGMENT = 4,
    C_SET_USE = 5,
};

// A byte range [begin, end) of a file.
struct FileFragment {
    uint64_t begin = 0;
    uint64_t end = 0;

    bool operator==(const FileFragment& other) const
    {
        return begin == other.begin && end == other.end;
    }
};

// One transfer task of the task store; a plain value copied across threads.
struct ResumeInfo {
    enum State : int32_t {
        RI_WAITING = 0,
        RI_RUNNING = 1,
        RI_PAUSED = 2,
        RI_ERROR = 3,
        RI_DONE = 4,
        RI_UDP_PENDING = 5,
        RI_FAILED = 6,
    };

    enum UserAction : int32_t {
        UA_NONE = 0,
        UA_START = 1,
        UA_PAUSE = 2,
        UA_ABORT = 3,
    };

    ResumeInfo();

    token_t token;
    uint64_t resume_id;
    uint64_t peer_id;
    Command command;
    bool is_udp;
    path_t path_from;
    path_t path_to;
    path_t temp_path;
    uint64_t mtime;             // microseconds since 1970
    uint64_t total;             // bytes
    uint64_t progress;          // bytes
    uint64_t update_time;       // milliseconds since 1970
    uint64_t last_progress;
    uint64_t last_update_time;  // milliseconds since 1970
    int32_t error;              // ProjectVardo::ErrorCode
    State local_state;
    State remote_state;
    UserAction user_action;
    uint64_t start_time;        // milliseconds since 1970
    uint64_t finish_time;       // milliseconds since 1970
    uint64_t elapsed_time;      // milliseconds
    std::vector<FileFragment> fragments;
};

// Which tasks a listing returns: a page [offset, offset + limit) of the
// matching tasks; limit -1 means no limit.
struct ResumeFilter {
    int32_t offset = 0;
    int32_t limit = -1;
    bool check_peer_id = false;
    std::vector<uint64_t> peer_ids;
};

// What a peer's data connections need to know of its tasks, counted by the
// store under its own rules.
struct PeerLoad {
    uint64_t waiting = 0;             // may be scheduled now (not paused by the other end)
    uint64_t running_incomplete = 0;  // holding a slot of the peer's cap
    uint64_t running_pulls = 0;       // downloads asked for and not yet received
};

void addResumeInfoIntoPObject(const ResumeInfo& info, PObject& object);
void getResumeInfoFromPObject(const PObject& object, ResumeInfo& info);
void addResumeFilterIntoPObject(const ResumeFilter& filter, PObject& object);
void getResumeFilterFromPObject(const PObject& object, ResumeFilter& filter);

// Bytes per second over the last two progress updates; 0 once the latest
// update is more than a second old. A finished file's speed fades to 0
// over the second after its last update.
uint64_t getResumeInfoEstimatedSpeed(const ResumeInfo& info, uint64_t now_ms);

// The filter's peer test and the aborted test; offset and limit are the
// listing's business.
bool isResumeInfoPassFilter(const ResumeInfo& info, const ResumeFilter& filter);
