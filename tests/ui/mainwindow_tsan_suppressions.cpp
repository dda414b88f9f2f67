// ThreadSanitizer for the main window's session tests: Qt hands queued calls
// and events between threads through its own futex-based locks (and glib's
// event loop), which the tool cannot see, so it takes every hand-over inside
// Qt for a race. A race whose stacks stay in our code is still reported.
extern "C" const char* __tsan_default_suppressions()
{
    return "race:libQt5Core.so.5\nrace:libQt5Test.so.5\nrace:libglib-2.0.so.0\n"
           "called_from_lib:libQt5Core.so.5\ncalled_from_lib:libQt5Test.so.5\ncalled_from_lib:libglib-2.0.so.0\n"
           // The X11 platform's connection, torn down at exit.
           "race:libQt5XcbQpa.so.5\nrace:libxcb.so.1\n";
}
