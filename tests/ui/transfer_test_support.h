#pragma once
// Shared by the Task Manager tests: tasks put straight into the process-wide
// task store, and the main window's side of the window and the button.
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <vector>

#include "kavelin/resume-info.h"
#include "queue-page.h"

class TransferButton;

namespace transfertest {

// Removes every task from the store.
void clearStore();
// Adds count tasks named "<prefix><i>.bin" of peer; edit may change each
// before it is stored. Returns the new tasks' ids in queue order.
std::vector<uint64_t> addTasks(int count, uint64_t peer, Command command, const char* prefix = "file",
                               const std::function<void(int, ResumeInfo&)>& edit = {});
// Every task of the store in queue order (aborted ones too).
std::vector<ResumeInfo> storedTasks();
std::vector<uint64_t> storedIds();
// Changes one task's fields as the engine would record them.
void setTaskState(uint64_t resume_id, ResumeInfo::State state, ResumeInfo::UserAction action, int error = 0);

// The tab area's side of the Task Manager: one button, the window it opens
// and closes, and the task count driving the animation.
class TabHost : public QObject {
    Q_OBJECT
public:
    explicit TabHost(const QString& gif_file);
    ~TabHost() override;

    TransferButton* button() const { return m_button; }
    QueuePage* page() const { return m_page; }

public slots:
    void slotTransferButtonClicked();
    void slotQueuePageHidden();
    void slotTaskCountChanged(int count);

private:
    TransferButton* m_button = nullptr;
    QPointer<QueuePage> m_page;
};

}  // namespace transfertest
