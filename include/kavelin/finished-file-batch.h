#pragma once

#include <functional>
#include <string>
#include <vector>

// What a receiving connection finished in one read pass: files renamed to
// their destinations and the records and reports that announce them. Each
// folder is synced once for all its renames, and only then do the
// announcements run, in the order they were added, so that nothing is
// reported done whose name a crash could still take back.
class FinishedFileBatch {
public:
    FinishedFileBatch() = default;
    FinishedFileBatch(const FinishedFileBatch&) = delete;
    FinishedFileBatch& operator=(const FinishedFileBatch&) = delete;
    // Whatever is left is synced and announced.
    ~FinishedFileBatch();

    // A rename into folder (empty: no rename, only the announcement).
    void add(const std::string& folder, std::function<void()> announce);
    bool empty() const { return m_announce.empty(); }
    // Syncs the folders, then runs the announcements; the batch is empty after.
    void flush();

private:
    std::vector<std::string> m_folders;
    std::vector<std::function<void()>> m_announce;
};
