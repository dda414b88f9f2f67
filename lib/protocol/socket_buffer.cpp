#include "socket_buffer.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <sys/socket.h>

#include "lz4-processor.h"
#include "socket_buffer_log.h"

namespace {
const char* const kComponent = "default_component";
}

#define SB_ERROR(fmt, ...)                                                                         \
    QM_LOG_KEEP_ERRNO(Logger::L_ERR, kComponent, L"[ERROR] socket_buffer(%d): " fmt L"\n",         \
                      ##__VA_ARGS__)

SocketBuffer::SocketBuffer()
    : head(nullptr), data(nullptr), size(0), capacity(0), sock(cross::INVALID_SOCKET_VALUE),
      ssl(nullptr), compressor(nullptr), decompressor(nullptr), cbuffer(nullptr),
      m_ssl_retry_len(0)
{
}

SocketBuffer::~SocketBuffer() {}

int SocketBuffer::reserve(size_t)
{
    SB_ERROR(L"not implemented");
    return -1;
}

void SocketBuffer::copyFrom(const char* source, size_t len)
{
    if (len == 0)
        return;
    size_t tail = (static_cast<size_t>(head - data) + size) % capacity;
    size_t first = std::min(len, capacity - tail);
    memcpy(data + tail, source, first);
    if (len > first)
        memcpy(data, source + first, len - first);
    size += len;
}

void SocketBuffer::copyTo(char* destination, size_t len)
{
    if (len == 0)
        return;
    if (head == data + capacity)
        head = data;
    size_t first = std::min(len, static_cast<size_t>(data + capacity - head));
    memcpy(destination, head, first);
    if (len > first) {
        memcpy(destination + first, data, len - first);
        head = data + (len - first);
    } else {
        head += first;
    }
    if (head == data + capacity)
        head = data;
    size -= len;
}

uint64_t SocketBuffer::readInt(size_t int_size)
{
    uint64_t value = 0;
    if (head == data + capacity)
        head = data;
    for (size_t i = 0; i < int_size; ++i) {
        value = (value << 8) | static_cast<unsigned char>(*head);
        if (++head == data + capacity)
            head = data;
    }
    size -= int_size;
    return value;
}

int SocketBuffer::writeInt(uint64_t input, size_t int_size)
{
    unsigned char bytes[16];
    unsigned char* big_endian = bytes;
    if (int_size > sizeof(bytes)) {
        // Only ever called with 1, 2, 3..8: longer forms are all leading zeros.
        static const char zeros[64] = {};
        for (size_t left = int_size - sizeof(bytes); left > 0;) {
            size_t n = std::min(left, sizeof(zeros));
            copyFrom(zeros, n);
            left -= n;
        }
        int_size = sizeof(bytes);
    }
    for (size_t i = 0; i < int_size; ++i) {
        size_t shift = 8 * (int_size - 1 - i);
        big_endian[i] = shift < 64 ? static_cast<unsigned char>(input >> shift) : 0;
    }
    copyFrom(reinterpret_cast<const char*>(big_endian), int_size);
    return static_cast<int>(int_size);
}

void SocketBuffer::clear()
{
    size = 0;
    head = data;
}

void SocketBuffer::discard(size_t s)
{
    s = std::min(s, size);
    if (s > 0)
        head = data + (static_cast<size_t>(head - data) + s) % capacity;
    size -= s;
    if (size == 0)
        head = data;
}

bool SocketBuffer::hasPendingCompressedOutput() const
{
    return compressor && cbuffer && cbuffer->outbuf_consumed < cbuffer->outbuf_len;
}

void SocketBuffer::compact()
{
    if (head == data)
        return;
    if (size == 0) {
        head = data;
        return;
    }
    size_t start = static_cast<size_t>(head - data);
    if (start + size <= capacity)
        memmove(data, head, size);
    else
        std::rotate(data, head, data + capacity); // the held bytes wrap
    head = data;
}

int SocketBuffer::getCompressionResult()
{
    void* out = nullptr;
    size_t out_len = 0;
    if (decompressor->Process(capacity - size, &out, &out_len) < 0) {
        SB_ERROR(L"decompressor process failed");
        return -1;
    }
    cbuffer->outbuf = static_cast<char*>(out);
    cbuffer->outbuf_len = out_len;
    return out ? 1 : 0;
}

int SocketBuffer::recvBytes(char* bytes, size_t len)
{
    len = std::min(len, static_cast<size_t>(INT_MAX));
    if (ssl) {
        ERR_clear_error();
        int r = SSL_read(ssl, bytes, static_cast<int>(len));
        if (r > 0)
            return r;
        // A clean close is 0; would-block and real failures are told apart
        // by the caller through SSL_get_error.
        return SSL_get_error(ssl, r) == SSL_ERROR_ZERO_RETURN ? 0 : ERROR_SOCKET;
    }
    ssize_t r = ::recv(sock, bytes, len, 0);
    if (r < 0)
        return ERROR_SOCKET;
    return static_cast<int>(r);
}

int SocketBuffer::sendBytes(const char* bytes, size_t len)
{
    len = std::min(len, static_cast<size_t>(INT_MAX));
    if (ssl) {
        ERR_clear_error();
        int r = SSL_write(ssl, bytes, static_cast<int>(len));
        if (r > 0) {
            m_ssl_retry_len = 0;
            return r;
        }
        m_ssl_retry_len = len;
        return ERROR_SOCKET;
    }
    ssize_t r = ::send(sock, bytes, len, MSG_NOSIGNAL);
    if (r < 0)
        return ERROR_SOCKET;
    return static_cast<int>(r);
}

int SocketBuffer::lineRecv(size_t max_recv)
{
    if (size == capacity) {
        SB_ERROR(L"Buffer full.");
        return 0;
    }
    size_t n = std::min(capacity - size, max_recv);
    if (n == 0)
        return 0;
    compact();

    if (!decompressor) {
        int r = recvBytes(data + size, n);
        if (r > 0)
            size += static_cast<size_t>(r);
        return r;
    }

    // The decompressor's remembered input lives in cbuffer->inbuf, so the
    // socket is read only once everything it holds has been handed out.
    int r = getCompressionResult();
    if (r < 0) {
        SB_ERROR(L"getCompressionResult failed");
        return ERROR_SYSTEM;
    }
    if (r == 1) {
        memcpy(data + size, cbuffer->outbuf, cbuffer->outbuf_len);
        size += cbuffer->outbuf_len;
        return 1;
    }
    int got = recvBytes(cbuffer->inbuf, std::min(n, kCompressedInbufSize));
    if (got <= 0)
        return got;
    decompressor->Update(cbuffer->inbuf, static_cast<size_t>(got));
    r = getCompressionResult();
    if (r < 0) {
        SB_ERROR(L"getCompressionResult failed");
        return ERROR_SYSTEM;
    }
    if (r == 1 && cbuffer->outbuf_len > 0) {
        memcpy(data + size, cbuffer->outbuf, cbuffer->outbuf_len);
        size += cbuffer->outbuf_len;
    }
    return got;
}

// Compresses the len held bytes at head into the CBuffer and drops them from
// the ring. 0 or ERROR_SYSTEM.
int SocketBuffer::compressNext(size_t len)
{
    void* out = nullptr;
    size_t out_len = 0;
    if (compressor->Process(&out, &out_len) < 0) {
        SB_ERROR(L"compressor process failed");
        return ERROR_SYSTEM;
    }
    if (!out) {
        if (len == 0)
            return 0;
        compressor->Update(head, len);
        if (compressor->Process(&out, &out_len) < 0) {
            SB_ERROR(L"compressor process failed");
            return ERROR_SYSTEM;
        }
        // head is not rewound when the ring runs empty: a file window
        // counts the bytes it has sent by head - data.
        head += len;
        size -= len;
        if (!out || out_len == 0) {
            // Bytes were taken but nothing came out: they would be lost.
            SB_ERROR(L"compressor process failed");
            return ERROR_SYSTEM;
        }
    }
    cbuffer->outbuf = static_cast<char*>(out);
    cbuffer->outbuf_len = out_len;
    cbuffer->outbuf_consumed = 0;
    return 0;
}

int SocketBuffer::ringSend(size_t max_send)
{
    bool pending = hasPendingCompressedOutput();
    size_t n = std::min(size, max_send);
    if (n == 0 && !pending) {
        SB_ERROR(L"null write? max_send = %zu size = %zu", max_send, size);
        return 0;
    }
    if (head == data + capacity)
        head = data;
    size_t len = std::min(n, static_cast<size_t>(data + capacity - head));

    const char* out;
    size_t out_len;
    if (compressor) {
        if (!pending) {
            int r = compressNext(len);
            if (r < 0)
                return r;
        }
        out = cbuffer->outbuf + cbuffer->outbuf_consumed;
        out_len = cbuffer->outbuf_len - cbuffer->outbuf_consumed;
    } else {
        if (ssl && len < m_ssl_retry_len) {
            // Nothing was taken since the blocked attempt, so at least that
            // many bytes are still held in one run from head.
            len = std::min(m_ssl_retry_len,
                           std::min(size, static_cast<size_t>(data + capacity - head)));
        }
        out = head;
        out_len = len;
    }

    int s = sendBytes(out, out_len);
    if (s < 0)
        return s;
    if (compressor) {
        cbuffer->outbuf_consumed += static_cast<size_t>(s);
    } else {
        head += s;
        size -= static_cast<size_t>(s);
    }
    return s;
}
