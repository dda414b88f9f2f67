// Feeds an arbitrary file to the child-name list reader. A list it accepts
// is written again and must read back as the same names.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_scratch.h"
#include "kavelin/list-node-util.h"
#include "log.h"

namespace {

const std::string& scratchFile()
{
    static const std::string* path = new std::string(fuzz_scratch::folder("child-names") + "/names.json");
    return *path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Quiet: every refused file is logged.
    Logger::Destroy();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ustring path(scratchFile());
    FILE* file = std::fopen(scratchFile().c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (size != 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);

    std::vector<ustring> names;
    if (deserializeChildren(path, names) != 0) {
        if (!names.empty())
            std::abort();
        return 0;
    }
    if (serializeChildren(path, names) != 0)
        std::abort();
    std::vector<ustring> again;
    if (deserializeChildren(path, again) != 0 || again != names)
        std::abort();
    return 0;
}
