// The tests' pacing relay in front of any TCP port on this machine, so that
// another tool (rsync in daemon mode, say) can be measured over the same
// link as transfer_bench --rtt-ms.
// Usage: link_relay TARGET_PORT --rtt-ms N [--rate-mbps M] [--port-file PATH]
//   Prints the relay's port (and writes it to PATH), then forwards until
//   standard input closes, and prints the link's turns and connections.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "support/pacing_relay.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s TARGET_PORT --rtt-ms N [--rate-mbps M] [--port-file PATH]\n", argv[0]);
        return 2;
    }
    const long target = std::strtol(argv[1], nullptr, 10);
    if (target <= 0 || target > 65535) {
        std::fprintf(stderr, "%s: not a port: %s\n", argv[0], argv[1]);
        return 2;
    }
    qm_test::PacingRelay::Options options;
    std::string port_file;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rtt-ms") == 0 && i + 1 < argc)
            options.one_way_delay_ms = static_cast<unsigned>(std::atof(argv[++i]) / 2);
        else if (std::strcmp(argv[i], "--rate-mbps") == 0 && i + 1 < argc)
            options.bytes_per_s = static_cast<uint64_t>(std::atof(argv[++i]) * 1e6 / 8);
        else if (std::strcmp(argv[i], "--port-file") == 0 && i + 1 < argc)
            port_file = argv[++i];
        else {
            std::fprintf(stderr, "%s: unknown argument %s\n", argv[0], argv[i]);
            return 2;
        }
    }
    qm_test::PacingRelay relay(static_cast<unsigned>(target), options);
    if (relay.port() == 0) {
        std::fprintf(stderr, "%s: the relay did not start\n", argv[0]);
        return 1;
    }
    std::printf("%u\n", relay.port());
    std::fflush(stdout);
    if (!port_file.empty())
        std::ofstream(port_file) << relay.port() << "\n";
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    std::printf("turns %llu, connections %llu\n", static_cast<unsigned long long>(relay.turns()),
                static_cast<unsigned long long>(relay.connections()));
    return 0;
}
