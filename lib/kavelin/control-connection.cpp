// A command connection served by events: gathered, handled, answered.
#include "kavelin/control-connection.h"

#include <event2/event.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "log.h"
#include "protocol/pobject.h"

namespace {

const char* const kComponent = "transfer_service_impl_debug";
// Bytes read per readiness event: a fast sender of a large command shares
// the loop with the transfers instead of taking it until its command is in.
const size_t kReadPerEvent = 64 * 1024;

} // namespace

ControlConnection::ControlConnection(event_base* base, cross::socket_t fd, const Limits& limits, Handler handler,
                                     Done done)
    : m_base(base), m_fd(fd), m_limits(limits), m_handler(std::move(handler)), m_done(std::move(done))
{
    cross::setBlocking(m_fd, false);
}

ControlConnection::~ControlConnection()
{
    for (event* ev : {m_read_event, m_write_event, m_deadline_event}) {
        if (ev)
            event_free(ev);
    }
    if (m_fd != cross::INVALID_SOCKET_VALUE)
        ::close(m_fd);
}

int ControlConnection::start()
{
    m_read_event = event_new(m_base, m_fd, EV_READ | EV_PERSIST, &eventRead, this);
    m_deadline_event = evtimer_new(m_base, &eventDeadline, this);
    if (!m_read_event || !m_deadline_event)
        return -1;
    // A persistent read event's time-out restarts with every activation:
    // it is the idle limit. The deadline is a timer of its own.
    const timeval idle = {static_cast<time_t>(m_limits.idle_seconds), 0};
    const timeval deadline = {static_cast<time_t>(m_limits.deadline_seconds), 0};
    if (event_add(m_read_event, &idle) != 0 || event_add(m_deadline_event, &deadline) != 0)
        return -1;
    return 0;
}

void ControlConnection::eventRead(int, short events, void* arg)
{
    ControlConnection* self = static_cast<ControlConnection*>(arg);
    if (events & EV_TIMEOUT) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] transfer-service-impl-control(%d): Control channel %d silent for %u s, closed.\n", self->m_fd,
               self->m_limits.idle_seconds);
        self->finish();
        return;
    }
    self->readCommand();
}

void ControlConnection::eventWrite(int, short, void* arg)
{
    static_cast<ControlConnection*>(arg)->writeAnswer();
}

void ControlConnection::eventDeadline(int, short, void* arg)
{
    ControlConnection* self = static_cast<ControlConnection*>(arg);
    QM_LOG(Logger::L_ERR, kComponent,
           L"[ERROR] transfer-service-impl-control(%d): Control channel %d not done in %u s, closed.\n", self->m_fd,
           self->m_limits.deadline_seconds);
    self->finish();
}

bool ControlConnection::readCommand()
{
    char buffer[16 * 1024];
    size_t budget = kReadPerEvent;
    bool complete = false;
    while (!complete && budget > 0) {
        const ssize_t n = ::recv(m_fd, buffer, std::min(sizeof buffer, budget), MSG_DONTWAIT);
        if (n < 0) {
            const int error = cross::getSocketError();
            if (error == EINTR)
                continue;
            if (cross::isErrorWouldBlock(error))
                return false;
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] transfer-service-impl-control(%d): Cannot recv from control channel: %d\n", error);
            return finish();
        }
        if (n == 0) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] transfer-service-impl-control(%d): Cannot recv from control channel: closed after %zu "
                   L"bytes\n",
                   m_command.size());
            return finish();
        }
        budget -= static_cast<size_t>(n);
        size_t used = 0;
        const PStreamMessageScanner::Result scanned = m_scanner.Feed(buffer, static_cast<size_t>(n), used);
        if (m_scanner.LeastLength() > m_limits.max_bytes) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] transfer-service-impl-control(%d): Command larger than %llu bytes refused.\n",
                   static_cast<unsigned long long>(m_limits.max_bytes));
            return finish();
        }
        if (scanned == PStreamMessageScanner::FILE_VALUE) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] transfer-service-impl-control(%d): Command with a file value refused.\n");
            return finish();
        }
        if (scanned == PStreamMessageScanner::MALFORMED) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] transfer-service-impl-control(%d): Malformed command at byte %llu refused.\n",
                   static_cast<unsigned long long>(m_scanner.Scanned()));
            return finish();
        }
        m_command.append(buffer, used);
        complete = scanned == PStreamMessageScanner::COMPLETE;
    }
    if (!complete)
        return false;  // the rest comes with later events

    // One connection carries one command: whatever follows it is not read.
    event_del(m_read_event);
    // The same codec and limits as a blocking reader: commands are small
    // maps, and any local process can connect here, so no file values.
    PStream stream;
    stream.SetFileValuesAllowed(false);
    stream.SetReceiveBudget(m_limits.max_bytes, m_limits.max_values);
    PObject request;
    const int decoded = PStreamDecode(stream, m_command, request);
    std::string().swap(m_command);
    if (decoded != PStream::ERR_OK) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] transfer-service-impl-control(%d): Cannot recv from control channel: %d\n", decoded);
        return finish();
    }
    PObject response;
    m_handler(request, response);
    return answer(response);
}

bool ControlConnection::answer(const PObject& response)
{
    if (response.isNull())
        return finish();
    PStream stream;
    if (PStreamEncode(stream, response, m_answer) != PStream::ERR_OK) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer-service-impl-control(%d): Cannot send response\n");
        return finish();
    }
    return writeAnswer();
}

bool ControlConnection::writeAnswer()
{
    while (m_answer_sent < m_answer.size()) {
        const ssize_t n = ::send(m_fd, m_answer.data() + m_answer_sent, m_answer.size() - m_answer_sent,
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n >= 0) {
            m_answer_sent += static_cast<size_t>(n);
            continue;
        }
        const int error = cross::getSocketError();
        if (error == EINTR)
            continue;
        if (!cross::isErrorWouldBlock(error)) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] transfer-service-impl-control(%d): Cannot send response: %d\n", error);
            return finish();
        }
        if (!m_write_event) {
            m_write_event = event_new(m_base, m_fd, EV_WRITE | EV_PERSIST, &eventWrite, this);
            if (!m_write_event || event_add(m_write_event, nullptr) != 0) {
                QM_LOG(Logger::L_ERR, kComponent,
                       L"[ERROR] transfer-service-impl-control(%d): Cannot send response: no write event\n");
                return finish();
            }
        }
        return false;
    }
    return finish();
}

bool ControlConnection::finish()
{
    // The owner deletes this connection in the call: keep what is needed.
    Done done = std::move(m_done);
    if (done)
        done(this);
    return true;
}
