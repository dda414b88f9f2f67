#include <gtest/gtest.h>

#include "db-util.h"
#include "transfer-log.h"

namespace {

TEST(TransferLogTest, DirectionAndOutcomeByType)
{
    for (uint32_t type = 0; type <= LOG_MAX; ++type) {
        SCOPED_TRACE(type);
        TransferLog log;
        log.type = type;
        const bool transfer = isTransferLogType(type);
        EXPECT_EQ(transfer && type % 2 == 1, log.isDownload());
        EXPECT_EQ(type == LOG_UPLOAD || type == LOG_DOWNLOAD, log.isSuccess());
    }
}

TEST(TransferLogFilterTest, QueryTexts)
{
    TransferLogFilter filter;
    EXPECT_EQ("SELECT COUNT(*) FROM transfer_table WHERE 1 ;", filter.toCountSQL());
    const std::string all = filter.toSearchSQL();
    EXPECT_NE(std::string::npos, all.find("FROM transfer_table WHERE 1  ORDER BY rowid DESC ;"));
    EXPECT_EQ(std::string::npos, all.find("LIMIT"));

    filter.log_type = {LOG_UPLOAD, LOG_DOWNLOAD};
    filter.date_from = 2147483647;
    filter.limit = 1000;
    filter.offset = 3000;
    // Bounds are 64-bit. The page walks the table by row id instead of sorting
    // the whole date range; the count uses the index.
    EXPECT_NE(std::string::npos,
              filter.toCountSQL().find(" AND (end_time > 2147483647000) AND (0 OR type = 6 OR type = 7);"));
    const std::string sql = filter.toSearchSQL();
    EXPECT_NE(std::string::npos, sql.find(" AND (+end_time > 2147483647000) AND (0 OR type = 6 OR type = 7)"));
    EXPECT_NE(std::string::npos, sql.find(" ORDER BY rowid DESC  LIMIT 1000 OFFSET 3000;"));
}

}  // namespace
