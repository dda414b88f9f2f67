// The control client's answers: one request of ProtoUI, chosen by the input,
// against a loopback server that sends the rest of the input as its answer
// bytes and then ends its side. With the TLS upgrade on, the first answer is
// the plain one to "encrypt_channel".
//
// Input: byte 0 = request (low 4 bits, modulo the table) and TLS upgrade
// (bit 7); then the server's bytes.
//
// The process works in a scratch folder under the system's temporary folder:
// nothing an answer makes the client write may land elsewhere, and nothing is
// left behind (QM_FUZZ_SEED_DIR: write a starting corpus there first). Unless
// QM_FUZZ_PROTO_UI_FILE_CHECK is "0", a file the client leaves in its working
// folder after a request is a fault: control answers carry no files.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "fuzz_scratch.h"
#include "log.h"
#include "protocol/pobject.h"
#include "protocol/proto-ui.h"
#include "protocol/stream.h"
#include "pstream_memory_channel.h"

namespace {

struct Server {
    int listen_fd = -1;
    unsigned port = 0;
};

const Server& server()
{
    static const Server made = [] {
        Server s;
        s.listen_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof(addr);
        if (s.listen_fd < 0 || ::bind(s.listen_fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
            ::listen(s.listen_fd, 4) != 0 || ::getsockname(s.listen_fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
            std::abort();
        s.port = ntohs(addr.sin_port);
        return s;
    }();
    return made;
}

// One connection: the answer bytes, the end of the server's side, then
// whatever the client still sends until it closes.
void serveOnce(const std::string& answer)
{
    const int fd = ::accept4(server().listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    size_t sent = 0;
    while (sent < answer.size()) {
        const ssize_t n = ::send(fd, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += static_cast<size_t>(n);
    }
    ::shutdown(fd, SHUT_WR);
    char sink[4096];
    while (::recv(fd, sink, sizeof sink, 0) > 0) {
    }
    ::close(fd);
}

const int kRequests = 12;

void runRequest(ProtoUI& client, int which)
{
    uint64_t seed = 0;
    bool is_dir = false;
    ProtoUI::ServerInfo info;
    std::vector<ProtoUI::Share> shares;
    std::vector<ProtoUI::Node> nodes;
    switch (which) {
    case 0: client.Auth(seed, false); break;
    case 1: client.SetSeed(77); client.Auth(seed, true); break;
    case 2: client.HeartBeat(); break;
    case 3: client.ClosePeer(); break;
    case 4: client.QueryServer(info); break;
    case 5: client.ListShare(shares); break;
    case 6: client.ListNode("/docs/sub", is_dir, nodes); break;
    case 7: client.CreateDir("/docs/new"); break;
    case 8: client.Rename("/docs/a.txt", "/docs/b.txt"); break;
    case 9: client.Copy("/docs/a.txt", "/public/a.txt"); break;
    case 10: client.Remove("/docs/a.txt"); break;
    default: client.SetUdp(true, true); break;
    }
}

std::string encoded(const std::vector<PObject>& answers)
{
    MemoryChannel channel;
    PStream stream;
    for (const PObject& answer : answers)
        if (stream.Send(channel, answer) < 0)
            std::abort();
    return channel.output;
}

bool fileCheck()
{
    static const bool on = [] {
        const char* check = std::getenv("QM_FUZZ_PROTO_UI_FILE_CHECK");
        return !(check && std::string(check) == "0");
    }();
    return on;
}

void writeSeed(const std::string& dir, const std::string& name, uint8_t mode, const std::string& bytes)
{
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out.put(static_cast<char>(mode));
    out << bytes;
}

// Answers of the shape each request expects, a keep-alive ahead of one, an
// error answer, and the plain answer to "encrypt_channel".
void writeSeeds(const std::string& dir)
{
    PObject auth;
    auth["seed"] = static_cast<uint64_t>(123456789);
    auth["server"]["package_version"]["build"] = static_cast<uint32_t>(3000);
    PObject empty;
    empty["success"] = true;
    PObject info;
    info["database_serial"] = "db-1";
    info["server_id"] = "srv-1";
    info["server_alias"] = "files";
    info["package_version"]["major"] = static_cast<uint32_t>(2);
    info["package_version"]["minor"] = static_cast<uint32_t>(1);
    info["package_version"]["build"] = static_cast<uint32_t>(3000);
    info["zrm"]["major"] = static_cast<uint32_t>(7);
    info["zrm"]["unique"] = "unique";
    PObject shares;
    for (const char* name : {"docs", "public", "secret"}) {
        PObject share;
        share["name"] = name;
        share["mounted_path"] = std::string("/volume/") + name;
        share["priv"] = std::string(name) == "secret" ? "denied" : "rw";
        shares["share_list"].asArray().push_back(share);
    }
    PObject nodes;
    nodes["is_dir"] = true;
    for (const char* name : {"a.txt", "sub"}) {
        PObject node;
        node["name"] = name;
        node["is_dir"] = std::string(name) == "sub";
        node["mtime"] = static_cast<uint64_t>(1700000000);
        node["size"] = static_cast<uint64_t>(5);
        nodes["node_list"].asArray().push_back(node);
    }
    PObject keep_alive;
    keep_alive["type"] = "keep_alive";
    PObject error;
    error["error"]["code"] = static_cast<uint32_t>(404);
    error["error"]["reason"] = "no such file";
    PObject project;
    project["project"] = "quillmar-file-manager";

    const PObject* per_request[kRequests] = {&auth, &auth, &empty, &empty, &info, &shares,
                                             &nodes, &empty, &empty, &empty, &empty, &empty};
    for (int i = 0; i < kRequests; ++i) {
        writeSeed(dir, "request-" + std::to_string(i), static_cast<uint8_t>(i), encoded({*per_request[i]}));
        writeSeed(dir, "error-" + std::to_string(i), static_cast<uint8_t>(i), encoded({error}));
    }
    writeSeed(dir, "keep-alive-list", 6, encoded({keep_alive, keep_alive, nodes}));
    writeSeed(dir, "tls-upgrade", 0x80, encoded({project}));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Quiet: every refused answer is logged.
    Logger::Destroy();
    const std::string seed_dir = std::getenv("QM_FUZZ_SEED_DIR") ? std::getenv("QM_FUZZ_SEED_DIR") : "";
    if (!seed_dir.empty())
        writeSeeds(seed_dir);
    fuzz_scratch::enterFolder(argc, argv, "proto-ui");
    server();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 262144)
        return 0;
    const int which = (data[0] & 0x0F) % kRequests;
    const bool tls = (data[0] & 0x80) != 0;
    std::thread peer(serveOnce, std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    {
        ProtoUI client;
        client.SetServer("127.0.0.1", server().port);
        client.SetUser("alice", "pw", "");
        client.SetSSL(tls, false, "", "");
        client.SetTimeout(1);
        runRequest(client, which);
    }
    peer.join();
    std::error_code ec;
    if (fileCheck() && !std::filesystem::is_empty(".", ec) && !ec)
        std::abort();
    return 0;
}
