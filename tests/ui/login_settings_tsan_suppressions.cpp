// ThreadSanitizer cannot see into Qt's uninstrumented code: its queued calls,
// events and thread starts hand over through Qt's own futex-based locks (and
// glib's event loop), so every hand-over looks like a race. Suppressed there;
// a race whose stacks stay in our code is still reported.
extern "C" const char* __tsan_default_suppressions()
{
    return "race:libQt5Core.so.5\nrace:libQt5Test.so.5\nrace:libQt5Gui.so.5\nrace:libQt5Widgets.so.5\n"
           "race:libglib-2.0.so.0\ncalled_from_lib:libQt5Core.so.5\ncalled_from_lib:libQt5Test.so.5\n"
           "called_from_lib:libglib-2.0.so.0\n"
           // The X11 platform's connection, torn down at exit.
           "race:libQt5XcbQpa.so.5\nrace:libxcb.so.1\n";
}
