#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "kavelin/finished-file-batch.h"

struct event;
struct event_base;

// Finishes received files on a thread of its own: their syncs and renames
// wait for the disk there, while the service thread goes on reading the
// next files. Everything handed over while the thread is busy is committed
// together next, so the slower the disk, the more files share each sync of
// its journal. The announcements come back to the service thread through
// the loop, batch by batch in the order the batches were handed over, and
// only after their files are on disk under their names.
// Apart from its own thread, only the service thread calls it.
class FileFinisher {
public:
    // The thread starts with the first batch handed over.
    explicit FileFinisher(event_base* base);
    // Commits and announces whatever is still handed over.
    ~FileFinisher();
    FileFinisher(const FileFinisher&) = delete;
    FileFinisher& operator=(const FileFinisher&) = delete;

    // A received file, named by its peer and token.
    typedef std::pair<uint64_t, uint64_t> FileKey;
    // Files handed over and not yet announced, each holding its descriptor
    // open: beyond it, handing more over first settles the earlier ones, so
    // that a disk slower than the link cannot use up the process's files.
    static constexpr size_t kMaxFilesHeld = 256;

    // Takes the batch's contents (the batch is empty after); files names
    // what it finishes until it is announced. Without its thread (it could
    // not start, or is stopped) the batch is finished here and now.
    void hand(FinishedFileBatch& batch, const std::vector<FileKey>& files);
    // Whether a file handed over is not yet announced: it is received
    // whole, and a second receipt of it must not start.
    bool isFinishing(uint64_t peer_id, uint64_t token) const;
    // Waits until everything handed over is committed and runs the
    // announcements still due: what then reads the task store finds those
    // tasks done (or failed), as a connection's failure handling must.
    void settle();
    // Settles and ends the thread, when the loop that announces ends.
    void stop();

private:
    bool startThread();
    static void onCommitted(int fd, short events, void* arg);
    void work();
    void announceCommitted();

    std::mutex m_mutex;
    std::condition_variable m_work_to_do;
    std::condition_variable m_all_committed;
    struct Handed {
        FinishedFileBatch batch;
        std::vector<FileKey> files;
    };
    std::vector<Handed> m_handed;   // not yet taken by the thread
    std::deque<Handed> m_committed; // on disk, not yet announced
    // Files handed over and not yet announced; the service thread's alone.
    std::map<FileKey, unsigned> m_finishing;
    size_t m_files_held = 0;
    bool m_committing = false;
    bool m_stopping = false;
    // Stopped, or could not start: batches are finished where handed.
    bool m_stopped = false;
    // Tells the loop that batches were committed.
    int m_wake_fd = -1;
    event* m_wake_event = nullptr;
    std::thread m_thread;
};
