// Reads the task-record map forms (ResumeInfo, ResumeFilter, TokenInfo) from
// an arbitrary decoded PObject. Whatever the reader makes of it, the form the
// writer builds from that record must read back to the same record.
#include <cstdint>
#include <cstdlib>
#include <algorithm>
#include <string>
#include <vector>

#include "kavelin/fragment-manager.h"
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

// The canonical fragment list is sorted, its ranges neither overlap nor
// touch, the progress is their summed length, and the holes lie between
// them in order.
void checkFragments(const ResumeInfo& info)
{
    FragmentManager manager(info.total, info.fragments);
    std::vector<FileFragment> fragments;
    manager.getFragments(fragments);
    uint64_t covered = 0;
    for (size_t i = 0; i < fragments.size(); ++i) {
        if (fragments[i].end < fragments[i].begin)
            std::abort();
        if (i > 0 && fragments[i].begin <= fragments[i - 1].end)
            std::abort();
        covered += fragments[i].end - fragments[i].begin;
    }
    if (covered != manager.getProgress())
        std::abort();
    std::vector<FileFragment> holes;
    manager.getHoles(holes);
    uint64_t position = 0;
    for (const FileFragment& hole : holes) {
        if (hole.begin < position || hole.end <= hole.begin || hole.end > info.total)
            std::abort();
        position = hole.end;
    }
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
    checkFragments(info);
    return 0;
}
