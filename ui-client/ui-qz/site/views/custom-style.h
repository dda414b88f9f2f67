#pragma once

#include <QProxyStyle>

// The context menu's style: entry icons at a fixed 28 px, whatever the scale.
class CustomStyle : public QProxyStyle {
public:
    int pixelMetric(QStyle::PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};
