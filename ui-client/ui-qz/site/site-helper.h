#pragma once

#include <QObject>

#include <list>
#include <string>

#include "site-file-info.h"

// The file operations of one site. Paths are UTF-8 with "/" separators; the
// empty path is the site's top level. 0 is success; anything else a failure:
// -1 or another negative code of the layer below, or a ProtoUI::Error value.
class SiteHelper : public QObject {
    Q_OBJECT
public:
    explicit SiteHelper(QObject* parent) : QObject(parent) {}
    ~SiteHelper() override = default;

    // Appends the entries of `path`; for a non-empty path sets is_dir to
    // whether it is a folder.
    virtual int listNode(const std::string& path, bool& is_dir, SiteFileList& file_infos) = 0;
    virtual int mkdir(const std::string& path) = 0;
    // Removes parent + "/" + name for each name, in order.
    virtual int remove(const std::string& parent, const std::list<std::string>& names) = 0;
    virtual int rename(const std::string& from, const std::string& to) = 0;
    virtual int copy(const std::string& from, const std::string& to) = 0;
};
