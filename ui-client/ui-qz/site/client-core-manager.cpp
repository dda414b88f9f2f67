#include "client-core-manager.h"

#include "kavelin/transfer-service.h"
#include "kavelin/vardo-core-manager-impl-lock.h"
#include "kavelin/vardo-core-manager.h"

VardoCoreManager* ClientCoreManager::getCoreManager()
{
    // The store takes ownership of its implementation.
    static VardoCoreManager manager(new VardoCoreManagerImplLock());
    return &manager;
}

TransferService* ClientCoreManager::getTransferService()
{
    // Built after the store, so destroyed before it.
    static TransferService service(getCoreManager());
    return &service;
}
