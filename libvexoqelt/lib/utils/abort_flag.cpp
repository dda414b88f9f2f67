#include "utils/abort_flag.h"

namespace qelt {

bool AbortFlag::isSet() const
{
    if (m_atomic)
        return m_atomic->load(std::memory_order_relaxed) != 0;
    if (m_plain)
        return __atomic_load_n(m_plain, __ATOMIC_RELAXED) != 0;
    return false;
}

} // namespace qelt
