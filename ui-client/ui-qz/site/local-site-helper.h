#pragma once

#include <QFileInfo>

#include "site-helper.h"

// The computer itself (peer 0): its top level lists "/", the user's home and
// the mounted volumes, each by absolute path (computerTopFolders); below that the file layer does the work. Symbolic links keep the file
// layer's type: they are never folders and never entered. Stateless; one per
// worker thread.
class LocalSiteHelper : public SiteHelper {
    Q_OBJECT
public:
    explicit LocalSiteHelper(QObject* parent) : SiteHelper(parent) {}

    int listNode(const std::string& path, bool& is_dir, SiteFileList& file_infos) override;
    // Makes the folder and its missing parents.
    int mkdir(const std::string& path) override;
    // Tries every name; -1 when any failed. Names that are empty, "." or ".."
    // or hold "/" are refused (counted as failed) and nothing is done for them.
    int remove(const std::string& parent, const std::list<std::string>& names) override;
    // 40965 (ERROR_RENAME_TARGET_EXISTS) when `to` exists; never replaces it.
    int rename(const std::string& from, const std::string& to) override;
    // A file, or a folder tree (-1 when any entry failed, or when `to` is
    // `from` or lies below it).
    int copy(const std::string& from, const std::string& to) override;
};

// One entry of a QFileInfo: a file-system root is named by its full path;
// trailing "/" are removed, except from "/" itself.
SiteFileInfo convertFromQFileInfo(const QFileInfo& f);
