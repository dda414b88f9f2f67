// A command connection driven by its own event base in the test's thread:
// every step is a non-blocking turn of the loop, so a connection that waited
// for its peer would hang the test instead of returning.
#include "kavelin/control-connection.h"

#include <event2/event.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "protocol/pobject.h"
#include "protocol/stream-message.h"

namespace {

std::string Encode(const PObject& object)
{
    PStream stream;
    std::string bytes;
    EXPECT_EQ(PStream::ERR_OK, PStreamEncode(stream, object, bytes));
    return bytes;
}

std::string repeated(const std::string& bytes, size_t times)
{
    std::string out;
    for (size_t i = 0; i < times; ++i)
        out += bytes;
    return out;
}

PObject Command()
{
    PObject cmd;
    cmd["action"] = "check_connection";
    cmd["peer_id"] = static_cast<PObject::integer_type>(77);
    cmd["ip"] = "127.0.0.1";
    return cmd;
}

ControlConnection::Limits Limits(uint64_t max_bytes = 1 << 20, size_t max_values = 1000, unsigned idle = 30,
                                 unsigned deadline = 30)
{
    ControlConnection::Limits limits;
    limits.max_bytes = max_bytes;
    limits.max_values = max_values;
    limits.idle_seconds = idle;
    limits.deadline_seconds = deadline;
    return limits;
}

// One connection over a socket pair: `peer` is the client's end.
class Harness {
public:
    explicit Harness(const ControlConnection::Limits& limits, int engine_send_buffer = 0)
    {
        base = event_base_new();
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
            ADD_FAILURE() << "socketpair: " << errno;
        peer = fds[1];
        if (engine_send_buffer > 0)
            ::setsockopt(fds[0], SOL_SOCKET, SO_SNDBUF, &engine_send_buffer, sizeof engine_send_buffer);
        connection = new ControlConnection(
            base, fds[0], limits,
            [this](const PObject& cmd, PObject& response) {
                commands.push_back(cmd);
                response = answer;
            },
            [this](ControlConnection* finished) {
                EXPECT_EQ(connection, finished);
                EXPECT_FALSE(done) << "told twice";
                done = true;
                delete finished;
                connection = nullptr;
            });
        EXPECT_EQ(0, connection->start());
    }

    ~Harness()
    {
        delete connection;
        if (peer >= 0)
            ::close(peer);
        event_base_free(base);
    }

    // Serves what is ready now, without waiting.
    void turn()
    {
        for (int i = 0; i < 8 && !done; ++i)
            event_base_loop(base, EVLOOP_NONBLOCK);
    }

    // Runs the loop until the connection is over (timers included).
    void runUntilDone()
    {
        while (!done)
            event_base_loop(base, EVLOOP_ONCE);
    }

    void send(const std::string& bytes)
    {
        ASSERT_EQ(static_cast<ssize_t>(bytes.size()), ::send(peer, bytes.data(), bytes.size(), MSG_NOSIGNAL));
    }

    // What the peer can read now; eof set once the engine closed its end.
    std::string readAvailable(bool& eof)
    {
        std::string got;
        char buffer[64 * 1024];
        for (;;) {
            const ssize_t n = ::recv(peer, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n > 0) {
                got.append(buffer, static_cast<size_t>(n));
                continue;
            }
            eof = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
            return got;
        }
    }

