#pragma once

#include <QListWidgetItem>
#include <QSize>
#include <QWidget>

#include "site-file-info.h"

class QFontMetrics;
class QLabel;
class QVBoxLayout;

// The size of a tile at scale 1: a 64 px icon above two lines of name.
constexpr int kTileWidth = 80;
constexpr int kTileHeight = 108;
// The tile's size at the display's scale.
QSize scaledTileSize();

// A name on at most two lines of `width` pixels: the first line breaks after
// the last space, "-", "_" or "." that fits in its second half, else where
// the width ends; the second line holds the rest, elided at the right.
QString tileNameLines(const QString& name, const QFontMetrics& metrics, int width);

// One tile of the icon view: the entry's large icon above its name, on two
// lines and elided at the right, with the entry's details as tool tip. The
// name is always plain text.
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
