#pragma once
// System calls per MiB of the engine's large transfers, counted by strace.
#include <cstdint>

// Runs this program again under `strace -f -c`, once per mode and direction
// (plain and TLS, up and down), with only the large transfer of size_mib,
// and prints every run's calls per MiB with the largest kinds. Both ends run
// in that process, so the figures count the client and the server together.
// False (with a message) when strace is missing or cannot trace.
bool printSyscallsPerMiB(const char* self, long size_mib);
