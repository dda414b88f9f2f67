#include "task-monitor.h"

#include <QTimer>

#include <set>
#include <vector>

#include "client-core-manager.h"
#include "core-timing.h"
#include "db-util.h"
#include "global-connecter.h"
#include "kavelin/vardo-core-manager.h"
#include "log-db.h"
#include "site-info-manager.h"

TaskMonitor::TaskMonitor(QObject* parent) : QObject(parent)
{
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &TaskMonitor::sigTaskCountChanged, hub, &GlobalConnecter::sigTaskCountChanged);
    connect(this, &TaskMonitor::sigRefreshPeerPage, hub, &GlobalConnecter::sigRefreshPeerPage);
}

void TaskMonitor::startService()
{
    checkTasks();
}

void TaskMonitor::stopService()
{
    m_stopped = true;
}

namespace {

// The server side of a transfer as an absolute server path. Tasks built from
// the views' events already hold one; a second "/" would make the log show a
// path the server never had.
std::string absoluteServerPath(const std::string& path)
{
    return !path.empty() && path[0] == '/' ? path : "/" + path;
}

}  // namespace

TransferLog TaskMonitor::buildTransferLog(const ResumeInfo& task, const SiteInfo& site)
{
    TransferLog row;
    const bool download = task.command == C_PULL;
    const std::string from = task.path_from.c_str_utf8();
    const std::string to = task.path_to.c_str_utf8();
    row.type = download ? LOG_DOWNLOAD : LOG_UPLOAD;
    row.username = site.user_name.toUtf8().toStdString();
    row.ip = site.domain_name.toUtf8().toStdString();
    size_t cut = from.find_last_of("/\\");
    row.file_name = cut == std::string::npos ? from : from.substr(cut + 1);
    row.path_from = download ? absoluteServerPath(from) : from;
    row.path_to = download ? to : absoluteServerPath(to);
    row.start_time = task.start_time;
    row.end_time = task.finish_time;
    row.elapsed_time = task.elapsed_time;
    row.rtt = 0;
    row.avg_speed = task.total * 1000 / (task.elapsed_time == 0 ? 1 : task.elapsed_time);
    row.file_size = 0;
    return row;
}

void TaskMonitor::checkTasks()
{
    VardoCoreManager* store = ClientCoreManager::getCoreManager();
    std::vector<ResumeInfo> done;
    store->consumeDoneTasks(done);

    ResumeFilter count_only;
    count_only.offset = 0;
    count_only.limit = 0;
    std::vector<ResumeInfo> none;
    int total = 0;
    uint64_t download_speed = 0, upload_speed = 0;
    store->getInfos(count_only, none, total, download_speed, upload_speed);
    emit sigTaskCountChanged(total);

    std::set<uint64_t> touched;
    std::vector<TransferLog> rows;
    for (const ResumeInfo& task : done) {
        if (task.local_state == ResumeInfo::RI_FAILED)
            continue;
        touched.insert(task.peer_id);
        SiteInfo site;
        SiteInfoManager::getInstance()->getSiteInfoByPeerId(task.peer_id, site);
        rows.push_back(buildTransferLog(task, site));
    }
    // One transaction for the pass: a burst of small files does not cost a
    // disk sync per row.
    if (!rows.empty())
        LogDB::insertTransferLogs(rows);
    for (uint64_t peer : touched)
        emit sigRefreshPeerPage(peer);

    if (!m_stopped)
        // By name: the first pass may run before the monitor moves to its
        // thread, and the next must still run there.
        QTimer::singleShot(CoreTiming::get().task_pass_ms.load(), this, SLOT(checkTasks()));
}
