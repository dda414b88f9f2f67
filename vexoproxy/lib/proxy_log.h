#pragma once

#include <atomic>

#include "vexoproxyclient.h"

enum {
    PROXY_EMERG = 0,
    PROXY_ALERT = 1,
    PROXY_CRIT = 2,
    PROXY_ERR = 3,
    PROXY_WARNING = 4,
    PROXY_NOTICE = 5,
    PROXY_INFO = 6,
    PROXY_DEBUG = 7,
};

namespace VexoProxy {
// Set once by VEXOProxyInitLogger; read by every worker thread.
extern std::atomic<LOGGER_FP> log_func;
}

// Every format starts with its tag, the source name and " [%d]": the line is
// always the first argument. Never pass credentials or anything derived from
// them as an argument.
#define PROXY_PRINT_MSG(level, format, ...)                                              \
    do {                                                                                 \
        LOGGER_FP proxy_log_hook_ = VexoProxy::log_func.load(std::memory_order_acquire); \
        if (proxy_log_hook_)                                                             \
            proxy_log_hook_((level), L"proxy_debug", (format), __LINE__, ##__VA_ARGS__); \
    } while (0)
