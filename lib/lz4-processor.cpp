#include "lz4-processor.h"

#include <cstdlib>
#include <cstring>

#include "log.h"

namespace {

const char* const kComponent = "default_component";

// The frame API version the contexts are created for.
const unsigned kLz4FrameVersion = 100;

} // namespace

// Every failure line of this file: level, component and source prefix.
#define LZ4_LOG_ERROR(fmt, ...) \
    QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] lz4-processor(%d): " fmt L"\n", ##__VA_ARGS__)

LZ4Compressor::LZ4Compressor()
    : m_lz4_comp_pref(nullptr), m_lz4_comp(nullptr), m_inbuf(nullptr), m_inbuf_size(0),
      m_outbuf(nullptr), m_outbuf_size(0), m_outbuf_len(0)
{
}

LZ4Compressor::~LZ4Compressor()
{
    free(m_outbuf);
    if (m_lz4_comp) {
        if (*m_lz4_comp)
            LZ4F_freeCompressionContext(*m_lz4_comp);
        delete m_lz4_comp;
    }
    delete m_lz4_comp_pref;
}

int LZ4Compressor::Initialize(size_t max_input_size)
{
    m_lz4_comp = new LZ4F_compressionContext_t(nullptr);
    if (LZ4F_isError(LZ4F_createCompressionContext(m_lz4_comp, kLz4FrameVersion))) {
        LZ4_LOG_ERROR(L"LZ4F_createCompressionContext failed");
        return -1;
    }

    // Auto-flush so every block handed in can be decoded by the peer as soon
    // as its bytes arrive: the frame is ended only when the connection ends.
    m_lz4_comp_pref = new LZ4F_preferences_t();
    std::memset(m_lz4_comp_pref, 0, sizeof(*m_lz4_comp_pref));
    m_lz4_comp_pref->autoFlush = 1;
    m_lz4_comp_pref->frameInfo.contentChecksumFlag = LZ4F_contentChecksumEnabled;

    // Sized for one whole block so a single compressUpdate always fits; the
    // bound also covers the frame header, which is queued here first.
    m_outbuf_size = LZ4F_compressBound(max_input_size, m_lz4_comp_pref);
    if (m_outbuf_size < LZ4F_HEADER_SIZE_MAX)
        m_outbuf_size = LZ4F_HEADER_SIZE_MAX;
    m_outbuf = static_cast<char*>(malloc(m_outbuf_size));
    if (!m_outbuf) {
        LZ4_LOG_ERROR(L"Failed to allocate output buffer.");
        return -1;
    }

    m_inbuf = nullptr;
    m_inbuf_size = 0;
    size_t header =
        LZ4F_compressBegin(*m_lz4_comp, m_outbuf, m_outbuf_size, m_lz4_comp_pref);
    if (LZ4F_isError(header)) {
        m_outbuf_len = 0;
        LZ4_LOG_ERROR(L"LZ4F_compressBegin failed");
        return -1;
    }
    m_outbuf_len = header;
    return 0;
}

int LZ4Compressor::Update(const void* buffer, size_t length)
{
    m_inbuf = buffer;
    m_inbuf_size = length;
    return 0;
}

int LZ4Compressor::Process(void** buffer, size_t* length)
{
    if (m_outbuf && m_outbuf_len > 0) {
        *buffer = m_outbuf;
        *length = m_outbuf_len;
        m_outbuf_len = 0;
        return 0;
    }

    if (m_inbuf && m_inbuf_size > 0) {
        if (!m_lz4_comp || !*m_lz4_comp || !m_outbuf || m_ended) {
            LZ4_LOG_ERROR(L"LZ4F_compressUpdate failed %d", -1);
            return -1;
        }
        size_t r = LZ4F_compressUpdate(*m_lz4_comp, m_outbuf, m_outbuf_size, m_inbuf,
                                       m_inbuf_size, nullptr);
        if (LZ4F_isError(r)) {
            // Keep no bogus pending length: the object is not used after a failure.
            m_outbuf_len = 0;
            LZ4_LOG_ERROR(L"LZ4F_compressUpdate failed %d", static_cast<int>(r));
            return -1;
        }
        m_inbuf = nullptr;
        m_inbuf_size = 0;
        *buffer = m_outbuf;
        *length = r;
        m_outbuf_len = 0;
        return 0;
    }

    *buffer = nullptr;
    *length = 0;
    return 0;
}

