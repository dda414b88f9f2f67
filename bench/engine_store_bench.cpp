// The task store under a large queue: 100,000 waiting tasks over 4 peers,
// driven through the front as the engine and the task views drive it.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "kavelin/vardo-core-manager-impl-lock.h"
#include "kavelin/vardo-core-manager.h"
#include "protocol/pobject.h"

namespace {

const int kTasks = 100000;
const int kPeers = 4;
const int kBatch = 1000;

ResumeInfo makeTask(int index)
{
    ResumeInfo task;
    task.peer_id = 1 + index % kPeers;
    task.command = index % 2 ? C_PULL : C_PUSH;
    task.path_from = ustring("/volume1/share/folder/some file name.bin");
    task.path_to = ustring("/home/user/Downloads/folder/some file name.bin");
    task.total = 1 << 20;
    return task;
}

struct Queue {
    std::unique_ptr<VardoCoreManager> manager{new VardoCoreManager(new VardoCoreManagerImplLock())};
    uint64_t transfer_seeds[kPeers + 1] = {};

    Queue()
    {
        for (int peer = 1; peer <= kPeers; ++peer) {
            manager->setPeerSeed(peer, 1000 + peer);
            manager->takeTransferSeed(peer, transfer_seeds[peer]);
        }
    }

    void fill()
    {
        std::vector<ResumeInfo> batch;
        for (int i = 0; i < kTasks; ++i) {
            batch.push_back(makeTask(i));
            if (batch.size() == kBatch) {
                manager->addInfos(batch);
                batch.clear();
            }
        }
    }
};

void BM_AddInfosBatch(benchmark::State& state)
{
    std::unique_ptr<Queue> queue;
    std::vector<ResumeInfo> batch;
    for (int i = 0; i < kBatch; ++i)
        batch.push_back(makeTask(i));
    int added = kTasks;
    for (auto _ : state) {
        if (added >= kTasks) {
            state.PauseTiming();
            queue.reset(new Queue());
            added = 0;
            state.ResumeTiming();
        }
        queue->manager->addInfos(batch);
        added += kBatch;
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_AddInfosBatch)->Unit(benchmark::kMicrosecond);

void BM_GetNextWaitingInfo(benchmark::State& state)
{
    std::unique_ptr<Queue> queue;
    int peer = 1;
    for (auto _ : state) {
        ResumeInfo task;
        if (!queue || !queue->manager->getNextWaitingInfo(queue->transfer_seeds[peer], 0, task)) {
            // Every task is running now: start over with a full queue.
            state.PauseTiming();
            queue.reset(new Queue());
            queue->fill();
            state.ResumeTiming();
        }
        peer = peer % kPeers + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetNextWaitingInfo)->Unit(benchmark::kMicrosecond);

void BM_GetInfosPage(benchmark::State& state)
{
    Queue queue;
    queue.fill();
    ResumeFilter filter;
    filter.offset = static_cast<int>(state.range(0));
    filter.limit = 100;
    if (state.range(1)) {
        filter.check_peer_id = true;
        filter.peer_ids = {2};
    }
    std::vector<ResumeInfo> page;
    int total = 0;
    uint64_t down = 0, up = 0;
    for (auto _ : state) {
        queue.manager->getInfos(filter, page, total, down, up);
        benchmark::DoNotOptimize(page.data());
    }
}
// Offset 0 and far down the queue, all peers and one peer.
BENCHMARK(BM_GetInfosPage)->Args({0, 0})->Args({90000, 0})->Args({0, 1})->Args({20000, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_AdjustPriority(benchmark::State& state)
{
    Queue queue;
    queue.fill();
    // 100 tasks spread over the whole queue, as a user's selection of a page
    // after sorting would be.
    std::vector<uint64_t> selected;
    for (uint64_t id = 500; selected.size() < 100; id += 997)
        selected.push_back(id);
    const bool most = state.range(0) != 0;
    bool up = true;
    for (auto _ : state) {
        queue.manager->adjustPriority(selected, up, most);
        up = !up;
    }
    state.SetItemsProcessed(state.iterations() * selected.size());
}
BENCHMARK(BM_AdjustPriority)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
