#pragma once

#include <cstdint>

#include "socket_buffer.h"
#include "ustring/ustring.h"

enum MappingType {
    MAP_FOR_READ = 0,  // a payload to send
    MAP_FOR_WRITE = 1, // a payload being received
};

// A SocketBuffer whose bytes are a window onto one block of a file, so a file
// payload goes between the socket and the file without passing through the
// protocol buffer. Block b starts at b * block_size; its capacity is
// block_size, or what is left of the file for the last block. Sending: a
// loaded window holds capacity file bytes and head moves as they are sent.
// Receiving: head stays at data and size counts the bytes received.
//
// Operations return -1 with errno still set, so the stream can tell a full
// disk or a too-large file from other failures.
class FileMappingBuffer : public SocketBuffer {
public:
    FileMappingBuffer(const ustring& path, uint64_t size, MappingType type);
    ~FileMappingBuffer() override;

    // Takes over a file that is already open (finalize closes it), so that
    // initialize works on that very file instead of opening the path again.
    void adoptFile(cross::file_type fd);
    // Opens the file (unless one was adopted) and loads the window that
    // holds offset. Receiving, the
    // window's bytes before offset are read back from the file, which must
    // hold at least offset bytes. An offset at or past file_size loads no
    // window (capacity 0).
    int initialize(uint64_t offset);
    int load();
    int unload();
    // Writes back or drops the current window and loads the next block.
    int shiftBlock();
    // Unloads, then closes the file; the window's memory is freed.
    int finalize();
    // Unloads and frees the window like finalize, but hands the open file to
    // the caller in kept instead of closing it (INVALID_FILE_VALUE when none
    // was open or the unload failed, the file then closed).
    int finalizeKeepingFile(cross::file_type& kept);
    int rw_load();
    int rw_unload();
    // The mapped path: used only when is_always_rw is cleared and allocate
    // succeeded, and only for reading (a mapped file being received could
    // fault on a full disk instead of failing a write).
    int mmap_load();
    int mmap_unload();
    int allocate();

    bool isFinalBlock() const;
    // Bytes of the file sent (reading) or present (writing) so far, counted
    // from the start of the file; 0 when no file is open.
    uint64_t progress() const;

    int read(char* buffer, int len);
    int write(char* buffer, int len);
    int seek(uint64_t offset);

    cross::file_type file_handle;
    cross::file_type mapping_handle;
    // Where the next read() or write() goes; set by seek().
    uint64_t io_offset = 0;
    ustring path;
    uint64_t file_size;
    uint64_t block_number;
    uint64_t block_size;
    MappingType type;
    char* rw_buffer;
    bool is_rw;
    bool is_always_rw;

private:
    uint64_t blockStart() const { return block_number * block_size; }
    void setWindowCapacity();

    // initialize found the offset at or past the end: there is no window.
    bool m_no_window;
};
