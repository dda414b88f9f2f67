#pragma once

#include <QWidget>

#include "kavelin/resume-info.h"

class ProgressStatusWidget;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;

// One row of the simple queue: direction icon, file name, size or speed,
// and the task's status underneath.
class TaskEntry : public QWidget {
    Q_OBJECT
public:
    explicit TaskEntry(QWidget* parent = nullptr);

    void setResumeInfo(const ResumeInfo& info);

    QLabel* iconLabel() const { return m_icon; }
    QLabel* nameLabel() const { return m_name; }
    QLabel* descriptionLabel() const { return m_description; }
    ProgressStatusWidget* progressStatus() const { return m_progress_status; }

private:
    void initialize();

    QHBoxLayout* m_main_h_layout = nullptr;
    QHBoxLayout* m_file_h_layout = nullptr;
    QVBoxLayout* m_center_v_layout = nullptr;
    QLabel* m_icon = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_description = nullptr;
    ProgressStatusWidget* m_progress_status = nullptr;
    int m_icon_command = 0;  // the command whose icon is shown; 0 before the first
};
