// PSocketStream: construction, the driving operations and the encoder.
#include "psocket_stream.h"
#include <sys/stat.h>
#include <cerrno>
#include <cstring>

#include <openssl/ssl.h>

#include "file-op.h"
#include "file_mapping_buffer.h"
#include "memory_buffer.h"
#include "psocket_stream_log.h"

namespace {

const size_t kProtocolBufferSize = 1024;

const unsigned char TAG_NULL = 0x00;
const unsigned char TAG_INTEGER = 0x01;
const unsigned char TAG_STRING = 0x10;
const unsigned char TAG_BINARY = 0x30;
const unsigned char TAG_END = 0x40;
const unsigned char TAG_ARRAY = 0x41;
const unsigned char TAG_MAP = 0x42;

// The string length field has 16 bits.
const size_t kMaxStringLength = 65535;

size_t integerLength(uint64_t value)
{
    size_t n = 1;
    while (n < 8 && (value >> (8 * n)) != 0)
        ++n;
    return n;
}

} // namespace

PSocketStream::PSocketStream()
    : protocol_buffer(new MemoryBuffer(kProtocolBufferSize)), binary_buffer(nullptr),
      current_buffer(nullptr), expected_size(1), last_transfer_bytes(0),
      socket(cross::INVALID_SOCKET_VALUE), has_more_object_to_read(false), m_cbuffer(new CBuffer()),
      m_drop_left(0), m_recv_bytes(0), m_recv_values(0)
{
    m_cbuffer->inbuf = new char[SocketBuffer::kCompressedInbufSize];
    m_cbuffer->outbuf = nullptr;
    m_cbuffer->outbuf_len = 0;
    m_cbuffer->outbuf_consumed = 0;
    protocol_buffer->cbuffer = m_cbuffer;
    current_buffer = protocol_buffer;
}

PSocketStream::~PSocketStream()
{
    DeleteWindow();
    CloseReceivedFile();
    delete protocol_buffer;
    delete[] m_cbuffer->inbuf;
    delete m_cbuffer;
}

void PSocketStream::SetSocket(cross::socket_t& s)
{
    socket = s;
}

void PSocketStream::SetSsl(SSL* ssl)
{
    if (ssl)
        SSL_set_mode(ssl, SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER | SSL_MODE_ENABLE_PARTIAL_WRITE);
    current_buffer->ssl = ssl;
    protocol_buffer->ssl = ssl;
}

void PSocketStream::SetCompressor(LZ4Compressor* compressor)
{
    current_buffer->compressor = compressor;
    protocol_buffer->compressor = compressor;
}

void PSocketStream::SetDecompressor(LZ4Decompressor* decompressor)
{
    current_buffer->decompressor = decompressor;
    protocol_buffer->decompressor = decompressor;
}

void PSocketStream::DeleteWindow()
{
    if (current_buffer == binary_buffer)
        current_buffer = protocol_buffer;
    delete binary_buffer; // finalizes
    binary_buffer = nullptr;
}

void PSocketStream::CloseReceivedFile()
{
    if (m_received_file != cross::INVALID_FILE_VALUE)
        cross::close(m_received_file);
    m_received_file = cross::INVALID_FILE_VALUE;
}

cross::file_type PSocketStream::TakeReceivedFile()
{
    const cross::file_type fd = m_received_file;
    m_received_file = cross::INVALID_FILE_VALUE;
    return fd;
}

FileMappingBuffer* PSocketStream::MakeWindow(const path_type& path, uint64_t file_size,
                                             int mapping_type)
{
    DeleteWindow();
    CloseReceivedFile();
    binary_buffer = new FileMappingBuffer(path, file_size, static_cast<MappingType>(mapping_type));
    binary_buffer->ssl = protocol_buffer->ssl;
    binary_buffer->compressor = protocol_buffer->compressor;
    binary_buffer->decompressor = protocol_buffer->decompressor;
    binary_buffer->cbuffer = protocol_buffer->cbuffer;
    return binary_buffer;
}

void PSocketStream::ClearState()
{
    DeleteWindow();
    CloseReceivedFile();
    last_transfer_bytes = 0;
    current_buffer = protocol_buffer;
    object_stack.clear();
    func_stack.clear();
    key_objects.clear();
    m_drop_left = 0;
    m_expect_file = false;
}

