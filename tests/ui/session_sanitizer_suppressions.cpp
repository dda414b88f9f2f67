// Sanitizer suppressions for the session tests, which run Qt's own
// uninstrumented code and the system libraries under it: the session bus
// library keeps one buffer for the whole process, the offscreen platform its
// screen, and Qt hands queued calls between threads through locks that
// ThreadSanitizer cannot see. Anything whose stack stays in our code is
// still reported.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\nleak:libqoffscreen.so\n";
}

extern "C" const char* __tsan_default_suppressions()
{
    return "race:libQt5Core.so.5\nrace:libQt5Test.so.5\nrace:libglib-2.0.so.0\n"
           "called_from_lib:libQt5Core.so.5\ncalled_from_lib:libQt5Test.so.5\ncalled_from_lib:libglib-2.0.so.0\n";
}
