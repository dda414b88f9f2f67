// PStream's file values: binary (a file region) and binary_ex (a region
// with digests). Payloads move between the file and the channel block by
// block; they never pass through memory whole.
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <limits>

#include "log.h"
#include "protocol/stream.h"
#include "stream_temp_file.h"

namespace {

const char* const kComponent = "stream";
const char* const kNullDevice = "/dev/null";
const uint8_t TAG_STRING = 0x10;
const uint8_t TAG_BINARY = 0x30;
const uint8_t TAG_END = 0x40;
const uint8_t TAG_BINARY_EX = 0x43;
const uint64_t kProgressLogStep = 104857600;  // 100 MiB

// Opens path with a mode in the style of fopen: "a" write (create, keep),
// "rw" read-write (create, keep), "r..." read (must exist), "w" write
// (create, replace), anything else read-write (create, replace).
// Returns the descriptor or -1.
int xopen(const ustring& path, const char* mode) {
    int flags;
    if (mode[0] == 'a')
        flags = O_WRONLY | O_CREAT;
    else if (mode[0] == 'r' && mode[1] == 'w')
        flags = O_RDWR | O_CREAT;
    else if (mode[0] == 'r')
        flags = O_RDONLY;
    else if (mode[0] == 'w')
        flags = O_WRONLY | O_CREAT | O_TRUNC;
    else
        flags = O_RDWR | O_CREAT | O_TRUNC;
    int fd = ::open(path.c_str_utf8(), flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] stream(%d): CreateFile(\"%s\"): Error code %d\n", path.c_str_utf8(),
               error);
        errno = error;
        return -1;
    }
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return fd;
}

void RemoveFile(const ustring& path) {
    if (::unlink(path.c_str_utf8()) != 0) {
        const int error = errno;
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] stream(%d): FSRemove: failed on %s. error code %d\n", path.c_str_utf8(),
               error);
    }
}

// Cuts a partly received file at the bytes that arrived, so no stale or
// garbage bytes stay behind the received data. It works on the descriptor
// the payload was written through: the name may no longer lead to that file.
void TruncateFile(int fd, uint64_t end) {
    if (::ftruncate(fd, static_cast<off_t>(end)) != 0)
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] stream(%d): SetEndOfFile: Error code %d\n",
               errno);
}

bool IsNullDevice(const ustring& path) {
    return std::strcmp(path.c_str_utf8(), kNullDevice) == 0;
}

// Removes the files of every payload received into a value that is dropped.
void RemoveReceivedFiles(const PObject& value) {
    if (value.isBinary() || value.isBinaryEx()) {
        const ustring& path = value.isBinary() ? value.asBinary().path : value.asBinaryEx().path;
        if (!path.empty() && !IsNullDevice(path))
            RemoveFile(path);
    } else if (value.isArray()) {
        for (const PObject& element : value.asArray())
            RemoveReceivedFiles(element);
    } else if (value.isMap()) {
        for (const PObject::map_type::value_type& member : value.asMap())
            RemoveReceivedFiles(member.second);
    }
}

}  // namespace

// ---- progress ----

PStream::FileTransferProgressReporter::FileTransferProgressReporter(PStream* owner,
                                                                    const path_type& file,
                                                                    uint64_t end)
    : stream(owner), path(file), length(end), offset(0) {}

PStream::FileTransferProgressReporter::FileTransferProgressReporter(PStream* owner,
                                                                    const path_type& file,
                                                                    uint64_t end,
                                                                    uint64_t start)
    : stream(owner), path(file), length(end), offset(start) {}

PStream::FileTransferProgressReporter::~FileTransferProgressReporter() {}

void PStream::FileTransferProgressReporter::Report(uint64_t n) {
    bytes += n;
    // A watcher sees the position within the whole file, not the region.
    if (stream != nullptr)
        stream->UpdateStatus(bytes + offset, length);
    if (bytes != 0 && bytes % kProgressLogStep == 0)
        QM_LOG(Logger::L_INFO, kComponent, L"[INFO] stream(%d): sending %s ... (%llu / %llu)\n",
               path.c_str_utf8(), static_cast<unsigned long long>(bytes),
               static_cast<unsigned long long>(length));
}

// ---- binary ----

