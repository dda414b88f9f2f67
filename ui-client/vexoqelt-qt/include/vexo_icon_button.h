#pragma once
#include <QPixmap>
#include <QToolButton>

class QMenu;

// A tool button drawn with four pictures: normal, hovered, pressed and
// disabled. A menu set on it pops up at once on a click.
class VexoIconButton : public QToolButton {
    Q_OBJECT
public:
    explicit VexoIconButton(const QString& image_name, QWidget* parent = nullptr);
    explicit VexoIconButton(const char* image_name, QWidget* parent = nullptr);
    explicit VexoIconButton(const QPixmap& pixmap, QWidget* parent = nullptr);

    // The four pictures of an image name.
    void setAllIcon(const QString& image_name);
    // The normal picture (also used for hover and press until others are set).
    void setDefaultIcon(const QPixmap& pixmap);
    void setHoverIcon(const QPixmap& pixmap);
    void setClickIcon(const QPixmap& pixmap);
    void setDisableIcon(const QPixmap& pixmap);
    void setMenu(QMenu* menu);

    // The picture shown for the current state.
    QPixmap currentPixmap() const;

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void init();
    void refreshIcon();

    QPixmap m_normal;
    QPixmap m_hover;
    QPixmap m_click;
    QPixmap m_disable;
    bool m_hovered = false;
    bool m_pressed = false;
};
