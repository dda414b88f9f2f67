#include "kavelin/finished-file-batch.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace {

void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// 0, or the errno of a failed sync; fd is closed either way.
int syncAndClose(int fd)
{
    int error = ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    return error;
}

// The folder that holds path, whose entry a rename changes.
std::string parentFolder(const std::string& path)
{
    const size_t cut = path.find_last_of('/');
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

} // namespace

FinishedFileBatch::FinishedFileBatch(FinishedFileBatch&& other) noexcept
{
    m_entries.swap(other.m_entries);
}

FinishedFileBatch& FinishedFileBatch::operator=(FinishedFileBatch&& other) noexcept
{
    if (this != &other) {
        flush();
        m_entries.swap(other.m_entries);
    }
    return *this;
}

FinishedFileBatch::~FinishedFileBatch()
{
    flush();
}

void FinishedFileBatch::add(const std::string& folder, std::function<void()> announce)
{
    m_entries.push_back(Entry{-1, std::string(), std::string(), folder, std::move(announce), Failure(), 0, false});
}

void FinishedFileBatch::addFile(int fd, const std::string& temp, const std::string& destination,
                                std::function<void()> announce, Failure failed)
{
    m_entries.push_back(
        Entry{fd, temp, destination, parentFolder(destination), std::move(announce), std::move(failed), 0, false});
}

void FinishedFileBatch::flush()
{
    if (m_entries.empty())
        return;
    commit({this});
    announce();
}

void FinishedFileBatch::commit(const std::vector<FinishedFileBatch*>& batches)
{
    // Writeback of every file first: a file system with a journal then
    // commits their blocks together, and each sync after the first finds
    // its file already on disk.
    for (const FinishedFileBatch* batch : batches)
        for (const Entry& entry : batch->m_entries)
            if (entry.fd >= 0)
                ::sync_file_range(entry.fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    std::vector<Entry*> to_sync;
    for (FinishedFileBatch* batch : batches)
        for (Entry& entry : batch->m_entries)
            if (entry.fd >= 0 || !entry.temp.empty())
                to_sync.push_back(&entry);
    syncAll(to_sync);
    std::vector<std::string> folders;
    for (FinishedFileBatch* batch : batches) {
        for (Entry& entry : batch->m_entries) {
            if (entry.error == 0 && !entry.temp.empty() &&
                ::rename(entry.temp.c_str(), entry.destination.c_str()) != 0) {
                entry.error = errno;
                entry.in_rename = true;
            }
            // Renamed: a second commit must not rename again.
            entry.temp.clear();
            if (entry.error == 0 && !entry.folder.empty() &&
                std::find(folders.begin(), folders.end(), entry.folder) == folders.end())
                folders.push_back(entry.folder);
            entry.folder.clear();
        }
    }
    for (const std::string& folder : folders)
        syncFolder(folder);
}

void FinishedFileBatch::syncAll(const std::vector<Entry*>& entries)
{
    // Each sync waits for the disk to empty its cache; several at once are
    // served by one flush, so a disk that flushes slowly costs about the
    // same for many files as for one.
    std::atomic<size_t> next{0};
    auto syncSome = [&entries, &next] {
        for (size_t i = next++; i < entries.size(); i = next++) {
            Entry& entry = *entries[i];
            if (entry.fd < 0)
                entry.fd = ::open(entry.temp.c_str(), O_RDONLY | O_CLOEXEC);
            if (entry.fd < 0) {
                // A file that is not there is reported by its rename; any
                // other failure must not let it take its name unsynced.
                entry.error = errno == ENOENT ? 0 : errno;
                continue;
            }
            entry.error = syncAndClose(entry.fd);
            entry.fd = -1;
        }
    };
    std::vector<std::thread> helpers;
    const size_t wanted = std::min(entries.size(), kMaxSyncsAtOnce);
    for (size_t k = 1; k < wanted; ++k) {
        try {
            helpers.emplace_back(syncSome);
        } catch (const std::system_error&) {
            break; // the ones running, and this thread, do the rest
        }
    }
    syncSome();
    for (std::thread& helper : helpers)
        helper.join();
}

void FinishedFileBatch::announce()
{
    // Emptied first, so that the batch is ready for the next pass whatever
    // an announcement does.
    std::vector<Entry> entries;
    entries.swap(m_entries);
    for (const Entry& entry : entries) {
        if (entry.error == 0)
            entry.announce();
        else if (entry.failed)
            entry.failed(entry.error, entry.in_rename);
    }
}
