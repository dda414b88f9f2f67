#include "vexoqelt_test_support.h"

#include <QDir>
#include <QWidget>

#include "dpi_info.h"
#include "image_manager.h"
#include "style_manager.h"

// Qt's offscreen platform plugin keeps its screen until the process ends (and
// the X11 platform's D-Bus connection keeps a read buffer),
// which LeakSanitizer reports in sanitizer builds; only full stacks show that
// the allocations are the plugin's. Unused in other builds.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libqoffscreen.so\nleak:libdbus-1.so\n";
}
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

namespace {
// Run by hand without a display, a test still finds a platform.
const bool kPlatformChosen = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}();
}  // namespace

namespace vexotest {

void initLibrary(double scale)
{
    DPIinfo::getInstance()->setScaleForTest(scale, 1.0);
    const QString folder = QStringLiteral(QM_RESOURCE_SOURCE_DIR);
    StyleManager::getInstance()->initialize(
        {folder + QStringLiteral("/qz.stylesheet"), folder + QStringLiteral("/component.business.stylesheet")});
}

QString artifactsDir()
{
    const QString dir = QStringLiteral(QM_TEST_ARTIFACTS_DIR);
    QDir().mkpath(dir);
    return dir;
}

bool saveScreenshot(QWidget* widget, const QString& name)
{
    const QPixmap shot = widget->grab();
    return !shot.isNull() && shot.save(artifactsDir() + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QStringList missingNames()
{
    return StyleManager::getInstance()->missingNames() + ImageManager::getInstance()->missingNames();
}

}  // namespace vexotest
