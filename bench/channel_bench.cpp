// A file region sent through a Channel over loopback: TLS beside plain, MB/s.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "channel/channel.h"

namespace {

const uint64_t kRegion = 64ull << 20;

struct Fixture {
    std::string dir;
    int file = -1;

    Fixture()
    {
        char pattern[] = "/tmp/qm-channel-bench-XXXXXX";
        dir = mkdtemp(pattern);
        MakeCert();
        std::string path = dir + "/region";
        file = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        std::vector<unsigned char> block(1 << 20);
        for (uint64_t done = 0; done < kRegion; done += block.size()) {
            RAND_bytes(block.data(), static_cast<int>(block.size()));
            if (pwrite(file, block.data(), block.size(), static_cast<off_t>(done)) < 0)
                std::abort();
        }
        unlink(path.c_str());
    }

    void MakeCert()
    {
        EVP_PKEY* key = EVP_RSA_gen(2048);
        X509* cert = X509_new();
        ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
        X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
        X509_gmtime_adj(X509_getm_notAfter(cert), 86400);
        X509_set_pubkey(cert, key);
        X509_NAME_add_entry_by_txt(X509_get_subject_name(cert), "CN", MBSTRING_ASC,
                                   reinterpret_cast<const unsigned char*>("localhost"), -1, -1, 0);
        X509_set_issuer_name(cert, X509_get_subject_name(cert));
        X509_sign(cert, key, EVP_sha256());
        std::string cert_path = dir + "/server.crt", key_path = dir + "/server.key";
        FILE* f = std::fopen(cert_path.c_str(), "w");
        PEM_write_X509(f, cert);
        std::fclose(f);
        f = std::fopen(key_path.c_str(), "w");
        PEM_write_PrivateKey(f, key, nullptr, nullptr, 0, nullptr, nullptr);
        std::fclose(f);
        X509_free(cert);
        EVP_PKEY_free(key);
        Channel::SetCERTPath(cert_path);
        Channel::SetPriKeyPath(key_path);
    }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

// Receives length-prefixed regions into a buffer and acknowledges each.
void Receive(int fd, bool tls)
{
    Channel rx(8192);
    if (rx.Open(fd, true) != ERR_OK || (tls && rx.ConvertToSSLChannel(true) != ERR_OK))
        return;
    std::vector<char> sink(1 << 20);
    uint64_t len = 0;
    while (rx.ReadInt64(&len) == ERR_OK) {
        while (len > 0) {
            size_t n = len < sink.size() ? static_cast<size_t>(len) : sink.size();
            if (rx.Read(sink.data(), n) != ERR_OK)
                return;
            len -= n;
        }
        if (rx.WriteByte(1) != ERR_OK || rx.FlushWrite(0) != 0)
            return;
    }
}

void SendRegion(benchmark::State& state, bool tls)
{
    Fixture& fixture = Shared();
    int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t addr_len = sizeof addr;
    if (bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listener, 1) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &addr_len) != 0) {
        state.SkipWithError("cannot listen on loopback");
        return;
    }
    std::thread receiver([listener, tls] {
        int fd = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0)
            Receive(fd, tls);
    });
    Channel tx(8192);
    bool ready = tx.Open("127.0.0.1", ntohs(addr.sin_port)) == ERR_OK;
    if (ready && tls) {
        tx.SetAllowUntrust(true);
        ready = tx.ConvertToSSLChannel(false) == ERR_OK;
    }
    if (!ready)
        state.SkipWithError("cannot open the channel");
    for (auto _ : state) {
        if (!ready)
            break;
        uint8_t ack = 0;
        if (tx.WriteInt64(kRegion) != ERR_OK || tx.Sendfile(fixture.file, 0, kRegion, nullptr) != ERR_OK ||
            tx.FlushWrite(0) != 0 || tx.ReadByte(&ack) != ERR_OK) {
            state.SkipWithError("transfer failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kRegion));
    tx.Close();
    receiver.join();
    close(listener);
}

void BM_ChannelSendfilePlain(benchmark::State& state) { SendRegion(state, false); }
void BM_ChannelSendfileTls(benchmark::State& state) { SendRegion(state, true); }

}  // namespace

BENCHMARK(BM_ChannelSendfilePlain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ChannelSendfileTls)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
