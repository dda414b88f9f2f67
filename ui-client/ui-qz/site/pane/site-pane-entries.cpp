#include "site-pane-entries.h"

#include <QDir>

#include <algorithm>
#include <unordered_set>

#include "log.h"
#include "site-path.h"

namespace {
const char kComponent[] = "default_component";

// Server paths accept both separators; the computer's only "/".
QString normalizedFolder(const QString& id_path)
{
    QString peer, path;
    splitIdPath(id_path, peer, path);
    if (peer != QLatin1String("0"))
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return peer + QLatin1Char(':') + path;
}
}  // namespace

int dropUnusableEntries(SiteFileList& list, const QString& path)
{
    // The computer's top level names its folders by absolute path; such a
    // name is usable when it is already clean (no "..", ".", "//" in it).
    const bool computer_top = path == QLatin1String("0:");
    // The same rule as isPlainEntryName, read on the text as it stands: a
    // clean listing is checked without converting a single name.
    auto unusable = [computer_top](const SiteFileInfo& entry) {
        const QString& name = entry.name;
        if (name.contains(QChar(0)))
            return true;
        if (computer_top)
            return !name.startsWith(QLatin1Char('/')) || QDir::cleanPath(name) != name;
        return name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
               name.contains(QLatin1Char('/'));
    };
    // Only a listing that holds such names is copied; a clean one stays shared.
    if (std::none_of(list.cbegin(), list.cend(), unusable))
        return 0;
    const int before = list.size();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const SiteFileInfo& entry) {
                                  if (!unusable(entry))
                                      return false;
                                  QM_LOG(Logger::L_ERR, kComponent,
                                         L"[ERROR] site-widget(%d): entry '%s' of '%s' dropped: not an item name\n",
                                         entry.name.toUtf8().toStdString(), path.toUtf8().toStdString());
                                  return true;
                              }),
               list.end());
    return before - list.size();
}

int removeEntriesByName(SiteFileList& list, const std::list<std::string>& names)
{
    if (names.empty() || list.isEmpty())
        return 0;
    const std::unordered_set<std::string> gone(names.begin(), names.end());
    const int before = list.size();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&gone](const SiteFileInfo& entry) {
                                  const QByteArray name = entry.name.toUtf8();
                                  return gone.count(std::string(name.constData(),
                                                                static_cast<size_t>(name.size()))) != 0;
                              }),
               list.end());
    return before - list.size();
}

bool isSameOrInside(const QString& folder, const QString& target)
{
    const QString a = normalizedFolder(folder);
    const QString b = normalizedFolder(target);
    if (b == a)
        return true;
    const QString prefix = a.endsWith(QLatin1Char('/')) ? a : a + QLatin1Char('/');
    return b.startsWith(prefix);
}
