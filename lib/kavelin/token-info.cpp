#include "kavelin/token-info.h"

#include "protocol/pobject.h"

void addTokenInfoIntoPObject(const TokenInfo& info, PObject& object)
{
    object["peer_id"] = static_cast<PObject::integer_type>(info.peer_id);
    object["transfer_seed"] = static_cast<PObject::integer_type>(info.transfer_seed);
    object["is_collision"] = info.is_collision;
    object["is_aborted"] = info.is_aborted;
}

void getTokenInfoFromPObject(const PObject& object, TokenInfo& info)
{
    info.peer_id = object["peer_id"].asUInt64();
    info.transfer_seed = object["transfer_seed"].asUInt64();
    info.is_collision = object["is_collision"].asBool();
    info.is_aborted = object["is_aborted"].asBool();
}
