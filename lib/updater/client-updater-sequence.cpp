#include "client-updater-sequence.h"

#include "log.h"

namespace {
const char* const kComponent = "client_updater_core";
}

#define SEQ_ERROR(fmt, ...) \
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] client-updater-sequence(%d): " fmt L"\n", ##__VA_ARGS__)

ClientUpdaterSequence::~ClientUpdaterSequence()
{
    for (ClientSingleUpdater* updater : m_updater_list)
        delete updater;
}

void ClientUpdaterSequence::appendUpdater(ClientSingleUpdater* updater)
{
    m_updater_list.push_back(updater);
}

bool ClientUpdaterSequence::update()
{
    for (ClientSingleUpdater* updater : m_updater_list) {
        switch (updater->getClientStatus()) {
        case ClientSingleUpdater::STATUS_ERROR:
            SEQ_ERROR("Update failed: unexpect status of database.");
            return false;
        case ClientSingleUpdater::STATUS_NEED_UPDATE:
            if (!updater->update()) {
                SEQ_ERROR("Client updater failed");
                return false;
            }
            break;
        case ClientSingleUpdater::STATUS_NO_NEED_UPDATE:
            break;
        }
    }
    return true;
}
