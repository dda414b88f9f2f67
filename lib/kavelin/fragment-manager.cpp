#include "kavelin/fragment-manager.h"

#include <algorithm>

#include "log.h"

namespace {

bool compareFragment(const FileFragment& a, const FileFragment& b)
{
    return a.begin < b.begin;
}

} // namespace

FragmentManager::FragmentManager(uint64_t total, const std::vector<FileFragment>& fragments)
    : m_total(total), m_progress(0), m_fragments(fragments)
{
    // Fragment lists arrive from the other end of a transfer. A range that
    // ends before it begins covers no byte; kept, it would wrap the progress
    // and make the holes overlap.
    m_fragments.erase(std::remove_if(m_fragments.begin(), m_fragments.end(),
                                     [](const FileFragment& f) { return f.end < f.begin; }),
                      m_fragments.end());
    std::sort(m_fragments.begin(), m_fragments.end(), compareFragment);
    mergeFragments();
}

void FragmentManager::mergeFragments()
{
    m_progress = 0;
    if (m_fragments.empty())
        return;
    if (m_fragments.size() == 1) {
        m_progress = m_fragments[0].end - m_fragments[0].begin;
        return;
    }
    std::vector<FileFragment> merged;
    merged.reserve(m_fragments.size());
    merged.push_back(m_fragments[0]);
    for (size_t i = 1; i < m_fragments.size(); ++i) {
        FileFragment& current = merged.back();
        const FileFragment& next = m_fragments[i];
        if (next.begin > current.end) {
            m_progress += current.end - current.begin;
            merged.push_back(next);
        } else {
            current.end = std::max(current.end, next.end);
        }
    }
    m_progress += merged.back().end - merged.back().begin;
    m_fragments.swap(merged);
}

bool FragmentManager::isFinished() const
{
    return m_fragments.size() == 1 && m_fragments[0].begin == 0 && m_fragments[0].end == m_total;
}

void FragmentManager::getFragments(std::vector<FileFragment>& fragments) const
{
    fragments = m_fragments;
}

void FragmentManager::getHoles(std::vector<FileFragment>& holes) const
{
    holes.clear();
    uint64_t position = 0;
    // Fragments may reach past the total (a peer's report is not clipped),
    // but a hole never does: nothing past the file's end can be missing.
    for (const FileFragment& fragment : m_fragments) {
        if (position >= m_total)
            break;
        if (fragment.begin > position)
            holes.push_back({position, std::min(fragment.begin, m_total)});
        position = fragment.end;
    }
    if (m_total > position)
        holes.push_back({position, m_total});
}

void FragmentManager::dump() const
{
    QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] fragment-manager(%d): total: %llu\n",
           static_cast<unsigned long long>(m_total));
    for (size_t i = 0; i < m_fragments.size(); ++i) {
        QM_LOG(Logger::L_ERR, "default_component", L"[ERROR] fragment-manager(%d): %d: %2llu %2llu\n",
               static_cast<int>(i), static_cast<unsigned long long>(m_fragments[i].begin),
               static_cast<unsigned long long>(m_fragments[i].end));
    }
}
