// Both ends of a data connection's header exchange against a peer that sends
// the input: the accepting end reads a use request and, if it accepts it, an
// activation (LZ4-compressed when the request asks for compression); the
// connecting end sends its use request and reads the answer. The run of one
// input ends when the connection gives up or leaves its handshake role.
//
// Input: byte 0 = mode (bit 0: connecting end; bits 1-2, connecting end: TLS,
// LZ4; bits 3-4: the use it asks for), bytes 1-2 = length n (little-endian)
// of what the peer sends first (the use request, or the answer); after the
// connection has acted on it the peer sends the rest (the activation, or
// anything after it) and then ends its side.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <fstream>
#include <string>
#include <vector>

#include <event2/event.h>

#include "kavelin/tcp-helper.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager-impl-lock.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"
#include "lz4-processor.h"
#include "psocket_stream.h"

namespace {

// The peer seeds both ends' stores derive transfer seeds from.
const uint64_t kClientPeer = 5;
const uint64_t kServerPeer = 9;
const uint64_t kPeerSeed = 0xABCDEF;

// The service core as far as one connection needs it, with a fresh task
// store per input (a looked-up seed leaves the store).
class Controller : public TransferController {
public:
    Controller() : m_base(event_base_new()) {}
    void reset()
    {
        m_manager.reset(new VardoCoreManager(new VardoCoreManagerImplLock));
        m_manager->setPeerSeed(kClientPeer, kPeerSeed);
        m_manager->setPeerSeed(kServerPeer, kPeerSeed);
    }
    VardoCoreManager* getManager() override { return m_manager.get(); }
    event_base* getEventBase() override { return m_base; }
    void pushReport(uint64_t, PObject&) override {}
    bool popReport(uint64_t, PObject&) override { return false; }
    bool setSocketPeerId(cross::socket_t, uint64_t) override { return true; }
    void controlPeerWrite(uint64_t, bool, TransferUse) override {}
    void adjustBandwidth(uint64_t, void*, BandwidthType, BandwidthAction) override {}
    uint64_t getUsTimeWait(uint64_t, void*, BandwidthType, uint64_t) override { return 0; }
    bool taskIsStillRunning(uint64_t, token_t) override { return false; }

private:
    std::unique_ptr<VardoCoreManager> m_manager;
    event_base* m_base;
};

struct Loopback {
    int listen_fd = -1;
    int port = 0;
};

const Loopback& loopback()
{
    static const Loopback made = [] {
        Loopback l;
        l.listen_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof(addr);
        if (l.listen_fd < 0 || ::bind(l.listen_fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
            ::listen(l.listen_fd, 16) != 0 || ::getsockname(l.listen_fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
            std::abort();
        l.port = ntohs(addr.sin_port);
        return l;
    }();
    return made;
}

int connectPeer()
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(loopback().port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0)
        std::abort();
    return fd;
}

// Sends what the socket takes.
void sendSome(int fd, const uint8_t* data, size_t size)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    size_t sent = 0;
    while (sent < size) {
        const ssize_t n = ::send(fd, data + sent, size - sent, MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += static_cast<size_t>(n);
    }
}

bool inHandshake(TcpTransfer& t)
{
    const TransferUse use = t.getTransferUse();
    return !t.isAborted() && (use == TRANSFER_USE_CLIENT_INIT || use == TRANSFER_USE_SERVER_INIT);
}

// The bytes a PSocketStream puts on the wire for the objects, through a
// compressor from object `compress_from` on.
std::string wireBytes(const std::vector<PObject>& objects, size_t compress_from)
{
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0)
        std::abort();
    LZ4Compressor compressor;
    PSocketStream stream;
    stream.SetSocket(pair[0]);
    for (size_t i = 0; i < objects.size(); ++i) {
        if (i == compress_from) {
            compressor.Initialize(65536);
            stream.SetCompressor(&compressor);
        }
        stream.SetSend(objects[i]);
        PSocketStream::ErrorCode r;
        while ((r = stream.Send(65536)) == PSocketStream::ERR_WOULD_BLOCK) {
        }
        if (r != PSocketStream::ERR_OK)
            std::abort();
    }
    ::shutdown(pair[0], SHUT_WR);
    std::string bytes;
    char buffer[4096];
    ssize_t n;
    while ((n = ::recv(pair[1], buffer, sizeof buffer, 0)) > 0)
        bytes.append(buffer, static_cast<size_t>(n));
    ::close(pair[0]);
    ::close(pair[1]);
    return bytes;
}

void writeSeed(const std::string& dir, const std::string& name, uint8_t mode, const std::string& first,
               const std::string& rest)
{
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out.put(static_cast<char>(mode));
    out.put(static_cast<char>(first.size() & 0xFF));
    out.put(static_cast<char>(first.size() >> 8));
    out << first << rest;
}

// Complete exchanges of both ends, for a corpus to start from.
void writeSeeds(const std::string& dir)
{
    VardoCoreManager other_end(new VardoCoreManagerImplLock);
    other_end.setPeerSeed(kServerPeer, kPeerSeed);
    uint64_t seed = 0;
    other_end.takeTransferSeed(kServerPeer, seed);
    PObject activation;
    activation["activate"] = true;
    const TransferUse uses[] = {TRANSFER_USE_ACTIVE, TRANSFER_USE_PASSIVE, TRANSFER_USE_REPORT};
    for (TransferUse use : uses) {
        for (bool compressed : {false, true}) {
            PObject request;
            request["transfer_seed"] = seed;
            request["command"] = static_cast<uint32_t>(C_SET_USE);
            request["transfer_use"] = static_cast<int32_t>(use);
            request["encrypted"] = false;
            request["compressed"] = compressed;
            const std::string both = wireBytes({request, activation}, compressed ? 1 : 2);
            const std::string first = wireBytes({request}, 1);
            writeSeed(dir, "accepting-" + std::to_string(use) + (compressed ? "-lz4" : "-plain"), 0, first,
                      both.substr(first.size()));
        }
    }
    for (uint8_t mode : {1, 3, 5, 9, 17}) {
        PObject answer;
        answer["encrypted"] = (mode & 2) != 0;
        writeSeed(dir, "connecting-" + std::to_string(mode), mode, wireBytes({answer}, 1), "");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Quiet: every refused exchange is logged. QM_FUZZ_DEBUG keeps the log
    // and prints where each input left the connection.
    if (!std::getenv("QM_FUZZ_DEBUG"))
        Logger::Destroy();
    if (const char* dir = std::getenv("QM_FUZZ_SEED_DIR"))
        writeSeeds(dir);
    // A use request that reached a working role never gets to name a path.
    TcpHelper::setServerPathMapper([](const std::string&, bool, ustring&) { return false; });
    loopback();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3 || size > 65536)
        return 0;
    static Controller controller;
    controller.reset();
    const bool connecting = (data[0] & 1) != 0;
    static const TransferUse kUses[] = {TRANSFER_USE_ACTIVE, TRANSFER_USE_PASSIVE, TRANSFER_USE_REPORT,
                                        TRANSFER_USE_ACTIVE};
    size_t first = static_cast<size_t>(data[1]) | (static_cast<size_t>(data[2]) << 8);
    data += 3;
    size -= 3;
    if (first > size)
        first = size;

    std::unique_ptr<TcpTransfer> t(new TcpTransfer(&controller));
    int peer = -1;
    if (connecting) {
        t->setTransferSide(TRANSFER_SIDE_CLIENT);
        t->setPeerId(kClientPeer);
        t->setEncrypted((data[-3] & 2) != 0);
        t->setCompressed((data[-3] & 4) != 0);
        t->setExpectedUse(kUses[(data[-3] >> 3) & 3]);
        if (t->connect("127.0.0.1", loopback().port) != 0)
            std::abort();
        peer = ::accept4(loopback().listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
    } else {
        t->setTransferSide(TRANSFER_SIDE_SERVER);
        peer = connectPeer();
        if (t->accept(loopback().listen_fd) != 0)
            std::abort();
    }
    if (peer < 0)
        std::abort();

    // Every step is driven by bytes already sent or by a writable socket, so
    // a few passes of the loop let the connection act on what it has.
    event_base* base = controller.getEventBase();
    auto pump = [&] {
        for (int pass = 0; pass < 64 && inHandshake(*t); ++pass)
            event_base_loop(base, EVLOOP_NONBLOCK);
    };
    sendSome(peer, data, first);
    pump();
    sendSome(peer, data + first, size - first);
    pump();
    ::shutdown(peer, SHUT_WR);
    pump();
    if (std::getenv("QM_FUZZ_DEBUG"))
        std::fprintf(stderr, "use %d aborted %d error %d\n", static_cast<int>(t->getTransferUse()),
                     static_cast<int>(t->isAborted()), static_cast<int>(t->getLastError()));
    t.reset();
    ::close(peer);
    return 0;
}
