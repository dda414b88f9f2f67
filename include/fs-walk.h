#pragma once
// Walks a folder tree below a base folder and hands every visited path,
// relative to the base folder, to a handler. The base folder itself has the
// empty relative path; an entry's is its folder's, "/" and its name (/d,
// /d/name). Links to folders are handed over like files, never entered.

#include <cstdint>
#include <vector>

#include "ustring/ustring.h"

enum WalkFlag {
    // Folders are handled after their entries (post-order); without it, before.
    DO_DFS = 1,
};

// Handlers are used through a reference and destroyed as their own type.
class TraverseHandler {
public:
    // Visits a folder or any other entry; non-zero is a failure that stops the walk.
    virtual int Handle(const ustring& path) = 0;
    // True skips the entry (a folder with its whole sub-tree).
    virtual bool IsIgnored(const ustring& path) = 0;

    void SetBaseDir(const ustring& dir) { base_dir = dir; }
    const ustring& GetBaseDir() const { return base_dir; }

protected:
    TraverseHandler() = default;
    ~TraverseHandler() = default;

    ustring base_dir;
};

// Skips the relative paths given to AddException (byte-wise, e.g. /photos/tmp).
class TraverseWithExceptionPathHandler : public TraverseHandler {
public:
    bool IsIgnored(const ustring& path) override;
    void AddException(const ustring& path) { exception_list.push_back(path); }

protected:
    TraverseWithExceptionPathHandler() = default;
    ~TraverseWithExceptionPathHandler() = default;

    std::vector<ustring> exception_list;
};

// Copies the tree to dest_dir: folders are created (with missing parents),
// files copied over existing ones. Walk it pre-order.
class FSDuplicator : public TraverseWithExceptionPathHandler {
public:
    int Handle(const ustring& path) override;
    void SetDestinationDir(const ustring& dir) { dest_dir = dir; }

private:
    ustring dest_dir;
};

// Removes every visited path. Walk it post-order. Never fails a visit.
class FSRemover : public TraverseWithExceptionPathHandler {
public:
    int Handle(const ustring& path) override;
};

// Adds up the sizes of the files (links count nothing).
class FolderSizeCounter : public TraverseWithExceptionPathHandler {
public:
    int Handle(const ustring& path) override;
    uint64_t GetSize() const { return size; }

private:
    uint64_t size = 0;
};

// Collects the visited paths into a container the caller owns.
class PathTraverser : public TraverseWithExceptionPathHandler {
public:
    int Handle(const ustring& path) override;
    void setContainer(std::vector<ustring>* paths) { m_paths = paths; }

private:
    std::vector<ustring>* m_paths = nullptr;
};

// Walks the handler's base folder. 0, or -1 when the base is not a folder, a
// folder of the tree cannot be opened or read, or any visit failed.
int TraverseDir(TraverseHandler& handler, int flag);
// Walks base_dir + dir, dir being a relative path as above.
int TraverseDir(const ustring& dir, TraverseHandler& handler, int flag);
