#pragma once
// The title band of the login window: a title line over a description line.
#include <QWidget>

class QLabel;
class QVBoxLayout;

class WizardTitleWidget : public QWidget {
public:
    WizardTitleWidget(const QString& title, const QString& desc, QWidget* parent = nullptr);

private:
    QVBoxLayout* m_main_v_layout = nullptr;
    QLabel* m_title_label = nullptr;
    QLabel* m_desc_label = nullptr;
};
