#pragma once

#include <cstdint>
#include <vector>

#include "kavelin/finished-file-batch.h"
#include "kavelin/tcp-helper.h"

// The receiving role: reads task headers from the other end's sending role.
// A push header announces a file that follows on this connection; it is
// received into a temporary file beside the destination and renamed over it
// when complete. A pull header (server side only) becomes a local sending task.
//
// On the client side the other end is not trusted: a push is accepted only
// for a download task this client created, and written only to that task's
// own destination; a pull header only restarts an upload of ours, from its
// own source file.
class TcpPassiveHelper : public TcpHelper {
public:
    // FAT keeps at most 4 GiB minus one byte in a file.
    static constexpr uint64_t kFatMaxFileSize = 4294967295ull;

    // A file of exactly the FAT maximum fits; only larger ones are refused.
    static bool fitsOnVolume(uint64_t total, bool fat);

    explicit TcpPassiveHelper(TcpTransfer* transfer);
    ~TcpPassiveHelper() override;

    bool isIdle() override;
    int handleRead() override;
    // Records what a push cut short by an abort left in the file; always 0.
    int preAbort() override;
    void announceFinished() override;
    void handOverFinished() override;
    int verifyToken() override;
    int processHeader() override;

    int processPushHeader();
    int processPullHeader();
    int makeResumeInfo(ResumeInfo& info);
    int makeReceivingInfo();
    int makePushInfo();
    int fillMtimeSize(ResumeInfo& info);
    int updatePeeked(bool done);
    int readFile();
    int processFile();
    int checkQuotaSpace(const ustring& path, uint64_t size);
    // The connection ends in the middle of a file: writes what the stream
    // holds to the file, records that in the store at once, and, on the
    // server side when the connection failed, tells the sender what this end
    // holds so that its next push starts at the first hole.
    void endShort(bool connection_failed);

protected:
    bool skipObject() override;

private:
    bool isClientSide() const;
    // Refuses the current header for one task; the connection stays open.
    int refuse(ProjectVardo::ErrorCode code, const wchar_t* why);
    // Points the read stream at the task's temporary file for a region at offset.
    int prepareReceiveTarget(uint64_t offset);
    // Client side: a pull header may only restart an upload of ours.
    int resumeOwnUpload();
    // The file the stream wrote the completed object's payload into, still
    // open, when it is the task's temporary file; -1 otherwise.
    int takeReceivedFile();

    PObject m_read_file;
    // A push header was refused: the file object that follows is dropped.
    bool m_drop_next_file;
    // Files finished in this wake-up, announced once they are synced, in
    // place, and their folders synced; and the tokens of those files.
    FinishedFileBatch m_finished;
    std::vector<uint64_t> m_finished_tokens;
};
