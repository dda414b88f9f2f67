#include "kavelin/transfer.h"

#include <unistd.h>

#include <cstdio>
#include <limits>

#include <event2/event.h>

#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"
#include "protocol/pobject.h"

namespace {

const char* const kComponent = "default_component";

} // namespace

size_t transferStepSize(uint64_t max_speed_kib)
{
    if (max_speed_kib == 0)
        return 65536;
    const uint64_t limit = std::numeric_limits<size_t>::max() / 1024;
    if (max_speed_kib > limit)
        return std::numeric_limits<size_t>::max();
    return static_cast<size_t>(max_speed_kib * 1024);
}

Transfer::Transfer(TransferController* controller)
    : m_peer_id(0),
      m_transfer_seed(0),
      m_socket(cross::INVALID_SOCKET_VALUE),
      m_port(0),
      m_transfer_side(TRANSFER_SIDE_UNKNOWN),
      m_activated(false),
      m_abort(false),
      m_concurrent(-1),
      m_encrypted(true),
      m_compressed(true),
      m_read_event(nullptr),
      m_read_timer_event(nullptr),
      m_write_event(nullptr),
      m_write_timer_event(nullptr),
      m_controller(controller),
      m_manager(controller ? controller->getManager() : nullptr)
{
}

Transfer::~Transfer()
{
    clear();
}

void Transfer::abort()
{
    m_abort = true;
    clear();
}

void Transfer::debugTransfer(PObject&)
{
}

void Transfer::initEvent()
{
    event_base* base = m_controller->getEventBase();
    // Readiness events stay armed between passes: a one-shot event costs a
    // delete and an add in the kernel's poll set on every pass. A direction
    // is disarmed only when it has nothing to do or must wait for its rate.
    m_read_event = event_new(base, m_socket, EV_READ | EV_PERSIST, event_handle_read, this);
    m_read_timer_event = event_new(base, -1, 0, event_handle_time_read, this);
    m_write_event = event_new(base, m_socket, EV_WRITE | EV_PERSIST, event_handle_write, this);
    m_write_timer_event = event_new(base, -1, 0, event_handle_time_write, this);
    if (m_read_event)
        event_add(m_read_event, nullptr);
}

// Adding an event that is already armed, or deleting one that is not, is a
// no-op in libevent, so arming a direction that stays armed costs no call.
static void controlDirection(event* readiness, event* timer, bool enable, unsigned int us_wait)
{
    if (enable && us_wait > 0) {
        timeval tv;
        tv.tv_sec = us_wait / 1000000;
        tv.tv_usec = us_wait % 1000000;
        event_add(timer, &tv);
        event_del(readiness);
        return;
    }
    if (timer && event_pending(timer, EV_TIMEOUT, nullptr))
        event_del(timer);
    if (enable)
        event_add(readiness, nullptr);
    else
        event_del(readiness);
}

void Transfer::controlRead(bool enable, unsigned int us_wait)
{
    if (!m_read_event) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer(%d): ------ control read without event !!!\n");
        return;
    }
    if (m_abort)
        return;
    controlDirection(m_read_event, m_read_timer_event, enable, us_wait);
}

void Transfer::controlWrite(bool enable, unsigned int us_wait)
{
    if (!m_write_event || m_abort)
        return;
    controlDirection(m_write_event, m_write_timer_event, enable, us_wait);
}

void Transfer::wakeRead()
{
    if (m_read_event && !m_abort && !event_pending(m_read_timer_event, EV_TIMEOUT, nullptr))
        event_active(m_read_event, EV_READ, 0);
}

void Transfer::kickWrite()
{
    if (!m_write_event || m_abort || event_pending(m_write_event, EV_WRITE, nullptr))
        return;
    if (m_write_timer_event && event_pending(m_write_timer_event, EV_TIMEOUT, nullptr))
        event_del(m_write_timer_event);
    event_active(m_write_event, EV_WRITE, 0);
}

void Transfer::clear()
{
    if (m_manager && m_transfer_seed != 0)
        m_manager->removeTransfer(m_transfer_seed);
    event** events[] = {&m_read_event, &m_read_timer_event, &m_write_event, &m_write_timer_event};
    for (event** e : events) {
        if (*e) {
            event_free(*e);
            *e = nullptr;
        }
    }
    if (m_socket != cross::INVALID_SOCKET_VALUE) {
        ::close(m_socket);
        m_socket = cross::INVALID_SOCKET_VALUE;
    }
}

void Transfer::event_handle_read(int, short events, void* arg)
{
    Transfer* transfer = static_cast<Transfer*>(arg);
    if (!(events & EV_READ))
        return;
    if (transfer->handleRead() < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer(%d): abort %llu directly\n",
               static_cast<unsigned long long>(transfer->m_transfer_seed));
        transfer->abort();
    }
}

void Transfer::event_handle_write(int, short events, void* arg)
{
    Transfer* transfer = static_cast<Transfer*>(arg);
    if (!(events & EV_WRITE))
        return;
    if (transfer->handleWrite() < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] transfer(%d): abort %llu directly\n",
               static_cast<unsigned long long>(transfer->m_transfer_seed));
        transfer->abort();
    }
}

void Transfer::event_handle_time_read(int, short, void* arg)
{
    static_cast<Transfer*>(arg)->controlRead(true, 0);
}

void Transfer::event_handle_time_write(int, short, void* arg)
{
    static_cast<Transfer*>(arg)->controlWrite(true, 0);
}
