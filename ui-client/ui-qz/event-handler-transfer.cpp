// Transfer feeding: upload and download events become engine tasks.
#include "event-handler.h"

#include "abort-flag.h"
#include "client-core-manager.h"
#include "core-timing.h"
#include "file-op.h"
#include "kavelin/transfer-service.h"
#include "kavelin/vardo-core-manager.h"
#include "local-site-helper.h"
#include "log.h"
#include "protocol/proto-ui.h"
#include "remote-site-helper.h"

namespace {

const char kComponent[] = "default_component";
// An entry refused by the walk: a name leaving its folder, or too deep.
const int kRefusedEntry = -1;

std::string utf8(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// The sub-event that walks folder `name` of `event`'s source.
Event subEvent(const Event& event, EventType type, const std::string& source_base, const std::string& dest_base,
               const std::string& name)
{
    Event sub;
    sub.type = type;
    sub.trigger_peer = event.trigger_peer;
    sub.peer_id = event.peer_id;
    sub.opt_peer_id = event.opt_peer_id;
    sub.parent = source_base;
    sub.names = {name};
    sub.paths = {source_base + "/" + name};
    sub.source_is_dir = true;
    sub.opt_name = name;
    sub.opt_path = dest_base;
    return sub;
}

// The views name a share's items without a leading "/" ("3:share/dir"); the
// data side reads a server path from the share root and refuses any other.
std::string serverWirePath(const std::string& path)
{
    return !path.empty() && path[0] == '/' ? path : "/" + path;
}

ResumeInfo newTask(uint64_t peer_id, Command command, const std::string& from, const std::string& to)
{
    ResumeInfo task;
    task.token = 0;
    task.resume_id = 0;
    task.peer_id = peer_id;
    task.command = command;
    task.is_udp = false;
    // A download reads from the server, an upload writes to it.
    task.path_from = ustring(command == C_PULL ? serverWirePath(from) : from);
    task.path_to = ustring(command == C_PUSH ? serverWirePath(to) : to);
    task.local_state = ResumeInfo::RI_WAITING;
    task.remote_state = ResumeInfo::RI_WAITING;
    task.user_action = ResumeInfo::UA_NONE;
    return task;
}

}  // namespace

bool isSafeEntryName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

bool isServerEntryName(const std::string& name)
{
    return isSafeEntryName(name) && name.find('\\') == std::string::npos;
}

int EventHandler::handleDownload(const Event& event)
{
    return walkDownload(event, 0);
}

int EventHandler::handleUpload(const Event& event)
{
    m_upload_chain.clear();
    m_made_remote.clear();
    int result = walkUpload(event, 0);
    m_upload_chain.clear();
    m_made_remote.clear();
    return result;
}

int EventHandler::walkDownload(const Event& event, int depth)
{
    if (event.paths.empty() || event.names.empty())
        return kRefusedEntry;
    const std::string source_base = event.paths.front();
    const std::string dest_base = event.opt_path + "/" + event.names.front();
    if (depth > kMaxWalkDepth) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] event-handler(%d): handleDownload: '%s' lies too deep, skipped\n",
               source_base);
        return kRefusedEntry;
    }
    // The item's own name places it in the destination folder: it must name
    // one item there.
    if (!isSafeEntryName(event.names.front())) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] event-handler(%d): handleDownload: '%s' is not an item name, '%s' skipped\n",
               event.names.front(), source_base);
        return kRefusedEntry;
    }
    bool is_dir = false;
    SiteFileList listing;
    if (m_remote_helper->listNode(source_base, is_dir, listing) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] event-handler(%d): handleDownload: Failed to list node '%s'\n",
               source_base);
        return -1;
    }
    if (!is_dir) {
        // A file: whatever the server listed for it, it is one task; the
        // size of a single file entry is kept as the task's expected size.
        SiteFileInfo file;
        if (listing.size() == 1 && !listing.front().is_dir)
            file.size = listing.front().size;
        listing.clear();
        listing.append(file);
    } else {
        m_local_helper->mkdir(dest_base);
    }

    int result = 0;
    for (const SiteFileInfo& entry : listing) {
        if (aborted())
            break;
        const std::string name = utf8(entry.name);
        if (is_dir && !isSafeEntryName(name)) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] event-handler(%d): handleDownload: entry '%s' of '%s' would leave its folder, skipped\n",
                   name, source_base);
            result = kRefusedEntry;
            continue;
        }
        if (!entry.is_dir) {
            std::string from = name.empty() ? source_base : source_base + "/" + name;
            std::string to = name.empty() ? dest_base : dest_base + "/" + name;
            m_new_infos.push_back(newTask(event.peer_id, C_PULL, from, to));
            // The listed size lets the engine ask for small files ahead of
            // the running ones; the file's own header still decides.
            m_new_infos.back().total = entry.size;
            if (!aborted())
                notifyNew(false);
        } else {
            int sub = walkDownload(subEvent(event, EV_DOWNLOAD, source_base, dest_base, name), depth + 1);
            if (sub != 0)
                result = sub;
        }
    }
    return result;
}

