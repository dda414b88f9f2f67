#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "protocol/stream.h"

// Finds where one message of the blocking codec (PStream) ends in bytes that
// arrive piece by piece, in constant memory and without decoding a value, so
// that a non-blocking reader can gather a message and then decode it whole
// with PStream (PStreamDecode). File values (binary, binary_ex) are refused at
// their tag: their payloads travel outside the message's own bytes.
class PStreamMessageScanner {
public:
    enum Result {
        NEED_MORE = 0,  // every byte given belongs to a message not yet complete
        COMPLETE = 1,   // the message ends within the bytes given
        MALFORMED = -1, // a tag or a length no message can have
        FILE_VALUE = -2,
    };

    // Scans n more bytes; used tells how many belong to the message (all of
    // them unless it is COMPLETE). After a refusal or the end, Reset first.
    Result Feed(const char* bytes, size_t n, size_t& used);
    void Reset();
    // Bytes of the message scanned so far.
    uint64_t Scanned() const { return m_scanned; }
    // Bytes the message has at least: those scanned and the rest of the
    // value whose length was announced, so a reader with a byte budget can
    // refuse a long value at its header instead of after its body.
    uint64_t LeastLength() const { return m_scanned + (m_step == STEP_SKIP ? m_skip : 0); }

private:
    enum Step {
        STEP_TAG,
        STEP_NULL_LENGTH,  // one byte, zero
        STEP_INT_WIDTH,    // one byte, at most 8
        STEP_STRING_COUNT, // u16
        STEP_BUFFER_COUNT, // u32
        STEP_SKIP,         // the body of a string, integer or buffer
    };

    Result StartValue(uint8_t tag);
    // A value ended: the message is complete when it was the outermost.
    Result EndValue();

    Step m_step = STEP_TAG;
    uint64_t m_depth = 0;         // open maps and arrays
    uint64_t m_skip = 0;          // body bytes left in STEP_SKIP
    uint32_t m_header = 0;        // big-endian count being gathered
    unsigned m_header_left = 0;   // its bytes still to come
    uint64_t m_scanned = 0;
};

// Decodes the one message held in bytes with stream's receiving settings
// (budget, file values, zero bytes); PStream's result code.
int PStreamDecode(PStream& stream, const std::string& bytes, PObject& object);
// Encodes object as stream.Send would write it; PStream's result code.
int PStreamEncode(PStream& stream, const PObject& object, std::string& bytes);
