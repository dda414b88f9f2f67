// main() of the in-process start-up test: GoogleTest under a
// QCoreApplication. Every hand-over between the client manager's threads goes
// through Qt's event queue and Qt's own locks, which ThreadSanitizer cannot
// see: races with a frame in Qt or glib are not reported; one whose stacks
// stay in our code still is.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt5Core.so.5\n"
           "called_from_lib:libglib-2.0.so.0\n"
           "race:libQt5Core.so.5\n"
           "race:libglib-2.0.so.0\n"
           "race:QMetaType::create\n"
           "race:QFunctorSlotObject\n";
}

extern "C" const char* __tsan_default_options()
{
    return "history_size=7";
}
