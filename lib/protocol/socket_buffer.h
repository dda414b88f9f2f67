#pragma once

#include <cstddef>
#include <cstdint>

#include "file-op-ex.h"

typedef struct ssl_st SSL;
class LZ4Compressor;
class LZ4Decompressor;

// Negative results of SocketBuffer::lineRecv and ringSend.
enum BufferError {
    ERROR_OK = 0,
    ERROR_SYSTEM = -1, // the compressor or decompressor failed
    ERROR_SOCKET = -2, // the socket or TLS call failed; its error says why
};

// Compression staging shared by every buffer of one stream (owned by the stream).
struct CBuffer {
    char* inbuf;            // compressed bytes received, kCompressedInbufSize bytes
    char* outbuf;           // last output of the (de)compressor; points into that object
    size_t outbuf_len;
    size_t outbuf_consumed; // how much of a compressor output has been sent
};

// A ring of bytes with the two socket steps of a non-blocking stream. The held
// bytes are the `size` bytes from `head`, wrapping from data + capacity to
// data. Owns none of the pointers; subclasses say who owns `data`.
class SocketBuffer {
public:
    static constexpr size_t kCompressedInbufSize = 65536;

    SocketBuffer();
    virtual ~SocketBuffer();
    SocketBuffer(const SocketBuffer&) = delete;
    SocketBuffer& operator=(const SocketBuffer&) = delete;

    // Grows the block; the base class cannot and returns -1.
    virtual int reserve(size_t new_capacity);

    // Appends len bytes at the tail; the caller makes sure len <= left().
    void copyFrom(const char* source, size_t len);
    // Moves len bytes from the head out in ring order; len <= size.
    void copyTo(char* destination, size_t len);
    size_t left() const { return capacity - size; }
    void setSocket(cross::socket_t s) { sock = s; }

    // Asks the decompressor for output that fits the free room into the
    // CBuffer: 1 when it handed out a buffer (maybe empty), 0 when none, -1 on failure.
    int getCompressionResult();
    // Receives at most max_recv bytes (through TLS and the decompressor when
    // set) into the free room. Bytes read from the socket (1 when pending
    // decompressed output was delivered without reading), 0 when full or the
    // peer closed, or a BufferError.
    int lineRecv(size_t max_recv);
    // Sends at most max_send held bytes (with a compressor: compresses at most
    // that many and sends the result). Bytes sent, 0 when nothing is held, or
    // a BufferError. Compressed bytes the socket did not take go out first on
    // the next call, even when the buffer has run empty.
    int ringSend(size_t max_send);

    // Big-endian integer of int_size bytes taken from the head (of more than
    // 8 bytes only the last 8 count); the caller makes sure size >= int_size.
    uint64_t readInt(size_t int_size);
    // Appends the low int_size bytes big-endian; returns int_size.
    int writeInt(uint64_t input, size_t int_size);
    void clear();
    // Drops min(s, size) bytes from the head.
    void discard(size_t s);

    // Compressed bytes wait in the CBuffer for the socket.
    bool hasPendingCompressedOutput() const;

    char* head;
    char* data;
    size_t size;
    size_t capacity;
    cross::socket_t sock;
    SSL* ssl;
    LZ4Compressor* compressor;
    LZ4Decompressor* decompressor;
    CBuffer* cbuffer;

protected:
    // Makes the held bytes one run starting at data.
    void compact();

private:
    int sendBytes(const char* bytes, size_t len);
    int recvBytes(char* bytes, size_t len);
    int compressNext(size_t len);

    // A TLS write that would block must be retried with at least as many
    // bytes as the attempt that blocked (OpenSSL's retry rule).
    size_t m_ssl_retry_len;
};
