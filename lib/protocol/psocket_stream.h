#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "file-op-ex.h"
#include "protocol/pobject.h"

typedef struct ssl_st SSL;
class LZ4Compressor;
class LZ4Decompressor;
class SocketBuffer;
class MemoryBuffer;
class FileMappingBuffer;
struct CBuffer;

// The non-blocking, resumable PObject codec of data connections. Each call
// moves at most a byte budget and returns ERR_WOULD_BLOCK as soon as the
// socket can move no more; the half-finished value stays in the two stacks
// and resumes on the next call. File payloads (binary values) go between the
// socket and the file through a 64 KiB file window, never through the
// protocol buffer. One thread drives a stream, in one direction.
//
// Wire differences from the blocking codec: null is the single byte 00, an
// integer takes the fewest bytes that hold it, map keys go out whole, and
// buffer and binary_ex values are not supported.
class PSocketStream {
public:
    enum ErrorCode {
        ERR_OK = 0,
        ERR_SYS = -1,
        ERR_IO = -2,
        ERR_WOULD_BLOCK = -3,
        ERR_DISKFULL = -4,
        ERR_INPUT = -5,
        ERR_FBIG = -6,
        ERR_DROP_LARGE = -7,
        // The file of a payload being sent is not the version that was
        // offered, or changed while it was read.
        ERR_CHANGED = -8,
    };

    typedef int (PSocketStream::*HandleFunction)();
    typedef PObject::path_type path_type;

    // A payload with nowhere to go is read and thrown away up to this length.
    static constexpr uint64_t kMaxDropSize = 104857600;
    // Limits on one received object (file payloads not counted), so a
    // hostile peer cannot make the decoder recurse or allocate without bound.
    static constexpr size_t kMaxNestingDepth = 128;
    static constexpr uint64_t kMaxObjectBytes = 16u * 1024 * 1024;
    static constexpr uint64_t kMaxObjectValues = 1000000;

    PSocketStream();
    ~PSocketStream();
    PSocketStream(const PSocketStream&) = delete;
    PSocketStream& operator=(const PSocketStream&) = delete;

    void SetSocket(cross::socket_t& socket);
    // Set between objects; every later file window takes them over. The TLS
    // connection is switched to partial writes with a movable write buffer,
    // which the ring's retries after a blocked write rely on.
    void SetSsl(SSL* ssl);
    void SetCompressor(LZ4Compressor* compressor);
    void SetDecompressor(LZ4Decompressor* decompressor);

    // Starts sending a copy of o.
    void SetSend(const PObject& o);
    // Starts sending the elements of o["array"] one after another, each a
    // complete value, with no array tags around them.
    void SetBatchSend(const PObject& o);
    // The file payload of the object being sent goes out only while its file
    // is this version: size bytes, modified at mtime_us (microseconds since
    // the epoch, compared to the millisecond; 0 takes any time). Set after SetSend; the object fails with
    // ERR_CHANGED when the file is another version when it is opened, or
    // has changed by the time its last block has been read.
    void ExpectSendFile(uint64_t size, uint64_t mtime_us);
    // ERR_OK once the whole object (compressed bytes included) has left,
    // ERR_WOULD_BLOCK while it has not, or a failure.
    ErrorCode Send(size_t max_send);

    // The template into which the next received value is merged; a binary in
    // it with a path receives its payload into that file at its offset.
    void SetRecv(const PObject& o);
    // Receives at most max_recv bytes; does not parse.
    ErrorCode Recv(size_t max_recv);
    // Parses what was received; ERR_OK hands over a complete object.
    ErrorCode GetNextAvailibleReceivedObject(PObject& object);

    // A step is pending, or the current buffer (or the compressor's staging)
    // holds bytes.
    bool IsTransferring();
    bool HasMoreObjectToRead();
    PObject& GetCurrentObject();
    // File bytes sent or received so far, from the start of the file; 0
    // without a window or once it has been finished.
    uint64_t GetTransferredBytes();
    // Folder and name prefix for a payload without a file, next object only.
    void SetRecvLocation(const path_type& path);
    // The file of the last payload received whole, still open with all its
    // bytes written, handed to the caller (who closes it) so that it can be
    // synced and timed without being looked up by name again; INVALID_FILE_VALUE
    // when there is none. Unclaimed, it is closed when the next payload
    // starts or the stream is cleared.
    cross::file_type TakeReceivedFile();
    size_t GetLastTransferredBytes() const;
    // The errno of the payload file's failure behind the last error of Send,
    // Recv or GetNextAvailibleReceivedObject; 0 when that error did not come
    // from the file (or there was none).
    int GetLastFileError() const { return m_file_error; }
    // Bytes every Recv so far has taken in, whatever objects they belong to.
    uint64_t GetTotalReceivedBytes() const { return total_received_bytes; }
    // Received bytes the decoder has not consumed yet.
    size_t GetBufferedBytes() const;
    // Drops the window and both stacks; received bytes, the receive location
    // and the has-more flag stay.
    void ClearState();

private:
    int translateBufferError();
    // Whether the open payload file differs from the version it was opened
    // as (size or modification time, on its descriptor).
    bool SendFileChanged();
    int HandleFromBuffer();
    int HandleToBuffer();
    void EndObject();
    int AdjustBufferCapacity();
    // Receiving: moves payload bytes that arrived in the protocol buffer into
    // the window, up to its room.
    void FillWindowFromProtocolBuffer();
    void DeleteWindow();
    void CloseReceivedFile();
    FileMappingBuffer* MakeWindow(const path_type& path, uint64_t file_size, int mapping_type);
    bool IsSendComplete();

    // Encoding steps.
    int HandleObjectType(int object_type);
    int ObjectToBuffer();
    int IntegerLengthToBuffer();
    int IntegerToBuffer();
    int StringLengthToBuffer();
    int StringToBuffer();
    int ArrayToBuffer();
    int MapToBuffer();
    int TagEndToBuffer();
    int BinaryLengthToBuffer();
    int BinaryToBuffer();

    // Decoding steps.
    int HandleTag(unsigned tag);
    int BufferToObject();
    int BufferToIntegerLength();
    int BufferToInteger();
    int BufferToStringLength();
    int BufferToString();
    int BufferToArray();
    int BufferToMap();
    int BufferToKey();
    int BufferToBinaryLength();
    int BufferToBinary();
    int BufferDrop();

    std::string HandleFunctionToString(HandleFunction func);
    std::string FuncStackToString();
    std::string ObjectStackToString();

    MemoryBuffer* protocol_buffer;
    FileMappingBuffer* binary_buffer;
    SocketBuffer* current_buffer;
    std::vector<PObject*> object_stack;
    std::vector<HandleFunction> func_stack;
    PObject current_object;
    std::list<PObject> key_objects;
    size_t expected_size;
    size_t last_transfer_bytes;
    int m_file_error = 0;
    uint64_t total_received_bytes = 0;
    cross::socket_t socket;
    path_type recv_location;
    bool has_more_object_to_read;
    cross::file_type m_received_file = cross::INVALID_FILE_VALUE;

    CBuffer* m_cbuffer;
    // Payload bytes still to be thrown away.
    uint64_t m_drop_left;
    // What the object being received has cost so far.
    uint64_t m_recv_bytes;
    uint64_t m_recv_values;
    // The version the next payload must be (ExpectSendFile), and the one the
    // payload being sent was opened as.
    bool m_expect_file = false;
    uint64_t m_expect_size = 0;
    uint64_t m_expect_mtime_us = 0;
    uint64_t m_sent_file_size = 0;
    int64_t m_sent_file_mtime_ns = 0;
};
