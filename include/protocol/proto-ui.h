#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "proxy-tunnel-info.h"

class Channel;
class PObject;
class PStream;
class PStreamArraySink;

// The client of the server's control protocol: one object speaks for one user
// on one server over one control connection, opened lazily by the first
// request and switched to TLS after an "encrypt_channel" exchange. Every
// request returns 0 or -1 and leaves its outcome in GetLastError and
// GetLastErrorMessage. Used by one thread at a time; never copied.
//
// The server is not trusted: an answer must be a map of the expected shape
// within a size budget, carries no file values, and must arrive complete
// within a few time-outs of its request; anything else fails the request
// with ERROR_PROTOCOL (malformed or oversized answers) or ERROR_CHANNEL_IO
// (time-out), and values are never shortened or wrapped to fit a record.
class ProtoUI {
public:
    // Groups of 4096; the first value of a group is its general error.
    enum Error {
        ERROR_OK = 0,
        ERROR_INVALID_ARGUMENT = 4096,
        ERROR_CHANNEL_IO = 8192,
        ERROR_CHANNEL_SSL_VERIFY = 8193,
        ERROR_CHANNEL_SSL_CHANGE = 8194,
        ERROR_CHANNEL_IP_NOT_ALLOWED = 8195,
        ERROR_PROTOCOL = 12288,
        ERROR_PROTOCOL_MISMATCH = 12289,
        ERROR_PROTOCOL_VERSION_TOO_LOW = 12290,
        ERROR_PROTOCOL_VERSION_TOO_HIGH = 12291,
        ERROR_PROTOCOL_WRONG_PORT = 12292,
        ERROR_SERVER = 16384,
        ERROR_SERVER_INTERNAL = 16385,
        ERROR_USER = 20480,
        ERROR_USER_DISABLED = 20481,
        ERROR_USER_PASSWORD = 20482,
        ERROR_USER_MAX_TRIES = 20483,
        ERROR_USER_EXPIRED = 20484,
        ERROR_USER_OTP_REQUIRED = 20485,
        ERROR_USER_OTP_INVALID = 20486,
        ERROR_USER_OTP_ENFORCED = 20487,
        ERROR_USER_INVALID_SEED = 20488,
        ERROR_REMOVE = 24576,
        ERROR_REMOVE_NO_PERM = 24577,
        ERROR_COPY = 28672,
        ERROR_COPY_NO_PERM = 28673,
        ERROR_COPY_DISKFULL = 28674,
        ERROR_COPY_SHARE_QUOTA = 28675,
        ERROR_COPY_USER_QUOTA = 28676,
        ERROR_LIST_NODE = 32768,
        ERROR_LIST_NODE_NO_PERM = 32769,
        ERROR_MKDIR = 36864,
        ERROR_MKDIR_NO_PERM = 36865,
        ERROR_RENAME = 40960,
        ERROR_RENAME_NO_PERM = 40961,
        ERROR_RENAME_DISKFULL = 40962,
        ERROR_RENAME_SHARE_QUOTA = 40963,
        ERROR_RENAME_USER_QUOTA = 40964,
        ERROR_RENAME_TARGET_EXISTS = 40965,
        ERROR_MOVE = 45056,
        ERROR_MOVE_NO_PERM = 45057,
        ERROR_MOVE_TARGET_EXISTS = 45058,
    };

    struct ServerInfo {
        uint32_t package[3] = {0, 0, 0};  // major, minor, build of the file service
        uint32_t zrm[4] = {0, 0, 0, 0};   // major, minor, build, fix of the system
        std::string unique;
        std::string server_id;
        std::string server_alias;
        std::string database_id;          // sent as "database_serial"
    };

    struct Share {
        std::string name;
        std::string path;  // the folder's mounted path on the server
    };

    struct Node {
        std::string name;
        bool is_dir = false;
        uint64_t mtime = 0;  // seconds since 1970-01-01 UTC
        uint64_t size = 0;   // bytes
    };

    ProtoUI();
    ~ProtoUI();

    // Drops the connection and the proxy and relay records and resets every
    // setting; the certificate chain and server build stay until replaced.
    void Clear();

