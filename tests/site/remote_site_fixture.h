#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "misc-log.h"
#include "proto_ui_fixture.h"
#include "remote-site-helper.h"
#include "site-info.h"

// The ProtoUI fixture's test file server (TLS, CA-signed "localhost"
// certificate, shares docs/public/secret, accounts alice and bob) with a log
// database file of its own, site records in the process-wide table and a
// resolver that answers from a table the test fills ("localhost" is
// 127.0.0.1 to begin with).
class RemoteSiteTest : public ProtoUIServerTest {
protected:
    RemoteSiteTest();
    ~RemoteSiteTest() override;

    // A new site record for alice at "localhost" on the server's port,
    // changed by edit; returns its peer id (fresh from the task store).
    uint64_t AddSite(const std::function<void(SiteInfo&)>& edit = {});
    // AddSite and a first login that must succeed.
    uint64_t LoggedInSite(const std::function<void(SiteInfo&)>& edit = {});
    std::unique_ptr<RemoteSiteHelper> Helper(uint64_t peer_id);
    SiteInfo Site(uint64_t peer_id);
    // General-log rows, oldest first; only those of `type` unless it is 0.
    std::vector<MiscLog> Rows(uint32_t type = 0);
    void SetAddresses(const std::string& name, const std::vector<std::string>& addresses);

    int m_abort = 0;
    std::string m_log_path;

private:
    std::mutex m_mutex;  // guards m_addresses
    std::map<std::string, std::vector<std::string>> m_addresses;
};
