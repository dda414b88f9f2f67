#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// What a receiving connection finished in one wake-up: files received whole
// into temporary files, to be moved to their destinations, and the records
// and reports that announce them. On flush every file's data is synced
// before any of them is renamed (their writeback started together, so the
// file system commits them at once rather than one by one), each folder is
// synced once for all its renames, and only then do the announcements run,
// in the order they were added, so that nothing is reported done whose
// contents or name a crash could still take back.
class FinishedFileBatch {
public:
    // Runs instead of the announcement when a file cannot be synced or
    // renamed: the errno of the failure, and whether the rename failed
    // (else the sync did).
    typedef std::function<void(int error, bool in_rename)> Failure;

    FinishedFileBatch() = default;
    FinishedFileBatch(const FinishedFileBatch&) = delete;
    FinishedFileBatch& operator=(const FinishedFileBatch&) = delete;
    // The other batch is left empty.
    FinishedFileBatch(FinishedFileBatch&& other) noexcept;
    FinishedFileBatch& operator=(FinishedFileBatch&& other) noexcept;
    // Whatever is left is synced and announced.
    ~FinishedFileBatch();

    // A rename into folder (empty: no rename, only the announcement).
    void add(const std::string& folder, std::function<void()> announce);
    // A received file: fd (owned by the batch from here; -1: the file is
    // opened by name when it is synced, and a file that is not there is
    // reported by its rename) is synced, temp is renamed over destination,
    // the folder synced, then announce runs.
    void addFile(int fd, const std::string& temp, const std::string& destination, std::function<void()> announce,
                 Failure failed);
    bool empty() const { return m_entries.empty(); }
    // Syncs and renames the files, syncs the folders, then runs the
    // announcements; the batch is empty after.
    void flush();

    // The two halves of flush, for a caller that commits on another thread
    // than the one that announces. commit does the file system's part (the
    // syncs and renames, noting each failure) of several batches at once,
    // so that they share their writeback and folder syncs; announce then
    // runs each batch's announcements, or failures, in order and empties it.
    static void commit(const std::vector<FinishedFileBatch*>& batches);
    void announce();

    // How many files commit syncs at the same time.
    static constexpr size_t kMaxSyncsAtOnce = 8;

private:
    struct Entry {
        int fd;
        std::string temp;
        std::string destination;
        std::string folder;
        std::function<void()> announce;
        Failure failed;
        int error;
        bool in_rename;
    };
    // Syncs and closes each entry's file, noting its error.
    static void syncAll(const std::vector<Entry*>& entries);

    std::vector<Entry> m_entries;
};
