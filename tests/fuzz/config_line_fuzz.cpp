// Feeds one arbitrary line to the settings-file parser. A line it accepts
// must come back unchanged through the writer's encoding: the key and value
// written out and parsed again give the same pair.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "config.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<char> line(data, data + size);
    line.push_back('\0');  // parse may look at the byte after the line
    Config config;
    std::string key, value;
    const int state = config.parse(line.data(), static_cast<int>(size), key, value);
    if (state != Config::OK)
        return 0;
    for (unsigned char c : key)
        if (!Config::is_key_char(c))
            std::abort();
    std::string written = key + "=" + Config::encode_value(value) + "\n";
    std::string again_key, again_value;
    if (config.parse(&written[0], static_cast<int>(written.size()), again_key, again_value) != Config::OK ||
        again_key != key || again_value != value)
        std::abort();
    return 0;
}
