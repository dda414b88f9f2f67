#pragma once

#include <QString>

#include <cstdint>
#include <map>
#include <vector>

#include "kavelin/resume-info.h"

// The decisions of the Task Manager's views, apart from the widgets so that
// they can be checked without a window.
namespace queue_rules {

// Tasks per page of the full view and rows of the simple view.
constexpr int kFullPageSize = 100;
constexpr int kSimpleRows = 8;

// Which action-bar buttons apply to a selection (keys ActionBar::ButtonAction,
// 0..6, all present). held: the number of tasks the view holds; selected: the
// tasks found for the selected rows; selected_count: the rows selected.
std::map<int, bool> summarizeButtons(const std::vector<const ResumeInfo*>& selected, int selected_count, int held);

struct SpeedEstimate {
    uint64_t speed = 0;     // bytes per second
    int remaining = 0;      // seconds, clamped to the int range
};
// The full view's speed and remaining time, from the task's last two progress records.
SpeedEstimate estimateFullSpeed(const ResumeInfo& info);
// The simple view's speed text source: false when no speed can be shown yet.
bool estimateSimpleSpeed(const ResumeInfo& info, uint64_t& speed);
// The progress bar's value in 0..10000, (progress + 1) / (total + 1) kept in range.
int progressBarValue(uint64_t progress, uint64_t total);
// Seconds of elapsed milliseconds for a duration text, clamped to the int range.
int elapsedSeconds(uint64_t elapsed_ms);

// Pages of total tasks, at least 1.
int pageCount(int total, int page_size);
// The page clamped into 1..pages.
int clampPage(int page, int pages);

// The last component of a path after "/" or "\"; the whole text without either.
QString baseName(const QString& path);
// A task path for display on one line: control characters become their
// pictures (U+2400 block).
QString pathText(const ustring& path);
// Splits "user@domain" at the last "@"; false (both empty) without one.
bool splitDomainUser(const QString& text, QString& user, QString& domain);
// True for a download, false for every other command.
inline bool isDownload(const ResumeInfo& info) { return info.command == C_PULL; }
inline bool isRunning(const ResumeInfo& info)
{
    return info.user_action == ResumeInfo::UA_NONE && info.local_state == ResumeInfo::RI_RUNNING;
}

}  // namespace queue_rules
