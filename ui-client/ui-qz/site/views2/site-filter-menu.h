#pragma once

#include "site-file-info.h"
#include "vexo_menu.h"

class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class VexoButton;
class VexoComboBox;
class VexoDateSelector;
class VexoLineEdit;

// The filter bar's panel: keyword, a range of modification days and a size
// condition, written into the pane's filter record by "Filter" (or Enter in
// the keyword field) and cleared by "Reset". The sort fields are not touched.
class SiteFilterMenu : public VexoMenu {
    Q_OBJECT
public:
    SiteFilterMenu(SiteFileFilter* filter, QWidget* parent = nullptr);

    VexoLineEdit* keywordEdit() const { return m_keyword_edit; }
    VexoDateSelector* fromDate() const { return m_from_date; }
    VexoDateSelector* toDate() const { return m_to_date; }
    VexoComboBox* sizeCombo() const { return m_size_combobox; }
    VexoLineEdit* sizeEdit() const { return m_size_edit; }
    VexoButton* applyButton() const { return m_apply_btn; }
    VexoButton* resetButton() const { return m_reset_btn; }

signals:
    void sigFileFilterChanged();

public slots:
    void slotApplyStatus();
    void slotClearStatus();
    void slotSizeComboChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    SiteFileFilter* m_filter;
    QLabel* m_keyword_label = nullptr;
    VexoLineEdit* m_keyword_edit = nullptr;
    QLabel* m_date_label = nullptr;
    VexoDateSelector* m_from_date = nullptr;
    VexoDateSelector* m_to_date = nullptr;
    QLabel* m_size_label = nullptr;
    VexoComboBox* m_size_combobox = nullptr;
    VexoLineEdit* m_size_edit = nullptr;
    VexoButton* m_apply_btn = nullptr;
    VexoButton* m_reset_btn = nullptr;
    QHBoxLayout* m_date_h_layout = nullptr;
    QHBoxLayout* m_size_h_layout = nullptr;
    QHBoxLayout* m_btn_h_layout = nullptr;
    QVBoxLayout* m_main_v_layout = nullptr;
};
