#pragma once

#include <pthread.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "channel/channel.h"
#include "protocol/pobject.h"

// Takes the elements of one array of a received message as each is decoded,
// so the message never holds them all as values (a large folder listing).
class PStreamArraySink {
public:
    virtual ~PStreamArraySink();
    // A message begins: what earlier messages gave does not belong to it.
    virtual void Begin() = 0;
    // One element, decoded whole; the stream reuses it after the call.
    virtual void Take(PObject& element) = 0;
};

// The blocking PObject codec: writes one value onto a Channel in the tagged
// wire format, or reads one from it, blocking until the whole value moved.
// One thread drives a stream at a time; GetStatus may be called from another
// thread during a long file payload (status_lock guards the key history and
// the progress counters). The stream does not own the channels it is given.
class PStream {
public:
    typedef PObject::integer_type integer_type;
    typedef PObject::string_type string_type;
    typedef PObject::path_type path_type;
    typedef PObject::array_type array_type;
    typedef PObject::map_type map_type;
    typedef PObject::binary_type binary_type;
    typedef PObject::binary_ex_type binary_ex_type;
    typedef PObject::buffer_type buffer_type;

    // This codec's own results; they differ from the channel's result codes.
    enum {
        ERR_OK = 0,
        ERR_SYS = -1,      // unknown kind to send, no memory, file value failures
        ERR_IO = -2,       // a channel read, write or flush failed
        ERR_TIMEOUT = -3,
        ERR_DISKFULL = -4, // storing a received file payload
        ERR_STREAM = -5,   // an invalid message, or one beyond the decoder's limits
        ERR_INPUT = -6,    // a value the wire format cannot carry; nothing was sent
        ERR_FBIG = -7,     // storing a received file payload
    };

    enum Mode {
        MODE_NORMAL = 0,   // received file payloads are stored
        MODE_DISCARD = 1,  // received file payloads are read and dropped
    };

    // Limits on what a peer may make the decoder hold: a message beyond them
    // is refused with ERR_STREAM. The writer refuses nesting deeper than the
    // readers accept. A reader may tighten the value count and add a byte
    // budget (SetReceiveBudget).
    static constexpr size_t kMaxDepth = 64;
    static constexpr uint32_t kMaxBufferBytes = 64u * 1024 * 1024;
    static constexpr size_t kMaxValuesPerMessage = size_t(1) << 24;

    // Which of the receiving limits refused the last message, if any.
    enum Refusal {
        REFUSED_NONE = 0,
        REFUSED_FILE_VALUE = 1,  // a file value where SetFileValuesAllowed(false)
        REFUSED_BYTES = 2,       // more bytes than the budget
        REFUSED_VALUES = 3,      // more values than the budget
        REFUSED_DEPTH = 4,       // nesting deeper than kMaxDepth
    };

    // Digest settings and result of the file payloads of binary_ex values.
    class BinaryHandler {
    public:
        void SetHashAlgorithm(const string_type& name) { hash_algorithm = name; }
        string_type GetHashAlgorithm() const { return hash_algorithm; }
        void SetHashResult(const string_type& digest) { hash_result = digest; }
        string_type GetHashResult() const { return hash_result; }
        void Clear();

    private:
        string_type hash_algorithm;  // digest over the next payload; empty = none
        string_type hash_result;     // digest of the last payload
    };

    // Feeds the stream's progress counters with the position in the whole
    // file (offset + bytes moved) while a payload moves.
    class FileTransferProgressReporter : public Channel::ProgressReporter {
    public:
        FileTransferProgressReporter(PStream* stream, const path_type& path, uint64_t length);
        FileTransferProgressReporter(PStream* stream, const path_type& path, uint64_t length,
                                     uint64_t offset);
        ~FileTransferProgressReporter() override;
        void Report(uint64_t n) override;
        void SetPath(const path_type& value) { path = value; }
        void SetLength(uint64_t value) { length = value; }
        void SetOffset(uint64_t value) { offset = value; }

    private:
        PStream* stream;
        path_type path;
        uint64_t length;  // file position where the region ends
        uint64_t offset;  // file position where it begins
    };

    PStream();
    ~PStream();
    PStream(const PStream&) = delete;
    PStream& operator=(const PStream&) = delete;

    // Writes the object and flushes the channel.
    int Send(Channel& channel, const PObject& object);
    // Reads one value into object (merged into a map or array it holds).
    int Recv(Channel& channel, PObject& object);
    // As Recv, but file payloads are consumed and dropped.
    int Discard(Channel& channel, PObject& object);

    // Receiving a file value (binary or binary_ex) when not allowed fails the
    // message with ERR_STREAM at its tag: nothing of it is read, no file is
    // created. Allowed by default; messages that carry no files (control
    // answers) turn it off.
    void SetFileValuesAllowed(bool allowed) { m_file_values_allowed = allowed; }
    // Caps each received message at max_bytes of encoded bytes (file payloads
    // not counted) and max_values values (at most kMaxValuesPerMessage); a
    // message beyond either fails with ERR_STREAM before the value that
    // crosses it is stored.
    void SetReceiveBudget(uint64_t max_bytes, size_t max_values);
    // Received strings (and map keys) end at their first zero byte, the rest
    // being consumed and dropped; with keep set they arrive whole, so that a
    // reader can refuse such a value rather than take a shortened one.
    void SetKeepZeroBytes(bool keep) { m_keep_zero_bytes = keep; }
    // While sink is set, an array under `key` in a received message's
    // top-level map goes element by element to the sink and stays empty in
    // the message; the limits count its values and bytes as before. A null
    // sink ends it; the sink must outlive the messages it takes.
    void SetArraySink(const string_type& key, PStreamArraySink* sink);
    // Why the last Recv or Discard was refused by a limit; REFUSED_NONE when
    // it succeeded or failed otherwise.
    Refusal GetRefusal() const { return m_refusal; }

