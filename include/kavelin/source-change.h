#pragma once

#include <cstdint>

#include "kavelin/resume-info.h"

class VardoCoreManager;

// A source file that changed while it was sent: what the receiver got of it
// mixes two versions. The client, which drives every task, starts such a
// file again from the beginning once; a further change ends the task failed
// with ERR_SOURCE_CHANGED. Counts are kept per task store and resume id for
// the whole process; only the event-loop threads of the engines use them.
class SourceChange {
public:
    // Restarts of one task from the beginning after its source changed.
    static constexpr int kMaxRestarts = 1;

    // Counts a change of the task's source; true while the task may still
    // start again, false (and the count forgotten) once it is to fail.
    static bool noteChange(const void* store, uint64_t resume_id);
    // The task finished or left the store.
    static void forget(const void* store, uint64_t resume_id);

    // Client side, for a task whose source changed: starts it again from
    // the beginning (true) or ends it failed with ERR_SOURCE_CHANGED (false).
    // A download forgets what it holds; an upload takes its source's present
    // size and time.
    static bool restartOrFail(VardoCoreManager* manager, uint64_t resume_id);

    // Whether a receiver holds anything of the task (a temporary file or
    // received ranges).
    static bool holdsData(const ResumeInfo& info);
    // A receiver's holdings of another version of the file are worthless:
    // removes the temporary file and forgets the ranges and the progress.
    static void dropHeld(ResumeInfo& info);
};
