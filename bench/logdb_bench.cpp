// The Log window pages through up to a million rows: how long storing them,
// a keyword search and the first and last pages take.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "log-db.h"

namespace {

const size_t kRows = 1000000;
const size_t kBatch = 1000;
const size_t kPage = 1000;

class BenchDatabase {
public:
    BenchDatabase()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qm-logdb-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_dir = pattern;
        if (LogDB::initialize(path()) != 0)
            std::abort();
    }
    ~BenchDatabase()
    {
        LogDB::destroy();
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }

    std::string path() const { return m_dir + "/log-db.sqlite"; }
    size_t stored = 0;

private:
    std::string m_dir;
};

BenchDatabase& database()
{
    static BenchDatabase db;
    return db;
}

TransferLog makeTransfer(size_t i)
{
    TransferLog log;
    log.type = (i % 2) ? LOG_DOWNLOAD : LOG_UPLOAD;
    log.username = "user" + std::to_string(i % 50);
    log.ip = "192.168.1." + std::to_string(i % 250);
    log.file_name = "file" + std::to_string(i) + ".dat";
    // One transfer in a thousand has the word the keyword search looks for.
    log.path_from = "/share/projects/" + std::string(i % 1000 == 0 ? "needle" : "hay") + "/file" + std::to_string(i) + ".dat";
    log.path_to = "/home/user/Downloads/file" + std::to_string(i) + ".dat";
    log.start_time = 1700000000000ull + i * 1000;
    log.end_time = log.start_time + 500;
    log.elapsed_time = 500;
    log.avg_speed = 1 << 20;
    log.file_size = 512 * 1024;
    return log;
}

void storeRows(size_t count)
{
    BenchDatabase& db = database();
    std::vector<TransferLog> batch;
    batch.reserve(kBatch);
    while (db.stored < count) {
        batch.clear();
        for (size_t i = 0; i < kBatch && db.stored + i < count; ++i)
            batch.push_back(makeTransfer(db.stored + i));
        if (LogDB::insertTransferLogs(batch) != 0)
            std::abort();
        db.stored += batch.size();
    }
}

void BM_InsertMillionTransfers(benchmark::State& state)
{
    for (auto _ : state)
        storeRows(kRows);
    state.counters["rows"] = static_cast<double>(database().stored);
    state.SetItemsProcessed(static_cast<int64_t>(kRows));
}
BENCHMARK(BM_InsertMillionTransfers)->Iterations(1)->Unit(benchmark::kMillisecond);

// One call per transfer, as the task monitor stores them, on the full table.
void BM_InsertOneTransfer(benchmark::State& state)
{
    storeRows(kRows);
    size_t i = kRows;
    for (auto _ : state) {
        if (LogDB::insertTransferLog(makeTransfer(i++)) != 0)
            state.SkipWithError("insert failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InsertOneTransfer)->Iterations(2000)->Unit(benchmark::kMicrosecond);

template <typename Filter, typename Record>
void runSearch(benchmark::State& state, const Filter& filter)
{
    storeRows(kRows);
    unsigned int total = 0;
    for (auto _ : state) {
        std::vector<Record> rows;
        if (LogDB::searchLog(filter, rows, total) != 0)
            state.SkipWithError("search failed");
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["total"] = total;
}

void BM_KeywordSearchFirstPage(benchmark::State& state)
{
    MiscLogFilter filter;
    filter.search_string = "needle";
    filter.limit = kPage;
    runSearch<MiscLogFilter, MiscLog>(state, filter);
}
BENCHMARK(BM_KeywordSearchFirstPage)->Unit(benchmark::kMillisecond);

void BM_TransferKeywordSearchFirstPage(benchmark::State& state)
{
    TransferLogFilter filter;
    filter.search_string = "needle";
    filter.limit = kPage;
    runSearch<TransferLogFilter, TransferLog>(state, filter);
}
BENCHMARK(BM_TransferKeywordSearchFirstPage)->Unit(benchmark::kMillisecond);

// A keyword with a handful of matches: the short first page spares the count.
void BM_RareKeywordSearchFirstPage(benchmark::State& state)
{
    MiscLogFilter filter;
    filter.search_string = "/file123456.dat";
    filter.limit = kPage;
    runSearch<MiscLogFilter, MiscLog>(state, filter);
}
BENCHMARK(BM_RareKeywordSearchFirstPage)->Unit(benchmark::kMillisecond);

// 800,000 transfers in the date range: the page must not sort them all.
void BM_TransferDateRangeFirstPage(benchmark::State& state)
{
    TransferLogFilter filter;
    filter.date_from = 1700000000 + 100000;
    filter.date_to = 1700000000 + 900000;
    filter.limit = kPage;
    runSearch<TransferLogFilter, TransferLog>(state, filter);
}
BENCHMARK(BM_TransferDateRangeFirstPage)->Unit(benchmark::kMillisecond);

void BM_FirstPage(benchmark::State& state)
{
    MiscLogFilter filter;
    filter.limit = kPage;
    runSearch<MiscLogFilter, MiscLog>(state, filter);
}
BENCHMARK(BM_FirstPage)->Unit(benchmark::kMillisecond);

void BM_LastPage(benchmark::State& state)
{
    MiscLogFilter filter;
    filter.limit = kPage;
    filter.offset = (database().stored > kPage ? kRows - kPage : 0);
    runSearch<MiscLogFilter, MiscLog>(state, filter);
}
BENCHMARK(BM_LastPage)->Unit(benchmark::kMillisecond);

void BM_TransferLastPage(benchmark::State& state)
{
    TransferLogFilter filter;
    filter.limit = kPage;
    filter.offset = kRows - kPage;
    runSearch<TransferLogFilter, TransferLog>(state, filter);
}
BENCHMARK(BM_TransferLastPage)->Unit(benchmark::kMillisecond);

// A page in the middle of a type filter: the type index serves the count.
void BM_TypeFilterMiddlePage(benchmark::State& state)
{
    MiscLogFilter filter;
    filter.log_type = {LOG_DOWNLOAD};
    filter.limit = kPage;
    filter.offset = kRows / 4;
    runSearch<MiscLogFilter, MiscLog>(state, filter);
}
BENCHMARK(BM_TypeFilterMiddlePage)->Unit(benchmark::kMillisecond);

// Prints how SQLite runs the page queries, so a full scan shows up here.
void printPlan(const std::string& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open(database().path().c_str(), &db);
    sqlite3_stmt* stmt = nullptr;
    const std::string explain = "EXPLAIN QUERY PLAN " + sql;
    if (sqlite3_prepare_v2(db, explain.c_str(), -1, &stmt, nullptr) == SQLITE_OK) {
        std::printf("%s\n", sql.c_str());
        while (sqlite3_step(stmt) == SQLITE_ROW)
            std::printf("    %s\n", reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

void BM_PrintQueryPlans(benchmark::State& state)
{
    for (auto _ : state) {
    }
    MiscLogFilter last;
    last.limit = kPage;
    printPlan(last.toOldestFirstSQL(kPage, 0));
    MiscLogFilter typed;
    typed.log_type = {LOG_DOWNLOAD};
    printPlan(typed.toCountSQL());
    printPlan(typed.toSearchSQL());
    TransferLogFilter dated;
    dated.date_from = 1700100000;
    dated.limit = kPage;
    printPlan(dated.toCountSQL());
    printPlan(dated.toSearchSQL());
}
BENCHMARK(BM_PrintQueryPlans)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
