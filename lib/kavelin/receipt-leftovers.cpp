#include "kavelin/receipt-leftovers.h"

#include <dirent.h>
#include <errno.h>
#include <unistd.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "kavelin/resume-info.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"
#include "protocol/pobject.h"
#include "tmp_name_gen.h"

namespace {

const char* const kComponent = "default_component";
const char kSuffix[] = ".vexofm";
const size_t kRandomChars = 8;

bool isNameChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_';
}

} // namespace

bool ReceiptLeftovers::isTemporaryName(const std::string& name, const std::string& prefix)
{
    const size_t suffix = sizeof kSuffix - 1;
    if (name.size() != prefix.size() + 1 + kRandomChars + suffix || name.compare(0, prefix.size(), prefix) != 0 ||
        name[prefix.size()] != '-' || name.compare(name.size() - suffix, suffix, kSuffix) != 0)
        return false;
    for (size_t i = prefix.size() + 1; i < prefix.size() + 1 + kRandomChars; ++i)
        if (!isNameChar(name[i]))
            return false;
    return true;
}

void ReceiptLeftovers::dropFailedReceipt(VardoCoreManager* manager, uint64_t resume_id)
{
    ResumeInfo info;
    if (resume_id == 0 || !manager->getResumeInfoFromResumeId(resume_id, info) || info.command != C_PULL ||
        info.local_state != ResumeInfo::RI_ERROR)
        return;
    if (info.temp_path.empty() && info.fragments.empty())
        return;
    if (!info.temp_path.empty() && ::unlink(info.temp_path.c_str_utf8()) != 0 && errno != ENOENT)
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] receipt-leftovers(%d): cannot remove temp file %s, errno %d\n",
               info.temp_path, errno);
    PObject update;
    update["resume_id"] = static_cast<uint64_t>(resume_id);
    update["temp_path"] = std::string();
    update["fragments"].asArray();
    update["progress"] = static_cast<uint64_t>(0);
    manager->updatePartialInfo(update);
}

void ReceiptLeftovers::removeOrphans(VardoCoreManager* manager, const ustring& destination)
{
    const std::string fitted = TmpNameGen::fitName(destination.c_str_utf8());
    const size_t slash = fitted.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : fitted.substr(0, slash);
    const std::string prefix = slash == std::string::npos ? fitted : fitted.substr(slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> found;
    while (const dirent* entry = ::readdir(dir))
        if (isTemporaryName(entry->d_name, prefix))
            found.push_back(entry->d_name);
    ::closedir(dir);
    if (found.empty())
        return;
    // A receipt under way for the same destination keeps its file.
    std::set<std::string> held;
    std::vector<ResumeInfo> infos;
    int total = 0;
    uint64_t down = 0, up = 0;
    if (!manager->getInfos(ResumeFilter(), infos, total, down, up))
        return;
    for (const ResumeInfo& info : infos)
        if (!info.temp_path.empty())
            held.insert(info.temp_path.c_str_utf8());
    const std::string base = folder == "/" ? "/" : folder + "/";
    for (const std::string& name : found) {
        const std::string path = base + name;
        if (held.count(path) != 0)
            continue;
        if (::unlink(path.c_str()) == 0)
            QM_LOG(Logger::L_INFO, kComponent, L"[INFO] receipt-leftovers(%d): removed %s, left by an earlier run\n",
                   path);
    }
}
