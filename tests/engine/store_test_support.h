#pragma once

#include <cstdint>
#include <vector>

#include "kavelin/resume-info.h"
#include "kavelin/vardo-core-manager-impl-default.h"
#include "protocol/pobject.h"

// A store on a hand-driven clock.
class StoreWithClock {
public:
    StoreWithClock() { store.setClock([this] { return now; }); }

    uint64_t add(uint64_t peer_id, Command command = C_PUSH, ResumeInfo::State state = ResumeInfo::RI_WAITING)
    {
        ResumeInfo task;
        task.peer_id = peer_id;
        task.command = command;
        task.local_state = state;
        task.total = 1000;
        store.updateInfo(task);
        return task.resume_id;
    }

    ResumeInfo task(uint64_t resume_id)
    {
        ResumeInfo found;
        store.getResumeInfoFromResumeId(resume_id, found);
        return found;
    }

    // Resume ids of the listed tasks in list order (aborted ones included).
    std::vector<uint64_t> order()
    {
        PObject dump;
        store.debugVCM(dump);
        std::vector<uint64_t> ids;
        for (const PObject& form : dump["m_resume_priority_queue"].asArray())
            ids.push_back(form["resume_id"].asUInt64());
        return ids;
    }

    // Spare transfer seeds of a peer, oldest first.
    std::vector<uint64_t> transferSeedWindow(uint64_t peer_id)
    {
        return dumpedList("m_peer_seed_infos", "peer_id", peer_id, "transfer_seeds");
    }

    // Spare tokens of a transfer seed, oldest first.
    std::vector<uint64_t> tokenWindow(uint64_t transfer_seed)
    {
        return dumpedList("m_transfer_seed_infos", "transfer_seed", transfer_seed, "tokens");
    }

    size_t tableSize(const char* table)
    {
        PObject dump;
        store.debugVCM(dump);
        return dump[table].asArray().size();
    }

    bool update(uint64_t resume_id, const char* key, const PObject& value)
    {
        PObject partial;
        partial["resume_id"] = static_cast<PObject::integer_type>(resume_id);
        partial[key] = value;
        return store.updatePartialInfo(partial);
    }

    uint64_t now = 1700000000000ull;
    VardoCoreManagerImplDefault store;

private:
    std::vector<uint64_t> dumpedList(const char* table, const char* key, uint64_t id, const char* list)
    {
        PObject dump;
        store.debugVCM(dump);
        std::vector<uint64_t> values;
        for (const PObject& entry : dump[table].asArray()) {
            if (entry[key].asUInt64() != id)
                continue;
            for (const PObject& value : entry[list].asArray())
                values.push_back(value.asUInt64());
        }
        return values;
    }
};
