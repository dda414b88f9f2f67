#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/pobject.h"
#include "server_config.h"

namespace test_server {

// The server's error codes that the file operations answer with.
enum ServerCode : uint32_t {
    CODE_OK = 0,
    CODE_USER = 4096,
    CODE_USER_PASSWD = 4100,
    CODE_USER_OTP_REQUIRED = 4104,
    CODE_USER_OTP_INVALID = 4105,
    CODE_USER_INVALID_SEED = 4107,
    CODE_SYSTEM = 12288,
    CODE_REMOVE = 24576,
    CODE_REMOVE_NO_PERM = 24577,
    CODE_COPY = 28672,
    CODE_COPY_NO_PERM = 28673,
    CODE_COPY_DISKFULL = 28674,
    CODE_LIST_NODE = 32768,
    CODE_LIST_NODE_NO_PERM = 32769,
    CODE_MKDIR = 36864,
    CODE_MKDIR_NO_PERM = 36865,
    CODE_RENAME = 40960,
    CODE_RENAME_NO_PERM = 40961,
    CODE_RENAME_DISKFULL = 40962,
    CODE_RENAME_TARGET_EXISTS = 40965,
};

struct OpResult {
    uint32_t code = CODE_OK;
    std::string reason;
    bool ok() const { return code == CODE_OK; }
};

// The shares and the file operations on them. Every path is confined to its
// share: ".." is refused, and a path whose folders (or, where the operation
// follows it, whose last item) resolve outside the share's folder through a
// symbolic link is refused as lacking permission. Safe to call from several
// session threads at once (it holds no mutable state).
class ShareStore {
public:
    explicit ShareStore(std::vector<ShareConfig> shares);

    // The "share_list" array: name, mounted_path, priv of every share.
    PObject ListShares() const;
    // Fills "is_dir" and "node_list" of answer. An empty share lists the
    // shares that are not denied, as folders.
    OpResult List(const std::string& share, const std::string& path, PObject& answer) const;
    OpResult MakeDir(const std::string& share, const std::string& path) const;
    OpResult Rename(const std::string& share_from, const std::string& path_from,
                    const std::string& share_to, const std::string& path_to) const;
    OpResult Copy(const std::string& share_from, const std::string& path_from,
                  const std::string& share_to, const std::string& path_to) const;
    OpResult Remove(const std::string& share, const std::string& path) const;

private:
    // The codes of one operation: its general error and its permission error.
    struct OpCodes {
        uint32_t general;
        uint32_t no_perm;
    };
    struct Resolved {
        std::string local;   // the local path
        bool is_root = false;
    };

    const ShareConfig* Find(const std::string& name) const;
    // Maps share + path to a local path inside the share's folder.
    OpResult Resolve(const std::string& share, const std::string& path, bool writing,
                     bool follow_last, const OpCodes& codes, Resolved& out) const;

    std::vector<ShareConfig> m_shares;
};

}  // namespace test_server
