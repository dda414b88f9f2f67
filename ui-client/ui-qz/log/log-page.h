#pragma once

#include <QWidget>

#include "log-filter.h"

class LogFilterMenu;
class MiscLogWidget;
class QHBoxLayout;
class QStackedWidget;
class QVBoxLayout;
class TransferLogWidget;
class VexoComboBox;
class VexoFilterBar;

// The Log window: the event log or the file transfer log, chosen in the view
// selector, under a filter bar whose menu adds dates and a type. Created once
// and never deleted; application-modal while shown; each show starts afresh.
class LogPage : public QWidget {
    Q_OBJECT
public:
    explicit LogPage(QWidget* parent = nullptr);
    ~LogPage() override;

    VexoComboBox* viewSelector() const { return m_view_selector; }
    VexoFilterBar* filterBar() const { return m_filter_bar; }
    LogFilterMenu* filterMenu() const { return m_filter_menu; }
    QStackedWidget* stack() const { return m_stack; }
    MiscLogWidget* miscLogWidget() const { return m_misc_log_widget; }
    TransferLogWidget* transferLogWidget() const { return m_transfer_log_widget; }
    const LogFilter& filter() const { return *m_filter; }

public slots:
    void slotLogPageChanged();
    void slotKeywordChanged(QString keyword);
    void slotLogFilterChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void initialize();
    void changePage();
    class BaseLogWidget* currentView() const;

    QVBoxLayout* m_top_border_v_layout = nullptr;
    QVBoxLayout* m_main_v_layout = nullptr;
    QHBoxLayout* m_top_h_layout = nullptr;
    VexoComboBox* m_view_selector = nullptr;
    VexoFilterBar* m_filter_bar = nullptr;
    LogFilterMenu* m_filter_menu = nullptr;
    QStackedWidget* m_stack = nullptr;
    MiscLogWidget* m_misc_log_widget = nullptr;
    TransferLogWidget* m_transfer_log_widget = nullptr;
    LogFilter* m_filter = nullptr;
};
