#pragma once

#include <cstdint>

// Event numbers stored in the `type` column of log_table and transfer_table.
// The values are persisted, so they must never be renumbered.
enum {
    LOG_LOGIN = 1,
    LOG_RENAME = 2,
    LOG_COPY = 3,
    LOG_REMOVE = 4,
    LOG_MKDIR = 5,
    LOG_UPLOAD = 6,
    LOG_DOWNLOAD = 7,
    LOG_UPLOAD_CANCELED = 8,
    LOG_DOWNLOAD_CANCELED = 9,
    LOG_UPLOAD_KICKED = 10,
    LOG_DOWNLOAD_KICKED = 11,
    LOG_UPLOAD_FAILED = 12,
    LOG_DOWNLOAD_FAILED = 13,
    LOG_LOGOUT = 14,
    LOG_KICKED = 15,
    LOG_TIMEOUT = 16,
    LOG_MOVE = 17,
    LOG_MAX = 18
};

// Types 6 to 13 are transfers: their general-log row points at a transfer row.
inline bool isTransferLogType(uint32_t type)
{
    return type >= LOG_UPLOAD && type <= LOG_DOWNLOAD_FAILED;
}
