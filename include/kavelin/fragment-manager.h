#pragma once

#include <cstdint>
#include <vector>

#include "kavelin/resume-info.h"

// Canonical form of the byte ranges already transferred of one file:
// sorted by begin, overlapping and touching ranges joined, reversed ranges
// (end before begin) dropped. A short-lived value used by one thread;
// fragments are not clipped to the total.
class FragmentManager {
public:
    FragmentManager(uint64_t total, const std::vector<FileFragment>& fragments);

    // Bytes covered by the canonical list.
    uint64_t getProgress() const { return m_progress; }
    // True when one fragment covers exactly [0, total); an empty list never is.
    bool isFinished() const;
    void getFragments(std::vector<FileFragment>& fragments) const;
    // The ranges of [0, total) that no fragment covers, in order.
    void getHoles(std::vector<FileFragment>& holes) const;
    // Writes the total and each fragment to the log at error level.
    void dump() const;

private:
    void mergeFragments();

    uint64_t m_total;
    uint64_t m_progress;
    std::vector<FileFragment> m_fragments;
};
