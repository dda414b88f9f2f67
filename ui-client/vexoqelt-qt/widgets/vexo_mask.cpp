#include "vexo_mask.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "vexo_sheet.h"

VexoMask* VexoMask::createMask(QWidget* sheet, QWidget* under, const QColor& color)
{
    if (!sheet)
        return nullptr;
    if (!under)
        under = sheet->parentWidget() ? sheet->parentWidget()->window() : nullptr;
    if (!under || under == sheet)
        return nullptr;
    if (auto* vexo_sheet = qobject_cast<VexoSheet*>(sheet))
        vexo_sheet->moveIntoHost(under);
    return new VexoMask(sheet, under, color);
}

VexoMask::VexoMask(QWidget* sheet, QWidget* under, const QColor& color)
    : QWidget(under), m_sheet(sheet), m_under(under), m_color(color)
{
    setObjectName(QStringLiteral("vexo_mask"));
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::NoFocus);
    sheet->installEventFilter(this);
    under->installEventFilter(this);
    // The mask lives as long as its sheet; a QPointer because `under` may have
    // taken it down first.
    QPointer<VexoMask> self(this);
    connect(sheet, &QObject::destroyed, [self] { delete self.data(); });
    followSheet();
}

void VexoMask::followSheet()
{
    if (!m_sheet || !m_under || m_sheet->isHidden()) {
        hide();
        return;
    }
    setGeometry(m_under->rect());
    show();
    raise();
    if (m_sheet->parentWidget() == m_under)
        m_sheet->raise();
}

bool VexoMask::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_sheet && (type == QEvent::Show || type == QEvent::Hide))
        followSheet();
    else if (watched == m_under && type == QEvent::Resize && isVisible())
        setGeometry(m_under->rect());
    return QWidget::eventFilter(watched, event);
}

void VexoMask::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
}

void VexoMask::mousePressEvent(QMouseEvent* event) { event->accept(); }
void VexoMask::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void VexoMask::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }
void VexoMask::wheelEvent(QWheelEvent* event) { event->accept(); }