    event_base* base = nullptr;
    int peer = -1;
    ControlConnection* connection = nullptr;
    bool done = false;
    std::vector<PObject> commands;
    PObject answer;
};

TEST(ControlConnection, CommandInPiecesIsHandledOnceWholeAndAnswered)
{
    const std::string bytes = Encode(Command());
    for (size_t piece : {size_t(1), size_t(5), bytes.size()}) {
        Harness harness(Limits());
        harness.answer["error"] = "Data channel not ready";
        for (size_t at = 0; at < bytes.size(); at += piece) {
            harness.send(bytes.substr(at, piece));
            harness.turn();
            if (at + piece < bytes.size()) {
                ASSERT_TRUE(harness.commands.empty()) << "handled before its last byte, piece " << piece;
            }
        }
        ASSERT_EQ(1u, harness.commands.size()) << "piece " << piece;
        EXPECT_EQ(Command().toString(), harness.commands[0].toString());
        EXPECT_TRUE(harness.done);

        bool eof = false;
        const std::string answer = harness.readAvailable(eof);
        EXPECT_TRUE(eof) << "the connection closes after its answer";
        PStream stream;
        PObject decoded;
        ASSERT_EQ(PStream::ERR_OK, PStreamDecode(stream, answer, decoded));
        EXPECT_EQ("Data channel not ready", decoded["error"].asString());
    }
}

TEST(ControlConnection, NullAnswerClosesWithoutSending)
{
    Harness harness(Limits());
    harness.send(Encode(Command()) + "bytes after the command are never read");
    harness.turn();
    ASSERT_EQ(1u, harness.commands.size());
    ASSERT_TRUE(harness.done);
    bool eof = false;
    EXPECT_EQ("", harness.readAvailable(eof));
    EXPECT_TRUE(eof);
}

// An answer larger than the socket takes at once goes out with write events
// while the loop stays free; the peer gets it whole.
TEST(ControlConnection, LargeAnswerIsWrittenAsThePeerReads)
{
    Harness harness(Limits(), 8 * 1024);
    for (int i = 0; i < 64; ++i)
        harness.answer["part" + std::to_string(i)] = std::string(60000, static_cast<char>('a' + i % 26));
    harness.send(Encode(Command()));
    harness.turn();
    ASSERT_EQ(1u, harness.commands.size());
    EXPECT_FALSE(harness.done) << "the answer cannot have left yet";

    std::string received;
    bool eof = false;
    while (!eof) {
        received += harness.readAvailable(eof);
        harness.turn();
    }
    EXPECT_TRUE(harness.done);
    PStream stream;
    PObject decoded;
    ASSERT_EQ(PStream::ERR_OK, PStreamDecode(stream, received, decoded));
    EXPECT_EQ(harness.answer.toString(), decoded.toString());
}

// Each refused command ends its connection at once (the limits of time are
// far away), without reaching the handler.
TEST(ControlConnection, RefusedCommandsEndTheConnectionUnhandled)
{
    struct Row {
        const char* name;
        std::string bytes;
        ControlConnection::Limits limits;
        bool peer_closes;
    };
    const std::string key("\x42\x10\x00\x06" "action", 10);
    PObject many;
    for (int i = 0; i < 50; ++i)
        many["k" + std::to_string(i)] = static_cast<PObject::integer_type>(i);
    const std::vector<Row> rows = {
        {"file_value", key + std::string("\x30\x00\x00\x01\x00\x00\x00\x00\x00", 9), Limits(), false},
        {"unknown_tag", key + "\x77", Limits(), false},
        {"not_a_map_key", std::string("\x42\x01\x01\x05\x10\x00\x01x\x40", 9), Limits(), false},
        {"announced_beyond_the_budget", key + std::string("\x20\x00\x00\x08\x00", 5), Limits(1024), false},
        {"streamed_beyond_the_budget", key + "\x41" + repeated(std::string("\x01\x01\x07", 3), 400), Limits(1024),
         false},
        {"too_many_values", Encode(many), Limits(1 << 20, 20), false},
        {"peer_leaves_half_way", Encode(Command()).substr(0, 12), Limits(), true},
    };
    for (const Row& row : rows) {
        Harness harness(row.limits);
        harness.send(row.bytes);
        if (row.peer_closes)
            ::shutdown(harness.peer, SHUT_WR);
        harness.turn();
        EXPECT_TRUE(harness.done) << row.name;
        EXPECT_TRUE(harness.commands.empty()) << row.name;
        bool eof = false;
        harness.readAvailable(eof);
        EXPECT_TRUE(eof) << row.name;
    }
}

// A silent peer meets the idle limit; one that keeps trickling meets the
// deadline before its command is whole.
TEST(ControlConnection, SilentAndTricklingPeersMeetTheirTimeLimits)
{
    {
        Harness harness(Limits(1 << 20, 1000, 1, 30));
        harness.runUntilDone();
        EXPECT_TRUE(harness.commands.empty());
    }
    {
        Harness harness(Limits(1 << 20, 1000, 30, 1));
        const std::string bytes = Encode(Command());
        std::atomic<bool> stop{false};
        const int peer = harness.peer;
        // Three seconds for the whole command: it could be whole only
        // long after the deadline.
        std::thread trickler([&] {
            for (size_t i = 0; i < bytes.size() && !stop; ++i) {
                if (::send(peer, &bytes[i], 1, MSG_NOSIGNAL) != 1)
                    return;
                std::this_thread::sleep_for(std::chrono::milliseconds(3000 / bytes.size() + 1));
            }
        });
        harness.runUntilDone();
        stop = true;
        trickler.join();
        EXPECT_TRUE(harness.commands.empty()) << "the deadline passed before the command was whole";
    }
}

} // namespace
