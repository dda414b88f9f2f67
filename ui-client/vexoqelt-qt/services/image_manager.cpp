#include "image_manager.h"

#include "dpi_info.h"
#include "resource_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMutexLocker>
#include <QtGlobal>

namespace {

const char* const kStateSuffix[] = {"", "_hover", "_click", "_disable"};

// A name is a file stem inside the image folder: sub-folders are allowed,
// leaving the folder is not.
bool isSafeName(const QString& name) {
  if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
      name.contains(QLatin1Char(':')) || name.contains(QChar(0))) {
    return false;
  }
  const QStringList parts = name.split(QLatin1Char('/'));
  for (const QString& part : parts) {
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) {
      return false;
    }
  }
  return true;
}

// base + "@2x.png" marked as ratio 2 when hi_dpi and it exists, else base + ".png".
QPixmap loadPng(const QString& base, bool hi_dpi) {
  if (hi_dpi) {
    const QString hi = base + QStringLiteral("@2x.png");
    if (QFileInfo::exists(hi)) {
      QPixmap pm(hi, "PNG");
      if (!pm.isNull()) {
        pm.setDevicePixelRatio(2.0);
        return pm;
      }
    }
  }
  const QString normal = base + QStringLiteral(".png");
  if (!QFileInfo::exists(normal)) {
    return QPixmap();
  }
  return QPixmap(normal, "PNG");
}

// The disabled look made from the normal image: grey, half transparent.
QPixmap greyed(const QPixmap& source) {
  QImage img = source.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const int grey = qGray(line[x]);
      line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
    }
  }
  QPixmap out = QPixmap::fromImage(img);
  out.setDevicePixelRatio(source.devicePixelRatio());
  return out;
}

}  // namespace

ImageManager* ImageManager::getInstance() {
  static ImageManager instance;
  return &instance;
}

int ImageManager::initialize(int /*type*/) {
  const QString resources = vexoResourceFolder();
  QMutexLocker lock(&m_mutex);
  m_folder = resources.isEmpty() ? QString() : resources + QStringLiteral("/images");
  m_cache.clear();
  if (m_folder.isEmpty() || !QFileInfo(m_folder).isDir()) {
    qWarning("ImageManager: image folder \"%s\" does not exist", qUtf8Printable(m_folder));
    return -1;
  }
  return 0;
}

QString ImageManager::getImageFolder() const {
  QMutexLocker lock(&m_mutex);
  return folderLocked();
}

QString ImageManager::folderLocked() const {
  if (!m_folder.isEmpty()) {
    return m_folder;
  }
  const QString resources = vexoResourceFolder();
  return resources.isEmpty() ? QString() : resources + QStringLiteral("/images");
}

QPixmap ImageManager::getImage(const QString& name, int type) {
  if (type < IT_NORMAL || type > IT_DISABLE) {
    type = IT_NORMAL;
  }
  // A pixmap needs the GUI application; without one there is nothing to give.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    return QPixmap();
  }
  const bool hi_dpi = DPIinfo::getInstance()->getDPR() > 1.0;
  const QString key = name + QLatin1Char('|') + QString::number(type) + (hi_dpi ? "|2" : "|1");

  QMutexLocker lock(&m_mutex);
  const auto cached = m_cache.constFind(key);
  if (cached != m_cache.constEnd()) {
    return cached.value();
  }
  if (!isSafeName(name)) {
    recordMissingLocked(name);
    return QPixmap();
  }
  const QString base = folderLocked() + QLatin1Char('/') + name;
  QPixmap pm;
  if (type != IT_NORMAL) {
    pm = loadPng(base + QLatin1String(kStateSuffix[type]), hi_dpi);
  }
  if (pm.isNull()) {
    pm = loadPng(base, hi_dpi);
    if (pm.isNull()) {
      recordMissingLocked(name);
      return QPixmap();  // not cached: a test may ship it later
    }
    if (type == IT_DISABLE) {
      pm = greyed(pm);
    }
  }
  m_cache.insert(key, pm);
  return pm;
}

void ImageManager::recordMissingLocked(const QString& name) {
  if (m_missing_set.contains(name)) {
    return;
  }
  m_missing_set.insert(name);
  m_missing.append(name);
  qWarning("ImageManager: no image \"%s\" in \"%s\"", qUtf8Printable(name), qUtf8Printable(folderLocked()));
}

QStringList ImageManager::missingNames() const {
  QMutexLocker lock(&m_mutex);
  return m_missing;
}

void ImageManager::clearMissingNames() {
  QMutexLocker lock(&m_mutex);
  m_missing.clear();
  m_missing_set.clear();
}

QPixmap getGlobalImage(const char* name, int type) {
  return ImageManager::getInstance()->getImage(QString::fromUtf8(name ? name : ""), type);
}

QPixmap getGlobalImage(const QString& name, int type) {
  return ImageManager::getInstance()->getImage(name, type);
}
