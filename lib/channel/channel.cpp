#include "channel/channel.h"

#include <cstring>

#include "bio/buffered_io.h"
#include "channel/channel_controller.h"
#include "channel_internal.h"
#include "file-op-ex.h"
#include "io/socket.h"
#include "utils/abort_flag.h"
#include "utils/elapsed_timer.h"
#include "utils/net.h"

std::string Channel::m_cert_path = "/usr/vexo/etc/ssl/ssl.chain.crt/server.crt";
std::string Channel::m_key_path = "/usr/vexo/etc/ssl/ssl.key/server.key";
std::string Channel::m_ca_path = "/certs.pem";

namespace {

// Keep-alive: first probe after 150 s idle, then every 10 s, 3 probes.
const int kKeepAliveIdle = 150;
const int kKeepAliveInterval = 10;
const int kKeepAliveProbes = 3;
const int kLingerSeconds = 1;

}  // namespace

Channel::ProgressReporter::~ProgressReporter() = default;

void Channel::ProgressReporter::Report(uint64_t n) { bytes = n; }

uint64_t Channel::ProgressReporter::GetProgress() { return bytes; }

Channel::Channel(size_t /*capacity: the stream's buffers have a fixed size*/)
    : channel_timeout(60),
      channel_controller(new ChannelController),
      m_bandwidth_config(nullptr),
      m_isSSL(false),
      m_is_allowing_untrust(true),
      m_bio(nullptr),
      m_socket(nullptr),
      m_hash_handler(nullptr)
{
    m_timeout.tv_sec = 1;
    m_timeout.tv_usec = 0;
}

Channel::~Channel()
{
    Channel::Close();
    delete channel_controller;
    EnableHash(false, std::string());
}

int Channel::Open(CH_SOCK_T fd, bool setup)
{
    if (m_socket && m_socket->isValid()) {
        QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT, L"[ERROR] channel(%d): Open: Channel already opened.\n");
        return ERR_INVAL;
    }
    if (fd < 0)
        return ERR_INVAL;
    if (!m_socket)
        m_socket = new qelt::Socket;
    m_socket->assign(fd);
    if (setup) {
        if (m_socket->setLinger(kLingerSeconds) != 0) {
            QM_LOG(Logger::L_WARNING, CHANNEL_COMPONENT,
                   L"[WARNING] channel(%d): Open: SetLinger to socket [%d] failed, %s\n", fd,
                   std::string(std::strerror(m_socket->error())));
            return ERR_SYS;
        }
        if (m_socket->setBlocking(false) != 0) {
            QM_LOG(Logger::L_WARNING, CHANNEL_COMPONENT,
                   L"[WARNING] channel(%d): Open: SetNonBlock to socket [%d] failed, %s\n", fd,
                   std::string(std::strerror(m_socket->error())));
            return ERR_SYS;
        }
    }
    if (CreateBufferIO() != 0)
        return ERR_SYS;
    QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): Channel: opening socket %d\n", fd);
    return ERR_OK;
}

int Channel::Open(const char* path) { return OpenDomain(path, false); }

int Channel::OpenDomain(const char*, bool) { return ERR_OK; }

int Channel::Open(const char* ip, int port)
{
    if (!ip || port < 0)
        return ERR_INVAL;
    CH_SOCK_T fd = CreateSocketAndConnectWithTimeout(ip, port);
    if (fd < 0)
        return ERR_IO;
    CloseSocket();
    m_socket = new qelt::Socket(fd);
    if (m_socket->setLinger(kLingerSeconds) != 0) {
        m_socket->shutdown();
        return ERR_SYS;
    }
    if (SetupTcpKeepAlive(fd) != 0)
        QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT,
               L"[DEBUG] channel(%d): Channel::Open: SetupTcpKeepAlive failed (ignoring)\n");
    if (CreateBufferIO() != 0)
        return ERR_SYS;
    return ERR_OK;
}

CH_SOCK_T Channel::CreateSocketAndConnectWithTimeout(const char* host, int port)
{
    qelt::AbortFlag abort(static_cast<const int*>(channel_controller->flag));
    if (qelt::Net::IsIPv4(host))
        return qelt::Socket::connectIPv4(host, port, channel_timeout, abort);
    if (qelt::Net::IsIPv6(host))
        return qelt::Socket::connectIPv6(host, port, channel_timeout, abort);
    return qelt::invalid_socket;
}

