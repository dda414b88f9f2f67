// Feeds arbitrary bytes to the blocking decoder. The first byte picks
// receive or discard mode and the digest setting; the rest is the message.
// A decoded message is written out again, which must succeed and decode to
// the same value.
#include <dirent.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "log.h"
#include "protocol/stream.h"
#include "fuzz_scratch.h"
#include "pstream_memory_channel.h"

namespace {

const std::string& ReceiveFolder() {
    static const std::string& folder = [] () -> const std::string& {
        const std::string& made = fuzz_scratch::folder("pstream");
        // Rejections are logged; at fuzzing speed that would be all it does.
        const std::string levels = made + "/levels";
        if (FILE* f = std::fopen(levels.c_str(), "w")) {
            std::fputs("stream=-1\nchannel_debug=-1\ndefault_component=-1\n", f);
            std::fclose(f);
        }
        Logger::Initialize(Logger::STDERR_LOGGER, "", levels, 50);
        ::unlink(levels.c_str());
        return made;
    }();
    return folder;
}

void EmptyReceiveFolder() {
    DIR* dir = ::opendir(ReceiveFolder().c_str());
    if (dir == nullptr)
        return;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            ::unlink((ReceiveFolder() + "/" + name).c_str());
    }
    ::closedir(dir);
}

bool HasFileValuesOrUnderscoreKeys(const PObject& value) {
    if (value.isBinary() || value.isBinaryEx())
        return true;
    for (const PObject& element : value.asArray())
        if (HasFileValuesOrUnderscoreKeys(element))
            return true;
    for (const auto& member : value.asMap())
        if ((!member.first.empty() && member.first[0] == '_') ||
            HasFileValuesOrUnderscoreKeys(member.second))
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const uint8_t control = data[0];
    MemoryChannel channel(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    channel.file_chunk = 1 + (control >> 4);  // odd block sizes
    PStream stream;
    stream.SetDefaultRecvLocation((ReceiveFolder() + "/r").c_str());
    if (control & 2)
        stream.SetDefaultHashAlgorithm("md5");
    PObject decoded;
    const int rc = (control & 1) ? stream.Discard(channel, decoded) : stream.Recv(channel, decoded);
    if (rc == PStream::ERR_OK && !HasFileValuesOrUnderscoreKeys(decoded)) {
        MemoryChannel out;
        if (stream.Send(out, decoded) != PStream::ERR_OK)
            std::abort();
        out.input = out.output;
        PObject again;
        if (stream.Recv(out, again) != PStream::ERR_OK || !(again == decoded))
            std::abort();
    }
    EmptyReceiveFolder();
    return 0;
}
