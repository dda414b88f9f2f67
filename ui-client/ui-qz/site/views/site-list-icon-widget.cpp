#include "site-list-icon-widget.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "file-type-icon.h"
#include "site-table-cells.h"
#include "tool_tip.h"

QSize scaledTileSize()
{
    return QSize(scaledPixels(kTileWidth), scaledPixels(kTileHeight));
}

QString tileNameLines(const QString& name, const QFontMetrics& metrics, int width)
{
    if (width <= 0 || metrics.horizontalAdvance(name) <= width)
        return name;
    // The longest start that fits, never halving a surrogate pair.
    int low = 0, high = name.size();
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(name.left(mid)) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    int cut = low;
    if (cut > 0 && name.at(cut - 1).isHighSurrogate())
        --cut;
    if (cut == 0)
        return metrics.elidedText(name, Qt::ElideRight, width);
    for (int i = cut - 1; i >= cut / 2; --i) {
        const QChar c = name.at(i);
        if (c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.')) {
            cut = i + 1;
            break;
        }
    }
    return name.left(cut) + QLatin1Char('\n') + metrics.elidedText(name.mid(cut), Qt::ElideRight, width);
}

SiteListIconWidget::SiteListIconWidget(const SiteFileInfo& info, QWidget* parent) : QWidget(parent)
{
    setFixedSize(scaledTileSize());
    m_icon = new QLabel(this);
    m_icon->setFixedSize(scaledPixels(64), scaledPixels(64));
    m_label = new QLabel(this);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_main_v_layout = new QVBoxLayout(this);
    // The name takes the tile's whole width; the icon stays centred.
    m_main_v_layout->setContentsMargins(scaledPixels(2), scaledPixels(6), scaledPixels(2), scaledPixels(2));
    m_main_v_layout->setSpacing(scaledPixels(2));
    m_main_v_layout->addWidget(m_icon, 0, Qt::AlignHCenter);
    m_main_v_layout->addWidget(m_label, 1);
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
    m_label->setText(tileNameLines(m_info.name, m_label->fontMetrics(), width() - scaledPixels(4)));
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
