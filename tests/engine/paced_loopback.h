#pragma once
// A Loopback whose data connections go through a pacing relay, for tests of
// transfers over a link with a delay or a rate.

#include <memory>
#include <string>

#include "support/pacing_relay.h"
#include "transfer_e2e_support.h"

namespace e2e {

struct PacedLoopback {
    PacedLoopback(Mode mode, const qm_test::PacingRelay::Options& options, int concurrent = 3)
    {
        auto route = [&](unsigned server_port) {
            relay.reset(new qm_test::PacingRelay(server_port, options));
            return relay->port();
        };
        loop.reset(new Loopback(mode, concurrent, 0, 0, std::string(), SeedSource::Direct, route));
    }
    std::unique_ptr<qm_test::PacingRelay> relay;
    std::unique_ptr<Loopback> loop;
};

}  // namespace e2e
