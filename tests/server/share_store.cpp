#include "share_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace test_server {

namespace {

// realpath(3) as a string; empty when the path cannot be resolved.
std::string RealPath(const std::string& path)
{
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

bool IsInside(const std::string& path, const std::string& root)
{
    if (path.compare(0, root.size(), root) != 0)
        return false;
    return path.size() == root.size() || path[root.size()] == '/' || root == "/";
}

bool Exists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

OpResult Fail(uint32_t code, const std::string& reason)
{
    OpResult result;
    result.code = code;
    result.reason = reason;
    return result;
}

// The members go in at the end in key order: no search and no key made
// twice, for each of the 100,000 entries a large folder has.
PObject NodeEntry(const std::string& name, const struct stat& st)
{
    const bool dir = S_ISDIR(st.st_mode);
    PObject entry;
    PObject::map_type& members = entry.asMap();
    members.emplace_hint(members.end(), "is_dir", PObject(uint64_t(dir ? 1 : 0)));
    members.emplace_hint(members.end(), "mtime", PObject(uint64_t(st.st_mtime < 0 ? 0 : st.st_mtime)));
    members.emplace_hint(members.end(), "name", PObject(name));
    members.emplace_hint(members.end(), "size", PObject(uint64_t(dir ? 0 : st.st_size)));
    return entry;
}

// A large folder is looked at by a few threads at once: the stat calls and
// the answer's values are most of the time a listing takes, and the client
// waits for all of it before the first byte.
const size_t kEntriesPerThread = 8192;
const size_t kMaxStatThreads = 4;

// The entries of the folder `dir_fd` by name, in the same order; null for a
// name gone meanwhile. Links are reported as themselves, so nothing outside
// the share shows.
std::vector<PObject> StatEntries(int dir_fd, const std::vector<std::string>& names)
{
    std::vector<PObject> entries(names.size());
    auto look = [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            struct stat st;
            if (::fstatat(dir_fd, names[i].c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
                entries[i] = NodeEntry(names[i], st);
        }
    };
    const size_t threads = std::min(kMaxStatThreads, std::max<size_t>(1, names.size() / kEntriesPerThread));
    const size_t share = (names.size() + threads - 1) / threads;
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < threads; ++t)
        helpers.emplace_back(look, std::min(names.size(), t * share), std::min(names.size(), (t + 1) * share));
    look(0, std::min(names.size(), share));
    for (std::thread& helper : helpers)
        helper.join();
    return entries;
}

}  // namespace

ShareStore::ShareStore(std::vector<ShareConfig> shares) : m_shares(std::move(shares)) {}

const ShareConfig* ShareStore::Find(const std::string& name) const
{
    for (const ShareConfig& share : m_shares)
        if (share.name == name)
            return &share;
    return nullptr;
}

PObject ShareStore::ListShares() const
{
    PObject list;
    PObject::array_type& array = list.asArray();
    for (const ShareConfig& share : m_shares) {
        PObject entry;
        entry["name"] = share.name;
        entry["mounted_path"] = share.path;
        entry["priv"] = share.priv;
        array.push_back(std::move(entry));
    }
    return list;
}

OpResult ShareStore::Resolve(const std::string& share_name, const std::string& path, bool writing,
                             bool follow_last, const OpCodes& codes, Resolved& out) const
{
    const ShareConfig* share = Find(share_name);
    if (!share)
        return Fail(codes.general, "no such share: " + share_name);
    if (share->priv == "denied" || (writing && share->priv != "rw"))
        return Fail(codes.no_perm, "permission denied on share " + share_name);
    std::string root = RealPath(share->path);
    if (root.empty())
        return Fail(codes.general, "share folder is missing: " + share_name);

    std::vector<std::string> segments;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        std::string segment = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (segment == "..")
            return Fail(codes.no_perm, "path leaves the share: " + path);
        if (!segment.empty() && segment != ".")
            segments.push_back(segment);
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }

    out.local = root;
    out.is_root = segments.empty();
    if (out.is_root)
        return OpResult();
    for (size_t i = 0; i + 1 < segments.size(); ++i)
        out.local += "/" + segments[i];
    // The folder that holds the item must resolve inside the share.
    std::string parent = RealPath(out.local);
    if (parent.empty())
        return Fail(codes.general, "no such folder: " + path);
    if (!IsInside(parent, root))
        return Fail(codes.no_perm, "path leaves the share: " + path);
    out.local = parent + "/" + segments.back();
    if (follow_last && Exists(out.local)) {
        std::string target = RealPath(out.local);
        if (target.empty())
            return Fail(codes.general, "cannot resolve: " + path);
        if (!IsInside(target, root))
            return Fail(codes.no_perm, "path leaves the share: " + path);
    }
    return OpResult();
}

