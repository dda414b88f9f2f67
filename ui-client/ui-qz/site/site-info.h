#pragma once

#include <QMetaType>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/proto-ui.h"

// The kind of a site's last connection failure.
enum SiteError : int32_t {
    SITE_ERROR_OK = 0,
    SITE_ERROR_SYSTEM = -1,
    SITE_ERROR_PROTOCOL = -2,
    SITE_ERROR_DATA_CHANNEL = -3,
};

// One logged-in server (or a login request), copied by value. A default
// record is all zero, false or empty: every producer sets what it uses.
struct SiteInfo {
    SiteError site_error = SITE_ERROR_OK;
    ProtoUI::Error protocol_error = ProtoUI::ERROR_OK;
    uint64_t peer_id = 0;
    uint64_t peer_seed = 0;  // 0 until a first login succeeded
    uint64_t connection_id = 0;
    QString server_name;
    QString domain_name;     // as the user typed it
    QString ip;              // the resolved address that answered the login
    QString user_name;
    QString session;
    QString password;
    QString otp;
    int32_t control_port = 0;
    int32_t transfer_port = 0;
    int32_t control_mtu = 0;
    bool is_reconnect = false;
    int32_t concurrent = 0;
    uint64_t max_upload = 0;
    uint64_t min_upload = 0;
    uint64_t max_download = 0;
    uint64_t min_download = 0;
    bool encrypted = false;
    bool compressed = false;
    bool ssl_allow_untrust = false;
    QString ssl_signature;
    std::vector<std::string> certificate_chain;
    bool ssl_verified = false;
    bool support_minimum_bandwidth = false;
};

Q_DECLARE_METATYPE(SiteInfo)
