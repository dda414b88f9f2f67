#pragma once

#include <QStackedWidget>
#include <QString>

#include <cstdint>

#include "kavelin/resume-info.h"

class QLabel;
class QProgressBar;

// The status cell of one task: a thin bar coloured by direction while the
// task runs, otherwise one line of text ("Waiting", "Paused", "Failed: ...").
// The style sheets draw by the bar's "color" and the label's "status".
class ProgressStatusWidget : public QStackedWidget {
    Q_OBJECT
public:
    explicit ProgressStatusWidget(QWidget* parent = nullptr);

    void setFullMode(bool full);
    void setTaskInfo(const ResumeInfo& info);
    // "Failed" with the sentence of an engine error code, if it has one.
    static QString getErrorString(int error);

    QLabel* statusLabel() const { return m_status; }
    QProgressBar* progressBar() const { return m_progress_bar; }
    const QString& message() const { return m_msg; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void initialize();
    // Sets a dynamic property and re-polishes only when it changed.
    static void setStyleProperty(QWidget* widget, const char* name, const QString& value);

    QLabel* m_status = nullptr;
    QProgressBar* m_progress_bar = nullptr;
    QWidget* m_progress_parent = nullptr;
    QString m_msg;
    bool m_full_mode = false;
    // The task shown last: a row reused for another task starts without the
    // previous task's sentence.
    uint64_t m_resume_id = 0;
    bool m_has_task = false;
};
