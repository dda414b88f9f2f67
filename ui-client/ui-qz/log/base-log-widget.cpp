#include "base-log-widget.h"

#include "str_table.h"
#include "vexo_paging_bar.h"

BaseLogWidget::BaseLogWidget(LogFilter* filter) : QWidget(nullptr, Qt::WindowFlags()), m_filter(filter) {}

BaseLogWidget::~BaseLogWidget() = default;

QString BaseLogWidget::footerText(unsigned int total)
{
    return QString::number(total) + QLatin1Char(' ') + StrTable::LoadStr(StrTable::paging_items);
}
