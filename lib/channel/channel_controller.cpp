#include "channel/channel_controller.h"

#include "utils/abort_flag.h"
#include "utils/elapsed_timer.h"

ChannelController::~ChannelController() = default;

bool ChannelController::abort()
{
    if (deadline_us != 0 && qelt::monotonicMicroseconds() >= deadline_us)
        return true;
    return qelt::AbortFlag(static_cast<const int*>(flag)).isSet();
}

void ChannelController::handleAfterRead(size_t n)
{
    if (reporter)
        reporter->Report(n);
    qelt::BandwidthController::handleAfterRead(n);
}

void ChannelController::handleAfterWrite(size_t n)
{
    if (reporter)
        reporter->Report(n);
    qelt::BandwidthController::handleAfterWrite(n);
}
