#pragma once

#include <QMap>
#include <QMutex>
#include <QString>

// Folders by key ("application_path", "resource_path", "user_data_path",
// "log_path"), recorded once at start-up and read by every part of the client.
class UIPathManager {
public:
  static UIPathManager* getInstance();

  // Stores value under key, replacing an earlier value.
  void setPath(const QString& key, const QString& value);
  // What setPath stored under key, or an empty string.
  QString getPath(const QString& key) const;

  UIPathManager(const UIPathManager&) = delete;
  UIPathManager& operator=(const UIPathManager&) = delete;

private:
  UIPathManager() = default;

  mutable QMutex m_mutex;  // start-up writes, worker threads read
  QMap<QString, QString> m_paths;
};
