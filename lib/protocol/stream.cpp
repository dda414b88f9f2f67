// The blocking PObject codec: values other than file regions, the key
// history and the progress counters.
#include "protocol/stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "log.h"
#include "stream_tags.h"

namespace {

const char* const kComponent = "stream";

using namespace stream_tags;

const size_t kMaxStringBytes = 0xFFFF;
// Small strings go out with their header in one channel write.
const size_t kInlineStringBytes = 256;
// A received buffer is read this much at a time, and its block grows with
// the bytes that actually arrive rather than to the count the peer announced.
const uint32_t kBufferReadChunk = 1024 * 1024;

size_t IntegerWidth(uint64_t value) {
    if (value < 0x100ULL)
        return 1;
    if (value < 0x10000ULL)
        return 2;
    if (value < 0x100000000ULL)
        return 4;
    return 8;
}

void PutBigEndian(char* out, uint64_t value, size_t width) {
    for (size_t i = 0; i < width; ++i)
        out[i] = static_cast<char>(value >> (8 * (width - 1 - i)));
}

uint64_t GetBigEndian(const unsigned char* in, size_t width) {
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value = (value << 8) | in[i];
    return value;
}

// The key as it goes on the wire: one leading "_" dropped.
bool WireKey(const std::string& key, const char*& bytes, size_t& n) {
    bytes = key.data();
    n = key.size();
    if (n != 0 && key[0] == '_') {
        ++bytes;
        --n;
        return true;
    }
    return false;
}

}  // namespace

void PStream::BinaryHandler::Clear() {
    hash_algorithm.clear();
    hash_result.clear();
}

PStreamArraySink::~PStreamArraySink() = default;

PStream::PStream()
    : total_size(0), total_sent(0), indent(0), op_mode(MODE_NORMAL) {
    pthread_mutex_init(&status_lock, nullptr);
}

PStream::~PStream() {
    pthread_mutex_destroy(&status_lock);
}

void PStream::GetVersion(unsigned& major, unsigned& minor, unsigned& patch) {
    major = 1;
    minor = 0;
    patch = 0;
}

void PStream::SetDefaultRecvLocation(const path_type& path) {
    recv_path = path;
}

PStream::path_type PStream::GetDefaultRecvLocation() const {
    return recv_path;
}

void PStream::SetReceiveBudget(uint64_t max_bytes, size_t max_values) {
    m_max_bytes = max_bytes;
    m_max_values = std::min(max_values, kMaxValuesPerMessage);
}

void PStream::SetArraySink(const string_type& key, PStreamArraySink* sink) {
    m_sink_key = key;
    m_sink = sink;
}

void PStream::SetDefaultHashAlgorithm(const string_type& name) {
    default_hash_algorithm = name;
}

PStream::string_type PStream::GetDefaultHashAlgorithm() const {
    return default_hash_algorithm;
}

// ---- status: history and progress, shared with GetStatus ----

void PStream::lock() {
    pthread_mutex_lock(&status_lock);
}

void PStream::unlock() {
    pthread_mutex_unlock(&status_lock);
}

void PStream::GetStatus(string_type& text, uint64_t& sent, uint64_t& size) {
    lock();
    text = GetHistory();
    sent = total_sent;
    size = total_size;
    unlock();
}

PStream::string_type PStream::GetHistory() {
    string_type text;
    for (size_t i = 0; i < history.size(); ++i) {
        if (i != 0)
            text += '.';
        text += history[i];
    }
    return text;
}

void PStream::PushHistory(const string_type& key) {
    lock();
    history.push_back(key);
    unlock();
}

void PStream::PopHistory() {
    lock();
    if (!history.empty())
        history.pop_back();
    unlock();
}

void PStream::ClearHistory() {
    lock();
    history.clear();
    total_size = 0;
    total_sent = 0;
    unlock();
    m_counters_set = false;
    indent = 0;
}

void PStream::DumpHistory() {
    lock();
    if (Logger::IsNeedToLog(Logger::L_ERR, kComponent)) {
        const string_type text = GetHistory();
        Logger::tLogLine(Logger::L_ERR, kComponent, __LINE__,
                         L"[ERROR] stream(%d): Error stack: %s\n", text.c_str());
    }
    unlock();
}

