#pragma once

#include <deque>

#include "kavelin/tcp-helper.h"

// The sending role: takes the peer's next waiting task, writes its header
// and, for an upload (C_PUSH), the file from its first missing byte; a
// download (C_PULL) is a header only, answered on a receiving connection.
class TcpActiveHelper : public TcpHelper {
public:
    explicit TcpActiveHelper(TcpTransfer* transfer);
    ~TcpActiveHelper() override;

    bool isIdle() override;
    int handleWrite() override;
    // Puts the tasks this connection started and that still run back to
    // waiting; always 0.
    int preAbort() override;
    int processHeader() override;

    void makeWriteObjects(const ResumeInfo& info);
    int writeFile();
    bool isTokenRunning(token_t token, ResumeInfo& info);

private:
    // Publishes the position reached in the file as the task's progress;
    // all_sent: the last byte is in the link, so the task hands its slot over.
    void publishSent(uint64_t position, bool force, bool all_sent);
    // Tells the store a download's request is on the link.
    void markHandedOver();

    PObject m_write_file;
    std::deque<token_t> m_processed_tokens;
    // The last push is out and its task waits for the receiver's word: its
    // progress goes on growing with the acknowledgements until then.
    bool m_acked_watch = false;
    // The progress shown for the current push so far: it starts at what the
    // receiver confirmed and only grows.
    uint64_t m_push_shown = 0;
};
