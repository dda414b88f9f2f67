#pragma once

#include <vector>

#include "log-filter.h"
#include "vexo_menu.h"

class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class VexoButton;
class VexoComboBox;
class VexoDateSelector;
class VexoLineEdit;

// The drop-down panel of the Log window's filter bar: a keyword, a range of
// whole days and one log type, written into the window's LogFilter by
// "Filter" (or Enter in the keyword field) and emptied by "Reset".
class LogFilterMenu : public VexoMenu {
    Q_OBJECT
public:
    LogFilterMenu(LogFilter* filter, QWidget* parent);
    ~LogFilterMenu() override;

    // The type choices become "All Events" and one choice per type, in
    // order; every type must be below LOG_MAX.
    void setValidTypes(const std::vector<int>& types);

    VexoLineEdit* keywordEdit() const { return m_keyword_edit; }
    VexoDateSelector* fromDate() const { return m_from_date; }
    VexoDateSelector* toDate() const { return m_to_date; }
    VexoComboBox* typeChoice() const { return m_type_combobox; }
    VexoButton* applyButton() const { return m_apply_btn; }
    VexoButton* resetButton() const { return m_reset_btn; }

signals:
    void sigLogFilterChanged();

public slots:
    void slotClearStatus();
    void slotApplyStatus();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_keyword_label = nullptr;
    VexoLineEdit* m_keyword_edit = nullptr;
    QLabel* m_date_label = nullptr;
    VexoDateSelector* m_from_date = nullptr;
    VexoDateSelector* m_to_date = nullptr;
    QLabel* m_type_label = nullptr;
    VexoComboBox* m_type_combobox = nullptr;
    VexoButton* m_apply_btn = nullptr;
    VexoButton* m_reset_btn = nullptr;
    QHBoxLayout* m_date_h_layout = nullptr;
    QHBoxLayout* m_btn_h_layout = nullptr;
    QVBoxLayout* m_main_v_layout = nullptr;
    LogFilter* m_filter;  // the window's, not owned
};

// The name of each log type in the type choice, indexed by type (0 is
// "All Events"); filled in the language active at its first use.
const std::vector<QString>& logTypeNames();
