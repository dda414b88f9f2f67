#include "transfer_e2e_support.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <thread>

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include "control_server.h"
#include "data_server.h"
#include "file-op.h"
#include "kavelin/vardo-core-manager-impl-lock.h"
#include "protocol/pobject.h"
#include "protocol/proto-ui.h"

namespace e2e {

namespace {

void removeTree(const std::string& path)
{
    FSRemove(ustring(path));
}

bool waitFor(const std::function<bool()>& condition, int timeout_ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace

TempDir::TempDir()
{
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/qm-e2e-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    m_path = mkdtemp(buffer.data());
}

TempDir::~TempDir()
{
    removeTree(m_path);
}

TlsFiles::TlsFiles(const std::string& folder)
    : key_path(folder + "/key.pem"), chain_path(folder + "/chain.pem")
{
    EVP_PKEY* key = EVP_RSA_gen(2048);
    X509* cert = X509_new();
    X509_set_version(cert, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert), 3600L * 24);
    X509_set_pubkey(cert, key);
    X509_NAME* name = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("localhost"), -1, -1, 0);
    X509_set_issuer_name(cert, name);
    X509_sign(cert, key, EVP_sha256());
    FILE* f = fopen(key_path.c_str(), "w");
    PEM_write_PrivateKey(f, key, nullptr, nullptr, 0, nullptr, nullptr);
    fclose(f);
    f = fopen(chain_path.c_str(), "w");
    PEM_write_X509(f, cert);
    fclose(f);
    X509_free(cert);
    EVP_PKEY_free(key);
    signature = certificateSignature(chain_path);
}

std::string certificateSignature(const std::string& chain_path)
{
    FILE* f = fopen(chain_path.c_str(), "r");
    if (!f)
        return std::string();
    X509* cert = PEM_read_X509(f, nullptr, nullptr, nullptr);
    fclose(f);
    if (!cert)
        return std::string();
    const ASN1_BIT_STRING* sig = nullptr;
    const X509_ALGOR* alg = nullptr;
    X509_get0_signature(&sig, &alg, cert);
    BIO* bio = BIO_new(BIO_s_mem());
    X509_signature_dump(bio, sig, 0);
    char* data = nullptr;
    long length = BIO_get_mem_data(bio, &data);
    std::string text;
    for (long i = 0; i < length; ++i)
        if (data[i] != '\n')
            text.push_back(data[i]);
    BIO_free(bio);
    X509_free(cert);
    return text;
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void writeRandomFile(const std::string& path, uint64_t size, uint32_t seed)
{
    std::mt19937_64 random(seed);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<uint64_t> block(8192);
    uint64_t left = size;
    while (left > 0) {
        for (uint64_t& word : block)
            word = random();
        const uint64_t n = std::min<uint64_t>(left, block.size() * sizeof(uint64_t));
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(n));
        left -= n;
    }
}

std::string sha256File(const std::string& path)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return "missing";
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    EVP_DigestInit_ex(ctx, EVP_sha256(), nullptr);
    std::vector<char> buffer(1 << 20);
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), f)) > 0)
        EVP_DigestUpdate(ctx, buffer.data(), n);
    fclose(f);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned length = 0;
    EVP_DigestFinal_ex(ctx, digest, &length);
    EVP_MD_CTX_free(ctx);
    std::string hex;
    char byte[3];
    for (unsigned i = 0; i < length; ++i) {
        snprintf(byte, sizeof(byte), "%02x", digest[i]);
        hex += byte;
    }
    return hex;
}

uint64_t fileMtimeUs(const std::string& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return 0;
    return static_cast<uint64_t>(st.st_mtim.tv_sec) * 1000000 + st.st_mtim.tv_nsec / 1000;
}

void setFileMtimeUs(const std::string& path, uint64_t mtime_us)
{
    FSUTime(ustring(path), mtime_us, mtime_us);
}

bool fileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::vector<std::string> listFolder(const std::string& path)
{
    std::vector<std::string> names;
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return names;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    closedir(dir);
    return names;
}

