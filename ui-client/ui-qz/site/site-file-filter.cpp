// Filtering and sorting of folder listings. Sort keys are computed once per
// entry and the sort moves indices, never entries.
#include "site-file-info.h"

#include <QStringMatcher>

#include <algorithm>
#include <limits>
#include <vector>

#include "site-display.h"
#include "site-info.h"

namespace {

// A time the filter cannot place (unknown, before 1970, past the 32-bit
// range) counts as the largest 32-bit second.
const uint32_t kUnplacedTime = std::numeric_limits<uint32_t>::max();

uint32_t filterSeconds(const QDateTime& time)
{
    if (!time.isValid())
        return kUnplacedTime;
    const qint64 seconds = time.toSecsSinceEpoch();
    if (seconds < 0 || seconds > static_cast<qint64>(kUnplacedTime))
        return kUnplacedTime;
    return static_cast<uint32_t>(seconds);
}

// The type key: the text after the last ".", "file" without a dot.
QString get_ext(const SiteFileInfo& info)
{
    const int dot = info.name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QStringLiteral("file");
    return info.name.mid(dot + 1);
}

struct SortKey {
    const SiteFileInfo* entry;
    QString ext;      // type column only
    qint64 msecs;     // time column only; unknown times sort first
};

bool asc_comp_name(const SortKey& a, const SortKey& b)
{
    return a.entry->name < b.entry->name;
}

// Equal keys fall back to the name, so a reloaded folder whose server lists
// entries in another order keeps its rows on the same pages.
bool asc_comp_size(const SortKey& a, const SortKey& b)
{
    if (a.entry->size != b.entry->size)
        return a.entry->size < b.entry->size;
    return asc_comp_name(a, b);
}

bool asc_comp_mtime(const SortKey& a, const SortKey& b)
{
    if (a.msecs != b.msecs)
        return a.msecs < b.msecs;
    return asc_comp_name(a, b);
}

bool asc_comp_type(const SortKey& a, const SortKey& b)
{
    if (a.entry->is_dir != b.entry->is_dir)
        return !a.entry->is_dir;  // files before folders
    if (a.ext != b.ext)
        return a.ext < b.ext;
    return asc_comp_name(a, b);
}

bool passes(const SiteFileInfo& entry, const SiteFileFilter& filter, const QStringMatcher& keyword,
            uint64_t size_limit)
{
    if (!filter.keyword.isEmpty() && keyword.indexIn(entry.name) < 0)
        return false;
    if (filter.mtime_from != 0 || filter.mtime_to != 0) {
        const uint32_t t = filterSeconds(entry.mtime);
        if (filter.mtime_from != 0 && t < filter.mtime_from)
            return false;
        if (filter.mtime_to != 0 && t > filter.mtime_to)
            return false;
    }
    switch (filter.sfa) {
    case SiteFileFilter::SIZE_SMALLER:
        return entry.size < size_limit;
    case SiteFileFilter::SIZE_LARGER:
        return entry.size > size_limit;
    case SiteFileFilter::SIZE_EQUAL:
        return entry.size == size_limit;
    default:
        return true;
    }
}

}  // namespace

SiteFileFilter::SiteFileFilter()
{
    resetFilter();
    sort_column = -1;
    sort_asc = true;
}

void SiteFileFilter::resetFilter()
{
    keyword.clear();
    mtime_from = 0;
    mtime_to = 0;
    sfa = SIZE_NONE;
    size.clear();
}

bool SiteFileFilter::hasConditions() const
{
    return mtime_from != 0 || mtime_to != 0 || sfa == SIZE_EQUAL || sfa == SIZE_SMALLER || sfa == SIZE_LARGER;
}

QString SiteFileFilter::toString() const
{
    return QStringLiteral("\n") + QStringLiteral("keyword: %1\n").arg(keyword) +
           QStringLiteral("mtime_from: %1\n").arg(mtime_from) + QStringLiteral("mtime_to: %1\n").arg(mtime_to) +
           QStringLiteral("sfa: %1\n").arg(static_cast<int>(sfa)) + QStringLiteral("size: %1\n").arg(size);
}

void filterAndSortSiteFileList(const SiteFileList& list, const SiteFileFilter& filter, SiteFileList& new_list)
{
    new_list.clear();
    const bool sized = filter.sfa == SiteFileFilter::SIZE_EQUAL || filter.sfa == SiteFileFilter::SIZE_SMALLER ||
                       filter.sfa == SiteFileFilter::SIZE_LARGER;
    const uint64_t size_limit = sized ? translateHumanReadableSize(filter.size) : 0;
    const int column = filter.sort_column;
    const bool sorting = column >= COL_NAME && column < COL_MAX;

    // Prepared once for the whole list.
    const QStringMatcher keyword(filter.keyword, Qt::CaseInsensitive);
    std::vector<SortKey> keys;
    keys.reserve(static_cast<size_t>(list.size()));
    for (const SiteFileInfo& entry : list) {
        if (!passes(entry, filter, keyword, size_limit))
            continue;
        SortKey key{&entry, QString(), 0};
        if (sorting && column == COL_TYPE)
            key.ext = get_ext(entry);
        if (sorting && column == COL_MTIME)
            key.msecs = entry.mtime.isValid() ? entry.mtime.toMSecsSinceEpoch()
                                              : std::numeric_limits<qint64>::min();
        keys.push_back(std::move(key));
    }

    if (sorting) {
        bool (*less)(const SortKey&, const SortKey&) = asc_comp_name;
        if (column == COL_SIZE)
            less = asc_comp_size;
        else if (column == COL_TYPE)
            less = asc_comp_type;
        else if (column == COL_MTIME)
            less = asc_comp_mtime;
        std::stable_sort(keys.begin(), keys.end(), less);
        // Descending is the ascending result backwards.
        if (!filter.sort_asc)
            std::reverse(keys.begin(), keys.end());
    }

    new_list.reserve(static_cast<int>(keys.size()));
    for (const SortKey& key : keys)
        new_list.append(*key.entry);
}

void registerSiteMetaTypes()
{
    qRegisterMetaType<SiteFileInfo>("SiteFileInfo");
    qRegisterMetaType<SiteFileList>("SiteFileList");
    qRegisterMetaType<SiteInfo>("SiteInfo");
}
