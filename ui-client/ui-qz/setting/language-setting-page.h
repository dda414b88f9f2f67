#pragma once
// A small modal window to pick the interface language; a new choice is
// stored and takes effect at the next start.
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class VexoButton;
class VexoComboBox;
class VexoFootbar;

class LanguageSettingPage : public QWidget {
    Q_OBJECT
public:
    explicit LanguageSettingPage(QWidget* parent = nullptr);
    void initialize();

    VexoComboBox* comboBox() const { return m_language_combobox; }
    VexoButton* applyButton() const { return m_apply_btn; }
    VexoButton* cancelButton() const { return m_cancel_btn; }

public slots:
    void slotContentChanged();
    void slotApplyButtonClicked();
    void slotCancelButtonClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QVBoxLayout* m_main_v_layout = nullptr;
    QHBoxLayout* m_language_h_layout = nullptr;
    QLabel* m_language_label = nullptr;
    VexoComboBox* m_language_combobox = nullptr;
    QLabel* m_shadow = nullptr;
    VexoFootbar* m_footer = nullptr;
    VexoButton* m_apply_btn = nullptr;
    VexoButton* m_cancel_btn = nullptr;
};
