#include "data_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <mutex>

#include "kavelin/tcp-helper.h"
#include "kavelin/transfer-service.h"
#include "kavelin/vardo-core-manager-impl-lock.h"
#include "kavelin/vardo-core-manager.h"

namespace test_server {

namespace {

// A port that was free a moment ago; the engine binds it itself.
unsigned FreePort()
{
    int fd = ::socket(AF_INET6, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in6 addr{};
    addr.sin6_family = AF_INET6;
    addr.sin6_addr = in6addr_any;
    socklen_t len = sizeof(addr);
    unsigned port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin6_port);
    ::close(fd);
    return port;
}

std::string RealPath(const std::string& path)
{
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

bool IsInside(const std::string& path, const std::string& root)
{
    return path == root || (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
                            path[root.size()] == '/');
}

}  // namespace

DataServer::DataServer(std::vector<ShareConfig> shares)
    : m_shares(std::move(shares)),
      m_store(new VardoCoreManager(new VardoCoreManagerImplLock)),
      m_service(new TransferService(m_store.get()))
{
}

DataServer::~DataServer()
{
    Stop();
    TcpHelper::setServerPathMapper(TcpHelper::PathMapper());
}

int DataServer::Start(unsigned port, const std::string& key_path, const std::string& chain_path,
                      std::string& error)
{
    TcpHelper::setServerCertificatePaths(key_path, chain_path);
    TcpHelper::setServerPathMapper([this](const std::string& wire, bool writing, ustring& local) {
        std::string mapped;
        if (!MapPath(wire, writing, mapped))
            return false;
        local = mapped;
        return true;
    });
    for (int attempt = 0; attempt < 5; ++attempt) {
        unsigned chosen = port != 0 ? port : FreePort();
        if (chosen != 0 && m_service->init(TRANSFER_SIDE_SERVER, static_cast<int>(chosen)) == 0) {
            m_port = chosen;
            break;
        }
        if (port != 0)
            break;
    }
    if (m_port == 0) {
        error = "cannot open the data listener";
        return -1;
    }
    if (m_service->startService() != 0) {
        error = "cannot start the transfer engine";
        return -1;
    }
    m_started = true;
    return 0;
}

void DataServer::Stop()
{
    if (m_started) {
        m_service->stopService();
        m_started = false;
    }
}

uint64_t DataServer::AddSession(uint64_t seed)
{
    uint64_t peer_id = 0;
    {
        std::lock_guard<std::mutex> guard(m_sessions_lock);
        auto known = m_sessions.find(seed);
        if (known != m_sessions.end())
            return known->second;
        m_store->getNextPeerId(peer_id);
        m_sessions[seed] = peer_id;
    }
    m_store->setPeerSeed(peer_id, seed);
    m_service->addPeer(peer_id, TRANSFER_SIDE_SERVER, CM_TCP, "", 0);
    return peer_id;
}

bool DataServer::FindSession(uint64_t seed, uint64_t& peer_id)
{
    std::lock_guard<std::mutex> guard(m_sessions_lock);
    auto known = m_sessions.find(seed);
    if (known == m_sessions.end())
        return false;
    peer_id = known->second;
    return true;
}

bool DataServer::MapPath(const std::string& wire_path, bool writing, std::string& local) const
{
    if (wire_path.empty() || wire_path[0] != '/')
        return false;
    size_t slash = wire_path.find('/', 1);
    const std::string share_name = wire_path.substr(1, slash == std::string::npos ? std::string::npos : slash - 1);
    const std::string rest = slash == std::string::npos ? std::string() : wire_path.substr(slash + 1);
    const ShareConfig* share = nullptr;
    for (const ShareConfig& candidate : m_shares)
        if (candidate.name == share_name)
            share = &candidate;
    if (!share || share->priv == "denied" || (writing && share->priv != "rw"))
        return false;
    const std::string root = RealPath(share->path);
    if (root.empty() || rest.empty())
        return false;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t next = rest.find('/', start);
        if (rest.compare(start, next == std::string::npos ? std::string::npos : next - start, "..") == 0 &&
            (next == std::string::npos ? rest.size() - start : next - start) == 2)
            return false;
        if (next == std::string::npos)
            break;
        start = next + 1;
    }
    local = root + "/" + rest;
    // The deepest folder that exists must lie inside the share, so a link
    // cannot lead a write or a read outside it.
    std::string probe = local;
    for (;;) {
        size_t cut = probe.find_last_of('/');
        if (cut == std::string::npos || cut < root.size())
            break;
        probe.resize(cut);
        std::string real = RealPath(probe);
        if (!real.empty())
            return IsInside(real, root);
    }
    return false;
}

}  // namespace test_server