Loopback::Loopback(Mode mode, int concurrent, uint64_t max_upload, uint64_t max_download,
                   const std::string& pinned_signature, SeedSource seed_source, const PortRoute& route)
{
    m_share = m_dir.path() + "/share";
    m_local = m_dir.path() + "/local";
    mkdir(m_share.c_str(), 0755);
    mkdir(m_local.c_str(), 0755);
    m_tls.reset(new TlsFiles(m_dir.path()));

    test_server::ShareConfig share;
    share.name = "share";
    share.path = m_share;
    m_server.reset(new test_server::DataServer({share}));
    std::string error;
    if (m_server->Start(0, m_tls->key_path, m_tls->chain_path, error) != 0)
        return;

    m_client_store.reset(new VardoCoreManager(new VardoCoreManagerImplLock));
    m_client_service.reset(new TransferService(m_client_store.get()));
    if (m_client_service->init(TRANSFER_SIDE_CLIENT, 0) != 0 || m_client_service->startService() != 0)
        return;

    // Both ends hold the session seed of this peer: handed out by the
    // fixture, or learnt the way the client does, through a login.
    std::string server_signature = m_tls->signature;
    if (seed_source == SeedSource::Login) {
        // The data side must have learnt the seed from the login itself.
        if (!logIn(m_seed, server_signature) || !m_server->FindSession(m_seed, m_server_peer_id))
            return;
    } else {
        std::random_device device;
        m_seed = (static_cast<uint64_t>(device()) << 32) | device() | 1;
        m_server_peer_id = m_server->AddSession(m_seed);
    }
    m_client_store->getNextPeerId(m_peer_id);
    m_client_store->setPeerSeed(m_peer_id, m_seed);
    const unsigned port = route ? route(m_server->Port()) : m_server->Port();
    m_client_service->addPeer(m_peer_id, TRANSFER_SIDE_CLIENT, CM_TCP, "127.0.0.1", static_cast<int>(port));
    m_client_service->setPeer(m_peer_id, concurrent, max_upload, max_download, 0, 0, mode.encrypted,
                              mode.compressed,
                              pinned_signature.empty() ? server_signature.c_str() : pinned_signature.c_str());
    if (pinned_signature.empty())
        waitReady(30000);
}

bool Loopback::logIn(uint64_t& seed, std::string& signature)
{
    test_server::ServerConfig config;
    config.port = 0;
    config.cert_path = m_tls->chain_path;
    config.key_path = m_tls->key_path;
    config.accounts = {{"alice", "pw", ""}};
    test_server::ShareConfig share;
    share.name = "share";
    share.path = m_share;
    config.shares = {share};
    test_server::DataServer* data = m_server.get();
    config.on_session_seed = [data](uint64_t issued) { data->AddSession(issued); };
    m_control.reset(new test_server::ControlServer(config));
    std::string error;
    if (m_control->Start(error) != 0)
        return false;

    ProtoUI login;
    login.SetServer("127.0.0.1", m_control->Port());
    login.SetUser("alice", "pw", "");
    // The self-signed certificate is trusted by its signature, as a user
    // who accepted it at the prompt would.
    login.SetSSL(true, false, "", "");
    login.SetTimeout(10);
    seed = 0;
    if (login.Auth(seed, false) != 0 || seed == 0)
        return false;
    signature = login.GetCurrentSSLSignature();
    return !signature.empty();
}

bool Loopback::waitReady(int timeout_ms)
{
    m_connected = waitFor([this] { return m_client_service->checkConnection(m_peer_id) == 0; }, timeout_ms);
    return m_connected;
}

bool Loopback::waitUntil(const std::function<bool()>& condition, int timeout_ms)
{
    return waitFor(condition, timeout_ms);
}

