#pragma once
#include <QList>
#include <QWidget>

class QHBoxLayout;

// A window's button row: widgets pushed to the left and to the right, laid
// out in push order by init().
class VexoFootbar : public QWidget {
    Q_OBJECT
public:
    explicit VexoFootbar(QWidget* parent = nullptr);

    void setMargins(int left, int top, int right, int bottom);
    void pushLeftWidget(QWidget* widget);
    void pushRightWidget(QWidget* widget);
    // Lays out what was pushed: left widgets, a stretch, right widgets.
    void init();

private:
    QHBoxLayout* m_layout = nullptr;
    QList<QWidget*> m_left;
    QList<QWidget*> m_right;
};
