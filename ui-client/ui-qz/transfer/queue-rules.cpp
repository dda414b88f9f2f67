#include "queue-rules.h"

#include <climits>

#include "action-bar.h"

namespace queue_rules {

std::map<int, bool> summarizeButtons(const std::vector<const ResumeInfo*>& selected, int selected_count, int held)
{
    bool start = false;
    bool pause = false;
    for (const ResumeInfo* info : selected) {
        switch (info->user_action) {
        case ResumeInfo::UA_NONE:
            if (info->local_state == ResumeInfo::RI_RUNNING) {
                pause = true;
            } else if (info->local_state == ResumeInfo::RI_PAUSED) {
                start = true;
            } else {
                start = true;
                pause = true;
            }
            break;
        case ResumeInfo::UA_START:
            pause = true;
            break;
        case ResumeInfo::UA_PAUSE:
            start = true;
            break;
        default:
            break;
        }
    }
    const bool moves = selected_count >= 1 && selected_count != held;
    std::map<int, bool> states;
    states[ActionBar::BA_START] = start;
    states[ActionBar::BA_PAUSE] = pause;
    states[ActionBar::BA_CLEAR] = selected_count >= 1;
    states[ActionBar::BA_MOVEUP] = moves;
    states[ActionBar::BA_MOVEDOWN] = moves;
    states[ActionBar::BA_MOVETOTOP] = moves;
    states[ActionBar::BA_MOVETOBOTTOM] = moves;
    return states;
}

SpeedEstimate estimateFullSpeed(const ResumeInfo& info)
{
    SpeedEstimate estimate;
    if (!isRunning(info) || info.last_update_time == 0 || info.progress <= info.last_progress)
        return estimate;
    uint64_t interval = info.update_time - info.last_update_time;
    if (interval == 0)
        interval = 1;
    estimate.speed = (info.progress - info.last_progress) * 1000 / interval;
    if (estimate.speed == 0 || info.progress >= info.total)
        return estimate;
    // A slow task over a long gap between records can outlast the int range.
    const double seconds = static_cast<double>(info.total - info.progress) / static_cast<double>(estimate.speed);
    estimate.remaining = seconds >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(seconds);
    return estimate;
}

bool estimateSimpleSpeed(const ResumeInfo& info, uint64_t& speed)
{
    speed = 0;
    if (info.update_time == 0)
        return false;
    if (info.update_time == info.last_update_time || info.progress < info.last_progress)
        return true;
    // A clock that went back counts as no progress rather than a huge interval.
    if (info.update_time < info.last_update_time)
        return true;
    speed = (info.progress - info.last_progress) * 1000 / (info.update_time - info.last_update_time);
    return true;
}

int progressBarValue(uint64_t progress, uint64_t total)
{
    // A file that grew while it was sent passes its recorded total.
    const double ratio = (static_cast<double>(progress) + 1.0) / (static_cast<double>(total) + 1.0);
    if (!(ratio > 0.0))
        return 0;
    if (ratio >= 1.0)
        return 10000;
    return static_cast<int>(ratio * 10000.0);
}

int elapsedSeconds(uint64_t elapsed_ms)
{
    const uint64_t seconds = elapsed_ms / 1000;
    return seconds > static_cast<uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(seconds);
}

int pageCount(int total, int page_size)
{
    if (total <= 0 || page_size <= 0)
        return 1;
    return (total - 1) / page_size + 1;
}

int clampPage(int page, int pages)
{
    if (page < 1)
        return 1;
    return page > pages ? pages : page;
}

QString baseName(const QString& path)
{
    const int cut = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? path : path.mid(cut + 1);
}

QString pathText(const ustring& path)
{
    QString text = QString::fromUtf8(path.c_str_utf8(), static_cast<int>(path.size()));
    // A name may hold a line break or a tab: shown as its control picture,
    // it keeps the cell on one line and still says what the name holds.
    for (QChar& c : text) {
        const ushort code = c.unicode();
        if (code < 0x20)
            c = QChar(0x2400 + code);
        else if (code == 0x7F)
            c = QChar(0x2421);
    }
    return text;
}

bool splitDomainUser(const QString& text, QString& user, QString& domain)
{
    const int at = text.lastIndexOf(QLatin1Char('@'));
    if (at < 0) {
        user.clear();
        domain.clear();
        return false;
    }
    user = text.left(at);
    domain = text.mid(at + 1);
    return true;
}

}  // namespace queue_rules
