#include "full-queue.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QVector>

#include <algorithm>
#include <set>

#include "client-core-manager.h"
#include "dpi_info.h"
#include "global-connecter.h"
#include "image_manager.h"
#include "kavelin/vardo-core-manager.h"
#include "progress-status-widget.h"
#include "queue-rules.h"
#include "site-display.h"
#include "site-info-manager.h"
#include "str_table.h"
#include "style_manager.h"
#include "tool_tip.h"
#include "vexo_table_widget.h"

namespace {

const int kFooterWidth = 120;
// The header's left padding (full_queue_table_header) and room on the right.
const int kHeaderPadding = 6 + 8;

void setCell(QTableWidgetItem* item, const QString& text)
{
    if (item->text() != text)
        item->setText(text);
}

// A text cell with its escaped tool tip, both only when they changed.
void setCellWithTip(QTableWidgetItem* item, const QString& text)
{
    if (item->text() == text && !item->toolTip().isEmpty())
        return;
    item->setText(text);
    item->setToolTip(getHtmlEscapedStringForToolTip(text));
}

}  // namespace

FullQueue::FullQueue(QWidget* parent) : BaseQueue(parent)
{
    initialize();
}

void FullQueue::initialize()
{
    VexoTableColumnsInfo columns;
    columns.addColumn(StrTable::LoadStr(StrTable::file_name), 133, false, 0.0);
    columns.addColumn(StrTable::LoadStr(StrTable::filter_size), 65, false, 0.0);
    columns.addColumn(StrTable::LoadStr(StrTable::queue_ul_dl), 54, false, 0.0);
    columns.addColumn(StrTable::LoadStr(StrTable::queue_status), 117, false, 0.0);
    columns.addColumn(StrTable::LoadStr(StrTable::queue_speed), 70, false, 0.0);
    columns.addColumn(StrTable::LoadStr(StrTable::queue_elapsed_time), 94, false, 0.0);
    columns.addColumn(StrTable::LoadStr(StrTable::queue_ETA), 75, false, 0.0);
    columns.addColumn(StrTable::LoadStr(StrTable::queue_local_path), 115, false, 0.0);
    columns.addColumn(StrTable::LoadStr(StrTable::queue_remote_path), 100, true, 1.0);
    m_table = new VexoTableWidget(columns, nullptr);
    m_table->getTable()->setStyleSheet(getStyleSheet("full_queue_table", false));
    m_table->getHeader()->setStyleSheet(getStyleSheet("full_queue_table_header", false));
    // A fixed column is never narrower than its title in the header's own
    // font ("Time Remaining" was cut; a translation may be longer still).
    QHeaderView* header = m_table->getHeader();
    header->ensurePolished();
    for (int column = 0; column < COL_REMOTE_PATH; ++column) {
        const QString title = m_table->getTable()->horizontalHeaderItem(column)->text();
        const int needed = header->fontMetrics().horizontalAdvance(title) + kHeaderPadding;
        if (needed > m_table->baseColumnWidth(column))
            m_table->setBaseColumnWidth(column, needed);
    }

    m_paging_model = new VexoPagingModel(queue_rules::kFullPageSize, this);
    m_paging_bar = new VexoPagingBar(m_paging_model, this);
    m_paging_bar->setRefreshButtonHidden(true);

    m_main_v_layout = new QVBoxLayout(this);
    m_main_v_layout->setSpacing(0);
    const double scale = DPIinfo::getInstance()->getDPI();
    m_main_v_layout->setContentsMargins(static_cast<int>(10 * scale), 0, static_cast<int>(10 * scale),
                                        static_cast<int>(12 * scale));
    m_main_v_layout->addWidget(m_table, 0);
    m_main_v_layout->addWidget(m_paging_bar, 0);

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(m_table->getTable(), &QTableWidget::itemSelectionChanged, this, &FullQueue::slotItemSelectionChanged);
    connect(hub, &GlobalConnecter::sigAddSiteDone, this, &FullQueue::slotAddSiteDone);
    connect(hub, &GlobalConnecter::sigRemoveSiteDone, this, &FullQueue::slotRemoveSiteDone);
    connect(hub, &GlobalConnecter::sigTopToolBarItemChange, this, &FullQueue::slotTopToolBarItemChanged);
    connect(this, &FullQueue::sigUpdateTopToolBar, hub, &GlobalConnecter::sigUpdateTopToolBar);
    // A page the user picks shows at once rather than at the next tick.
    connect(m_paging_bar, &VexoPagingBar::sigPageChanged, this, &FullQueue::reloadTasks);

    emit sigUpdateTopToolBar();
}

