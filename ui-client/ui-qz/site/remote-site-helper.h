#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/proto-ui.h"
#include "site-helper.h"
#include "site-info.h"

// The file operations of one logged-in server over one control connection of
// its own, plus the login, heartbeat, close and data-connection options. It
// reads a fresh copy of the site record for each operation and writes only
// the login's outcome back. Every change made on the server and every first
// login writes one general-log row. Used by one thread at a time.
class RemoteSiteHelper : public SiteHelper {
    Q_OBJECT
public:
    // abort_flag: the worker's; setting it cuts short a blocking request.
    RemoteSiteHelper(uint64_t peer_id, int* abort_flag, QObject* parent);
    ~RemoteSiteHelper() override;

    // Logs the connection in: with the password on the first login of the
    // site, with its seed afterwards. 0 or -1; details in the site record.
    int auth();
    int heartBeat();
    int closePeer();
    // Sends the record's encrypted and compressed flags.
    int setUdp();

    // The empty path lists the shares. Entries whose names could escape
    // their folder are dropped.
    int listNode(const std::string& path, bool& is_dir, SiteFileList& file_infos) override;
    int mkdir(const std::string& path) override;
    // Stops at the first failure. Names that are empty, "." or ".." or hold
    // "/" refuse the whole request (ERROR_INVALID_ARGUMENT) before anything is sent.
    int remove(const std::string& parent, const std::list<std::string>& names) override;
    int rename(const std::string& from, const std::string& to) override;
    int copy(const std::string& from, const std::string& to) override;

    // The reason the server gave for the first request that failed since
    // the last clearFailureReason(); empty when none gave one.
    const std::string& failureReason() const { return m_failure_reason; }
    void clearFailureReason() { m_failure_reason.clear(); }

private:
    RemoteSiteHelper(const RemoteSiteHelper&) = delete;
    RemoteSiteHelper& operator=(const RemoteSiteHelper&) = delete;

    // Login settings of the client from the record.
    void configure(const SiteInfo& info);
    bool readSiteInfo(SiteInfo& info);
    int firstLogin(const SiteInfo& info);
    int seedLogin(const SiteInfo& info);
    // Records a failed login in the site record; -1.
    int failLogin(int line, SiteError site_error, ProtoUI::Error protocol_error, const std::string& message);
    // Logs the client's message under format; the client's error.
    int failRequest(int line, const wchar_t* format);

    uint64_t m_peer_id;
    int* m_abort_flag;
    ProtoUI* m_connection;
    std::string m_failure_reason;
};

// One server folder entry; folders get size 0.
SiteFileInfo convertFromProtocol(const ProtoUI::Node& node);
// Append the shares (as shared folders) or the entries of a listing of `path`,
// in the server's order, leaving out (and logging) any whose name is not one
// item's name (isPlainEntryName). Both return how many were left out.
int appendShareEntries(const std::vector<ProtoUI::Share>& shares, SiteFileList& file_infos);
int appendNodeEntries(const std::vector<ProtoUI::Node>& nodes, const std::string& path, SiteFileList& file_infos);
