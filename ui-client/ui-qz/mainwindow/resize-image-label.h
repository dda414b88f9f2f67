#pragma once
// A label that keeps its picture scaled to its own size, aspect kept, while
// an animation changes its geometry. Every step scales the stored picture,
// never an earlier scaled copy.
#include <QLabel>
#include <QPixmap>

class ResizeImageLabel : public QLabel {
    Q_OBJECT
public:
    explicit ResizeImageLabel(QWidget* parent = nullptr);
    ~ResizeImageLabel() override;

    void setPixmap(const QPixmap& pixmap);
    QPixmap storedPixmap() const { return m_pixmap; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap m_pixmap;
};