bool FullQueue::loadPage(int& total, uint64_t& download_speed, uint64_t& upload_speed)
{
    clearTasks();
    const int page = std::max(1, m_paging_model->nowPage());
    ResumeFilter filter;
    filter.offset = (page - 1) * queue_rules::kFullPageSize;
    filter.limit = queue_rules::kFullPageSize;

    QString user;
    QString domain;
    queue_rules::splitDomainUser(m_current_domain_user, user, domain);
    QVector<SiteInfo> sites;
    SiteInfoManager::getInstance()->getSiteInfosByDomainUsername(domain, user, sites);
    if (!sites.isEmpty()) {
        filter.check_peer_id = true;
        for (const SiteInfo& site : sites)
            filter.peer_ids.push_back(site.peer_id);
    }

    total = 0;
    download_speed = 0;
    upload_speed = 0;
    ClientCoreManager::getCoreManager()->getInfos(filter, m_resume_infos, total, download_speed, upload_speed);
    if (m_resume_infos.size() > static_cast<size_t>(queue_rules::kFullPageSize))
        m_resume_infos.resize(queue_rules::kFullPageSize);
    m_paging_bar->setItemCount(total);

    const int pages = queue_rules::pageCount(total, queue_rules::kFullPageSize);
    const int wanted = queue_rules::clampPage(page, pages);
    if (wanted != page || m_paging_model->nowPage() != page) {
        m_paging_model->setNowPage(wanted);
        return wanted == page;  // the bar only clamped its own copy: the page loaded stands
    }
    return true;
}

void FullQueue::reloadTasks()
{
    std::vector<uint64_t> selected;
    getSelectedResumeIds(selected);
    m_reloading = true;

    int total = 0;
    uint64_t download_speed = 0;
    uint64_t upload_speed = 0;
    // A page left empty by finished or cleared tasks gives way to the last
    // page that has tasks; the second pass always lies within the pages.
    if (!loadPage(total, download_speed, upload_speed))
        loadPage(total, download_speed, upload_speed);

    QTableWidget* table = m_table->getTable();
    const int count = static_cast<int>(m_resume_infos.size());
    for (int i = 0; i < count; ++i) {
        ensureRow(i);
        if (table->isRowHidden(i))
            table->setRowHidden(i, false);
        fillRow(i, m_resume_infos[static_cast<size_t>(i)]);
    }
    indexTasks();
    updateFooter(total, download_speed, upload_speed);

    ensureRow(count);
    for (int row = count; row < table->rowCount(); ++row) {
        if (!table->isRowHidden(row))
            table->setRowHidden(row, true);
    }

    restoreSelection(selected);
    m_reloading = false;
    if (!isHidden())
        summarizeActionButtonStatus();
}

void FullQueue::ensureRow(int row)
{
    QTableWidget* table = m_table->getTable();
    if (row < table->rowCount())
        return;
    table->insertRow(row);
    for (int column = 0; column < COL_COUNT; ++column)
        table->setItem(row, column, new QTableWidgetItem());
}

void FullQueue::fillRow(int row, const ResumeInfo& info)
{
    QTableWidget* table = m_table->getTable();
    const bool download = queue_rules::isDownload(info);
    const QString from = queue_rules::pathText(info.path_from);
    const QString to = queue_rules::pathText(info.path_to);

    setCellWithTip(table->item(row, COL_NAME), queue_rules::baseName(from));
    setCell(table->item(row, COL_SIZE), getHumanReadableSize(static_cast<double>(info.total)));

    auto* icon = qobject_cast<QLabel*>(table->cellWidget(row, COL_DIRECTION));
    if (!icon) {
        icon = new QLabel();
        icon->setAlignment(Qt::AlignCenter);
        table->setCellWidget(row, COL_DIRECTION, icon);
    }
    // The pixmap is set again only when the direction changed.
    const int direction = download ? C_PULL : C_PUSH;
    if (icon->property("direction").toInt() != direction) {
        icon->setProperty("direction", direction);
        icon->setPixmap(getGlobalImage(download ? "icon_download" : "icon_upload", ImageManager::IT_NORMAL));
    }

    auto* status = qobject_cast<ProgressStatusWidget*>(table->cellWidget(row, COL_STATUS));
    if (!status) {
        status = new ProgressStatusWidget();
        table->setCellWidget(row, COL_STATUS, status);
    }
    status->setFullMode(true);
    status->setTaskInfo(info);

    const queue_rules::SpeedEstimate estimate = queue_rules::estimateFullSpeed(info);
    setCell(table->item(row, COL_SPEED), getHumanReadableSize(static_cast<double>(estimate.speed)) + QStringLiteral("/s"));
    setCell(table->item(row, COL_ELAPSED), getHumanReadableDuration(queue_rules::elapsedSeconds(info.elapsed_time)));
    setCell(table->item(row, COL_REMAINING), getHumanReadableDuration(estimate.remaining));
    setCellWithTip(table->item(row, COL_LOCAL_PATH), download ? to : from);
    setCellWithTip(table->item(row, COL_REMOTE_PATH), download ? from : to);
}

