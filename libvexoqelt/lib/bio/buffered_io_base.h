#pragma once

#include <cstddef>
#include <cstdint>

#include "io/file.h"
#include "io/iobase.h"

namespace qelt {

// Asked by a stream before and after each chunk of IO: the chunk size
// (bandwidth caps), what happened (progress, pacing) and whether to stop.
class BufferedIOController {
public:
    virtual ~BufferedIOController();
    virtual bool abort() = 0;
    virtual size_t controlWriteSize(size_t n) = 0;
    virtual size_t controlReadSize(size_t n) = 0;
    virtual void handleAfterWrite(size_t n) = 0;
    virtual void handleAfterRead(size_t n) = 0;
};

// A blocking stream over one IOBase with an idle timeout, an abort check and
// a controller. Errors are sticky until clear(); every operation returns a
// count and leaves the reason in error().
class BufferedIOBase {
public:
    enum Error {
        error_none = 0,
        error_syscall = -1,
        error_abort = -2,
        error_timeout = -3,
        error_invalid = -4,
        error_nospace = -5,
        error_fbig = -6,
    };

    BufferedIOBase() = default;
    virtual ~BufferedIOBase();
    BufferedIOBase(const BufferedIOBase&) = delete;
    BufferedIOBase& operator=(const BufferedIOBase&) = delete;

    // Moves this stream's IO, timeout and controller to `target` (which loads
    // itself on the IO, e.g. a TLS handshake); pending writes are flushed
    // first. Refused (-1, target's error error_invalid) while input taken from
    // the IO waits unread here, since the target could never see it. On
    // failure -1 and this stream is left as it was.
    virtual int handoverTo(BufferedIOBase& target);
    // Holds a clone of io. 0 or -1.
    virtual int load(IOBase& io) = 0;
    virtual void unload() = 0;
    // Blocking; fewer bytes than asked only after an error, end of input,
    // abort or time-out.
    virtual size_t read(void* buf, size_t n) = 0;
    virtual size_t write(const void* buf, size_t n) = 0;
    // Sends len bytes of the file from off: the count, or -1.
    virtual int64_t sendfile(File& file, offset_type off, uint64_t len);
    // Receives len bytes into the file at off: the count, or -1.
    virtual int64_t recvfile(File& file, offset_type off, uint64_t len);
    // Writes out buffered bytes. 0 or -1.
    virtual int flush() = 0;
    // True while bytes taken from the IO wait here to be read.
    virtual bool hasUnreadInput() const { return false; }

    void setController(BufferedIOController* controller) { m_controller = controller; }
    BufferedIOController* controller() const { return m_controller; }
    // Idle timeout in seconds; 0 = none.
    void setTimeout(unsigned seconds) { m_timeout = seconds; }
    unsigned timeout() const { return m_timeout; }
    IOBase* io() const { return m_io; }

    bool isGoodToRead() const { return m_io && !(m_flag & kNoRead); }
    bool isGoodToWrite() const { return m_io && !(m_flag & kNoWrite); }
    int error() const { return m_error; }
    // The system error behind the last failure was "disk full" / "file too large".
    bool isErrorDiskFull() const;
    bool isErrorFileTooBig() const;
    int systemError() const { return m_sys_error; }
    void clear();
    void setNoRead() { m_flag |= kNoRead; }
    void setNoWrite() { m_flag |= kNoWrite; }
    void setError(int e) { m_error = e; }

protected:
    static constexpr unsigned kNoRead = 1;
    static constexpr unsigned kNoWrite = 2;
    static constexpr size_t kCopyBlock = 81920;

    // True when an idle timeout is set and more than it has passed since
    // `startUs` (monotonicMicroseconds()).
    bool functionTimeout(int64_t startUs) const;
    bool functionAbort() const;
    // Waits until the IO is ready for `mode` (IOBase::Mode) in slices of at
    // most 3 s, honouring abort and the idle timeout counted from
    // idleStartUs. False with the error set when it gives up.
    bool waitReady(int mode, int64_t idleStartUs);
    // Records errno as the system error and sets error_nospace, error_fbig
    // or error_syscall by it.
    void setErrorFromSystem(int sysError);
    void setSyscallError(int sysError);

    // The generic loops: file blocks through this stream's read/write.
    int64_t copyFileToStream(File& file, offset_type off, uint64_t len);
    int64_t copyStreamToFile(File& file, offset_type off, uint64_t len);

    IOBase* m_io = nullptr;
    BufferedIOController* m_controller = nullptr;
    unsigned m_timeout = 0;
    unsigned m_flag = 0;
    int m_error = error_none;
    int m_sys_error = 0;
};

} // namespace qelt