void PSocketStream::ExpectSendFile(uint64_t size, uint64_t mtime_us)
{
    m_expect_file = true;
    m_expect_size = size;
    m_expect_mtime_us = mtime_us;
}

namespace {

int64_t mtimeNs(const struct stat& st)
{
    return static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

} // namespace

bool PSocketStream::SendFileChanged()
{
    struct stat st;
    if (!binary_buffer || binary_buffer->file_handle == cross::INVALID_FILE_VALUE ||
        fstat(binary_buffer->file_handle, &st) != 0)
        return false;
    return static_cast<uint64_t>(st.st_size) != m_sent_file_size || mtimeNs(st) != m_sent_file_mtime_ns;
}

void PSocketStream::SetSend(const PObject& o)
{
    ClearState();
    current_object = o;
    current_buffer->clear();
    object_stack.push_back(&current_object);
    func_stack.push_back(&PSocketStream::ObjectToBuffer);
    expected_size = 1;
}

void PSocketStream::SetBatchSend(const PObject& o)
{
    ClearState();
    current_object = o;
    current_buffer->clear();
    PObject::array_type& elements = current_object["array"].asArray();
    for (size_t i = elements.size(); i-- > 0;) {
        object_stack.push_back(&elements[i]);
        func_stack.push_back(&PSocketStream::ObjectToBuffer);
    }
    expected_size = 1;
}

bool PSocketStream::IsSendComplete()
{
    return current_buffer->size == 0 && func_stack.empty() &&
           !current_buffer->hasPendingCompressedOutput();
}

PSocketStream::ErrorCode PSocketStream::Send(size_t max_send)
{
    m_file_error = 0;
    int r = HandleToBuffer();
    if (r != 0)
        return static_cast<ErrorCode>(r);

    current_buffer->setSocket(socket);
    int s = current_buffer->ringSend(max_send);
    // Done only when the compressed bytes have left as well: the peer needs
    // them to complete the object.
    if (s >= 0 && IsSendComplete()) {
        PSS_LOG(Logger::L_INFO, L"[INFO]", L"<< stream send (%d): %s", socket,
                current_object.toPrettyString());
        last_transfer_bytes = static_cast<size_t>(s);
        return ERR_OK;
    }
    if (s > 0) {
        last_transfer_bytes = static_cast<size_t>(s);
        return ERR_WOULD_BLOCK;
    }
    if (s == 0) {
        PSS_ERROR(L"select can write but cannot, closed");
        last_transfer_bytes = 0;
        return ERR_IO;
    }

    ErrorCode result = s == ERROR_SYSTEM ? ERR_SYS : ERR_IO;
    if (s == ERROR_SOCKET) {
        if (current_buffer->ssl) {
            int e = SSL_get_error(current_buffer->ssl, s);
            if (e == SSL_ERROR_WANT_READ || e == SSL_ERROR_WANT_WRITE) {
                last_transfer_bytes = 0;
                return ERR_WOULD_BLOCK;
            }
            PSS_ERROR(L"buffer send failed, ssl error = %d", e);
        } else {
            int e = cross::getSocketError();
            if (cross::isErrorWouldBlock(e)) {
                last_transfer_bytes = 0;
                return ERR_WOULD_BLOCK;
            }
            PSS_ERROR(L"buffer send failed, errcode = %d", e);
        }
    }
    last_transfer_bytes = 0;
    return result;
}

bool PSocketStream::IsTransferring()
{
    return !func_stack.empty() || current_buffer->size > 0 ||
           current_buffer->hasPendingCompressedOutput();
}

bool PSocketStream::HasMoreObjectToRead()
{
    return has_more_object_to_read;
}

size_t PSocketStream::GetBufferedBytes() const
{
    return current_buffer->size;
}

PObject& PSocketStream::GetCurrentObject()
{
    return current_object;
}

uint64_t PSocketStream::GetTransferredBytes()
{
    return binary_buffer ? binary_buffer->progress() : 0;
}

void PSocketStream::SetRecvLocation(const path_type& path)
{
    recv_location = path;
}

size_t PSocketStream::GetLastTransferredBytes() const
{
    return last_transfer_bytes;
}

int PSocketStream::translateBufferError()
{
    int e = cross::getSystemError();
    PSS_ERROR(L"system error code = %d (%s)", e, std::strerror(e));
    int result = ERR_SYS;
    if (cross::isErrorDiskFull(e))
        result = ERR_DISKFULL;
    else if (cross::isErrorFileTooBig(e))
        result = ERR_FBIG;
    ClearState();
    // Kept for the caller, whose codes tell more local causes apart.
    m_file_error = e;
    return result;
}

void PSocketStream::EndObject()
{
    func_stack.pop_back();
    object_stack.pop_back();
    expected_size = 1;
}

int PSocketStream::AdjustBufferCapacity()
{
    if (expected_size <= current_buffer->capacity)
        return 0;
    size_t capacity = current_buffer->capacity > 0 ? current_buffer->capacity : 1;
    while (capacity < expected_size)
        capacity *= 2;
    return current_buffer->reserve(capacity);
}

int PSocketStream::HandleToBuffer()
{
    while (!func_stack.empty() && current_buffer->left() >= expected_size) {
        PSS_LOG(Logger::L_DEBUG, L"[DEBUG]", L"encode step, expected %zu, room %zu",
                expected_size, current_buffer->left());
        int r = (this->*func_stack.back())();
        if (r < 0)
            return r;
    }
    return 0;
}

int PSocketStream::ObjectToBuffer()
{
    func_stack.pop_back();
    return HandleObjectType(object_stack.back()->getType());
}

int PSocketStream::HandleObjectType(int object_type)
{
    switch (object_type) {
    case PObject::TYPE_NULL:
        current_buffer->writeInt(TAG_NULL, 1);
        object_stack.pop_back();
        break;
    case PObject::TYPE_ARRAY:
        current_buffer->writeInt(TAG_ARRAY, 1);
        func_stack.push_back(&PSocketStream::ArrayToBuffer);
        break;
    case PObject::TYPE_MAP:
        current_buffer->writeInt(TAG_MAP, 1);
        func_stack.push_back(&PSocketStream::MapToBuffer);
        break;
    case PObject::TYPE_INTEGER:
        current_buffer->writeInt(TAG_INTEGER, 1);
        func_stack.push_back(&PSocketStream::IntegerToBuffer);
        func_stack.push_back(&PSocketStream::IntegerLengthToBuffer);
        break;
    case PObject::TYPE_STRING: {
        size_t length = object_stack.back()->asStringRef().size();
        if (length > kMaxStringLength) {
            // The length field cannot carry it; cutting it would desync the peer.
            PSS_ERROR(L"string of %zu bytes is too long to send", length);
            return -1;
        }
        current_buffer->writeInt(TAG_STRING, 1);
        func_stack.push_back(&PSocketStream::StringToBuffer);
        func_stack.push_back(&PSocketStream::StringLengthToBuffer);
        expected_size = 2;
        return 0;
    }
    case PObject::TYPE_BINARY:
        current_buffer->writeInt(TAG_BINARY, 1);
        func_stack.push_back(&PSocketStream::BinaryToBuffer);
        func_stack.push_back(&PSocketStream::BinaryLengthToBuffer);
        expected_size = 8;
        return 0;
    default:
        PSS_ERROR(L"unknown pobject type %d", object_type);
        return -1;
    }
    expected_size = 1;
    return 0;
}

int PSocketStream::IntegerLengthToBuffer()
{
    size_t n = integerLength(object_stack.back()->asInteger());
    current_buffer->writeInt(n, 1);
    expected_size = n;
    func_stack.pop_back();
    return 0;
}

int PSocketStream::IntegerToBuffer()
{
    uint64_t value = object_stack.back()->asInteger();
    current_buffer->writeInt(value, integerLength(value));
    EndObject();
    return 0;
}

int PSocketStream::StringLengthToBuffer()
{
    size_t length = object_stack.back()->asStringRef().size();
    current_buffer->writeInt(length & 0xFFFF, 2);
    expected_size = length & 0xFFFF;
    if (AdjustBufferCapacity() < 0)
        return -1;
    func_stack.pop_back();
    return 0;
}

int PSocketStream::StringToBuffer()
{
    PObject* source = object_stack.back();
    const PObject::string_type& text = source->asStringRef();
    current_buffer->copyFrom(text.data(), text.size());
    bool is_key = !key_objects.empty() && source == &key_objects.back();
    EndObject();
    if (is_key)
        key_objects.pop_back();
    return 0;
}

int PSocketStream::ArrayToBuffer()
{
    func_stack.pop_back();
    func_stack.push_back(&PSocketStream::TagEndToBuffer);
    PObject::array_type& elements = object_stack.back()->asArray();
    for (size_t i = elements.size(); i-- > 0;) {
        object_stack.push_back(&elements[i]);
        func_stack.push_back(&PSocketStream::ObjectToBuffer);
    }
    expected_size = 1;
    return 0;
}

int PSocketStream::MapToBuffer()
{
    func_stack.pop_back();
    func_stack.push_back(&PSocketStream::TagEndToBuffer);
    PObject::map_type& members = object_stack.back()->asMap();
    // Pushed last key first, so the members go out in key order, each key
    // before its value. The key strings live in key_objects (a list: their
    // addresses stay fixed while they sit on the stack).
    for (PObject::map_type::reverse_iterator it = members.rbegin(); it != members.rend(); ++it) {
        object_stack.push_back(&it->second);
        func_stack.push_back(&PSocketStream::ObjectToBuffer);
        key_objects.push_back(PObject(it->first));
        object_stack.push_back(&key_objects.back());
        func_stack.push_back(&PSocketStream::ObjectToBuffer);
    }
    expected_size = 1;
    return 0;
}

int PSocketStream::TagEndToBuffer()
{
    current_buffer->writeInt(TAG_END, 1);
    EndObject();
    return 0;
}

int PSocketStream::BinaryLengthToBuffer()
{
    const PObject::binary_type& binary = object_stack.back()->asBinary();
    if (binary.path.empty()) {
        PSS_ERROR(L"Sending binary type without path.");
        return -1;
    }
    // The entry itself, as a stat without its resolved path (a link sends
    // nothing).
    struct stat st;
    if (::lstat(binary.path.c_str_utf8(), &st) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            PSS_ERROR(L"Sending binary type without existence.");
        else
            PSS_ERROR(L"FSStat failed error code = %d", error);
        return -1;
    }
    const uint64_t size = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
    if (size < binary.offset) {
        // No valid payload length: the file does not reach the offset.
        PSS_ERROR(L"Sending binary type with offset %llu beyond the file's %llu bytes: %s",
                  static_cast<unsigned long long>(binary.offset),
                  static_cast<unsigned long long>(size), binary.path.c_str_utf8());
        return -1;
    }
    // The payload always runs from the offset to the present end of the file.
    FileMappingBuffer* window = MakeWindow(binary.path, size, MAP_FOR_READ);
    func_stack.pop_back();
    if (!S_ISREG(st.st_mode)) {
        // Nothing of it is sent: there is no version to keep to.
        current_buffer->writeInt(0, 8);
        if (window->initialize(binary.offset) < 0) {
            PSS_ERROR(L"binary buffer initialize failed.");
            return -1;
        }
        expected_size = protocol_buffer->capacity;
        return 0;
    }
    const cross::file_type fd = cross::open(binary.path, "rb");
    struct stat opened;
    if (fd == cross::INVALID_FILE_VALUE || fstat(fd, &opened) != 0) {
        if (fd != cross::INVALID_FILE_VALUE)
            cross::close(fd);
        PSS_ERROR(L"binary buffer initialize failed.");
        return -1;
    }
    window->adoptFile(fd);
    // What is sent must be one version of the file: the one the receiver was
    // promised, unchanged from the first byte read to the last.
    m_sent_file_size = static_cast<uint64_t>(opened.st_size);
    m_sent_file_mtime_ns = mtimeNs(opened);
    const uint64_t mtime_us = opened.st_mtim.tv_sec < 0 ? 0 : static_cast<uint64_t>(m_sent_file_mtime_ns / 1000);
    // The offered time may have been taken to the millisecond only.
    if (m_sent_file_size != size ||
        (m_expect_file &&
         (size != m_expect_size || (m_expect_mtime_us != 0 && mtime_us / 1000 != m_expect_mtime_us / 1000)))) {
        PSS_ERROR(L"the file changed since it was offered: %s (%llu bytes, mtime %llu; offered %llu bytes, mtime %llu)",
                  binary.path.c_str_utf8(), static_cast<unsigned long long>(m_sent_file_size),
                  static_cast<unsigned long long>(mtime_us), static_cast<unsigned long long>(m_expect_size),
                  static_cast<unsigned long long>(m_expect_mtime_us));
        return ERR_CHANGED;
    }
    current_buffer->writeInt(size - binary.offset, 8);
    if (window->initialize(binary.offset) < 0) {
        if (SendFileChanged()) {
            PSS_ERROR(L"the file changed while it was being sent: %s", binary.path.c_str_utf8());
            return ERR_CHANGED;
        }
        PSS_ERROR(L"binary buffer initialize failed.");
        return -1;
    }
    if ((window->capacity == 0 || window->isFinalBlock()) && SendFileChanged()) {
        PSS_ERROR(L"the file changed while it was being sent: %s", binary.path.c_str_utf8());
        return ERR_CHANGED;
    }
    // BinaryToBuffer runs once everything before the payload has been sent.
    expected_size = protocol_buffer->capacity;
    return 0;
}

int PSocketStream::BinaryToBuffer()
{
    FileMappingBuffer* window = binary_buffer;
    if (current_buffer == protocol_buffer) {
        current_buffer = window;
        expected_size = window->capacity;
        return 0;
    }
    // The whole window has been sent. A window of capacity 0 (offset at the
    // end of the file) has nothing to send and ends the payload at once.
    if (window->capacity != 0 && !window->isFinalBlock()) {
        const int shifted = window->shiftBlock();
        // Once the last block is read, every byte of the payload has come
        // from the file: it must still be the version it was opened as.
        if ((shifted < 0 || window->isFinalBlock()) && SendFileChanged()) {
            PSS_ERROR(L"the file changed while it was being sent: %s", window->path.c_str_utf8());
            ClearState();
            return ERR_CHANGED;
        }
        if (shifted < 0)
            return translateBufferError();
        expected_size = window->capacity;
        return 0;
    }
    if (window->finalize() < 0) {
        PSS_ERROR(L"file finalize failed error code = %d", cross::getSystemError());
        return -1;
    }
    current_buffer = protocol_buffer;
    EndObject();
    return 0;
}

std::string PSocketStream::HandleFunctionToString(HandleFunction func)
{
    struct Name {
        HandleFunction func;
        const char* name;
    };
    static const Name names[] = {
        {&PSocketStream::BufferToIntegerLength, "BufferToIntegerLength"},
        {&PSocketStream::BufferToStringLength, "BufferToStringLength"},
        {&PSocketStream::BufferToBinaryLength, "BufferToBinaryLength"},
        {&PSocketStream::BufferToInteger, "BufferToInteger"},
        {&PSocketStream::BufferToString, "BufferToString"},
        {&PSocketStream::BufferToArray, "BufferToArray"},
        {&PSocketStream::BufferToMap, "BufferToMap"},
        {&PSocketStream::BufferToKey, "BufferToKey"},
        {&PSocketStream::BufferToBinary, "BufferToBinary"},
        {&PSocketStream::BufferDrop, "BufferDrop"},
    };
    for (const Name& n : names)
        if (n.func == func)
            return n.name;
    return "Others";
}

std::string PSocketStream::FuncStackToString()
{
    std::string text;
    for (size_t i = 0; i < func_stack.size(); ++i) {
        if (i > 0)
            text += ",";
        text += HandleFunctionToString(func_stack[i]);
    }
    return text;
}

std::string PSocketStream::ObjectStackToString()
{
    std::string text;
    for (size_t i = 0; i < object_stack.size(); ++i) {
        if (i > 0)
            text += ",";
        text += object_stack[i]->toPrettyString();
    }
    return text;
}
