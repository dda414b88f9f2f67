#include <gtest/gtest.h>

#include <ctime>
#include <algorithm>
#include <random>
#include <set>

#include "kavelin/error-code.h"
#include "store_test_support.h"

namespace {

class StoreSeedsTest : public ::testing::Test, public StoreWithClock {};

} // namespace

TEST_F(StoreSeedsTest, PeerIdsCountFromOneAndPeersExistOnceSeeded)
{
    uint64_t id = 0;
    for (uint64_t expected = 1; expected <= 3; ++expected) {
        ASSERT_TRUE(store.getNextPeerId(id));
        EXPECT_EQ(id, expected);
    }
    EXPECT_FALSE(store.checkPeer(7));
    store.setPeerSeed(7, 1234);
    EXPECT_TRUE(store.checkPeer(7));
    uint64_t found = 0;
    EXPECT_TRUE(store.findPeerIdByPeerSeed(1234, found));
    EXPECT_EQ(found, 7u);
    EXPECT_FALSE(store.findPeerIdByPeerSeed(4321, found));
}

TEST_F(StoreSeedsTest, BothEndsDrawTheSameSeedsAndTokens)
{
    StoreWithClock other;
    store.setPeerSeed(1, 0xC0FFEE);
    other.store.setPeerSeed(5, 0xC0FFEE);
    uint64_t mine = 0, theirs = 0;
    ASSERT_TRUE(store.takeTransferSeed(1, mine));
    ASSERT_TRUE(other.store.takeTransferSeed(5, theirs));
    EXPECT_EQ(mine, theirs);
    for (int i = 0; i < 3; ++i) {
        token_t a = 0, b = 0;
        ASSERT_TRUE(store.takeToken(mine, a));
        ASSERT_TRUE(other.store.takeToken(theirs, b));
        EXPECT_EQ(a, b);
    }
    // The accepting end resolves the connecting end's seed to its own peer.
    uint64_t peer = 0;
    ASSERT_TRUE(other.store.findPeerIdByTransferSeed(mine, peer));
    EXPECT_EQ(peer, 5u);
}

TEST_F(StoreSeedsTest, WindowsStayFullAfterEveryTake)
{
    store.setPeerSeed(1, 99);
    std::vector<uint64_t> window = transferSeedWindow(1);
    ASSERT_EQ(window.size(), 10u);
    for (uint64_t seed : window)
        EXPECT_EQ(tokenWindow(seed).size(), 3u);

    uint64_t taken = 0;
    ASSERT_TRUE(store.takeTransferSeed(1, taken));
    EXPECT_EQ(taken, window.front());
    std::vector<uint64_t> after = transferSeedWindow(1);
    ASSERT_EQ(after.size(), 10u);
    EXPECT_EQ(std::vector<uint64_t>(after.begin(), after.end() - 1), std::vector<uint64_t>(window.begin() + 1, window.end()));

    // Resolving a seed already taken still answers and still draws.
    uint64_t peer = 0;
    ASSERT_TRUE(store.findPeerIdByTransferSeed(taken, peer));
    EXPECT_EQ(peer, 1u);
    EXPECT_EQ(transferSeedWindow(1).size(), 11u);

    const std::vector<uint64_t> tokens = tokenWindow(taken);
    token_t token = 0;
    ASSERT_TRUE(store.takeToken(taken, token));
    EXPECT_EQ(token, tokens.front());
    EXPECT_EQ(tokenWindow(taken).size(), 3u);

    // A second seed keeps the older window in front.
    const std::vector<uint64_t> older = transferSeedWindow(1);
    store.setPeerSeed(1, 100);
    const std::vector<uint64_t> twice = transferSeedWindow(1);
    ASSERT_EQ(twice.size(), older.size() + 10);
    EXPECT_EQ(std::vector<uint64_t>(twice.begin(), twice.begin() + older.size()), older);
}

TEST_F(StoreSeedsTest, GeneratedPeerSeedIsRecordedAndRepeatsWithinASecond)
{
    // Two stores made in the same calendar second draw the same peer seeds.
    for (;;) {
        const std::time_t before = std::time(nullptr);
        VardoCoreManagerImplDefault first;
        VardoCoreManagerImplDefault second;
        if (std::time(nullptr) != before)
            continue;
        uint64_t a = 0, b = 0;
        ASSERT_TRUE(first.generatePeerSeed(4, a));
        ASSERT_TRUE(second.generatePeerSeed(4, b));
        EXPECT_EQ(a, b);
        uint64_t peer = 0;
        ASSERT_TRUE(first.findPeerIdByPeerSeed(a, peer));
        EXPECT_EQ(peer, 4u);
        std::mt19937_64 engine(static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(before))));
        const uint64_t r = engine();
        EXPECT_EQ(a, r ^ (4 + 2654435769ull + r * 64 + r / 4));
        break;
    }
}

TEST_F(StoreSeedsTest, RemovedOrEmptyTransferSeedsHandOutNothing)
{
    store.setPeerSeed(1, 5);
    const uint64_t seed = transferSeedWindow(1).front();
    const std::vector<uint64_t> spare = tokenWindow(seed);
    store.removeTransfer(seed);
    token_t token = 0;
    EXPECT_FALSE(store.takeToken(seed, token));
    TokenInfo info;
    for (token_t t : spare)
        EXPECT_FALSE(store.getTokenInfoFromToken(t, info));

    // A record made by a lookup starts with an empty window.
    store.reserveTokensForTransfer(777, 0);
    store.reserveTokensForTransfer(777, -3);
    EXPECT_TRUE(tokenWindow(777).empty());
    EXPECT_FALSE(store.takeToken(777, token));
    store.reserveTokensForTransfer(777, 5);
    EXPECT_EQ(tokenWindow(777).size(), 5u);
    store.reserveTokensForTransfer(777, 2);
    EXPECT_EQ(tokenWindow(777).size(), 5u);

    EXPECT_FALSE(store.takeTransferSeed(42, token));
}