void FullQueue::updateFooter(int total, uint64_t download_speed, uint64_t upload_speed)
{
    std::vector<std::pair<QString, int>> footer;
    footer.emplace_back(QString::number(total) + QLatin1Char(' ') + StrTable::LoadStr(StrTable::paging_items),
                        kFooterWidth);
    if (total > 0) {
        footer.emplace_back(StrTable::LoadStr(StrTable::log_filter_download) + QLatin1Char(' ') +
                                getHumanReadableSize(static_cast<double>(download_speed)) + QStringLiteral("/s"),
                            kFooterWidth);
        footer.emplace_back(StrTable::LoadStr(StrTable::log_filter_upload) + QLatin1Char(' ') +
                                getHumanReadableSize(static_cast<double>(upload_speed)) + QStringLiteral("/s"),
                            kFooterWidth);
    }
    if (footer == m_footer)
        return;
    m_footer = footer;
    std::vector<PagingFooterInfo> infos;
    for (const auto& entry : footer) {
        PagingFooterInfo info;
        info.text = entry.first;
        info.width = entry.second;
        infos.push_back(info);
    }
    m_paging_bar->setFooterInfos(infos);
}

void FullQueue::restoreSelection(const std::vector<uint64_t>& ids)
{
    QTableWidget* table = m_table->getTable();
    const std::set<uint64_t> wanted(ids.begin(), ids.end());
    std::set<int> selected_rows;
    for (const QModelIndex& index : table->selectionModel()->selectedRows(0))
        selected_rows.insert(index.row());
    std::set<int> wanted_rows;
    for (int row = 0; row < static_cast<int>(m_resume_infos.size()); ++row) {
        if (wanted.count(m_resume_infos[static_cast<size_t>(row)].resume_id))
            wanted_rows.insert(row);
    }
    if (wanted_rows == selected_rows)
        return;
    QItemSelection selection;
    for (int row : wanted_rows)
        selection.select(table->model()->index(row, 0), table->model()->index(row, COL_COUNT - 1));
    table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void FullQueue::getSelectedResumeIds(std::vector<uint64_t>& ids)
{
    const int count = static_cast<int>(m_resume_infos.size());
    std::vector<int> rows;
    for (const QModelIndex& index : m_table->getTable()->selectionModel()->selectedRows(0)) {
        if (index.row() >= 0 && index.row() < count)
            rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    for (int row : rows)
        ids.push_back(m_resume_infos[static_cast<size_t>(row)].resume_id);
}

void FullQueue::setSelectedResumeIds(const std::vector<uint64_t>& ids)
{
    QTableWidget* table = m_table->getTable();
    QItemSelectionModel* model = table->selectionModel();
    QItemSelection collected;
    size_t cursor = 0;
    for (int row = 0; row < static_cast<int>(m_resume_infos.size()); ++row) {
        if (cursor < ids.size() && ids[cursor] == m_resume_infos[static_cast<size_t>(row)].resume_id) {
            table->selectRow(row);
            collected.merge(model->selection(), QItemSelectionModel::Select);
            ++cursor;
        }
    }
    model->select(collected, QItemSelectionModel::Select);
}

void FullQueue::slotItemSelectionChanged()
{
    if (!m_reloading)
        summarizeActionButtonStatus();
}

void FullQueue::slotTopToolBarItemChanged(const QString& text)
{
    m_current_domain_user = text;
    reloadTasks();
}

void FullQueue::slotAddSiteDone(const uint64_t& peer_id)
{
    Q_UNUSED(peer_id);
    emit sigUpdateTopToolBar();
}

void FullQueue::slotRemoveSiteDone()
{
    emit sigUpdateTopToolBar();
}

void FullQueue::showEvent(QShowEvent* event)
{
    reloadTasks();
    BaseQueue::showEvent(event);
}
