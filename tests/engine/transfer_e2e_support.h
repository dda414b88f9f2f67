#pragma once
// A client engine and the test server's data side on loopback, for the
// end-to-end tests and the transfer benchmark.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kavelin/resume-info.h"
#include "kavelin/transfer-service.h"
#include "kavelin/vardo-core-manager.h"

namespace test_server {
class ControlServer;
class DataServer;
}

namespace e2e {

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// A self-signed certificate and key written as PEM, and the signature text
// the client pins.
struct TlsFiles {
    explicit TlsFiles(const std::string& folder);
    std::string key_path;
    std::string chain_path;
    std::string signature;
};

struct Mode {
    const char* name;
    bool encrypted;
    bool compressed;
};

// The printed signature of a certificate, as the handshake compares it.
std::string certificateSignature(const std::string& chain_path);
void writeFile(const std::string& path, const std::string& bytes);
void writeRandomFile(const std::string& path, uint64_t size, uint32_t seed);
std::string sha256File(const std::string& path);
uint64_t fileMtimeUs(const std::string& path);
void setFileMtimeUs(const std::string& path, uint64_t mtime_us);
bool fileExists(const std::string& path);
// Names of the entries of a folder (not "." and "..").
std::vector<std::string> listFolder(const std::string& path);

// How the client and the server come to share a peer's session seed.
enum class SeedSource {
    Direct,  // handed to both ends by the fixture
    Login,   // a ProtoUI "auth" at the server's control side, as the client does
};

// Where the client is to connect for a server listening on a port: a relay's
// port, for example.
typedef std::function<unsigned(unsigned server_port)> PortRoute;

// The server (one share "share" over <root>/share) and a client engine
// connected to it as one peer.
class Loopback {
public:
    // An empty signature pins the server's own certificate: with a login, the
    // one the control connection saw.
    explicit Loopback(Mode mode, int concurrent = 3, uint64_t max_upload = 0, uint64_t max_download = 0,
                      const std::string& pinned_signature = std::string(),
                      SeedSource seed_source = SeedSource::Direct, const PortRoute& route = PortRoute());
    ~Loopback();

    // False when the peer's data connections did not become ready.
    bool connected() const { return m_connected; }
    const std::string& root() const { return m_dir.path(); }
    std::string sharePath(const std::string& name) const { return m_share + "/" + name; }
    std::string localPath(const std::string& name) const { return m_local + "/" + name; }
    uint64_t peerId() const { return m_peer_id; }
    uint64_t serverPeerId() const { return m_server_peer_id; }
    const std::string& signature() const;
    // The seed the peer's data connections present; with a login, the one
    // the server's "auth" answered.
    uint64_t seed() const { return m_seed; }
    VardoCoreManager& client() { return *m_client_store; }
    TransferService& clientService() { return *m_client_service; }
    test_server::DataServer& server() { return *m_server; }

    // Waits until the peer's data connections are ready.
    bool waitReady(int timeout_ms);
    static bool waitUntil(const std::function<bool()>& condition, int timeout_ms);
    // Sockets of the client's live data connections opened for that use.
    std::vector<int> dataSockets(int expected_use);

    // Queues one task per name and wakes the engine; returns their resume ids.
    std::vector<uint64_t> upload(const std::vector<std::string>& names);
    // Downloads carry the size the server lists, as the client's do, unless
    // listedDownloadSizes(false) makes them of unknown size.
    std::vector<uint64_t> download(const std::vector<std::string>& names);
    void listedDownloadSizes(bool on) { m_listed_download_sizes = on; }
    // Waits until every id has left the task list; fills the finished copies.
    bool waitDone(const std::vector<uint64_t>& ids, std::vector<ResumeInfo>& done,
                  int timeout_ms = 120000);
    // Waits until pred holds for the task (polled from the store).
    bool waitTask(uint64_t resume_id, const std::function<bool(const ResumeInfo&)>& pred,
                  int timeout_ms = 60000);
    // Pauses or resumes a task the way the task views do.
    void pause(uint64_t resume_id);
    void resume(uint64_t resume_id);

private:
    // Starts the control side beside the data side and logs in; false on failure.
    bool logIn(uint64_t& seed, std::string& signature);

    TempDir m_dir;
    std::string m_share;
    std::string m_local;
    std::unique_ptr<TlsFiles> m_tls;
    std::unique_ptr<test_server::DataServer> m_server;
    // Gone before the data side it tells of new seeds.
    std::unique_ptr<test_server::ControlServer> m_control;
    std::unique_ptr<VardoCoreManager> m_client_store;
    std::unique_ptr<TransferService> m_client_service;
    uint64_t m_peer_id = 0;
    uint64_t m_server_peer_id = 0;
    uint64_t m_seed = 0;
    bool m_connected = false;
    bool m_listed_download_sizes = true;
    std::vector<ResumeInfo> m_done;
};

}  // namespace e2e