    void SetDefaultRecvLocation(const path_type& path);
    path_type GetDefaultRecvLocation() const;
    void SetDefaultHashAlgorithm(const string_type& name);
    string_type GetDefaultHashAlgorithm() const;

    // Thread-safe: the key path ("a.b") and the progress of the payload in hand.
    void GetStatus(string_type& history, uint64_t& sent, uint64_t& size);

    static void GetVersion(unsigned& major, unsigned& minor, unsigned& patch);

private:
    int SendObject(Channel& channel, const PObject& object);
    int SendNull(Channel& channel);
    int Send(Channel& channel, const string_type& value);
    int Send(Channel& channel, integer_type value);
    int Send(Channel& channel, const map_type& value);
    int Send(Channel& channel, const array_type& value);
    int Send(Channel& channel, const buffer_type& value);
    int Send(Channel& channel, const binary_type& value);
    int Send(Channel& channel, const binary_ex_type& value);
    int SendKeyAndValue(Channel& channel, const string_type& key, const PObject& value);
    // Arms the digest of a binary_ex payload; returns the algorithm, "" for none.
    string_type StartRegionDigest(const binary_ex_type& value);
    // Refuses, before anything is written, what the format cannot carry.
    int CheckSendable(const PObject& object, size_t depth) const;

    int RecvTag(Channel& channel, uint8_t& tag);
    int RecvObject(Channel& channel, PObject& object);
    int RecvDispatch(Channel& channel, uint8_t tag, PObject& object);
    int RecvNullBody(Channel& channel);
    int Recv(Channel& channel, string_type& value);
    int Recv(Channel& channel, integer_type& value);
    int Recv(Channel& channel, map_type& value);
    int Recv(Channel& channel, array_type& value);
    int Recv(Channel& channel, buffer_type& value);
    int Recv(Channel& channel, binary_type& value);
    int Recv(Channel& channel, binary_ex_type& value);
    int RecvMessage(Channel& channel, PObject& object);
    // A top-level member under the sink's key: its elements to the sink when
    // it is an array, else decoded as any member.
    int RecvSunkMember(Channel& channel, PObject& member);
    // An array's elements up to its end tag, its opening tag already read:
    // each is decoded into the object next() gives, then handed to take().
    template <typename Next, typename Take>
    int RecvElements(Channel& channel, Next next, Take take);
    // Counts one more received value against the message's limits.
    int CountValue();
    // Counts n more encoded bytes against the message's byte budget, before
    // they are read.
    int ChargeBytes(uint64_t n);
    int EnterContainer();
    int Refuse(Refusal why);

    int Send8(Channel& channel, uint8_t value);
    int Send16(Channel& channel, uint16_t value);
    int Send32(Channel& channel, uint32_t value);
    int Send64(Channel& channel, uint64_t value);
    int Recv8(Channel& channel, uint8_t& value);
    int Recv16(Channel& channel, uint16_t& value);
    int Recv32(Channel& channel, uint32_t& value);
    int Recv64(Channel& channel, uint64_t& value);
    template <typename T> int SendInt(Channel& channel, T value);
    template <typename T> int RecvInt(Channel& channel, T& value);
    // Writes bytes; a failure is logged and becomes ERR_IO.
    int WriteBytes(Channel& channel, const char* bytes, size_t n);
    int ReadBytes(Channel& channel, char* bytes, size_t n);

    void ClearHistory();
    void DumpHistory();
    string_type GetHistory();  // caller holds status_lock
    void PushHistory(const string_type& key);
    void PopHistory();
    void ResetCounters();
    void UpdateStatus(uint64_t sent, uint64_t size);
    void lock();
    void unlock();

    // Trace lines (debug level of "stream"), decided once per message.
    const char* Indentation() const;
    void TraceText(const char* text);
    void TraceString(const string_type& value);
    void TraceInteger(uint64_t value);

    std::vector<string_type> history;
    uint64_t total_size;
    uint64_t total_sent;
    pthread_mutex_t status_lock;
    size_t indent;
    string_type default_hash_algorithm;
    Mode op_mode;
    path_type recv_path;
    BinaryHandler binary_handler;

    // Codec-thread state (never read by GetStatus).
    bool m_trace = false;             // debug trace wanted for this message

    // Masks the trace of one member's value while it lives.
    class SecretTrace {
    public:
        SecretTrace(PStream& stream, const string_type& key);
        ~SecretTrace();
        SecretTrace(const SecretTrace&) = delete;
        SecretTrace& operator=(const SecretTrace&) = delete;

    private:
        PStream& m_stream;
        bool m_saved;
    };
    static bool IsSecretKey(const string_type& key);
    bool m_counters_set = false;      // counters may be non-zero
    size_t m_values_received = 0;     // values in the message being read
    uint64_t m_bytes_received = 0;    // encoded bytes of the message being read
    bool m_file_values_allowed = true;
    bool m_keep_zero_bytes = false;
    uint64_t m_max_bytes = UINT64_MAX;
    size_t m_max_values = kMaxValuesPerMessage;
    Refusal m_refusal = REFUSED_NONE;
    string_type m_sink_key;
    PStreamArraySink* m_sink = nullptr;
};
