// Test main of the widget library's services: a GUI application on the
// offscreen platform (pixmaps need one), then the GoogleTest cases.
#include <QGuiApplication>

#include <gtest/gtest.h>

// Qt's offscreen platform plugin keeps its screen until the process ends,
// which LeakSanitizer reports in sanitizer builds; only full stacks show
// that the allocations are the plugin's. Unused in other builds.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libqoffscreen.so\n";
}
extern "C" const char* __asan_default_options() {
  return "fast_unwind_on_malloc=0";
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
