#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "channel/channel.h"

// A Channel whose peer is memory: reads come from `input`, writes go to
// `output`. Failures are injected by budgets, so the codec above can be
// driven through every error path without sockets.
class MemoryChannel : public Channel {
public:
    MemoryChannel();
    explicit MemoryChannel(const std::string& bytes);
    ~MemoryChannel() override;

    int Read(char* buf, size_t n) override;
    int Read(char* buf, size_t n, size_t& got) override;
    int Write(const char* buf, size_t n) override;
    int FlushWrite(int flag) override;
    bool EnableHash(bool on, const std::string& name) override;
    std::string GetHash() override;
    int Sendfile(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter) override;
    int Recvfile(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter,
                 uint64_t& got) override;
    int RecvfileFallback(CH_FILE_T fd, uint64_t off, uint64_t len,
                         ProgressReporter* reporter) override;

    std::string input;
    size_t input_pos = 0;
    std::string output;
    size_t write_budget = SIZE_MAX;  // bytes Write accepts before it fails
    bool fail_flush = false;
    int file_error = ERR_IO;         // what a cut-short Recvfile reports
    size_t file_chunk = 4096;        // bytes per Report during file moves
    // Called after each reported file chunk (progress checks).
    std::function<void()> after_chunk;
    int files_fast_path = 0;         // Recvfile calls
    int files_fallback = 0;          // RecvfileFallback calls

private:
    int RecvfileLoop(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter,
                     uint64_t& got);
    void Digest(const char* bytes, size_t n);

    struct Digester;
    Digester* m_digest = nullptr;
};
