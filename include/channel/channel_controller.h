#pragma once

#include "bio/bandwidth_controller.h"
#include "channel/channel.h"

// The controller of a channel's stream: the caller's abort flag, progress
// reporting and the bandwidth rule.
class ChannelController : public qelt::BandwidthController {
public:
    ChannelController() = default;
    ~ChannelController() override;

    // Set and non-zero, or the deadline passed: stop. The flag is read with
    // an atomic load.
    bool abort() override;
    // Report(n) on the reporter, then the bandwidth rule.
    void handleAfterRead(size_t n) override;
    void handleAfterWrite(size_t n) override;

    int* flag = nullptr;                              // the caller's abort flag, not owned
    Channel::ProgressReporter* reporter = nullptr;    // not owned
    int64_t deadline_us = 0;  // qelt::monotonicMicroseconds() to give up at; 0 = none
};