int PStream::Send(Channel& channel, const binary_type& value) {
    ResetCounters();
    FileTransferProgressReporter reporter(this, value.path, value.offset + value.length,
                                          value.offset);
    char header[9];
    header[0] = static_cast<char>(TAG_BINARY);
    for (int i = 0; i < 8; ++i)
        header[1 + i] = static_cast<char>(value.length >> (8 * (7 - i)));
    int rc = channel.Write(header, sizeof header);
    if (rc != 0) {
        QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): Channel: %d\n", rc);
        return ERR_IO;
    }
    int fd = xopen(value.path, "rb");
    if (fd < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] stream(%d): open(%s) error\n",
               value.path.c_str_utf8());
        return ERR_SYS;
    }
    const string_type algorithm = binary_handler.GetHashAlgorithm();
    int result = ERR_OK;
    if (!algorithm.empty() && !channel.EnableHash(true, algorithm)) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] stream(%d): failed to initial channel hashing '%s'\n",
               algorithm.c_str());
        ::close(fd);
        return ERR_SYS;
    }
    rc = channel.Sendfile(fd, value.offset, value.length, &reporter);
    if (rc != 0) {
        QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): Channel: %d\n", rc);
        result = ERR_IO;
    } else if (!algorithm.empty()) {
        binary_handler.SetHashResult(channel.GetHash());
    }
    ::close(fd);
    if (!algorithm.empty())
        channel.EnableHash(false, algorithm);
    return result;
}

int PStream::Recv(Channel& channel, binary_type& value) {
    ResetCounters();
    FileTransferProgressReporter reporter(this, path_type(), 0);
    const string_type algorithm = binary_handler.GetHashAlgorithm();
    bool hashing = !algorithm.empty();
    bool temporary = false;
    uint64_t start = 0;
    uint64_t received = 0;
    int fd = -1;
    int result = ERR_OK;

    uint64_t length = 0;
    int rc = ChargeBytes(8);
    if (rc != ERR_OK) {
        result = rc;
        start = value.offset;
        hashing = false;
        goto done;
    }
    rc = Recv64(channel, length);
    if (rc != 0) {
        QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): Channel: %d\n", rc);
        result = ERR_IO;
        start = value.offset;
        goto done;
    }

    if (op_mode == MODE_DISCARD) {
        QM_LOG(Logger::L_DEBUG, kComponent,
               L"[DEBUG] stream(%d): discard binary to null device.\n");
        value.path = kNullDevice;
        value.offset = 0;
        value.length = 0;
        hashing = false;
    } else if (!value.path.empty()) {
        QM_LOG(Logger::L_DEBUG, kComponent,
               L"[DEBUG] stream(%d): store binary to %s, offset %llu\n", value.path.c_str_utf8(),
               static_cast<unsigned long long>(value.offset));
    } else {
        // The name is chosen when the file is created (below): it must be a
        // new file of ours, never one that someone placed under that name.
        temporary = true;
        value.path.clear();
        value.offset = 0;
        value.length = 0;
    }
    start = value.offset;

    // A region past what a file offset can address cannot be stored; refuse
    // it before anything is written.
    if (length > static_cast<uint64_t>(std::numeric_limits<off_t>::max()) - start) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] stream(%d): PStream: region at %llu of %llu bytes is too big\n",
               static_cast<unsigned long long>(start), static_cast<unsigned long long>(length));
        result = ERR_FBIG;
        hashing = false;
        goto done;
    }

    fd = temporary ? openNewTemporaryFile(recv_path, value.path) : xopen(value.path, "rw");
    if (fd < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] stream(%d): open(%s) error: reason %d\n",
               value.path.c_str_utf8(), errno);
        result = ERR_SYS;
        hashing = false;
        goto done;
    }
    if (length == 0) {
        hashing = false;
        goto done;  // nothing to read; the file exists, possibly empty
    }

    reporter.SetPath(value.path);
    reporter.SetLength(start + length);
    reporter.SetOffset(start);
    if (op_mode == MODE_DISCARD) {
        rc = channel.RecvfileFallback(fd, 0, length, &reporter);
        received = reporter.GetProgress();
    } else if (hashing) {
        if (!channel.EnableHash(true, algorithm)) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] stream(%d): enable channel hashing error. [hash algo: '%s']\n",
                   algorithm.c_str());
            result = ERR_SYS;
            goto done;
        }
        rc = channel.RecvfileFallback(fd, start, length, &reporter);
        received = reporter.GetProgress();
    } else {
        rc = channel.Recvfile(fd, start, length, &reporter, received);
    }
    if (received > length)
        received = length;

    if (rc == 0) {
        if (hashing)
            binary_handler.SetHashResult(channel.GetHash());
    } else {
        if (received > 0 && op_mode == MODE_NORMAL) {
            QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): TruncateFile\n");
            TruncateFile(fd, start + received);
        }
        QM_LOG(Logger::L_WARNING, kComponent, L"[WARNING] stream(%d): Channel: %d\n", rc);
        if (rc == ::ERR_FILE_TOO_BIG)
            result = ERR_FBIG;
        else if (rc == ::ERR_DISKFULL)
            result = ERR_DISKFULL;
        else
            result = ERR_IO;
    }

