#include "site-filter-menu.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegExpValidator>
#include <QVBoxLayout>

#include "dpi_info.h"
#include "str_table.h"
#include "style_manager.h"
#include "vexo_button.h"
#include "vexo_combo_box.h"
#include "vexo_date_selector.h"
#include "vexo_line_edit.h"

namespace {

int scaled(int pixels) { return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI()); }

QLabel* caption(int id)
{
    auto* label = new QLabel(StrTable::LoadStr(id) + QLatin1Char(':'));
    label->setFixedHeight(scaled(24));
    return label;
}

// A selector's day as a bound, at the given local time of that day; 0 (no
// bound) when it shows no day. The end of a day is its own 23:59:59, not
// midnight plus 86399 s, which on a daylight-saving day is an hour off.
uint32_t boundOf(const VexoDateSelector* selector, const QTime& at)
{
    const QVariant data = selector->currentData();
    const QDate day = data.toDate();
    if (!data.isValid() || !day.isValid())
        return 0;
    const qint64 secs = QDateTime(day, at).toSecsSinceEpoch();
    return secs <= 0 || secs > qint64(UINT32_MAX) ? 0 : static_cast<uint32_t>(secs);
}

void loadBound(VexoDateSelector* selector, uint32_t bound)
{
    if (bound == 0)
        selector->clearDate();
    else
        selector->dateSelect(QDateTime::fromSecsSinceEpoch(bound).date());
}

}  // namespace

SiteFilterMenu::SiteFilterMenu(SiteFileFilter* filter, QWidget* parent) : VexoMenu(parent), m_filter(filter)
{
    m_keyword_label = caption(StrTable::filter_keyword);
    m_keyword_edit = new VexoLineEdit();
    m_keyword_edit->getPreLabel()->hide();
    m_keyword_edit->getPostLabel()->hide();
    m_keyword_edit->getLineEdit()->setFixedHeight(scaled(28));

    m_date_label = caption(StrTable::modify_time);
    m_from_date = new VexoDateSelector(StrTable::LoadStr(StrTable::filter_from));
    m_to_date = new VexoDateSelector(StrTable::LoadStr(StrTable::filter_to));
    m_date_h_layout = new QHBoxLayout();
    m_date_h_layout->setSpacing(8);
    m_date_h_layout->setContentsMargins(0, 0, 0, 0);
    m_date_h_layout->addWidget(m_from_date, 4);
    m_date_h_layout->addWidget(m_to_date, 4);

    m_size_label = caption(StrTable::filter_size);
    m_size_combobox = new VexoComboBox();
    m_size_combobox->setFixedHeight(scaled(28));
    m_size_combobox->addItem(StrTable::LoadStr(StrTable::filter_size_any), int(SiteFileFilter::SIZE_NONE));
    m_size_combobox->addItem(StrTable::LoadStr(StrTable::filter_size_equal), int(SiteFileFilter::SIZE_EQUAL));
    m_size_combobox->addItem(StrTable::LoadStr(StrTable::filter_size_smaller), int(SiteFileFilter::SIZE_SMALLER));
    m_size_combobox->addItem(StrTable::LoadStr(StrTable::filter_size_larger), int(SiteFileFilter::SIZE_LARGER));
    m_size_edit = new VexoLineEdit();
    m_size_edit->getLineEdit()->setValidator(
        new QRegExpValidator(QRegExp(QStringLiteral("[0-9]+[mMgGkK]")), m_size_edit->getLineEdit()));
    m_size_edit->getPreLabel()->hide();
    m_size_edit->getPostLabel()->hide();
    m_size_edit->getLineEdit()->setEnabled(false);
    m_size_edit->setFixedHeight(scaled(28));
    m_size_h_layout = new QHBoxLayout();
    m_size_h_layout->setSpacing(8);
    m_size_h_layout->setContentsMargins(0, 0, 0, 0);
    m_size_h_layout->addWidget(m_size_combobox, 1);
    m_size_h_layout->addWidget(m_size_edit, 1);

    m_apply_btn = new VexoButton(StrTable::LoadStr(StrTable::button_search), 0);
    m_reset_btn = new VexoButton(StrTable::LoadStr(StrTable::button_reset), 1);
    m_btn_h_layout = new QHBoxLayout();
    m_btn_h_layout->setSpacing(10);
    m_btn_h_layout->setContentsMargins(0, 0, 0, 0);
    m_btn_h_layout->addStretch(1);
    m_btn_h_layout->addWidget(m_apply_btn);
    m_btn_h_layout->addWidget(m_reset_btn);

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setSpacing(0);
    m_main_v_layout->setContentsMargins(scaled(20), scaled(12), scaled(20), scaled(20));
    m_main_v_layout->addWidget(m_keyword_label);
    m_main_v_layout->addWidget(m_keyword_edit);
    m_main_v_layout->addSpacing(scaled(12));
    m_main_v_layout->addWidget(m_date_label);
    m_main_v_layout->addLayout(m_date_h_layout);
    m_main_v_layout->addSpacing(scaled(12));
    m_main_v_layout->addWidget(m_size_label);
    m_main_v_layout->addLayout(m_size_h_layout);
    m_main_v_layout->addSpacing(scaled(16));
    m_main_v_layout->addLayout(m_btn_h_layout);

    setStyleSheet(getStyleSheet("filter_menu", false));
    setFixedSize(scaled(368), scaled(256));
    installEventFilter(new MouseReleaseFilter(this));

    connect(m_apply_btn, &VexoButton::clicked, this, &SiteFilterMenu::slotApplyStatus);
    connect(m_reset_btn, &VexoButton::clicked, this, &SiteFilterMenu::slotClearStatus);
    connect(m_keyword_edit->getLineEdit(), &QLineEdit::returnPressed, this, &SiteFilterMenu::slotApplyStatus);
    connect(m_size_combobox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SiteFilterMenu::slotSizeComboChanged);

    slotClearStatus();
}

