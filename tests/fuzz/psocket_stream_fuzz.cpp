// Feeds arbitrary bytes to a receiving PSocketStream through a real socket.
// The first byte picks the variant: bit 0 sends the rest through an LZ4
// frame (so the decompressor's portioning is exercised with valid frames),
// bit 1 gives a receive location so payloads are written to files instead of
// dropped; the second byte sets the Recv budget.
#include <cstdint>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "file-op.h"
#include "fuzz_scratch.h"
#include "log.h"
#include "lz4-processor.h"
#include "psocket_stream.h"

namespace {

std::string compress(const uint8_t* data, size_t size)
{
    LZ4Compressor comp;
    if (comp.Initialize(65536) != 0)
        abort();
    std::string wire;
    size_t pos = 0;
    for (;;) {
        void* out = nullptr;
        size_t len = 0;
        if (comp.Process(&out, &len) != 0)
            abort();
        if (out) {
            wire.append(static_cast<char*>(out), len);
            continue;
        }
        if (pos == size)
            return wire;
        size_t n = size - pos < 65536 ? size - pos : 65536;
        comp.Update(data + pos, n);
        pos += n;
    }
}

const std::string& scratchDir()
{
    return fuzz_scratch::folder("psocket-stream");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Quiet: hostile input makes the decoder log every refusal.
    Logger::Destroy();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const bool lz4 = data[0] & 1;
    const bool to_files = data[0] & 2;
    const size_t step = 1 + data[1] * 257u;
    const std::string wire = lz4 ? compress(data + 2, size - 2)
                                 : std::string(reinterpret_cast<const char*>(data + 2), size - 2);

    int fd[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, fd) != 0)
        abort();
    for (int s : fd)
        fcntl(s, F_SETFL, fcntl(s, F_GETFL) | O_NONBLOCK);

    LZ4Decompressor decomp;
    if (decomp.Initialize(65536) != 0)
        abort();
    {
        PSocketStream rx;
        rx.SetSocket(fd[1]);
        if (lz4)
            rx.SetDecompressor(&decomp);
        size_t written = 0;
        bool closed = false;
        for (int rounds = 0; rounds < 1000000; ++rounds) {
            if (written < wire.size()) {
                ssize_t n = send(fd[0], wire.data() + written, wire.size() - written, MSG_NOSIGNAL);
                if (n > 0)
                    written += static_cast<size_t>(n);
            } else if (!closed) {
                shutdown(fd[0], SHUT_WR); // the end of input shows as the peer closing
                closed = true;
            }
            if (to_files)
                rx.SetRecvLocation(ustring(scratchDir() + "/sub/in"));
            if (!rx.HasMoreObjectToRead()) {
                int r = rx.Recv(step);
                if (r != PSocketStream::ERR_OK && r != PSocketStream::ERR_WOULD_BLOCK)
                    break;
            }
            PObject object;
            int r = rx.GetNextAvailibleReceivedObject(object);
            if (r != PSocketStream::ERR_OK && r != PSocketStream::ERR_WOULD_BLOCK)
                break;
        }
    }
    close(fd[0]);
    close(fd[1]);
    if (to_files)
        FSRemove(ustring(scratchDir() + "/sub"));
    return 0;
}
