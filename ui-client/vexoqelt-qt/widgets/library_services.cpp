#include "library_services.h"

#include "component_strings.h"
#include "dpi_info.h"
#include "style_manager.h"

namespace vexo {

double displayScale()
{
    return DPIinfo::getInstance()->getDPI();
}

int scaled(int px)
{
    return static_cast<int>(px * displayScale());
}

QString componentString(const char* key, const char* english)
{
    const QString text = ComponentStrings::getInstance()->getString(QString::fromLatin1(key));
    return text.isEmpty() ? QString::fromUtf8(english) : text;
}

QString componentStyleSheet(const char* name)
{
    return getStyleSheet(name, false);
}

QString scaledStyleSheet(const QString& sheet)
{
    return DPIinfo::getScaledStyleSheet(sheet);
}

}  // namespace vexo
