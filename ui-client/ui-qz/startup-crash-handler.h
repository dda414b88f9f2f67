#pragma once

// Installs handlers for SIGSEGV, SIGBUS, SIGILL, SIGFPE and SIGABRT that run
// on an alternate stack, write "crashing!!" and one block per stack frame to
// standard error with write(2) only, then restore the default action and
// raise the signal again, so the process still dies by it. Does nothing in
// sanitizer builds, whose own reports are better.
void installCrashHandler();
