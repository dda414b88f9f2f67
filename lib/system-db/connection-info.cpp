#include "connection-info.h"

#include "system-db.h"

ConnectionInfo::ConnectionInfo()
    : id(0),
      port(3362),
      remember_password(true),
      concurrent(3),
      enable_upload_control(false),
      max_upload(0),
      min_upload(0),
      enable_download_control(false),
      max_download(0),
      min_download(0),
      encrypted(false),
      compressed(false),
      last_used_time(0),
      ssl_allow_untrust(false),
      download_location(SystemDB::getDefaultDownloadPath())
{
}

bool ConnectionInfo::operator==(const ConnectionInfo& other) const
{
    return hostname == other.hostname && domain_name == other.domain_name && port == other.port &&
           username == other.username && password == other.password &&
           remember_password == other.remember_password && concurrent == other.concurrent &&
           enable_upload_control == other.enable_upload_control && max_upload == other.max_upload &&
           min_upload == other.min_upload && enable_download_control == other.enable_download_control &&
           max_download == other.max_download && min_download == other.min_download &&
           encrypted == other.encrypted && compressed == other.compressed &&
           download_location == other.download_location;
}
