#include "kavelin/finished-file-batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace {

void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FinishedFileBatch::~FinishedFileBatch()
{
    flush();
}

void FinishedFileBatch::add(const std::string& folder, std::function<void()> announce)
{
    if (!folder.empty() && std::find(m_folders.begin(), m_folders.end(), folder) == m_folders.end())
        m_folders.push_back(folder);
    m_announce.push_back(std::move(announce));
}

void FinishedFileBatch::flush()
{
    // An announcement may finish another file into this batch: take the
    // lists first.
    std::vector<std::string> folders;
    std::vector<std::function<void()>> announce;
    folders.swap(m_folders);
    announce.swap(m_announce);
    for (const std::string& folder : folders)
        syncFolder(folder);
    for (const std::function<void()>& step : announce)
        step();
}
