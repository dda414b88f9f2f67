#pragma once

#include <atomic>
#include <cstddef>

namespace qelt {

// A read-only view of a caller-owned abort flag that another thread may raise.
// Accepts a std::atomic<int> (preferred) or a plain int, which is then read
// with an atomic load; no flag at all means "never aborted".
class AbortFlag {
public:
    AbortFlag() = default;
    AbortFlag(std::nullptr_t) {}
    AbortFlag(const std::atomic<int>* flag) : m_atomic(flag) {}
    AbortFlag(const int* flag) : m_plain(flag) {}

    bool isSet() const;

private:
    const std::atomic<int>* m_atomic = nullptr;
    const int* m_plain = nullptr;
};

} // namespace qelt
