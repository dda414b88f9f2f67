#include "style_manager.h"

#include "dpi_info.h"

#include <QFile>
#include <QMutexLocker>
#include <QTextStream>

namespace {

const QString kSheetMarker = QStringLiteral("@sheet ");

// Adds the sections of one file's text to sheets; later sections win.
void parseSheets(const QString& text, QMap<QString, QString>& sheets) {
  QString name;
  QString body;
  auto flush = [&]() {
    if (!name.isEmpty()) {
      sheets.insert(name, body.trimmed());
    }
  };
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (QString line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) {
      line.chop(1);
    }
    if (line.startsWith(kSheetMarker)) {
      flush();
      name = line.mid(kSheetMarker.size()).trimmed();
      body.clear();
      continue;
    }
    if (!name.isEmpty()) {
      body += line;
      body += QLatin1Char('\n');
    }
  }
  flush();
}

}  // namespace

StyleManager* StyleManager::getInstance() {
  static StyleManager instance;
  return &instance;
}

int StyleManager::initialize(const QStringList& files) {
  QMap<QString, QString> raw;
  bool failed = false;
  for (const QString& path : files) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
      qWarning("StyleManager: cannot read style sheet file \"%s\": %s", qUtf8Printable(path),
               qUtf8Printable(file.errorString()));
      failed = true;
      continue;
    }
    parseSheets(QString::fromUtf8(file.readAll()), raw);
  }
  // Scaled once here: the scale of a run does not change.
  const double scale = DPIinfo::getInstance()->getDPI();
  QMap<QString, QString> scaled;
  for (auto it = raw.constBegin(); it != raw.constEnd(); ++it) {
    scaled.insert(it.key(), DPIinfo::scaleStyleSheet(it.value(), scale));
  }
  QMutexLocker lock(&m_mutex);
  m_raw_sheets = raw;
  m_sheets = scaled;
  return failed ? -1 : m_sheets.size();
}

QString StyleManager::getSheet(const QString& name, bool unscaled) {
  QMutexLocker lock(&m_mutex);
  const QMap<QString, QString>& sheets = unscaled ? m_raw_sheets : m_sheets;
  const auto it = sheets.constFind(name);
  if (it != sheets.constEnd()) {
    return it.value();
  }
  if (!m_missing_set.contains(name)) {
    m_missing_set.insert(name);
    m_missing.append(name);
    qWarning("StyleManager: no style sheet \"%s\"", qUtf8Printable(name));
  }
  return QString();
}

QStringList StyleManager::sheetNames() const {
  QMutexLocker lock(&m_mutex);
  return m_sheets.keys();
}

QStringList StyleManager::missingNames() const {
  QMutexLocker lock(&m_mutex);
  return m_missing;
}

void StyleManager::clearMissingNames() {
  QMutexLocker lock(&m_mutex);
  m_missing.clear();
  m_missing_set.clear();
}

QString getStyleSheet(const char* name, bool unscaled) {
  return StyleManager::getInstance()->getSheet(QString::fromUtf8(name ? name : ""), unscaled);
}

QString getStyleSheet(const QString& name, bool unscaled) {
  return StyleManager::getInstance()->getSheet(name, unscaled);
}
