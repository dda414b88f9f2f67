#pragma once

#include <vector>

#include "kavelin/tcp-helper.h"

// The role of a peer's report connection: sends the peer's queued task
// reports in batches and applies the reports of the other end to the local
// task store.
class TcpReportHelper : public TcpHelper {
public:
    static constexpr size_t kMaxBatch = 100;
    // Restarts from zero that an "invalid token" or "token collision" report
    // may cause one task before it fails for good.
    static constexpr int kMaxTokenResets = 3;

    explicit TcpReportHelper(TcpTransfer* transfer);
    ~TcpReportHelper() override;

    int handleWrite() override;
    // Puts the reports of a batch still being written back into the peer's
    // queue; always 0.
    int preAbort() override;
    int verifyToken() override;
    int processHeader() override;

private:
    void applyError(const PObject& report, ResumeInfo& info);
    void resetTask(ResumeInfo& info, uint64_t code);

    // The reports of the batch in flight, kept until it has left.
    std::vector<PObject> m_in_flight;
};
