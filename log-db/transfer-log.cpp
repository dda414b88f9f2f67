#include "transfer-log.h"

#include <sqlite3.h>

#include "db-util.h"
#include "sqlite-column.h"

TransferLog::TransferLog()
    : type(0), start_time(0), end_time(0), elapsed_time(0), rtt(0), avg_speed(0), file_size(0)
{
}

void TransferLog::fillFromStmt(sqlite3_stmt* stmt)
{
    type = static_cast<uint32_t>(sqlite3_column_int(stmt, 0));
    username = columnText(stmt, 1);
    device_name = columnText(stmt, 2);
    client_type = columnText(stmt, 3);
    ip = columnText(stmt, 4);
    geolocation = columnText(stmt, 5);
    file_name = columnText(stmt, 6);
    path_from = columnText(stmt, 7);
    path_to = columnText(stmt, 8);
    start_time = static_cast<uint64_t>(sqlite3_column_int64(stmt, 9));
    end_time = static_cast<uint64_t>(sqlite3_column_int64(stmt, 10));
    elapsed_time = static_cast<uint64_t>(sqlite3_column_int64(stmt, 11));
    rtt = static_cast<uint32_t>(sqlite3_column_int(stmt, 12));
    avg_speed = static_cast<uint64_t>(sqlite3_column_int64(stmt, 13));
    file_size = static_cast<uint64_t>(sqlite3_column_int64(stmt, 14));
}

bool TransferLog::isDownload() const
{
    return type == LOG_DOWNLOAD || type == LOG_DOWNLOAD_CANCELED || type == LOG_DOWNLOAD_KICKED ||
           type == LOG_DOWNLOAD_FAILED;
}

bool TransferLog::isSuccess() const
{
    return type == LOG_UPLOAD || type == LOG_DOWNLOAD;
}

void TransferLogFilter::appendCondition(std::stringstream& out) const
{
    appendConditions(out, true);
}

void TransferLogFilter::appendConditions(std::stringstream& out, bool indexed_dates) const
{
    if (!search_string.empty()) {
        // file_name and client_type are deliberately not searched.
        const std::string k = keywordPattern();
        out << " AND ( ";
        appendLike(out, "username", k);
        out << " OR";
        appendLike(out, "device_name", k);
        out << " OR";
        appendLike(out, "ip", k);
        out << " OR";
        appendLike(out, "geolocation", k);
        out << " OR";
        appendLike(out, "path_from", k);
        out << " OR";
        appendLike(out, "path_to", k);
        out << ")";
    }
    appendDateBounds(out, "end_time", indexed_dates);
    appendTypes(out);
}

std::string TransferLogFilter::buildSearchSQL(bool newest_first, size_t page_limit, size_t page_offset) const
{
    std::stringstream out;
    out << "SELECT type, username, device_name, client_type, ip, geolocation, file_name, path_from, path_to, "
        << " start_time, end_time, elapsed_time, rtt, avg_speed, file_size FROM transfer_table WHERE 1 ";
    appendConditions(out, false);
    appendPage(out, newest_first, page_limit, page_offset);
    return out.str();
}

std::string TransferLogFilter::toSearchSQL() const
{
    return buildSearchSQL(true, limit, offset);
}

std::string TransferLogFilter::toOldestFirstSQL(size_t page_limit, size_t page_offset) const
{
    return buildSearchSQL(false, page_limit, page_offset);
}

std::string TransferLogFilter::toCountSQL() const
{
    std::stringstream out;
    out << "SELECT COUNT(*) FROM transfer_table WHERE 1 ";
    appendCondition(out);
    out << ";";
    return out.str();
}