done:
    // The value describes the stored copy: the region [offset, offset +
    // length) of the file at path.
    value.offset = start;
    value.length = received;
    if (m_trace)
        Logger::tLogMsg(Logger::L_DEBUG, kComponent,
                        L"%sbinary has been stored at '%s' with length %llu\n", Indentation(),
                        value.path.c_str_utf8(), static_cast<unsigned long long>(received));
    if (fd >= 0)
        ::close(fd);
    if (hashing)
        channel.EnableHash(false, algorithm);
    return result;
}

// ---- binary_ex ----

// The value's own digest algorithm, else the stream's default; when there is
// one, the payload that follows is digested with it.
PStream::string_type PStream::StartRegionDigest(const binary_ex_type& value) {
    const string_type algorithm =
        value.hash_algorithm.empty() ? default_hash_algorithm : value.hash_algorithm;
    if (!algorithm.empty()) {
        binary_handler.SetHashResult(string_type());
        binary_handler.SetHashAlgorithm(algorithm);
    }
    return algorithm;
}

int PStream::Send(Channel& channel, const binary_ex_type& value) {
    const char tag = static_cast<char>(TAG_BINARY_EX);
    int rc = WriteBytes(channel, &tag, 1);
    if (rc == ERR_OK) {
        const string_type algorithm = StartRegionDigest(value);
        TraceText("{");
        ++indent;
        PObject region;
        binary_type& binary = region.asBinary();
        binary.path = value.path;
        binary.length = value.length;
        binary.offset = value.offset;
        rc = SendKeyAndValue(channel, "binary", region);
        if (rc == ERR_OK) {
            string_type digest;
            if (!algorithm.empty()) {
                digest = binary_handler.GetHashResult();
                binary_handler.Clear();
            }
            rc = SendKeyAndValue(channel, "send_hash", PObject(std::move(digest)));
        }
        if (rc == ERR_OK) {
            const char end = static_cast<char>(TAG_END);
            rc = WriteBytes(channel, &end, 1);
            if (rc == ERR_OK) {
                --indent;
                TraceText("}");
            }
        }
    }
    binary_handler.Clear();
    return rc;
}

int PStream::Recv(Channel& channel, binary_ex_type& value) {
    const string_type algorithm = StartRegionDigest(value);
    TraceText("{");
    int rc = EnterContainer();
    bool have_binary = false;
    while (rc == ERR_OK) {
        uint8_t tag = 0;
        rc = RecvTag(channel, tag);
        if (rc != ERR_OK)
            break;
        if (tag == TAG_END) {
            --indent;
            TraceText("}");
            break;
        }
        if (tag != TAG_STRING) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] stream(%d): PStream: expect string, but get tag %u\n",
                   static_cast<unsigned>(tag));
            rc = ERR_STREAM;
            break;
        }
        string_type key;
        rc = Recv(channel, key);
        if (rc != ERR_OK)
            break;
        PushHistory(key);
        PObject member;
        rc = RecvObject(channel, member);
        const bool stored = op_mode == MODE_NORMAL;
        if (key == "binary" && member.isBinary()) {
            const binary_type& region = member.asBinary();
            // A repeated "binary" member replaces the first: its file is
            // removed rather than left behind unreferenced.
            if (have_binary && stored && region.path != value.path)
                RemoveFile(value.path);
            have_binary = true;
            value.path = region.path;
            value.length = region.length;
            value.offset = region.offset;
            if (rc != ERR_OK)
                break;  // the key stays for the error report
            value.recv_hash = binary_handler.GetHashResult();
            value.hash_algorithm = binary_handler.GetHashAlgorithm();
            if (m_trace)
                Logger::tLogMsg(Logger::L_DEBUG, kComponent,
                                L"%ssender provide binary to path: '%s', length: %llu, offset: "
                                L"%llu.\n",
                                Indentation(), value.path.c_str_utf8(),
                                static_cast<unsigned long long>(value.length),
                                static_cast<unsigned long long>(value.offset));
        } else if (rc != ERR_OK) {
            break;
        } else if (key == "send_hash" && member.isString()) {
            value.send_hash = member.asStringRef();
            if (m_trace)
                Logger::tLogMsg(Logger::L_DEBUG, kComponent,
                                L"%ssender provide binary hash '%s'.\n", Indentation(),
                                value.send_hash.c_str());
        } else if (stored) {
            // Payloads of an unexpected member were stored under temporary
            // names that nobody will see: drop them, however deep they sit.
            // (In discard mode they went to the null device.)
            RemoveReceivedFiles(member);
        }
        PopHistory();
    }
    binary_handler.Clear();
    if (m_trace)
        Logger::tLogMsg(Logger::L_DEBUG, kComponent,
                        L"%sbinary with hash has been stored at '%s' with length %llu\n",
                        Indentation(), value.path.c_str_utf8(),
                        static_cast<unsigned long long>(value.length));
    return rc;
}
