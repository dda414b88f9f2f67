#pragma once

#include <string>

#include "channel/channel.h"

namespace test_server {

// The server end of a control connection: a Channel whose TLS upgrade takes
// the certificate and key of this server instead of the process-wide paths,
// so several servers with their own certificates can run in one process.
class ServerChannel : public Channel {
public:
    ServerChannel(const std::string& cert_path, const std::string& key_path);

    int ConvertToSSLChannel(bool is_server) override;

private:
    std::string m_server_cert_path;
    std::string m_server_key_path;
};

}  // namespace test_server
