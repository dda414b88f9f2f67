#pragma once

#include <cerrno>

#include "log.h"

// QM_LOG that leaves errno as it was: the buffers and the stream classify a
// failure by the system error after logging it (full disk, file too big,
// would-block), so a log line must not overwrite it.
#define QM_LOG_KEEP_ERRNO(level, component, ...)                                                   \
    do {                                                                                           \
        int qm_saved_errno_ = errno;                                                               \
        QM_LOG((level), (component), __VA_ARGS__);                                                 \
        errno = qm_saved_errno_;                                                                   \
    } while (0)
