#include "site-list-icon-widget.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "file-type-icon.h"
#include "site-table-cells.h"
#include "tool_tip.h"

SiteListIconWidget::SiteListIconWidget(const SiteFileInfo& info, QWidget* parent) : QWidget(parent)
{
    setFixedSize(scaledPixels(80), scaledPixels(100));
    m_icon = new QLabel(this);
    m_icon->setFixedSize(scaledPixels(64), scaledPixels(64));
    m_label = new QLabel(this);
    m_label->setTextFormat(Qt::PlainText);
    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setContentsMargins(scaledPixels(8), scaledPixels(8), scaledPixels(8), scaledPixels(4));
    m_main_v_layout->setSpacing(scaledPixels(4));
    m_main_v_layout->addWidget(m_icon);
    m_main_v_layout->addWidget(m_label, 0, Qt::AlignCenter);
    m_info = info;
    updateLayout();
}

SiteListIconWidget::~SiteListIconWidget() = default;

QString SiteListIconWidget::shownText() const { return m_label->text(); }

void SiteListIconWidget::setInfo(const SiteFileInfo& info)
{
    m_info = info;
    updateLayout();
}

void SiteListIconWidget::setName(const QString& name)
{
    m_info.name = name;
    updateLayout();
}

void SiteListIconWidget::updateLayout()
{
    QString type;
    QPixmap pixmap;
    getFileTypeIcon(m_info.name, m_info.is_dir, false, true, type, pixmap);
    m_icon->setPixmap(pixmap);
    m_label->setText(m_label->fontMetrics().elidedText(m_info.name, Qt::ElideRight, scaledPixels(64)));
    // Without a time (the top level's entries) the tip is the bare name.
    const QString tip = m_info.mtime.isNull() ? m_info.name : siteEntryToolTipText(m_info);
    setToolTip(getHtmlEscapedStringForToolTip(tip));
}

void SiteListIconWidget::paintEvent(QPaintEvent*) { paintStyled(this); }

void SiteListIconWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    emit sigCheckMisMove();
}
