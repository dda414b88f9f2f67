#include "action-bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalMapper>

#include "dpi_info.h"
#include "global-connecter.h"
#include "style_manager.h"
#include "vexo_icon_button.h"

namespace {

const char* const kButtonImages[ActionBar::BA_MAX] = {
    "bt_q_play", "bt_q_pause", "bt_q_clear", "bt_q_moveup", "bt_q_movedown", "bt_q_movetotop", "bt_q_movetobottom",
};

int scaled(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}

}  // namespace

ActionBar::ActionBar(QWidget* parent) : QWidget(parent)
{
    initialize();
}

VexoIconButton* ActionBar::button(int action) const
{
    return action >= 0 && action < BA_MAX ? m_buttons[action] : nullptr;
}

void ActionBar::initialize()
{
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    m_sig_mapper = new QSignalMapper(this);
    connect(m_sig_mapper, &QSignalMapper::mappedInt, hub, &GlobalConnecter::sigTransferActionButtonClicked);

    for (int i = 0; i < BA_MAX; ++i) {
        m_buttons[i] = new VexoIconButton(kButtonImages[i], this);
        m_buttons[i]->setFixedSize(scaled(24), scaled(24));
        connect(m_buttons[i], &VexoIconButton::clicked, m_sig_mapper, QOverload<>::of(&QSignalMapper::map));
        m_sig_mapper->setMapping(m_buttons[i], i);
    }

    m_separator = new QLabel(this);
    m_separator->setStyleSheet(getStyleSheet("transfer_action_separator", false));
    m_separator->setFixedSize(scaled(1), scaled(28));

    m_main_h_layout = new QHBoxLayout(this);
    m_main_h_layout->setSpacing(0);
    m_main_h_layout->setContentsMargins(0, 0, 0, 0);
    m_main_h_layout->addSpacing(scaled(12));
    m_main_h_layout->addWidget(m_buttons[BA_START]);
    m_main_h_layout->addSpacing(scaled(8));
    m_main_h_layout->addWidget(m_buttons[BA_PAUSE]);
    m_main_h_layout->addSpacing(scaled(8));
    m_main_h_layout->addWidget(m_buttons[BA_CLEAR]);
    m_main_h_layout->addSpacing(scaled(10));
    m_main_h_layout->addWidget(m_separator);
    m_main_h_layout->addSpacing(scaled(10));
    m_main_h_layout->addWidget(m_buttons[BA_MOVEUP]);
    m_main_h_layout->addSpacing(scaled(8));
    m_main_h_layout->addWidget(m_buttons[BA_MOVEDOWN]);
    m_main_h_layout->addSpacing(scaled(8));
    m_main_h_layout->addWidget(m_buttons[BA_MOVETOTOP]);
    m_main_h_layout->addSpacing(scaled(8));
    m_main_h_layout->addWidget(m_buttons[BA_MOVETOBOTTOM]);

    connect(hub, &GlobalConnecter::sigUpdateActionBarButton, this, &ActionBar::slotUpdateActionBarButton);
}

void ActionBar::slotUpdateActionBarButton(std::map<int, bool> map)
{
    for (int i = 0; i < BA_MAX; ++i) {
        auto found = map.find(i);
        m_buttons[i]->setEnabled(found != map.end() && found->second);
    }
}
