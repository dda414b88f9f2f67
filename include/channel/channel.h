#pragma once

#include <sys/time.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "channel/error-code.h"

namespace qelt {
class BufferedIOBase;
class BandwidthConfig;
class Socket;
}  // namespace qelt

typedef int CH_SOCK_T;  // socket descriptor
typedef int CH_FILE_T;  // file descriptor; the channel never closes it

class ChannelController;
struct HashHandler;

// A byte channel to a server over one TCP socket and one buffered stream,
// switchable to TLS in place. Integers travel big-endian. Every operation
// returns a result code of error-code.h. Used by one thread at a time; only
// the abort flag may be set from another thread.
class Channel {
public:
    // Told the byte count of each chunk moved during a file transfer.
    class ProgressReporter {
    public:
        ProgressReporter() : bytes(0) {}
        virtual ~ProgressReporter();
        virtual void Report(uint64_t n);     // stores n; subclasses accumulate
        virtual uint64_t GetProgress();

        uint64_t bytes;
    };

    explicit Channel(size_t capacity);
    virtual ~Channel();
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    // Adopts an accepted or given socket; with setup, linger 1 s and non-blocking.
    virtual int Open(CH_SOCK_T fd, bool setup);
    virtual int Open(const char* path);
    virtual int OpenDomain(const char* path, bool is_abstract);  // no local sockets here: ERR_OK
    // Connects to a literal IPv4 or IPv6 address; names are not resolved.
    virtual int Open(const char* ip, int port);
    virtual int Close();
    virtual void SetTimeout(uint32_t seconds);
    // The caller's abort flag (non-zero = stop); it must outlive the channel.
    virtual void SetFlag(int* flag);
    // Every wait gives up (as on abort) once `seconds` from now have passed,
    // however steadily bytes trickle in; 0 removes the deadline. The idle
    // time-out still applies within it.
    void SetDeadline(uint32_t seconds);

    // Starts a running digest (OpenSSL name, e.g. "md5", "sha1") of every byte
    // read and written; on == false turns it off. False for an unknown name.
    virtual bool EnableHash(bool on, const std::string& name);
    virtual std::string GetHash();   // lower-case hex so far; "" when off
    virtual void ResetHash();

    virtual int ConvertToSSLChannel(bool is_server);

    virtual int ReadByte(uint8_t* value);
    virtual int ReadInt16(uint16_t* value);
    virtual int ReadInt32(uint32_t* value);
    virtual int ReadInt64(uint64_t* value);
    virtual int WriteByte(uint8_t value);
    virtual int WriteInt16(uint16_t value);
    virtual int WriteInt32(uint32_t value);
    virtual int WriteInt64(uint64_t value);
    virtual int Read(char* buf, size_t n);
    virtual int Read(char* buf, size_t n, size_t& got);
    virtual int Write(const char* buf, size_t n);

    // File regions: [off, off + len) of a descriptor that stays open.
    virtual int Sendfile(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter);
    virtual int SendfileSystem(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter);
    virtual int SendfileFallback(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter);
    virtual int Recvfile(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter,
                         uint64_t& got);
    virtual int RecvfileSystem(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter,
                               uint64_t& got);
    virtual int RecvfileFallback(CH_FILE_T fd, uint64_t off, uint64_t len,
                                 ProgressReporter* reporter);

    virtual int ClearRead();
    virtual int ClearWrite();
    virtual int FlushWrite(int flag);   // flag must be 0; the stream's flush result
    virtual int GetPeerInfo(std::string& ip, int& port);
    virtual int GetPeerSSLSignature(std::string& signature);
    virtual int GetPeerCertificateChain(std::vector<std::string>& chain);
    virtual bool GetPeerVerified();
    virtual bool IsClosed();
    virtual uint64_t Convert(uint64_t value);
    virtual uint32_t Convert(uint32_t value);
    virtual uint16_t Convert(uint16_t value);
    virtual CH_SOCK_T CreateSocketAndConnectWithTimeout(const char* host, int port);

    // Takes ownership of cfg (may be null: no limit).
    void SetBandwidthConfig(qelt::BandwidthConfig* cfg);
    void DropBandwidthConfig();

    void SetAllowUntrust(bool allow) { m_is_allowing_untrust = allow; }
    bool IsAllowingUntrust() const { return m_is_allowing_untrust; }
    void SetSSLHostname(const std::string& hostname) { m_ssl_hostname = hostname; }
    void SetSSLSignature(const std::string& signature) { m_ssl_signature = signature; }
    CH_SOCK_T getNativeHandle() const;

    static void SetVerifyCAPath(const std::string& path);
    static std::string GetVerifyCAPath();
    static void SetCERTPath(const std::string& path);
    static void SetPriKeyPath(const std::string& path);
    static int SetupTcpKeepAlive(CH_SOCK_T fd);

protected:
    // A new TLS stream, not loaded yet, set up from this channel's trust settings.
    qelt::BufferedIOBase* CreateSSLSocket(bool is_server);
    qelt::BufferedIOBase* CreateSSLClient(bool is_allowing_untrust, const std::string& hostname,
                                          const std::string& signature);
    qelt::BufferedIOBase* CreateSSLServer();
    // (Re)loads the plain buffered stream on m_socket.
    int CreateBufferIO();
    void CloseSocket();
    // The receive fallback; got = the reporter's progress, or the bytes
    // received when there is no reporter.
    int RecvfileCounted(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter, uint64_t& got);
    // On a channel connected to the relay: TLS to the relay, the tunnel
    // request for ip:port, then back to plain TCP over the same connection.
    // via_proxy tells the log which channel this is. ERR_OK or ERR_IO.
    int OpenRelayTunnel(const char* ip, int port, bool via_proxy);
    void HashUpdate(const char* data, size_t n);

    struct timeval m_timeout;         // select slice of the relay handshake
    uint32_t channel_timeout;         // idle and connect time-out, seconds
    ChannelController* channel_controller;
    qelt::BandwidthConfig* m_bandwidth_config;
    bool m_isSSL;
    bool m_is_allowing_untrust;
    std::string m_ssl_hostname;
    std::string m_ssl_signature;
    qelt::BufferedIOBase* m_bio;
    qelt::Socket* m_socket;
    HashHandler* m_hash_handler;

    static std::string m_cert_path;
    static std::string m_key_path;
    static std::string m_ca_path;
};
