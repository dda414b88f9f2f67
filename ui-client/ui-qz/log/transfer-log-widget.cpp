#include "transfer-log-widget.h"

#include <QTableWidget>
#include <QVBoxLayout>

#include "db-util.h"
#include "site-display.h"
#include "str_table.h"
#include "tool_tip.h"
#include "vexo_paging_bar.h"
#include "vexo_table_widget.h"

TransferLogWidget::TransferLogWidget(LogFilter* filter) : BaseLogWidget(filter)
{
    initialize();
}

void TransferLogWidget::initialize()
{
    VexoTableColumnsInfo columns;
    columns.addColumn(QStringLiteral("IP"), 150, true, 0);
    columns.addColumn(StrTable::LoadStr(StrTable::username), 150, true, 0);
    columns.addColumn(StrTable::LoadStr(StrTable::file_name), 250, true, 1.0);
    columns.addColumn(StrTable::LoadStr(StrTable::log_column_type), 80, true, 0);
    columns.addColumn(StrTable::LoadStr(StrTable::log_column_start_time), 170, true, 0);
    columns.addColumn(StrTable::LoadStr(StrTable::log_column_end_time), 170, true, 0);
    columns.addColumn(StrTable::LoadStr(StrTable::log_column_duration), 80, true, 0);
    columns.addColumn(StrTable::LoadStr(StrTable::queue_speed), 80, true, 0);
    m_table = new VexoTableWidget(columns, nullptr);
    m_paging_model = new VexoPagingModel(kPageSize, this);
    m_paging_bar = new VexoPagingBar(m_paging_model, this);
    connect(m_paging_bar, &VexoPagingBar::sigRefresh, this, &TransferLogWidget::slotRefresh);
    connect(m_paging_bar, &VexoPagingBar::sigPageChanged, this, &TransferLogWidget::slotRefresh);

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setSpacing(0);
    m_main_v_layout->setContentsMargins(0, 0, 0, 0);
    m_main_v_layout->addWidget(m_table);
    m_main_v_layout->addWidget(m_paging_bar, 0);
}

void TransferLogWidget::reset()
{
    m_paging_model->setNowPage(1);
    reload();
}

void TransferLogWidget::slotRefresh()
{
    reload();
}

void TransferLogWidget::reload()
{
    TransferLogFilter query;
    fillQuery(query);
    // Only this query's copy gets the default types; the window's filter
    // keeps its empty list.
    if (query.log_type.empty())
        query.log_type = {LOG_UPLOAD, LOG_DOWNLOAD};
    std::vector<TransferLog> records;
    unsigned int total = 0;
    if (queryPage(query, m_paging_model, records, total) < 0)
        return;

    m_paging_bar->setItemCount(itemCount(total));
    m_paging_bar->setFooterText(footerText(total));

    QTableWidget* table = m_table->getTable();
    const int rows = static_cast<int>(records.size());
    table->setRowCount(rows);
    const QString download = StrTable::LoadStr(StrTable::log_filter_download);
    const QString upload = StrTable::LoadStr(StrTable::log_filter_upload);
    for (int row = 0; row < rows; ++row) {
        const TransferLog& record = records[static_cast<size_t>(row)];
        // Durations beyond the int range of seconds (68 years) are not real.
        const uint64_t elapsed_s = record.elapsed_time / 1000;
        const int duration = elapsed_s > INT_MAX ? INT_MAX : static_cast<int>(elapsed_s);
        const QString texts[8] = {
            QString::fromStdString(record.ip),
            QString::fromStdString(record.username),
            QString::fromStdString(record.file_name),
            record.isDownload() ? download : upload,
            getHumanReadableTime(static_cast<unsigned int>(record.start_time / 1000)),
            getHumanReadableTime(static_cast<unsigned int>(record.end_time / 1000)),
            getHumanReadableDuration(duration),
            getHumanReadableSize(static_cast<double>(record.avg_speed)) + QStringLiteral("/s"),
        };
        for (int column = 0; column < 8; ++column)
            table->setItem(row, column, new QTableWidgetItem(texts[column]));
        const std::string paths = record.path_from + " -> " + record.path_to;
        table->item(row, 2)->setToolTip(getHtmlEscapedStringForToolTip(QString::fromStdString(paths)));
    }
}
