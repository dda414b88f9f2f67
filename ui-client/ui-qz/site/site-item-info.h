#pragma once

#include <QMetaType>
#include <QString>

// The record behind one item of a list, table or tree view.
class SiteItemInfo {
public:
    SiteItemInfo() = default;
    // The text is the item's name, not its path.
    explicit SiteItemInfo(const QString& name) : m_name(name) {}

    const QString& getPath() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }
    const QString& getName() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    unsigned int getEventId() const { return m_event_id; }
    void setEventId(unsigned int id) { m_event_id = id; }
    bool isDir() const { return m_is_dir; }
    void setIsDir(bool value) { m_is_dir = value; }
    bool isRoot() const { return m_is_root; }
    void setIsRoot(bool value) { m_is_root = value; }
    bool isSharedFolder() const { return m_is_shared_folder; }
    void setIsSharedFolder(bool value) { m_is_shared_folder = value; }

private:
    QString m_path;
    QString m_name;
    unsigned int m_event_id = 0;  // the operation pending on the item; 0 none
    bool m_is_dir = false;
    bool m_is_root = false;
    bool m_is_shared_folder = false;
};

Q_DECLARE_METATYPE(SiteItemInfo)
