#include "utils/sigpipe_guard.h"

#include <cerrno>
#include <ctime>
#include <pthread.h>

namespace qelt {

namespace {
sigset_t sigpipeSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    return set;
}
} // namespace

SigpipeGuard::SigpipeGuard()
{
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    // One already pending belongs to someone else: leave it alone.
    m_was_pending = sigismember(&pending, SIGPIPE) == 1;
    if (m_was_pending)
        return;
    sigset_t pipe = sigpipeSet();
    m_blocked = pthread_sigmask(SIG_BLOCK, &pipe, &m_old_mask) == 0;
}

SigpipeGuard::~SigpipeGuard()
{
    if (!m_blocked)
        return;
    int savedErrno = errno;
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    if (sigismember(&pending, SIGPIPE) == 1) {
        sigset_t pipe = sigpipeSet();
        const timespec zero{0, 0};
        while (sigtimedwait(&pipe, nullptr, &zero) == -1 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &m_old_mask, nullptr);
    errno = savedErrno;
}

} // namespace qelt
