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
    // A peer's fragment list is kept to this many ranges; the rest only
    // means bytes are sent again, never that bytes are skipped.
    static constexpr size_t kMaxReportedFragments = 4096;

    // The ranges of a peer's "fragments" that lie inside a file of total
    // bytes, at most kMaxReportedFragments of them, as a fragment array.
    static PObject validFragments(const PObject& reported, uint64_t total);

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
    // Client side: the sender found the task's file changed while it was
    // being sent.
    void sourceChanged(const ResumeInfo& info);

    // The reports of the batch in flight, kept until it has left.
    std::vector<PObject> m_in_flight;
};