// Every primitive starts from zeroed counters. Only this thread makes them
// non-zero (UpdateStatus from the progress reporter), so the lock is taken
// only when there is something to reset.
void PStream::ResetCounters() {
    if (!m_counters_set)
        return;
    lock();
    total_size = 0;
    total_sent = 0;
    unlock();
    m_counters_set = false;
}

void PStream::UpdateStatus(uint64_t sent, uint64_t size) {
    lock();
    total_sent = sent;
    total_size = size;
    unlock();
    m_counters_set = true;
}

// ---- trace lines ----

const char* PStream::Indentation() const {
    static const char kBlanks[] = "                      ";  // 22 blanks
    const size_t depth = std::min<size_t>(indent, 11);
    return kBlanks + (22 - 2 * depth);
}

// Credentials never reach the log, whatever its level: the value of a
// member named like one is traced as a mask.
bool PStream::IsSecretKey(const string_type& key) {
    return key == "password" || key == "otp";
}

PStream::SecretTrace::SecretTrace(PStream& stream, const string_type& key)
    : m_stream(stream), m_saved(stream.m_trace) {
    if (m_saved && IsSecretKey(key)) {
        m_stream.TraceText("\"***\"");
        m_stream.m_trace = false;
    }
}

PStream::SecretTrace::~SecretTrace() { m_stream.m_trace = m_saved; }

void PStream::TraceText(const char* text) {
    if (m_trace)
        Logger::tLogMsg(Logger::L_DEBUG, kComponent, L"%s%s\n", Indentation(), text);
}

void PStream::TraceString(const string_type& value) {
    if (m_trace)
        Logger::tLogMsg(Logger::L_DEBUG, kComponent, L"%s\"%s\"\n", Indentation(), value.c_str());
}

void PStream::TraceInteger(uint64_t value) {
    if (m_trace)
        Logger::tLogMsg(Logger::L_DEBUG, kComponent, L"%s%llu\n", Indentation(),
                        static_cast<unsigned long long>(value));
}

// ---- raw integers and bytes ----

template <typename T> int PStream::SendInt(Channel& channel, T value) {
    char bytes[sizeof(T)];
    PutBigEndian(bytes, value, sizeof(T));
    return channel.Write(bytes, sizeof(T));
}

template <typename T> int PStream::RecvInt(Channel& channel, T& value) {
    unsigned char bytes[sizeof(T)];
    int rc = channel.Read(reinterpret_cast<char*>(bytes), sizeof(T));
    if (rc == 0)
        value = static_cast<T>(GetBigEndian(bytes, sizeof(T)));
    return rc;
}

int PStream::Send8(Channel& channel, uint8_t value) { return SendInt(channel, value); }
int PStream::Send16(Channel& channel, uint16_t value) { return SendInt(channel, value); }
int PStream::Send32(Channel& channel, uint32_t value) { return SendInt(channel, value); }
int PStream::Send64(Channel& channel, uint64_t value) { return SendInt(channel, value); }
int PStream::Recv8(Channel& channel, uint8_t& value) { return RecvInt(channel, value); }
int PStream::Recv16(Channel& channel, uint16_t& value) { return RecvInt(channel, value); }
int PStream::Recv32(Channel& channel, uint32_t& value) { return RecvInt(channel, value); }
int PStream::Recv64(Channel& channel, uint64_t& value) { return RecvInt(channel, value); }

int PStream::WriteBytes(Channel& channel, const char* bytes, size_t n) {
    if (n == 0)
        return ERR_OK;
    int rc = channel.Write(bytes, n);
    if (rc != 0) {
        QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): Channel: %d\n", rc);
        return ERR_IO;
    }
    return ERR_OK;
}

int PStream::ReadBytes(Channel& channel, char* bytes, size_t n) {
    if (n == 0)
        return ERR_OK;
    int rc = channel.Read(bytes, n);
    if (rc != 0) {
        QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): Channel: %d\n", rc);
        return ERR_IO;
    }
    return ERR_OK;
}

// ---- sending ----

int PStream::Send(Channel& channel, const PObject& object) {
    m_trace = Logger::IsNeedToLog(Logger::L_DEBUG, kComponent);
    int rc = CheckSendable(object, 0);
    if (rc == ERR_OK)
        rc = SendObject(channel, object);
    if (rc != ERR_OK) {
        DumpHistory();
        ClearHistory();
        return rc;
    }
    int flushed = channel.FlushWrite(0);
    if (flushed != 0) {
        QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): Channel: %d\n", flushed);
        rc = ERR_IO;
    }
    ClearHistory();
    return rc;
}

