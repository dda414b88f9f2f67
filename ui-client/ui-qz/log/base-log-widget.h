#pragma once

#include <QWidget>

#include <climits>
#include <vector>

#include "log-db.h"
#include "log-filter.h"
#include "vexo_paging_bar.h"


// The base of the Log window's two views: a page of log records read with the
// window's shared filter. The window only ever calls reset().
class BaseLogWidget : public QWidget {
public:
    explicit BaseLogWidget(LogFilter* filter);
    ~BaseLogWidget() override;

    // Back to page 1 and reload.
    virtual void reset() = 0;

    // Rows per page, in the paging model and in the query's limit.
    static const int kPageSize = 1000;

protected:
    // Fills the query's keyword, dates, types and page size from the shared
    // filter; queryPage sets the offset.
    template <typename Filter>
    void fillQuery(Filter& query) const;
    // Reads the current page of the paging model. When the page lies past
    // the end (the log was trimmed since it was chosen), the model moves to
    // the last page and that page is read instead. A negative result leaves
    // `records` and `total` meaningless and the caller must show nothing new.
    template <typename Filter, typename Record>
    int queryPage(Filter& query, VexoPagingModel* model, std::vector<Record>& records, unsigned int& total) const;
    static QString footerText(unsigned int total);
    static int itemCount(unsigned int total) { return total > INT_MAX ? INT_MAX : static_cast<int>(total); }

    LogFilter* m_filter;  // owned by the Log window
};

template <typename Filter>
void BaseLogWidget::fillQuery(Filter& query) const
{
    query.search_string = m_filter->keyword.toStdString();
    query.date_from = m_filter->date_from;
    query.date_to = m_filter->date_to;
    query.log_type = m_filter->type;
    query.limit = kPageSize;
}

template <typename Filter, typename Record>
int BaseLogWidget::queryPage(Filter& query, VexoPagingModel* model, std::vector<Record>& records,
                             unsigned int& total) const
{
    query.offset = static_cast<size_t>(model->nowPage() - 1) * kPageSize;
    records.clear();
    total = 0;
    int rc = LogDB::searchLog(query, records, total);
    if (rc < 0 || !records.empty() || total == 0 || query.offset < total)
        return rc;
    const int chosen_page = model->nowPage();
    const int last_page = static_cast<int>((total - 1) / kPageSize) + 1;
    model->setNowPage(last_page);
    query.offset = static_cast<size_t>(last_page - 1) * kPageSize;
    records.clear();
    total = 0;
    rc = LogDB::searchLog(query, records, total);
    if (rc < 0)
        model->setNowPage(chosen_page);  // nothing on screen changes
    return rc;
}
