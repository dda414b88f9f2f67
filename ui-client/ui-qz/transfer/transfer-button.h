#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

class QLabel;
class QMovie;
class QVBoxLayout;

// The main window's image button that opens and closes the Task Manager. It
// shows one picture of an icon name by state, or an animation while transfer
// tasks exist, and emits clicked() on a mouse release while enabled.
class TransferButton : public QWidget {
    Q_OBJECT
public:
    explicit TransferButton(QWidget* parent = nullptr);
    ~TransferButton() override;

    // Loads the four state pictures; the label changes at the next refresh.
    void setAllIcon(const QString& name);
    // Replaces the animation; it does not start it.
    void setGif(const QString& file);
    // The animation's size, scaled and rounded; without an animation nothing.
    void setIconSize(QSize size);
    // The size last given to setIconSize, before scaling.
    QSize iconSize() const { return m_icon_size; }
    void setEnabled(bool enabled);
    void setToggled(bool toggled);
    void setPause(bool pause);
    bool isToggled() const { return m_toggle_on; }
    bool isButtonEnabled() const { return m_is_enabled; }
    bool isPaused() const { return m_pause; }
    // A click as the mouse gives one: clicked() while enabled.
    void click();
    void startGif();
    void stopGif();

    QLabel* label() const { return m_label; }
    QMovie* movie() const { return m_gif; }
    // True while the label shows the animation.
    bool isShowingGif() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void updateIcon();
    void showPixmap(const QPixmap& pixmap);

    bool m_is_enabled = true;
    bool m_toggle_on = false;
    bool m_start_gif = false;
    bool m_pause = false;
    QLabel* m_label = nullptr;
    QString m_name;
    QPixmap m_normal_pixmap;
    QPixmap m_hover_pixmap;
    QPixmap m_press_pixmap;
    QPixmap m_disable_pixmap;
    QMovie* m_gif = nullptr;
    QVBoxLayout* m_main_layout = nullptr;
    QSize m_icon_size;
};
