#include "local-site-helper.h"

#include <fcntl.h>
#include <stdio.h>


#include <cerrno>
#include <vector>

#include "file-op.h"
#include "fs-walk.h"
#include "kavelin/list-node-util.h"
#include "log.h"
#include "protocol/proto-ui.h"
#include "local-volumes.h"
#include "site-entry-name.h"
#include "site-time.h"

namespace {

const char kComponent[] = "default_component";

QString fromUtf8(const char* text)
{
    return QString::fromUtf8(text);
}

// The real location of a path whose last name may not exist yet; the path
// itself when its folder cannot be resolved.
std::string realLocation(const std::string& path)
{
    ustring resolved(path);
    if (FSGetRealPath(resolved) != 0)
        return path;
    return resolved.c_str_utf8();
}

// True when copying the folder `from` to `to` would write into the tree it reads.
bool copiesIntoItself(const std::string& from, const std::string& to)
{
    const std::string source = realLocation(from);
    const std::string target = realLocation(to);
    if (source == "/")
        return true;
    return FSIsParentFolder(ustring(source), ustring(target));
}

}  // namespace

SiteFileInfo convertFromQFileInfo(const QFileInfo& f)
{
    SiteFileInfo info;
    info.name = f.isRoot() ? f.absoluteFilePath() : f.fileName();
    info.is_dir = f.isDir();
    info.size = info.is_dir ? 0 : static_cast<uint64_t>(f.size());
    info.mtime = f.lastModified();
    while (info.name.size() > 1 && info.name.endsWith(QLatin1Char('/')))
        info.name.chop(1);
    return info;
}

int LocalSiteHelper::listNode(const std::string& path, bool& is_dir, SiteFileList& file_infos)
{
    if (path.empty()) {
        // No drive letters here: the top level names its folders by absolute
        // path (the root, the home, the mounted volumes).
        for (const QString& folder : computerTopFolders()) {
            SiteFileInfo entry;
            entry.name = folder;
            entry.is_dir = true;
            file_infos.append(entry);
        }
        return 0;
    }

    std::vector<DIR_ENTRY> entries;
    const int listed = listLocal(std::string(), ustring(path), entries);
    if (listed < 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] local-site-helper(%d): List local failed (%s)\n", path);
        return -1;
    }
    is_dir = listed == 0;
    file_infos.reserve(file_infos.size() + static_cast<int>(entries.size()));
    for (const DIR_ENTRY& entry : entries) {
        SiteFileInfo info;
        info.name = fromUtf8(entry.name.c_str_utf8());
        info.is_dir = entry.type == FT_DIR;
        info.size = info.is_dir ? 0 : entry.size;
        info.mtime = localDateTimeFromMSecs(static_cast<qint64>(entry.mtime / 1000));
        file_infos.append(info);
    }
    return 0;
}

int LocalSiteHelper::mkdir(const std::string& path)
{
    return FSMKDir(ustring(path), true);
}

int LocalSiteHelper::remove(const std::string& parent, const std::list<std::string>& names)
{
    int result = 0;
    for (const std::string& name : names) {
        const std::string path = parent + "/" + name;
        if (!isPlainEntryName(name)) {
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] local-site-helper(%d): Remove %s refused: not an item name\n",
                   path);
            result = -1;
            continue;
        }
        if (FSRemove(ustring(path)) < 0) {
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] local-site-helper(%d): Remove %s failed\n", path);
            result = -1;
        }
    }
    return result;
}

int LocalSiteHelper::rename(const std::string& from, const std::string& to)
{
    FILE_INFO info;
    if (FSStat(ustring(to), info, true) != 0)
        return -1;
    if (info.isExist)
        return ProtoUI::ERROR_RENAME_TARGET_EXISTS;
    // The check above and the move are not one step: the move itself must
    // refuse a target that appeared in between.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    switch (error) {
    case EEXIST:
        return ProtoUI::ERROR_RENAME_TARGET_EXISTS;
    case ENOSYS:
    case EINVAL:  // a file system without the no-replace move
        return FSRename(ustring(from), ustring(to), true);
    case ENAMETOOLONG:
        return -100;
    default:
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] local-site-helper(%d): rename %s to %s failed, errno %d\n",
               from, to, error);
        return -1;
    }
}

int LocalSiteHelper::copy(const std::string& from, const std::string& to)
{
    FILE_INFO info;
    if (FSStat(ustring(from), info, true) != 0)
        return -1;
    if (info.isExist && info.type == FT_DIR) {
        if (copiesIntoItself(from, to)) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] local-site-helper(%d): copy of %s into itself (%s) refused\n", from, to);
            return -1;
        }
        FSDuplicator handler;
        handler.SetBaseDir(ustring(from));
        handler.SetDestinationDir(ustring(to));
        // Any entry that failed fails the copy: the user must not take a
        // partial tree for a whole one.
        return TraverseDir(handler, 0) == 0 ? 0 : -1;
    }
    return FSCopy(ustring(from), ustring(to), false);
}
