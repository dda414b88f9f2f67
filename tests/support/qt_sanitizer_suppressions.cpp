// Sanitizer suppressions for tests and programs that run Qt, which the
// sanitizer builds do not rebuild. Qt hands queued calls, events and shared
// data between threads through its own futex-based locks, atomic reference
// counts and glib's event loop, which ThreadSanitizer cannot see, so it takes
// every hand-over for a race; the X11 platform's connection is torn down at
// exit the same way. The offscreen platform never frees the screen it makes,
// and the session bus library keeps one buffer for the whole process. A race
// or leak whose stacks stay in our code is still reported.
extern "C" const char* __tsan_default_suppressions()
{
    return "race:libQt5Core.so.5\nrace:libQt5Test.so.5\nrace:libQt5Gui.so.5\nrace:libQt5Widgets.so.5\n"
           "race:libglib-2.0.so.0\nrace:libQt5XcbQpa.so.5\nrace:libxcb.so.1\n"
           "called_from_lib:libQt5Core.so.5\ncalled_from_lib:libQt5Test.so.5\ncalled_from_lib:libglib-2.0.so.0\n";
}

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\nleak:libqoffscreen.so\n";
}

// Full stacks, so that the suppressions above can tell the plugins' blocks.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}
