#pragma once

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>

#include <cstdint>

// One folder entry of any site. Copy and assignment take all six fields, so a
// sorted list keeps each entry's flags with its name.
struct SiteFileInfo {
    bool is_root = false;           // stands for a whole site in a pane's root listing
    bool is_shared_folder = false;  // a shared folder of a server's top level
    QString name;                   // without any path
    uint64_t size = 0;              // bytes; 0 for folders
    bool is_dir = false;
    QDateTime mtime;                // local time; null when unknown
};

typedef QList<SiteFileInfo> SiteFileList;

Q_DECLARE_METATYPE(SiteFileInfo)
Q_DECLARE_METATYPE(SiteFileList)

// The columns of the details view; sort_column uses the same numbers.
enum SiteTableColumns {
    COL_NAME = 0,
    COL_SIZE = 1,
    COL_TYPE = 2,
    COL_MTIME = 3,
    COL_MAX = 4,
};

// The filter and sort settings of one pane.
struct SiteFileFilter {
    // Stored as a plain 32-bit number: any value may arrive from a menu, and
    // the unknown ones mean no size condition.
    enum SizeFilterAction : int32_t {
        SIZE_NONE = 0,
        SIZE_EQUAL = 1,
        SIZE_SMALLER = 2,
        SIZE_LARGER = 3,
    };

    SiteFileFilter();
    // Clears keyword, time range and size condition; the sort stays.
    void resetFilter();
    // True while a time range or a size condition applies (the keyword
    // shows in its own box).
    bool hasConditions() const;
    // Debug text of the filter part (not the sort).
    QString toString() const;

    QString keyword;
    uint32_t mtime_from;  // seconds since 1970 UTC; 0: no lower bound
    uint32_t mtime_to;    // seconds since 1970 UTC; 0: no upper bound
    SizeFilterAction sfa;
    QString size;         // as typed, read by translateHumanReadableSize
    int32_t sort_column;  // -1 none, else a SiteTableColumns value
    bool sort_asc;
};

// Fills new_list (emptied first) with the entries of list that pass the
// filter, sorted by its column and direction; list is not changed. Entries
// that compare equal keep their input order.
void filterAndSortSiteFileList(const SiteFileList& list, const SiteFileFilter& filter, SiteFileList& new_list);

// Registers "SiteFileList" and "SiteInfo" for queued signals; idempotent.
void registerSiteMetaTypes();
