// The site pane's folder cache at 100,000 entries: a finished remove of
// 10,000 names, and the name check of a clean listing as it enters the
// cache, beside one deep copy of the same listing. Figures are entries per
// second.
#include <benchmark/benchmark.h>

#include <list>
#include <string>

#include "site-pane-entries.h"

namespace {

const int kEntries = 100000;

const SiteFileList& Listing()
{
    static const SiteFileList list = [] {
        SiteFileList out;
        out.reserve(kEntries);
        for (int i = 0; i < kEntries; ++i) {
            SiteFileInfo info;
            info.name = QStringLiteral("report-%1.pdf").arg(i);
            info.size = static_cast<uint64_t>(i);
            out.append(info);
        }
        return out;
    }();
    return list;
}

void BM_RemoveTenThousandNames(benchmark::State& state)
{
    std::list<std::string> names;
    for (int i = 0; i < kEntries; i += 10)
        names.push_back(QStringLiteral("report-%1.pdf").arg(i).toStdString());
    for (auto _ : state) {
        state.PauseTiming();
        SiteFileList list = Listing();
        list.detach();
        state.ResumeTiming();
        benchmark::DoNotOptimize(removeEntriesByName(list, names));
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_RemoveTenThousandNames)->Unit(benchmark::kMillisecond);

void BM_CheckCleanListing(benchmark::State& state)
{
    for (auto _ : state) {
        SiteFileList list = Listing();  // shared, as a queued signal hands it over
        benchmark::DoNotOptimize(dropUnusableEntries(list, QStringLiteral("5:/share")));
        benchmark::DoNotOptimize(list.isDetached());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_CheckCleanListing)->Unit(benchmark::kMillisecond);

void BM_CopyListingOnce(benchmark::State& state)
{
    for (auto _ : state) {
        SiteFileList list = Listing();
        list.detach();
        benchmark::DoNotOptimize(list.size());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_CopyListingOnce)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
