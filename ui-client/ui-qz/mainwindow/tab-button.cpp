#include "tab-button.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

#include "dpi_info.h"
#include "image_manager.h"
#include "scaled-size.h"
#include "style_manager.h"
#include "tool_tip.h"
#include "vexo_icon_button.h"

namespace {

QPixmap certificateImage(bool verified)
{
    return getGlobalImage(verified ? "icon_ssl" : "icon_ssl_warning", ImageManager::IT_NORMAL);
}

}  // namespace

TabButton::TabButton(bool verified, QWidget* parent) : QPushButton(parent)
{
    setFixedHeight(scaledSize(40));

    m_certificate_button = new VexoIconButton(certificateImage(verified));
    m_certificate_button->setFixedSize(scaledSize(16), scaledSize(16));

    m_disconnected_label = new QLabel;
    m_disconnected_label->setPixmap(getGlobalImage("icon_disconnected", ImageManager::IT_NORMAL));
    m_disconnected_label->setFixedSize(scaledSize(16), scaledSize(16));

    m_spacing_frame = new QFrame;
    m_spacing_frame->setFixedWidth(scaledSize(6));

    // Server names are shown as they are, never as markup.
    m_name_label = new QLabel;
    m_name_label->setTextFormat(Qt::PlainText);
    m_name_label->setWordWrap(false);

    m_close_button = new VexoIconButton("tab_close");
    m_close_button->setFixedSize(scaledSize(24), scaledSize(24));

    m_main_h_layout = new QHBoxLayout(this);
    m_main_h_layout->setContentsMargins(scaledSize(14), scaledSize(0), scaledSize(3), scaledSize(0));
    m_main_h_layout->setSpacing(scaledSize(0));
    m_main_h_layout->addWidget(m_certificate_button, 0);
    m_main_h_layout->addWidget(m_disconnected_label, 0);
    m_main_h_layout->addWidget(m_spacing_frame, 0);
    m_main_h_layout->addWidget(m_name_label, 0);
    m_main_h_layout->addSpacing(scaledSize(10));
    m_main_h_layout->addWidget(m_close_button, 0);

    setAttribute(Qt::WA_LayoutUsesWidgetRect);

    connect(m_certificate_button, &VexoIconButton::clicked, this, &TabButton::sigCertificateClicked);
    connect(m_close_button, &VexoIconButton::clicked, this, &TabButton::sigCloseButtonClicked);

    setDisconnected(false);
    m_max_width = 0;
}

TabButton::~TabButton() = default;

void TabButton::setName(const QString& name)
{
    m_name = name;
    m_name_label->setText(name);
    m_name_label->setToolTip(getHtmlEscapedStringForToolTip(name));
    adjustWidth();
}

int TabButton::getFullWidth() const
{
    const double scale = DPIinfo::getInstance()->getDPI();
    const int text = QFontMetrics(m_name_label->font()).horizontalAdvance(m_name);
    return static_cast<int>(text / scale) + kFixedWidth;
}

void TabButton::setMaxWidth(int width)
{
    m_max_width = width;
    adjustWidth();
}

void TabButton::adjustWidth()
{
    const int full = getFullWidth();
    if (m_max_width == 0) {
        m_name_label->setText(m_name);
        setMinimumWidth(scaledSize(full));
        return;
    }
    if (full <= m_max_width) {
        m_name_label->setText(m_name);
    } else {
        const QFontMetrics metrics(m_name_label->font());
        m_name_label->setText(metrics.elidedText(m_name, Qt::ElideRight, scaledSize(m_max_width - kFixedWidth)));
    }
    setMinimumWidth(scaledSize(m_max_width));
}

void TabButton::setSelected(bool selected)
{
    m_selected = selected;
    QFont font = QApplication::font();
    if (selected) {
        setStyleSheet(getStyleSheet("selected_tab", false));
        m_name_label->setStyleSheet(getStyleSheet("selected_tab_label", false));
        font.setWeight(QFont::Bold);
    } else {
        setStyleSheet(getStyleSheet("nonselected_tab", false));
        m_name_label->setStyleSheet(QString());
        font.setWeight(QFont::Normal);
    }
    m_name_label->setFont(font);
    adjustWidth();
}

void TabButton::setDisconnected(bool disconnected)
{
    m_disconnected = disconnected;
    m_certificate_button->setVisible(!disconnected);
    m_disconnected_label->setVisible(disconnected);
}

void TabButton::setVerified(bool verified)
{
    m_certificate_button->setDefaultIcon(certificateImage(verified));
}
