#include "config-manager.h"

#include <QFileInfo>

#include "log.h"
#include "ui_path_manager.h"

ConfigManager* ConfigManager::getInstance()
{
    static ConfigManager instance;
    return &instance;
}

ConfigManager::ConfigManager()
    : m_config_path(UIPathManager::getInstance()->getPath(QStringLiteral("user_data_path")) +
                    QStringLiteral("/config"))
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (QFileInfo::exists(m_config_path)) {
        // An unreadable file leaves the store empty: every key reads as "".
        if (m_config.read(m_config_path.toUtf8().toStdString()) != 0)
            QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] config-manager(%d): Cannot read settings file [%s]\n",
                   m_config_path.toUtf8().toStdString());
        return;
    }
    m_config["connect_method"] = "auto";
    writeLocked();
}

QString ConfigManager::getValue(const QString& key)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return QString::fromStdString(m_config[key.toUtf8().toStdString()]);
}

void ConfigManager::setValue(const QString& key, const QString& value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_config[key.toUtf8().toStdString()] = value.toUtf8().toStdString();
    writeLocked();
}

void ConfigManager::writeLocked()
{
    const std::string path = m_config_path.toUtf8().toStdString();
    if (m_config.write(path) != 0)
        QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] config-manager(%d): Cannot write settings file [%s]\n",
               path);
}
