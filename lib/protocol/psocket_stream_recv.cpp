// PSocketStream: the receiving side (Recv, the decoder, received and dropped
// file payloads).
#include "psocket_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <openssl/ssl.h>

#include "file-op.h"
#include "file_mapping_buffer.h"
#include "memory_buffer.h"
#include "psocket_stream_log.h"
#include "stream_temp_file.h"

namespace {

const unsigned TAG_NULL = 0x00;
const unsigned TAG_INTEGER = 0x01;
const unsigned TAG_STRING = 0x10;
const unsigned TAG_BINARY = 0x30;
const unsigned TAG_END = 0x40;
const unsigned TAG_ARRAY = 0x41;
const unsigned TAG_MAP = 0x42;

// A dropped payload passes through the protocol buffer in pieces of this size.
const size_t kDropChunk = 65536;

// The folder of a receive location: its text before the last separator, "/"
// when it has none or only a leading one.
ustring folderOf(const ustring& location)
{
    size_t cut = location.find_last_of("\\/");
    if (cut == ustring::npos || cut == 0)
        return ustring("/");
    return location.substr(0, cut);
}

} // namespace

void PSocketStream::SetRecv(const PObject& o)
{
    ClearState();
    current_object = o;
    object_stack.push_back(&current_object);
    func_stack.push_back(&PSocketStream::BufferToObject);
    expected_size = 1;
    m_recv_bytes = 0;
    m_recv_values = 0;
}

PSocketStream::ErrorCode PSocketStream::Recv(size_t max_recv)
{
    m_file_error = 0;
    current_buffer->setSocket(socket);
    int r = current_buffer->lineRecv(max_recv);
    if (r < 0) {
        if (r == ERROR_SYSTEM) {
            // The decompressor failed; the socket's state says nothing here.
            PSS_ERROR(L"buffer read failed, decompressor error");
            last_transfer_bytes = 0;
            return ERR_SYS;
        }
        if (current_buffer->ssl) {
            int e = SSL_get_error(current_buffer->ssl, r);
            if (e == SSL_ERROR_WANT_READ || e == SSL_ERROR_WANT_WRITE) {
                last_transfer_bytes = 0;
                return ERR_WOULD_BLOCK;
            }
            PSS_ERROR(L"buffer read failed, ssl error = %d", e);
        } else {
            int e = cross::getSocketError();
            if (cross::isErrorWouldBlock(e)) {
                last_transfer_bytes = 0;
                return ERR_WOULD_BLOCK;
            }
            PSS_ERROR(L"buffer read failed, errcode = %d", e);
        }
        last_transfer_bytes = 0;
        return ERR_IO;
    }
    if (r == 0) {
        PSS_ERROR(L"recv 0 in socket %d", socket);
        last_transfer_bytes = 0;
        return ERR_IO;
    }
    last_transfer_bytes = static_cast<size_t>(r);
    total_received_bytes += static_cast<uint64_t>(r);
    has_more_object_to_read = true;
    return ERR_OK;
}

PSocketStream::ErrorCode PSocketStream::GetNextAvailibleReceivedObject(PObject& object)
{
    m_file_error = 0;
    if (func_stack.empty())
        SetRecv(PObject());
    int r = HandleFromBuffer();
    if (r != 0)
        return static_cast<ErrorCode>(r);
    if (!func_stack.empty()) {
        has_more_object_to_read = false;
        return ERR_WOULD_BLOCK;
    }
    current_object.swap(object);
    PSS_LOG(Logger::L_INFO, L"[INFO]", L">> stream recv (%d): %s", socket,
            object.toPrettyString());
    has_more_object_to_read = current_buffer->size > 0;
    recv_location.clear();
    return ERR_OK;
}

int PSocketStream::HandleFromBuffer()
{
    if (func_stack.empty())
        return -1;
    while (!func_stack.empty() && current_buffer->size >= expected_size) {
        HandleFunction step = func_stack.back();
        if (step != &PSocketStream::BufferToBinary && step != &PSocketStream::BufferDrop) {
            m_recv_bytes += expected_size;
            if (m_recv_bytes > kMaxObjectBytes) {
                PSS_ERROR(L"received object exceeds %llu bytes",
                          static_cast<unsigned long long>(kMaxObjectBytes));
                return -1;
            }
        }
        PSS_LOG(Logger::L_DEBUG, L"[DEBUG]", L"decode %s, expected %zu, size %zu",
                HandleFunctionToString(step), expected_size, current_buffer->size);
        int r = (this->*step)();
        if (r < 0)
            return r;
    }
    return 0;
}

