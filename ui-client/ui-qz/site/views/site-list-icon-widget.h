#pragma once

#include <QListWidgetItem>
#include <QWidget>

#include "site-file-info.h"

class QLabel;
class QVBoxLayout;

// One tile of the icon view: the entry's large icon above its name, elided
// at the right, with the entry's details as tool tip. The name is always
// plain text.
class SiteListIconWidget : public QWidget {
    Q_OBJECT
public:
    SiteListIconWidget(const SiteFileInfo& info, QWidget* parent = nullptr);
    ~SiteListIconWidget() override;

    const SiteFileInfo& getInfo() const { return m_info; }
    // The writable copy; callers run updateLayout() after changing it.
    SiteFileInfo& info() { return m_info; }
    QString shownText() const;
    void setInfo(const SiteFileInfo& info);
    void setName(const QString& name);
    // Icon, elided name and tool tip from m_info.
    void updateLayout();

signals:
    void sigCheckMisMove();

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    QVBoxLayout* m_main_v_layout = nullptr;
    QLabel* m_icon = nullptr;
    QLabel* m_label = nullptr;
    SiteFileInfo m_info;
};

// A row of the icon view. It carries what the row shows (the entry under
// its shown name), so rows out of sight need no tile, and it dies with its
// row.
class SiteListRowItem : public QListWidgetItem {
public:
    SiteListRowItem() : QListWidgetItem(nullptr, QListWidgetItem::Type) {}

    SiteFileInfo shown;
    bool drawn = false;  // has shown an entry (a reused row, not a new one)
    SiteListIconWidget* tile = nullptr;
};
