#pragma once

#include <QObject>

#include <cstdint>

#include "kavelin/resume-info.h"
#include "site-info.h"
#include "transfer-log.h"

// Moves finished transfers into the transfer log once per pass, reports the
// store's task count and asks the panes of the sites concerned to refresh.
// Lives on a thread of its own; the first pass runs on the caller's thread.
class TaskMonitor : public QObject {
    Q_OBJECT
public:
    explicit TaskMonitor(QObject* parent);

    // Runs the first pass at once on the calling thread.
    void startService();
    // Stops arming further passes (the pass running finishes).
    void stopService();

    // The log row of one finished task of `site`.
    static TransferLog buildTransferLog(const ResumeInfo& task, const SiteInfo& site);

signals:
    void sigTaskCountChanged(int count);
    void sigRefreshPeerPage(uint64_t peer_id);

public slots:
    void checkTasks();

private:
    bool m_stopped = false;
};
