#include "vexoqelt_test_support.h"

#include <QDir>
#include <QWidget>

#include "dpi_info.h"
#include "image_manager.h"
#include "style_manager.h"

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
