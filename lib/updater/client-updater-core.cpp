#include "client-updater-core.h"

#include "client-schema-updater.h"
#include "client-updater-sequence.h"
#include "file-op.h"
#include "log.h"

namespace {
const char* const kComponent = "client_updater_core";
}

#define CORE_ERROR(fmt, ...) \
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] client-updater-core(%d): " fmt L"\n", ##__VA_ARGS__)
#define CORE_INFO(fmt, ...) \
    QM_LOG(Logger::L_INFO, kComponent, L"[INFO] client-updater-core(%d): " fmt L"\n", ##__VA_ARGS__)

ClientUpdaterCore::ClientUpdaterCore(const std::string& user_data_path) : m_user_data_path(user_data_path) {}

int ClientUpdaterCore::Update()
{
    CORE_INFO("ClientUpdaterCore::Update start");
    // A missing file is created at the current version by SystemDB::initialize.
    if (!IsFileExist(ustring(m_user_data_path + "/sys-db.sqlite"), false))
        return 0;
    ClientUpdaterSequence sequence;
    sequence.appendUpdater(new ClientUpdaterV20(m_user_data_path));
    sequence.appendUpdater(new ClientUpdaterV21(m_user_data_path));
    sequence.appendUpdater(new ClientUpdaterV22(m_user_data_path));
    if (!sequence.update()) {
        CORE_ERROR("Fail to finish updater sequence");
        return -1;
    }
    CORE_INFO("ClientUpdaterCore::Update finished");
    return 0;
}
