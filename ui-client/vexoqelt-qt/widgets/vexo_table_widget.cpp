#include "vexo_table_widget.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "library_services.h"

void VexoTableColumnsInfo::addColumn(const QString& name, int width, bool resizable, double ratio)
{
    m_columns.push_back(Column{name, qMax(0, width), resizable, ratio > 0.0 ? ratio : 0.0});
}

VexoTableWidget::VexoTableWidget(const VexoTableColumnsInfo& columns, QWidget* parent)
    : QWidget(parent), m_columns(columns)
{
    m_table = new QTableWidget(this);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setShowGrid(false);
    m_table->setWordWrap(false);
    m_table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->verticalHeader()->setDefaultSectionSize(vexo::scaled(28));
    m_table->setStyleSheet(vexo::componentStyleSheet("component.table") +
                           vexo::componentStyleSheet("component.scrollbar"));

    const auto& list = m_columns.columns();
    m_table->setColumnCount(static_cast<int>(list.size()));
    QStringList labels;
    QHeaderView* header = m_table->horizontalHeader();
    header->setStretchLastSection(false);
    header->setStyleSheet(vexo::componentStyleSheet("component.table_header"));
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setMinimumSectionSize(vexo::scaled(20));
    for (size_t i = 0; i < list.size(); ++i) {
        labels << list[i].name;
        m_base_widths.push_back(vexo::scaled(list[i].width));
        header->setSectionResizeMode(static_cast<int>(i),
                                     list[i].resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
    }
    m_table->setHorizontalHeaderLabels(labels);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    m_table->viewport()->installEventFilter(this);
    layoutColumns();
}

QHeaderView* VexoTableWidget::getHeader() const
{
    return m_table->horizontalHeader();
}

int VexoTableWidget::baseColumnWidth(int column) const
{
    if (column < 0 || column >= static_cast<int>(m_base_widths.size()))
        return 0;
    return m_base_widths[static_cast<size_t>(column)];
}

void VexoTableWidget::setBaseColumnWidth(int column, int width)
{
    if (column < 0 || column >= static_cast<int>(m_base_widths.size()))
        return;
    m_base_widths[static_cast<size_t>(column)] = qMax(0, width);
    layoutColumns();
}

void VexoTableWidget::layoutColumns()
{
    const auto& list = m_columns.columns();
    int total = 0;
    double ratio_sum = 0.0;
    for (size_t i = 0; i < list.size(); ++i) {
        total += m_base_widths[i];
        if (list[i].resizable)
            ratio_sum += list[i].ratio;
    }
    const int spare = qMax(0, m_table->viewport()->width() - total);
    int given = 0;
    int last_sharing = -1;
    std::vector<int> widths = m_base_widths;
    if (spare > 0 && ratio_sum > 0.0) {
        for (size_t i = 0; i < list.size(); ++i) {
            if (!list[i].resizable || list[i].ratio <= 0.0)
                continue;
            const int extra = static_cast<int>(spare * (list[i].ratio / ratio_sum));
            widths[i] += extra;
            given += extra;
            last_sharing = static_cast<int>(i);
        }
        // What truncation left over goes to the last sharing column, so the
        // columns fill the view exactly.
        if (last_sharing >= 0)
            widths[static_cast<size_t>(last_sharing)] += spare - given;
    }
    for (size_t i = 0; i < widths.size(); ++i)
        m_table->setColumnWidth(static_cast<int>(i), widths[i]);
}

bool VexoTableWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_table->viewport() && event->type() == QEvent::Resize)
        layoutColumns();
    return QWidget::eventFilter(watched, event);
}
