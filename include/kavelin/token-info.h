#pragma once

#include <cstdint>

class PObject;

// What the task store knows of one transfer token.
struct TokenInfo {
    uint64_t peer_id = 0;
    uint64_t transfer_seed = 0;
    bool is_collision = false;  // the generator drew this value more than once
    bool is_aborted = false;    // set only in copies handed out by the store
};

// Sets the four keys on the object and keeps any other keys it holds.
void addTokenInfoIntoPObject(const TokenInfo& info, PObject& object);
void getTokenInfoFromPObject(const PObject& object, TokenInfo& info);
