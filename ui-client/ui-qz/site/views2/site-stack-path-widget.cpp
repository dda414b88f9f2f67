#include "site-stack-path-widget.h"

#include <QHBoxLayout>

#include "dpi_info.h"
#include "image_manager.h"
#include "site-connecter.h"
#include "str_table.h"
#include "style_manager.h"
#include "vexo_icon_button.h"

namespace {

int scaled(int pixels) { return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI()); }

VexoIconButton* makeButton(const char* image, int tooltip)
{
    auto* button = new VexoIconButton(getGlobalImage(image, ImageManager::IT_NORMAL));
    button->setDisableIcon(getGlobalImage(image, ImageManager::IT_DISABLE));
    button->setStyleSheet(getStyleSheet("border_icon_button", false));
    button->setToolTip(StrTable::LoadStr(tooltip));
    button->setFixedSize(scaled(31), scaled(28));
    return button;
}

}  // namespace

SiteStackPathWidget::SiteStackPathWidget(SiteConnecter* connecter, SiteData* data, QWidget* parent)
    : QWidget(parent), m_connecter(connecter), m_data(data)
{
    connect(this, &SiteStackPathWidget::sigCurrentPathChanged, m_connecter, &SiteConnecter::sigCurrentPathChanged);
    connect(m_connecter, &SiteConnecter::sigUpdateCurrentPath, this, &SiteStackPathWidget::slotUpdateCurrentPath);

    m_prev_button = makeButton("bt_back", StrTable::tooltip_back);
    m_next_button = makeButton("bt_next", StrTable::tooltip_forward);
    m_main_h_layout = new QHBoxLayout(this);
    m_main_h_layout->setContentsMargins(0, 0, 0, 0);
    m_main_h_layout->setSpacing(6);
    m_main_h_layout->addWidget(m_prev_button);
    m_main_h_layout->addWidget(m_next_button);
    updateButtonStatus();

    connect(m_prev_button, &VexoIconButton::clicked, this, &SiteStackPathWidget::slotPrevButtonClicked);
    connect(m_next_button, &VexoIconButton::clicked, this, &SiteStackPathWidget::slotNextButtonClicked);
}

void SiteStackPathWidget::pushPath(const QString& path)
{
    m_stack.push_back(path);
    m_idx = static_cast<int>(m_stack.size()) - 1;
    updateButtonStatus();
}

void SiteStackPathWidget::slotUpdateCurrentPath(QString path)
{
    if (m_idx < 0) {
        pushPath(path);
        return;
    }
    // The answer to our own back or forward request, or the same folder again.
    if (m_stack[m_idx] == path)
        return;
    m_stack.erase(m_stack.begin() + m_idx + 1, m_stack.end());
    pushPath(path);
}

void SiteStackPathWidget::slotPrevButtonClicked()
{
    if (m_idx <= 0)
        return;
    // The index moves first: the pane's answer then matches the current entry.
    --m_idx;
    emit sigCurrentPathChanged(m_stack[m_idx]);
    updateButtonStatus();
}

void SiteStackPathWidget::slotNextButtonClicked()
{
    if (m_idx >= static_cast<int>(m_stack.size()) - 1)
        return;
    ++m_idx;
    emit sigCurrentPathChanged(m_stack[m_idx]);
    updateButtonStatus();
}

void SiteStackPathWidget::updateButtonStatus()
{
    m_prev_button->setDisabled(m_idx <= 0);
    m_next_button->setDisabled(m_idx + 1 >= static_cast<int>(m_stack.size()));
}
