#include "transfer_test_support.h"

#include <algorithm>
#include <set>

#include "client-core-manager.h"
#include "global-connecter.h"
#include "kavelin/vardo-core-manager.h"
#include "protocol/pobject.h"
#include "queue-page.h"
#include "str_table.h"
#include "transfer-button.h"

namespace transfertest {

namespace {

std::set<uint64_t>& addedIds()
{
    static std::set<uint64_t> ids;
    return ids;
}

}  // namespace

std::vector<ResumeInfo> storedTasks()
{
    std::vector<ResumeInfo> infos;
    int total = 0;
    uint64_t down = 0, up = 0;
    ClientCoreManager::getCoreManager()->getInfos(ResumeFilter(), infos, total, down, up);
    return infos;
}

std::vector<uint64_t> storedIds()
{
    std::vector<uint64_t> ids;
    for (const ResumeInfo& info : storedTasks())
        ids.push_back(info.resume_id);
    return ids;
}

void clearStore()
{
    VardoCoreManager* store = ClientCoreManager::getCoreManager();
    // Aborted tasks do not list: they go by the ids handed out here.
    for (uint64_t id : addedIds())
        store->removeInfo(id);
    addedIds().clear();
    for (const ResumeInfo& info : storedTasks())
        store->removeInfo(info.resume_id);
}

std::vector<uint64_t> addTasks(int count, uint64_t peer, Command command, const char* prefix,
                               const std::function<void(int, ResumeInfo&)>& edit)
{
    const std::vector<uint64_t> before = storedIds();
    std::vector<ResumeInfo> batch;
    for (int i = 0; i < count; ++i) {
        ResumeInfo info;
        info.peer_id = peer;
        info.command = command;
        const std::string name = std::string(prefix) + std::to_string(i) + ".bin";
        const std::string remote = "/docs/" + name;
        const std::string local = "/home/user/" + name;
        info.path_from = ustring(command == C_PULL ? remote : local);
        info.path_to = ustring(command == C_PULL ? local : remote);
        info.total = 1 << 20;
        if (edit)
            edit(i, info);
        batch.push_back(info);
    }
    ClientCoreManager::getCoreManager()->addInfos(batch);
    std::vector<uint64_t> added;
    for (uint64_t id : storedIds()) {
        if (std::find(before.begin(), before.end(), id) == before.end())
            added.push_back(id);
    }
    addedIds().insert(added.begin(), added.end());
    return added;
}

void setTaskState(uint64_t resume_id, ResumeInfo::State state, ResumeInfo::UserAction action, int error)
{
    PObject update;
    update["action"] = "update_partial_info";
    update["resume_id"] = static_cast<unsigned long long>(resume_id);
    update["local_state"] = static_cast<int>(state);
    update["user_action"] = static_cast<int>(action);
    update["error"] = error;
    ClientCoreManager::getCoreManager()->updatePartialInfo(update);
}

TabHost::TabHost(const QString& gif_file)
{
    m_button = new TransferButton(nullptr);
    m_button->setAllIcon(QStringLiteral("bt_queue"));
    m_button->setGif(gif_file);
    m_button->setIconSize(QSize(34, 28));
    m_button->setToolTip(StrTable::LoadStr(StrTable::tooltip_taskmanager));
    connect(m_button, &TransferButton::clicked, this, &TabHost::slotTransferButtonClicked);
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(hub, &GlobalConnecter::sigQueuePageHidden, this, &TabHost::slotQueuePageHidden);
    connect(hub, &GlobalConnecter::sigTaskCountChanged, this, &TabHost::slotTaskCountChanged);
}

TabHost::~TabHost()
{
    delete m_page;
    delete m_button;
}

void TabHost::slotTransferButtonClicked()
{
    delete m_page;
    if (m_button->isToggled()) {
        m_button->setToggled(false);
        return;
    }
    m_button->setToggled(true);
    m_page = new QueuePage(nullptr);
    m_page->show();
}

void TabHost::slotQueuePageHidden()
{
    m_button->setToggled(false);
}

void TabHost::slotTaskCountChanged(int count)
{
    if (count == 0)
        m_button->stopGif();
    else
        m_button->startGif();
}

}  // namespace transfertest
