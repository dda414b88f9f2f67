#pragma once
// The about box: the application's icon, name and version. Modal; Escape
// closes (hides) it. Whoever shows it also deletes it.
#include <QWidget>

class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QVBoxLayout;

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QVBoxLayout* m_main_v_layout = nullptr;
    QHBoxLayout* m_info_h_layout = nullptr;
    QVBoxLayout* m_text_v_layout = nullptr;
    QLabel* m_app_icon_label = nullptr;
    QLabel* m_app_name_label = nullptr;
    QLabel* m_version_label = nullptr;
};
