#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "protocol/pobject.h"

// A control server that no honest server resembles: it reads each request
// and answers with whatever bytes its script writes, as fast or as slowly as
// the script likes, for as long as the client listens. Answers too large to
// build in memory are written piece by piece. One plain connection; the
// client runs with the TLS upgrade off, or the script answers
// "encrypt_channel" itself.
class HostileServer {
public:
    // What a script writes to. Every call gives false once the client has
    // gone (or the server stops), so a script of endless output ends then.
    class Sink {
    public:
        bool Send(const std::string& bytes);
        // The bytes one at a time, `gap` apart.
        bool Trickle(const std::string& bytes, std::chrono::milliseconds gap);
        // Waits; false when the server stops meanwhile.
        bool Pause(std::chrono::milliseconds time);
        // Bytes the client has taken so far.
        uint64_t Sent() const { return m_sent; }

    private:
        friend class HostileServer;
        Sink(int fd, const std::atomic<bool>& stopping) : m_fd(fd), m_stopping(stopping) {}
        int m_fd;
        const std::atomic<bool>& m_stopping;
        uint64_t m_sent = 0;
    };
    // Called for each request in turn (index from 0) with the decoded request.
    using Script = std::function<void(size_t index, const PObject& request, Sink& sink)>;

    explicit HostileServer(Script script);
    ~HostileServer();
    HostileServer(const HostileServer&) = delete;
    HostileServer& operator=(const HostileServer&) = delete;

    unsigned Port() const { return m_port; }
    // Requests read so far.
    size_t Requests() const { return m_requests; }

private:
    void Serve();

    Script m_script;
    int m_listen_fd = -1;
    unsigned m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<size_t> m_requests{0};
    std::mutex m_mutex;  // guards m_conn_fd
    int m_conn_fd = -1;
    std::thread m_thread;
};

// Pieces of the wire format, for answers written by hand.
namespace wire {

std::string Encode(const PObject& value);  // one whole value
std::string Tag(uint8_t tag);
std::string Text(const std::string& text);  // a string value (also a map key)
std::string Integer(uint64_t value);
std::string BufferHeader(uint32_t count);   // the bytes follow
std::string BinaryHeader(uint64_t length);  // the payload follows
const uint8_t kArray = 0x41, kMap = 0x42, kEnd = 0x40, kBinaryEx = 0x43;

}  // namespace wire
