// Sanitizer suppressions for the start-up tests and programs, which run Qt's
// own uninstrumented code: the offscreen platform never frees the screen it
// makes, and Qt hands queued calls and events between threads through its
// own futex-based locks (and glib's event loop), which ThreadSanitizer cannot see, so it takes every
// hand-over for a race. A race whose stacks stay in our code is still
// reported.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libqoffscreen.so\n";
}

extern "C" const char* __tsan_default_suppressions()
{
    return "race:libQt5Core.so.5\nrace:libQt5Test.so.5\nrace:libglib-2.0.so.0\n"
           "called_from_lib:libQt5Core.so.5\ncalled_from_lib:libQt5Test.so.5\ncalled_from_lib:libglib-2.0.so.0\n";
}
