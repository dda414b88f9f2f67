#pragma once

#include <signal.h>

namespace qelt {

// Blocks SIGPIPE on this thread for the guard's lifetime and swallows one
// raised meanwhile, for calls that write to a socket without MSG_NOSIGNAL
// (sendfile(2), OpenSSL's socket BIO). A closed peer then gives EPIPE instead
// of killing the process.
class SigpipeGuard {
public:
    SigpipeGuard();
    ~SigpipeGuard();
    SigpipeGuard(const SigpipeGuard&) = delete;
    SigpipeGuard& operator=(const SigpipeGuard&) = delete;

private:
    sigset_t m_old_mask;
    bool m_was_pending = false;
    bool m_blocked = false;
};

} // namespace qelt
