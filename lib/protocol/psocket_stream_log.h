#pragma once

#include "socket_buffer_log.h"

// Log lines of PSocketStream: component "socket_stream_debug", file prefix
// "psocket_stream"; errno survives them.
#define PSS_LOG(level, tag, fmt, ...)                                                              \
    QM_LOG_KEEP_ERRNO((level), "socket_stream_debug",                                              \
                      tag L" psocket_stream(%d): " fmt L"\n", ##__VA_ARGS__)
#define PSS_ERROR(fmt, ...) PSS_LOG(Logger::L_ERR, L"[ERROR]", fmt, ##__VA_ARGS__)
