// ProtoUI against a hostile server: file values, oversized and endless
// answers, malformed shapes and trickled bytes. Every case must fail fast
// with a clear error, keep the process's memory bounded and leave no file
// behind; a client without its limits would instead succeed late, grow by
// gigabytes or write files, so no case needs a timed assertion.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "hostile_server.h"
#include "protocol/proto-ui.h"
#include "support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using Sink = HostileServer::Sink;

// Peak resident memory of this process (VmHWM), in KiB; 0 when unknown.
uint64_t PeakRssKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoull(line.substr(6));
    }
    return 0;
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// Redzones and the quarantine of freed blocks (ASan), shadow memory and the
// allocator's own caches (TSan) roughly double what the client holds.
const uint64_t kMaxGrowthKiB = 1536 * 1024;
#else
const uint64_t kMaxGrowthKiB = 768 * 1024;
#endif

// The current folder and TMPDIR point into fresh empty folders for the
// client's lifetime, so that any file it writes is found.
class FileWatch {
public:
    FileWatch() : m_cwd(std::filesystem::current_path())
    {
        std::filesystem::current_path(m_work.path());
        const char* tmp = ::getenv("TMPDIR");
        if (tmp)
            m_old_tmp = tmp;
        m_had_tmp = tmp != nullptr;
        ::setenv("TMPDIR", m_tmp.path().c_str(), 1);
    }
    ~FileWatch()
    {
        std::filesystem::current_path(m_cwd);
        if (m_had_tmp)
            ::setenv("TMPDIR", m_old_tmp.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> found;
        for (const auto* dir : {&m_work, &m_tmp})
            for (const auto& entry : std::filesystem::recursive_directory_iterator(dir->path()))
                found.push_back(entry.path().string());
        return found;
    }

private:
    qm_test::TempDir m_work{"qm-hostile-cwd"};
    qm_test::TempDir m_tmp{"qm-hostile-tmp"};
    std::filesystem::path m_cwd;
    std::string m_old_tmp;
    bool m_had_tmp = false;
};

PObject Map(std::initializer_list<std::pair<const char*, PObject>> members)
{
    PObject map;
    map.asMap();
    for (const auto& member : members)
        map[member.first] = member.second;
    return map;
}

PObject Array(const PObject::array_type& elements)
{
    PObject array;
    array.asArray() = elements;
    return array;
}

PObject Entry(const PObject& name)
{
    return Map({{"name", name}, {"is_dir", uint64_t(0)}, {"size", uint64_t(1)}, {"mtime", uint64_t(1700000000)}});
}

std::string Listing(const PObject::array_type& entries)
{
    return wire::Encode(Map({{"is_dir", uint64_t(1)}, {"node_list", Array(entries)}}));
}

// The start of a listing whose entries the script then writes one by one.
std::string OpenListing()
{
    return wire::Tag(wire::kMap) + wire::Text("is_dir") + wire::Integer(1) + wire::Text("node_list") +
           wire::Tag(wire::kArray);
}

// Writes `count` entries made by `entry` and closes the listing; stops when
// the client leaves.
void StreamListing(Sink& sink, uint64_t count, const std::function<std::string(uint64_t)>& entry)
{
    if (!sink.Send(OpenListing()))
        return;
    std::string batch;
    for (uint64_t i = 0; i < count; ++i) {
        batch += entry(i);
        if (batch.size() >= (1u << 20)) {
            if (!sink.Send(batch))
                return;
            batch.clear();
        }
    }
    sink.Send(batch + wire::Tag(wire::kEnd) + wire::Tag(wire::kEnd));
}

// Sends `length` bytes of file payload, a block at a time, until the client leaves.
void StreamPayload(Sink& sink, uint64_t length)
{
    const std::string block(1 << 20, 'z');
    for (uint64_t sent = 0; sent < length; sent += block.size()) {
        if (!sink.Send(block))
            return;
    }
}

const std::string kHugeName(65535, 'n');
// The rows about size move hundreds of megabytes; under a sanitizer that
// takes a while, and they are not about time.
const unsigned kSlowTimeout = 30;
const uint64_t kFileLength = uint64_t(1) << 62;

enum class Call { List, Auth };

struct HostileCase {
    const char* name;
    Call call;
    bool upgrade;      // the client asks for "encrypt_channel" first
    unsigned timeout;  // the client's time-out, seconds
    HostileServer::Script script;
    ProtoUI::Error error;
    const char* message;  // part of the error message
    // A complete answer of the wrong shape leaves the connection in step; one
    // cut off by a limit or the deadline ends it.
    bool connection_kept = false;
};

std::string AuthAnswer(const PObject& build, const PObject* seed)
{
    PObject answer = Map({});
    answer["server"]["package_version"]["build"] = build;
    if (seed)
        answer["seed"] = *seed;
    return wire::Encode(answer);
}

// Answers request `index` with `bytes`, sent whole; other requests go unanswered.
HostileServer::Script AnswerWith(size_t index, std::string bytes)
{
    return [index, bytes](size_t i, const PObject&, Sink& sink) {
        if (i == index)
            sink.Send(bytes);
    };
}

std::vector<HostileCase> Cases()
{
    const ProtoUI::Error PROTOCOL = ProtoUI::ERROR_PROTOCOL, TIMEOUT = ProtoUI::ERROR_CHANNEL_IO;
    const PObject keep_alive = Map({{"type", "keep_alive"}, {"is_dir", uint64_t(1)}});
    const std::string good_listing = Listing({Entry("a.txt")});
    PObject::buffer_type long_name;
    long_name.assign(std::string(70000, 'n').data(), 70000);
    const PObject seed0(uint64_t(0)), seed_text("123"), build1(uint64_t(1));

    return {
        {"FileValueInAListing", Call::List, false, 5,
         [](size_t, const PObject&, Sink& sink) {
             if (sink.Send(OpenListing() + wire::BinaryHeader(kFileLength)))
                 StreamPayload(sink, kFileLength);
         },
         PROTOCOL, "malformed answer: a file value in an answer"},
        {"FileValueBeforeTls", Call::List, true, 5,
         [](size_t, const PObject&, Sink& sink) {
             std::string answer = wire::Tag(wire::kMap) + wire::Text("project") + wire::Text("quillmar-file-manager") +
                                  wire::Text("x") + wire::BinaryHeader(kFileLength);
             if (sink.Send(answer))
                 StreamPayload(sink, kFileLength);
         },
         PROTOCOL, "malformed answer: a file value in an answer"},
        {"FileValueWithDigest", Call::List, false, 5,
         [](size_t, const PObject&, Sink& sink) {
             std::string answer = OpenListing() + wire::Tag(wire::kBinaryEx) + wire::Text("binary") +
                                  wire::BinaryHeader(kFileLength);
             if (sink.Send(answer))
                 StreamPayload(sink, kFileLength);
         },
         PROTOCOL, "malformed answer: a file value in an answer"},
        {"TwentyThousandNamesOf64KiB", Call::List, false, kSlowTimeout,
         [](size_t, const PObject&, Sink& sink) {
             const std::string entry = wire::Encode(Entry(kHugeName));
             StreamListing(sink, 20000, [&entry](uint64_t) { return entry; });
         },
         PROTOCOL, "answer larger than the limit of"},
        {"BuffersOf64MiB", Call::List, false, kSlowTimeout,
         [](size_t, const PObject&, Sink& sink) {
             if (!sink.Send(OpenListing()))
                 return;
             const std::string chunk(1 << 20, 'b');
             for (int i = 0; i < 24; ++i) {
                 if (!sink.Send(wire::BufferHeader(64u << 20)))
                     return;
                 for (int j = 0; j < 64; ++j)
                     if (!sink.Send(chunk))
                         return;
             }
             sink.Send(wire::Tag(wire::kEnd) + wire::Tag(wire::kEnd));
         },
         PROTOCOL, "answer larger than the limit of"},
        {"TwoMillionSmallEntries", Call::List, false, kSlowTimeout,
         [](size_t, const PObject&, Sink& sink) {
             StreamListing(sink, 2000000, [](uint64_t i) {
                 return wire::Tag(wire::kMap) + wire::Text("name") + wire::Text("f" + std::to_string(i)) +
                        wire::Text("size") + wire::Integer(1) + wire::Tag(wire::kEnd);
             });
         },
         PROTOCOL, "answer of more than"},
        {"NullAnswer", Call::List, false, 5, AnswerWith(0, wire::Encode(PObject())), PROTOCOL,
         "malformed answer: null instead of a map", true},
        {"ArrayAnswer", Call::List, false, 5, AnswerWith(0, wire::Encode(Array({}))), PROTOCOL,
         "malformed answer: not a map but an array", true},
        {"NodeListNotAnArray", Call::List, false, 5,
         AnswerWith(0, wire::Encode(Map({{"is_dir", uint64_t(1)}, {"node_list", "a.txt"}}))), PROTOCOL,
         "malformed answer: \"node_list\" is a string, not an array", true},
        {"SizeBeyondAFileOffset", Call::List, false, 5,
         AnswerWith(0, Listing({Map({{"name", "a.txt"}, {"is_dir", uint64_t(0)}, {"size", UINT64_MAX}})})), PROTOCOL,
         "\"size\" is 18446744073709551615, above 9223372036854775807", true},
        {"NameOver65535Bytes", Call::List, false, 5, AnswerWith(0, Listing({Entry(PObject(long_name))})), PROTOCOL,
         "\"name\" is a buffer, not a string", true},
        {"AuthWithoutSeed", Call::Auth, false, 5, AnswerWith(0, AuthAnswer(build1, nullptr)), PROTOCOL,
         "malformed answer: no session \"seed\"", true},
        {"AuthSeedZero", Call::Auth, false, 5, AnswerWith(0, AuthAnswer(build1, &seed0)), PROTOCOL,
         "malformed answer: the session \"seed\" is 0", true},
        {"AuthSeedAsString", Call::Auth, false, 5, AnswerWith(0, AuthAnswer(build1, &seed_text)), PROTOCOL,
         "malformed answer: \"seed\" is a string", true},
        {"AuthBuildAllOnes", Call::Auth, false, 5, AnswerWith(0, AuthAnswer(PObject(uint64_t(UINT64_MAX)), &seed0)),
         PROTOCOL, "malformed answer: \"server\" / \"package_version\" / \"build\" is 18446744073709551615", true},
        // A minute of "keep_alive" (or of trickled bytes), then a good answer:
        // a client without a deadline would take it and succeed.
        {"KeepAliveForEver", Call::List, false, 1,
         [keep_alive, good_listing](size_t, const PObject&, Sink& sink) {
             const auto end = std::chrono::steady_clock::now() + 60s;
             while (std::chrono::steady_clock::now() < end)
                 if (!sink.Send(wire::Encode(keep_alive)) || !sink.Pause(200ms))
                     return;
             sink.Send(good_listing);
         },
         TIMEOUT, "stream error while receiving response: time-out, the request did not complete within 4 s"},
        {"KeepAliveFlood", Call::List, false, 1,
         [keep_alive, good_listing](size_t, const PObject&, Sink& sink) {
             const std::string batch = [&] {
                 std::string bytes;
                 for (int i = 0; i < 1000; ++i)
                     bytes += wire::Encode(keep_alive);
                 return bytes;
             }();
             const auto end = std::chrono::steady_clock::now() + 60s;
             while (std::chrono::steady_clock::now() < end)
                 if (!sink.Send(batch))
                     return;
             sink.Send(good_listing);
         },
         TIMEOUT, "time-out, the request did not complete within 4 s"},
        {"OneByteAtATime", Call::List, false, 1,
         [](size_t, const PObject&, Sink& sink) {
             sink.Trickle(Listing({Entry(std::string(100, 'n'))}), 500ms);
         },
         TIMEOUT, "stream error while receiving response: time-out"},
        {"OneByteAtATimeBeforeTls", Call::List, true, 1,
         [](size_t, const PObject&, Sink& sink) {
             sink.Trickle(wire::Encode(Map({{"project", "quillmar-file-manager"}, {"pad", std::string(100, 'p')}})),
                          500ms);
         },
         TIMEOUT, "stream error while receiving encrypt_channel answer: time-out"},
    };
}

void PrintTo(const HostileCase& c, std::ostream* out)
{
    *out << c.name;
}

class ProtoUIHostileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(ProtoUIHostileTest, FailsFastWithBoundedMemoryAndNoFiles)
{
    const HostileCase& c = GetParam();
    const uint64_t peak_before = PeakRssKiB();
    HostileServer server(c.script);
    FileWatch files;
    {
        ProtoUI client;
        client.SetServer("127.0.0.1", server.Port());
        client.SetUser("alice", "pw", "");
        client.SetSSL(c.upgrade, false, "", "");
        client.SetTimeout(c.timeout);
        int rc;
        if (c.call == Call::Auth) {
            uint64_t seed = 7;
            rc = client.Auth(seed, false);
            EXPECT_EQ(seed, 7u);
        } else {
            bool is_dir = false;
            std::vector<ProtoUI::Node> nodes;
            rc = client.ListNode("/docs/x", is_dir, nodes);
            EXPECT_TRUE(nodes.empty());
            EXPECT_FALSE(is_dir);
        }
        EXPECT_EQ(rc, -1);
        EXPECT_EQ(client.GetLastError(), c.error) << client.GetLastErrorMessage();
        EXPECT_NE(client.GetLastErrorMessage().find(c.message), std::string::npos) << client.GetLastErrorMessage();
        if (c.connection_kept) {
            EXPECT_NE(client.getChannelMtu(), -1) << "a complete answer leaves the connection usable";
        } else {
            EXPECT_EQ(client.getChannelMtu(), -1) << "no connection is kept after a cut-off answer";
        }
    }
    EXPECT_EQ(files.Files(), std::vector<std::string>());
    const uint64_t peak_after = PeakRssKiB();
    ASSERT_NE(peak_after, 0u) << "no VmHWM in /proc/self/status";
    EXPECT_LT(peak_after - peak_before, kMaxGrowthKiB) << "peak memory grew from " << peak_before << " KiB to "
                                                       << peak_after << " KiB";
}

// The largest answer a real server gives must fit the budgets: a folder of
// 500,000 entries with names of 255 bytes.
TEST(ProtoUIHostile, LargestRealListingFits)
{
    const uint64_t kEntries = 500000;
    const uint64_t peak_before = PeakRssKiB();
    HostileServer server([&](size_t, const PObject&, Sink& sink) {
        StreamListing(sink, kEntries, [](uint64_t i) {
            std::string name = std::to_string(i);
            name.resize(255, 'n');
            return wire::Tag(wire::kMap) + wire::Text("is_dir") + wire::Integer(0) + wire::Text("mtime") +
                   wire::Integer(1700000000) + wire::Text("name") + wire::Text(name) + wire::Text("size") +
                   wire::Integer(1) + wire::Tag(wire::kEnd);
        });
    });
    FileWatch files;
    ProtoUI client;
    client.SetServer("127.0.0.1", server.Port());
    client.SetSSL(false, false, "", "");
    client.SetTimeout(kSlowTimeout);
    bool is_dir = false;
    std::vector<ProtoUI::Node> nodes;
    ASSERT_EQ(client.ListNode("/docs", is_dir, nodes), 0) << client.GetLastErrorMessage();
    EXPECT_TRUE(is_dir);
    ASSERT_EQ(nodes.size(), kEntries);
    EXPECT_EQ(nodes.back().name.substr(0, 6), "499999");
    EXPECT_EQ(files.Files(), std::vector<std::string>());
    EXPECT_LT(PeakRssKiB() - peak_before, kMaxGrowthKiB);
}

// Entries are read as they arrive; those of a "keep_alive" before the answer
// are not the answer's; a name of no single item is left out, and a listing
// with one malformed entry is not partly taken.
TEST(ProtoUIHostile, ListingTakesOnlyTheAnswersEntriesAndAllOrNone)
{
    const PObject keep_alive =
        Map({{"type", "keep_alive"}, {"is_dir", uint64_t(1)}, {"node_list", Array({Entry("stale.txt")})}});
    const std::string answers[] = {
        wire::Encode(keep_alive) + Listing({Entry("a.txt"), Entry("b.txt")}),
        Listing({Entry("c.txt"), Entry(".."), Entry(PObject(std::string("a.txt\0.exe", 10))), Entry("d.txt")}),
        Listing({Entry("e.txt"), Map({{"name", "dir"}, {"is_dir", uint64_t(7)}}), Entry("f.txt")}),
    };
    HostileServer server([&](size_t i, const PObject&, Sink& sink) {
        if (i < 3)
            sink.Send(answers[i]);
    });
    ProtoUI client;
    client.SetServer("127.0.0.1", server.Port());
    client.SetSSL(false, false, "", "");
    client.SetTimeout(5);
    bool is_dir = false;
    std::vector<ProtoUI::Node> nodes(1);
    nodes[0].name = "kept";
    ASSERT_EQ(client.ListNode("/docs", is_dir, nodes), 0) << client.GetLastErrorMessage();
    EXPECT_TRUE(is_dir);
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[0].name, "kept");
    EXPECT_EQ(nodes[1].name, "a.txt");
    EXPECT_EQ(nodes[2].name, "b.txt");

    ASSERT_EQ(client.ListNode("/docs", is_dir, nodes), 0) << client.GetLastErrorMessage();
    ASSERT_EQ(nodes.size(), 5u);
    EXPECT_EQ(nodes[3].name, "c.txt");
    EXPECT_EQ(nodes[4].name, "d.txt");

    EXPECT_EQ(client.ListNode("/docs", is_dir, nodes), -1);
    EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_PROTOCOL);
    EXPECT_NE(client.GetLastErrorMessage().find("node_list entry 1: "), std::string::npos)
        << client.GetLastErrorMessage();
    EXPECT_EQ(nodes.size(), 5u);
    EXPECT_NE(client.getChannelMtu(), -1) << "a complete answer leaves the connection usable";
}

INSTANTIATE_TEST_SUITE_P(Answers, ProtoUIHostileTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

}  // namespace
