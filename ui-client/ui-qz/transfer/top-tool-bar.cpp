#include "top-tool-bar.h"

#include <QHBoxLayout>
#include <QStringList>
#include <QVector>

#include "action-bar.h"
#include "dpi_info.h"
#include "global-connecter.h"
#include "site-info-manager.h"
#include "str_table.h"
#include "vexo_combo_box.h"
#include "vexo_icon_button.h"

namespace {

int scaled(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}

}  // namespace

TopToolBar::TopToolBar(QWidget* parent) : QWidget(parent)
{
    initialize();
}

void TopToolBar::initialize()
{
    m_action_bar = new ActionBar(this);

    m_xr_filter = new VexoComboBox(this);
    m_xr_filter->addItem(StrTable::LoadStr(StrTable::queue_all_transfers));
    m_xr_filter->setFixedSize(scaled(208), scaled(28));

    m_window_button = new VexoIconButton("bt_mode_full", this);
    m_window_button->setFixedSize(scaled(27), scaled(44));

    m_main_h_layout = new QHBoxLayout(this);
    m_main_h_layout->setSpacing(0);
    m_main_h_layout->setContentsMargins(0, 0, 0, 0);
    m_main_h_layout->addWidget(m_action_bar);
    m_main_h_layout->addStretch(1);
    m_main_h_layout->addWidget(m_xr_filter);
    m_main_h_layout->addSpacing(scaled(14));
    m_main_h_layout->addWidget(m_window_button);

    setFullMode(false);

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(m_window_button, &VexoIconButton::clicked, this, &TopToolBar::slotWindowButtonClicked);
    connect(m_xr_filter, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { emit sigTopToolBarItemChange(m_xr_filter->itemText(index)); });
    connect(this, &TopToolBar::sigTopToolBarItemChange, hub, &GlobalConnecter::sigTopToolBarItemChange);
    connect(hub, &GlobalConnecter::sigUpdateTopToolBar, this, &TopToolBar::slotUpdateTopToolBar);
}

void TopToolBar::setFullMode(bool full)
{
    m_full_mode = full;
    m_xr_filter->setVisible(full);
    m_window_button->setAllIcon(full ? QStringLiteral("bt_mode_simple") : QStringLiteral("bt_mode_full"));
}

void TopToolBar::slotWindowButtonClicked()
{
    setFullMode(!m_full_mode);
    emit sigModeChanged(m_full_mode);
}

void TopToolBar::slotUpdateTopToolBar()
{
    QStringList present;
    for (int i = 0; i < m_xr_filter->count(); ++i) {
        const QString text = m_xr_filter->itemText(i);
        if (!present.contains(text))
            present.append(text);
    }
    QVector<SiteInfo> sites;
    SiteInfoManager::getInstance()->getSiteInfos(sites);
    QStringList wanted;
    for (const SiteInfo& site : sites) {
        const QString text = site.user_name + QLatin1Char('@') + site.domain_name;
        if (!wanted.contains(text))
            wanted.append(text);
    }

    QStringList kept;
    for (const QString& text : present) {
        if (wanted.contains(text)) {
            kept.append(text);
            continue;
        }
        const int index = m_xr_filter->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index > 0) {
            const int current = m_xr_filter->currentIndex();
            m_xr_filter->removeItem(index);
            if (index == current)
                m_xr_filter->setCurrentIndex(0);
        } else if (index == 0) {
            kept.append(text);  // "All Transfers" stays, even if a site had its text
        }
    }
    for (const QString& text : wanted) {
        if (!kept.contains(text))
            m_xr_filter->addItem(text);
    }
}
