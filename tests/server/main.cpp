// quillmar-test-server: a small file server for trying and testing the client.
#include <signal.h>

#include <cstdio>
#include <string>

#include "control_server.h"
#include "data_server.h"
#include "server_config.h"

int main(int argc, char** argv)
{
    test_server::ServerConfig config;
    std::string error;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(test_server::UsageText().c_str(), stdout);
            return 0;
        }
    }
    if (!test_server::ParseCommandLine(argc, argv, config, error)) {
        std::fprintf(stderr, "%s\n\n%s", error.c_str(), test_server::UsageText().c_str());
        return 2;
    }
    // Stop cleanly on Ctrl-C or a termination request.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    // The data side runs the transfer engine; each login's seed makes a peer.
    // Its port is the control port + 1, or a free one with an ephemeral control port.
    test_server::DataServer data(config.shares);
    if (data.Start(config.port != 0 ? config.port + 1 : 0, config.key_path, config.cert_path, error) != 0) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    config.on_session_seed = [&data](uint64_t seed) { data.AddSession(seed); };

    test_server::ControlServer server(config);
    if (server.Start(error) != 0) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("listening on %s:%u\n", config.listen_ip.c_str(), server.Port());
    std::printf("data port %u\n", data.Port());
    std::fflush(stdout);

    int signal_number = 0;
    sigwait(&stop_signals, &signal_number);
    server.Stop();
    data.Stop();
    return 0;
}