int Channel::SetupTcpKeepAlive(CH_SOCK_T fd)
{
    return cross::setTcpKeepAlive(fd, kKeepAliveIdle, kKeepAliveInterval, kKeepAliveProbes);
}

int Channel::CreateBufferIO()
{
    if (!m_socket)
        return -1;
    // A TLS stream left from an earlier connection must not handshake on a new socket.
    if (m_bio && !dynamic_cast<qelt::BufferedIO*>(m_bio)) {
        m_bio->unload();
        delete m_bio;
        m_bio = nullptr;
        m_isSSL = false;
    }
    if (!m_bio)
        m_bio = new qelt::BufferedIO;
    m_bio->unload();
    if (m_bio->load(*m_socket) != 0)
        return -1;
    m_bio->setController(channel_controller);
    m_bio->setTimeout(channel_timeout);
    return 0;
}

void Channel::CloseSocket()
{
    if (!m_socket)
        return;
    if (m_socket->isValid()) {
        m_socket->shutdown();
        m_socket->close();
    }
    delete m_socket;
    m_socket = nullptr;
}

int Channel::Close()
{
    DropBandwidthConfig();
    if (m_bio) {
        int rc = m_bio->flush();
        if (rc != 0)
            QM_LOG(Logger::L_WARNING, CHANNEL_COMPONENT, L"[WARNING] channel(%d): FlushWrite: %s\n",
                   GetErrorText(rc));
        m_bio->unload();
        delete m_bio;
        m_bio = nullptr;
    }
    CloseSocket();
    QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): Channel has been closed.\n");
    m_isSSL = false;
    return ERR_OK;
}

bool Channel::IsClosed() { return m_bio == nullptr; }

void Channel::SetTimeout(uint32_t seconds)
{
    channel_timeout = seconds;
    if (m_bio)
        m_bio->setTimeout(seconds);
}

void Channel::SetFlag(int* flag) { channel_controller->flag = flag; }

void Channel::SetDeadline(uint32_t seconds)
{
    channel_controller->deadline_us =
        seconds == 0 ? 0 : qelt::monotonicMicroseconds() + static_cast<int64_t>(seconds) * 1000000;
}

void Channel::SetBandwidthConfig(qelt::BandwidthConfig* cfg)
{
    DropBandwidthConfig();
    if (cfg) {
        m_bandwidth_config = cfg;
        channel_controller->setBandwidthConfig(cfg);
    }
}

void Channel::DropBandwidthConfig()
{
    channel_controller->setBandwidthConfig(nullptr);
    delete m_bandwidth_config;
    m_bandwidth_config = nullptr;
}

bool Channel::EnableHash(bool on, const std::string& name)
{
    if (m_hash_handler) {
        EVP_MD_CTX_free(m_hash_handler->mdctx);
        delete m_hash_handler;
        m_hash_handler = nullptr;
    }
    if (!on)
        return true;
    const EVP_MD* md = EVP_get_digestbyname(name.c_str());
    if (!md)
        return false;
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    if (!ctx || EVP_DigestInit_ex(ctx, md, nullptr) != 1) {
        EVP_MD_CTX_free(ctx);
        return false;
    }
    m_hash_handler = new HashHandler;
    m_hash_handler->mdctx = ctx;
    m_hash_handler->md = md;
    return true;
}

std::string Channel::GetHash()
{
    if (!m_hash_handler)
        return std::string();
    // Finish a copy so that the running digest goes on.
    EVP_MD_CTX* copy = EVP_MD_CTX_new();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    bool ok = copy && EVP_MD_CTX_copy_ex(copy, m_hash_handler->mdctx) == 1 &&
              EVP_DigestFinal_ex(copy, digest, &len) == 1;
    EVP_MD_CTX_free(copy);
    if (!ok)
        return std::string();
    static const char kHex[] = "0123456789abcdef";
    std::string hex(2 * len, '0');
    for (unsigned int i = 0; i < len; ++i) {
        hex[2 * i] = kHex[digest[i] >> 4];
        hex[2 * i + 1] = kHex[digest[i] & 0xf];
    }
    return hex;
}

void Channel::ResetHash()
{
    if (m_hash_handler)
        EVP_DigestInit_ex(m_hash_handler->mdctx, m_hash_handler->md, nullptr);
}

void Channel::HashUpdate(const char* data, size_t n)
{
    if (m_hash_handler && n > 0)
        EVP_DigestUpdate(m_hash_handler->mdctx, data, n);
}