// A string longer than its u16 count can say, or nesting deeper than a reader
// accepts, would corrupt or break the message half-way: refuse it whole.
int PStream::CheckSendable(const PObject& object, size_t depth) const {
    switch (object.getType()) {
    case PObject::TYPE_STRING: {
        const size_t n = object.asStringRef().size();
        if (n > kMaxStringBytes) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] stream(%d): PStream: a string of %llu bytes cannot be sent\n",
                   static_cast<unsigned long long>(n));
            return ERR_INPUT;
        }
        return ERR_OK;
    }
    case PObject::TYPE_ARRAY:
    case PObject::TYPE_MAP:
    case PObject::TYPE_BINARY_EX:  // its own strings never travel, only its region
        if (depth + 1 > kMaxDepth) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] stream(%d): PStream: nesting deeper than %u cannot be sent\n",
                   static_cast<unsigned>(kMaxDepth));
            return ERR_INPUT;
        }
        break;
    default:
        return ERR_OK;
    }
    if (object.isArray()) {
        for (const PObject& element : object.asArray()) {
            int rc = CheckSendable(element, depth + 1);
            if (rc != ERR_OK)
                return rc;
        }
    } else if (object.isMap()) {
        for (const map_type::value_type& member : object.asMap()) {
            const char* key;
            size_t n;
            WireKey(member.first, key, n);
            if (n > kMaxStringBytes) {
                QM_LOG(Logger::L_ERR, kComponent,
                       L"[ERROR] stream(%d): PStream: a key of %llu bytes cannot be sent\n",
                       static_cast<unsigned long long>(n));
                return ERR_INPUT;
            }
            int rc = CheckSendable(member.second, depth + 1);
            if (rc != ERR_OK)
                return rc;
        }
    }
    return ERR_OK;
}

int PStream::SendObject(Channel& channel, const PObject& object) {
    switch (object.getType()) {
    case PObject::TYPE_NULL: return SendNull(channel);
    case PObject::TYPE_INTEGER: return Send(channel, object.asInteger());
    case PObject::TYPE_STRING: return Send(channel, object.asStringRef());
    case PObject::TYPE_MAP: return Send(channel, object.asMap());
    case PObject::TYPE_ARRAY: return Send(channel, object.asArray());
    case PObject::TYPE_BINARY: return Send(channel, object.asBinary());
    case PObject::TYPE_BINARY_EX: return Send(channel, object.asBinaryEx());
    case PObject::TYPE_BUFFER: return Send(channel, object.asBuffer());
    default: return ERR_SYS;
    }
}

int PStream::SendNull(Channel& channel) {
    ResetCounters();
    static const char kNull[2] = {TAG_NULL, 0};
    int rc = WriteBytes(channel, kNull, sizeof kNull);
    if (rc == ERR_OK)
        TraceText("null");
    return rc;
}

int PStream::Send(Channel& channel, integer_type value) {
    ResetCounters();
    char bytes[2 + 8];
    const size_t width = IntegerWidth(value);
    bytes[0] = static_cast<char>(TAG_INTEGER);
    bytes[1] = static_cast<char>(width);
    PutBigEndian(bytes + 2, value, width);
    int rc = WriteBytes(channel, bytes, 2 + width);
    if (rc == ERR_OK)
        TraceInteger(value);
    return rc;
}

int PStream::Send(Channel& channel, const string_type& value) {
    ResetCounters();
    const size_t n = value.size();
    if (n > kMaxStringBytes)
        return ERR_INPUT;
    char bytes[3 + kInlineStringBytes];
    bytes[0] = static_cast<char>(TAG_STRING);
    PutBigEndian(bytes + 1, n, 2);
    int rc;
    if (n <= kInlineStringBytes) {
        std::memcpy(bytes + 3, value.data(), n);
        rc = WriteBytes(channel, bytes, 3 + n);
    } else {
        rc = WriteBytes(channel, bytes, 3);
        if (rc == ERR_OK)
            rc = WriteBytes(channel, value.data(), n);
    }
    if (rc == ERR_OK)
        TraceString(value);
    return rc;
}