    // Settings take effect on the next connection (or next "auth"); an open
    // connection is left as it is.
    void SetSeed(uint64_t seed);
    void SetUser(const std::string& user, const std::string& password, const std::string& otp);
    void SetSSL(bool encrypt_channel, bool verify_server, const std::string& hostname,
                const std::string& signature);
    void SetTimeout(unsigned seconds);  // 0 keeps the channel's own default
    void SetServer(const std::string& ip, unsigned port);  // a literal address
    void SetAbortFlag(int* flag);       // the caller's; must outlive the channel
    void SetProxy(const ProxyInfo& proxy);
    void SetTunnel(const TunnelInfo& tunnel);

    std::string GetCurrentSSLSignature();
    std::vector<std::string> GetSSLCertificateChain();
    // Whether the certificate would pass full verification; false without a connection.
    bool GetSSLVerified();
    int getChannelMtu();  // -1 without a connection or when unknown
    int GetServerBuildVersion();
    Error GetLastError() const;
    std::string GetLastErrorMessage() const;

    // Login and session.
    int Auth(uint64_t& seed, bool is_reconnect);
    int HeartBeat();
    int ClosePeer();
    int QueryServer(ServerInfo& info);

    // Shares and files; paths are "/<share>/<path inside the share>".
    int ListShare(std::vector<Share>& share_list);
    int ListNode(const std::string& path, bool& is_dir, std::vector<Node>& node_list);
    int CreateDir(const std::string& path);
    int Rename(const std::string& path_from, const std::string& path_to);
    int Copy(const std::string& path_from, const std::string& path_to);
    int Remove(const std::string& path);
    int SetUdp(bool encrypted, bool compressed);

private:
    ProtoUI(const ProtoUI&);
    ProtoUI& operator=(const ProtoUI&);

    Channel* CreateChannel() const;
    int RunEncryptProtocol(Channel& channel);
    // With a sink, the answer's array under sink_key goes to it as it arrives.
    int RunProtocol(const PObject& request, PObject& response, const char* sink_key = nullptr,
                    PStreamArraySink* sink = nullptr);
    // The common tail of a request: an "error" member becomes the last error.
    bool TakeAnswerError(const PObject& response);
    void DestroyChannel();
    // "mkdir" and "remove": one path split into "share" and "path".
    int RunSharePathRequest(const char* action, const std::string& path);

    void ClearError();
    void SetError(Error error, const std::string& message);
    void SetChannelError(int code, const std::string& message);
    void SetStreamError(int code, const std::string& message);
    void SetProtocolError(int code, const std::string& reason);
    // ERROR_PROTOCOL: a complete answer that is not of the expected shape.
    void SetMalformedAnswer(const std::string& what);
    // The failure of a receive (or send) of the cycle: a time-out when the
    // cycle's deadline passed, ERROR_PROTOCOL when a limit of the stream
    // refused the answer, else the stream map.
    void SetCycleStreamError(const PStream& stream, int code, const std::string& message);
    bool CycleExpired() const;

    uint64_t m_seed;
    std::string m_user;
    std::string m_password;
    std::string m_otp;
    Channel* m_channel;
    bool m_ssl_encrypt_channel;
    bool m_ssl_verify_server;
    std::string m_ssl_server_hostname;
    std::string m_ssl_orig_signature;
    std::string m_ssl_current_signature;
    unsigned m_timeout;
    std::vector<std::string> m_ssl_certificate_chain;
    std::string m_ip;
    unsigned m_port;
    int m_server_build_version;
    ProxyInfo* m_proxy;
    TunnelInfo* m_tunnel;
    int* m_abort_flag;
    Error m_error;
    std::string m_error_message;
    // Set when a send or receive failed on the connection: what is left on it
    // may be the late answer of that request, so it is never used again and
    // nothing reconnects until the owner clears the object and logs in anew.
    bool m_connection_broken;
    // Idle time-out of the open connection, in seconds (what the channel got).
    unsigned m_connection_timeout;
    // When the request cycle in progress must be over, and its length.
    std::chrono::steady_clock::time_point m_cycle_deadline;
    unsigned m_cycle_seconds;
};
