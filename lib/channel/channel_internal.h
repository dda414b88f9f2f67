#pragma once

#include <openssl/evp.h>

#include "log.h"

// The running digest of a channel.
struct HashHandler {
    EVP_MD_CTX* mdctx = nullptr;
    const EVP_MD* md = nullptr;
};

#define CHANNEL_COMPONENT "channel_debug"
