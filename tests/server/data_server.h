#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <map>
#include <string>
#include <vector>

#include "server_config.h"

class TransferService;
class VardoCoreManager;

namespace test_server {

// The data side of the test file server: the transfer engine run as the
// server side, over its own task store. Each login's session seed makes a
// peer whose data connections the engine accepts. Paths of data headers are
// "/<share>/<path>" and are confined to the share like the control side's.
class DataServer {
public:
    explicit DataServer(std::vector<ShareConfig> shares);
    ~DataServer();
    DataServer(const DataServer&) = delete;
    DataServer& operator=(const DataServer&) = delete;

    // Listens for data connections on port (0: a free one) with this TLS key
    // and chain, and starts the engine. 0, or -1 with a message.
    int Start(unsigned port, const std::string& key_path, const std::string& chain_path,
              std::string& error);
    void Stop();
    unsigned Port() const { return m_port; }

    // Makes the peer of a session seed known to the engine and returns its
    // peer id; again for the same seed gives the same id. Safe from any thread.
    uint64_t AddSession(uint64_t seed);
    // The peer id of a session seed made known before; false when none was.
    bool FindSession(uint64_t seed, uint64_t& peer_id);

    VardoCoreManager& Store() { return *m_store; }
    TransferService& Service() { return *m_service; }

    // The local path of a wire path, or false when it leaves its share.
    bool MapPath(const std::string& wire_path, bool writing, std::string& local) const;

private:
    std::vector<ShareConfig> m_shares;
    std::unique_ptr<VardoCoreManager> m_store;
    std::unique_ptr<TransferService> m_service;
    unsigned m_port = 0;
    bool m_started = false;
    std::mutex m_sessions_lock;
    std::map<uint64_t, uint64_t> m_sessions;  // seed -> peer id
};

}  // namespace test_server
