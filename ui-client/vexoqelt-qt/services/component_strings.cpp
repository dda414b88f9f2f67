#include "component_strings.h"

#include <QMutexLocker>

namespace {

struct DefaultString {
  const char* key;
  const char* english;
};

// The keys start-up installs and their English texts, which stand in when a
// key was not installed.
const DefaultString kDefaults[] = {
    {"today", "Today"},
    {"month_jan", "January"},
    {"month_feb", "February"},
    {"month_mar", "March"},
    {"month_apr", "April"},
    {"month_may", "May"},
    {"month_jun", "June"},
    {"month_jul", "July"},
    {"month_aug", "August"},
    {"month_sep", "September"},
    {"month_oct", "October"},
    {"month_nov", "November"},
    {"month_dec", "December"},
    {"sunday", "Sunday"},
    {"monday", "Monday"},
    {"tuesday", "Tuesday"},
    {"wednesday", "Wednesday"},
    {"thursday", "Thursday"},
    {"friday", "Friday"},
    {"saturday", "Saturday"},
    {"ok", "OK"},
    {"cancel", "Cancel"},
    {"first_page", "First Page"},
    {"last_page", "Last Page"},
    {"prev_5_pages", "Previous 5 pages"},
    {"next_5_pages", "Next 5 pages"},
};

}  // namespace

ComponentStrings* ComponentStrings::getInstance() {
  static ComponentStrings instance;
  return &instance;
}

void ComponentStrings::installStrings(const QMap<QString, QString>& map) {
  QMap<QString, QString> kept;
  for (const DefaultString& d : kDefaults) {
    const QString key = QString::fromLatin1(d.key);
    const auto it = map.constFind(key);
    if (it != map.constEnd() && !it.value().isEmpty()) {
      kept.insert(key, it.value());
    }
  }
  QMutexLocker lock(&m_mutex);
  m_strings = kept;
}

QString ComponentStrings::getString(const QString& key) const {
  {
    QMutexLocker lock(&m_mutex);
    const auto it = m_strings.constFind(key);
    if (it != m_strings.constEnd()) {
      return it.value();
    }
  }
  return englishString(key);
}

QStringList ComponentStrings::keys() {
  QStringList out;
  for (const DefaultString& d : kDefaults) {
    out << QString::fromLatin1(d.key);
  }
  return out;
}

QString ComponentStrings::englishString(const QString& key) {
  for (const DefaultString& d : kDefaults) {
    if (key == QLatin1String(d.key)) {
      return QString::fromLatin1(d.english);
    }
  }
  return QString();
}
