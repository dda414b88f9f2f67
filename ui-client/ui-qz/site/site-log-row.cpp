#include "site-log-row.h"

#include <ctime>

#include "log-db.h"
#include "misc-log.h"

void writeSiteLogRow(const SiteInfo& info, int type, std::initializer_list<std::string> paths)
{
    MiscLog row;
    row.type = static_cast<uint32_t>(type);
    row.ip = info.domain_name.toStdString();
    row.username = info.user_name.toStdString();
    row.time = static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(std::time(nullptr))));
    for (const std::string& path : paths)
        row.pushArg(path, true);
    LogDB::insertLog(row);
}
