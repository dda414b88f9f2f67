// Reads the task-record map forms (ResumeInfo, ResumeFilter, TokenInfo) from
// an arbitrary decoded PObject. Whatever the reader makes of it, the form the
// writer builds from that record must read back to the same record.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "kavelin/resume-info.h"
#include "kavelin/token-info.h"
#include "log.h"
#include "protocol/pobject.h"
#include "protocol/stream.h"
#include "pstream_memory_channel.h"

namespace {

template <typename Record, typename Read, typename Write>
void checkRoundTrip(const PObject& decoded, Read read, Write write)
{
    Record record;
    read(decoded, record);
    PObject form;
    write(record, form);
    Record again;
    read(form, again);
    PObject form_again;
    write(again, form_again);
    if (form != form_again)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Quiet: refused messages are logged.
    Logger::Destroy();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8)
        return 0;
    uint64_t now_ms = 0;
    for (int i = 0; i < 8; ++i)
        now_ms = (now_ms << 8) | data[i];
    MemoryChannel channel(std::string(reinterpret_cast<const char*>(data) + 8, size - 8));
    PStream stream;
    PObject decoded;
    // Discard: file payloads are read and dropped, never stored.
    if (stream.Discard(channel, decoded) != PStream::ERR_OK)
        return 0;

    checkRoundTrip<ResumeInfo>(decoded, getResumeInfoFromPObject, addResumeInfoIntoPObject);
    checkRoundTrip<ResumeFilter>(decoded, getResumeFilterFromPObject, addResumeFilterIntoPObject);
    checkRoundTrip<TokenInfo>(decoded, getTokenInfoFromPObject, addTokenInfoIntoPObject);

    ResumeInfo info;
    getResumeInfoFromPObject(decoded, info);
    ResumeFilter filter;
    getResumeFilterFromPObject(decoded["resume_filter"], filter);
    (void)getResumeInfoEstimatedSpeed(info, now_ms);
    (void)isResumeInfoPassFilter(info, filter);
    return 0;
}
