#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "file-op-ex.h"
#include "protocol/stream-message.h"

struct event;
struct event_base;
class PObject;

// One accepted command connection, served by events on the service loop: the
// command's bytes are gathered as they arrive, the command is handled once it
// is whole, and its answer is written as the socket takes it. Nothing here
// waits, so a slow or silent local client never holds the loop. Lives on the
// loop's thread only.
class ControlConnection {
public:
    // Acts on the command; a null answer sends nothing back.
    using Handler = std::function<void(const PObject& cmd, PObject& response)>;
    // Told once, on the loop, that the connection is over whatever the
    // outcome; the owner deletes the connection there and touches it no more.
    using Done = std::function<void(ControlConnection*)>;

    struct Limits {
        uint64_t max_bytes;       // encoded bytes of one command
        size_t max_values;        // values in one command
        unsigned idle_seconds;    // silence allowed while the command arrives
        unsigned deadline_seconds; // the whole exchange, answer included
    };

    // Takes the socket over (non-blocking), even when start fails.
    ControlConnection(event_base* base, cross::socket_t fd, const Limits& limits, Handler handler, Done done);
    ~ControlConnection();
    ControlConnection(const ControlConnection&) = delete;
    ControlConnection& operator=(const ControlConnection&) = delete;

    // Registers the read event and the deadline; 0 or -1.
    int start();
    cross::socket_t socket() const { return m_fd; }

private:
    static void eventRead(int fd, short events, void* arg);
    static void eventWrite(int fd, short events, void* arg);
    static void eventDeadline(int fd, short events, void* arg);

    // Each returns true when the connection is over (Done has been told).
    bool readCommand();
    bool answer(const PObject& response);
    bool writeAnswer();
    bool finish();

    event_base* m_base;
    cross::socket_t m_fd;
    Limits m_limits;
    Handler m_handler;
    Done m_done;
    event* m_read_event = nullptr;
    event* m_write_event = nullptr;
    event* m_deadline_event = nullptr;
    PStreamMessageScanner m_scanner;
    std::string m_command;   // the command's bytes so far
    std::string m_answer;    // encoded answer
    size_t m_answer_sent = 0;
};
