#pragma once
#include <QColor>
#include <QPointer>
#include <QWidget>

// A layer of one colour over a widget, behind a sheet: it follows the
// widget's size, takes its mouse input, is shown and hidden with the sheet
// and goes away with it.
class VexoMask : public QWidget {
    Q_OBJECT
public:
    // Lays a mask over `under` (the sheet's window when null) for `sheet`.
    static VexoMask* createMask(QWidget* sheet, QWidget* under, const QColor& color);

    QColor color() const { return m_color; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    VexoMask(QWidget* sheet, QWidget* under, const QColor& color);
    void followSheet();

    QPointer<QWidget> m_sheet;
    QPointer<QWidget> m_under;
    QColor m_color;
};
