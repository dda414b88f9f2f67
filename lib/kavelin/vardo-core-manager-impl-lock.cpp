#include "kavelin/vardo-core-manager-impl-lock.h"

#include "kavelin/vardo-core-manager-impl-default.h"
#include "lock/mutex.h"

VardoCoreManagerImplLock::VardoCoreManagerImplLock()
    : m_impl(new VardoCoreManagerImplDefault()), m_mutex(new qelt::ThreadMutex())
{
}

VardoCoreManagerImplLock::~VardoCoreManagerImplLock()
{
    delete m_impl;
    delete m_mutex;
}

void VardoCoreManagerImplLock::request(const PObject& request, PObject& response)
{
    qelt::LockGuard guard(*m_mutex);
    m_impl->request(request, response);
}
