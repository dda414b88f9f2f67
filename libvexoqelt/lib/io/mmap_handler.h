#pragma once

#include <cstddef>
#include <cstdint>

#include "io/file.h"
#include "io/socket.h"

namespace qelt {

// Maps a window of a file so that bytes received from a socket land directly
// in the file. A write window grows the file only as far as bytes arrive:
// storage is reserved (posix_fallocate) before a page is touched, so a full
// disk is an ENOSPC error instead of a SIGBUS, and on unload the file is cut
// back to what was actually received (never below its original size).
class MmapHandler {
public:
    enum Mode { MODE_WRITE = 1, MODE_READ = 2, MODE_READ_WRITE = 3, MODE_NONE = 4 };

    static constexpr uint64_t kWindowLength = 134217728; // 128 MiB

    MmapHandler();
    ~MmapHandler();
    MmapHandler(const MmapHandler&) = delete;
    MmapHandler& operator=(const MmapHandler&) = delete;

    // Maps [offset, min(filesize, offset + window)) of the file. `filesize`
    // is the end of the wanted region. 0 when a view exists, else -1 (errno set).
    int init(File& file, uint64_t filesize, uint64_t offset, Mode mode);
    // Receives at most n bytes from the socket into the window, moving to the
    // next window when this one is full. The count (0 = peer closed) or -1.
    ssize_t mmap_recv(Socket& socket, size_t n);
    // Not provided: always -1.
    ssize_t mmap_send(Socket& socket, size_t n);
    // Unmaps the view and trims any reservation beyond the received bytes. 0 or -1.
    int unload();
    int uninit();

    // Window length for the next load(); tests shrink it to cross windows cheaply.
    void setWindowLength(uint64_t bytes) { m_window = bytes ? bytes : kWindowLength; }
    // Bytes filled so far in the current window, from the wanted offset.
    uint64_t filled() const { return m_size - m_delta; }
    // The view's first byte (aligned) and the next byte to fill.
    const char* head() const { return m_head; }
    const char* current() const { return m_current; }

private:
    int load();
    int reserve(uint64_t end);
    void reset();

    size_t m_pagesize;
    uint64_t m_window = kWindowLength;
    uint64_t m_size = 0;      // bytes of the view in use, from the aligned start
    uint64_t m_capacity = 0;  // view length from the aligned start
    uint64_t m_delta = 0;     // offset - aligned start
    char* m_head = nullptr;
    char* m_current = nullptr;
    char* m_align = nullptr;
    file_type m_fd = invalid_file;
    uint64_t m_filesize = 0;
    uint64_t m_offset = 0;
    Mode m_mode = MODE_NONE;
    // File size before the first window of this init; never cut below it.
    uint64_t m_original_size = 0;
    // End (file offset) of storage reserved by this handler.
    uint64_t m_reserved_end = 0;
};

// Sends up to n bytes of the file from `offset` with sendfile(2), without
// SIGPIPE. The count (0 = the file ends at offset), or -1 with errno set
// (EAGAIN when a non-blocking socket can take nothing now).
ssize_t sys_sendfile(Socket& socket, File& file, uint64_t offset, size_t n);

} // namespace qelt
