#pragma once
#include <QString>

// The text made safe for a rich-text tool tip: markup characters escaped,
// line breaks and spaces kept, and wrapped so Qt shows it as rich text
// (escaped text without a tag would be shown literally, "&amp;" and all).
QString getHtmlEscapedStringForToolTip(const QString& text);
