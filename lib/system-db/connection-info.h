#pragma once

#include <cstdint>
#include <string>

// One saved connection: a row of connection_table. Copied by value between the
// database, the login window, the settings pages and the site views. Its key is
// (domain_name, username, port). Text fields are UTF-8.
class ConnectionInfo {
public:
    // Every default below; download_location takes SystemDB's default
    // download folder as it is at the moment of construction.
    ConnectionInfo();

    // Compares what the user can edit; ignores id, last_used_time and the
    // certificate trust fields, which change without the user's edit.
    bool operator==(const ConnectionInfo& other) const;
    bool operator!=(const ConnectionInfo& other) const { return !(*this == other); }

    uint64_t id;                  // row id; 0 while not stored
    std::string hostname;         // as entered; not part of the key
    std::string domain_name;      // address used to connect
    int32_t port;
    std::string username;
    std::string password;         // written to the file only when remembered
    bool remember_password;
    int32_t concurrent;           // maximum concurrent transfers
    bool enable_upload_control;
    uint64_t max_upload;
    uint64_t min_upload;
    bool enable_download_control;
    uint64_t max_download;
    uint64_t min_download;
    bool encrypted;
    bool compressed;
    uint32_t last_used_time;      // seconds since 1970
    bool ssl_allow_untrust;
    std::string ssl_signature;
    std::string download_location;
};
