#pragma once

#include "kavelin/vardo-core-manager-impl.h"

class VardoCoreManagerImplDefault;
namespace qelt {
class ThreadMutex;
}

// The implementation the system installs: the task store behind one mutex,
// held for the whole of each request so that every operation is atomic.
class VardoCoreManagerImplLock : public VardoCoreManagerImpl {
public:
    VardoCoreManagerImplLock();
    // Deletes the store (and with it the temporary files of listed tasks).
    ~VardoCoreManagerImplLock() override;
    VardoCoreManagerImplLock(const VardoCoreManagerImplLock&) = delete;
    VardoCoreManagerImplLock& operator=(const VardoCoreManagerImplLock&) = delete;

    void request(const PObject& request, PObject& response) override;

private:
    VardoCoreManagerImplDefault* m_impl;
    qelt::ThreadMutex* m_mutex;
};
