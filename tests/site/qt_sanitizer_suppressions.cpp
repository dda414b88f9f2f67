// Sanitizer suppressions for Qt, which the sanitizer builds do not rebuild.
// QString and friends share their data across threads through atomic
// reference counts inside libQt5Core, where ThreadSanitizer cannot see the
// ordering, so it takes the release that frees shared data for a race. Qt's
// offscreen platform never frees the screen it makes.

extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt5Core.so.5\n";
}

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libqoffscreen.so\n";
}
