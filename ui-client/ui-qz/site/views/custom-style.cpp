#include "custom-style.h"

int CustomStyle::pixelMetric(QStyle::PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    // The menu images are drawn for 28 px; scaling them would blur them.
    if (metric == QStyle::PM_SmallIconSize)
        return 28;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
