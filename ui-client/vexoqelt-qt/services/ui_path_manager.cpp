#include "ui_path_manager.h"

#include <QMutexLocker>

UIPathManager* UIPathManager::getInstance() {
  static UIPathManager instance;
  return &instance;
}

void UIPathManager::setPath(const QString& key, const QString& value) {
  QMutexLocker lock(&m_mutex);
  m_paths.insert(key, value);
}

QString UIPathManager::getPath(const QString& key) const {
  QMutexLocker lock(&m_mutex);
  return m_paths.value(key);
}