int PSocketStream::HandleTag(unsigned tag)
{
    if (++m_recv_values > kMaxObjectValues) {
        PSS_ERROR(L"received object holds more than %llu values",
                  static_cast<unsigned long long>(kMaxObjectValues));
        return -1;
    }
    switch (tag) {
    case TAG_NULL:
        object_stack.pop_back();
        expected_size = 1;
        return 0;
    case TAG_INTEGER:
        func_stack.push_back(&PSocketStream::BufferToInteger);
        func_stack.push_back(&PSocketStream::BufferToIntegerLength);
        expected_size = 1;
        return 0;
    case TAG_STRING:
        func_stack.push_back(&PSocketStream::BufferToString);
        func_stack.push_back(&PSocketStream::BufferToStringLength);
        expected_size = 2;
        return 0;
    case TAG_BINARY:
        func_stack.push_back(&PSocketStream::BufferToBinary);
        func_stack.push_back(&PSocketStream::BufferToBinaryLength);
        expected_size = 8;
        return 0;
    case TAG_ARRAY:
    case TAG_MAP:
        if (object_stack.size() > kMaxNestingDepth) {
            PSS_ERROR(L"received object nests deeper than %zu levels", kMaxNestingDepth);
            return -1;
        }
        func_stack.push_back(tag == TAG_ARRAY ? &PSocketStream::BufferToArray
                                              : &PSocketStream::BufferToMap);
        expected_size = 1;
        return 0;
    default:
        PSS_ERROR(L"get unknown tag %d", static_cast<int>(tag));
        return -1;
    }
}

int PSocketStream::BufferToObject()
{
    unsigned tag = static_cast<unsigned>(current_buffer->readInt(1));
    func_stack.pop_back();
    return HandleTag(tag);
}

int PSocketStream::BufferToIntegerLength()
{
    expected_size = static_cast<size_t>(current_buffer->readInt(1));
    func_stack.pop_back();
    return AdjustBufferCapacity();
}

int PSocketStream::BufferToInteger()
{
    *object_stack.back() = static_cast<PObject::integer_type>(current_buffer->readInt(expected_size));
    EndObject();
    return 0;
}

int PSocketStream::BufferToStringLength()
{
    expected_size = static_cast<size_t>(current_buffer->readInt(2));
    if (AdjustBufferCapacity() < 0)
        return -1;
    func_stack.pop_back();
    return 0;
}

int PSocketStream::BufferToString()
{
    PObject::string_type text(expected_size, '\0');
    if (expected_size > 0)
        current_buffer->copyTo(&text[0], expected_size);
    *object_stack.back() = std::move(text);
    EndObject();
    return 0;
}

int PSocketStream::BufferToArray()
{
    unsigned tag = static_cast<unsigned>(current_buffer->readInt(1));
    PObject::array_type& elements = object_stack.back()->asArray();
    if (tag == TAG_END) {
        EndObject();
        return 0;
    }
    // BufferToArray stays below the element: it reads the next tag after it.
    elements.push_back(PObject());
    object_stack.push_back(&elements.back());
    return HandleTag(tag);
}

int PSocketStream::BufferToMap()
{
    unsigned tag = static_cast<unsigned>(current_buffer->readInt(1));
    object_stack.back()->asMap();
    if (tag == TAG_END) {
        EndObject();
        return 0;
    }
    if (tag != TAG_STRING) {
        PSS_ERROR(L"Expected TAG_STRING or TAG_END but get %u", tag);
        return -1;
    }
    func_stack.push_back(&PSocketStream::BufferToKey);
    func_stack.push_back(&PSocketStream::BufferToStringLength);
    expected_size = 2;
    return 0;
}

int PSocketStream::BufferToKey()
{
    PObject::string_type key(expected_size, '\0');
    if (expected_size > 0)
        current_buffer->copyTo(&key[0], expected_size);
    func_stack.pop_back();
    // A repeated key decodes into the member the first one created.
    PObject::map_type& members = object_stack.back()->asMap();
    PObject& member = members.try_emplace(members.end(), std::move(key))->second;
    object_stack.push_back(&member);
    func_stack.push_back(&PSocketStream::BufferToObject);
    expected_size = 1;
    return 0;
}