int Channel::Read(char* buf, size_t n)
{
    size_t got = 0;
    return Read(buf, n, got);
}

int Channel::Read(char* buf, size_t n, size_t& got)
{
    got = 0;
    if (n == 0)
        return ERR_OK;
    if (!m_bio) {
        QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): Read failed: channel has been closed.\n");
        return ERR_IO;
    }
    if (!m_bio->isGoodToRead())
        return ERR_IO;
    size_t r = m_bio->read(buf, n);
    HashUpdate(buf, r);
    got = r;
    if (r < n)
        return ERR_IO;
    QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): Read %d bytes \n", static_cast<int>(n));
    return ERR_OK;
}

int Channel::Write(const char* buf, size_t n)
{
    if (!m_bio) {
        QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): Write failed: channel has been closed.\n");
        return ERR_IO;
    }
    size_t w = n == 0 ? 0 : m_bio->write(buf, n);
    HashUpdate(buf, w);
    QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): Write %d bytes\n", static_cast<int>(w));
    return w == n ? ERR_OK : ERR_IO;
}

namespace {

template <typename T>
T FromBigEndian(const unsigned char* p)
{
    T value = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        value = static_cast<T>((value << 8) | p[i]);
    return value;
}

template <typename T>
void ToBigEndian(T value, unsigned char* p)
{
    for (size_t i = 0; i < sizeof(T); ++i)
        p[i] = static_cast<unsigned char>(value >> (8 * (sizeof(T) - 1 - i)));
}

}  // namespace

int Channel::ReadByte(uint8_t* value)
{
    unsigned char b[1];
    int rc = Read(reinterpret_cast<char*>(b), sizeof b);
    if (rc == ERR_OK)
        *value = b[0];
    return rc;
}

int Channel::ReadInt16(uint16_t* value)
{
    unsigned char b[2];
    int rc = Read(reinterpret_cast<char*>(b), sizeof b);
    if (rc == ERR_OK)
        *value = FromBigEndian<uint16_t>(b);
    return rc;
}

int Channel::ReadInt32(uint32_t* value)
{
    unsigned char b[4];
    int rc = Read(reinterpret_cast<char*>(b), sizeof b);
    if (rc == ERR_OK)
        *value = FromBigEndian<uint32_t>(b);
    return rc;
}

int Channel::ReadInt64(uint64_t* value)
{
    unsigned char b[8];
    int rc = Read(reinterpret_cast<char*>(b), sizeof b);
    if (rc == ERR_OK)
        *value = FromBigEndian<uint64_t>(b);
    return rc;
}

int Channel::WriteByte(uint8_t value) { return Write(reinterpret_cast<const char*>(&value), 1); }

int Channel::WriteInt16(uint16_t value)
{
    unsigned char b[2];
    ToBigEndian(value, b);
    return Write(reinterpret_cast<const char*>(b), sizeof b);
}

int Channel::WriteInt32(uint32_t value)
{
    unsigned char b[4];
    ToBigEndian(value, b);
    return Write(reinterpret_cast<const char*>(b), sizeof b);
}

int Channel::WriteInt64(uint64_t value)
{
    unsigned char b[8];
    ToBigEndian(value, b);
    return Write(reinterpret_cast<const char*>(b), sizeof b);
}

uint64_t Channel::Convert(uint64_t value) { return __builtin_bswap64(value); }

uint32_t Channel::Convert(uint32_t value) { return __builtin_bswap32(value); }

uint16_t Channel::Convert(uint16_t value) { return __builtin_bswap16(value); }

int Channel::FlushWrite(int flag)
{
    if (flag != 0)
        return -1;
    if (!m_bio)
        return -1;
    return m_bio->flush();
}

int Channel::ClearRead() { return ERR_OK; }

int Channel::ClearWrite() { return ERR_OK; }

int Channel::GetPeerInfo(std::string&, int&) { return ERR_SYS; }

CH_SOCK_T Channel::getNativeHandle() const { return m_socket ? m_socket->fd() : qelt::invalid_socket; }

void Channel::SetVerifyCAPath(const std::string& path) { m_ca_path = path; }

std::string Channel::GetVerifyCAPath() { return m_ca_path; }

void Channel::SetCERTPath(const std::string& path) { m_cert_path = path; }

void Channel::SetPriKeyPath(const std::string& path) { m_key_path = path; }