int PStream::Send(Channel& channel, const buffer_type& value) {
    ResetCounters();
    char header[5];
    header[0] = static_cast<char>(TAG_BUFFER);
    PutBigEndian(header + 1, value.data_length, 4);
    int rc = WriteBytes(channel, header, sizeof header);
    if (rc == ERR_OK)
        rc = WriteBytes(channel, value.data, value.data_length);
    if (rc == ERR_OK)
        TraceInteger(value.data_length);
    return rc;
}

int PStream::Send(Channel& channel, const map_type& value) {
    const char tag = static_cast<char>(TAG_MAP);
    int rc = WriteBytes(channel, &tag, 1);
    if (rc != ERR_OK)
        return rc;
    TraceText("{");
    ++indent;
    for (const map_type::value_type& member : value) {
        const char* key;
        size_t n;
        if (WireKey(member.first, key, n))
            rc = SendKeyAndValue(channel, string_type(key, n), member.second);
        else
            rc = SendKeyAndValue(channel, member.first, member.second);
        if (rc != ERR_OK)
            return rc;
    }
    const char end = static_cast<char>(TAG_END);
    rc = WriteBytes(channel, &end, 1);
    if (rc != ERR_OK)
        return rc;
    --indent;
    TraceText("}");
    return ERR_OK;
}

int PStream::Send(Channel& channel, const array_type& value) {
    const char tag = static_cast<char>(TAG_ARRAY);
    int rc = WriteBytes(channel, &tag, 1);
    if (rc != ERR_OK)
        return rc;
    TraceText("[");
    ++indent;
    for (const PObject& element : value) {
        rc = SendObject(channel, element);
        if (rc != ERR_OK)
            return rc;
    }
    const char end = static_cast<char>(TAG_END);
    rc = WriteBytes(channel, &end, 1);
    if (rc != ERR_OK)
        return rc;
    --indent;
    TraceText("]");
    return ERR_OK;
}

int PStream::SendKeyAndValue(Channel& channel, const string_type& key, const PObject& value) {
    int rc = Send(channel, key);
    if (rc != ERR_OK)
        return rc;
    PushHistory(key);
    const SecretTrace secret(*this, key);
    rc = SendObject(channel, value);
    if (rc != ERR_OK)
        return rc;  // the key stays for the error report
    PopHistory();
    return ERR_OK;
}

// ---- receiving ----

int PStream::Recv(Channel& channel, PObject& object) {
    op_mode = MODE_NORMAL;
    return RecvMessage(channel, object);
}

int PStream::Discard(Channel& channel, PObject& object) {
    op_mode = MODE_DISCARD;
    return RecvMessage(channel, object);
}

int PStream::RecvMessage(Channel& channel, PObject& object) {
    m_trace = Logger::IsNeedToLog(Logger::L_DEBUG, kComponent);
    m_values_received = 0;
    m_bytes_received = 0;
    m_refusal = REFUSED_NONE;
    indent = 0;
    if (m_sink)
        m_sink->Begin();
    int rc = RecvObject(channel, object);
    if (rc > 0)
        rc = ERR_OK;
    if (rc != ERR_OK)
        DumpHistory();
    ClearHistory();
    return rc;
}

int PStream::RecvTag(Channel& channel, uint8_t& tag) {
    int rc = ChargeBytes(1);
    if (rc != ERR_OK)
        return rc;
    rc = Recv8(channel, tag);
    if (rc != 0) {
        QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): Channel: %d\n", rc);
        return ERR_IO;
    }
    return ERR_OK;
}

int PStream::RecvObject(Channel& channel, PObject& object) {
    uint8_t tag = 0;
    int rc = RecvTag(channel, tag);
    if (rc != ERR_OK)
        return rc;
    return RecvDispatch(channel, tag, object);
}

int PStream::Refuse(Refusal why) {
    m_refusal = why;
    return ERR_STREAM;
}

int PStream::CountValue() {
    if (++m_values_received > m_max_values) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] stream(%d): PStream: more than %llu values in one message\n",
               static_cast<unsigned long long>(m_max_values));
        return Refuse(REFUSED_VALUES);
    }
    return ERR_OK;
}

// Checked before the bytes are read, so an announced length beyond the
// budget is refused before anything is allocated for it.
int PStream::ChargeBytes(uint64_t n) {
    if (n > m_max_bytes - m_bytes_received) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] stream(%d): PStream: message larger than %llu bytes\n",
               static_cast<unsigned long long>(m_max_bytes));
        return Refuse(REFUSED_BYTES);
    }
    m_bytes_received += n;
    return ERR_OK;
}

