#include "base-queue.h"

#include "action-bar.h"
#include "client-core-manager.h"
#include "global-connecter.h"
#include "kavelin/transfer-service.h"
#include "kavelin/vardo-core-manager.h"
#include "protocol/pobject.h"
#include "queue-rules.h"

BaseQueue::BaseQueue(QWidget* parent) : QWidget(parent)
{
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &BaseQueue::sigUpdateActionBarButton, hub, &GlobalConnecter::sigUpdateActionBarButton);
    connect(hub, &GlobalConnecter::sigTransferActionButtonClicked, this, &BaseQueue::slotTransferActionButtonClicked);
}

void BaseQueue::clearTasks()
{
    m_resume_id_map.clear();
    m_resume_infos.clear();
}

void BaseQueue::indexTasks()
{
    m_resume_id_map.clear();
    for (const ResumeInfo& info : m_resume_infos)
        m_resume_id_map[info.resume_id] = &info;
}

void BaseQueue::slotTransferActionButtonClicked(int btn)
{
    std::vector<uint64_t> ids;
    getSelectedResumeIds(ids);
    if (isHidden())
        return;
    VardoCoreManager* store = ClientCoreManager::getCoreManager();
    if (btn >= ActionBar::BA_MOVEUP && btn <= ActionBar::BA_MOVETOBOTTOM) {
        const bool is_increase = btn == ActionBar::BA_MOVEUP || btn == ActionBar::BA_MOVETOTOP;
        const bool most = btn == ActionBar::BA_MOVETOTOP || btn == ActionBar::BA_MOVETOBOTTOM;
        store->adjustPriority(ids, is_increase, most);
        reloadTasks();
        setSelectedResumeIds(ids);
        return;
    }

    int user_action = -1;
    if (btn == ActionBar::BA_START)
        user_action = ResumeInfo::UA_START;
    else if (btn == ActionBar::BA_PAUSE)
        user_action = ResumeInfo::UA_PAUSE;
    else if (btn == ActionBar::BA_CLEAR)
        user_action = ResumeInfo::UA_ABORT;
    if (user_action >= 0) {
        TransferService* engine = ClientCoreManager::getTransferService();
        for (uint64_t id : ids) {
            auto found = m_resume_id_map.find(id);
            if (found == m_resume_id_map.end())
                continue;
            PObject update;
            update["action"] = "update_partial_info";
            update["resume_id"] = static_cast<unsigned long long>(found->second->resume_id);
            update["user_action"] = user_action;
            // A task that finished since the last reload is no longer in the
            // store: the engine has nothing to act on.
            if (!store->updatePartialInfo(update))
                continue;
            engine->updateTaskStatus(found->first);
        }
    }
    reloadTasks();
}

void BaseQueue::summarizeActionButtonStatus()
{
    std::vector<uint64_t> ids;
    getSelectedResumeIds(ids);
    std::vector<const ResumeInfo*> selected;
    for (uint64_t id : ids) {
        auto found = m_resume_id_map.find(id);
        if (found != m_resume_id_map.end())
            selected.push_back(found->second);
    }
    emit sigUpdateActionBarButton(queue_rules::summarizeButtons(selected, static_cast<int>(ids.size()),
                                                                static_cast<int>(m_resume_infos.size())));
}
