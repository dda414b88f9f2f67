#pragma once

// The abort flag a control channel shares with its workers and their
// connections: a plain int (the connection layer takes an int*), written and
// read only through these atomic accesses. It goes from 0 to 1 once.
inline bool isAbortRaised(const int* flag)
{
    return flag && __atomic_load_n(flag, __ATOMIC_ACQUIRE) != 0;
}

inline void raiseAbortFlag(int* flag)
{
    __atomic_store_n(flag, 1, __ATOMIC_RELEASE);
}
