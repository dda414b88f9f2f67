#include "server_config.h"

#include <cstdlib>

namespace test_server {

namespace {

// Splits "a:b:c" at the first `parts - 1` colons; the last part keeps the rest.
std::vector<std::string> SplitColons(const std::string& text, size_t parts)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (out.size() + 1 < parts) {
        size_t colon = text.find(':', start);
        if (colon == std::string::npos)
            break;
        out.push_back(text.substr(start, colon - start));
        start = colon + 1;
    }
    out.push_back(text.substr(start));
    return out;
}

bool ParseNumber(const std::string& text, uint32_t& value)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 10)
        return false;
    unsigned long long v = std::strtoull(text.c_str(), nullptr, 10);
    if (v > 0xFFFFFFFFull)
        return false;
    value = static_cast<uint32_t>(v);
    return true;
}

bool ParseFault(const std::string& text, ActionFault& out)
{
    std::vector<std::string> f = SplitColons(text, 4);
    if (f.size() < 2 || f[0].empty())
        return false;
    out.action = f[0];
    const std::string& kind = f[1];
    if (kind == "keep_alive" || kind == "delay") {
        out.fault.kind = kind == "delay" ? Fault::DELAY : Fault::KEEP_ALIVE;
        return f.size() == 3 && ParseNumber(f[2], out.fault.count);
    }
    if (kind == "drop" || kind == "close") {
        out.fault.kind = kind == "drop" ? Fault::DROP : Fault::CLOSE;
        return f.size() == 2;
    }
    if (kind == "error") {
        if (f.size() < 3)
            return false;
        out.fault.reason = f.size() == 4 ? f[3] : "test error";
        if (f[2] == "none") {
            out.fault.kind = Fault::ERROR_NO_CODE;
            return true;
        }
        out.fault.kind = Fault::ERROR;
        return ParseNumber(f[2], out.fault.count);
    }
    return false;
}

}  // namespace

std::string UsageText()
{
    return "usage: quillmar-test-server --cert FILE --key FILE --user NAME:PASSWORD --share NAME:PATH [options]\n"
           "\n"
           "A small file server for trying and testing the client. It speaks the control\n"
           "protocol over TCP, switched to TLS after \"encrypt_channel\".\n"
           "\n"
           "  --listen IP              address to listen on (default 127.0.0.1)\n"
           "  --port N                 control port (default 3362; 0 picks a free port)\n"
           "  --cert FILE --key FILE   PEM certificate and private key of the server\n"
           "  --user NAME:PASSWORD     an account (repeatable)\n"
           "  --otp NAME:CODE          demand this one-time code at NAME's password logins\n"
           "  --share NAME:PATH[:PRIV] serve a local folder; PRIV is rw (default), ro or denied\n"
           "  --build N                server build number reported at login (default 3000)\n"
           "  --project TEXT           answer to \"encrypt_channel\" (default quillmar-file-manager)\n"
           "  --allow-plain            also serve clients that skip the TLS upgrade\n"
           "  --fault ACTION:KIND[:ARG[:REASON]]\n"
           "                           misbehave on ACTION, for tests: keep_alive:N, delay:MS,\n"
           "                           drop, close, error:CODE[:REASON], error:none[:REASON]\n"
           "  --verbose                log each request to standard error\n"
           "\n"
           "When ready it prints \"listening on IP:PORT\" on standard output.\n";
}

bool ParseCommandLine(int argc, char** argv, ServerConfig& config, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--allow-plain") {
            config.allow_plain = true;
            continue;
        }
        if (option == "--verbose") {
            config.verbose = true;
            continue;
        }
        if (i + 1 >= argc) {
            error = "unknown option or missing value: " + option;
            return false;
        }
        std::string value = argv[++i];
        uint32_t number = 0;
        if (option == "--listen") {
            config.listen_ip = value;
        } else if (option == "--port") {
            if (!ParseNumber(value, number) || number > 65535) {
                error = "bad port: " + value;
                return false;
            }
            config.port = number;
        } else if (option == "--cert") {
            config.cert_path = value;
        } else if (option == "--key") {
            config.key_path = value;
        } else if (option == "--build") {
            if (!ParseNumber(value, number)) {
                error = "bad build number: " + value;
                return false;
            }
            config.build = number;
        } else if (option == "--project") {
            config.project = value;
        } else if (option == "--user") {
            std::vector<std::string> f = SplitColons(value, 2);
            if (f.size() != 2 || f[0].empty()) {
                error = "expected --user NAME:PASSWORD";
                return false;
            }
            config.accounts.push_back(Account{f[0], f[1], ""});
        } else if (option == "--otp") {
            std::vector<std::string> f = SplitColons(value, 2);
            bool found = false;
            for (Account& account : config.accounts) {
                if (f.size() == 2 && account.name == f[0]) {
                    account.otp = f[1];
                    found = true;
                }
            }
            if (!found || f[1].empty()) {
                error = "expected --otp NAME:CODE after --user NAME:...";
                return false;
            }
        } else if (option == "--share") {
            std::vector<std::string> f = SplitColons(value, 3);
            if (f.size() < 2 || f[0].empty() || f[1].empty()) {
                error = "expected --share NAME:PATH[:PRIV]";
                return false;
            }
            ShareConfig share{f[0], f[1], f.size() == 3 ? f[2] : "rw"};
            if (share.priv != "rw" && share.priv != "ro" && share.priv != "denied") {
                error = "share privilege must be rw, ro or denied: " + share.priv;
                return false;
            }
            config.shares.push_back(share);
        } else if (option == "--fault") {
            ActionFault fault;
            if (!ParseFault(value, fault)) {
                error = "bad --fault: " + value;
                return false;
            }
            config.faults.push_back(fault);
        } else {
            error = "unknown option: " + option;
            return false;
        }
    }
    if (config.cert_path.empty() || config.key_path.empty()) {
        error = "--cert and --key are required";
        return false;
    }
    return true;
}

}  // namespace test_server
