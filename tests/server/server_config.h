#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "protocol/pobject.h"

namespace test_server {

struct Account {
    std::string name;
    std::string password;
    std::string otp;  // non-empty: a one-time code is demanded at password logins
};

struct ShareConfig {
    std::string name;
    std::string path;              // local folder served as the share
    std::string priv = "rw";       // "rw", "ro" or "denied"
};

// A misbehaviour for one action, for tests of the client's request cycle.
struct Fault {
    enum Kind {
        NONE,
        KEEP_ALIVE,  // `count` "keep_alive" maps before the answer
        DELAY,       // answer after `count` milliseconds
        DROP,        // never answer (the connection stays open)
        HOLD,        // answer once the test releases held answers (in-process only);
                     // with `count` n > 0 only the n-th request of the action is held
        CLOSE,       // write the start of an answer, then close
        ERROR,       // answer {"error": {"code": count, "reason": reason}}
        ERROR_NO_CODE,  // answer {"error": {"reason": reason}}
        REPLACE,     // answer `answer` in place of the real answer (in-process only)
        EXTEND_LIST, // the real answer with the raw entries of `answer`'s "node_list"
                     // appended to its own "node_list" (in-process only)
    };
    Kind kind = NONE;
    uint32_t count = 0;
    std::string reason;
    PObject answer;
};

struct ActionFault {
    std::string action;
    Fault fault;
};

struct ServerConfig {
    std::string listen_ip = "127.0.0.1";
    unsigned port = 3362;                 // 0: an ephemeral port
    std::string cert_path;
    std::string key_path;
    std::string project = "quillmar-file-manager";  // the answer to "encrypt_channel"
    bool allow_plain = false;             // serve requests without the TLS upgrade
    uint32_t build = 3000;                // the build number "auth" reports
    std::string server_id = "test-server-0001";
    std::string server_alias = "quillmar-test";
    std::vector<Account> accounts;
    std::vector<ShareConfig> shares;
    std::vector<ActionFault> faults;
    bool verbose = false;
    // Told every session seed a login hands out or adopts (the data side
    // makes a peer of it). Called on a session thread.
    std::function<void(uint64_t seed)> on_session_seed;
};

// Reads the command line into config; false with a message on a bad option.
bool ParseCommandLine(int argc, char** argv, ServerConfig& config, std::string& error);
// One paragraph per option, for --help.
std::string UsageText();

}  // namespace test_server