int PSocketStream::BufferToBinaryLength()
{
    uint64_t length = current_buffer->readInt(8);
    PObject::binary_type& binary = object_stack.back()->asBinary();
    uint64_t offset = 0;
    uint64_t final_size = length;
    cross::file_type new_file = cross::INVALID_FILE_VALUE;

    if (!binary.path.empty()) {
        // A template names the file: resume it at the template's offset.
        offset = binary.offset;
        if (length > UINT64_MAX - offset) {
            PSS_ERROR(L"payload of %llu bytes at offset %llu is too long",
                      static_cast<unsigned long long>(length),
                      static_cast<unsigned long long>(offset));
            return -1;
        }
        final_size = offset + length;
    } else if (recv_location.empty()) {
        if (length > kMaxDropSize) {
            PSS_ERROR(L"Size to drop too large, close connection");
            return ERR_DROP_LARGE;
        }
        func_stack.pop_back(); // BufferToBinaryLength
        func_stack.pop_back(); // BufferToBinary
        func_stack.push_back(&PSocketStream::BufferDrop);
        // Thrown away piece by piece as it arrives: the buffer grows to one
        // chunk at most, not to the payload's length.
        size_t room = static_cast<size_t>(std::min<uint64_t>(length, kDropChunk));
        if (current_buffer->reserve(std::max(room, current_buffer->capacity)) < 0) {
            PSS_ERROR(L"Cannot allocate %zu bytes to drop a payload", room);
            return -1;
        }
        m_drop_left = length;
        expected_size = length > 0 ? 1 : 0;
        PSS_LOG(Logger::L_INFO, L"[INFO]", L"Path is not set, dropping buffer");
        return 0;
    } else {
        // The temporary name is ours only if we create the file under it:
        // the window then works on that descriptor, never on whatever the
        // name might point to later. The folder is made only when the file
        // cannot be, not looked up before every file.
        new_file = openNewTemporaryFile(recv_location, binary.path);
        if (new_file == cross::INVALID_FILE_VALUE && errno == ENOENT) {
            ustring folder = folderOf(recv_location);
            if (FSMKDir(folder, true) < 0) {
                PSS_ERROR(L"Cannot create folder %s", folder.c_str_utf8());
                errno = ENOENT;
            } else {
                new_file = openNewTemporaryFile(recv_location, binary.path);
            }
        }
        if (new_file == cross::INVALID_FILE_VALUE) {
            PSS_ERROR(L"Cannot create temp file on %s: %s", recv_location.c_str_utf8(), std::strerror(errno));
            binary.path.clear();
            return translateBufferError();
        }
        binary.offset = 0;
    }

    FileMappingBuffer* window = MakeWindow(binary.path, final_size, MAP_FOR_WRITE);
    if (new_file != cross::INVALID_FILE_VALUE)
        window->adoptFile(new_file);
    if (window->initialize(offset) < 0)
        return translateBufferError();
    func_stack.pop_back(); // BufferToBinary stays
    current_buffer = window;
    expected_size = window->capacity;
    // From here Recv reads straight into the window, never beyond its room,
    // so only the bytes that came with the header are in the protocol buffer.
    FillWindowFromProtocolBuffer();
    return 0;
}

void PSocketStream::FillWindowFromProtocolBuffer()
{
    FileMappingBuffer* window = binary_buffer;
    uint64_t owed = window->file_size - window->progress();
    size_t n = std::min(protocol_buffer->size, window->left());
    if (owed < n)
        n = static_cast<size_t>(owed);
    if (n == 0)
        return;
    protocol_buffer->copyTo(window->data + window->size, n);
    window->size += n;
}

int PSocketStream::BufferToBinary()
{
    FileMappingBuffer* window = binary_buffer;
    PObject::binary_type& binary = object_stack.back()->asBinary();
    uint64_t present = window->progress();
    if (window->capacity != 0 && !window->isFinalBlock()) {
        if (window->shiftBlock() < 0)
            return translateBufferError();
        expected_size = window->capacity;
        binary.offset = binary.length = present;
        // More of the payload may have come in with the header than one
        // window holds: it goes to the following windows, in order.
        FillWindowFromProtocolBuffer();
        return 0;
    }
    current_buffer = protocol_buffer;
    if (window->finalizeKeepingFile(m_received_file) < 0)
        return translateBufferError();
    binary.offset = binary.length = present;
    EndObject();
    return 0;
}

int PSocketStream::BufferDrop()
{
    size_t n = static_cast<size_t>(std::min<uint64_t>(current_buffer->size, m_drop_left));
    current_buffer->discard(n);
    m_drop_left -= n;
    if (m_drop_left > 0) {
        expected_size = 1;
        return 0;
    }
    PSS_LOG(Logger::L_INFO, L"[INFO]", L"Buffer Dropped");
    EndObject();
    return 0;
}