OpResult ShareStore::List(const std::string& share_name, const std::string& path, PObject& answer) const
{
    PObject::array_type& nodes = answer["node_list"].asArray();
    if (share_name.empty()) {
        answer["is_dir"] = uint64_t(1);
        for (const ShareConfig& share : m_shares) {
            struct stat st;
            if (share.priv == "denied" || ::stat(share.path.c_str(), &st) != 0)
                continue;
            nodes.push_back(NodeEntry(share.name, st));
        }
        return OpResult();
    }
    Resolved where;
    OpResult result = Resolve(share_name, path, false, true, {CODE_LIST_NODE, CODE_LIST_NODE_NO_PERM}, where);
    if (!result.ok())
        return result;
    struct stat st;
    if (::stat(where.local.c_str(), &st) != 0)
        return Fail(CODE_LIST_NODE, "no such file or folder: " + path);
    if (!S_ISDIR(st.st_mode)) {
        answer["is_dir"] = uint64_t(0);
        nodes.push_back(NodeEntry(fs::path(where.local).filename().string(), st));
        return OpResult();
    }
    answer["is_dir"] = uint64_t(1);
    DIR* dir = ::opendir(where.local.c_str());
    if (!dir)
        return Fail(errno == EACCES ? CODE_LIST_NODE_NO_PERM : CODE_LIST_NODE, std::strerror(errno));
    std::vector<std::string> names;
    while (struct dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    }
    std::vector<PObject> entries = StatEntries(::dirfd(dir), names);
    ::closedir(dir);
    nodes.reserve(nodes.size() + entries.size());
    for (PObject& entry : entries)
        if (!entry.isNull())
            nodes.push_back(std::move(entry));
    return OpResult();
}

OpResult ShareStore::MakeDir(const std::string& share, const std::string& path) const
{
    Resolved where;
    OpResult result = Resolve(share, path, true, false, {CODE_MKDIR, CODE_MKDIR_NO_PERM}, where);
    if (!result.ok())
        return result;
    if (where.is_root || Exists(where.local))
        return Fail(CODE_MKDIR, "already exists: " + path);
    if (::mkdir(where.local.c_str(), 0777) != 0)
        return Fail(errno == EACCES ? CODE_MKDIR_NO_PERM : CODE_MKDIR, std::strerror(errno));
    return OpResult();
}

OpResult ShareStore::Rename(const std::string& share_from, const std::string& path_from,
                            const std::string& share_to, const std::string& path_to) const
{
    const OpCodes codes{CODE_RENAME, CODE_RENAME_NO_PERM};
    Resolved from, to;
    OpResult result = Resolve(share_from, path_from, true, false, codes, from);
    if (result.ok())
        result = Resolve(share_to, path_to, true, false, codes, to);
    if (!result.ok())
        return result;
    if (from.is_root || to.is_root)
        return Fail(CODE_RENAME_NO_PERM, "a share's folder cannot be renamed");
    if (!Exists(from.local))
        return Fail(CODE_RENAME, "no such file or folder: " + path_from);
    if (Exists(to.local))
        return Fail(CODE_RENAME_TARGET_EXISTS, "target exists: " + path_to);
    if (::rename(from.local.c_str(), to.local.c_str()) != 0) {
        int error = errno;
        if (error == ENOSPC)
            return Fail(CODE_RENAME_DISKFULL, std::strerror(error));
        return Fail(error == EACCES || error == EPERM ? CODE_RENAME_NO_PERM : CODE_RENAME, std::strerror(error));
    }
    return OpResult();
}

OpResult ShareStore::Copy(const std::string& share_from, const std::string& path_from,
                          const std::string& share_to, const std::string& path_to) const
{
    const OpCodes codes{CODE_COPY, CODE_COPY_NO_PERM};
    Resolved from, to;
    OpResult result = Resolve(share_from, path_from, false, true, codes, from);
    if (result.ok())
        result = Resolve(share_to, path_to, true, false, codes, to);
    if (!result.ok())
        return result;
    if (to.is_root)
        return Fail(CODE_COPY, "target exists: " + path_to);
    if (!Exists(from.local))
        return Fail(CODE_COPY, "no such file or folder: " + path_from);
    if (Exists(to.local))
        return Fail(CODE_COPY, "target exists: " + path_to);
    // A folder copied into itself would never end.
    if (IsInside(to.local, RealPath(from.local)))
        return Fail(CODE_COPY, "cannot copy a folder into itself");
    std::error_code error;
    fs::copy(from.local, to.local, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    if (error) {
        if (error == std::errc::no_space_on_device)
            return Fail(CODE_COPY_DISKFULL, error.message());
        return Fail(error == std::errc::permission_denied ? CODE_COPY_NO_PERM : CODE_COPY, error.message());
    }
    return OpResult();
}

OpResult ShareStore::Remove(const std::string& share, const std::string& path) const
{
    Resolved where;
    OpResult result = Resolve(share, path, true, false, {CODE_REMOVE, CODE_REMOVE_NO_PERM}, where);
    if (!result.ok())
        return result;
    if (where.is_root)
        return Fail(CODE_REMOVE_NO_PERM, "a share's folder cannot be removed");
    if (!Exists(where.local))
        return Fail(CODE_REMOVE, "no such file or folder: " + path);
    // remove_all removes a link itself, never what it points to.
    std::error_code error;
    fs::remove_all(where.local, error);
    if (error)
        return Fail(error == std::errc::permission_denied ? CODE_REMOVE_NO_PERM : CODE_REMOVE, error.message());
    return OpResult();
}

}  // namespace test_server