int PStream::EnterContainer() {
    if (indent >= kMaxDepth) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] stream(%d): PStream: nesting deeper than %u\n",
               static_cast<unsigned>(kMaxDepth));
        return Refuse(REFUSED_DEPTH);
    }
    ++indent;
    return ERR_OK;
}

int PStream::RecvDispatch(Channel& channel, uint8_t tag, PObject& object) {
    switch (tag) {
    case TAG_STRING:
    case TAG_INTEGER:
    case TAG_MAP:
    case TAG_ARRAY:
    case TAG_BINARY:
    case TAG_BINARY_EX:
    case TAG_BUFFER:
    case TAG_NULL: {
        int rc = CountValue();
        if (rc != ERR_OK)
            return rc;
        break;
    }
    default:
        return ERR_STREAM;
    }
    if ((tag == TAG_BINARY || tag == TAG_BINARY_EX) && !m_file_values_allowed) {
        // Refused at the tag: not even the length is read, so no file is
        // opened and no payload is waited for.
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] stream(%d): PStream: file value (tag %u) in a message that carries none\n",
               static_cast<unsigned>(tag));
        return Refuse(REFUSED_FILE_VALUE);
    }

    switch (tag) {
    case TAG_STRING: {
        string_type text;
        int rc = Recv(channel, text);
        if (rc == ERR_OK)
            object = std::move(text);
        return rc;
    }
    case TAG_INTEGER: {
        integer_type value = 0;
        int rc = Recv(channel, value);
        if (rc == ERR_OK)
            object = value;
        return rc;
    }
    case TAG_MAP: return Recv(channel, object.asMap());
    case TAG_ARRAY: return Recv(channel, object.asArray());
    case TAG_BINARY: return Recv(channel, object.asBinary());
    case TAG_BINARY_EX: return Recv(channel, object.asBinaryEx());
    case TAG_BUFFER: return Recv(channel, object.asBuffer());
    default: {
        int rc = RecvNullBody(channel);
        if (rc == ERR_OK) {
            object.clear();
            TraceText("null");
        }
        return rc;
    }
    }
}

int PStream::RecvNullBody(Channel& channel) {
    ResetCounters();
    uint8_t length = 0;
    int rc = ChargeBytes(1);
    if (rc != ERR_OK)
        return rc;
    rc = Recv8(channel, length);
    if (rc != 0) {
        QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): Channel: %d\n", rc);
        return ERR_IO;
    }
    if (length != 0) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] stream(%d): expect length 0, but we've got %u\n",
               static_cast<unsigned>(length));
        return ERR_STREAM;
    }
    return ERR_OK;
}

int PStream::Recv(Channel& channel, string_type& value) {
    ResetCounters();
    uint16_t count = 0;
    int rc = ChargeBytes(2);
    if (rc != ERR_OK)
        return rc;
    rc = Recv16(channel, count);
    if (rc != 0) {
        QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): Channel: %d\n", rc);
        return ERR_IO;
    }
    rc = ChargeBytes(count);
    if (rc != ERR_OK)
        return rc;
    value.resize(count);
    if (count != 0) {
        rc = ReadBytes(channel, &value[0], count);
        if (rc != ERR_OK)
            return rc;
        // The text ends at an embedded zero byte; the rest was consumed.
        const void* zero = m_keep_zero_bytes ? nullptr : std::memchr(value.data(), 0, count);
        if (zero != nullptr)
            value.resize(static_cast<size_t>(static_cast<const char*>(zero) - value.data()));
    }
    TraceString(value);
    return ERR_OK;
}

int PStream::Recv(Channel& channel, integer_type& value) {
    ResetCounters();
    uint8_t width = 0;
    int rc = ChargeBytes(1);
    if (rc != ERR_OK)
        return rc;
    rc = Recv8(channel, width);
    if (rc != 0) {
        QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): Channel: %d\n", rc);
        return ERR_IO;
    }
    if (width > 8) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] stream(%d): PStream: integer length %u is above 8\n",
               static_cast<unsigned>(width));
        return ERR_STREAM;
    }
    rc = ChargeBytes(width);
    if (rc != ERR_OK)
        return rc;
    unsigned char bytes[8];
    rc = ReadBytes(channel, reinterpret_cast<char*>(bytes), width);
    if (rc != ERR_OK)
        return rc;
    value = GetBigEndian(bytes, width);
    TraceInteger(value);
    return ERR_OK;
}

