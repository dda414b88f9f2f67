#pragma once
#include <QList>
#include <QString>
#include <QWidget>

class QHBoxLayout;
class QPushButton;
class QToolButton;

// A breadcrumb: one button per component of a text split at "/" and "\".
// A click emits the text up to and including the clicked component, with the
// separators as given. An empty component right after the first is the root
// of a Linux file system, shown as "/". When the buttons do not fit, the
// leftmost ones collapse into a menu button at the left.
class VexoButtonPath : public QWidget {
    Q_OBJECT
public:
    explicit VexoButtonPath(QWidget* parent = nullptr);

    // Replaces the buttons with those for text.
    void refresh(const QString& text);

    struct Component {
        QString label;   // shown on the button
        QString target;  // emitted when clicked
    };
    // How a text is split into buttons.
    static QList<Component> split(const QString& text);

    QList<QPushButton*> buttons() const { return m_buttons; }
    QToolButton* collapsedButton() const { return m_collapsed; }

    // Wide enough for every button, so layouts offer the room before collapsing.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void sigUpdatePath(QString text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitButtons();

    QHBoxLayout* m_layout = nullptr;
    QToolButton* m_collapsed = nullptr;
    QList<QPushButton*> m_buttons;
    QList<QWidget*> m_separators;  // m_separators[i] stands before m_buttons[i + 1]
    QList<Component> m_components;
};
