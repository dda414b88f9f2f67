#pragma once

#include "base-log-widget.h"

class QVBoxLayout;
class VexoPagingBar;
class VexoPagingModel;
class VexoTableWidget;

// The event log: IP, the event as one rich-text sentence, and the time, a
// page of at most 1000 records newest first, with a paging bar.
class MiscLogWidget : public BaseLogWidget {
    Q_OBJECT
public:
    explicit MiscLogWidget(LogFilter* filter);

    void reset() override;
    // Reads the current page with the current filter and refills the table
    // and the paging bar; a failed query leaves both as they were.
    void reload();

    VexoPagingBar* pagingBar() const { return m_paging_bar; }
    VexoPagingModel* pagingModel() const { return m_paging_model; }
    VexoTableWidget* table() const { return m_table; }

public slots:
    void slotRefresh();

private:
    void initialize();

    VexoPagingBar* m_paging_bar = nullptr;
    VexoPagingModel* m_paging_model = nullptr;
    VexoTableWidget* m_table = nullptr;
    QVBoxLayout* m_main_v_layout = nullptr;
};
