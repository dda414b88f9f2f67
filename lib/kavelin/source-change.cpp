#include "kavelin/source-change.h"

#include <sys/stat.h>
#include <errno.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

#include "kavelin/error-code.h"
#include "kavelin/fragment-manager.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"
#include "protocol/pobject.h"

namespace {

const char* const kComponent = "default_component";

// Several engines (a client and a test server) may run in one process.
std::mutex g_lock;
std::map<std::pair<const void*, uint64_t>, int> g_changes;

} // namespace

bool SourceChange::noteChange(const void* store, uint64_t resume_id)
{
    std::lock_guard<std::mutex> guard(g_lock);
    auto found = g_changes.insert({{store, resume_id}, 0}).first;
    if (++found->second <= kMaxRestarts)
        return true;
    g_changes.erase(found);
    return false;
}

void SourceChange::forget(const void* store, uint64_t resume_id)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_changes.erase({store, resume_id});
}

bool SourceChange::holdsData(const ResumeInfo& info)
{
    return !info.temp_path.empty() || !info.fragments.empty();
}

void SourceChange::dropHeld(ResumeInfo& info)
{
    if (!info.temp_path.empty() && ::unlink(info.temp_path.c_str_utf8()) != 0 && errno != ENOENT)
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] source-change(%d): cannot remove temp file %s, errno %d\n",
               info.temp_path, errno);
    info.temp_path = ustring();
    info.fragments.clear();
    info.progress = 0;
    info.last_progress = 0;
}

bool SourceChange::restartOrFail(VardoCoreManager* manager, uint64_t resume_id)
{
    ResumeInfo info;
    if (resume_id == 0 || !manager->getResumeInfoFromResumeId(resume_id, info))
        return false;
    if (!noteChange(manager, resume_id)) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] source-change(%d): task %llu failed: the file changed while it was being sent, again\n",
               static_cast<unsigned long long>(resume_id));
        PObject update;
        update["resume_id"] = static_cast<uint64_t>(resume_id);
        update["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_ERROR);
        update["error"] = static_cast<uint32_t>(ProjectVardo::ERR_SOURCE_CHANGED);
        // What the receiver holds: nothing of a download (it is of two
        // versions, and dropped), what it said of an upload.
        if (info.command == C_PUSH) {
            update["progress"] = std::min(FragmentManager(info.total, info.fragments).getProgress(), info.total);
        } else {
            dropHeld(info);
            update["progress"] = static_cast<uint64_t>(0);
            update["temp_path"] = std::string();
            update["fragments"].asArray();
        }
        manager->updatePartialInfo(update);
        return false;
    }
    QM_LOG(Logger::L_INFO, kComponent,
           L"[INFO] source-change(%d): task %llu: the file changed while it was being sent, starting it again\n",
           static_cast<unsigned long long>(resume_id));
    if (info.command == C_PUSH) {
        // The receiver is sent the present version, whole.
        struct stat st;
        if (::stat(info.path_from.c_str_utf8(), &st) == 0) {
            info.total = static_cast<uint64_t>(st.st_size);
            info.mtime = st.st_mtim.tv_sec < 0 ? 0
                                                : static_cast<uint64_t>(st.st_mtim.tv_sec) * 1000000 +
                                                      static_cast<uint64_t>(st.st_mtim.tv_nsec) / 1000;
        }
        info.fragments.clear();
        info.progress = 0;
        info.last_progress = 0;
    } else {
        dropHeld(info);
    }
    info.error = ProjectVardo::ERR_OK;
    info.local_state = ResumeInfo::RI_WAITING;
    info.remote_state = ResumeInfo::RI_WAITING;
    manager->updateInfo(info);
    return true;
}
