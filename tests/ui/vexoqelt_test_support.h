#pragma once
// Set-up shared by the widget-library tests: the shipped style sheets, a
// fixed display scale, screenshots and the managers' missing-name lists.
#include <QString>
#include <QStringList>

class QWidget;

namespace vexotest {

// Fixes the display scale (and ratio 1) and reads the shipped style sheets
// at that scale. Call before building widgets.
void initLibrary(double scale = 1.0);
// Saves a picture of the widget as <artifacts>/<name>.png; true when written.
bool saveScreenshot(QWidget* widget, const QString& name);
QString artifactsDir();
// Style-sheet and image names asked for but not shipped (must stay empty).
QStringList missingNames();

}  // namespace vexotest
