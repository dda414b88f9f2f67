#pragma once

#include <cstddef>

#include <lz4frame.h>

// Compresses one direction of a byte stream into a single LZ4 frame, ended
// only when the connection closes cleanly (End). Input blocks are not copied: Update keeps the caller's pointer until
// Process has consumed it, and output is handed out from the object's own
// buffer, valid until the next call.
class LZ4Compressor
{
public:
    LZ4Compressor();
    ~LZ4Compressor();
    LZ4Compressor(const LZ4Compressor&) = delete;
    LZ4Compressor& operator=(const LZ4Compressor&) = delete;

    // Prepares for input blocks of at most max_input_size bytes and queues the
    // frame header as the first output. 0 or -1.
    int Initialize(size_t max_input_size);
    // Remembers the next input block (replacing one not yet processed). Always 0.
    int Update(const void* buffer, size_t length);
    // Hands out pending output, else the compressed remembered block, else
    // null and 0. 0 or -1.
    int Process(void** buffer, size_t* length);
    // Ends the frame: hands out output still pending (the header, if nothing
    // went out yet) followed by the end mark and the content checksum. Every
    // block must have been processed. Nothing can follow. 0 or -1.
    int End(void** buffer, size_t* length);

private:
    LZ4F_preferences_t* m_lz4_comp_pref;
    LZ4F_compressionContext_t* m_lz4_comp;
    const void* m_inbuf;
    size_t m_inbuf_size;
    char* m_outbuf;
    size_t m_outbuf_size;
    size_t m_outbuf_len;
    bool m_ended = false;
};

// Turns received LZ4 frame bytes back into plain bytes, handed out in
// portions no larger than the room the caller has. The input given to Update
// must stay unchanged until it has been consumed (IsBufferEmpty).
class LZ4Decompressor
{
public:
    LZ4Decompressor();
    ~LZ4Decompressor();
    LZ4Decompressor(const LZ4Decompressor&) = delete;
    LZ4Decompressor& operator=(const LZ4Decompressor&) = delete;

    // Creates the context and an output buffer of output_size bytes. 0 or -1.
    int Initialize(size_t output_size);
    // Remembers received bytes as the input still to consume. Always 0.
    int Update(const void* buffer, size_t length);
    // Hands out at most max_size bytes: pending output first, else the output
    // of decoding the remembered input, else null and 0. When input was
    // consumed without producing output the buffer is non-null with length 0.
    int Process(size_t max_size, void** buffer, size_t* length);
    // True when no output is pending and no remembered input is left.
    bool IsBufferEmpty();
    void ProduceOutput(size_t max_size, void** buffer, size_t* length);

private:
    LZ4F_decompressionContext_t* m_lz4_decomp;
    const void* m_inbuf;
    size_t m_inbuf_size;
    char* m_outbuf;
    size_t m_outbuf_size;
    size_t m_outbuf_len;
    size_t m_outbuf_offset;
};
