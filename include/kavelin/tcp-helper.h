#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "kavelin/error-code.h"
#include "kavelin/resume-info.h"
#include "kavelin/transfer.h"
#include "protocol/pobject.h"

class TcpTransfer;

// The role of a data connection: decides what the bytes of each read and
// write step mean. Steps return a negative value on failure (m_error_code
// says why), 0 when a unit of work is done or there was nothing to do, and
// otherwise the bytes the stream moved (at least 1).
class TcpHelper {
public:
    enum InitState : int32_t {
        INIT_START = 0,
        INIT_WAITING_HANDSHAKE = 1,
        INIT_HANDSHAKING = 2,
        INIT_ACTIVATE = 3,
        INIT_DONE = 4,
    };

    // Maps a path named by the other end to a local path; false refuses it.
    // Only the server side consults it; the client never trusts wire paths.
    typedef std::function<bool(const std::string& wire_path, bool writing, ustring& local_path)>
        PathMapper;

    explicit TcpHelper(TcpTransfer* transfer);
    virtual ~TcpHelper();
    TcpHelper(const TcpHelper&) = delete;
    TcpHelper& operator=(const TcpHelper&) = delete;

    virtual bool isIdle();
    virtual int handleRead();
    virtual int handleWrite();
    // 0: the connection may be aborted now.
    virtual int preAbort();
    // Whatever the reads so far finished is made durable and announced
    // before this returns: before a failure is handled, before a task is
    // aborted and before the role changes.
    virtual void announceFinished() {}
    // When a read wake-up ends: whatever it finished goes to be made
    // durable while the connection reads on; it is announced once it is.
    virtual void handOverFinished() {}
    virtual int verifyToken();
    virtual int processHeader() = 0;

    void setSocket(cross::socket_t socket);
    void setSpeed(uint64_t kib_per_second);
    TransferUse getTransferUse() const { return m_type; }
    ProjectVardo::ErrorCode getError() const { return m_error_code; }
    ResumeInfo& getCachedResumeInfo() { return m_cached_info; }

    int readHeader();
    int writeHeader();
    int createSsl();
    // 0 done, 1 in progress, -1 failed.
    int doSslHandshake();
    // The last handshake step stopped for the peer's bytes: the connection
    // waits on its read event and leaves the write event unarmed.
    bool handshakeWaitsForRead() const { return m_handshake_waits_for_read; }
    int destroySsl();
    int initializeCompressors();
    void updateResumeInfoProgress(SocketStreamContext& context, uint64_t progress, uint64_t begin,
                                  uint64_t end, bool force);
    // Writes the cached task's progress, temporary path and fragments to the
    // store: when forced, or at most once per second of the context.
    void publishProgress(SocketStreamContext& context, bool force);

    // The server side's TLS key and chain; the defaults are the installed paths.
    static void setServerCertificatePaths(const std::string& key_path, const std::string& chain_path);
    // Installed by a process that runs the server side (process-wide).
    static void setServerPathMapper(PathMapper mapper);
    // Maps a wire path on the server side; identity when no mapper is set.
    static bool mapServerPath(const std::string& wire_path, bool writing, ustring& local_path);

protected:
    // Lets a role consume a complete object that is no header (the contents
    // of a refused file) before the token check; true drops it.
    virtual bool skipObject() { return false; }
    int failStream(const wchar_t* what, const PSocketStream& stream, int stream_error);
    // For the handshake roles, which share the stream set-up: one TLS
    // handshake step (-1 failed, 1 more to do, 0 done), and the layers put
    // on both streams once it is done: TLS first, then LZ4 when compressed.
    int sslHandshakeStep();
    int attachStreamLayers();

    TcpTransfer* m_transfer;
    TransferUse m_type;
    PObject m_read_header;
    PObject m_write_header;
    SocketStreamContext& m_read_context;
    SocketStreamContext& m_write_context;
    ResumeInfo m_cached_info;
    ProjectVardo::ErrorCode m_error_code;
    bool m_handshake_waits_for_read = false;
};