int EventHandler::walkUpload(const Event& event, int depth)
{
    if (event.paths.empty() || event.names.empty())
        return kRefusedEntry;
    const std::string source_base = event.paths.front();
    const std::string dest_base = event.opt_path + "/" + event.names.front();
    if (depth > kMaxWalkDepth) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] event-handler(%d): handleUpload: '%s' lies too deep, skipped\n",
               source_base);
        return kRefusedEntry;
    }
    bool is_dir = false;
    SiteFileList listing;
    if (m_local_helper->listNode(source_base, is_dir, listing) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] event-handler(%d): handleUpload: Failed to list node '%s'\n",
               source_base);
        return -1;
    }
    SiteHelper* destination = getHelper(event.opt_peer_id);
    if (!destination || event.opt_peer_id == 0)
        return kRefusedEntry;
    if (!isServerEntryName(event.names.front())) {
        // Refused before anything is made on the server in its place.
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] event-handler(%d): handleUpload: '%s' has a name the server cannot take, refused\n",
               source_base);
        return ProtoUI::ERROR_INVALID_ARGUMENT;
    }
    if (is_dir && listing.isEmpty()) {
        // The server makes no missing parents, and the files that would
        // make them may come later in the walk: make the chain first.
        m_upload_chain.push_back(dest_base);
        for (const std::string& folder : m_upload_chain)
            if (m_made_remote.insert(folder).second)
                destination->mkdir(folder);
        m_upload_chain.pop_back();
    }
    if (!is_dir) {
        FILE_INFO info;
        if (FSStat(ustring(source_base), info, true) < 0) {
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] event-handler(%d): try to push '%s' but cannot stat it\n",
                   source_base);
            return -1;
        }
        if (!info.isExist) {
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] event-handler(%d): try to push an unexist file '%s'\n",
                   source_base);
            return -1;
        }
        SiteFileInfo file;
        file.size = info.size;
        file.mtime = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(info.mtime / 1000));
        listing.clear();
        listing.append(file);
    }

    int result = 0;
    for (const SiteFileInfo& entry : listing) {
        if (aborted())
            break;
        const std::string name = utf8(entry.name);
        if (is_dir && !isSafeEntryName(name)) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] event-handler(%d): handleUpload: entry '%s' of '%s' would leave its folder, skipped\n",
                   name, source_base);
            result = kRefusedEntry;
            continue;
        }
        if (is_dir && !isServerEntryName(name)) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] event-handler(%d): handleUpload: entry '%s' of '%s' has a name the server cannot "
                   L"take, skipped\n",
                   name, source_base);
            result = ProtoUI::ERROR_INVALID_ARGUMENT;
            continue;
        }
        if (!entry.is_dir) {
            std::string from = name.empty() ? source_base : source_base + "/" + name;
            std::string to = name.empty() ? dest_base : dest_base + "/" + name;
            ResumeInfo task = newTask(event.opt_peer_id, C_PUSH, from, to);
            qint64 mtime_ms = entry.mtime.isValid() ? entry.mtime.toMSecsSinceEpoch() : 0;
            task.mtime = mtime_ms > 0 ? static_cast<uint64_t>(mtime_ms) * 1000 : 0;
            task.total = entry.size;
            m_new_infos.push_back(task);
            if (!aborted())
                notifyNew(false);
        } else {
            m_upload_chain.push_back(dest_base);
            int sub = walkUpload(subEvent(event, EV_UPLOAD, source_base, dest_base, name), depth + 1);
            m_upload_chain.pop_back();
            if (sub != 0)
                result = sub;
        }
    }
    return result;
}

void EventHandler::notifyNew(bool force)
{
    if (aborted())
        return;
    uint32_t now = static_cast<uint32_t>(CoreTiming::nowMs() / 1000);
    if (!force && now <= m_last_notify_time)
        return;
    ClientCoreManager::getCoreManager()->addInfos(m_new_infos);
    m_new_infos.clear();
    ClientCoreManager::getTransferService()->notifyNew(m_peer_id);
    m_last_notify_time = now;
}
