#include "misc-log-widget.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "misc-log-text.h"
#include "site-display.h"
#include "str_table.h"
#include "style_manager.h"
#include "tool_tip.h"
#include "vexo_paging_bar.h"
#include "vexo_table_widget.h"

MiscLogWidget::MiscLogWidget(LogFilter* filter) : BaseLogWidget(filter)
{
    initialize();
}

void MiscLogWidget::initialize()
{
    VexoTableColumnsInfo columns;
    columns.addColumn(QStringLiteral("IP"), 150, true, 0);
    columns.addColumn(StrTable::LoadStr(StrTable::log_column_event), 370, true, 1.0);
    columns.addColumn(StrTable::LoadStr(StrTable::log_column_time), 160, false, 0);
    m_table = new VexoTableWidget(columns, nullptr);
    m_paging_model = new VexoPagingModel(kPageSize, this);
    m_paging_bar = new VexoPagingBar(m_paging_model, this);
    connect(m_paging_bar, &VexoPagingBar::sigRefresh, this, &MiscLogWidget::slotRefresh);
    connect(m_paging_bar, &VexoPagingBar::sigPageChanged, this, &MiscLogWidget::slotRefresh);

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setSpacing(0);
    m_main_v_layout->setContentsMargins(0, 0, 0, 0);
    m_main_v_layout->addWidget(m_table);
    m_main_v_layout->addWidget(m_paging_bar, 0);
}

void MiscLogWidget::reset()
{
    m_paging_model->setNowPage(1);
    reload();
}

void MiscLogWidget::slotRefresh()
{
    reload();
}

void MiscLogWidget::reload()
{
    MiscLogFilter query;
    fillQuery(query);
    std::vector<MiscLog> records;
    unsigned int total = 0;
    if (queryPage(query, m_paging_model, records, total) < 0)
        return;

    m_paging_bar->setItemCount(itemCount(total));
    m_paging_bar->setFooterText(footerText(total));

    QTableWidget* table = m_table->getTable();
    const int rows = static_cast<int>(records.size());
    // Rows past the new count go with their labels; the rest are refilled
    // and keep theirs, so paging creates no label per row.
    table->setRowCount(rows);
    const QString label_style = getStyleSheet("misc_log_text_label", false);
    for (int row = 0; row < rows; ++row) {
        const MiscLog& record = records[static_cast<size_t>(row)];
        table->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(record.ip)));
        table->setItem(row, 1, new QTableWidgetItem());
        table->setItem(row, 2, new QTableWidgetItem(getHumanReadableTime(static_cast<unsigned int>(record.time / 1000))));

        QString text;
        QString tooltip;
        getLogString(record, text, tooltip);
        QLabel* label = qobject_cast<QLabel*>(table->cellWidget(row, 1));
        if (!label) {
            label = new QLabel(nullptr, Qt::WindowFlags());
            table->setCellWidget(row, 1, label);
        }
        label->setTextFormat(Qt::RichText);
        label->setText(text);
        // A login has no paths to show: no tooltip rather than an empty box.
        label->setToolTip(tooltip.isEmpty() ? QString() : getHtmlEscapedStringForToolTip(tooltip));
        if (label->styleSheet() != label_style)
            label->setStyleSheet(label_style);
    }
    // Makes the view drop what it cached about the rows past the end.
    table->insertRow(rows);
    table->removeRow(rows);
}
