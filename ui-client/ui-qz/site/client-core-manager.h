#pragma once

class TransferService;
class VardoCoreManager;

// The engine's two process-wide objects: the task store and the transfer
// service built on it. Each is made on first use, from any thread, and lives
// to the end of the process (the service goes before the store).
class ClientCoreManager {
public:
    ClientCoreManager() = default;

    static VardoCoreManager* getCoreManager();
    static TransferService* getTransferService();
};
