#pragma once

#include <QWidget>

#include <cstdint>
#include <map>
#include <vector>

#include "kavelin/resume-info.h"

// The base of the two queue views: the tasks loaded at the last reload, the
// action buttons carried out on the selection (start, pause and clear through
// the task store and the engine, moves through the store's priority), and the
// summary of which buttons apply, sent to the action bar through the hub.
class BaseQueue : public QWidget {
    Q_OBJECT
public:
    explicit BaseQueue(QWidget* parent = nullptr);

    // Reads the tasks to show, refills the view and summarises the buttons.
    virtual void reloadTasks() = 0;
    // Appends the resume ids of the selected rows, top row first.
    virtual void getSelectedResumeIds(std::vector<uint64_t>& ids) = 0;
    // Selects the rows of these ids, given in row order.
    virtual void setSelectedResumeIds(const std::vector<uint64_t>& ids) = 0;

    // Works out the buttons for the selection and emits sigUpdateActionBarButton.
    void summarizeActionButtonStatus();

    const std::vector<ResumeInfo>& resumeInfos() const { return m_resume_infos; }

signals:
    void sigUpdateActionBarButton(std::map<int, bool> map);

public slots:
    void slotTransferActionButtonClicked(int btn);

protected:
    // Clears both tables; the derived reload refills them together.
    void clearTasks();
    // Fills the id map from m_resume_infos (a later duplicate wins).
    void indexTasks();

    std::map<uint64_t, const ResumeInfo*> m_resume_id_map;
    std::vector<ResumeInfo> m_resume_infos;
};
