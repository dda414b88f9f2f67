#pragma once

#include <memory>

#include "bio/buffered_io_base.h"
#include "bio/line_buffer.h"
#include "bio/ring_buffer.h"

namespace qelt {

class Socket;

// The plain stream: an 8192-byte read ring buffer and write line buffer over
// a socket or a file. File regions go to a socket with sendfile(2) and come
// from it through a mapped window of the file.
class BufferedIO : public BufferedIOBase {
public:
    static constexpr size_t kBufferSize = 8192;
    static constexpr size_t kFileChunk = 524288; // per system send/receive

    BufferedIO();
    ~BufferedIO() override;

    int load(IOBase& io) override;
    void unload() override;
    size_t read(void* buf, size_t n) override;
    size_t write(const void* buf, size_t n) override;
    int64_t sendfile(File& file, offset_type off, uint64_t len) override;
    int64_t recvfile(File& file, offset_type off, uint64_t len) override;
    int flush() override;
    // Receives len bytes from the socket straight into a mapped window of the
    // file at off. The count, or -1.
    virtual int64_t mmap_recvfile(File& file, offset_type off, uint64_t len);

    // Bytes read from the IO but not yet handed out.
    size_t buffered() const { return m_rbuf ? m_rbuf->size() : 0; }
    bool hasUnreadInput() const override { return buffered() > 0; }
    // Window length of mmap_recvfile (tests shrink it to cross windows).
    void setMmapWindowLength(uint64_t bytes) { m_mmap_window = bytes; }

protected:
    // The wait loop: moves bytes in controller-sized chunks as the IO becomes
    // ready; returns the bytes moved so far.
    size_t wait_and_write(const char* buf, size_t n);
    size_t wait_and_read(char* buf, size_t n, size_t minimum);

private:
    std::unique_ptr<RingBuffer<char>> m_rbuf;
    std::unique_ptr<LineBuffer<char>> m_wbuf;
    uint64_t m_mmap_window = 0; // 0 = the handler's default
};

} // namespace qelt
