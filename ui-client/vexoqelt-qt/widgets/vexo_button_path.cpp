#include "vexo_button_path.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "library_services.h"

namespace {
bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}
}  // namespace

QList<VexoButtonPath::Component> VexoButtonPath::split(const QString& text)
{
    QList<Component> components;
    int start = 0;
    int index = 0;
    while (start <= text.size()) {
        int end = start;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        const QString part = text.mid(start, end - start);
        const bool has_separator = end < text.size();
        if (!part.isEmpty()) {
            components.append({part, text.left(end)});
        } else if (index == 1 && has_separator) {
            // "Name//home": the empty component is the file system's root; its
            // target keeps the separator after it so that it reads as "/".
            components.append({QStringLiteral("/"), text.left(end + 1)});
        }
        // Other empty components (doubled or trailing separators) get no button.
        if (!has_separator)
            break;
        start = end + 1;
        ++index;
    }
    return components;
}

VexoButtonPath::VexoButtonPath(QWidget* parent)
    : QWidget(parent)
{
    setStyleSheet(vexo::componentStyleSheet("component.button_path"));
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_collapsed = new QToolButton(this);
    m_collapsed->setText(QStringLiteral("\u00ab"));
    m_collapsed->setAutoRaise(true);
    m_collapsed->setPopupMode(QToolButton::InstantPopup);
    m_collapsed->setMenu(new QMenu(m_collapsed));
    m_collapsed->hide();
    m_layout->addWidget(m_collapsed);
    m_layout->addStretch(1);
}

void VexoButtonPath::refresh(const QString& text)
{
    qDeleteAll(m_buttons);
    qDeleteAll(m_separators);
    m_buttons.clear();
    m_separators.clear();
    m_components = split(text);
    for (int i = 0; i < m_components.size(); ++i) {
        if (i > 0) {
            auto* separator = new QLabel(QStringLiteral("\u203a"), this);
            separator->setContentsMargins(vexo::scaled(2), 0, vexo::scaled(2), 0);
            m_separators.append(separator);
            m_layout->insertWidget(m_layout->count() - 1, separator);
        }
        auto* button = new QPushButton(m_components[i].label, this);
        button->setFlat(true);
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
        button->setMinimumHeight(vexo::scaled(24));
        const QString target = m_components[i].target;
        connect(button, &QPushButton::clicked, this, [this, target] { emit sigUpdatePath(target); });
        m_buttons.append(button);
        m_layout->insertWidget(m_layout->count() - 1, button);
    }
    updateGeometry();
    fitButtons();
}

QSize VexoButtonPath::sizeHint() const
{
    int w = 0;
    int h = m_collapsed->sizeHint().height();
    for (QPushButton* button : m_buttons) {
        w += button->sizeHint().width();
        h = qMax(h, button->sizeHint().height());
    }
    for (QWidget* separator : m_separators)
        w += separator->sizeHint().width();
    return QSize(w, h);
}

QSize VexoButtonPath::minimumSizeHint() const
{
    const QSize last = m_buttons.isEmpty() ? QSize(0, 0) : m_buttons.last()->minimumSizeHint();
    return QSize(last.width() + m_collapsed->sizeHint().width(),
                 qMax(last.height(), m_collapsed->sizeHint().height()));
}

void VexoButtonPath::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitButtons();
}

void VexoButtonPath::fitButtons()
{
    // Keep the rightmost (deepest) components; collapse from the left.
    const int available = width();
    const int collapse_width = m_collapsed->sizeHint().width();
    int used = 0;
    int first_shown = m_buttons.size();
    for (int i = m_buttons.size() - 1; i >= 0; --i) {
        int need = m_buttons[i]->sizeHint().width();
        if (i > 0)
            need += m_separators[i - 1]->sizeHint().width();
        const int reserve = i > 0 ? collapse_width : 0;
        if (i < m_buttons.size() - 1 && used + need + reserve > available)
            break;
        used += need;
        first_shown = i;
    }
    QMenu* menu = m_collapsed->menu();
    menu->clear();
    for (int i = 0; i < m_buttons.size(); ++i) {
        const bool shown = i >= first_shown;
        m_buttons[i]->setVisible(shown);
        if (i > 0)
            m_separators[i - 1]->setVisible(shown && i > first_shown);
        if (!shown) {
            const QString target = m_components[i].target;
            menu->addAction(m_components[i].label, this, [this, target] { emit sigUpdatePath(target); });
        }
    }
    m_collapsed->setVisible(first_shown > 0);
}
