#include "site-view-names.h"

#include "file-op-ex.h"
#include "str_table.h"

namespace siteviews {

QString shownName(const QString& listed, bool is_root, const QString& site_name)
{
    if (!is_root)
        return listed;
    if (listed == QLatin1String("0"))
        return StrTable::LoadStr(StrTable::my_computer);
    return site_name;
}

bool isAcceptableNewName(const QString& name)
{
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

namespace {
uint64_t systemClock() { return cross::getMillisecondTimestamp(); }
SliceClock s_clock = &systemClock;
}  // namespace

void setSliceClock(SliceClock clock) { s_clock = clock ? clock : &systemClock; }
uint64_t sliceNow() { return s_clock(); }

}  // namespace siteviews
