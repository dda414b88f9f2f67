// The site model's folder work at 100,000 entries: filter and sort beside a
// plain std::sort of the same names, and the local helper's listing beside
// `ls -f` of the same folder. Figures are entries per second.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <QDateTime>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "local-site-helper.h"
#include "site-file-info.h"
#include "site-time.h"
#include "support/temp_dir.h"

namespace {

const int kEntries = 100000;

const SiteFileList& Listing()
{
    static const SiteFileList list = [] {
        static const char* const kExtensions[] = {"jpg", "txt", "pdf", "tar.gz", "mp4", "docx", "", "cpp"};
        std::mt19937 random(7);
        SiteFileList out;
        out.reserve(kEntries);
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        for (int i = 0; i < kEntries; ++i) {
            SiteFileInfo info;
            const char* ext = kExtensions[random() % 8];
            info.name = QStringLiteral("Holiday-%1-photo").arg(random() % 1000000) +
                        (*ext ? QStringLiteral(".") + QLatin1String(ext) : QString());
            info.is_dir = random() % 10 == 0;
            info.size = info.is_dir ? 0 : random() % 100000000;
            // Times as the site helpers make them.
            info.mtime = localDateTimeFromMSecs((now - static_cast<qint64>(random() % 100000000)) * 1000);
            out.append(info);
        }
        return out;
    }();
    return list;
}

void RunFilter(benchmark::State& state, const SiteFileFilter& filter)
{
    const SiteFileList& list = Listing();
    SiteFileList out;
    for (auto _ : state) {
        filterAndSortSiteFileList(list, filter, out);
        benchmark::DoNotOptimize(out.size());
    }
    state.SetItemsProcessed(state.iterations() * list.size());
}

void BM_FilterFresh(benchmark::State& state)
{
    RunFilter(state, SiteFileFilter());
}

void BM_FilterKeywordNameSort(benchmark::State& state)
{
    SiteFileFilter filter;
    filter.keyword = "PHOTO";
    filter.sort_column = COL_NAME;
    RunFilter(state, filter);
}

void BM_FilterTypeSortDescending(benchmark::State& state)
{
    SiteFileFilter filter;
    filter.sort_column = COL_TYPE;
    filter.sort_asc = false;
    RunFilter(state, filter);
}

void BM_FilterTimeSort(benchmark::State& state)
{
    SiteFileFilter filter;
    filter.sort_column = COL_MTIME;
    RunFilter(state, filter);
}

// The baseline: the names alone, copied and sorted.
void BM_StdSortOfNames(benchmark::State& state)
{
    std::vector<QString> names;
    for (const SiteFileInfo& info : Listing())
        names.push_back(info.name);
    for (auto _ : state) {
        std::vector<QString> copy = names;
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * names.size());
}

struct BigFolder {
    BigFolder()
    {
        path = dir.file("big");
        std::filesystem::create_directory(path);
        for (int i = 0; i < kEntries; ++i) {
            const std::string file = path + "/holiday-photo-" + std::to_string(i) + ".jpg";
            int fd = ::open(file.c_str(), O_CREAT | O_WRONLY, 0644);
            if (fd >= 0)
                ::close(fd);
        }
    }
    qm_test::TempDir dir{"qm-site-bench"};
    std::string path;
};

BigFolder& Folder()
{
    static BigFolder folder;
    return folder;
}

void BM_LocalListNode(benchmark::State& state)
{
    const std::string& path = Folder().path;
    LocalSiteHelper helper(nullptr);
    for (auto _ : state) {
        SiteFileList list;
        bool is_dir = false;
        if (helper.listNode(path, is_dir, list) != 0 || list.size() != kEntries)
            state.SkipWithError("listing failed");
        benchmark::DoNotOptimize(list.size());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}

void BM_LsF(benchmark::State& state)
{
    const std::string command = "ls -f '" + Folder().path + "' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("ls failed");
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}

BENCHMARK(BM_FilterFresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterKeywordNameSort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterTypeSortDescending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterTimeSort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdSortOfNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocalListNode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LsF)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