int LZ4Compressor::End(void** buffer, size_t* length)
{
    *buffer = nullptr;
    *length = 0;
    if (!m_lz4_comp || !*m_lz4_comp || !m_outbuf || m_ended || (m_inbuf && m_inbuf_size > 0)) {
        LZ4_LOG_ERROR(L"LZ4F_compressEnd failed %d", -1);
        return -1;
    }
    // Auto-flush leaves nothing inside the library, so the end needs only
    // the end mark and checksum; they go behind output not yet handed out.
    size_t r = LZ4F_compressEnd(*m_lz4_comp, m_outbuf + m_outbuf_len, m_outbuf_size - m_outbuf_len,
                                nullptr);
    if (LZ4F_isError(r)) {
        m_outbuf_len = 0;
        LZ4_LOG_ERROR(L"LZ4F_compressEnd failed %d", static_cast<int>(r));
        return -1;
    }
    m_ended = true;
    *buffer = m_outbuf;
    *length = m_outbuf_len + r;
    m_outbuf_len = 0;
    return 0;
}

LZ4Decompressor::LZ4Decompressor()
    : m_lz4_decomp(nullptr), m_inbuf(nullptr), m_inbuf_size(0), m_outbuf(nullptr),
      m_outbuf_size(0), m_outbuf_len(0), m_outbuf_offset(0)
{
}

LZ4Decompressor::~LZ4Decompressor()
{
    free(m_outbuf);
    if (m_lz4_decomp) {
        if (*m_lz4_decomp)
            LZ4F_freeDecompressionContext(*m_lz4_decomp);
        delete m_lz4_decomp;
    }
}

int LZ4Decompressor::Initialize(size_t output_size)
{
    m_lz4_decomp = new LZ4F_decompressionContext_t(nullptr);
    if (LZ4F_isError(LZ4F_createDecompressionContext(m_lz4_decomp, kLz4FrameVersion))) {
        LZ4_LOG_ERROR(L"LZ4F_createDecompressionContext failed");
        return -1;
    }
    m_outbuf_size = output_size;
    m_outbuf = static_cast<char*>(malloc(output_size > 0 ? output_size : 1));
    if (!m_outbuf) {
        LZ4_LOG_ERROR(L"Failed to allocate output buffer.");
        return -1;
    }
    m_outbuf_len = 0;
    m_outbuf_offset = 0;
    m_inbuf = nullptr;
    m_inbuf_size = 0;
    return 0;
}

int LZ4Decompressor::Update(const void* buffer, size_t length)
{
    m_inbuf = buffer;
    m_inbuf_size = length;
    return 0;
}

bool LZ4Decompressor::IsBufferEmpty()
{
    return m_outbuf_len == 0 && m_inbuf_size == 0;
}

void LZ4Decompressor::ProduceOutput(size_t max_size, void** buffer, size_t* length)
{
    *buffer = m_outbuf + m_outbuf_offset;
    size_t remaining = m_outbuf_len - m_outbuf_offset;
    if (remaining <= max_size) {
        *length = remaining;
        m_outbuf_len = 0;
        m_outbuf_offset = 0;
    } else {
        *length = max_size;
        m_outbuf_offset += max_size;
    }
}

int LZ4Decompressor::Process(size_t max_size, void** buffer, size_t* length)
{
    if (m_outbuf && m_outbuf_len > 0) {
        ProduceOutput(max_size, buffer, length);
        return 0;
    }

    if (!m_inbuf || m_inbuf_size == 0) {
        *buffer = nullptr;
        *length = 0;
        return 0;
    }

    if (!m_lz4_decomp || !*m_lz4_decomp || !m_outbuf) {
        *buffer = nullptr;
        *length = 0;
        LZ4_LOG_ERROR(L"LZ4F_decompress failed [%zu] [%s]", static_cast<size_t>(0),
                      "not initialized");
        return -1;
    }

    size_t consumed = m_inbuf_size;
    m_outbuf_len = m_outbuf_size;
    m_outbuf_offset = 0;
    size_t r = LZ4F_decompress(*m_lz4_decomp, m_outbuf, &m_outbuf_len, m_inbuf, &consumed,
                               nullptr);
    if (LZ4F_isError(r)) {
        size_t produced = m_outbuf_len;
        m_outbuf_len = 0;
        *buffer = nullptr;
        *length = 0;
        LZ4_LOG_ERROR(L"LZ4F_decompress failed [%zu] [%s]", produced, LZ4F_getErrorName(r));
        return -1;
    }

    if (consumed == m_inbuf_size) {
        m_inbuf = nullptr;
        m_inbuf_size = 0;
    } else if (consumed == 0 && m_outbuf_len == 0) {
        // Neither input taken nor output given: calling again would spin.
        *buffer = nullptr;
        *length = 0;
        LZ4_LOG_ERROR(L"LZ4F_decompress LOGIC ERROR: inbuf_consumed='%zu' inbuf_size='%zu'",
                      consumed, m_inbuf_size);
        return -1;
    } else {
        // The output buffer filled first (or the library flushed output it
        // held); the rest of the input is decoded once this output is taken.
        m_inbuf = static_cast<const char*>(m_inbuf) + consumed;
        m_inbuf_size -= consumed;
    }

    ProduceOutput(max_size, buffer, length);
    return 0;
}