std::vector<int> Loopback::dataSockets(int expected_use)
{
    std::vector<int> sockets;
    PObject dump;
    m_client_service->debugTransferService(dump);
    for (const PObject& peer : dump["05. peer_connection_table"].asArray())
        for (const PObject& transfer : peer["20. m_tcp_transfers"].asArray())
            if (transfer["03. m_expected_use"].asInt32() == expected_use && !transfer["05. m_abort"].asBool())
                sockets.push_back(static_cast<int>(transfer["02. m_socket"].asUInt32()));
    return sockets;
}

const std::string& Loopback::signature() const
{
    return m_tls->signature;
}

Loopback::~Loopback()
{
    if (m_client_service)
        m_client_service->stopService();
    if (m_control)
        m_control->Stop();
    if (m_server)
        m_server->Stop();
}

std::vector<uint64_t> Loopback::upload(const std::vector<std::string>& names)
{
    std::vector<ResumeInfo> tasks;
    std::vector<uint64_t> ids;
    for (const std::string& name : names) {
        ResumeInfo task;
        task.peer_id = m_peer_id;
        task.command = C_PUSH;
        task.path_from = localPath(name);
        task.path_to = "/share/" + name;
        struct stat st;
        if (stat(localPath(name).c_str(), &st) == 0)
            task.total = static_cast<uint64_t>(st.st_size);
        task.mtime = fileMtimeUs(localPath(name));
        m_client_store->updateInfo(task);
        ids.push_back(task.resume_id);
    }
    m_client_service->notifyNew(m_peer_id);
    return ids;
}

std::vector<uint64_t> Loopback::download(const std::vector<std::string>& names)
{
    std::vector<uint64_t> ids;
    for (const std::string& name : names) {
        ResumeInfo task;
        task.peer_id = m_peer_id;
        task.command = C_PULL;
        task.path_from = "/share/" + name;
        task.path_to = localPath(name);
        // As the client does: the size the server listed, when known.
        struct stat st;
        if (m_listed_download_sizes && stat(sharePath(name).c_str(), &st) == 0)
            task.total = static_cast<uint64_t>(st.st_size);
        m_client_store->updateInfo(task);
        ids.push_back(task.resume_id);
    }
    m_client_service->notifyNew(m_peer_id);
    return ids;
}

bool Loopback::waitDone(const std::vector<uint64_t>& ids, std::vector<ResumeInfo>& done, int timeout_ms)
{
    auto allGone = [&] {
        std::vector<ResumeInfo> batch;
        m_client_store->consumeDoneTasks(batch);
        m_done.insert(m_done.end(), batch.begin(), batch.end());
        for (uint64_t id : ids) {
            ResumeInfo info;
            if (m_client_store->getResumeInfoFromResumeId(id, info))
                return false;
        }
        return true;
    };
    const bool ok = waitFor(allGone, timeout_ms);
    // A task may have left the list after the last collection.
    std::vector<ResumeInfo> last;
    m_client_store->consumeDoneTasks(last);
    m_done.insert(m_done.end(), last.begin(), last.end());
    done.clear();
    for (const ResumeInfo& info : m_done)
        for (uint64_t id : ids)
            if (info.resume_id == id)
                done.push_back(info);
    return ok;
}

bool Loopback::waitTask(uint64_t resume_id, const std::function<bool(const ResumeInfo&)>& pred,
                        int timeout_ms)
{
    return waitFor(
        [&] {
            ResumeInfo info;
            return m_client_store->getResumeInfoFromResumeId(resume_id, info) && pred(info);
        },
        timeout_ms);
}

void Loopback::pause(uint64_t resume_id)
{
    PObject update;
    update["resume_id"] = static_cast<uint64_t>(resume_id);
    update["user_action"] = static_cast<int32_t>(ResumeInfo::UA_PAUSE);
    m_client_store->updatePartialInfo(update);
    m_client_service->updateTaskStatus(resume_id);
}

void Loopback::resume(uint64_t resume_id)
{
    PObject update;
    update["resume_id"] = static_cast<uint64_t>(resume_id);
    update["user_action"] = static_cast<int32_t>(ResumeInfo::UA_START);
    m_client_store->updatePartialInfo(update);
    m_client_service->updateTaskStatus(resume_id);
}

}  // namespace e2e
