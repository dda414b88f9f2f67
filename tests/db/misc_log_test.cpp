#include <gtest/gtest.h>

#include "db-util.h"
#include "misc-log.h"

namespace {

TEST(MiscLogTest, ArgumentsKeepCallOrderByKind)
{
    MiscLog log;
    log.pushArg(std::string("/from"), true);
    log.pushArg(uint64_t(0), false);
    log.pushArg(uint64_t(18446744073709551615ull), false);
    log.pushArg(std::string("/to"), true);
    EXPECT_EQ((std::vector<std::string>{"/from", "/to"}), log.s_arg);
    EXPECT_EQ((std::vector<std::string>{"0", "18446744073709551615"}), log.p_arg);

    log.type = LOG_COPY;
    log.ip = "1.2.3.4";
    log.username = "u";
    log.time = 5;
    log.clear();
    EXPECT_EQ(0u, log.type);
    EXPECT_EQ(0u, log.time);
    EXPECT_TRUE(log.username.empty());
    EXPECT_TRUE(log.s_arg.empty() && log.p_arg.empty());
    EXPECT_EQ("1.2.3.4", log.ip);  // the site's address outlives clear()
}

TEST(MiscLogFilterTest, QueryTexts)
{
    MiscLogFilter filter;
    EXPECT_EQ("SELECT COUNT(*) FROM log_table WHERE 1 ;", filter.toCountSQL());

    filter.search_string = "it's 5_%";
    filter.offset = 10;
    const std::string sql = filter.toSearchSQL();
    // Quote doubled, wildcards escaped, OFFSET only after a LIMIT.
    EXPECT_NE(std::string::npos, sql.find("username like '%it''s 5\\_\\%%' ESCAPE '\\'"));
    EXPECT_NE(std::string::npos, sql.find(" OR s5 like "));
    EXPECT_EQ(std::string::npos, sql.find(" OR p1 like "));
    EXPECT_NE(std::string::npos, sql.find(" LIMIT -1 OFFSET 10;"));
}

}  // namespace
