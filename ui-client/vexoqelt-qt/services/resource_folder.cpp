#include "resource_folder.h"

#include "ui_path_manager.h"

#include <QCoreApplication>
#include <QDir>

QString vexoResourceFolder() {
  const QString recorded = UIPathManager::getInstance()->getPath(QStringLiteral("resource_path"));
  if (!recorded.isEmpty()) {
    return QDir::cleanPath(recorded);
  }
  if (!QCoreApplication::instance()) {
    return QString();
  }
  return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../resource"));
}