TEST_F(StoreSeedsTest, AbortMarksAreConsumedOnceAndExpire)
{
    store.setPeerSeed(1, 5);
    const uint64_t seed = transferSeedWindow(1).front();
    const token_t token = tokenWindow(seed).front();

    store.abortUnknownToken(token);
    now += 9999;
    TokenInfo info;
    ASSERT_TRUE(store.getTokenInfoFromToken(token, info));
    EXPECT_TRUE(info.is_aborted);
    EXPECT_EQ(info.peer_id, 1u);
    EXPECT_EQ(info.transfer_seed, seed);
    const std::vector<uint64_t> window = tokenWindow(seed);
    EXPECT_EQ(window.size(), 3u);
    EXPECT_EQ(std::count(window.begin(), window.end(), token), 0);
    ASSERT_TRUE(store.getTokenInfoFromToken(token, info));
    EXPECT_FALSE(info.is_aborted);

    // An old mark lives until the next abort sweeps it.
    store.abortUnknownToken(token);
    now += 60000;
    EXPECT_EQ(tableSize("m_aborted_token"), 1u);
    store.abortUnknownToken(123);
    EXPECT_EQ(tableSize("m_aborted_token"), 1u);
    ASSERT_TRUE(store.getTokenInfoFromToken(token, info));
    EXPECT_FALSE(info.is_aborted);
}

TEST_F(StoreSeedsTest, ExpiryOfAnOlderMarkKeepsTheNewerOne)
{
    store.setPeerSeed(1, 5);
    const token_t token = tokenWindow(transferSeedWindow(1).front()).front();
    store.abortUnknownToken(token);
    now += 5000;
    store.abortUnknownToken(token);  // aborted again: this mark is the one that counts
    now += 5000;
    store.abortUnknownToken(999);    // sweeps the first mark of token
    TokenInfo info;
    ASSERT_TRUE(store.getTokenInfoFromToken(token, info));
    EXPECT_TRUE(info.is_aborted);
}

TEST_F(StoreSeedsTest, ResetPeerClearsItsTasksForAFreshStart)
{
    store.setPeerSeed(1, 5);
    const uint64_t seed = transferSeedWindow(1).front();
    const uint64_t running = add(1);
    const uint64_t paused = add(1);
    const uint64_t other_peer = add(2);
    ResumeInfo scheduled;
    ASSERT_TRUE(store.getNextWaitingInfo(seed, 0, scheduled));
    ASSERT_EQ(scheduled.resume_id, running);
    update(running, "progress", PObject(500u));
    PObject fragments;
    fragments.asArray().resize(1);
    fragments.asArray()[0]["begin"] = 0u;
    fragments.asArray()[0]["end"] = 500u;
    update(running, "fragments", fragments);
    update(paused, "local_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_PAUSED)));
    update(paused, "fragments", fragments);

    store.resetPeer(1);
    const ResumeInfo reset = task(running);
    EXPECT_EQ(reset.local_state, ResumeInfo::RI_ERROR);
    EXPECT_EQ(reset.error, ProjectVardo::ERR_CONNECTION_LOST);
    EXPECT_EQ(reset.token, 0u);
    EXPECT_EQ(reset.progress, 0u);
    EXPECT_EQ(reset.update_time, 0u);
    EXPECT_EQ(reset.elapsed_time, 0u);
    EXPECT_TRUE(reset.fragments.empty());
    EXPECT_EQ(reset.start_time, scheduled.start_time);
    const ResumeInfo kept = task(paused);
    EXPECT_EQ(kept.local_state, ResumeInfo::RI_PAUSED);
    EXPECT_EQ(kept.error, ProjectVardo::ERR_CONNECTION_LOST);
    EXPECT_TRUE(kept.fragments.empty());
    EXPECT_EQ(task(other_peer).error, ProjectVardo::ERR_OK);
    ResumeInfo by_token;
    EXPECT_FALSE(store.getResumeInfoFromToken(scheduled.token, by_token));
    EXPECT_FALSE(store.checkPeer(1));
}

TEST_F(StoreSeedsTest, RemovePeerLeavesNothingOfIt)
{
    store.setPeerSeed(1, 5);
    store.setPeerSeed(2, 6);
    const uint64_t seed = transferSeedWindow(1).front();
    const size_t tokens_of_two = 10 * 3;
    add(1);
    add(1);
    const uint64_t survivor = add(2);
    ResumeInfo scheduled;
    ASSERT_TRUE(store.getNextWaitingInfo(seed, 0, scheduled));

    store.removePeer(1);
    EXPECT_FALSE(store.checkPeer(1));
    EXPECT_EQ(tableSize("m_transfer_seed_infos"), 10u);
    EXPECT_EQ(tableSize("m_token_table"), tokens_of_two);
    EXPECT_EQ(order(), std::vector<uint64_t>{survivor});
    std::vector<ResumeInfo> done;
    store.consumeDoneTasks(done);
    ASSERT_EQ(done.size(), 2u);
    for (const ResumeInfo& failed : done) {
        EXPECT_EQ(failed.local_state, ResumeInfo::RI_FAILED);
        EXPECT_EQ(failed.remote_state, ResumeInfo::RI_FAILED);
        EXPECT_EQ(failed.finish_time, now);
    }
}
