// Throughput of the buffered streams over a loopback TCP connection, plain
// and TLS, in both directions. Bytes/s are reported by Google Benchmark.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "bio/buffered_io.h"
#include "bio/ssl_socket.h"
#include "io/socket.h"
#include "qelt_test_support.h"

namespace {

constexpr size_t kBlock = 65536;
constexpr size_t kPerIteration = 16 * 1024 * 1024;

enum Mode { kPlain = 0, kTls = 1 };

// One connection with a client stream and a peer stream on the other end;
// the peer runs on its own thread.
class Link {
public:
    explicit Link(Mode mode)
    {
        qelt_test::Listener listener;
        int port = listener.port();
        std::thread acceptor([&] { m_serverFd = listener.accept(); });
        m_clientFd = qelt::Socket::connectIPv4("127.0.0.1", port, 5);
        acceptor.join();
        qelt::Socket clientSocket(m_clientFd), serverSocket(m_serverFd);
        if (mode == kPlain) {
            client.reset(new qelt::BufferedIO);
            peer.reset(new qelt::BufferedIO);
            client->load(clientSocket);
            peer->load(serverSocket);
            return;
        }
        auto credentials = qelt_test::makeServerCert("bench.test", {}, nullptr);
        credentials.writeFiles(m_dir.file("c.pem"), m_dir.file("k.pem"));
        auto* server = new qelt::SslServerSocket;
        server->setCertificate(m_dir.file("c.pem"));
        server->setPrivateKey(m_dir.file("k.pem"));
        peer.reset(server);
        auto* tlsClient = new qelt::SslClientSocket;
        tlsClient->setVerify(false);
        client.reset(tlsClient);
        std::thread handshake([&] { server->load(serverSocket); });
        client->load(clientSocket);
        handshake.join();
    }
    ~Link()
    {
        hangUp();
        peer->unload();
        ::close(m_serverFd);
    }
    // Ends the peer's loop: closing with unread data resets the connection,
    // so a peer blocked in a send wakes up too.
    void hangUp()
    {
        if (m_clientFd < 0)
            return;
        client->unload();
        ::close(m_clientFd);
        m_clientFd = -1;
    }

    std::unique_ptr<qelt::BufferedIOBase> client;
    std::unique_ptr<qelt::BufferedIOBase> peer;

private:
    qelt_test::TempDir m_dir;
    int m_clientFd = -1;
    int m_serverFd = -1;
};

void BM_StreamWrite(benchmark::State& state)
{
    Link link(static_cast<Mode>(state.range(0)));
    std::thread drain([&] {
        std::string buf(kBlock, '\0');
        while (link.peer->read(buf.data(), buf.size()) == buf.size()) {
        }
    });
    const std::string block = qelt_test::patternBytes(kBlock, 1);
    for (auto _ : state) {
        for (size_t sent = 0; sent < kPerIteration; sent += kBlock)
            link.client->write(block.data(), block.size());
        link.client->flush();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kPerIteration);
    link.hangUp();
    drain.join();
}

void BM_StreamRead(benchmark::State& state)
{
    Link link(static_cast<Mode>(state.range(0)));
    std::thread feed([&] {
        const std::string block = qelt_test::patternBytes(kBlock, 2);
        while (link.peer->write(block.data(), block.size()) == block.size()) {
        }
    });
    std::string buf(kBlock, '\0');
    for (auto _ : state) {
        for (size_t got = 0; got < kPerIteration; got += kBlock)
            link.client->read(buf.data(), buf.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kPerIteration);
    link.hangUp();
    feed.join();
}

BENCHMARK(BM_StreamWrite)->Arg(kPlain)->Arg(kTls)->ArgName("tls")->UseRealTime();
BENCHMARK(BM_StreamRead)->Arg(kPlain)->Arg(kTls)->ArgName("tls")->UseRealTime();

} // namespace

BENCHMARK_MAIN();
