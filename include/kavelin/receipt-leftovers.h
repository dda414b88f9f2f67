#pragma once

#include <cstdint>

#include "ustring/ustring.h"

class VardoCoreManager;

// Temporary files of the receiving end that no task will finish: they are
// never left to the user beside the files they were for.
class ReceiptLeftovers {
public:
    // A receipt (a C_PULL task: a download on the client, an upload on the
    // server) that ended failed keeps nothing. Its temporary file is removed
    // and its ranges and progress are forgotten, so that a later start
    // fetches the file whole.
    static void dropFailedReceipt(VardoCoreManager* manager, uint64_t resume_id);
    // Temporary files of destination that an earlier run of the receiving
    // end left (their task is gone with it) and that no task of the store
    // holds now are removed. Called where a receipt finds no temporary file
    // to resume into.
    static void removeOrphans(VardoCoreManager* manager, const ustring& destination);
    // Whether a file name (no folder) is one the temporary-name generator
    // made from prefix.
    static bool isTemporaryName(const std::string& name, const std::string& prefix);
};
