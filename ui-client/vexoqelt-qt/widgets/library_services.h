#pragma once
// The one place where the widgets reach the library's services (scale,
// component strings, images). Everything else in widgets/ goes through here.
#include <QPixmap>
#include <QString>

namespace vexo {

// A size in pixels at scale 1, multiplied by the display scale and truncated.
int scaled(int px);
double displayScale();
// The text installed under a component-string key, or the English fallback.
QString componentString(const char* key, const char* english);
// The library's own style sheet of a component ("component.*").
QString componentStyleSheet(const char* name);
// A style sheet text with its "Npx" values scaled.
QString scaledStyleSheet(const QString& sheet);

}  // namespace vexo
