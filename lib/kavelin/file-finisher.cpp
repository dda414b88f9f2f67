#include "kavelin/file-finisher.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <event2/event.h>

#include <cerrno>
#include <system_error>

#include "log.h"

namespace {

const char* const kComponent = "transfer_service_impl_debug";

} // namespace

FileFinisher::FileFinisher(event_base* base)
{
    if (!base)
        return;
    m_wake_fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_wake_fd < 0) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] file-finisher(%d): no eventfd (%d): received files are finished on the service thread\n",
               errno);
        return;
    }
    m_wake_event = event_new(base, m_wake_fd, EV_READ | EV_PERSIST, &FileFinisher::onCommitted, this);
    if (!m_wake_event || event_add(m_wake_event, nullptr) != 0) {
        if (m_wake_event)
            event_free(m_wake_event);
        m_wake_event = nullptr;
        ::close(m_wake_fd);
        m_wake_fd = -1;
        return;
    }
}

FileFinisher::~FileFinisher()
{
    stop();
    if (m_wake_event)
        event_free(m_wake_event);
    if (m_wake_fd >= 0)
        ::close(m_wake_fd);
}

void FileFinisher::stop()
{
    settle();
    m_stopped = true;
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_work_to_do.notify_one();
    m_thread.join();
}

bool FileFinisher::startThread()
{
    if (m_thread.joinable())
        return true;
    if (m_stopped || !m_wake_event)
        return false;
    try {
        m_thread = std::thread(&FileFinisher::work, this);
    } catch (const std::system_error&) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] file-finisher(%d): no thread: received files are finished on the service thread\n");
        m_stopped = true;
        return false;
    }
    return true;
}

void FileFinisher::hand(FinishedFileBatch& batch, const std::vector<FileKey>& files)
{
    if (batch.empty())
        return;
    if (!startThread()) {
        batch.flush();
        return;
    }
    if (m_files_held > 0 && m_files_held + files.size() > kMaxFilesHeld)
        settle();
    m_files_held += files.size();
    for (const FileKey& file : files)
        ++m_finishing[file];
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_handed.push_back(Handed{std::move(batch), files});
    }
    m_work_to_do.notify_one();
}

bool FileFinisher::isFinishing(uint64_t peer_id, uint64_t token) const
{
    return m_finishing.count(FileKey(peer_id, token)) != 0;
}

void FileFinisher::settle()
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_all_committed.wait(lock, [this] { return m_handed.empty() && !m_committing; });
    }
    announceCommitted();
}

void FileFinisher::work()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_work_to_do.wait(lock, [this] { return m_stopping || !m_handed.empty(); });
        if (m_handed.empty())
            return;
        std::vector<Handed> group;
        group.swap(m_handed);
        m_committing = true;
        lock.unlock();

        std::vector<FinishedFileBatch*> batches;
        for (Handed& handed : group)
            batches.push_back(&handed.batch);
        FinishedFileBatch::commit(batches);

        lock.lock();
        for (Handed& handed : group)
            m_committed.push_back(std::move(handed));
        m_committing = false;
        m_all_committed.notify_all();
        const uint64_t one = 1;
        // A full counter already wakes the loop.
        if (::write(m_wake_fd, &one, sizeof(one)) < 0) {
        }
    }
}

void FileFinisher::onCommitted(int fd, short, void* arg)
{
    uint64_t count = 0;
    if (::read(fd, &count, sizeof(count)) < 0) {
        // Nothing to reset: another wake-up took the count.
    }
    static_cast<FileFinisher*>(arg)->announceCommitted();
}

void FileFinisher::announceCommitted()
{
    // One batch at a time and outside the lock: an announcement may hand
    // over or settle again, and the batches keep their order.
    for (;;) {
        Handed handed;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_committed.empty())
                return;
            handed = std::move(m_committed.front());
            m_committed.pop_front();
        }
        handed.batch.announce();
        m_files_held -= handed.files.size();
        for (const FileKey& file : handed.files) {
            auto it = m_finishing.find(file);
            if (it != m_finishing.end() && --it->second == 0)
                m_finishing.erase(it);
        }
    }
}
