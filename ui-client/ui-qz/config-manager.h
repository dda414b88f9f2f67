#pragma once

#include <mutex>
#include <QString>

#include "config.hpp"

// The small key/value settings file "config" in the user data folder, read
// once and written whole on every change. The peer-monitor thread reads
// "connect_method" while the debug window on the GUI thread may change it,
// so every access to the store goes through one mutex.
class ConfigManager {
public:
    static ConfigManager* getInstance();

    // The key's value, or "" for an unknown key (which is then kept with an
    // empty value and written by the next setValue).
    QString getValue(const QString& key);
    // Stores the value and rewrites the whole file by a temporary renamed
    // over it; a failed write is logged and leaves the old file.
    void setValue(const QString& key, const QString& value);

    // The file's path (user data folder + "/config").
    QString path() const { return m_config_path; }

    ConfigManager(const ConfigManager&) = delete;
    ConfigManager& operator=(const ConfigManager&) = delete;

private:
    ConfigManager();
    void writeLocked();

    QString m_config_path;
    Config m_config;
    std::mutex m_mutex;  // guards m_config and the file
};
