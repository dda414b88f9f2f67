// main() of the site pane's end-to-end tests: GoogleTest under a
// QApplication, the log in a temporary folder.
#include <QApplication>

#include <gtest/gtest.h>

#include "log.h"
#include "support/temp_dir.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    qm_test::TempDir log_dir("qm-sitepane-log");
    qm_test::writeFile(log_dir.file("levels.debug"), "default_component=7\n");
    Logger::Initialize(Logger::FILE_LOGGER, log_dir.file("ui.log"), log_dir.file("levels.debug"), 50);
    const int result = RUN_ALL_TESTS();
    Logger::Destroy();
    return result;
}
