#pragma once

#include <list>

#include "client-single-updater.h"

// Runs steps in order; each step reads the live file's version anew, so a file
// several versions old passes through every step it needs in one run.
class ClientUpdaterSequence {
public:
    ClientUpdaterSequence() = default;
    ~ClientUpdaterSequence();
    ClientUpdaterSequence(const ClientUpdaterSequence&) = delete;
    ClientUpdaterSequence& operator=(const ClientUpdaterSequence&) = delete;

    // Takes ownership of the step.
    void appendUpdater(ClientSingleUpdater* updater);
    // True when every step passed or was not needed; stops at the first failure.
    bool update();

private:
    std::list<ClientSingleUpdater*> m_updater_list;
};