int PStream::Recv(Channel& channel, buffer_type& value) {
    ResetCounters();
    uint32_t count = 0;
    int rc = ChargeBytes(4);
    if (rc != ERR_OK)
        return rc;
    rc = Recv32(channel, count);
    if (rc != 0) {
        QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): Channel: %d\n", rc);
        return ERR_IO;
    }
    if (count > kMaxBufferBytes) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] stream(%d): PStream: buffer of %u bytes is above the limit of %u\n",
               static_cast<unsigned>(count), static_cast<unsigned>(kMaxBufferBytes));
        return ERR_STREAM;
    }
    rc = ChargeBytes(count);
    if (rc != ERR_OK)
        return rc;
    buffer_type received;
    uint32_t have = 0;
    while (have < count) {
        const uint32_t want = std::min(count - have, kBufferReadChunk);
        if (received.data_cap < have + want) {
            // Doubling keeps the copies of a growing block linear; the block
            // never passes the count announced, nor twice the bytes arrived.
            const uint64_t grown = std::max<uint64_t>(have + want, uint64_t(received.data_cap) * 2);
            if (received.realloc_data(static_cast<uint32_t>(std::min<uint64_t>(grown, count))) != 0)
                return ERR_SYS;
        }
        rc = ReadBytes(channel, received.data + have, want);
        if (rc != ERR_OK)
            return rc;
        have += want;
        received.data_length = have;
    }
    value = std::move(received);
    TraceInteger(count);
    return ERR_OK;
}

int PStream::Recv(Channel& channel, map_type& value) {
    TraceText("{");
    int rc = EnterContainer();
    if (rc != ERR_OK)
        return rc;
    for (;;) {
        uint8_t tag = 0;
        rc = RecvTag(channel, tag);
        if (rc != ERR_OK)
            return rc;
        if (tag == TAG_END)
            break;
        if (tag != TAG_STRING) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] stream(%d): PStream: expect string, but get tag %u\n",
                   static_cast<unsigned>(tag));
            return ERR_STREAM;
        }
        string_type key;
        rc = Recv(channel, key);
        if (rc != ERR_OK)
            return rc;
        PushHistory(key);
        // Members usually arrive in key order, so the end is the right hint;
        // a repeated key finds the member the first one created.
        const SecretTrace secret(*this, key);
        const bool sunk = m_sink && indent == 1 && key == m_sink_key;
        PObject& member = value.try_emplace(value.end(), std::move(key))->second;
        rc = sunk ? RecvSunkMember(channel, member) : RecvObject(channel, member);
        if (rc != ERR_OK)
            return rc;  // the key stays for the error report
        PopHistory();
    }
    --indent;
    TraceText("}");
    return ERR_OK;
}

template <typename Next, typename Take>
int PStream::RecvElements(Channel& channel, Next next, Take take) {
    TraceText("[");
    int rc = EnterContainer();
    if (rc != ERR_OK)
        return rc;
    for (;;) {
        uint8_t tag = 0;
        rc = RecvTag(channel, tag);
        if (rc != ERR_OK)
            return rc;
        if (tag == TAG_END)
            break;
        PObject& element = next();
        rc = RecvDispatch(channel, tag, element);
        if (rc != ERR_OK)
            return rc;
        take(element);
    }
    --indent;
    TraceText("]");
    return ERR_OK;
}

int PStream::RecvSunkMember(Channel& channel, PObject& member) {
    uint8_t tag = 0;
    int rc = RecvTag(channel, tag);
    if (rc != ERR_OK)
        return rc;
    if (tag != TAG_ARRAY)
        return RecvDispatch(channel, tag, member);
    rc = CountValue();
    if (rc != ERR_OK)
        return rc;
    member.asArray();
    // One element at a time: its blocks are freed and taken again for the
    // next, rather than the whole array's staying allocated.
    PObject element;
    return RecvElements(
        channel,
        [&element]() -> PObject& {
            element.clear();
            return element;
        },
        [this](PObject& taken) { m_sink->Take(taken); });
}

int PStream::Recv(Channel& channel, array_type& value) {
    return RecvElements(
        channel,
        [&value]() -> PObject& {
            value.emplace_back();
            return value.back();
        },
        [](PObject&) {});
}
