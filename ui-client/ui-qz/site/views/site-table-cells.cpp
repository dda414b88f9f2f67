#include "site-table-cells.h"

#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>

#include <cmath>

#include "dpi_info.h"
#include "file-type-icon.h"
#include "site-display.h"
#include "str_table.h"
#include "tool_tip.h"

int scaledPixels(int base)
{
    return static_cast<int>(std::trunc(base * DPIinfo::getInstance()->getDPI()));
}

QString siteEntryToolTipText(const SiteFileInfo& info)
{
    QStringList lines;
    lines << StrTable::LoadStr(StrTable::file_name) + QStringLiteral(": ") + info.name;
    if (!info.mtime.isNull()) {
        if (!info.is_dir)
            lines << StrTable::LoadStr(StrTable::filter_size) + QStringLiteral(": ") +
                         getHumanReadableSize(static_cast<double>(info.size));
        lines << StrTable::LoadStr(StrTable::modify_time) + QStringLiteral(": ") +
                     getHumanReadableTime(static_cast<unsigned int>(info.mtime.toSecsSinceEpoch()));
    }
    return lines.join(QLatin1Char('\n'));
}

void paintStyled(QWidget* widget)
{
    QStyleOption option(1, QStyleOption::SO_Default);
    option.initFrom(widget);
    QPainter painter(widget);
    widget->style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, widget);
}

void setCutLook(QWidget* widget, bool cut)
{
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(widget->graphicsEffect());
    if (!effect && !cut)
        return;
    if (!effect) {
        effect = new QGraphicsOpacityEffect(nullptr);
        widget->setGraphicsEffect(effect);
    }
    effect->setOpacity(cut ? 0.5 : 1.0);
}

SiteTableIconWidget::SiteTableIconWidget(const SiteFileInfo& info, QWidget* parent) : QWidget(parent)
{
    m_main_h_layout = new QHBoxLayout(this);
    m_main_h_layout->setContentsMargins(0, 0, 0, 0);
    m_main_h_layout->setSpacing(scaledPixels(4));
    m_main_h_layout->addSpacing(scaledPixels(8));
    m_icon = new QLabel(this);
    m_icon->setFixedSize(scaledPixels(16), scaledPixels(16));
    m_main_h_layout->addWidget(m_icon);
    m_label = new QLabel(this);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setMinimumWidth(1);
    // The label gets its width from the layout after the cell's own resize.
    m_label->installEventFilter(this);
    m_main_h_layout->addWidget(m_label, 1);
    m_info = info;
    updateLayout();
}

SiteTableIconWidget::~SiteTableIconWidget() = default;

QString SiteTableIconWidget::shownText() const { return m_label->text(); }

void SiteTableIconWidget::setInfo(const SiteFileInfo& info)
{
    m_info = info;
    updateLayout();
}

void SiteTableIconWidget::setName(const QString& name)
{
    m_info.name = name;
    updateLayout();
}

void SiteTableIconWidget::updateLayout()
{
    QString type;
    QPixmap pixmap;
    getFileTypeIcon(m_info.name, m_info.is_dir, false, false, type, pixmap);
    m_icon->setPixmap(pixmap);
    m_type = type;
    elideText();
    setToolTip(getHtmlEscapedStringForToolTip(siteEntryToolTipText(m_info)));
}

void SiteTableIconWidget::elideText()
{
    m_label->setText(m_label->fontMetrics().elidedText(m_info.name, Qt::ElideMiddle, m_label->width()));
}

void SiteTableIconWidget::paintEvent(QPaintEvent*) { paintStyled(this); }

bool SiteTableIconWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label && event->type() == QEvent::Resize)
        elideText();
    return QWidget::eventFilter(watched, event);
}

void SiteTableIconWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    elideText();
}

SiteTableItemWidget::SiteTableItemWidget(const QString& text, QWidget* parent) : QWidget(parent)
{
    m_main_h_layout = new QHBoxLayout(this);
    m_main_h_layout->setContentsMargins(0, 0, 0, 0);
    setContentsMargins(0, 0, 0, 0);
    m_text = new QLabel(text, this);
    // Type texts come from the listed name: never read them as markup.
    m_text->setTextFormat(Qt::PlainText);
    m_text->setContentsMargins(0, 0, 0, 0);
    m_main_h_layout->addSpacing(scaledPixels(8));
    m_main_h_layout->addWidget(m_text);
    m_main_h_layout->addStretch();
}

SiteTableItemWidget::~SiteTableItemWidget() = default;

void SiteTableItemWidget::setText(const QString& text)
{
    if (m_text->text() == text)
        return;
    m_text->setText(text);
    // A pooled cell moves to another row with a longer text: lay it out now,
    // or a paint before the layout's own pass cuts the text.
    m_main_h_layout->invalidate();
    m_main_h_layout->activate();
}
QString SiteTableItemWidget::text() const { return m_text->text(); }

void SiteTableItemWidget::paintEvent(QPaintEvent*) { paintStyled(this); }
