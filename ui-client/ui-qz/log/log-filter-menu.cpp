#include "log-filter-menu.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "db-util.h"
#include "dpi_info.h"
#include "str_table.h"
#include "style_manager.h"
#include "vexo_button.h"
#include "vexo_combo_box.h"
#include "vexo_date_selector.h"
#include "vexo_line_edit.h"

namespace {

int scaled(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}

QLabel* captionLabel(int id)
{
    QLabel* label = new QLabel(StrTable::LoadStr(id) + QLatin1Char(':'));
    label->setFixedHeight(scaled(24));
    return label;
}

}  // namespace

const std::vector<QString>& logTypeNames()
{
    static const std::vector<QString> names = [] {
        std::vector<QString> table(LOG_MAX);
        table[0] = StrTable::LoadStr(StrTable::log_filter_all);
        table[LOG_LOGIN] = StrTable::LoadStr(StrTable::log_filter_login);
        table[LOG_RENAME] = StrTable::LoadStr(StrTable::action_rename);
        table[LOG_COPY] = StrTable::LoadStr(StrTable::action_copy);
        table[LOG_REMOVE] = StrTable::LoadStr(StrTable::action_remove);
        table[LOG_MKDIR] = StrTable::LoadStr(StrTable::action_create_folder);
        table[LOG_UPLOAD] = StrTable::LoadStr(StrTable::log_filter_upload);
        table[LOG_DOWNLOAD] = StrTable::LoadStr(StrTable::log_filter_download);
        return table;  // 8 to 17 have no name of their own
    }();
    return names;
}

LogFilterMenu::LogFilterMenu(LogFilter* filter, QWidget* parent) : VexoMenu(parent), m_filter(filter)
{
    m_keyword_label = captionLabel(StrTable::filter_keyword);
    m_keyword_edit = new VexoLineEdit(nullptr);
    m_keyword_edit->getPreLabel()->hide();
    m_keyword_edit->getPostLabel()->hide();
    m_keyword_edit->getLineEdit()->setFixedHeight(scaled(28));

    m_date_label = captionLabel(StrTable::modify_time);
    m_from_date = new VexoDateSelector(StrTable::LoadStr(StrTable::filter_from), nullptr);
    m_to_date = new VexoDateSelector(StrTable::LoadStr(StrTable::filter_to), nullptr);
    m_date_h_layout = new QHBoxLayout();
    m_date_h_layout->setSpacing(scaled(8));
    m_date_h_layout->setContentsMargins(0, 0, 0, 0);
    m_date_h_layout->addWidget(m_from_date, 4);
    m_date_h_layout->addWidget(m_to_date, 4);

    m_type_label = captionLabel(StrTable::file_type);
    m_type_combobox = new VexoComboBox(nullptr);
    m_type_combobox->setFixedHeight(scaled(28));

    m_apply_btn = new VexoButton(StrTable::LoadStr(StrTable::button_search), 0);
    m_reset_btn = new VexoButton(StrTable::LoadStr(StrTable::button_reset), 1);
    m_btn_h_layout = new QHBoxLayout();
    m_btn_h_layout->setSpacing(scaled(10));
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
    m_main_v_layout->addWidget(m_type_label);
    m_main_v_layout->addWidget(m_type_combobox);
    m_main_v_layout->addSpacing(scaled(12));
    m_main_v_layout->addLayout(m_btn_h_layout);

    setStyleSheet(getStyleSheet("filter_menu", false));
    setFixedSize(scaled(368), scaled(256));
    installEventFilter(new MouseReleaseFilter(this));

    connect(m_apply_btn, &QPushButton::clicked, this, &LogFilterMenu::slotApplyStatus);
    connect(m_reset_btn, &QPushButton::clicked, this, &LogFilterMenu::slotClearStatus);
    connect(m_keyword_edit->getLineEdit(), &QLineEdit::returnPressed, this, &LogFilterMenu::slotApplyStatus);

    // Nobody listens yet: this only writes the empty state into the filter.
    slotClearStatus();
}

LogFilterMenu::~LogFilterMenu() = default;

void LogFilterMenu::setValidTypes(const std::vector<int>& types)
{
    const std::vector<QString>& names = logTypeNames();
    m_type_combobox->clear();
    m_type_combobox->addItem(StrTable::LoadStr(StrTable::log_filter_all), 0);
    for (int type : types) {
        if (type <= 0 || type >= LOG_MAX)
            continue;  // no such log type
        m_type_combobox->addItem(names[static_cast<size_t>(type)], type);
    }
    m_type_combobox->setCurrentIndex(0);
}

void LogFilterMenu::showEvent(QShowEvent* event)
{
    VexoMenu::showEvent(event);
    m_keyword_edit->getLineEdit()->setText(m_filter->keyword);
    // A bound of 0 clears its selector: a date left from an earlier opening
    // would show a range the filter no longer has, and the next "Filter"
    // would bring it back unasked.
    if (m_filter->date_from != 0)
        m_from_date->dateSelect(logDayOfStart(m_filter->date_from));
    else
        m_from_date->clearDate();
    if (m_filter->date_to != 0)
        m_to_date->dateSelect(logDayOfEnd(m_filter->date_to));
    else
        m_to_date->clearDate();
    activateWindow();
}

void LogFilterMenu::slotApplyStatus()
{
    m_filter->keyword = m_keyword_edit->getLineEdit()->text();
    // An empty selector means no bound: keeping the old one would leave a
    // range in force that the panel no longer shows.
    const QDate from = m_from_date->currentData(Qt::UserRole).toDate();
    m_filter->date_from = from.isValid() ? logDayStart(from) : 0;
    const QDate to = m_to_date->currentData(Qt::UserRole).toDate();
    m_filter->date_to = to.isValid() ? logDayEnd(to) : 0;
    m_filter->type.clear();
    const int type = m_type_combobox->currentIndex() < 0 ? 0 : m_type_combobox->currentData(Qt::UserRole).toInt();
    if (type != 0)
        m_filter->type.push_back(type);
    emit sigLogFilterChanged();
}

void LogFilterMenu::slotClearStatus()
{
    m_keyword_edit->getLineEdit()->clear();
    m_from_date->clearDate();
    m_to_date->clearDate();
    m_type_combobox->setCurrentIndex(0);
    slotApplyStatus();
}
