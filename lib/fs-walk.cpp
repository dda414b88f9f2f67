#include "fs-walk.h"

#include <cstring>

#include "file-op.h"

namespace {

bool isDotEntry(const ustring& name)
{
    const char* text = name.c_str_utf8();
    return std::strcmp(text, ".") == 0 || std::strcmp(text, "..") == 0;
}

} // namespace

bool TraverseWithExceptionPathHandler::IsIgnored(const ustring& path)
{
    for (const ustring& exception : exception_list) {
        if (exception == path)
            return true;
    }
    return false;
}

int FSDuplicator::Handle(const ustring& path)
{
    const ustring source = base_dir + path;
    const ustring destination = dest_dir + path;
    FILE_INFO info;
    if (FSStat(source, info, true) != 0)
        return -1;
    if (info.isExist && info.type == FT_DIR)
        return FSMKDir(destination, true) < 0 ? -1 : 0;
    // A file, a link or a source that vanished: the copy decides.
    return FSCopy(source, destination, false) < 0 ? -1 : 0;
}

int FSRemover::Handle(const ustring& path)
{
    FSRemove(base_dir + path);
    return 0;
}

int FolderSizeCounter::Handle(const ustring& path)
{
    FILE_INFO info;
    if (FSStat(base_dir + path, info, true) != 0)
        return -1;
    if (info.isExist && info.type != FT_SLINK)
        size += info.size;
    return 0;
}

int PathTraverser::Handle(const ustring& path)
{
    if (!m_paths)
        return -1;
    m_paths->push_back(path);
    return 0;
}

int TraverseDir(TraverseHandler& handler, int flag)
{
    return TraverseDir(ustring(), handler, flag);
}

int TraverseDir(const ustring& dir, TraverseHandler& handler, int flag)
{
    const ustring full = handler.GetBaseDir() + dir;
    if (full.empty())
        return -1;
    FILE_INFO info;
    if (FSStat(full, info, true) != 0 || !info.isExist || info.type != FT_DIR)
        return -1;

    const bool post_order = (flag & DO_DFS) != 0;
    DIR_HANDLE dh;
    FSOpenDir(full, 0, dh);
    if (!post_order && handler.Handle(dir) != 0) {
        FSCloseDir(dh);
        return -1;
    }

    bool failed = false;
    DIR_ENTRY entry;
    int read = 0;
    while (!failed && (read = FSReadDir(dh, entry)) > 0) {
        if (isDotEntry(entry.name))
            continue;
        const ustring child = dir + "/" + entry.name;
        if (handler.IsIgnored(child))
            continue;
        const int rc = entry.type == FT_DIR ? TraverseDir(child, handler, flag) : handler.Handle(child);
        failed = rc != 0;
    }
    // The folder is opened by the first read. One that cannot be opened or
    // read fails the walk: a copy, upload or size of the tree must not pass
    // for complete while that folder's content was left out.
    if (read < 0)
        failed = true;

    // Post-order handling happens also after a failure below, so a remover
    // still removes what it can of the folders above.
    if (post_order && handler.Handle(dir) != 0)
        failed = true;
    FSCloseDir(dh);
    return failed ? -1 : 0;
}