void SiteFilterMenu::slotApplyStatus()
{
    m_filter->keyword = m_keyword_edit->getEditText();
    // A selector that shows no day is no bound: "Reset" must not leave the
    // old bounds in force behind an empty panel.
    m_filter->mtime_from = boundOf(m_from_date, QTime(0, 0));
    m_filter->mtime_to = boundOf(m_to_date, QTime(23, 59, 59));
    m_filter->sfa = static_cast<SiteFileFilter::SizeFilterAction>(m_size_combobox->currentData().toInt());
    const QString size = m_size_edit->getLineEdit()->text();
    if (size.isEmpty()) {
        m_filter->sfa = SiteFileFilter::SIZE_NONE;
        m_filter->size.clear();
    } else {
        m_filter->size = size;
    }
    emit sigFileFilterChanged();
}

void SiteFilterMenu::slotClearStatus()
{
    m_keyword_edit->getLineEdit()->clear();
    m_from_date->clearDate();
    m_to_date->clearDate();
    m_size_combobox->setCurrentIndex(0);
    m_size_edit->getLineEdit()->clear();
    slotApplyStatus();
}

void SiteFilterMenu::slotSizeComboChanged()
{
    QLineEdit* edit = m_size_edit->getLineEdit();
    if (m_size_combobox->currentIndex() == 0) {
        edit->clear();
        edit->setEnabled(false);
    } else {
        edit->setEnabled(true);
    }
}

void SiteFilterMenu::showEvent(QShowEvent* event)
{
    VexoMenu::showEvent(event);
    m_keyword_edit->getLineEdit()->setText(m_filter->keyword);
    // A bound of 0 clears its selector, so the panel never shows a day that
    // is not in force.
    loadBound(m_from_date, m_filter->mtime_from);
    loadBound(m_to_date, m_filter->mtime_to);
    m_size_edit->getLineEdit()->setText(m_filter->size);
    const int sfa = int(m_filter->sfa);
    m_size_combobox->setCurrentIndex(sfa >= 0 && sfa < m_size_combobox->count() ? sfa : 0);
    slotSizeComboChanged();
    activateWindow();
}
