// main() of the core tests: GoogleTest under a QCoreApplication, whose
// thread plays the main (view) thread.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Sanitizer builds do not rebuild Qt: QString and friends share data across
// threads through atomic reference counts inside libQt5Core, where
// ThreadSanitizer cannot see the ordering.
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt5Core.so.5\n";
}
