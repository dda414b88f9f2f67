#pragma once

#include <QString>
#include <QWidget>

#include "site-file-info.h"

class QHBoxLayout;
class QLabel;

// The name cell of a details-view row: the file-type icon and the name,
// elided in the middle, with the entry's details as tool tip. The name is
// always plain text.
class SiteTableIconWidget : public QWidget {
    Q_OBJECT
public:
    SiteTableIconWidget(const SiteFileInfo& info, QWidget* parent = nullptr);
    ~SiteTableIconWidget() override;

    const SiteFileInfo& getInfo() const { return m_info; }
    // The writable copy; callers run updateLayout() after changing it.
    SiteFileInfo& info() { return m_info; }
    QString getType() const { return m_type; }
    QString shownText() const;
    void setInfo(const SiteFileInfo& info);
    void setName(const QString& name);
    // Icon, type text, tool tip and elided name from m_info.
    void updateLayout();
    void elideText();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHBoxLayout* m_main_h_layout = nullptr;
    QLabel* m_icon = nullptr;
    QLabel* m_label = nullptr;
    QString m_type;
    SiteFileInfo m_info;
};

// A text cell of a details-view row (size, type, time), plain text.
class SiteTableItemWidget : public QWidget {
    Q_OBJECT
public:
    explicit SiteTableItemWidget(const QString& text, QWidget* parent = nullptr);
    ~SiteTableItemWidget() override;

    void setText(const QString& text);
    QString text() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QHBoxLayout* m_main_h_layout = nullptr;
    QLabel* m_text = nullptr;
};

// The tool tip text of an entry (before escaping): the name line, the size
// line for a file, the time line when the entry has a time.
QString siteEntryToolTipText(const SiteFileInfo& info);

// Pixels at scale 1 times the display scale, truncated.
int scaledPixels(int base);

// Draws the style's PE_Widget for a plain QWidget subclass, so that style
// sheets apply to cells and tiles.
void paintStyled(QWidget* widget);

// Half opacity for a cut entry; full opacity again for a widget that had
// the look (pooled widgets move between rows).
void setCutLook(QWidget* widget, bool cut);
