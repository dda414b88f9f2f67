#include "language-setting-page.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>

#include "dpi_info.h"
#include "language-setting.h"
#include "message_box.h"
#include "str_table.h"
#include "style_manager.h"
#include "vexo_button.h"
#include "vexo_combo_box.h"
#include "vexo_footbar.h"

namespace {
int px(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}
}  // namespace

LanguageSettingPage::LanguageSettingPage(QWidget* parent) : QWidget(parent)
{
    initialize();
}

void LanguageSettingPage::initialize()
{
    setFixedSize(px(440), px(178));
    QPalette pal = palette();
    pal.setBrush(backgroundRole(), QBrush(QColor(QStringLiteral("white"))));
    setPalette(pal);
    setAutoFillBackground(true);

    m_language_label = new QLabel(StrTable::LoadStr(StrTable::setting_language_title));
    m_language_label->setFixedSize(px(148), px(28));
    m_language_combobox = new VexoComboBox;
    m_language_combobox->setFixedSize(px(200), px(28));
    m_language_combobox->addItem(StrTable::LoadStr(StrTable::setting_language_default), QStringLiteral("def"));
    LanguageSetting& setting = LanguageSetting::getInstance();
    for (const LanguageSetting::pair_t& language : setting.getLanguageList())
        m_language_combobox->addItem(language.second, language.first);

    m_shadow = new QLabel;
    m_shadow->setStyleSheet(getStyleSheet("footer_shadow", false));
    m_shadow->setFixedHeight(px(4));
    m_apply_btn = new VexoButton(StrTable::LoadStr(StrTable::button_apply), 0);
    m_apply_btn->setEnabled(false);
    m_cancel_btn = new VexoButton(StrTable::LoadStr(StrTable::button_cancel), 1);
    m_footer = new VexoFootbar;
    m_footer->pushRightWidget(m_cancel_btn);
    m_footer->pushRightWidget(m_apply_btn);
    m_footer->init();

    m_language_h_layout = new QHBoxLayout;
    m_language_h_layout->setAlignment(Qt::AlignLeft);
    m_language_h_layout->setContentsMargins(px(20), 0, 0, 0);
    m_language_h_layout->setSpacing(px(8));
    m_language_h_layout->addWidget(m_language_label);
    m_language_h_layout->addWidget(m_language_combobox);

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setAlignment(Qt::AlignTop);
    m_main_v_layout->setContentsMargins(0, px(12), 0, 0);
    m_main_v_layout->setSpacing(0);
    m_main_v_layout->addLayout(m_language_h_layout);
    m_main_v_layout->addStretch(1);
    m_main_v_layout->addWidget(m_shadow);
    m_main_v_layout->addWidget(m_footer);

    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(StrTable::LoadStr(StrTable::setting_language_title));

    m_language_combobox->setCurrentIndex(m_language_combobox->findData(setting.getLanguage(), Qt::UserRole,
                                                                       Qt::MatchExactly | Qt::MatchCaseSensitive));
    connect(m_language_combobox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &LanguageSettingPage::slotContentChanged);
    connect(m_apply_btn, &QAbstractButton::clicked, this, &LanguageSettingPage::slotApplyButtonClicked);
    connect(m_cancel_btn, &QAbstractButton::clicked, this, &LanguageSettingPage::slotCancelButtonClicked);
}

void LanguageSettingPage::slotContentChanged()
{
    m_apply_btn->setEnabled(true);
}

void LanguageSettingPage::slotApplyButtonClicked()
{
    LanguageSetting& setting = LanguageSetting::getInstance();
    const QString stored = setting.getLanguage();
    const QString chosen = m_language_combobox->currentData().toString();
    m_apply_btn->setEnabled(false);
    if (chosen == stored)
        return;
    // Only a stored choice is announced: a refused write keeps the page open.
    if (setting.setLanguage(chosen) != 0) {
        m_apply_btn->setEnabled(true);
        return;
    }
    const QString app = StrTable::LoadStr(StrTable::app_name);
    showInfoMsg(app, StrTable::LoadStr(StrTable::setting_language_restart_app).arg(app), this);
    close();
}

void LanguageSettingPage::slotCancelButtonClicked()
{
    close();
}

void LanguageSettingPage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    QWidget::keyPressEvent(event);
}
