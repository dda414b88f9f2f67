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
// threads through atomic reference counts inside libQt5Core, and a queued
// signal hands its copied arguments over through Qt's event queue, whose
// lock ThreadSanitizer cannot see either. The copy made when the call is
// posted (QMetaType::create) therefore looks unordered with its use in the
// receiving thread; the glib dispatcher's wake-up descriptors and the
// tests' own queued lambdas (freed by whichever thread drops the last
// reference) likewise, and the arguments a relay reads out of the queued
// call that carried them into the hub.
// A long history lets the posting side's stack be restored and matched.
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt5Core.so.5\n"
           "race:QMetaType::create\n"
           "race:libglib-2.0.so.0\n"
           "race:QFunctorSlotObject\n"
           "race:QSlotObject<void (GlobalConnecter::*\n";
}

extern "C" const char* __tsan_default_options()
{
    return "history_size=7";
}
